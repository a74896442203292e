#pragma once
// TUrlLab: a text label that behaves like a link. While the mouse is over it the text shows in
// FontActive; a click opens its URL: a web address in the desktop's browser, or an executable
// file started with TaskParams. Opening and starting go through one replaceable launcher.

#include "base/Errors.h"
#include "gfx/Colors.h"

#include <QFont>
#include <QLabel>
#include <QString>

#include <functional>
#include <string_view>

namespace tessaly {

enum class TUrlLabTarget { WebAddress, Program };

// Opens a web address (params empty) or starts a program with its command-line parameters.
// Returns 0, or for a program that could not be started the system's error number.
using TUrlLabLauncher =
    std::function<int(TUrlLabTarget kind, const QString& target, const QString& params)>;

// Installs the launcher all URL labels use; an empty one restores the desktop's (the browser
// through QDesktopServices, programs through QProcess::startDetached). Returns the launcher that
// was installed before.
TUrlLabLauncher SetUrlLabLauncher(TUrlLabLauncher launcher);

class TUrlLab : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString URL READ URL WRITE SetURL)
    Q_PROPERTY(QString TaskParams READ TaskParams WRITE SetTaskParams)
    Q_PROPERTY(QFont FontActive READ FontActive WRITE SetFontActive)
    Q_PROPERTY(quint32 FontColor READ FontColor WRITE SetFontColor)
    Q_PROPERTY(quint32 FontActiveColor READ FontActiveColor WRITE SetFontActiveColor)

public:
    explicit TUrlLab(QWidget* parent = nullptr);

    // Stored without the blanks at either end (tabs stay).
    QString URL() const { return FURL; }
    void SetURL(const QString& value);
    QString TaskParams() const { return FTaskParams; }
    void SetTaskParams(const QString& value);
    QFont FontActive() const { return FFontActive; }
    void SetFontActive(const QFont& value);
    // The font restored when the mouse leaves: the label's font when loading completed. A label
    // that was never loaded keeps the font it had when the mouse entered.
    QFont FontNormal() const { return FFontNormal; }
    // The text colours that go with FontNormal and FontActive (a font carries no colour). Until
    // one is set, the label keeps the text colour of its palette for that font.
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor value);
    TColor FontActiveColor() const { return FFontActiveColor; }
    void SetFontActiveColor(TColor value);

    // The loaded notification of a stored layout: captures FontNormal.
    virtual void Loaded();

    // Opens URL, then raises OnClick. An address starting with "http://" or "https://" (any
    // letter case) goes to the browser, with a busy cursor meanwhile; any other non-empty URL
    // must be an executable file, started with TaskParams. Throws ETovraURLLabError, without
    // raising OnClick, for a URL that is neither and for a program that does not start.
    virtual void Click();

    std::function<void(TUrlLab& sender)> OnClick;
    std::function<void(TUrlLab& sender)> OnDblClick;
    std::function<void(TUrlLab& sender)> OnMouseEnter;
    std::function<void(TUrlLab& sender)> OnMouseLeave;
    std::function<void(TUrlLab& sender, QMouseEvent& event)> OnMouseDown;
    std::function<void(TUrlLab& sender, QMouseEvent& event)> OnMouseMove;
    std::function<void(TUrlLab& sender, QMouseEvent& event)> OnMouseUp;
    // May set handled to keep the label's own context menu from showing.
    std::function<void(TUrlLab& sender, QPoint pos, bool& handled)> OnContextPopup;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    [[noreturn]] void Fail(std::string_view reason) const;
    void OpenWebAddress();
    // The label's text colour for the normal or the active font, where one was set.
    void ApplyTextColor(bool active);

    QString FURL;
    QString FTaskParams;
    QFont FFontActive;
    QFont FFontNormal;
    TColor FFontColor = clWindowText;
    TColor FFontActiveColor = clWindowText;
    bool FHasFontColor = false;
    bool FHasFontActiveColor = false;
    bool FActive = false; // the mouse is over the enabled label
    bool FLoaded = false;
    bool FPressed = false;  // the left button went down on the label
};

} // namespace tessaly
