#pragma once
// Horizontal alignment of a text at its anchor, shared by the scales, the chart's caption and
// text labels and the numeric read-outs, and the one rule that places a text by it.

#include <QObject>

namespace tessaly {
// Registered with Qt's meta object system, so properties of this type are read and written by
// name.
namespace AlignEnums {
Q_NAMESPACE

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)

} // namespace AlignEnums

using namespace AlignEnums;

// The left end of a text `width` wide that is aligned at `anchor`: left-justified texts start
// there, right-justified ones end there, centred ones straddle it (the odd pixel to the right).
// AlignedStart(100, 31, taCenter) == 85.
template <typename T>
constexpr T AlignedStart(T anchor, T width, TAlignment alignment)
{
    switch (alignment) {
    case taRightJustify: return anchor - width;
    case taCenter: return anchor - width / 2;
    default: return anchor;
    }
}

} // namespace tessaly
