// What the window shows must never mislead: no tick label cut by the chart's edge, the whole
// reason of an error, and the controls that react to the real keys and clicks of a user.
#include "MainWindowSupport.h"

#include "app/ErrorLine.h"
#include "gfx/Fonts.h"
#include "scale/Scale.h"
#include "widgets/NumLab.h"

#include <QFontInfo>
#include <QLabel>
#include <QScrollBar>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace tessaly;
using tessaly::test::Window;

namespace {

// The left edge of the y labels in the chart, in the chart's pixels.
int YLabelsLeft(const Window& w)
{
    return w.win->RCFunc->ScaleControlY(1)->LabelBounds().left();
}

} // namespace

TEST(WindowPicture, TheLeftMarginGrowsForWideLabelsAndShrinksBackToItsDesign)
{
    Window w;
    w.ShowAndCloseAbout();
    const int designed = w.win->RCFunc->MarginLeft();
    EXPECT_EQ(designed, 50);
    EXPECT_GE(YLabelsLeft(w), 2);

    // exp(x) over -100..100 has y labels like " 5.0E+43".
    w.Type("exp(x)");
    QTest::mouseClick(w.win->SButZoom11, Qt::LeftButton);
    EXPECT_GT(w.win->RCFunc->MarginLeft(), designed);
    EXPECT_GE(YLabelsLeft(w), 2);
    EXPECT_LE(YLabelsLeft(w), 3); // just enough
    // The data area shrank with it, and the curve still takes one sample per column.
    const int dataWidth = w.win->RCFunc->width() - w.win->RCFunc->MarginLeft() -
                          w.win->RCFunc->MarginRight();
    EXPECT_NEAR(w.Points(), dataWidth + 1, 1);

    w.Type("3");
    QTest::mouseClick(w.win->SButZoom11, Qt::LeftButton);
    EXPECT_GE(YLabelsLeft(w), 2);

    w.Type("sin(x)");
    QTest::mouseClick(w.win->SButZoom11, Qt::LeftButton);
    EXPECT_EQ(w.win->RCFunc->MarginLeft(), designed);
}

TEST(WindowPicture, ErrorLineShowsTheWholeReasonAndItsPlaceInTheTooltip)
{
    Window w;
    w.ShowAndCloseAbout();
    w.Type("1/(x-x)");
    EXPECT_EQ(w.win->LblError->text(), "division by zero");
    EXPECT_EQ(w.win->LblError->toolTip(), "division by zero at x = -100");

    // The longest reason of the engine in German is wider than the designed line.
    Window de("tessaly.de.itl");
    de.ShowAndCloseAbout();
    de.Type("(-2)^0.5");
    const QString reason = de.win->LblError->text();
    EXPECT_TRUE(reason.startsWith("nicht ganzzahlige Potenz")) << reason.toStdString();
    const QFontMetrics metrics(de.win->LblError->font());
    EXPECT_LE(metrics.horizontalAdvance(reason), de.win->LblError->width());
    EXPECT_GT(de.win->LblError->x(), de.win->Label4->x());
    EXPECT_TRUE(de.win->LblError->toolTip().startsWith(reason.left(10)));
}

TEST(WindowPicture, ErrorLinePlaceKeepsTheDesignForShortReasonsAndNeverCutsTheStart)
{
    const QRect designed(240, 4, 416, 16);
    struct Case { int freeLeft, textWidth; QRect geometry; bool elided; };
    const Case cases[] = {
        {230, 100, designed, false},                            // fits: as designed
        {230, 416, designed, false},                            // exactly
        {120, 500, QRect(156, 4, 500, 16), false},              // takes space to its left
        {120, 600, QRect(120, 4, 536, 16), true},               // then ends with an ellipsis
        {300, 500, designed, true},                             // no free space at all
    };
    for (const Case& c : cases) {
        const TErrorLinePlace p = PlaceErrorLine(designed, c.freeLeft, c.textWidth);
        EXPECT_EQ(p.Geometry, c.geometry) << c.textWidth;
        EXPECT_EQ(p.Elided, c.elided) << c.textWidth;
    }
}

TEST(WindowPicture, EnterOnTheComboBoxRedrawsAsARealKeyArrives)
{
    Window w;
    w.ShowAndCloseAbout();
    w.Type("a*x");
    const double before = w.Y(w.Points() - 1);
    // The read-out changes without a redraw; Enter brings the curve to it.
    w.win->NLabVar[0]->SetValue(-0.5);
    ASSERT_EQ(w.Y(w.Points() - 1), before);
    // A real key goes to the focused combo box, which passes it on to its line edit itself.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QApplication::sendEvent(w.win->CBoxExpression, &press);
    EXPECT_DOUBLE_EQ(w.Y(w.Points() - 1), -before);
}

TEST(WindowPicture, ATroughClickMovesAScrollBarByOnePosition)
{
    Window w;
    w.ShowAndCloseAbout();
    QScrollBar* bar = w.win->SbarVar[3];
    const int before = bar->value();
    // Right of the handle, in the trough.
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, QPoint(bar->width() - 24, 8));
    QTest::qWait(50);
    EXPECT_EQ(bar->value(), before + 1);
    EXPECT_DOUBLE_EQ(w.win->NLabVar[3]->Value(), (before + 1) / 100.0);
}

TEST(WindowPicture, FormulaBoxAndErrorLineGrowWithTheWindowParametersStay)
{
    Window w;
    w.ShowAndCloseAbout();
    const QRect box = w.win->CBoxExpression->geometry();
    const QRect bar = w.win->SbarVar[3]->geometry();
    w.win->resize(TFrmTessaly::DesignWidth + 200, TFrmTessaly::DesignHeight);
    QApplication::processEvents();
    EXPECT_EQ(w.win->CBoxExpression->geometry(), box.adjusted(0, 0, 200, 0));
    EXPECT_EQ(w.win->SbarVar[3]->geometry(), bar);
    w.Type("y");
    EXPECT_EQ(w.win->LblError->geometry().right(), 655 + 200);
    EXPECT_EQ(w.win->SBExit->x() + w.win->SBExit->width(),
              w.win->width() - (TFrmTessaly::DesignWidth - 551 - w.win->SBExit->width()));
}

TEST(WindowPicture, TheDesignedFontsAreDrawnWithTheirMetricTwins)
{
    InstallFontSubstitutes();
    struct Case { const char* family; const char* drawn; };
    for (auto c : {Case{"MS Sans Serif", "Liberation Sans"}, Case{"Arial", "Liberation Sans"},
                   Case{"Courier New", "Liberation Mono"},
                   Case{"Times New Roman", "Liberation Serif"}}) {
        EXPECT_EQ(QFontInfo(QFont(c.family)).family(), c.drawn) << c.family;
        EXPECT_EQ(SubstitutedFamily(QString(c.family).toUpper()), c.drawn);
    }
    EXPECT_EQ(SubstitutedFamily("DejaVu Sans"), "DejaVu Sans");
    EXPECT_EQ(SubstituteSvgFontFamilies("<text font-family=\"MS Sans Serif\" x=\"1\">"),
              "<text font-family=\"Liberation Sans\" x=\"1\">");
    Window w;
    EXPECT_EQ(QFontInfo(w.win->CBoxExpression->font()).family(), "Liberation Sans");
}
