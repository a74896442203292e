// The program never crashes or vanishes: a quit message of the host link at any moment, a lock
// it cannot open, a malformed reply, a runtime folder it cannot use, endpoints left behind.
// Most cases start the real program as separate processes.
#include "MainWindowSupport.h"

#include "host/InstanceLock.h"
#include "host/SkolvLink.h"
#include "host/VelmoraDemon.h"
#include "html/HtmlView.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tessaly;
using tessaly::test::Window;

namespace {

// A quit message (4096) as the host server sends it.
bool SendQuit(const QString& endpoint)
{
    TSkolvEndpoint sender;
    TFrame quit;
    quit.MsgId = smQuit;
    quit.Stamp = CurrentTimeStamp();
    quit.Payload = QByteArray(1, '\0');
    return sender.SendFrame(endpoint, quit);
}

// The program in a runtime folder of its own, with the offscreen platform.
struct Program {
    explicit Program(const QString& runtime = QString())
        : Runtime(runtime.isEmpty() ? dir.path() : runtime)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_RUNTIME_DIR", Runtime);
        env.insert("ASAN_OPTIONS", "detect_leaks=0");
        process.setProcessEnvironment(env);
    }
    void Start(const QStringList& args = {}) { process.start(TESSALY_BINARY, args); }
    // Waits while serving this thread's events (a fake server may live here).
    bool Finish(int ms = 20000)
    {
        QElapsedTimer t;
        t.start();
        while (process.state() != QProcess::NotRunning && t.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            process.waitForFinished(10);
        }
        err += process.readAllStandardError();
        return process.state() == QProcess::NotRunning;
    }
    // Waits until the program holds its single-instance lock.
    bool WaitForLock()
    {
        QElapsedTimer t;
        t.start();
        const QByteArray kept = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(Runtime));
        bool held = false;
        while (!(held = TInstanceLock::IsHeldElsewhere(TInstanceLock::NameFor(TESSALY_BINARY))) &&
               t.elapsed() < 20000 && process.state() != QProcess::NotRunning)
            QThread::msleep(20);
        qputenv("XDG_RUNTIME_DIR", kept);
        return held;
    }
    QStringList Endpoints() const
    {
        return QDir(Runtime).entryList({"ThisIsTheSkolvClientComponentWindowClass.*"},
                                          QDir::System | QDir::Hidden);
    }

    QTemporaryDir dir;
    QString Runtime; // the program's runtime folder: dir, or one given
    QProcess process;
    QByteArray err;
};

} // namespace

TEST(Robustness, AQuitWhileTheAboutBoxIsOpenEndsTheStartWithoutTouchingTheClient)
{
    Window w;
    const QString endpoint = w.win->cliDemon->OwnEntity.Endpoint;
    bool sent = false;
    QTimer quitter;
    QObject::connect(&quitter, &QTimer::timeout, [&] {
        if (!sent && w.about->isVisible()) {
            sent = true;
            EXPECT_TRUE(SendQuit(endpoint));
        }
    });
    quitter.start(5);
    w.ShowAndCloseAbout();
    quitter.stop();
    EXPECT_TRUE(sent);
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.win->cliDemon.isNull());
    // The window stays usable until it closes.
    w.Type("x");
    EXPECT_GT(w.Points(), 1);
}

TEST(Robustness, TheRealProgramEndsCleanlyOnAQuitDuringItsAboutBox)
{
    Program p;
    p.Start();
    ASSERT_TRUE(p.WaitForLock()) << p.process.readAllStandardError().constData();
    const QStringList endpoints = p.Endpoints();
    ASSERT_EQ(endpoints.size(), 1);
    EXPECT_TRUE(SendQuit(p.Runtime + "/" + endpoints.front()));
    ASSERT_TRUE(p.Finish());
    EXPECT_EQ(p.process.exitStatus(), QProcess::NormalExit) << p.err.constData();
    EXPECT_EQ(p.process.exitCode(), 0) << p.err.constData();
    EXPECT_TRUE(p.Endpoints().isEmpty());
}

TEST(Robustness, ALockThatCannotBeOpenedIsReportedAndTheProgramStarts)
{
    Program p;
    ASSERT_TRUE(QDir().mkpath(p.dir.filePath(TInstanceLock::NameFor(TESSALY_BINARY))));
    p.Start();
    EXPECT_FALSE(p.Finish(3000)); // still running, with its about box
    p.err += p.process.readAllStandardError();
    EXPECT_TRUE(p.err.contains("starting as the only instance")) << p.err.constData();
    p.process.kill();
    p.Finish();
}

TEST(Robustness, AnUnusableRuntimeFolderIsReportedWithExitStatusOne)
{
    Program p("/proc/self");
    p.Start();
    ASSERT_TRUE(p.Finish());
    EXPECT_EQ(p.process.exitStatus(), QProcess::NormalExit); // no abort, no core
    EXPECT_EQ(p.process.exitCode(), 1);
    EXPECT_TRUE(p.err.contains("tessaly: Could not create window handle")) << p.err.constData();
}

TEST(Robustness, EndpointsOfSecondAndKilledStartsDoNotStayBehind)
{
    Program first;
    first.Start();
    ASSERT_TRUE(first.WaitForLock());
    ASSERT_EQ(first.Endpoints().size(), 1);

    Program second(first.dir.path());
    second.Start({"a-parameter"});
    ASSERT_TRUE(second.Finish());
    EXPECT_EQ(second.process.exitCode(), 0);
    EXPECT_EQ(first.Endpoints().size(), 1);

    // A killed first instance leaves its endpoint; the next start clears it away.
    const QStringList killed = first.Endpoints();
    first.process.kill();
    first.Finish();
    EXPECT_EQ(first.Endpoints(), killed);
    Program third(first.dir.path());
    third.Start();
    ASSERT_TRUE(third.WaitForLock());
    const QStringList left = first.Endpoints();
    ASSERT_EQ(left.size(), 1);
    EXPECT_NE(left, killed);
    third.process.kill();
    third.Finish();
}

TEST(Robustness, AMalformedReplyOfTheHostServerMakesASecondStartEndNormally)
{
    Program first;
    first.Start();
    ASSERT_TRUE(first.WaitForLock());
    // A host server in the program's runtime folder that answers every request with a
    // truncated record (handle texts are folded to lower case).
    const QByteArray kept = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(first.dir.path()));
    TSkolvEndpoint server;
    const bool listening = server.ListenAt(ServerEndpointPath("7e57"), ServerWindowValue("7e57"));
    int requests = 0;
    server.OnFrame = [&](const TFrame& f) {
        ++requests;
        TFrame reply;
        reply.MsgId = smReply;
        reply.Sender = server.Window();
        reply.Stamp = f.Stamp;
        reply.Payload = QByteArray("\x05\x00\x00", 3);
        server.SendFrame(ClientEndpointPath(f.Sender), reply);
    };
    EXPECT_TRUE(listening);

    Program second(first.dir.path());
    second.Start({"/serverhandle=7E57", "page 7"});
    ASSERT_TRUE(second.Finish());
    EXPECT_EQ(second.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.process.exitCode(), 0) << second.err.constData();
    EXPECT_GE(requests, 1);
    server.Close();
    qputenv("XDG_RUNTIME_DIR", kept);
    first.process.kill();
    first.Finish();
}
