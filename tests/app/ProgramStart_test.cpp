// The real program: a second start ends at once with exit code 0 while the first one runs.
#include "app/CommandLine.h"
#include "host/InstanceLock.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
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
