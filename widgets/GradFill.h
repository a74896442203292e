#pragma once
// TGradFill: a decorative control that fills its rectangle with a stepped colour gradient in
// one of nine patterns, optionally overlaid with a line grid and surrounded by a frame. It keeps
// two colours, A and B; ColorFirst and ColorLast are views on them that ColorFlipped exchanges.

#include "gfx/Colors.h"
#include "scale/DrawFrame.h"

#include <QImage>
#include <QWidget>

#include <functional>

namespace tessaly {

class TGradFill : public QWidget {
    Q_OBJECT
    Q_PROPERTY(tessaly::TColor ColorFirst READ ColorFirst WRITE SetColorFirst)
    Q_PROPERTY(tessaly::TColor ColorLast READ ColorLast WRITE SetColorLast)
    Q_PROPERTY(bool ColorFlipped READ ColorFlipped WRITE SetColorFlipped)
    Q_PROPERTY(TGradType FillType READ FillType WRITE SetFillType)
    Q_PROPERTY(tessaly::FrameEnums::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(tessaly::TColor GridColor READ GridColor WRITE SetGridColor)
    Q_PROPERTY(TGridMode GridMode READ GridMode WRITE SetGridMode)
    Q_PROPERTY(int NrColors READ NrColors WRITE SetNrColors)

public:
    enum TGradType {
        gtHoriz, gtVert, gtMidBandHoriz, gtMidBandVert, gtEllipticFull, gtEllipticFit, gtRadial,
        gtDiagGrid, gtRect
    };
    Q_ENUM(TGradType)
    enum TGridMode { gmNone, gmHoriz, gmVert, gmBoth };
    Q_ENUM(TGridMode)

    // a × b / c computed in 64 bits and rounded to the nearest integer, halves away from zero;
    // -1 when c is 0 or the result leaves the 32-bit range. MulDiv(1, 3, 2) == 2.
    static int MulDiv(int a, int b, int c);

    explicit TGradFill(QWidget* parent = nullptr);

    // Flipped, ColorFirst is colour B and ColorLast colour A; otherwise the other way round.
    TColor ColorFirst() const { return FColorFlipped ? FColorB : FColorA; }
    void SetColorFirst(TColor value);
    TColor ColorLast() const { return FColorFlipped ? FColorA : FColorB; }
    void SetColorLast(TColor value);
    bool ColorFlipped() const { return FColorFlipped; }
    void SetColorFlipped(bool value);
    TGradType FillType() const { return FFillType; }
    void SetFillType(TGradType value);
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    void SetFrameStyle(TFrameStyle value);
    TColor GridColor() const { return FGridColor; }
    void SetGridColor(TColor value);
    TGridMode GridMode() const { return FGridMode; }
    void SetGridMode(TGridMode value);
    // Kept to 1..255.
    int NrColors() const { return FNrColors; }
    void SetNrColors(int value);

    // The control as it paints itself: an image of its size in logical pixels, `pixelRatio`
    // device pixels each. With one colour, every pattern that scales its bands or shapes by
    // the number of steps draws its single step at full size: the whole control in the first
    // colour, except for gtEllipticFit, whose one ellipse in the first colour fills the
    // rectangle and leaves the corners in the last colour.
    QImage RenderImage(qreal pixelRatio = 1) const;

    // Raised after each paint.
    std::function<void(TGradFill& sender)> OnPaint;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TColor FColorA = RGB(128, 0, 0);
    TColor FColorB = RGB(255, 255, 0);
    bool FColorFlipped = false;
    TGradType FFillType = gtHoriz;
    TFrameStyle FFrameStyle = fsNone;
    TColor FGridColor = RGB(0, 0, 128);
    TGridMode FGridMode = gmNone;
    int FNrColors = 16;  // 1..255
};

} // namespace tessaly
