// Test entry point shared by every test program: a QApplication exists before any test runs,
// as it does in the program, so tests see the process state (locale, palette, fonts) Qt sets up.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A runtime directory of its own for every test program keeps the sockets and lock files of
    // parallel test runs (and of a running plotter) apart; child processes inherit it.
    // A test program started by another test program keeps its parent's folder.
    QTemporaryDir runtimeDir(QDir::tempPath() + "/tessaly-test-XXXXXX");
    if (!qEnvironmentVariableIsSet("TESSALY_TEST_RUNTIME_DIR") && runtimeDir.isValid()) {
        qputenv("TESSALY_TEST_RUNTIME_DIR", runtimeDir.path().toLocal8Bit());
        QFile::setPermissions(runtimeDir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                     QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit());
    }
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
