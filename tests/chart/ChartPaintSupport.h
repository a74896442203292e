#pragma once
// Paint and mouse tests of the chart: a shown chart in plain colours, pixel reads, and mouse
// events sent through the chart's window as the window system would send them.

#include "chart/RChart.h"
#include "support/Pixels.h"

#include <QImage>
#include <QTest>
#include <QWindow>

#include <initializer_list>

namespace tessaly::test {

// A chart on the screen, loaded and unlocked, with hidden scales, plain (non-system) colours and
// the given size and margins; layer 1 spans x [-100, 100] and y [-3, 3].
struct ShownChart : TRChart {
    explicit ShownChart(int w = 559, int h = 217, int ml = 50, int mr = 8, int mt = 20,
                        int mb = 40)
    {
        resize(w, h);
        SetMarginLeft(ml);
        SetMarginRight(mr);
        SetMarginTop(mt);
        SetMarginBottom(mb);
        SetWindColor(clYellow);
        SetShadowColor(clRed);
        SetShadowBakColor(clLime);
        Scale1X()->SetVisible(false);
        Scale1Y()->SetVisible(false);
        Loaded();
        SetRange(1, -100, -3, 100, 3);
        show();
    }
    // The left, top, right and bottom pixels of the data area.
    int L() const { return MarginLeft(); }
    int T() const { return MarginTop(); }
    int R() const { return width() - MarginRight() - ShadowWidth(); }
    int B() const { return height() - MarginBottom() - ShadowWidth(); }
};

// The smallest rectangle holding every pixel of `image` inside `area` that differs from
// `background`; empty when there is none.
inline QRect InkBounds(const QImage& image, const QRect& area, TColor background)
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (PixelAt(image, x, y) != background)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// Mouse input through the chart's window, so that Qt makes double clicks out of quick
// presses as it does for real input.
struct Mouse {
    // Qt reports no move to where the pointer already is, in any window: the pointer starts
    // from the top-left corner, outside the data area, wherever an earlier test left it.
    explicit Mouse(QWidget& w) : FWindow(w.windowHandle())
    {
        Move({0, 0});
        Move({1, 1});
    }
    void Press(QPoint p, Qt::MouseButton b = Qt::LeftButton) { QTest::mousePress(FWindow, b, {}, p); }
    void Release(QPoint p, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mouseRelease(FWindow, b, {}, p);
    }
    void Move(QPoint p) { QTest::mouseMove(FWindow, p); }
    void DoubleClick(QPoint p) { QTest::mouseDClick(FWindow, Qt::LeftButton, {}, p); }
    // Press at the first point, move through the others, release at the last. Qt reports no
    // move to where the pointer already is, so the first move after the press is the first
    // point that differs.
    void Drag(std::initializer_list<QPoint> path, Qt::MouseButton b = Qt::LeftButton)
    {
        const QPoint* p = path.begin();
        Press(*p, b);
        for (++p; p != path.end(); ++p)
            Move(*p);
        Release(*(path.end() - 1), b);
    }

private:
    QWindow* FWindow;
};

} // namespace tessaly::test
