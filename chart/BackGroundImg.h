#pragma once
// TBakGndImg: the chart's background image and its coloured area. The image file is loaded on
// every repaint of the data area and fills it in one of three ways; without an image, one area
// given in the world coordinates of layer 1 is coloured. Every setter tells the chart through
// OnChange.

#include "chart/ChartTypes.h"
#include "gfx/Colors.h"

#include <QObject>
#include <QString>

#include <functional>

namespace tessaly {

class TBakGndImg : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(bool IncludePath READ IncludePath WRITE SetIncludePath)
    Q_PROPERTY(tessaly::ChartEnums::TBkgFill FillMode READ FillMode WRITE SetFillMode)
    Q_PROPERTY(tessaly::ChartEnums::TBGAreaMode AreaMode READ AreaMode WRITE SetAreaMode)
    Q_PROPERTY(quint32 AreaColor READ AreaColor WRITE SetAreaColor)
    Q_PROPERTY(double AreaLeft READ AreaLeft WRITE SetAreaLeft)
    Q_PROPERTY(double AreaRight READ AreaRight WRITE SetAreaRight)
    Q_PROPERTY(double AreaTop READ AreaTop WRITE SetAreaTop)
    Q_PROPERTY(double AreaBottom READ AreaBottom WRITE SetAreaBottom)
public:
    explicit TBakGndImg(QObject* parent = nullptr);

    QString Name() const { return FName; }
    bool IncludePath() const { return FIncludePath; }
    TBkgFill FillMode() const { return FFillMode; }
    TBGAreaMode AreaMode() const { return FAreaMode; }
    TColor AreaColor() const { return FAreaColor; }
    double AreaLeft() const { return FAreaLeft; }
    double AreaRight() const { return FAreaRight; }
    double AreaTop() const { return FAreaTop; }
    double AreaBottom() const { return FAreaBottom; }

    // The image file's name; without IncludePath only its file name part is kept. Relative
    // names are relative to the current directory.
    void SetName(const QString& value);
    // false strips the directory from the current name.
    void SetIncludePath(bool value);
    void SetFillMode(TBkgFill value);
    void SetAreaMode(TBGAreaMode value);
    void SetAreaColor(TColor value);
    void SetAreaLeft(double value);
    void SetAreaRight(double value);
    void SetAreaTop(double value);
    void SetAreaBottom(double value);

    // Forgets an image that could not be loaded, without notifying, so that later repaints do
    // not try again.
    void ClearName() { FName.clear(); }

    std::function<void()> OnChange;

private:
    void Changed();

    QString FName;
    bool FIncludePath = false;
    TBkgFill FFillMode = bfStretch;
    TBGAreaMode FAreaMode = bamNone;
    TColor FAreaColor = 0xDDDDDD;
    double FAreaLeft = -1;
    double FAreaRight = 1;
    double FAreaTop = 1;
    double FAreaBottom = -1;
};

} // namespace tessaly
