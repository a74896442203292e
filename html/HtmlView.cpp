#include "html/HtmlView.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScrollBar>
#include <QTextDocument>

#include <utility>

namespace tessaly {

namespace {
THtmlView::TUrlOpener& Opener()
{
    static THtmlView::TUrlOpener opener = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    return opener;
}

bool IsWebAddress(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return scheme == "http" || scheme == "https" || scheme == "mailto";
}
} // namespace

THtmlView::THtmlView(QWidget* parent) : QTextBrowser(parent)
{
    setReadOnly(true);
    setUndoRedoEnabled(false);
    // Links are routed by hand: web addresses leave the view, anchors scroll inside it, and
    // nothing else replaces the document (the view has no history to go back to).
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &THtmlView::LinkClicked);

    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    QPalette pal = palette();
    pal.setColor(QPalette::Base, QGuiApplication::palette().color(QPalette::ToolTipBase));
    pal.setColor(QPalette::Text, QGuiApplication::palette().color(QPalette::ToolTipText));
    setPalette(pal);
    ApplyFonts();
}

void THtmlView::LoadFromString(const QString& html)
{
    ApplyFonts();
    setHtml(html);
    clearHistory();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

void THtmlView::SetDefaultFontName(const QString& name)
{
    if (name == FDefaultFontName)
        return;
    FDefaultFontName = name;
    ApplyFonts();
}

void THtmlView::SetDefaultFontSize(int points)
{
    points = std::max(points, 1);
    if (points == FDefaultFontSize)
        return;
    FDefaultFontSize = points;
    ApplyFonts();
}

void THtmlView::SetDefaultPreFontName(const QString& name)
{
    if (name == FDefaultPreFontName)
        return;
    FDefaultPreFontName = name;
    ApplyFonts();
}

void THtmlView::SetBaseDirectory(const QString& dir)
{
    FBaseDirectory = dir;
    setSearchPaths(dir.isEmpty() ? QStringList() : QStringList{dir});
    document()->setBaseUrl(dir.isEmpty() ? QUrl() : QUrl::fromLocalFile(QDir(dir).absolutePath() + "/"));
}

THtmlView::TUrlOpener THtmlView::SetUrlOpener(TUrlOpener opener)
{
    return std::exchange(Opener(), std::move(opener));
}

QVariant THtmlView::loadResource(int type, const QUrl& name)
{
    // Relative addresses (images, linked style sheets) are files below the base folder; web
    // addresses are never fetched.
    if (IsWebAddress(name))
        return {};
    if (!FBaseDirectory.isEmpty() && (name.isRelative() || name.isLocalFile())) {
        const QString path = name.isLocalFile() ? name.toLocalFile()
                                                : QDir(FBaseDirectory).filePath(name.path());
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            return file.readAll();
        return {};
    }
    return QTextBrowser::loadResource(type, name);
}

void THtmlView::ApplyFonts()
{
    QFont font(FDefaultFontName);
    font.setPointSize(FDefaultFontSize);
    font.setStyleHint(QFont::SansSerif);
    document()->setDefaultFont(font);
    setFont(font);
    document()->setDefaultStyleSheet(
        QString("pre, code, tt, kbd, samp { font-family: \"%1\", monospace; }").arg(FDefaultPreFontName));
}

void THtmlView::LinkClicked(const QUrl& url)
{
    if (IsWebAddress(url)) {
        if (Opener())
            Opener()(url);
        return;
    }
    if (url.hasFragment() && (url.path().isEmpty() || url.isRelative()))
        scrollToAnchor(url.fragment());
}

} // namespace tessaly
