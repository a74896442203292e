#include "gfx/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

#include <utility>

namespace tessaly {

namespace {
TInformationHandler& Handler()
{
    static TInformationHandler handler;
    return handler;
}
} // namespace

void ShowInformation(const QString& text)
{
    if (Handler()) {
        Handler()(text);
        return;
    }
    QMessageBox::information(QApplication::activeWindow(), QApplication::applicationName(), text);
}

TInformationHandler SetInformationHandler(TInformationHandler handler)
{
    return std::exchange(Handler(), std::move(handler));
}

} // namespace tessaly
