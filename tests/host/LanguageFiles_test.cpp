// The language files that ship with the program: they parse, and the German one translates
// every text the program marks for translation.
#include "host/Parlox2000.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

using tessaly::FindLanguageFile;
using tessaly::TParlox2000;

namespace {

QString LangFile(const char* name)
{
    return QString(TESSALY_SOURCE_DIR) + "/lang/" + name;
}

void Load(TParlox2000& engine, const char* name)
{
    QFile f(LangFile(name));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    engine.LoadFromStream(f);
}

// The marked texts of the main window and the about box, without their marker.
const char* const MarkedTexts[] = {
    "Tessaly", "About", "Exit", "OK", "HomePage", "Grid", "Crosshair", "Function to Calculate",
    "zoom diagram to see all data in the interval -100 < x < 100",
    "Adjust the y-axis to see all data for the current x range", "Adjust the x-axis to 0 to 100",
    "zoom into window", "zoom by dragging the mouse", "pan the diagram", "move the crosshair",
};

} // namespace

TEST(LanguageFiles, EnglishAndGermanCarryTheirIdsAndTheExplanation)
{
    for (const char* name : {"tessaly.itl", "tessaly.de.itl"}) {
        TParlox2000 engine;
        Load(engine, name);
        ASSERT_FALSE(engine.Keys().isEmpty()) << name;
        EXPECT_EQ(engine.Keys().size(), engine.Values().size());
        const QString explain = engine.Translate("MMExplain");
        EXPECT_NE(explain, "MMExplain") << name;
        EXPECT_TRUE(explain.contains("<style>")) << name;
        EXPECT_TRUE(explain.contains("<img src=\"tessaly-explain.png\"")) << name;
        EXPECT_TRUE(explain.trimmed().endsWith("</html>")) << name;
        // Every key appears once: a second entry would never be found.
        QStringList seen;
        for (const QString& k : engine.Keys()) {
            EXPECT_FALSE(seen.contains(k)) << name << ": " << k.toStdString();
            seen << k;
        }
    }
    TParlox2000 de;
    Load(de, "tessaly.de.itl");
    EXPECT_EQ(tessaly::FoldAscii(de.Translate("$dlglanguage$")), "lggerman");
    TParlox2000 en;
    Load(en, "tessaly.itl");
    EXPECT_NE(tessaly::FoldAscii(en.Translate("$dlglanguage$")), "lggerman");
    QFile picture(LangFile("tessaly-explain.png"));
    EXPECT_TRUE(picture.exists());
}

TEST(LanguageFiles, GermanTranslatesEveryMarkedTextAndTheErrorReasons)
{
    TParlox2000 de;
    de.SetAutoCreate(false);
    Load(de, "tessaly.de.itl");
    for (const char* text : MarkedTexts) {
        const QString key = TParlox2000::NormaliseKey(text);
        EXPECT_TRUE(de.Keys().contains(key)) << text;
    }
    EXPECT_EQ(de.Translate("Exit"), QString::fromUtf8("Beenden"));
    EXPECT_EQ(de.Translate("division by zero"), "Division durch Null");
    EXPECT_EQ(de.Translate("Floating point overflow"), QString::fromUtf8("Gleitkommaüberlauf"));
}

TEST(LanguageFiles, EveryShippedLanguageHasExactlyTheKeysOfTheEnglishFile)
{
    TParlox2000 english;
    english.SetAutoCreate(false);
    Load(english, "tessaly.itl");
    QStringList expected = english.Keys();
    expected.sort();
    const QStringList files = QDir(LangFile("")).entryList({"tessaly.*.itl"});
    for (const char* code : {"de", "fr", "es"})
        EXPECT_TRUE(files.contains(QString("tessaly.%1.itl").arg(code))) << code;
    for (const QString& name : files) {
        TParlox2000 engine;
        engine.SetAutoCreate(false);
        Load(engine, name.toUtf8().constData());
        QStringList keys = engine.Keys();
        keys.sort();
        for (const QString& k : expected)
            EXPECT_TRUE(keys.contains(k)) << name.toStdString() << " lacks " << k.toStdString();
        for (const QString& k : keys)
            EXPECT_TRUE(expected.contains(k)) << name.toStdString() << " has more: " << k.toStdString();
        EXPECT_EQ(keys.removeDuplicates(), 0) << name.toStdString();
        // A translation keeps the placeholders of its key.
        for (qsizetype i = 0; i < engine.Keys().size(); ++i) {
            if (engine.Keys()[i].contains("<%1%>")) {
                EXPECT_TRUE(engine.Values()[i].contains("<%1%>")) << name.toStdString();
            }
        }
        EXPECT_TRUE(engine.Translate("MMExplain").contains("<img src=\"tessaly-explain.png\""))
            << name.toStdString();
    }
}

TEST(LanguageFiles, TheFileBesideTheProgramComesFirstThenTheInstalledOneOfTheUsersLanguage)
{
    QTemporaryDir prefix;
    QDir(prefix.path()).mkpath("bin");
    QDir(prefix.path()).mkpath("share/tessaly");
    auto touch = [](const QString& path) {
        QFile f(path);
        return f.open(QIODevice::WriteOnly);
    };
    const QString program = prefix.filePath("bin/tessaly");
    const QString shared = QFileInfo(prefix.filePath("share/tessaly")).absoluteFilePath();
    ASSERT_TRUE(touch(shared + "/tessaly.en.itl"));
    ASSERT_TRUE(touch(shared + "/tessaly.de.itl"));
    struct Case { QStringList languages; QString file; };
    const Case cases[] = {
        {{"de-DE", "de"}, "tessaly.de.itl"}, {{"de_AT.UTF-8"}, "tessaly.de.itl"},
        {{"fr-FR", "de-DE"}, "tessaly.de.itl"}, {{"fr-FR"}, "tessaly.en.itl"},
        {{"C"}, "tessaly.en.itl"}, {{}, "tessaly.en.itl"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindLanguageFile(program, c.languages), shared + "/" + c.file)
            << c.languages.join(',').toStdString();
    // The file beside the program, as in a build tree or a copied folder, wins.
    ASSERT_TRUE(touch(program + ".itl"));
    EXPECT_EQ(FindLanguageFile(program, {"de"}), program + ".itl");
    // Nothing at all: no file.
    EXPECT_EQ(FindLanguageFile(prefix.filePath("a/b/tessaly"), {"de"}), "");
}
