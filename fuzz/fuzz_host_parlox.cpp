// Fuzzes the language-file reader and the look-up on arbitrary bytes. The input is loaded as a
// language file; every loaded key is asked for again and every line of the input as a text of its
// own, with parameters, while unknown texts are collected. The file of collected texts is then
// read back: it must give every collected text and every loaded entry back, entry for entry.
#include "host/Parlox2000.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

using namespace tessaly;

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

void Load(TParlox2000& engine, const QByteArray& bytes)
{
    QBuffer file;
    file.setData(bytes);
    file.open(QIODevice::ReadOnly);
    engine.LoadFromStream(file);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TParlox2000 engine;   // an empty application name, as the host client gives it
    Load(engine, bytes);
    Check(engine.Keys().size() == engine.Values().size());

    engine.SetAutoCreate(true);
    const QStringList params{QStringLiteral("<%2%>"), QStringLiteral("<%1%>second")};
    for (const QString& key : engine.Keys())
        engine.Translate(key.toUpper(), params);
    for (const QByteArray& line : bytes.split('\n'))
        engine.Translate(DecodeLanguageText(line.toStdString()), params);
    engine.SetAutoCreate(false);   // nothing is written to disk here

    TParlox2000 reread;
    Load(reread, engine.NewEntriesFileContent());
    const qsizetype fresh = engine.NewEntries().size();
    Check(reread.Keys().size() == fresh + engine.Keys().size());
    for (qsizetype j = 0; j < fresh; ++j) {
        // Each collected entry is "[text]=text|$$".
        const QString& entry = engine.NewEntries()[j];
        const QString text = entry.mid(1, (entry.size() - 6) / 2);
        Check(reread.Keys()[j] == TParlox2000::NormaliseKey(text));
        Check(reread.Values()[j] == engine.DecodeValue(text));
    }
    for (qsizetype i = 0; i < engine.Keys().size(); ++i) {
        Check(reread.Keys()[fresh + i] == engine.Keys()[i]);
        Check(reread.Values()[fresh + i] == engine.Values()[i]);
    }
    return 0;
}
