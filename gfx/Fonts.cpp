#include "gfx/Fonts.h"

#include <QByteArray>
#include <QFont>
#include <QStringList>

namespace tessaly {

namespace {

constexpr TFontSubstitute Substitutes[] = {
    {"MS Sans Serif", "Liberation Sans"},   {"Microsoft Sans Serif", "Liberation Sans"},
    {"Arial", "Liberation Sans"},           {"Tahoma", "Liberation Sans"},
    {"Courier New", "Liberation Mono"},     {"Times New Roman", "Liberation Serif"},
};

} // namespace

std::span<const TFontSubstitute> FontSubstitutes()
{
    return Substitutes;
}

void InstallFontSubstitutes()
{
    for (const TFontSubstitute& s : Substitutes) {
        // Put first, ahead of whatever the system may have registered for the name.
        QStringList list = QFont::substitutes(s.Family);
        list.removeAll(s.Substitute);
        list.prepend(s.Substitute);
        QFont::removeSubstitutions(s.Family);
        QFont::insertSubstitutions(s.Family, list);
    }
}

QString SubstitutedFamily(const QString& family)
{
    for (const TFontSubstitute& s : Substitutes) {
        if (family.compare(QLatin1String(s.Family), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(s.Substitute);
    }
    return family;
}

QByteArray SubstituteSvgFontFamilies(QByteArray svg)
{
    for (const TFontSubstitute& s : Substitutes) {
        for (const char* quote : {"\"", "'"}) {
            const QByteArray from = QByteArray("font-family=") + quote + s.Family + quote;
            const QByteArray to = QByteArray("font-family=") + quote + s.Substitute + quote;
            svg.replace(from, to);
        }
    }
    return svg;
}

} // namespace tessaly
