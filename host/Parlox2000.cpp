#include "host/Parlox2000.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <QLocale>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>

namespace tessaly {

namespace {

constexpr std::string_view Terminator = "|$$";
constexpr std::string_view KeyEnd = "]=";

// Windows-1252 for the bytes 0x80..0x9F; its five undefined codes stand for themselves.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The length of the well-formed UTF-8 sequence that starts at bytes[at] (overlong forms,
// surrogates and code points above U+10FFFF are not well-formed), or 0 when none starts there.
std::size_t Utf8Sequence(std::string_view bytes, std::size_t at, char32_t& codePoint)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[at + k]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07u;
    } else {
        return 0;
    }
    if (bytes.size() - at < length)
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0u) != 0x80u)
            return 0;
        codePoint = (codePoint << 6) | (byte(k) & 0x3Fu);
    }
    if (length == 3 && (codePoint < 0x800 || (codePoint >= 0xD800 && codePoint <= 0xDFFF)))
        return 0;
    if (length == 4 && (codePoint < 0x10000 || codePoint > 0x10FFFF))
        return 0;
    return length;
}

QChar FoldChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') ? QChar(char16_t(u + (u'a' - u'A'))) : c;
}

bool MatchesAsciiNoCase(const QString& text, qsizetype at, QStringView pattern)
{
    for (qsizetype k = 0; k < pattern.size(); ++k) {
        if (FoldChar(text[at + k]) != FoldChar(pattern[k]))
            return false;
    }
    return true;
}

// Replaces every occurrence of pattern (ASCII letters in any case) from left to right; the
// search goes on behind each inserted replacement, which is never searched again.
QString ReplaceAllAsciiNoCase(const QString& text, QStringView pattern, QStringView replacement)
{
    const qsizetype m = pattern.size();
    if (m == 0 || text.size() < m)
        return text;
    QString out;
    qsizetype copied = 0;
    qsizetype at = 0;
    while (at + m <= text.size()) {
        if (MatchesAsciiNoCase(text, at, pattern)) {
            if (out.isNull())
                out.reserve(text.size() + replacement.size());
            out.append(QStringView(text).mid(copied, at - copied));
            out.append(replacement);
            at += m;
            copied = at;
        } else {
            ++at;
        }
    }
    if (copied == 0)
        return text;
    out.append(QStringView(text).mid(copied));
    return out;
}

// Fills "<%1%>", "<%2%>" ... in rounds for 1, 2, ...; text brought in by one round is searched by
// the rounds after it.
QString SubstituteParams(QString text, const QStringList& params)
{
    for (qsizetype j = 0; j < params.size(); ++j) {
        const QString placeholder = QStringLiteral("<%") + QString::number(j + 1) + QStringLiteral("%>");
        text = ReplaceAllAsciiNoCase(text, placeholder, params[j]);
    }
    return text;
}

} // namespace

TRawLanguageEntry SplitLanguageEntry(std::string_view entryText)
{
    const std::string_view body = entryText.substr(0, entryText.find(Terminator));
    const std::size_t open = body.find('[');
    const std::size_t keyStart = open == std::string_view::npos ? 0 : open + 1;
    // Searching behind the "[" keeps a "]=" in the bytes between two entries from cutting the
    // next entry's key short.
    const std::size_t keyEnd = body.find(KeyEnd, keyStart);
    if (keyEnd == std::string_view::npos)
        return {};
    return {std::string(body.substr(keyStart, keyEnd - keyStart)),
            std::string(body.substr(keyEnd + KeyEnd.size()))};
}

std::vector<TRawLanguageEntry> ReadLanguageEntries(const TBlockReader& read)
{
    std::vector<TRawLanguageEntry> entries;
    std::string buffer;        // bytes read but not yet part of an entry
    bool ended = false;        // a read returned less than a whole block
    for (;;) {
        std::size_t terminator = buffer.find(Terminator);
        while (terminator == std::string::npos && !ended) {
            const std::size_t had = buffer.size();
            buffer.resize(had + LanguageFileBlockSize);
            std::int64_t got = read(buffer.data() + had, LanguageFileBlockSize);
            if (got < 0)
                got = 0;
            buffer.resize(had + static_cast<std::size_t>(got));
            ended = got < LanguageFileBlockSize;
            // Only the new bytes, and the two before them, can complete a terminator.
            terminator = buffer.find(Terminator, had >= 2 ? had - 2 : 0);
        }
        if (terminator == std::string::npos)
            return entries;
        const std::size_t entryEnd = terminator + Terminator.size();
        entries.push_back(SplitLanguageEntry(std::string_view(buffer).substr(0, entryEnd)));
        buffer.erase(0, entryEnd);
    }
}

std::vector<TRawLanguageEntry> ReadLanguageEntries(std::string_view bytes)
{
    std::size_t position = 0;
    return ReadLanguageEntries([&](char* out, std::int64_t size) -> std::int64_t {
        const std::size_t n = std::min(static_cast<std::size_t>(size), bytes.size() - position);
        bytes.copy(out, n, position);
        position += n;
        return static_cast<std::int64_t>(n);
    });
}

QString DecodeLanguageText(std::string_view bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    std::size_t at = 0;
    while (at < bytes.size()) {
        char32_t codePoint = 0;
        const std::size_t length = Utf8Sequence(bytes, at, codePoint);
        if (length == 0) {
            const auto b = static_cast<unsigned char>(bytes[at]);
            text.append(QChar(b >= 0x80 && b <= 0x9F ? Cp1252High[b - 0x80] : char16_t(b)));
            ++at;
        } else if (codePoint > 0xFFFF) {
            text.append(QChar(QChar::highSurrogate(codePoint)));
            text.append(QChar(QChar::lowSurrogate(codePoint)));
            at += length;
        } else {
            text.append(QChar(char16_t(codePoint)));
            at += length;
        }
    }
    return text;
}

QByteArray EncodeLanguageText(const QString& text)
{
    return text.toUtf8();
}

QString FoldAscii(const QString& text)
{
    QString folded = text;
    for (QChar& c : folded)
        c = FoldChar(c);
    return folded;
}

QString LanguageFileName(const QString& programPath)
{
    QString name = programPath;
    if (name.endsWith(QLatin1String(".exe")))
        name.chop(4);
    return name + QStringLiteral(".itl");
}

QString FindLanguageFile(const QString& programPath, const QStringList& languages)
{
    const QString beside = LanguageFileName(programPath);
    if (QFileInfo::exists(beside))
        return beside;
    const QFileInfo program(programPath);
    QString stem = program.fileName();
    if (stem.endsWith(QLatin1String(".exe")))
        stem.chop(4);
    const QString folder = program.absolutePath() + "/../share/tessaly/";
    QStringList tried;
    for (const QString& language : languages) {
        // "de-DE", "de_DE.UTF-8" and "de" all name German.
        const QString code = language.section(QRegularExpression("[-_.@]"), 0, 0).toLower();
        if (code.isEmpty() || tried.contains(code))
            continue;
        tried << code;
        const QString file = folder + stem + "." + code + ".itl";
        if (QFileInfo::exists(file))
            return QDir::cleanPath(file);
    }
    const QString english = folder + stem + ".en.itl";
    return QFileInfo::exists(english) ? QDir::cleanPath(english) : QString();
}

QStringList UserLanguages()
{
    return QLocale::system().uiLanguages();
}

TParlox2000::TParlox2000(const QString& appName) : FAppName(appName) {}

TParlox2000::~TParlox2000()
{
    if (!FAutoCreate)
        return;
    try {
        SaveNewEntries();
    } catch (const std::exception& e) {
        qWarning("%s", e.what());
    }
}

void TParlox2000::LoadFromStream(QIODevice& stream)
{
    FKeys.clear();
    FValues.clear();
    FFileValues.clear();
    if (!stream.isSequential())
        stream.seek(0);
    const auto entries = ReadLanguageEntries([&stream](char* buffer, std::int64_t size) {
        return static_cast<std::int64_t>(stream.read(buffer, size));
    });
    FKeys.reserve(static_cast<qsizetype>(entries.size()));
    FValues.reserve(static_cast<qsizetype>(entries.size()));
    FFileValues.reserve(static_cast<qsizetype>(entries.size()));
    for (const TRawLanguageEntry& entry : entries) {
        FKeys.append(NormaliseKey(DecodeLanguageText(entry.Key)));
        FFileValues.append(DecodeLanguageText(entry.Value));
        FValues.append(DecodeValue(FFileValues.back()));
    }
}

QString TParlox2000::Translate(const QString& text, const QStringList& params)
{
    const qsizetype match = FKeys.indexOf(FoldAscii(text));
    if (match >= 0) {
        QString result = SubstituteParams(FValues[match], params);
        if (OnTextTranslated)
            OnTextTranslated(*this, text, result);
        return result;
    }
    QString result = SubstituteParams(text, params);
    if (FAutoCreate)
        Collect(text);
    return result;
}

void TParlox2000::Collect(const QString& text)
{
    // A text holding a terminator or a key end cannot be written as an entry: it would cut its
    // own entry apart and garble the file for every entry behind it.
    if (text.contains(QLatin1String("|$$")) || text.contains(QLatin1String("]=")))
        return;
    QString entry = QStringLiteral("[") + text + QStringLiteral("]=") + text + QStringLiteral("|$$");
    QString folded = FoldAscii(entry);
    if (FNewEntriesFolded.contains(folded))
        return;
    FNewEntriesFolded.insert(std::move(folded));
    FNewEntries.append(std::move(entry));
}

QString TParlox2000::NormaliseKey(const QString& key)
{
    if (key.isEmpty())
        return key;
    QString folded = FoldAscii(key);
    QString normal;
    normal.reserve(folded.size());
    for (QChar c : folded) {
        if (c == u'\r' || c == u'\n' || c == u'\t')
            c = u' ';
        // Runs of blanks become one, and blanks at the start go.
        if (c == u' ' && (normal.isEmpty() || normal.back() == u' '))
            continue;
        normal.append(c);
    }
    return normal;
}

QString TParlox2000::DecodeValue(const QString& value) const
{
    QString decoded = value;
    decoded.replace(u'\r', u' ');
    decoded.replace(u'\n', u' ');
    decoded.replace(QStringLiteral("\\n"), QStringLiteral("\r\n"));
    return ReplaceAllAsciiNoCase(decoded, u"<%APPNAME%>", FAppName);
}

QString TParlox2000::NewEntriesFileName()
{
    if (!QCoreApplication::instance())
        return {};
    return LanguageFileName(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
}

QByteArray TParlox2000::NewEntriesFileContent() const
{
    QByteArray content;
    for (const QString& entry : FNewEntries) {
        content += EncodeLanguageText(entry);
        content += "\r\n";
    }
    // Values go back as the file gave them: the decoded form would turn "\n" into raw line
    // breaks (read back as blanks) and bake the application name in where the file had its
    // placeholder; an empty name could even join "|" and "$$" into a terminator.
    for (qsizetype i = 0; i < FKeys.size(); ++i) {
        content += EncodeLanguageText(QStringLiteral("[") + FKeys[i] + QStringLiteral("]=") +
                                      FFileValues[i] + QStringLiteral("|$$"));
        content += "\r\n";
    }
    return content;
}

void TParlox2000::SaveNewEntries() const
{
    const QString name = NewEntriesFileName();
    if (name.isEmpty())
        throw ELanguageFileError("Cannot create the language file: the program's name is unknown");
    QSaveFile file(name);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        throw ELanguageFileError("Cannot create file \"" + name.toStdString() + "\". " +
                                 file.errorString().toStdString());
    const QByteArray content = NewEntriesFileContent();
    if (file.write(content) != content.size() || !file.commit())
        throw ELanguageFileError("Cannot write file \"" + name.toStdString() + "\". " +
                                 file.errorString().toStdString());
}

} // namespace tessaly
