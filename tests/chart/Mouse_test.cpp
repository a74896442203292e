// The chart under real Qt mouse and key events: pan, zoom window, zoom drag, rubber band,
// crosshair and label dragging, double clicks, cursors.
#include "ChartPaintSupport.h"

#include <QLineEdit>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace tessaly;
using namespace tessaly::test;

namespace {

// A data area 500 pixels wide (x 50..550) and 157 high (y 20..177).
struct MouseChart : ShownChart {
    MouseChart() : ShownChart(570, 217, 50, 20, 20, 40)
    {
        OnZoomPan = [this](TCustomRChart&) { ++ZoomPans; };
    }
    double LoX() const { return Scale1X()->RangeLow(); }
    double HiX() const { return Scale1X()->RangeHigh(); }
    double LoY() const { return Scale1Y()->RangeLow(); }
    double HiY() const { return Scale1Y()->RangeHigh(); }
    int ZoomPans = 0;
};

} // namespace

TEST(ChartMouse, PanMovesTheRangesWithThePointer)
{
    // The first move with the button down anchors the drag; the next ones pan.
    struct Case { TMouseActMode mode; QPoint to; double loX, hiX, loY, hiY; };
    const double dy = 6.0 * 50 / 157; // 50 pixels down on a data area 157 pixels high
    const Case cases[] = {
        {maPan, {301, 100}, -140, 60, -3, 3},
        {maPan, {201, 150}, -100, 100, -3 + dy, 3 + dy},
        {maPanHoriz, {301, 150}, -140, 60, -3, 3},
        {maPanVert, {301, 150}, -100, 100, -3 + dy, 3 + dy},
    };
    for (const Case& c : cases) {
        MouseChart chart;
        chart.SetMouseAction(c.mode);
        Mouse mouse(chart);
        mouse.Drag({{200, 100}, {201, 100}, c.to});
        EXPECT_NEAR(chart.LoX(), c.loX, 1e-9) << c.mode;
        EXPECT_NEAR(chart.HiX(), c.hiX, 1e-9) << c.mode;
        EXPECT_NEAR(chart.LoY(), c.loY, 1e-9) << c.mode;
        EXPECT_NEAR(chart.HiY(), c.hiY, 1e-9) << c.mode;
        EXPECT_EQ(chart.ZoomPans, 1) << c.mode;
    }
}

TEST(ChartMouse, PanOutsideTheDataAreaAndOnLogarithmicOrExtremeRanges)
{
    MouseChart chart;
    chart.SetMouseAction(maPanHoriz);
    Mouse mouse(chart);
    // A drag that ends outside the data area leaves the last range reached inside it.
    mouse.Drag({{200, 100}, {201, 100}, {301, 100}, {700, 100}});
    EXPECT_NEAR(chart.LoX(), -140, 1e-9);
    EXPECT_EQ(chart.ZoomPans, 1);

    chart.SetRange(1, 1, -3, 100, 3);
    chart.Scale1X()->SetLogarithmic(true);
    mouse.Drag({{200, 100}, {201, 100}, {301, 100}});
    const double f = std::pow(100.0, -0.2); // 100 pixels of 500 on two decades
    EXPECT_NEAR(chart.LoX(), f, 1e-12);
    EXPECT_NEAR(chart.HiX(), 100 * f, 1e-9);

    // A pan whose bounds would leave the double range keeps the range of that axis.
    chart.Scale1X()->SetLogarithmic(false);
    chart.SetRange(1, -1.7e308, -3, 1.7e308, 3);
    chart.SetMouseAction(maPan);
    mouse.Drag({{200, 100}, {201, 101}, {301, 150}});
    EXPECT_EQ(chart.LoX(), -1.7e308);
    EXPECT_EQ(chart.HiX(), 1.7e308);
    EXPECT_NEAR(chart.LoY(), -3 + 6.0 * 49 / 157, 1e-9); // the other axis pans
}

TEST(ChartMouse, ZoomWindowKeepingTheDirectionZoomsAlikeFromEitherCorner)
{
    std::vector<double> ranges[2];
    for (int k = 0; k < 2; ++k) {
        MouseChart chart;
        chart.SetMouseAction(maZoomWindPos);
        Mouse mouse(chart);
        const QPoint a(100, 50), b(300, 150);
        const QPointF wa = chart.PixelToWorld(1, a.x(), a.y());
        const QPointF wb = chart.PixelToWorld(1, b.x(), b.y());
        if (k == 0)
            mouse.Drag({a, {200, 100}, b});
        else
            mouse.Drag({b, {200, 100}, a});
        ranges[k] = {chart.LoX(), chart.HiX(), chart.LoY(), chart.HiY()};
        EXPECT_DOUBLE_EQ(chart.LoX(), wa.x());
        EXPECT_DOUBLE_EQ(chart.HiX(), wb.x());
        EXPECT_DOUBLE_EQ(chart.LoY(), wb.y());
        EXPECT_DOUBLE_EQ(chart.HiY(), wa.y());
        EXPECT_EQ(chart.ZoomPans, 1);
        EXPECT_FALSE(chart.RubberBandDragging());
    }
    EXPECT_EQ(ranges[0], ranges[1]);
}

TEST(ChartMouse, ZoomWindowFollowingTheDragReversesAxes)
{
    MouseChart chart;
    chart.SetMouseAction(maZoomWind);
    Mouse mouse(chart);
    // From right to left and from top to bottom: both axes reversed.
    mouse.Drag({{300, 50}, {200, 100}, {100, 150}});
    EXPECT_GT(chart.LoX(), chart.HiX());
    EXPECT_GT(chart.LoY(), chart.HiY());
    EXPECT_EQ(chart.ZoomPans, 1);
}

TEST(ChartMouse, RectanglesThatZoomNothing)
{
    struct Case { TMouseActMode mode; std::vector<QPoint> path; Qt::MouseButton button; };
    const Case cases[] = {
        {maZoomWindPos, {{100, 50}, {100, 90}, {100, 150}}, Qt::LeftButton}, // zero width
        {maZoomWind, {{100, 50}, {150, 50}, {300, 50}}, Qt::LeftButton},     // zero height
        {maZoomWind, {{100, 50}, {200, 100}, {300, 150}}, Qt::RightButton},  // not the left button
        {maZoomWind, {{10, 50}, {200, 100}, {300, 150}}, Qt::LeftButton},    // begun outside
    };
    for (const Case& c : cases) {
        MouseChart chart;
        chart.SetMouseAction(c.mode);
        Mouse mouse(chart);
        mouse.Press(c.path[0], c.button);
        for (size_t i = 1; i < c.path.size(); ++i)
            mouse.Move(c.path[i]);
        mouse.Release(c.path.back(), c.button);
        EXPECT_EQ(chart.LoX(), -100);
        EXPECT_EQ(chart.HiY(), 3);
        EXPECT_EQ(chart.ZoomPans, 0);
        EXPECT_FALSE(chart.RubberBandDragging());
    }
}

TEST(ChartMouse, RubberBandReportsTheRectangleWithoutZooming)
{
    MouseChart chart;
    chart.SetMouseAction(maRubberBand);
    std::vector<double> band;
    int layer = 0;
    chart.OnRubberBand = [&](TCustomRChart&, int n, double loX, double loY, double hiX, double hiY) {
        layer = n;
        band = {loX, loY, hiX, hiY};
    };
    Mouse mouse(chart);
    mouse.Press({300, 150});
    mouse.Move({200, 100});
    // While dragging, the corner is limited to the data area and drawn in XOR.
    mouse.Move({20, 60});
    EXPECT_TRUE(chart.RubberBandDragging());
    EXPECT_EQ(chart.RubberBandCorner(), QPoint(50, 60));
    const QImage onScreen = chart.grab().toImage();
    EXPECT_EQ(PixelAt(onScreen, 120, 60), clBlack); // white XOR white
    EXPECT_EQ(PixelAt(onScreen, 120, 61), clWhite);
    mouse.Release({20, 60});
    EXPECT_EQ(layer, 1);
    const QPointF a = chart.PixelToWorld(1, 50, 150), b = chart.PixelToWorld(1, 300, 60);
    EXPECT_EQ(band, (std::vector<double>{a.x(), a.y(), b.x(), b.y()})); // in axis order
    EXPECT_EQ(chart.LoX(), -100);
    EXPECT_EQ(chart.ZoomPans, 1);
    EXPECT_EQ(PixelAt(chart.grab().toImage(), 120, 60), clWhite);
}

TEST(ChartMouse, IsometricRectangleIsASquare)
{
    MouseChart chart;
    chart.SetMouseAction(maZoomWindPos);
    chart.SetIsometric(true);
    Mouse mouse(chart);
    mouse.Press({100, 50});
    mouse.Move({140, 55});
    EXPECT_EQ(chart.RubberBandCorner(), QPoint(140, 90));
    mouse.Move({140, 20});
    EXPECT_EQ(chart.RubberBandCorner(), QPoint(140, 20)); // limited to the data area
    mouse.Release({140, 20});
}

TEST(ChartMouse, ZoomDragByHalfTheWidthHalvesTheSpan)
{
    MouseChart chart;
    chart.SetMouseAction(maZoomDrag);
    Mouse mouse(chart);
    // 285 pixels right of the anchor on a control 570 pixels wide.
    mouse.Drag({{60, 100}, {61, 100}, {346, 100}});
    EXPECT_DOUBLE_EQ(chart.LoX(), -50);
    EXPECT_DOUBLE_EQ(chart.HiX(), 50);
    EXPECT_DOUBLE_EQ(chart.LoY(), -3);
    // Moving down zooms y out around its centre: 1 + 108.5 / 217.
    chart.SetRange(1, -100, -3, 100, 3);
    mouse.Drag({{60, 40}, {61, 41}, {61, 149}});
    EXPECT_DOUBLE_EQ(chart.HiY(), 3 * (1 + 108.0 / 217));
    EXPECT_EQ(chart.ZoomPans, 2);
}

TEST(ChartMouse, DraggedCrossHairIsTheNearestAndFollowsThePointer)
{
    MouseChart chart;
    chart.SetMouseAction(maDragCrossH);
    TCrossHair& c1 = *chart.CrossHair1();
    c1.SetMode(chBoth);
    std::vector<TCrossHair*> moved;
    chart.OnCrossHairMove = [&](TCustomRChart&, TCrossHair& c) { moved.push_back(&c); };
    Mouse mouse(chart);
    // Grabbed from far away; it follows the pointer, also outside the data area.
    mouse.Press({60, 170});
    mouse.Move({61, 170});
    EXPECT_TRUE(moved.empty());
    for (QPoint p : {QPoint(120, 60), QPoint(400, 150), QPoint(560, 200)}) {
        mouse.Move(p);
        const QPointF w = chart.PixelToWorld(1, p.x(), p.y());
        EXPECT_DOUBLE_EQ(c1.PosX(), w.x());
        EXPECT_DOUBLE_EQ(c1.PosY(), w.y());
    }
    mouse.Release({560, 200});
    EXPECT_EQ(moved, (std::vector<TCrossHair*>(3, &c1)));

    // Of two crosshairs the one with the nearest line is taken.
    TCrossHair& c2 = *chart.CrossHair2();
    c2.SetLayer(1);
    c2.SetMode(chVert);
    c2.SetPosX(80);
    c1.SetPosX(-80);
    c1.SetPosY(-2);
    const int x2 = chart.WorldToPixel(1, 80, 0).x();
    moved.clear();
    mouse.Drag({{x2 - 20, 40}, {x2 - 19, 40}, {x2, 50}});
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0], &c2);
    EXPECT_DOUBLE_EQ(c1.PosX(), -80);
}

TEST(ChartMouse, DraggedLabelTakesWorldOrPixelCoordinates)
{
    MouseChart chart;
    chart.SetMouseAction(maDragLabel);
    TTextLabel& near = *chart.TextLabel(3);
    near.SetCaption("near");
    near.SetAttachToData(tlamXOnly);
    near.SetPosX(0);
    near.SetPosY(60);
    near.SetMode(tlBox);
    near.SetVisible(true);
    TTextLabel& hidden = *chart.TextLabel(4); // closer, but not visible
    hidden.SetMode(tlBox);
    hidden.SetAttachToData(tlamNone);
    hidden.SetPosX(400);
    hidden.SetPosY(100);
    TTextLabel* moved = nullptr;
    chart.OnTextLabelMove = [&](TCustomRChart&, TTextLabel& l) { moved = &l; };
    Mouse mouse(chart);
    mouse.Drag({{399, 100}, {398, 101}, {350, 120}});
    ASSERT_EQ(moved, &near);
    EXPECT_DOUBLE_EQ(near.PosX(), chart.PixelToWorld(1, 350, 120).x());
    EXPECT_EQ(near.PosY(), 120);
    EXPECT_EQ(hidden.PosX(), 400);
}

TEST(ChartMouse, ADragKeepsToWhatItGrabbedWhenTheModeChanges)
{
    // Label 7 is grabbed; switching to crosshair dragging in the middle of the drag must not
    // turn it into a drag of crosshair 7, which does not exist.
    MouseChart chart;
    chart.SetMouseAction(maDragLabel);
    TTextLabel& label = *chart.TextLabel(7);
    label.SetCaption("seven");
    label.SetAttachToData(tlamNone);
    label.SetPosX(300);
    label.SetPosY(100);
    label.SetMode(tlBox);
    label.SetVisible(true);
    int labelMoves = 0, crossMoves = 0;
    chart.OnTextLabelMove = [&](TCustomRChart&, TTextLabel&) { ++labelMoves; };
    chart.OnCrossHairMove = [&](TCustomRChart&, TCrossHair&) { ++crossMoves; };
    const double crossX = chart.CrossHair1()->PosX();
    Mouse mouse(chart);
    mouse.Press({300, 100});
    mouse.Move({301, 101});
    mouse.Move({310, 105});
    chart.SetMouseAction(maDragCrossH);
    mouse.Move({320, 110});
    mouse.Release({320, 110});
    EXPECT_EQ(label.PosX(), 320);
    EXPECT_EQ(label.PosY(), 110);
    EXPECT_EQ(labelMoves, 2);
    EXPECT_EQ(crossMoves, 0);
    EXPECT_EQ(chart.CrossHair1()->PosX(), crossX);

    // The next drag takes the new mode.
    mouse.Drag({{200, 60}, {201, 61}, {250, 90}});
    EXPECT_GT(crossMoves, 0);

    // A pan that becomes a vertical pan meanwhile keeps panning both axes.
    chart.SetMouseAction(maPan);
    const double loY = chart.Scale1Y()->RangeLow();
    mouse.Press({300, 100});
    mouse.Move({301, 101});
    chart.SetMouseAction(maPanHoriz);
    mouse.Move({320, 120});
    mouse.Release({320, 120});
    EXPECT_NE(chart.Scale1Y()->RangeLow(), loY);
}

TEST(ChartMouse, SecondPressOfADoubleClickIsSwallowed)
{
    MouseChart chart;
    chart.SetMouseAction(maZoomWind);
    int downs = 0, doubles = 0, clicks = 0;
    std::vector<bool> draggingAtUp;
    chart.OnMouseDown = [&](TCustomRChart&, TMouseButton, TShiftState, int, int) { ++downs; };
    chart.OnDblClick = [&](TCustomRChart&) { ++doubles; };
    chart.OnClick = [&](TCustomRChart&) { ++clicks; };
    chart.OnMouseUp = [&](TCustomRChart& sender, TMouseButton, TShiftState, int, int) {
        draggingAtUp.push_back(sender.RubberBandDragging());
    };
    Mouse mouse(chart);
    mouse.DoubleClick({200, 100});
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(clicks, 1);
    // The first press began a rectangle; the second did not.
    EXPECT_EQ(draggingAtUp, (std::vector<bool>{true, false}));
}

TEST(ChartMouse, CursorsOfTheModesAndTheFixedCursor)
{
    MouseChart chart;
    Mouse mouse(chart);
    struct Case { TMouseActMode mode; bool fixed; QPoint at; int cursor; };
    const Case cases[] = {
        {maPan, false, {200, 100}, 1},       {maPan, false, {20, 100}, 0},
        {maZoomWind, false, {200, 100}, 2},  {maZoomDrag, false, {201, 100}, 3},
        {maZoomWindPos, false, {200, 101}, 4}, {maNone, false, {201, 101}, -3},
        {maDragCrossH, false, {202, 100}, 0}, {maRotate, false, {203, 100}, 0}, // unchanged
        {maPan, true, {204, 100}, 0},        {maZoomDrag, true, {205, 100}, 0},
    };
    for (const Case& c : cases) {
        chart.SetMouseAction(c.mode);
        chart.SetMouseCursorFixed(c.fixed);
        mouse.Move(c.at);
        EXPECT_EQ(chart.CursorNumber(), c.cursor) << c.mode << " " << c.fixed;
        EXPECT_EQ(chart.cursor().shape(), c.cursor > 0 ? Qt::BitmapCursor
                                          : c.cursor == -3 ? Qt::CrossCursor
                                                           : Qt::ArrowCursor)
            << c.mode;
    }
    for (int n = 1; n <= 4; ++n)
        EXPECT_FALSE(ChartCursor(n).pixmap().isNull()) << n;
}

TEST(ChartMouse, MovesAreReportedInWorldCoordinates)
{
    MouseChart chart;
    Mouse mouse(chart);
    std::vector<std::pair<bool, QPointF>> reports;
    chart.OnMouseMoveInChart = [&](TCustomRChart&, bool in, TShiftState, double x, double y) {
        reports.push_back({in, QPointF(x, y)});
    };
    mouse.Move({550, 20});
    mouse.Move({551, 100});
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_TRUE(reports[0].first);
    EXPECT_NEAR(reports[0].second.x(), 100, 1e-9);
    EXPECT_NEAR(reports[0].second.y(), 3, 1e-9);
    EXPECT_FALSE(reports[1].first);
    EXPECT_NEAR(reports[1].second.x(), 100.4, 1e-9); // also outside the data area
}

TEST(ChartKeys, ArrowAndTabKeysStayWithTheChart)
{
    QWidget form;
    auto* chart = new TRChart(&form);
    auto* edit = new QLineEdit(&form);
    edit->move(0, 300);
    std::vector<int> keys;
    chart->OnKeyDown = [&](TCustomRChart&, int& key, TShiftState) { keys.push_back(key); };
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    chart->setFocus();
    ASSERT_TRUE(chart->hasFocus());
    QTest::keyClick(chart, Qt::Key_Left);
    QTest::keyClick(chart, Qt::Key_Tab);
    EXPECT_EQ(keys, (std::vector<int>{Qt::Key_Left, Qt::Key_Tab}));
    EXPECT_TRUE(chart->hasFocus());
}
