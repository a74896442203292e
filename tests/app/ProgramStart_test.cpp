// The real program: a second start ends at once with exit code 0 while the first one runs.
#include "MainWindowSupport.h"

#include "app/CommandLine.h"
#include "host/InstanceLock.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QScrollBar>
#include <QThread>

#include <gtest/gtest.h>

#include <sstream>

using tessaly::TInstanceLock;

TEST(ProgramStart, OnlyOptionsSelectACommandLineModeOtherArgumentsAreTheWindows)
{
    struct Case { std::vector<std::string> args; int code; };
    const Case cases[] = {
        {{}, -1}, {{"/serverhandle=00A1B2"}, -1}, {{"book.tsl", "--eval"}, -1}, {{"-x"}, -1},
        {{"--bogus"}, 2}, {{"--version"}, 0}, {{"-h"}, 0}, {{"--help", "x"}, 2},
    };
    for (const Case& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(tessaly::RunCommandLine(c.args, out, err), c.code)
            << (c.args.empty() ? std::string("(none)") : c.args.front());
        if (c.code == -1) {
            EXPECT_TRUE(out.str().empty() && err.str().empty());
        }
    }
}

TEST(ProgramStart, ASecondStartEndsAtOnceWhileTheFirstRuns)
{
    ASSERT_TRUE(QFileInfo::exists(TESSALY_BINARY)) << "build the tessaly target first";
    const QString lock = TInstanceLock::NameFor(TESSALY_BINARY);
    ASSERT_FALSE(TInstanceLock::IsHeldElsewhere(lock));

    QProcess first;
    first.start(TESSALY_BINARY, {});
    ASSERT_TRUE(first.waitForStarted(10000));
    // The first start holds the lock once its window is built (it then waits in its about box).
    QElapsedTimer t;
    t.start();
    while (!TInstanceLock::IsHeldElsewhere(lock) && t.elapsed() < 20000 &&
           first.state() == QProcess::Running)
        QThread::msleep(20);
    ASSERT_TRUE(TInstanceLock::IsHeldElsewhere(lock)) << first.readAllStandardError().constData();

    QProcess second;
    second.start(TESSALY_BINARY, {"ignored-parameter"});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    first.kill();
    first.waitForFinished(10000);
    EXPECT_FALSE(TInstanceLock::IsHeldElsewhere(lock));
}

TEST(ProgramStart, ASecondStartWithOptionsHandsThemToTheFirstWindowWithoutAServer)
{
    ASSERT_TRUE(QFileInfo::exists(TESSALY_BINARY)) << "build the tessaly target first";
    tessaly::test::Window w;
    w.ShowAndCloseAbout();
    // The program under the first window's name, so that both keep to one lock.
    const QString program = w.win->cliDemon->ProgramPath();
    ASSERT_TRUE(QFile::copy(TESSALY_BINARY, program));
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(TInstanceLock::OwnerOf(TInstanceLock::NameFor(program)), w.win->cliDemon->OwnEntity.Window);

    QProcess second;
    second.start(program, {"--formula", "x^2/1000", "--set", "a=-0.5", "exercise-7"});
    ASSERT_TRUE(second.waitForStarted(10000));
    QElapsedTimer t;
    t.start();
    while (w.win->CBoxExpression->currentText() != "x^2/1000" && t.elapsed() < 30000)
        QTest::qWait(20);
    EXPECT_EQ(w.win->CBoxExpression->currentText(), "x^2/1000");
    EXPECT_EQ(w.win->SbarVar[0]->value(), -50);
    EXPECT_TRUE(w.win->cliDemon->Params.contains("exercise-7"));
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(second.readAllStandardError(), "");

    // Without options a second start ends as before and changes nothing.
    QProcess third;
    third.start(program, {"--formula", "x", "--x", "wrong"});
    ASSERT_TRUE(third.waitForFinished(20000));
    EXPECT_EQ(third.exitCode(), 2); // wrong options never reach the window
    QProcess fourth;
    fourth.start(program, {"plain-parameter"});
    ASSERT_TRUE(fourth.waitForFinished(20000));
    EXPECT_EQ(fourth.exitCode(), 0);
    QTest::qWait(200);
    EXPECT_FALSE(w.win->cliDemon->Params.contains("plain-parameter"));
    EXPECT_EQ(w.win->CBoxExpression->currentText(), "x^2/1000");
}
