#pragma once
// Language files given as bytes in tests.

#include "host/Parlox2000.h"

#include <QBuffer>
#include <QByteArray>

namespace tessaly::test {

// Loads `bytes` as a language file. The stream is left at its end first: loading reads from
// the beginning wherever the stream stands.
inline void LoadLanguageBytes(TParlox2000& engine, const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    buffer.seek(buffer.size());
    engine.LoadFromStream(buffer);
}

} // namespace tessaly::test
