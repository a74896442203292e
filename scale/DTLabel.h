#pragma once
// The calendar label settings of a scale: time format, separators, year length, month names,
// date order and how often a date line accompanies time-of-day labels. The owner (a scale or a
// chart's scale settings) learns of changes through OnChange.

#include "scale/ScaleTypes.h"

#include <QObject>

#include <functional>

namespace tessaly {

class TDTLabel : public QObject {
    Q_OBJECT
    Q_PROPERTY(tessaly::ScaleEnums::TTimeFormat TimeFormat READ TimeFormat WRITE SetTimeFormat)
    Q_PROPERTY(char DateSeparator READ DateSeparator WRITE SetDateSeparator)
    Q_PROPERTY(char TimeSeparator READ TimeSeparator WRITE SetTimeSeparator)
    Q_PROPERTY(tessaly::ScaleEnums::TYearLength YearLength READ YearLength WRITE SetYearLength)
    Q_PROPERTY(bool MonthName READ MonthName WRITE SetMonthName)
    Q_PROPERTY(tessaly::ScaleEnums::TDateOrder DateOrder READ DateOrder WRITE SetDateOrder)
    Q_PROPERTY(tessaly::ScaleEnums::TDateForTime DateForTime READ DateForTime WRITE SetDateForTime)
public:
    explicit TDTLabel(QObject* parent = nullptr);

    TTimeFormat TimeFormat() const { return FTimeFormat; }
    char DateSeparator() const { return FDateSeparator; }
    char TimeSeparator() const { return FTimeSeparator; }
    TYearLength YearLength() const { return FYearLength; }
    bool MonthName() const { return FMonthName; }
    TDateOrder DateOrder() const { return FDateOrder; }
    TDateForTime DateForTime() const { return FDateForTime; }

    // TimeFormat and DateOrder notify on every call; the other setters only on a change.
    void SetTimeFormat(TTimeFormat value);
    void SetDateSeparator(char value);
    void SetTimeSeparator(char value);
    void SetYearLength(TYearLength value);
    void SetMonthName(bool value);
    void SetDateOrder(TDateOrder value);
    void SetDateForTime(TDateForTime value);

    // Copies all seven settings of other and notifies once.
    void Assign(const TDTLabel& other);

    std::function<void()> OnChange;

private:
    void Changed();

    TTimeFormat FTimeFormat = tfHHMMSS;
    char FDateSeparator = '-';
    char FTimeSeparator = ':';
    TYearLength FYearLength = ylYYYY;
    bool FMonthName = true;
    TDateOrder FDateOrder = doDDMMYY;
    TDateForTime FDateForTime = dtOnePerDay;
};

} // namespace tessaly
