#include "scale/DTLabel.h"

namespace tessaly {

namespace {
template <typename T>
bool Store(T& field, T value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}
} // namespace

TDTLabel::TDTLabel(QObject* parent) : QObject(parent) {}

void TDTLabel::Changed()
{
    if (OnChange)
        OnChange();
}

void TDTLabel::SetTimeFormat(TTimeFormat value)
{
    FTimeFormat = value;
    Changed();
}

void TDTLabel::SetDateSeparator(char value)
{
    if (Store(FDateSeparator, value))
        Changed();
}

void TDTLabel::SetTimeSeparator(char value)
{
    if (Store(FTimeSeparator, value))
        Changed();
}

void TDTLabel::SetYearLength(TYearLength value)
{
    if (Store(FYearLength, value))
        Changed();
}

void TDTLabel::SetMonthName(bool value)
{
    if (Store(FMonthName, value))
        Changed();
}

void TDTLabel::SetDateOrder(TDateOrder value)
{
    FDateOrder = value;
    Changed();
}

void TDTLabel::SetDateForTime(TDateForTime value)
{
    if (Store(FDateForTime, value))
        Changed();
}

void TDTLabel::Assign(const TDTLabel& other)
{
    if (&other == this)
        return;
    FTimeFormat = other.FTimeFormat;
    FDateSeparator = other.FDateSeparator;
    FTimeSeparator = other.FTimeSeparator;
    FYearLength = other.FYearLength;
    FMonthName = other.FMonthName;
    FDateOrder = other.FDateOrder;
    FDateForTime = other.FDateForTime;
    Changed();
}

} // namespace tessaly
