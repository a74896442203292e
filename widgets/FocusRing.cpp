#include "widgets/FocusRing.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPainter>

namespace tessaly {

TFocusRing::TFocusRing(QWidget* window) : QWidget(window)
{
    setObjectName("FocusRing");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
    qApp->installEventFilter(this);
}

void TFocusRing::SetThickness(int pixels)
{
    FThickness = std::max(1, pixels);
    Place();
}

bool TFocusRing::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::FocusIn: {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w != this && w->window() == window()) {
            // The keyboard moved it: Tab, Shift+Tab or an access key. A click hides the ring;
            // a popup or a window closing gives the focus back as it was.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            const bool keyboard = reason == Qt::TabFocusReason ||
                                  reason == Qt::BacktabFocusReason ||
                                  reason == Qt::ShortcutFocusReason;
            const bool mouse = reason == Qt::MouseFocusReason;
            Follow(w, keyboard || (FKeyboard && !mouse));
        }
        break;
    }
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        if (watched == FTarget)
            Place();
        break;
    case QEvent::MouseButtonPress:
        // A click anywhere in the window is using the mouse again.
        if (FKeyboard && qobject_cast<QWidget*>(watched) &&
            static_cast<QWidget*>(watched)->window() == window()) {
            FKeyboard = false;
            Place();
        }
        break;
    default:
        break;
    }
    return false;
}

void TFocusRing::Follow(QWidget* focus, bool keyboard)
{
    // An editable combo box hands its focus to its line edit: the ring goes round the box.
    QWidget* target = focus;
    while (target->parentWidget() && target->parentWidget()->focusProxy() == target)
        target = target->parentWidget();
    if (auto* combo = qobject_cast<QComboBox*>(target->parentWidget()); combo && static_cast<QWidget*>(combo->lineEdit()) == target)
        target = combo;
    if (FTarget != target) {
        if (FTarget)
            FTarget->removeEventFilter(this);
        FTarget = target;
        FTarget->installEventFilter(this);
    }
    FKeyboard = keyboard;
    Place();
}

void TFocusRing::Place()
{
    if (!FTarget || !FKeyboard || !FTarget->isVisible()) {
        hide();
        return;
    }
    const QPoint at = FTarget->mapTo(window(), QPoint(0, 0));
    setGeometry(QRect(at, FTarget->size()).adjusted(-FThickness, -FThickness, FThickness, FThickness));
    show();
    raise();
    update();
}

void TFocusRing::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QColor ring = palette().color(QPalette::Highlight);
    const QRect r = rect();
    const int t = FThickness;
    p.fillRect(QRect(r.left(), r.top(), r.width(), t), ring);
    p.fillRect(QRect(r.left(), r.bottom() - t + 1, r.width(), t), ring);
    p.fillRect(QRect(r.left(), r.top(), t, r.height()), ring);
    p.fillRect(QRect(r.right() - t + 1, r.top(), t, r.height()), ring);
}

} // namespace tessaly
