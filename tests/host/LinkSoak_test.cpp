// A running client under a hostile peer: 10,000 frames of random ids, lengths and payloads,
// valid, truncated, oversized and garbage, on many connections, interleaved with valid
// requests. The client answers every valid request, never crashes, and keeps its memory bounded.
#include "host/SkolvLink.h"
#include "host/VelmoraDemon.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocalSocket>

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

using namespace tessaly;

namespace {

// The resident memory of this process in kilobytes.
long ResidentKb()
{
    FILE* f = std::fopen("/proc/self/statm", "r");
    long pages = 0, resident = 0;
    if (f) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * 4;
}

void Serve(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

} // namespace

TEST(LinkSoak, TenThousandHostileFramesLeaveTheClientAnswering)
{
    TDemonStart start;
    start.Arguments = {"/p/tessaly-link-soak"};
    start.ViewerHandle = QString();
    TvltDemonClient client(nullptr, start);
    client.SetUseVelmoraServer(false);
    int params = 0, others = 0;
    client.OnParamsChange = [&](TvltCustomDemon&) { ++params; };
    client.OnGotAMessage = [&](TvltCustomDemon&, TSkolvMessageStream&) { ++others; };
    client.OnQuitMsgReceived = [](TvltCustomDemon&, bool, bool& allow) { allow = false; };
    const QString endpoint = client.OwnEntity.Endpoint;
    ASSERT_FALSE(endpoint.isEmpty());

    std::mt19937 random(20261208);
    auto pick = [&](int n) { return int(random() % std::uint32_t(n)); };
    auto bytes = [&](int n) {
        QByteArray b(n, '\0');
        for (char& c : b)
            c = char(random());
        return b;
    };
    TSkolvEndpoint peer;
    ASSERT_TRUE(peer.ListenAsClient());
    long baseline = 0;
    int valid = 0, answered = 0, frames = 0;
    QLocalSocket* socket = nullptr;
    while (frames < 10000) {
        if (!socket || pick(20) == 0) {
            // A new connection now and then; the old one is dropped, mid-frame or not.
            delete socket;
            socket = new QLocalSocket;
            socket->connectToServer(endpoint);
            if (!socket->waitForConnected(1000))
                continue;
        }
        TFrame f;
        f.MsgId = std::uint32_t(4096 + pick(12)) - (pick(10) == 0 ? 4096 : 0);
        f.Sender = std::uint32_t(random());
        f.Stamp = {std::int32_t(random()), std::int32_t(random())};
        f.Payload = bytes(pick(200));
        QByteArray wire = EncodeFrame(f);
        switch (pick(6)) {
        case 0: wire.truncate(pick(int(wire.size()))); break;        // cut short
        case 1: wire.replace(4, 4, QByteArray("\xff\xff\xff\x7f", 4)); break; // oversized
        case 2: wire = bytes(pick(64)); break;                       // garbage
        default: break;                                              // valid, random payload
        }
        socket->write(wire);
        socket->flush();
        ++frames;
        if (frames % 100 == 0) {
            Serve(2);
            // A valid request on a connection of its own is handled and acknowledged.
            TFrame request;
            request.MsgId = smParams;
            request.Sender = peer.Window();
            request.Stamp = CurrentTimeStamp();
            request.Payload = "page " + QByteArray::number(frames) + "\r\n";
            ++valid;
            if (peer.SendFrame(endpoint, request) &&
                client.Params.contains("page " + QString::number(frames)))
                ++answered;
        }
        if (frames == 2000)
            baseline = ResidentKb();
    }
    delete socket;
    Serve(50);
    EXPECT_EQ(answered, valid);
    EXPECT_GE(params, valid);
    // Valid frames of other ids reached the handler too (a connection that carried a broken
    // frame is dropped with what follows on it, so only part of them arrive).
    EXPECT_GT(others, 200) << others;
    EXPECT_LE(client.Responses.size(), TvltCustomDemon::MaxPendingResponses);
    // Memory after 8,000 more frames: bounded by what the link holds, not by what was sent.
    EXPECT_LT(ResidentKb() - baseline, 64 * 1024) << "resident kB grew from " << baseline;
}
