#pragma once
// TParlox2000, the translation engine: it holds the entries of a language file (.itl), answers
// look-ups by key and walks objects to replace marked texts ("PX_Exit") by their translations.
// Optionally it collects the texts it could not find and writes them, with the loaded entries,
// to a language file for translators when it is destroyed.
//
// A language file is a sequence of entries "[key]=value|$$". The file is bytes: entries are split
// on the bytes (every delimiter is ASCII), then each key and value is decoded to text (UTF-8,
// Windows-1252 for bytes that are not valid UTF-8), and the key is normalised, the value decoded.

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class QIODevice;
class QObject;

namespace tessaly {

// One entry of a language file as its bytes stand, before decoding and normalisation.
struct TRawLanguageEntry {
    std::string Key;
    std::string Value;

    bool operator==(const TRawLanguageEntry&) const = default;
};

// Reads up to `size` bytes into `buffer` and returns how many it read: 0 at the end of the
// stream, a negative count on a read error (which ends the stream too).
using TBlockReader = std::function<std::int64_t(char* buffer, std::int64_t size)>;

// Language files are read in blocks of this many bytes.
inline constexpr std::int64_t LanguageFileBlockSize = 256;

// Splits one entry text, which runs up to and including its terminator "|$$", into its key and
// value. The key starts behind the first "[" (at the start of the text when there is none) and
// ends at the first "]=" behind that point; the value runs from there to the terminator. Without
// a "]=" both are empty. Example: "\r\n[Exit]=Close|$$" gives the key "Exit" and the value
// "Close".
TRawLanguageEntry SplitLanguageEntry(std::string_view entryText);

// Reads every terminated entry, block by block, until a read returns less than a whole block;
// bytes behind the last terminator are ignored.
std::vector<TRawLanguageEntry> ReadLanguageEntries(const TBlockReader& read);
std::vector<TRawLanguageEntry> ReadLanguageEntries(std::string_view bytes);

// Language-file bytes as text: each valid UTF-8 sequence gives its character; every other byte
// is read as Windows-1252 (0x80..0x9F as that code page maps them, its five undefined codes
// as the C1 controls of the same number, 0xA0..0xFF as Latin-1), so files written on Windows
// keep working.
QString DecodeLanguageText(std::string_view bytes);
// Text as language-file bytes: always UTF-8, which DecodeLanguageText reads back unchanged.
QByteArray EncodeLanguageText(const QString& text);

// Folds the ASCII letters "A" to "Z" to lower case and leaves every other character as it is.
QString FoldAscii(const QString& text);

// The language file that belongs to a program: its path with a trailing ".exe" removed, then
// ".itl" ("/opt/tessaly/tessaly" gives "/opt/tessaly/tessaly.itl").
QString LanguageFileName(const QString& programPath);

// The language file to read for a program: the file beside it (LanguageFileName) when there is
// one, as in a build tree or a copied folder; else, for an installed program, the file of the
// first of `languages` that the folder ../share/tessaly/ next to the program's folder holds
// ("de-DE" or "de" finds tessaly.de.itl), else its English file tessaly.en.itl. Empty when there
// is none of them.
QString FindLanguageFile(const QString& programPath, const QStringList& languages);

// The user's languages, most wanted first, as Qt reads them from LANGUAGE, LC_ALL, LC_MESSAGES
// and LANG ("de-DE", "de", ...).
QStringList UserLanguages();

// A language file could not be created or written.
class ELanguageFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TParlox2000 {
public:
    // Called after a successful look-up with the text as asked for; it may change the result.
    using TTextTranslatedEvent =
        std::function<void(TParlox2000& sender, const QString& text, QString& result)>;
    // Called before an object's properties are translated; clearing proceed skips the object.
    using TTranslateObjectEvent =
        std::function<void(TParlox2000& sender, QObject& object, bool& proceed)>;

    // appName replaces "<%APPNAME%>" in the values of the language file.
    explicit TParlox2000(const QString& appName = QString());
    // Writes the collected texts first when AutoCreate is on (see SaveNewEntries).
    ~TParlox2000();
    TParlox2000(const TParlox2000&) = delete;
    TParlox2000& operator=(const TParlox2000&) = delete;

    TTextTranslatedEvent OnTextTranslated;
    TTranslateObjectEvent OnTranslateObject;

    // Replaces the dictionary by the entries of the stream, read from its start (a sequential
    // stream from where it stands). The stream must be open for reading.
    void LoadFromStream(QIODevice& stream);

    // The translation of text, or text itself when no key matches; "<%1%>", "<%2%>" ... in the
    // result are filled with params. Example: with the entry "[Hello]=Hallo <%1%>|$$",
    // Translate("HELLO", {"Welt"}) is "Hallo Welt". Never fails.
    QString Translate(const QString& text, const QStringList& params = {});

    // Translates the marked texts of component and, depth-first, of every object it owns
    // (children() in order), a parent before its children.
    void TranslateComponent(QObject& component);
    // Translates the marked texts of the properties of one object, including the settings
    // objects, collections and string lists it refers to.
    void TranslateProperties(QObject& object);

    // A key as the language file gives it, in look-up form: ASCII letters folded, CR, LF and TAB
    // as blanks, runs of blanks as one, no leading blanks ("  Zoom\r\n  Window" gives
    // "zoom window").
    static QString NormaliseKey(const QString& key);
    // A value as the language file gives it, in display form: raw CR and LF as blanks, the two
    // characters "\n" as CR LF, "<%APPNAME%>" in any letter case as AppName.
    QString DecodeValue(const QString& value) const;

    const QStringList& Keys() const { return FKeys; }
    const QStringList& Values() const { return FValues; }
    const QString& Marker() const { return FMarker; }
    const QStringList& NewEntries() const { return FNewEntries; }
    const QString& AppName() const { return FAppName; }

    // Collect the texts that were asked for and not found, and write them at destruction.
    bool AutoCreate() const { return FAutoCreate; }
    void SetAutoCreate(bool value) { FAutoCreate = value; }

    // The file that SaveNewEntries writes: the language file name of the program file, without
    // its folder, so it lands in the current directory.
    static QString NewEntriesFileName();
    // The bytes that SaveNewEntries writes: NewEntries, then every loaded entry with its
    // normalised key and its value as the file gave it (its "\n" escapes, "<%APPNAME%>" and raw
    // line breaks kept, so it reads back to the same value), each line ended by CR LF.
    QByteArray NewEntriesFileContent() const;
    // Writes NewEntriesFileContent to NewEntriesFileName, replacing the file. Throws
    // ELanguageFileError when the file cannot be created or written; the destructor, which
    // cannot pass the error on, reports it as a warning instead, so an owner that must know calls
    // this itself and then clears AutoCreate.
    void SaveNewEntries() const;

private:
    void Collect(const QString& text);

    QStringList FKeys;                   // normalised, in file order; may repeat
    QStringList FValues;                 // decoded; FValues[i] belongs to FKeys[i]
    QStringList FFileValues;             // FValues[i] as the file gave it, for writing back
    QString FMarker = QStringLiteral("PX_");
    QStringList FNewEntries;             // "[text]=text|$$" for texts not found, each once
    QSet<QString> FNewEntriesFolded;     // FNewEntries folded, to keep them free of duplicates
    bool FAutoCreate = false;
    QString FAppName;
};

} // namespace tessaly
