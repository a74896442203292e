#pragma once
// The fonts the components are designed with and the installed fonts drawn in their place.
// The designed names are not installed on Linux, and fontconfig would fall back to a font about
// a fifth wider; their metric twins keep every text at its designed width.

#include <QString>

#include <span>

namespace tessaly {

struct TFontSubstitute {
    const char* Family;     // as designed: "MS Sans Serif"
    const char* Substitute; // as installed: "Liberation Sans"
};

// "MS Sans Serif", "Microsoft Sans Serif", "Arial", "Tahoma" -> Liberation Sans; "Courier New"
// -> Liberation Mono; "Times New Roman" -> Liberation Serif.
std::span<const TFontSubstitute> FontSubstitutes();

// Registers the substitutes with Qt's font matching; call once the application object exists,
// before the first text is measured.
void InstallFontSubstitutes();

// The family drawn for a designed family (letter case ignored); any other family unchanged.
QString SubstitutedFamily(const QString& family);

// SVG text naming designed families names their substitutes instead, so that a viewer draws
// what the picture was laid out with.
QByteArray SubstituteSvgFontFamilies(QByteArray svg);

} // namespace tessaly
