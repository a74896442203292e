#include "html/HtmlView.h"

#include <QFile>
#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

#include <gtest/gtest.h>

using tessaly::THtmlView;

namespace {

// The character format of the first fragment whose text contains word.
QTextCharFormat FormatOf(QTextDocument* doc, const QString& word)
{
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().text().contains(word))
                return it.fragment().charFormat();
    ADD_FAILURE() << "no fragment with " << word.toStdString();
    return {};
}

} // namespace

TEST(HtmlView, StyleSheetsAndTheFixedPitchFontApply)
{
    THtmlView view;
    view.LoadFromString("<html><head><style>.warn { color: #ff0000; font-weight: bold; }</style>"
                        "</head><body><p class='warn'>Careful</p><pre>x^2</pre><p>plain</p></body></html>");
    const QTextCharFormat warn = FormatOf(view.document(), "Careful");
    EXPECT_EQ(warn.foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(warn.fontWeight(), QFont::Bold);
    const QStringList families = FormatOf(view.document(), "x^2").fontFamilies().toStringList();
    ASSERT_FALSE(families.isEmpty());
    EXPECT_EQ(families.front(), "Courier New");
    EXPECT_EQ(view.document()->defaultFont().family(), "Microsoft Sans Serif");
    EXPECT_EQ(view.document()->defaultFont().pointSize(), 8);
}

TEST(HtmlView, ImagesAreFoundRelativeToTheBaseFolderInEachFormat)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage img(7, 5, QImage::Format_RGB32);
    img.fill(Qt::blue);
    for (const char* fmt : {"png", "jpg"})
        ASSERT_TRUE(img.save(dir.filePath(QString("pic.") + fmt), fmt)) << fmt;
    // Qt reads GIF but cannot write it: a 1 x 1 GIF by hand.
    static const unsigned char gif[] = {
        'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xff, 0xff, 0xff, 0, 0, 0,
        '!', 0xf9, 4, 1, 0, 0, 0, 0, ',', 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 'D', 1, 0, ';'};
    QFile gifFile(dir.filePath("pic.gif"));
    ASSERT_TRUE(gifFile.open(QIODevice::WriteOnly));
    gifFile.write(reinterpret_cast<const char*>(gif), sizeof gif);
    gifFile.close();

    THtmlView view;
    view.SetBaseDirectory(dir.path());
    view.resize(300, 200);
    view.LoadFromString("<p><img src='pic.png'><img src='pic.jpg'><img src='pic.gif'>"
                        "<img src='missing.png'></p>");
    for (const char* fmt : {"png", "jpg", "gif"}) {
        const QVariant res = view.document()->resource(QTextDocument::ImageResource,
                                                       QUrl(QString("pic.") + fmt));
        QImage loaded;
        if (res.canConvert<QByteArray>())
            loaded.loadFromData(res.toByteArray());
        if (loaded.isNull())
            loaded = res.value<QImage>();
        EXPECT_EQ(loaded.size(), std::string(fmt) == "gif" ? QSize(1, 1) : QSize(7, 5)) << fmt;
    }
    EXPECT_FALSE(view.loadResource(QTextDocument::ImageResource, QUrl("missing.png")).isValid());
}

TEST(HtmlView, WebLinksLeaveTheViewAndAnchorsStayInside)
{
    QList<QUrl> opened;
    auto old = THtmlView::SetUrlOpener([&](const QUrl& u) { opened.push_back(u); });
    THtmlView view;
    view.LoadFromString("<p><a href='https://example.org/x'>web</a></p>");
    const QString before = view.toPlainText();
    emit view.anchorClicked(QUrl("https://example.org/x"));
    emit view.anchorClicked(QUrl("HTTP://example.org/y"));
    emit view.anchorClicked(QUrl("#top"));
    emit view.anchorClicked(QUrl("other.html"));
    THtmlView::SetUrlOpener(old);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0], QUrl("https://example.org/x"));
    // Nothing replaced the document.
    EXPECT_EQ(view.toPlainText(), before);
    EXPECT_FALSE(view.isBackwardAvailable());
}

TEST(HtmlView, LoadingShowsTheNewDocumentFromItsTop)
{
    THtmlView view;
    view.resize(200, 100);
    QString longText;
    for (int i = 0; i < 200; ++i)
        longText += QString("<p>line %1</p>").arg(i);
    view.LoadFromString(longText);
    view.show();
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
    ASSERT_GT(view.verticalScrollBar()->value(), 0);
    view.LoadFromString(longText + "<p>again</p>");
    EXPECT_EQ(view.verticalScrollBar()->value(), 0);
    EXPECT_TRUE(view.toPlainText().endsWith("again"));
    EXPECT_TRUE(view.isReadOnly());
}
