#include "host/AboutBox.h"
#include "host/Parlox2000.h"
#include "support/LanguageFile.h"
#include "widgets/Tovra_urllab.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tessaly;

namespace {

using tessaly::test::LoadLanguageBytes;

// Shows the dialog modally, as the main window does, and closes it with its button.
int ShowAndClose(TFrmAbout& about)
{
    QTimer::singleShot(0, &about, [&] { QTest::mouseClick(about.BButOK, Qt::LeftButton); });
    return about.exec();
}

} // namespace

TEST(AboutBox, WithoutALanguageFileTheEnglishTextsShowAndTheHomePageLinkHides)
{
    TParlox2000 engine;
    TFrmAbout about;
    about.Prepare(engine, "Tessaly", "Version 1.0");
    EXPECT_EQ(ShowAndClose(about), QDialog::Accepted);
    EXPECT_EQ(about.windowTitle(), "About");
    EXPECT_EQ(about.BButOK->text(), "OK");
    EXPECT_EQ(about.LblName->text(), "Tessaly");
    EXPECT_EQ(about.LblVersion->text(), "Version 1.0");
    EXPECT_EQ(about.LblWebSite->text(), "More information can be found at the following Web sites:");
    EXPECT_EQ(about.LblDescription->text(), QString::fromUtf8(TFrmAbout::EnglishDescription));
    EXPECT_FALSE(about.UrlLabHomepage->isVisible());
    EXPECT_EQ(about.UrlLabHomepage->text(), "HomePage");
    EXPECT_EQ(about.UrlLabTovraSuite->y(), 16);
    EXPECT_EQ(about.UrlLabSimulations->y(), 32);
    EXPECT_EQ(about.size(), QSize(543, 332));
    EXPECT_FALSE(about.windowIcon().isNull());
}

TEST(AboutBox, TheLanguageFileChoosesTextsAndWhetherTheHomePageLinkShows)
{
    struct Case { const char* file; bool german; bool linkShown; };
    const Case cases[] = {
        {"[$dlglanguage$]=LgGerman|$$[About]=Info|$$", true, false},
        {"[$dlglanguage$]=lggerman|$$[HomePage]=Homepage|$$[HomePageURL]=https://h.example.org/|$$", true, true},
        {"[$dlglanguage$]=LgGerman2|$$[HomePage]=|$$", false, false},
        {"[HomePage]=Our site|$$", false, true},
    };
    for (const Case& c : cases) {
        TParlox2000 engine;
        LoadLanguageBytes(engine, c.file);
        TFrmAbout about;
        about.Prepare(engine, "Tessaly", "Version 1.0");
        ShowAndClose(about);
        EXPECT_EQ(about.LblWebSite->text().startsWith("Mehr Informationen"), c.german) << c.file;
        EXPECT_EQ(about.UrlLabHomepage->isVisibleTo(&about), c.linkShown) << c.file;
        EXPECT_EQ(about.UrlLabTovraSuite->y(), c.linkShown ? 8 : 16) << c.file;
    }
    TParlox2000 engine;
    LoadLanguageBytes(engine, cases[1].file);
    TFrmAbout about;
    about.Prepare(engine, "Tessaly", "Version 1.0");
    EXPECT_EQ(about.UrlLabHomepage->URL(), "https://h.example.org/");
    EXPECT_EQ(about.UrlLabHomepage->text(), "Homepage");
}
