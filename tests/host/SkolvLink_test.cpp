#include "host/InstanceLock.h"
#include "host/SkolvLink.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace tessaly;

TEST(SkolvFrames, RoundTripAndPartialInput)
{
    TFrame f;
    f.MsgId = 4101;
    f.Sender = 0xA1B2C3D4;
    f.Stamp = {123456, 739000};
    f.Payload = QByteArray("a\0b", 3);
    QByteArray wire = EncodeFrame(f);
    ASSERT_EQ(wire.size(), FrameHeaderSize + 3);

    // Byte by byte: nothing until the last byte, then exactly one frame.
    QByteArray buffer;
    TFrame out;
    for (qsizetype i = 0; i + 1 < wire.size(); ++i) {
        buffer += wire[i];
        ASSERT_EQ(DecodeFrame(buffer, out), TFrameStatus::NeedMore) << i;
    }
    buffer += wire.back();
    buffer += EncodeFrame(f);  // a second frame right behind
    ASSERT_EQ(DecodeFrame(buffer, out), TFrameStatus::Complete);
    EXPECT_EQ(out.MsgId, 4101u);
    EXPECT_EQ(out.Sender, 0xA1B2C3D4u);
    EXPECT_EQ(out.Stamp, (TTimeStamp{123456, 739000}));
    EXPECT_EQ(out.Payload, QByteArray("a\0b", 3));
    EXPECT_EQ(buffer.size(), wire.size());
}

TEST(SkolvFrames, LengthsBelowTheStampOrBeyondTheLimitAreMalformed)
{
    for (std::uint32_t length : {0u, 7u, std::uint32_t(MaxFramePayload) + 9u, 0xFFFFFFFFu}) {
        QByteArray buffer(12, '\0');
        for (int i = 0; i < 4; ++i)
            buffer[4 + i] = char((length >> (8 * i)) & 0xFF);
        TFrame out;
        EXPECT_EQ(DecodeFrame(buffer, out), TFrameStatus::Malformed) << length;
    }
}

TEST(SkolvTimeStamp, DayNumbersCountFromTheFirstOfJanuaryOfYearOne)
{
    EXPECT_EQ(TimeStampOf(QDateTime(QDate(1, 1, 1), QTime(0, 0))).Date, 1);
    EXPECT_EQ(TimeStampOf(QDateTime(QDate(1899, 12, 30), QTime(0, 0))).Date, 693594);
    const TTimeStamp s = TimeStampOf(QDateTime(QDate(2000, 1, 1), QTime(13, 2, 3, 4)));
    EXPECT_EQ(s.Time, ((13 * 60 + 2) * 60 + 3) * 1000 + 4);
}

TEST(SkolvEndpoint, AFrameIsHandledBeforeTheSendReturnsAndTheReplyArrivesFirst)
{
    TSkolvEndpoint a, b;
    ASSERT_TRUE(a.ListenAsClient());
    ASSERT_TRUE(b.ListenAsClient());
    EXPECT_NE(a.Window(), b.Window());
    std::vector<std::uint32_t> seenByA;
    a.OnFrame = [&](const TFrame& f) { seenByA.push_back(f.MsgId); };
    b.OnFrame = [&](const TFrame& f) {
        // While b handles the request it answers a, as a server does.
        TFrame reply;
        reply.MsgId = 4097;
        reply.Sender = b.Window();
        reply.Stamp = f.Stamp;
        EXPECT_TRUE(b.SendFrame(ClientEndpointPath(f.Sender), reply));
    };
    TFrame req;
    req.MsgId = 4100;
    req.Sender = a.Window();
    ASSERT_TRUE(a.SendFrame(b.Path(), req));
    ASSERT_EQ(seenByA.size(), 1u);
    EXPECT_EQ(seenByA[0], 4097u);
}

TEST(SkolvEndpoint, NoPeerOrASilentPeerEndsTheSendWithoutHarm)
{
    TSkolvEndpoint a;
    ASSERT_TRUE(a.ListenAsClient());
    EXPECT_FALSE(a.SendFrame(ClientEndpointPath(0x12345678), TFrame{}));
    EXPECT_FALSE(a.SendFrame(QString(), TFrame{}));

    // A peer that accepts but never acknowledges.
    QLocalServer silent;
    const QString path = SkolvRuntimeDir() + "/tessaly-silent-peer";
    QLocalServer::removeServer(path);
    ASSERT_TRUE(silent.listen(path));
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(a.SendFrame(path, TFrame{}, 300));
    EXPECT_LT(t.elapsed(), 3000);
}

TEST(SkolvEndpoint, MalformedFramesAreDroppedAndTheEndpointKeepsWorking)
{
    TSkolvEndpoint a;
    ASSERT_TRUE(a.ListenAsClient());
    int handled = 0;
    a.OnFrame = [&](const TFrame&) { ++handled; };

    QLocalSocket raw;
    raw.connectToServer(a.Path());
    ASSERT_TRUE(raw.waitForConnected(1000));
    // Declares a length of 3 (below the stamp), then a huge one.
    raw.write(QByteArray::fromHex("d0070000" "03000000" "00000000"));
    raw.flush();
    for (int i = 0; i < 50 && raw.state() == QLocalSocket::ConnectedState; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (raw.state() == QLocalSocket::ConnectedState)
            raw.waitForDisconnected(10);
    }
    EXPECT_EQ(raw.state(), QLocalSocket::UnconnectedState);
    EXPECT_EQ(handled, 0);

    TSkolvEndpoint b;
    ASSERT_TRUE(b.ListenAsClient());
    EXPECT_TRUE(b.SendFrame(a.Path(), TFrame{4200, b.Window(), {}, "x"}));
    EXPECT_EQ(handled, 1);
}

TEST(InstanceLock, NameAndExclusion)
{
    EXPECT_EQ(TInstanceLock::NameFor("/opt/tessaly/bin/tessaly"), "SK_tessaly");
    EXPECT_EQ(TInstanceLock::NameFor("C:\\Books\\plot.exe"), "SK_C:_Books_plot.exe");

    const QString name = "SK_tessaly-lock-test";
    TInstanceLock first;
    ASSERT_TRUE(first.Acquire(name));
    EXPECT_NE(first.Handle(), 0);
    TInstanceLock second;
    EXPECT_FALSE(second.Acquire(name));
    EXPECT_TRUE(TInstanceLock::IsHeldElsewhere(name));
    first.Release();
    EXPECT_FALSE(TInstanceLock::IsHeldElsewhere(name));
    EXPECT_TRUE(second.Acquire(name));
}

TEST(InstanceLock, AKilledHolderDoesNotBlockTheNextStart)
{
    const QString name = "SK_tessaly-killed-holder";
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        TInstanceLock lock;
        const char ok = lock.Acquire(name) ? '1' : '0';
        (void)!::write(ready[1], &ok, 1);
        for (;;)
            ::pause();
    }
    char ok = 0;
    ASSERT_EQ(::read(ready[0], &ok, 1), 1);
    ASSERT_EQ(ok, '1');
    TInstanceLock mine;
    EXPECT_FALSE(mine.Acquire(name));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_TRUE(mine.Acquire(name));
    ::close(ready[0]);
    ::close(ready[1]);
}
