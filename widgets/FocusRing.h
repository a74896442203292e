#pragma once
// A visible focus for every control of a window, flat buttons and scroll bars included, whose
// styles draw little or none: a ring around the control that has the focus. It shows while the
// focus moves by the keyboard (Tab, Shift+Tab, an access key) and hides when the mouse moves
// it, so a window used with the mouse looks as it always did.

#include <QPointer>
#include <QWidget>

namespace tessaly {

class TFocusRing : public QWidget {
    Q_OBJECT
public:
    // A ring over the controls of `window`, which owns it.
    explicit TFocusRing(QWidget* window);

    // The control the ring surrounds while shown (an editable combo box rather than its line
    // edit); null when none.
    QWidget* Target() const { return FTarget; }
    // The ring's width in pixels (2 by default); follows the window's presentation size.
    void SetThickness(int pixels);
    // Goes round its control again, after the window laid its controls out anew.
    void Refresh() { Place(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Follow(QWidget* focus, bool keyboard);
    void Place();

    QPointer<QWidget> FTarget;
    bool FKeyboard = false;
    int FThickness = 2;
};

} // namespace tessaly
