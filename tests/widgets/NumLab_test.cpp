#include "widgets/NumLab.h"

#include "support/Pixels.h"

#include <QFontMetrics>
#include <QPainter>

#include <gtest/gtest.h>

#include <memory>

using namespace tessaly;
using tessaly::test::PixelAt;

namespace {

constexpr int LS = 35, LW = 80, H = 28;  // the default geometry of the value field
constexpr TColor Out = RGB(200, 200, 250), Back = RGB(10, 200, 10);

QFont TestFont()
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(13);
    f.setStyleStrategy(QFont::NoAntialias);  // pixels of the text in its exact colour
    return f;
}

std::unique_ptr<TNumLab> MakeLabel()
{
    auto lab = std::make_unique<TNumLab>();
    lab->setFont(TestFont());
    lab->SetColorOutBakG(Out);
    lab->SetColorLabBakG(Back);
    return lab;
}

// The bounding box of the pixels in `area` of colour `ink` (with `other`, of any other colour).
QRect InkBox(const QImage& image, QRect area, TColor ink, bool other = false)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((PixelAt(image, x, y) == ink) != other)
                box |= QRect(x, y, 1, 1);
    return box;
}

// The ink of `text` drawn with its pen at x 0 and its top at y 0.
QRect ReferenceInk(const QString& text)
{
    QImage image(400, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setFont(TestFont());
    p.drawText(QPoint(0, p.fontMetrics().ascent()), text);
    p.end();
    return InkBox(image, image.rect(), clWhite, true);
}

int TextWidth(const QString& text) { return QFontMetrics(TestFont()).horizontalAdvance(text); }
int TextTop() { return (H - QFontMetrics(TestFont()).height()) / 2; }

} // namespace

TEST(NumLab, SettersKeepPrecisionAndLeftSpaceInRange)
{
    TNumLab lab;
    EXPECT_EQ(lab.DisplayText(), "0.00");
    lab.SetPrecision(-1);
    EXPECT_EQ(lab.Precision(), 2);
    lab.SetPrecision(20);
    EXPECT_EQ(lab.Precision(), 15);
    lab.SetLeftSpace(-5);
    EXPECT_EQ(lab.LeftSpace(), 35);
    lab.SetLeftSpace(500);
    EXPECT_EQ(lab.LeftSpace(), 160);
}

TEST(NumLab, TextWiderThanTheFieldShowsTheOverflowIndicator)
{
    auto lab = MakeLabel();
    lab->SetValue(0.6);
    const int w = TextWidth(QStringLiteral("0.60"));
    lab->SetLabelWidth(w + 6);
    EXPECT_EQ(lab->DisplayText(), "0.60");
    lab->SetLabelWidth(w + 5);
    EXPECT_EQ(lab->DisplayText(), "*********");
    lab->SetDisplayType(TNumLab::dtState);  // state texts are never replaced
    lab->SetStateText(QStringLiteral("a rather long state text"));
    EXPECT_EQ(lab->DisplayText(), "a rather long state text");

    // The width test measures what OnBeforeDisplay leaves; an empty label calls nothing.
    lab->SetDisplayType(TNumLab::dtFixP);
    lab->SetLabelWidth(80);
    lab->SetValue(1e30);
    int calls = 0;
    lab->OnBeforeDisplay = [&](TNumLab&, QString& text) {
        ++calls;
        text = text.size() > 8 ? QStringLiteral("big") : text + QStringLiteral(" V");
    };
    EXPECT_EQ(lab->DisplayText(), "big");
    lab->SetValue(5);
    EXPECT_EQ(lab->DisplayText(), "5.00 V");
    lab->SetEmpty(true);
    EXPECT_EQ(lab->DisplayText(), "");
    EXPECT_EQ(calls, 2);
}

TEST(NumLab, FieldFrameOfEveryStyle)
{
    // Pixels of the field and the colour each style gives them; Out marks pixels the field
    // leaves alone. The label is Empty, so the inside keeps its background.
    constexpr TColor G = clGray, W = clWhite, K = clBlack;
    const QPoint spots[] = {{LS, 0},          {LS + 1, 1},      {LS + 1, H - 3},
                            {LS + LW, 1},     {LS, H - 2},      {LS + 1, H - 1},
                            {LS + LW + 2, H - 1}, {LS + LW + 2, 1}, {LS + LW + 2, 0},
                            {LS + LW + 1, 5}, {LS, H - 1},      {LS + 40, 12}};
    struct Case { TFrameStyle style; TColor expected[12]; };
    const Case cases[] = {
        {fsNone, {Back, Back, Back, Back, Back, Back, Out, Out, Out, Back, Back, Back}},
        {fsSimple, {G, Back, Back, Back, G, G, Out, Out, Out, G, G, Back}},
        {fsLowered, {G, K, K, K, G, W, W, W, Out, G, Out, Back}},
        {fsRaised, {G, W, W, W, G, K, K, K, Out, G, Out, Back}},
        {fsEngraved, {G, W, W, W, G, W, W, W, Out, G, Out, Back}},
        {fsEmbossed, {W, G, G, G, W, G, G, G, Out, W, Out, Back}},
    };
    auto lab = MakeLabel();
    lab->SetValue(88888);
    lab->SetEmpty(true);
    for (const Case& c : cases) {
        lab->SetFrameStyle(c.style);
        const QImage img = lab->RenderImage();
        for (int i = 0; i < 12; ++i) {
            EXPECT_EQ(PixelAt(img, spots[i].x(), spots[i].y()), c.expected[i])
                << "style " << c.style << " at " << spots[i].x() << ',' << spots[i].y();
        }
    }
    lab->SetFrameStyle(fsLowered);
    lab->SetColorScheme(csSystem);
    const QImage img = lab->RenderImage();
    EXPECT_EQ(PixelAt(img, LS, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelAt(img, LS + 1, H - 1), ColorToRGB(clBtnHighlight));
    EXPECT_TRUE(InkBox(img, QRect(LS + 2, 2, LW - 1, H - 5), Back, true).isNull());
}

TEST(NumLab, ValueTextPositionByAlignment)
{
    const QString text = QStringLiteral("0.60");
    const QRect ref = ReferenceInk(text);
    const int w = TextWidth(text);
    struct Case { TAlignment alignment; int x; };
    for (auto c : {Case{taLeftJustify, LS + 4}, Case{taRightJustify, LS + LW - w - 2},
                   Case{taCenter, LS + (LW - w) / 2 + 2}}) {
        auto lab = MakeLabel();
        lab->SetValue(0.6);
        lab->SetAlignment(c.alignment);
        const QRect ink = InkBox(lab->RenderImage(), QRect(LS + 2, 2, LW - 1, H - 4), clBlack);
        EXPECT_EQ(ink.topLeft(), QPoint(c.x, TextTop()) + ref.topLeft()) << c.alignment;
        EXPECT_EQ(ink.width(), ref.width()) << c.alignment;
    }
}

TEST(NumLab, ValueTextIsClippedToTheField)
{
    auto lab = MakeLabel();
    lab->SetDisplayType(TNumLab::dtState);
    lab->SetStateText(QStringLiteral("WWWWWWWWWWWWWWWWWWWWWWWW"));
    lab->SetAlignment(taLeftJustify);
    // Looked for inside the frame's dark top-left line, up to the right edge of the control.
    const QRect ink = InkBox(lab->RenderImage(), QRect(LS + 2, 2, 160 - LS - 2, H - 4), clBlack);
    EXPECT_EQ(ink.right(), LS + LW - 2);
    EXPECT_TRUE(QRect(LS + 3, 2, LW - 4, H - 5).contains(ink));
}

TEST(NumLab, LeftAndRightTextPositions)
{
    const QString text = QStringLiteral("ab");
    const QRect ref = ReferenceInk(text);
    const int w = TextWidth(text);
    struct Case { bool right; TAlignment alignment; int x; };
    for (auto c : {Case{false, taLeftJustify, 7}, Case{false, taRightJustify, LS - w - 5},
                   Case{false, taCenter, (LS - w) / 2}, Case{true, taLeftJustify, LS + LW + 7},
                   Case{true, taRightJustify, 160 - w - 6},
                   Case{true, taCenter, (160 - (LS + LW + w)) / 2 + LS + LW + 1}}) {
        auto lab = MakeLabel();
        lab->SetEmpty(true);
        lab->setProperty(c.right ? "RightText" : "LeftText", text);
        lab->setProperty(c.right ? "RightTextAlignment" : "LeftTextAlignment", int(c.alignment));
        const QRect area =
            c.right ? QRect(LS + LW + 3, 0, 160 - LS - LW - 3, H) : QRect(0, 0, LS, H);
        const QRect ink = InkBox(lab->RenderImage(), area, clBlack);
        EXPECT_EQ(ink.topLeft(), QPoint(c.x, TextTop()) + ref.topLeft())
            << (c.right ? "right " : "left ") << c.alignment;
    }
}

TEST(NumLab, DisabledControlDrawsEmbossedGreyTexts)
{
    auto lab = MakeLabel();
    lab->SetLeftText(QStringLiteral("ab"));
    lab->SetLeftTextAlignment(taLeftJustify);
    lab->SetRightText(QStringLiteral("ab"));
    lab->SetRightTextAlignment(taRightJustify);
    lab->SetValue(0.6);
    lab->SetEnabled(false);
    const QImage img = lab->RenderImage();

    const QRect left(0, 0, LS, H), right(LS + LW + 3, 0, 160 - LS - LW - 3, H);
    const QRect greyLeft = InkBox(img, left, clGray);
    EXPECT_EQ(greyLeft.left(), 7 + ReferenceInk(QStringLiteral("ab")).left());
    EXPECT_EQ(InkBox(img, left, clWhite).topLeft(), greyLeft.topLeft() + QPoint(1, 1));
    // A right-justified right text has its white copy one pixel to the left.
    EXPECT_EQ(InkBox(img, right, clWhite).topLeft(),
              InkBox(img, right, clGray).topLeft() + QPoint(-1, 1));
    // The value text is plain grey.
    const QRect field(LS + 3, 2, LW - 4, H - 5);
    EXPECT_FALSE(InkBox(img, field, clGray).isNull());
    EXPECT_TRUE(InkBox(img, field, clBlack).isNull());

    lab->SetEnabled(true);
    EXPECT_TRUE(InkBox(lab->RenderImage(), left, clGray).isNull());
}

TEST(NumLab, TransparentControlLeavesTheParentVisible)
{
    constexpr TColor parentColor = RGB(200, 60, 60);
    QWidget parent;
    parent.resize(200, 40);
    QPalette pal = parent.palette();
    pal.setColor(QPalette::Window, ColorToQColor(parentColor));
    parent.setPalette(pal);
    parent.setAutoFillBackground(true);
    auto* lab = new TNumLab(&parent);
    lab->setFont(TestFont());
    lab->move(10, 5);
    lab->SetColorOutBakG(Out);
    lab->SetColorLabBakG(Back);
    lab->SetLeftText(QStringLiteral("x ="));
    lab->SetValue(0.6);
    parent.show();
    EXPECT_EQ(PixelAt(parent.grab().toImage(), 10 + 2, 5 + 2), Out);

    lab->SetTransparent(true);
    const QImage img = parent.grab().toImage();
    // White parts of the image leave the parent as it is, black text and frame lines stay
    // black, and the field keeps its own background.
    EXPECT_EQ(PixelAt(img, 10 + 2, 5 + 2), parentColor);
    EXPECT_EQ(PixelAt(img, 10 + 150, 5 + 20), parentColor);
    EXPECT_FALSE(InkBox(img, QRect(10, 5, LS, H), clBlack).isNull());
    EXPECT_EQ(PixelAt(img, 10 + LS + 1, 5 + 1), clBlack);
    EXPECT_EQ(PixelAt(img, 10 + LS + 4, 5 + 3), Back);
}

TEST(NumLab, AssignCopiesEverySettingAndTheValue)
{
    auto source = MakeLabel();
    source->SetDisplayType(TNumLab::dtEEng);
    source->SetPrecision(3);
    source->SetValue(4700);
    source->SetComma(true);
    source->SetFrameStyle(fsRaised);
    source->SetColorScheme(csSystem);
    source->SetColorLabText(clRed);
    source->SetLeftText(QStringLiteral("R ="));
    source->SetAlignment(taLeftJustify);
    source->SetLeftSpace(40);
    source->SetEnabled(false);

    TNumLab target;
    target.Assign(*source);
    EXPECT_EQ(target.DisplayText(), "4,70k");
    EXPECT_FALSE(target.Enabled());
    EXPECT_EQ(target.RenderImage(), source->RenderImage());
}
