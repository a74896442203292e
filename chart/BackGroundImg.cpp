#include "chart/BackGroundImg.h"

#include <QFileInfo>


namespace tessaly {

namespace {

QString FileNamePart(const QString& path)
{
    return QFileInfo(path).fileName();
}

} // namespace

TBakGndImg::TBakGndImg(QObject* parent) : QObject(parent) {}

void TBakGndImg::Changed()
{
    if (OnChange)
        OnChange();
}

void TBakGndImg::SetName(const QString& value)
{
    FName = FIncludePath ? value : FileNamePart(value);
    Changed();
}

void TBakGndImg::SetIncludePath(bool value)
{
    FIncludePath = value;
    if (!value)
        FName = FileNamePart(FName);
    Changed();
}

void TBakGndImg::SetFillMode(TBkgFill value)
{
    FFillMode = value;
    Changed();
}

void TBakGndImg::SetAreaMode(TBGAreaMode value)
{
    FAreaMode = value;
    Changed();
}

void TBakGndImg::SetAreaColor(TColor value)
{
    FAreaColor = value;
    Changed();
}

void TBakGndImg::SetAreaLeft(double value)
{
    FAreaLeft = value;
    Changed();
}

void TBakGndImg::SetAreaRight(double value)
{
    FAreaRight = value;
    Changed();
}

void TBakGndImg::SetAreaTop(double value)
{
    FAreaTop = value;
    Changed();
}

void TBakGndImg::SetAreaBottom(double value)
{
    FAreaBottom = value;
    Changed();
}

} // namespace tessaly
