#include "app/StartError.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QString>

#include <cstdio>

namespace tessaly {

int ReportStartError(const char* what)
{
    std::fprintf(stderr, "tessaly: %s\n", what);
    std::fflush(stderr);
    // Off screen nobody could close the box.
    const QString platform = QGuiApplication::platformName();
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) && platform != "offscreen" &&
        platform != "minimal")
        QMessageBox::critical(nullptr, "Tessaly", QString::fromLocal8Bit(what));
    return 1;
}

} // namespace tessaly
