// Two real processes of one program: the second start ends at once with exit code 0 and, when a
// host server runs, hands its parameters to the first. The processes are this test program,
// running the disabled probe test below.
#include "host/VelmoraDemon.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>

using namespace tessaly;

namespace {

// A program path of its own for each test, so that the tests' instance locks never meet.
QString UniqueProgram()
{
    static int n = 0;
    return QString("/p/tessaly-proc-%1-%2").arg(QCoreApplication::applicationPid()).arg(++n);
}

// Starts the probe: a client of `program`, optionally linked to the server with handle text h.
std::unique_ptr<QProcess> StartProbe(const QString& program, const QString& h, const QStringList& extra = {})
{
    auto p = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TESSALY_PROBE_PROGRAM", program);
    env.insert("TESSALY_PROBE_HANDLE", h);
    env.insert("TESSALY_PROBE_ARGS", extra.join('\n'));
    p->setProcessEnvironment(env);
    p->setProcessChannelMode(QProcess::SeparateChannels);
    p->start(QCoreApplication::applicationFilePath(),
             {"--gtest_also_run_disabled_tests", "--gtest_filter=DemonProcess.DISABLED_Probe"});
    return p;
}

// Waits, serving this thread's events (the test server lives here), until the process printed
// `text` or ended.
bool WaitForOutput(QProcess& p, const QByteArray& text, QByteArray& seen, int ms = 20000)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        p.waitForReadyRead(10);
        seen += p.readAllStandardOutput();
        if (seen.contains(text))
            return true;
        if (p.state() == QProcess::NotRunning) {
            seen += p.readAllStandardOutput();
            return seen.contains(text);
        }
    }
    return false;
}

bool WaitForEnd(QProcess& p, int ms = 20000)
{
    QElapsedTimer t;
    t.start();
    while (p.state() != QProcess::NotRunning && t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        p.waitForFinished(10);
    }
    return p.state() == QProcess::NotRunning;
}

// A host server that knows its clients by the titles they registered with. A second start
// registers too before it checks for the first, so the first registration of a title counts.
class TRegistry {
public:
    explicit TRegistry(const QString& h)
    {
        ok = endpoint.ListenAt(ServerEndpointPath(h), ServerWindowValue(h));
        endpoint.OnFrame = [this](const TFrame& f) {
            TSkolvMessageStream in;
            in.SetData(f.Payload);
            if (f.MsgId == smRegister) {
                TEntity e;
                e.ReadFrom(in);
                clients.emplace(e.RawTitle(), e);  // the first registration of a title counts
            } else if (f.MsgId == smFindClient || f.MsgId == smMapFileName || f.MsgId == smGetFile) {
                TSkolvMessageStream out;
                if (f.MsgId == smMapFileName) {
                    out.WriteString(in.ReadString());  // paths map to themselves
                } else if (f.MsgId == smGetFile) {
                    out.WriteByte(0);                  // no language file
                } else if (in.ReadByte() == 2) {
                    auto it = clients.find(in.ReadString());
                    if (it != clients.end())
                        it->second.WriteTo(out);
                }
                TFrame r{smReply, endpoint.Window(), f.Stamp, out.Data()};
                endpoint.SendFrame(ClientEndpointPath(f.Sender), r);
            }
        };
    }
    TSkolvEndpoint endpoint;
    std::map<QString, TEntity> clients;
    bool ok = false;
};

} // namespace

// Run only as a child of the tests below.
TEST(DemonProcess, DISABLED_Probe)
{
    const QString program = qEnvironmentVariable("TESSALY_PROBE_PROGRAM");
    const QString h = qEnvironmentVariable("TESSALY_PROBE_HANDLE");
    ASSERT_FALSE(program.isEmpty());
    QStringList args{program};
    const QString extra = qEnvironmentVariable("TESSALY_PROBE_ARGS");
    if (!extra.isEmpty())
        args += extra.split('\n');
    if (!h.isEmpty())
        args << "/serverhandle=" + h;
    TDemonStart start;
    start.Arguments = args;
    start.ViewerHandle = QString();
    TvltDemonClient client(nullptr, start);
    client.SetUseVelmoraServer(!h.isEmpty());
    QEventLoop loop;
    client.OnParamsChange = [&](TvltCustomDemon& c) {
        std::printf("params:%s\n", c.Params.join('|').toUtf8().constData());
        std::fflush(stdout);
        loop.quit();
    };
    client.Loaded();  // a second instance ends the process in here
    std::printf("first\n");
    std::fflush(stdout);
    QTimer::singleShot(15000, &loop, &QEventLoop::quit);
    loop.exec();
}

TEST(DemonProcess, WithoutServerASecondStartEndsAtOnceAndAKilledFirstBlocksNothing)
{
    const QString program = UniqueProgram();
    auto first = StartProbe(program, "");
    QByteArray out1;
    ASSERT_TRUE(WaitForOutput(*first, "first", out1)) << out1.constData();

    auto second = StartProbe(program, "");
    ASSERT_TRUE(WaitForEnd(*second));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_FALSE(second->readAllStandardOutput().contains("first"));

    first->kill();
    ASSERT_TRUE(WaitForEnd(*first));
    auto third = StartProbe(program, "");
    QByteArray out3;
    EXPECT_TRUE(WaitForOutput(*third, "first", out3)) << out3.constData();
    third->kill();
    WaitForEnd(*third);
}

TEST(DemonProcess, WithAServerTheSecondStartHandsItsParametersToTheFirst)
{
    const QString h = QString("proc%1").arg(QCoreApplication::applicationPid());
    TRegistry server(h);
    ASSERT_TRUE(server.ok);
    const QString program = UniqueProgram();
    auto first = StartProbe(program, h);
    QByteArray out1;
    ASSERT_TRUE(WaitForOutput(*first, "first", out1)) << out1.constData();
    EXPECT_EQ(server.clients.size(), 1u);

    auto second = StartProbe(program, h, {"book.tsl", "page 4"});
    ASSERT_TRUE(WaitForEnd(*second));
    EXPECT_EQ(second->exitCode(), 0);
    ASSERT_TRUE(WaitForOutput(*first, "params:", out1)) << out1.constData();
    // Params hold the program path and the arguments, without the handle switch.
    EXPECT_TRUE(out1.contains("params:" + program.toUtf8() + "|book.tsl|page 4\n")) << out1.constData();
    WaitForEnd(*first);
}
