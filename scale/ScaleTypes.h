#pragma once
// Enumerations shared by the axis scale, the chart's scale settings and the other controls that
// place texts: caption anchor, scale type, label type and the calendar label settings.
// They are plain enumerations (their values carry the type's prefix) registered with Qt's meta
// object system, so properties of these types can be read and written by name.

#include "gfx/Alignment.h"

#include <QObject>

namespace tessaly {
namespace ScaleEnums {
Q_NAMESPACE

// Where along the axis a scale caption is anchored.
enum TScaleUnitAnchor { uaSclTopLft, uaSclCenter, uaSclBotRgt };
Q_ENUM_NS(TScaleUnitAnchor)

// Orientation and side of a scale: sctXB is a horizontal axis whose line lies at the bottom of
// the usable area (ticks above it), sctXT one at the top (ticks below), sctYL a vertical axis
// at the left (ticks to its right), sctYR one at the right (ticks to its left).
enum TScaleType { sctXB, sctXT, sctYL, sctYR };
Q_ENUM_NS(TScaleType)

// Kind of tick labels.
enum TFigType { ftNoFigs, ftNum, ftTime, ftDateTime, ftUserText };
Q_ENUM_NS(TFigType)

// Calendar label settings (see TDTLabel).
enum TTimeFormat { tfHHMMSS, tfHHhMM, tfAMPM };
Q_ENUM_NS(TTimeFormat)
enum TYearLength { ylNone, ylYY, ylYYYY };
Q_ENUM_NS(TYearLength)
enum TDateOrder { doMMDDYY, doDDMMYY, doYYMMDD };
Q_ENUM_NS(TDateOrder)
enum TDateForTime { dtNone, dtOnePerChart, dtOnePerDay, dtAllTicks };
Q_ENUM_NS(TDateForTime)

} // namespace ScaleEnums

using namespace ScaleEnums;

constexpr bool IsHorizontal(TScaleType type) { return type == sctXB || type == sctXT; }

} // namespace tessaly
