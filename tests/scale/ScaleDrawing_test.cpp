#include "scale/Scale.h"
#include "scale/ScaleDrawing.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QFileInfo>
#include <QPrinter>
#include <QScreen>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <vector>

using namespace tessaly;

namespace {

const QColor White(255, 255, 255);
const QColor Black(0, 0, 0);

// A scale on a form, loaded, drawing black ticks and red texts onto white.
struct FormScale {
    QWidget form;
    TScale* scale = new TScale(&form);

    FormScale(TScaleType type, bool transparent = true)
    {
        scale->Loaded();
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(12);
        scale->SetFont(font);
        scale->SetScaleType(type);
        scale->SetTransparent(transparent);
        scale->SetColorBackGnd(clWhite);
        scale->SetFontColor(clRed);
        scale->SetFrameStyle(fsNone);
    }
    TScale& operator*() { return *scale; }
    TScale* operator->() { return scale; }
};

QImage Paint(TScale& scale, int ox = 0, int oy = 0, QSize size = {}, QColor fill = White)
{
    QImage image(size.isEmpty() ? scale.size() : size, QImage::Format_RGB32);
    image.fill(fill);
    QPainter painter(&image);
    scale.PaintTo(painter, ox, oy);
    return image;
}

bool IsText(QRgb c)
{
    return qRed(c) > qGreen(c) + 40 && qRed(c) > qBlue(c) + 40;
}

bool IsBlack(QRgb c)
{
    return c == qRgb(0, 0, 0);
}

// The bounding box of the text pixels within `area`, if any.
std::optional<QRect> TextInk(const QImage& image, QRect area)
{
    area &= image.rect();
    int left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (!IsText(image.pixel(x, y)))
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (left > right)
        return std::nullopt;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

// Black pixels from `from` on in direction (dx, dy) without a gap.
int BlackRun(const QImage& image, QPoint from, int dx, int dy)
{
    int n = 0;
    for (QPoint p = from; image.rect().contains(p) && IsBlack(image.pixel(p));
         p += QPoint(dx, dy))
        ++n;
    return n;
}

QFontMetrics Metrics(TScale& scale)
{
    QImage probe(1, 1, QImage::Format_RGB32);
    QPainter p(&probe);
    p.setFont(scale.font());
    return p.fontMetrics();
}

} // namespace

TEST(ScaleDrawingGeometry, LabelsStayTwoPixelsInsideTheControl)
{
    struct Case { int x, width, left; };
    const Case cases[] = {
        {0, 20, 2},     {1, 20, 2},     {10, 6, 7},       // at least 2 from the left edge
        {387, 20, 377}, {388, 20, 378}, {399, 21, 378},   // pushed in at the right edge
        {-2147483647, 20, 2}, {2147483647, 20, 378},      // no overflow at the range's ends
    };
    for (const Case& c : cases)
        EXPECT_EQ(HorizontalTextLeft(c.x, c.width, 400), c.left) << c.x << " " << c.width;
}

TEST(ScaleDrawingGeometry, CaptionAnchorsAndAlignments)
{
    TScaleGeometry g{sctXT, 400, 300, 60, 20, 30, 40};
    EXPECT_EQ(CaptionOrigin(g, 30, uaSclBotRgt, taRightJustify, 5, 7, 11), QPoint(374, 37));
    g.Type = sctYR;
    EXPECT_EQ(CaptionOrigin(g, 379, uaSclCenter, taCenter, 5, 7, 11), QPoint(379, 152));
    g.Type = sctYL;
    EXPECT_EQ(CaptionOrigin(g, 60, uaSclBotRgt, taLeftJustify, 5, 7, 11), QPoint(65, 267));
    g.MarginLeft = g.MarginRight = std::numeric_limits<int>::max();
    g.Type = sctXB;
    EXPECT_LT(std::abs(CaptionOrigin(g, 0, uaSclCenter, taCenter, 0, 0, 10).x()), 1 << 25);
}

TEST(ScaleDrawing, TickLengthsByOrientationAndKind)
{
    struct Case { TScaleType type; bool logarithmic; int longLength, shortLength; };
    for (const Case& c : {Case{sctXB, false, 7, 4}, {sctXT, false, 7, 4}, {sctYL, false, 6, 4},
                          {sctYR, false, 6, 4}, {sctXB, true, 7, 4}, {sctYL, true, 6, 6}}) {
        FormScale s(c.type);
        s->SetLabelType(ftNoFigs);
        s->SetShowBaseLine(false);
        if (c.logarithmic) {
            s->SetRangeLow(1);
            s->SetRangeHigh(1000);
            s->SetMinTicks(10); // 1x, 2x, 5x long; 3x, 4x, 6x..9x short
            s->SetLogarithmic(true);
        }
        const QImage image = Paint(*s);
        const int line = AxisLinePosition(s->Geometry());
        const bool horizontal = IsHorizontal(c.type);
        const int out = OutwardDirection(c.type);
        auto run = [&](double value) {
            const int p = s->ValueToPixel(value);
            return horizontal ? BlackRun(image, {p, line}, 0, out)
                              : BlackRun(image, {line, p}, out, 0);
        };
        const double shortValue = c.logarithmic ? 3 : 5;
        EXPECT_EQ(run(c.logarithmic ? 10 : 20), c.longLength) << c.type;
        EXPECT_EQ(run(shortValue), c.shortLength) << c.type;
        // Nothing beyond the tick, and no base line beside it.
        const int p = s->ValueToPixel(shortValue) + 2;
        EXPECT_EQ(horizontal ? BlackRun(image, {p, line}, 0, out)
                             : BlackRun(image, {line, p}, out, 0), 0);
    }
}

TEST(ScaleDrawing, HorizontalLabelsAreCentredButKeptInsideTheControl)
{
    FormScale s(sctXB);
    s->SetMarginLeft(0);
    s->SetMarginRight(0);
    const QImage image = Paint(*s);
    const QFontMetrics fm = Metrics(*s);
    const int line = AxisLinePosition(s->Geometry());
    const int top = line - fm.height() - 7;
    const QRect band(0, top, 400, fm.height());
    // "0" at x = 0 starts at x = 2; "100" at x = 399 ends 2 pixels inside the right edge.
    const auto first = TextInk(image, QRect(0, top, 15, fm.height()));
    ASSERT_TRUE(first);
    EXPECT_GE(first->left(), 2);
    EXPECT_LE(first->left(), 3);
    const int w100 = fm.horizontalAdvance(QStringLiteral("100"));
    const auto last = TextInk(image, QRect(360, top, 40, fm.height()));
    ASSERT_TRUE(last);
    const QRect lastBox(400 - 2 * (w100 / 2) - 2, top, w100, fm.height());
    EXPECT_TRUE(lastBox.contains(*last));
    EXPECT_LE(lastBox.right(), 398);
    // A middle label is centred on its tick; no text lies outside the label band.
    const int x40 = s->ValueToPixel(40);
    const auto middle = TextInk(image, QRect(x40 - 15, top, 30, fm.height()));
    ASSERT_TRUE(middle);
    EXPECT_NEAR((middle->left() + middle->right()) / 2.0, x40, 2);
    const auto all = TextInk(image, image.rect());
    ASSERT_TRUE(all);
    EXPECT_TRUE(band.contains(*all));
}

TEST(ScaleDrawing, VerticalLabelsBesideTheirTicks)
{
    for (TScaleType type : {sctYL, sctYR}) {
        FormScale s(type);
        const QImage image = Paint(*s);
        const QFontMetrics fm = Metrics(*s);
        const int line = AxisLinePosition(s->Geometry());
        const int y = s->ValueToPixel(60);
        const auto ink = TextInk(image, QRect(0, y - fm.height(), 400, 2 * fm.height()));
        ASSERT_TRUE(ink) << type;
        const int w = fm.horizontalAdvance(QStringLiteral("60"));
        const QRect box(type == sctYL ? line + 8 : line - w - 8, y - fm.height() / 2, w,
                        fm.height());
        EXPECT_TRUE(box.adjusted(-1, 0, 1, 0).contains(*ink)) << type;
    }
}

TEST(ScaleDrawing, MainWindowCaptionsWhereTheChartPutsThem)
{
    // The x axis under the data area: "x" centred under the axis, 22 pixels below its line.
    FormScale x(sctXT);
    x->SetLabelType(ftNoFigs);
    x->SetCaption(QStringLiteral("x"));
    x->SetCaptionAnchor(uaSclCenter);
    x->SetCaptionPosX(0);
    x->SetCaptionPosY(22);
    x->SetCaptionAlignment(taCenter);
    QImage image = Paint(*x);
    const QFontMetrics fm = Metrics(*x);
    const int wx = fm.horizontalAdvance(QStringLiteral("x"));
    auto ink = TextInk(image, image.rect());
    ASSERT_TRUE(ink);
    const QRect xBox(200 - wx / 2, 20 + 22, wx, fm.height());
    EXPECT_TRUE(xBox.adjusted(-1, 0, 1, 0).contains(*ink));
    EXPECT_NEAR((ink->left() + ink->right() + 1) / 2.0, 200, 1.5);

    // The y axis left of the data area: "y" from the axis line, 16 pixels above the usable
    // length.
    FormScale y(sctYR);
    y->SetLabelType(ftNoFigs);
    y->SetCaption(QStringLiteral("y"));
    y->SetCaptionPosX(0);
    y->SetCaptionPosY(-16);
    y->SetCaptionAlignment(taLeftJustify);
    image = Paint(*y);
    ink = TextInk(image, image.rect());
    ASSERT_TRUE(ink);
    const int wy = fm.horizontalAdvance(QStringLiteral("y"));
    const QRect yBox(379, 20 - 16, wy, fm.height());
    EXPECT_TRUE(yBox.adjusted(0, 0, 1, 0).contains(*ink));
    EXPECT_LE(ink->left(), 379 + 1);
}

TEST(ScaleDrawing, TransparentScalesTouchOnlyTheirOwnPixelsAndFollowTheOffsets)
{
    FormScale s(sctXT);
    s->SetCaption(QStringLiteral("time"));
    const QColor green(0, 160, 0);
    const QImage plain = Paint(*s, 0, 0, {400, 460}, green);
    const QImage shifted = Paint(*s, 0, 50, {400, 460}, green);
    int untouched = 0;
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
            const QRgb c = plain.pixel(x, y);
            // Green, black ticks, or red text blended into green: nothing filled behind.
            ASSERT_EQ(qBlue(c), 0) << x << "," << y;
            untouched += c == green.rgb();
            // Only the axis line's position moves, by the y offset.
            if (y + 50 < shifted.height()) {
                ASSERT_EQ(shifted.pixel(x, y + 50), c) << x << "," << y;
            }
        }
    }
    EXPECT_GT(untouched, 400 * 460 * 9 / 10);
}

TEST(ScaleDrawing, OpaqueScalesPaintTheirImageWithFrameAtTheOffsets)
{
    FormScale s(sctXB, false);
    s->SetColorBackGnd(RGB(200, 220, 240));
    s->SetFrameStyle(fsLowered);
    s->SetSize(100, 60);
    const QImage image = Paint(*s, 10, 5, {130, 80});
    EXPECT_EQ(image.pixel(9, 5), White.rgb());   // outside the image
    EXPECT_EQ(image.pixel(10, 5), qRgb(128, 128, 128)); // outer top-left: shadow
    EXPECT_EQ(image.pixel(11, 6), Black.rgb());  // inner top-left: dark
    EXPECT_EQ(image.pixel(109, 64), White.rgb()); // outer bottom-right: light
    EXPECT_EQ(image.pixel(108, 63), qRgb(192, 192, 192)); // inner bottom-right: silver
    EXPECT_EQ(image.pixel(50, 20), qRgb(200, 220, 240));  // background
    EXPECT_EQ(image.pixel(110, 5), White.rgb());
    // Under csSystem the frame takes the palette's shadow and highlight colours.
    s->SetColorScheme(csSystem);
    const QImage system = Paint(*s);
    EXPECT_EQ(system.pixel(0, 0), QApplication::palette().color(QPalette::Dark).rgb());
    EXPECT_EQ(system.pixel(99, 59), QApplication::palette().color(QPalette::Light).rgb());
}

TEST(ScaleDrawing, EventsCarryTheCanvasAndEveryDrawnTick)
{
    for (bool transparent : {true, false}) {
        for (TScaleType type : {sctXB, sctYL}) {
            FormScale s(type, transparent);
            std::string order;
            QPaintDevice* before = nullptr;
            QPaintDevice* after = nullptr;
            std::vector<QPoint> ticks;
            s->OnBeforeScaleRendered = [&](TScale&, QPainter& c) {
                before = c.device();
                order += 'b';
            };
            s->OnAfterScaleRendered = [&](TScale&, QPainter& c) {
                after = c.device();
                order += 'a';
            };
            s->OnScaleTickDrawn = [&](TScale&, QPainter*&, TScaleType t, double v, int x, int y) {
                EXPECT_EQ(t, type);
                const int p = s->ValueToPixel(v);
                ticks.push_back(IsHorizontal(type) ? QPoint(x - p, y) : QPoint(x, y - p));
                if (order.back() != 't')
                    order += 't';
            };
            QImage image(400, 430, QImage::Format_RGB32);
            QPainter painter(&image);
            s->PaintTo(painter, 0, 30);
            EXPECT_EQ(order, "bta");
            EXPECT_EQ(before, &image);
            EXPECT_EQ(after == &image, transparent); // opaque: its own image, before the copy
            // Each tick at its pixel on the axis line (moved by the offset when transparent).
            const int line = AxisLinePosition(s->Geometry()) +
                             (transparent && IsHorizontal(type) ? 30 : 0);
            const QPoint want = IsHorizontal(type) ? QPoint(0, line) : QPoint(line, 0);
            EXPECT_EQ(ticks.size(), s->ComputeTickRun().Ticks.size());
            for (const QPoint& t : ticks)
                EXPECT_EQ(t, want);
            EXPECT_EQ(s->NumTicks(), static_cast<int>(s->ComputeTickRun().Recorded.size()));
        }
    }
}

TEST(ScaleDrawing, CalendarMessagesInOneOrSeveralLines)
{
    struct Case { TScaleType type; double lo, hi; int lines; };
    const double second = 1.0 / 86400;
    const Case cases[] = {
        {sctXT, 10, 5, 1}, {sctXT, 0, 2 * second, 1},
        {sctYL, 10, 5, 3}, {sctYR, 0, 0.02 * second, 4},
    };
    for (const Case& c : cases) {
        FormScale s(c.type);
        s->SetLabelType(ftDateTime);
        s->SetRangeHigh(c.hi);
        s->SetRangeLow(c.lo);
        s->SetShowBaseLine(false);
        const QImage image = Paint(*s);
        const QFontMetrics fm = Metrics(*s);
        const int h = fm.height();
        const int line = AxisLinePosition(s->Geometry());
        const int p = s->ValueToPixel((c.lo + c.hi) / 2);
        const auto ink = TextInk(image, image.rect());
        ASSERT_TRUE(ink) << c.type;
        if (c.lines == 1) {
            const QString text = c.lo > c.hi ? "invalid DateTime scale"
                                             : "DateTime range is below 1 second";
            const int w = fm.horizontalAdvance(text);
            EXPECT_TRUE(QRect(p - w / 2, line + 7, w + 1, h).contains(*ink)) << c.type;
            EXPECT_GT(ink->width(), w * 3 / 4);
        } else {
            EXPECT_GE(ink->top(), p - h);
            EXPECT_LT(ink->bottom(), p + (c.lines - 1) * h);
            EXPECT_GT(ink->bottom(), p + (c.lines - 2) * h);
            if (c.type == sctYL) {
                EXPECT_GE(ink->left(), line + 2);
            } else {
                EXPECT_LE(ink->right(), line - 2);
            }
        }
        // No ticks: nothing black at all.
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ASSERT_FALSE(IsBlack(image.pixel(x, y))) << x << "," << y;
    }
}

TEST(ScaleDrawing, DateLineOneTextLineBeyondTheTimeLabels)
{
    FormScale s(sctXT);
    s->SetLabelType(ftDateTime);
    s->SetRangeHigh(36526.75); // 1 January 2000, 06:00 to 18:00
    s->SetRangeLow(36526.25);
    s->DateFormat()->SetDateForTime(dtOnePerChart);
    const QImage image = Paint(*s);
    const int h = Metrics(*s).height();
    const int line = AxisLinePosition(s->Geometry());
    const auto labels = TextInk(image, QRect(0, line + 7, 400, h));
    const auto date = TextInk(image, QRect(0, line + 7 + h, 400, h));
    ASSERT_TRUE(labels);
    ASSERT_TRUE(date);
    // One date line, at the first long tick (06:00, at the left end).
    EXPECT_LT(date->right(), 200);
    EXPECT_GT(labels->right(), 300);
    EXPECT_FALSE(TextInk(image, QRect(0, line + 7 + 2 * h, 400, 400)));
}

TEST(ScaleDrawing, StandaloneScalePaintsItsOwnWindowWithItsFrame)
{
    TScale s;
    s.Loaded();
    s.SetSize(200, 80);
    s.SetColorBackGnd(clWhite);
    s.show();
    EXPECT_FALSE(s.PaintLock());
    const QImage image = s.grab().toImage();
    ASSERT_EQ(image.size(), QSize(200, 80));
    EXPECT_EQ(image.pixel(0, 0), qRgb(128, 128, 128)); // fsLowered
    EXPECT_EQ(image.pixel(1, 1), Black.rgb());
    const int line = AxisLinePosition(s.Geometry());
    EXPECT_EQ(BlackRun(image, {s.ValueToPixel(20), line}, 0, -1), 7);
    EXPECT_GT(s.NumTicks(), 0);
}

TEST(ScaleDrawing, PrintingSizesLabelsByPointSize)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("scale.pdf")));
    FormScale s(sctXB, false);
    std::optional<double> points;
    int printedHeight = 0;
    s->OnBeforeScaleRendered = [&](TScale&, QPainter& canvas) {
        points = canvas.font().pointSizeF();
        printedHeight = canvas.fontMetrics().height();
    };
    s->Print(printer);
    ASSERT_TRUE(points);
    // 12 pixels of the screen are 9 points at 96 dpi; the printer measures them at its own
    // resolution.
    const double screenDpi = s->screen() ? s->screen()->logicalDotsPerInchY() : 96.0;
    EXPECT_NEAR(*points, 12 * 72.0 / screenDpi, 0.01);
    EXPECT_NEAR(printedHeight, Metrics(*s).height() * printer.resolution() / screenDpi,
                printedHeight * 0.2);
    EXPECT_GT(QFileInfo(dir.filePath(QStringLiteral("scale.pdf"))).size(), 0);
    // Screens keep the font as it is.
    Paint(*s);
    EXPECT_LT(*points, 0); // a pixel-sized font has no point size
}

TEST(ScaleDrawing, NoPaintWhileLoadingOrInvisible)
{
    TScale loading; // still loading
    int painted = 0;
    loading.OnBeforeScaleRendered = [&](TScale&, QPainter&) { ++painted; };
    Paint(loading);
    FormScale hidden(sctXB);
    hidden->OnBeforeScaleRendered = loading.OnBeforeScaleRendered;
    hidden->SetVisible(false);
    Paint(*hidden);
    EXPECT_EQ(painted, 0);
    hidden->SetVisible(true);
    Paint(*hidden);
    EXPECT_EQ(painted, 1);
}

TEST(ScaleDrawing, ExtremeRangesPaintBoundedForEveryLabelType)
{
    const double big = std::numeric_limits<double>::max();
    const std::pair<double, double> ranges[] = {
        {1e17, 1e17 + 10}, {-1e308, 1e308}, {-big, big}, {big, -big}, {1e-300, 2e-300},
    };
    for (TFigType type : {ftNoFigs, ftNum, ftTime, ftDateTime, ftUserText}) {
        for (TScaleType scaleType : {sctXB, sctYR}) {
            for (auto [lo, hi] : ranges) {
                FormScale s(scaleType, scaleType == sctYR);
                s->SetLabelType(type);
                s->SetUserTickText(QStringLiteral("a|b"));
                s->SetMinTicks(type == ftNum ? 0 : 10);
                s->SetRangeHigh(hi);
                s->SetRangeLow(lo);
                int ticks = 0;
                s->OnScaleTickDrawn = [&](TScale&, QPainter*&, TScaleType, double, int, int) {
                    ++ticks;
                };
                Paint(*s);
                EXPECT_LE(ticks, MaxTicksPerRun) << type << " " << lo << ".." << hi;
                EXPECT_LE(s->NumTicks(), MaxTickList);
            }
        }
    }
    // Huge margins and offsets stay defined.
    FormScale s(sctXB);
    s->SetMarginLeft(std::numeric_limits<int>::max());
    s->SetMarginRight(std::numeric_limits<int>::max());
    s->SetCaption(QStringLiteral("c"));
    s->SetCaptionAnchor(uaSclCenter);
    Paint(*s, 0, std::numeric_limits<int>::max());
}
