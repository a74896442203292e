#pragma once
// The chart's mapping between the world coordinates of a layer and the control's pixels, as
// pure functions of the chart geometry and the layer's ranges. Coefficients are kept in
// extended precision; every world value, NaN and infinities included, maps to a defined pixel.

namespace tessaly {

// Control size, margins and shadow width in pixels (y grows downwards). The data area spans x
// from DataLeft() to DataRight() and y from DataTop() to DataBottom(), both ends included.
struct TChartGeometry {
    int Width = 280;
    int Height = 200;
    int MarginLeft = 50;
    int MarginRight = 20;
    int MarginTop = 20;
    int MarginBottom = 40;
    int ShadowWidth = 0;

    int DataLeft() const { return MarginLeft; }
    int DataRight() const { return Width - MarginRight - ShadowWidth; }
    int DataTop() const { return MarginTop; }
    int DataBottom() const { return Height - MarginBottom - ShadowWidth; }
    // Spans of the data area (the buffer is one pixel larger in each direction).
    int DataWidth() const { return DataRight() - DataLeft(); }
    int DataHeight() const { return DataBottom() - DataTop(); }
};

// pixel = K * v + D for one axis of a layer (v = ln of the world value on logarithmic axes).
struct TAxisMap {
    long double K = 0;
    long double D = 0;
    bool Logarithmic = false;
    int Edge = 0; // the pixel of non-positive values on a logarithmic axis, and of NaN
};

// Lo maps to DataLeft() and Hi to DataRight(); a range with Lo > Hi reverses the axis. Without
// a data area (DataWidth() <= 0), and for ranges that give no usable mapping (equal ends, a
// non-positive end on a logarithmic axis, NaN), K is 0 and every value maps to D = Width / 2.
// Non-positive values on a logarithmic axis map to the control's left edge 0, or to Width
// when the axis is reversed.
TAxisMap XAxisMap(const TChartGeometry& g, double lo, double hi, bool logarithmic);
// Lo maps to DataBottom() and Hi to DataTop(); the fall-back is D = Height / 2. Non-positive
// values on a logarithmic axis map to the bottom edge Height, or to 0 on a reversed axis.
TAxisMap YAxisMap(const TChartGeometry& g, double lo, double hi, bool logarithmic);

// The pixel of world value v: limited to +-2147483647 and rounded with ties to even.
int AxisToPixel(const TAxisMap& m, double v);

// The world value at pixel p. Where the map has no extent (K = 0), the middle of [lo, hi]
// (the geometric middle on logarithmic axes).
double PixelToAxis(const TAxisMap& m, int p, double lo, double hi);

} // namespace tessaly
