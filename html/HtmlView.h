#pragma once
// A read-only HTML view for the explanation text under the chart: it shows one document loaded
// from a string, with style sheets and PNG, JPEG and GIF images found relative to a base folder.
// Web links open in the desktop's browser; the view keeps no history.

#include <QString>
#include <QTextBrowser>
#include <QUrl>

#include <functional>

namespace tessaly {

class THtmlView : public QTextBrowser {
    Q_OBJECT
    Q_PROPERTY(QString DefaultFontName READ DefaultFontName WRITE SetDefaultFontName)
    Q_PROPERTY(int DefaultFontSize READ DefaultFontSize WRITE SetDefaultFontSize)
    Q_PROPERTY(QString DefaultPreFontName READ DefaultPreFontName WRITE SetDefaultPreFontName)
    Q_PROPERTY(QString BaseDirectory READ BaseDirectory WRITE SetBaseDirectory)
public:
    explicit THtmlView(QWidget* parent = nullptr);

    // Parses html, lays it out with the view's settings and shows it from its top.
    void LoadFromString(const QString& html);

    QString DefaultFontName() const { return FDefaultFontName; }
    void SetDefaultFontName(const QString& name);
    int DefaultFontSize() const { return FDefaultFontSize; }   // in points, at least 1
    void SetDefaultFontSize(int points);
    QString DefaultPreFontName() const { return FDefaultPreFontName; }
    void SetDefaultPreFontName(const QString& name);
    // The folder that relative image and style-sheet addresses are resolved against.
    QString BaseDirectory() const { return FBaseDirectory; }
    void SetBaseDirectory(const QString& dir);

    // Opens a web address outside the view; tests replace it. Returns the previous opener.
    using TUrlOpener = std::function<void(const QUrl&)>;
    static TUrlOpener SetUrlOpener(TUrlOpener opener);

    QVariant loadResource(int type, const QUrl& name) override;

private:
    void ApplyFonts();
    void LinkClicked(const QUrl& url);

    QString FDefaultFontName = "Microsoft Sans Serif";
    int FDefaultFontSize = 8;
    QString FDefaultPreFontName = "Courier New";
    QString FBaseDirectory;
};

} // namespace tessaly
