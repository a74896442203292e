// The translation engine without widgets: the language-file format, key and value forms, look-ups
// with parameters, and the file of collected texts.
#include "host/Parlox2000.h"
#include "support/LanguageFile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tessaly;
using namespace Qt::StringLiterals;

namespace {

// Loading starts from the beginning wherever the stream stands: the helper leaves it at its end.
using tessaly::test::LoadLanguageBytes;

// Runs a test body with the current directory in a temporary one, where the engine writes.
struct TInTemporaryDirectory {
    TInTemporaryDirectory() { QDir::setCurrent(Dir.path()); }
    ~TInTemporaryDirectory() { QDir::setCurrent(Previous); }
    QString Previous = QDir::currentPath();
    QTemporaryDir Dir;
};

} // namespace

TEST(LanguageFile, EntriesSplitIntoNormalisedKeysAndDecodedValues)
{
    struct Case { const char* name; QByteArray file; QStringList keys, values; };
    const Case cases[] = {
        {"one entry per line", "[Exit]=Close|$$\r\n[Zoom]=Zoom in|$$\r\n", {"exit", "zoom"}, {"Close", "Zoom in"}},
        {"text between entries is ignored, even a ]=", "[a]=1|$$ note x]=y\r\n[b]=2|$$", {"a", "b"}, {"1", "2"}},
        {"no [: the key starts behind the terminator", "[a]=1|$$\r\n Plain]=text|$$", {"a", "plain"}, {"1", "text"}},
        {"value keeps [, ]=, tabs and blank runs", "[k]=x [y]=z\t  w|$$", {"k"}, {"x [y]=z\t  w"}},
        {"raw line breaks in a value become blanks", "[k]=one\r\ntwo|$$", {"k"}, {"one  two"}},
        {"key holding [ and ]", "[[x]]=v|$$", {"[x]"}, {"v"}},
        {"value ending in |$", "[a]=x|$|$$", {"a"}, {"x|$"}},
        {"unterminated rest is ignored", "[a]=1|$$\r\n[b]=2|$", {"a"}, {"1"}},
        {"bytes after the last terminator", "[a]=1|$$\r\n\x1a[junk", {"a"}, {"1"}},
        {"no ]=: empty key and empty value", "[broken|$$[b]=2|$$", {"", "b"}, {"", "2"}},
        {"empty file", "", {}, {}},
    };
    for (const Case& c : cases) {
        TParlox2000 engine;
        LoadLanguageBytes(engine, c.file);
        EXPECT_EQ(engine.Keys(), c.keys) << c.name;
        EXPECT_EQ(engine.Values(), c.values) << c.name;
    }
}

TEST(LanguageFile, ReadsWholeBlocksAndFindsTerminatorsAcrossBlockBoundaries)
{
    // Entries whose terminator starts anywhere around the first and second block ends, and one
    // entry that exactly fills a block with nothing behind it.
    for (int length : {249, 250, 251, 252, 253, 254, 506, 507, 508, 10000}) {
        const std::string value(std::size_t(length), 'v');
        const std::string file = "[k]=" + value + "|$$[z]=tail|$$";
        std::vector<std::int64_t> asked;
        std::size_t at = 0;
        const auto entries = ReadLanguageEntries([&](char* out, std::int64_t size) {
            asked.push_back(size);
            const std::size_t n = std::min(std::size_t(size), file.size() - at);
            file.copy(out, n, at);
            at += n;
            return std::int64_t(n);
        });
        ASSERT_EQ(entries.size(), 2u) << length;
        EXPECT_EQ(entries[0].Value, value) << length;
        EXPECT_EQ(entries[1], (TRawLanguageEntry{"z", "tail"})) << length;
        for (std::int64_t size : asked)
            EXPECT_EQ(size, LanguageFileBlockSize);
    }
    const std::string exact = "[k]=" + std::string(249, 'v') + "|$$";
    ASSERT_EQ(exact.size(), 256u);
    EXPECT_EQ(ReadLanguageEntries(exact).size(), 1u);
    // A read error ends the stream like its end does.
    int reads = 0;
    const auto entries = ReadLanguageEntries([&](char* out, std::int64_t) -> std::int64_t {
        return ++reads > 1 ? -1 : std::int64_t(std::string("[a]=1|$$[b]=2").copy(out, 13));
    });
    EXPECT_EQ(entries, (std::vector<TRawLanguageEntry>{{"a", "1"}}));
}

TEST(LanguageFile, KeysAreNormalised)
{
    struct Case { QString key, normal; };
    for (const Case& c : {Case{"  Zoom\r\n  Window", "zoom window"}, Case{"A\tB", "a b"},
                          Case{"Trail  ", "trail "}, Case{"\r\n", ""}, Case{"", ""},
                          Case{u"ÄÖ X"_s, u"ÄÖ x"_s}})
        EXPECT_EQ(TParlox2000::NormaliseKey(c.key), c.normal) << c.key.toStdString();
}

TEST(LanguageFile, ValuesAreDecodedLeftToRightWithoutRescanningInsertedText)
{
    struct Case { QString appName, value, decoded; };
    const Case cases[] = {
        {"", "Line one\\nLine two", "Line one\r\nLine two"},
        {"", "upper \\N stays", "upper \\N stays"},
        {"", "\\\\n", "\\\r\n"},
        {"", "raw\r\nbreak", "raw  break"},
        {"", "[<%APPNAME%>]", "[]"},
        {"Tessaly", "<%appname%> and <%AppName%>", "Tessaly and Tessaly"},
        {"<%APPNAME%>", "x<%APPNAME%>y", "x<%APPNAME%>y"},
        {"a\\nb", "<%APPNAME%>", "a\\nb"},   // line breaks are decoded before the name goes in
    };
    for (const Case& c : cases)
        EXPECT_EQ(TParlox2000(c.appName).DecodeValue(c.value), c.decoded) << c.value.toStdString();
}

TEST(LanguageFile, BytesDecodeAsUtf8WithWindows1252ForTheRest)
{
    struct Case { std::string bytes; QString text; };
    const Case cases[] = {
        {"plain", "plain"},
        {"gr\xC3\xBC\xC3\x9F", u"grüß"_s},
        {"gr\xFC\xDF", u"grüß"_s},
        {"\xC3\xA4\xE4", u"ää"_s},
        {"\x80\x81\x8D\x9F", u"€\u0081\u008DŸ"_s},
        {"\xC0\x80", u"À€"_s},                          // overlong
        {"\xE2\x82", u"â‚"_s},                           // cut short
        {"\xED\xA0\x80", u"í\u00A0€"_s},                 // surrogate
        {"\xF4\x90\x80\x80", u"ô\u0090€€"_s},            // above U+10FFFF
        {"\xF0\x9F\x98\x80", QString::fromUcs4(U"\U0001F600")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeLanguageText(c.bytes), c.text) << c.bytes;
        const QByteArray encoded = EncodeLanguageText(c.text);
        EXPECT_EQ(DecodeLanguageText(encoded.toStdString()), c.text) << "round trip " << c.bytes;
    }
}

TEST(Translate, LooksUpFoldedTextsAndFillsParameters)
{
    TParlox2000 engine;
    LoadLanguageBytes(engine, "[Exit]=Close|$$\r\n[EXIT]=Second|$$\r\n[  Zoom\r\n  Window]=Zoom!|$$\r\n"
                 "[Greet]=Hello <%1%>, <%2%>|$$\r\n[\xC4rger]=Anger|$$\r\n");
    struct Case { QString text; QStringList params; QString result; };
    const Case cases[] = {
        {"eXiT", {}, "Close"},                       // the first of two equal keys wins
        {"ZOOM WINDOW", {}, "Zoom!"},
        {"Zoom\r\nWindow", {}, "Zoom\r\nWindow"},     // asked texts are not normalised
        {"Zoom  Window", {}, "Zoom  Window"},
        {u"ÄRGER"_s, {}, "Anger"},                  // only ASCII letters fold
        {u"ärger"_s, {}, u"ärger"_s},
        {"Unknown Text", {}, "Unknown Text"},
        {"greet", {"A", "B"}, "Hello A, B"},
        {"Hello <%1%>", {"World"}, "Hello World"},
        {"x <%1%>", {"<%2%>", "two"}, "x two"},     // later rounds search text of earlier ones
        {"<%1%> <%2%>", {"a", "<%1%>"}, "a <%1%>"},
        {"<%1%>", {"<%1%><%1%>"}, "<%1%><%1%>"},
        {"<%1%> <%3%>", {"a"}, "a <%3%>"},
        {"<%10%>|<%1%>", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "ten"}, "ten|1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(engine.Translate(c.text, c.params), c.result) << c.text.toStdString();
}

TEST(Translate, HookSeesFoundTextsOnlyAndMayChangeTheResult)
{
    TParlox2000 engine;
    LoadLanguageBytes(engine, "[Exit]=Close|$$");
    QStringList seen;
    engine.OnTextTranslated = [&](TParlox2000&, const QString& text, QString& result) { seen << text; result += "!"; };
    EXPECT_EQ(engine.Translate("EXIT"), "Close!");
    EXPECT_EQ(engine.Translate("Missing"), "Missing");
    EXPECT_EQ(seen, QStringList{"EXIT"});
}

TEST(AutoCreate, CollectsUnknownTextsOnceAndOnlyWhereTheFormatCanHoldThem)
{
    TParlox2000 engine;
    LoadLanguageBytes(engine, "[Exit]=Close|$$");
    engine.Translate("Before");   // not collected: AutoCreate is still off
    engine.SetAutoCreate(true);
    for (const char* text : {"Quit", "QUIT", "Exit", "Hello <%1%>", "Two\r\nlines", "a|$$b", "k]=v", "quit"})
        engine.Translate(text, {"World"});
    EXPECT_EQ(engine.NewEntries(), (QStringList{"[Quit]=Quit|$$", "[Hello <%1%>]=Hello <%1%>|$$",
                                                "[Two\r\nlines]=Two\r\nlines|$$"}));
    engine.SetAutoCreate(false);
}

TEST(AutoCreate, WrittenFileListsNewEntriesThenLoadedOnesAndReadsBack)
{
    TInTemporaryDirectory cwd;
    const QString name = TParlox2000::NewEntriesFileName();
    EXPECT_EQ(name, QFileInfo(QCoreApplication::applicationFilePath()).fileName() + ".itl");
    {
        QFile old(name);   // an existing file is replaced
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("[stale]=old|$$\r\n");
    }
    // Loaded values go back as the file gave them: escapes, placeholders and raw line breaks.
    const QByteArray title = "<%APPNAME%> raw\r\nbreak|<%appname%>$$";
    const QByteArray expected = "[New]=New|$$\r\n[exit]=Close|$$\r\n[multi]=a\\nb|$$\r\n"
                                "[gr\xC3\xBC\xC3\x9F]=Gr\xC3\xBC\xC3\x9F|$$\r\n[title]=" + title + "|$$\r\n";
    {
        TParlox2000 engine;
        LoadLanguageBytes(engine, "[Exit]=Close|$$\r\n[Multi]=a\\nb|$$\r\n[Gr\xFC\xDF]=Gr\xFC\xDF|$$[Title]=" + title + "|$$");
        engine.SetAutoCreate(true);
        engine.Translate("New");
        engine.Translate("exit");
        EXPECT_EQ(engine.NewEntriesFileContent(), expected);
    }
    QFile written(name);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), expected);
    written.seek(0);
    TParlox2000 reread;
    reread.LoadFromStream(written);
    EXPECT_EQ(reread.Keys(), (QStringList{"new", "exit", "multi", u"grüß"_s, "title"}));
    EXPECT_EQ(reread.Values(), (QStringList{"New", "Close", "a\r\nb", u"Grüß"_s, " raw  break|$$"}));
}

TEST(AutoCreate, NothingIsWrittenWhenOffAndAFailedWriteIsReported)
{
    TInTemporaryDirectory cwd;
    const QString name = TParlox2000::NewEntriesFileName();
    { TParlox2000 engine; engine.Translate("x"); }
    EXPECT_FALSE(QFileInfo::exists(name));

    ASSERT_TRUE(QDir().mkdir(name));   // a folder in the file's place cannot be replaced
    TParlox2000 engine;
    engine.SetAutoCreate(true);
    engine.Translate("x");
    EXPECT_THROW(engine.SaveNewEntries(), ELanguageFileError);
    // Destroying the engine now reports the failure as a warning instead of ending the program.
}
