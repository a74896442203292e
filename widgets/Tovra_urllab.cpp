#include "widgets/Tovra_urllab.h"

#include "base/ComponentMessage.h"
#include "gfx/MessageBox.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMouseEvent>
#include <QProcess>
#include <QUrl>

#include <cerrno>
#include <string>

namespace tessaly {

namespace {

int DesktopLaunch(TUrlLabTarget kind, const QString& target, const QString& params)
{
    if (kind == TUrlLabTarget::WebAddress) {
        QDesktopServices::openUrl(QUrl(target));
        return 0;
    }
    QProcess process;
    process.setProgram(target);
    process.setArguments(QProcess::splitCommand(params));
    if (process.startDetached())
        return 0;
    // QProcess reports no error number; the file's state tells the cause.
    const QFileInfo file(target);
    if (!file.exists())
        return ENOENT;
    return file.isExecutable() ? ENOEXEC : EACCES;
}

TUrlLabLauncher& Launcher()
{
    static TUrlLabLauncher launcher = DesktopLaunch;
    return launcher;
}

// Only spaces count as blanks here: a tab at either end stays.
QString TrimBlanks(const QString& s)
{
    qsizetype first = 0, last = s.size();
    while (first < last && s[first] == u' ')
        ++first;
    while (last > first && s[last - 1] == u' ')
        --last;
    return s.mid(first, last - first);
}

bool IsWebAddress(const QString& url)
{
    return url.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
           url.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

} // namespace

TUrlLabLauncher SetUrlLabLauncher(TUrlLabLauncher launcher)
{
    TUrlLabLauncher previous = std::move(Launcher());
    Launcher() = launcher ? std::move(launcher) : TUrlLabLauncher(DesktopLaunch);
    return previous;
}

TUrlLab::TUrlLab(QWidget* parent)
    : QLabel(parent)
{
    // The caption is shown as it stands: no markup, and "&" is no accelerator mark.
    setTextFormat(Qt::PlainText);
    FFontActive = font();
    FFontNormal = font();
}

void TUrlLab::SetURL(const QString& value)
{
    FURL = TrimBlanks(value);
    if (isVisible())
        update();
}

void TUrlLab::SetTaskParams(const QString& value)
{
    FTaskParams = TrimBlanks(value);
    if (isVisible())
        update();
}

void TUrlLab::SetFontActive(const QFont& value)
{
    FFontActive = value;
    if (isVisible())
        update();
}

void TUrlLab::Loaded()
{
    FFontNormal = font();
    FLoaded = true;
}

void TUrlLab::Fail(std::string_view reason) const
{
    throw ETovraURLLabError(ComponentMessage(objectName().toStdString(), reason));
}

void TUrlLab::OpenWebAddress()
{
    // Restores the label's cursor also when the launcher throws.
    struct TCursorRestore {
        TUrlLab& Label;
        bool HadCursor;
        QCursor Previous;
        ~TCursorRestore()
        {
            if (HadCursor)
                Label.setCursor(Previous);
            else
                Label.unsetCursor();
        }
    } restore{*this, testAttribute(Qt::WA_SetCursor), cursor()};
    setCursor(Qt::BusyCursor);
    // Lets the busy cursor show before the desktop takes its time; a second click must not
    // arrive meanwhile.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    Launcher()(TUrlLabTarget::WebAddress, FURL, QString());
}

void TUrlLab::Click()
{
    if (!FURL.isEmpty()) {
        if (IsWebAddress(FURL)) {
            OpenWebAddress();
        } else {
            const QFileInfo file(FURL);
            if (!file.isFile() || !file.isExecutable())
                Fail("URL of URLLab is invalid");
            const int r = Launcher()(TUrlLabTarget::Program, FURL, FTaskParams);
            if (r != 0)
                Fail("Cannot start executable (errnum=" + std::to_string(r) + ")");
        }
    }
    if (OnClick)
        OnClick(*this);
}

void TUrlLab::SetFontColor(TColor value)
{
    FFontColor = value;
    FHasFontColor = true;
    if (!FActive)
        ApplyTextColor(false);
}

void TUrlLab::SetFontActiveColor(TColor value)
{
    FFontActiveColor = value;
    FHasFontActiveColor = true;
    if (FActive)
        ApplyTextColor(true);
}

void TUrlLab::ApplyTextColor(bool active)
{
    if (active ? !FHasFontActiveColor : !FHasFontColor)
        return;
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, ColorToQColor(active ? FFontActiveColor : FFontColor));
    setPalette(pal);
}

void TUrlLab::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    if (OnMouseEnter)
        OnMouseEnter(*this);
    if (isEnabled()) {
        if (!FLoaded)
            FFontNormal = font();
        setFont(FFontActive);
        FActive = true;
        ApplyTextColor(true);
    }
}

void TUrlLab::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    if (OnMouseLeave)
        OnMouseLeave(*this);
    if (isEnabled()) {
        setFont(FFontNormal);
        FActive = false;
        ApplyTextColor(false);
    }
}

void TUrlLab::mousePressEvent(QMouseEvent* event)
{
    QLabel::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        FPressed = true;
    if (OnMouseDown)
        OnMouseDown(*this, *event);
}

void TUrlLab::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    const bool click = event->button() == Qt::LeftButton && FPressed &&
                       rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        FPressed = false;
    if (click) {
        // An error must not leave through the event loop: it is shown instead.
        try {
            Click();
        } catch (const ETovraError& error) {
            ShowInformation(QString::fromStdString(error.what()));
        }
    }
    if (OnMouseUp)
        OnMouseUp(*this, *event);
}

void TUrlLab::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A double click is no second click: the release that follows it opens nothing.
    FPressed = false;
    if (OnDblClick)
        OnDblClick(*this);
    if (OnMouseDown)
        OnMouseDown(*this, *event);
}

void TUrlLab::mouseMoveEvent(QMouseEvent* event)
{
    QLabel::mouseMoveEvent(event);
    if (OnMouseMove)
        OnMouseMove(*this, *event);
}

void TUrlLab::contextMenuEvent(QContextMenuEvent* event)
{
    bool handled = false;
    if (OnContextPopup)
        OnContextPopup(*this, event->pos(), handled);
    if (handled)
        event->accept();
    else
        QLabel::contextMenuEvent(event);
}

} // namespace tessaly
