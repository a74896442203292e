#pragma once
// Label texts of the long ticks of a scale, free of painting: numbers with automatic or fixed
// decimals (or the two-digit exponent form), decade labels of logarithmic axes, user tick
// texts, the inscription, elapsed-time texts and calendar texts from a scale's date settings.
// The numbers come from NumberFormat and the calendar texts from DateTimeFormat, so nothing
// here depends on the process locale except the month names, which come from the given names.

#include "scale/DateTimeFormat.h"
#include "scale/ScaleTypes.h"
#include "scale/Ticks.h"

#include <QString>

namespace tessaly {

class TDTLabel;

// Longest numeric label; longer texts are cut.
constexpr int MaxNumericLabelLength = 14;

// The calendar label settings of a scale as plain values (see TDTLabel).
struct TDateLabelSettings {
    TTimeFormat TimeFormat = tfHHMMSS;
    char DateSeparator = '-';
    char TimeSeparator = ':';
    TYearLength YearLength = ylYYYY;
    bool MonthName = true;
    TDateOrder DateOrder = doDDMMYY;
    TDateForTime DateForTime = dtOnePerDay;
};
TDateLabelSettings DateLabelSettings(const TDTLabel& label);

// A value with `decimals` places (0..12; larger counts work too), or in the 8-character
// exponent form for -1 (" 5.0E+05"; "********" when the exponent needs three digits).
QString FormatLabelNumber(double value, int decimals);

// The automatic decimals of a linear axis over lo..hi: -1 (exponent form) for a span of at
// least 1000000 or at most 0.0001, 0 from 100 on, else 2 - round(ln(span) / 2.5) with ties to
// even: 1 for spans 5 and 10, 2 for 1, 3 for 0.1.
int LinearAutoDecimals(double lo, double hi);

// The automatic decimals of a logarithmic axis: -1 for a span of at least 1000000 or at most
// 0.0001, 0 when the lower end is at least 1, else 1 - round(log10(lower end)).
int LogAutoDecimals(double lo, double hi);

// The text of a long tick at `value` on a linear axis over lo..hi with the DecPlaces property
// `decPlaces` (-3..12): a value within 1e-14 of the span counts as zero; texts are cut to 14
// characters; with decPlaces 0 a value more than 1e-6 from an integer gets no text.
QString LinearLabel(double value, double lo, double hi, int decPlaces);

// The text of a labelled decade tick (`factor` 1, 2 or 5) on a logarithmic axis: with
// decPlaces -3 the decade's exponent at 1x and nothing at 2x and 5x; otherwise the value, cut
// to 14 characters, with trailing zeros after a point removed under decPlaces -2.
QString LogLabel(double value, int factor, double lo, double hi, int decPlaces);

// Item k (from 1) of a "|"-separated list; the last item again beyond the end, or an empty
// one when the text ends in "|". UserTickItem("Mon|Tue|Wed", 5) == "Wed".
QString UserTickItem(const QString& userTickText, int k);

// The label put in place of the first "&" of `inscript`, or behind an inscript without one;
// empty labels and an empty inscript leave the label as it is. ("& V", "5") gives "5 V".
QString ApplyInscription(const QString& label, const QString& inscript);

// An elapsed time in seconds as sign (blank or "-"), hours (at least two digits, not wrapped
// at 24), minutes and seconds, with milliseconds behind a "." when `milliseconds` is set:
// ElapsedTimeLabel(5415.25, true) == " 01:30:15.250".
QString ElapsedTimeLabel(double seconds, bool milliseconds);

// The date-time formats (DateTimeFormat tokens) of calendar labels. Separators are quoted so
// they are copied as they stand.
QString TimeOfDayFormat(TCalendarMode mode, TTimeFormat format, char timeSeparator);
QString DateFormatString(const TDateLabelSettings& settings);
QString MonthFormatString(const TDateLabelSettings& settings);

// The label of a calendar tick at `value` (days, as the axis maps them) in `mode`; for
// hundredths the fraction of the second shows as two digits of hundredths. Empty for values
// without a date.
QString CalendarLabel(double value, TCalendarMode mode, const TDateLabelSettings& settings,
                      const TDateTimeNames& names);

// The date line of a time-of-day tick, by the date format of `settings`.
QString CalendarDateLine(double value, const TDateLabelSettings& settings,
                         const TDateTimeNames& names);

// What the label texts of a drawing depend on.
struct TLabelParams {
    double RangeLow = 0;
    double RangeHigh = 100;
    int DecPlaces = -2;
    TFigType LabelType = ftNum;
    QString UserTickText;
    QString ScaleInscript;
    TDateLabelSettings Date;
};

struct TTickLabel {
    QString Text;
    bool HasDateLine = false; // time-of-day axes: a date line accompanies this label
    QString DateLine;
};

// The labels of the long ticks of one drawing, in drawing order: counts the ticks for the user
// texts and remembers the date lines drawn so far.
class TTickLabeler {
public:
    TTickLabeler(const TLabelParams& params, const TTickRun& run,
                 TDateTimeNames names = LocaleDateTimeNames());

    // The label of the next long tick; empty for ftNoFigs.
    TTickLabel Next(const TTick& tick);

private:
    TLabelParams FParams;
    TTickUnits FUnits;
    TCalendarMode FMode;
    bool FMilliseconds;
    TDateTimeNames FNames;
    int FCount = 0;             // long ticks labelled so far
    bool FDateLineDrawn = false;
    int FLastDateLineDay = 0;   // day of month of the last date line
};

} // namespace tessaly
