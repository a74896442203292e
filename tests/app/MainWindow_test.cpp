// The main window driven as a user drives it, with Qt's test events on the offscreen platform.
#include "app/mainfrm.h"
#include "MainWindowSupport.h"

#include "chart/CrossHair.h"
#include "chart/RChart.h"
#include "chart/ScaleProps.h"
#include "host/AboutBox.h"
#include "html/HtmlView.h"
#include "widgets/NumLab.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>

using namespace tessaly;
using tessaly::test::Window;

TEST(MainWindow, AfterTheAboutBoxTheParametersAndTheFirstSampleShow)
{
    Window w;
    EXPECT_EQ(w.win->windowTitle(), "Tessaly");   // marker removed without a language file
    EXPECT_EQ(w.win->SBExit->text(), "Exit");
    EXPECT_FALSE(w.win->windowIcon().isNull());
    EXPECT_EQ(w.win->Label4->text(), "Function to Calculate");
    w.ShowAndCloseAbout();
    const double expected[4] = {0.5, 1, 0.03, 0.4};
    for (size_t i = 0; i < 4; ++i)
        EXPECT_DOUBLE_EQ(w.win->NLabVar[i]->Value(), expected[i]) << i;
    EXPECT_EQ(w.win->CBoxExpression->currentText(), "a*5*sin(b*x) * cos (c*x)");
    EXPECT_EQ(w.XLow(), -100);
    EXPECT_EQ(w.XHigh(), 100);
    EXPECT_EQ(w.YLow(), -3);
    EXPECT_EQ(w.YHigh(), 3);
    const int width = w.win->RCFunc->width() - w.win->RCFunc->MarginLeft() - w.win->RCFunc->MarginRight();
    EXPECT_GE(w.Points(), width + 1);
    EXPECT_LE(w.Points(), width + 2);
    EXPECT_TRUE(w.win->NLabX->Transparent());
    EXPECT_FALSE(w.win->LblError->isVisible());
    EXPECT_GE(w.win->width(), TFrmTessaly::DesignWidth);
    EXPECT_EQ(w.win->minimumSize(), QSize(TFrmTessaly::DesignWidth, TFrmTessaly::DesignHeight));
}

TEST(MainWindow, TypingEnterAndScrollBarsRedraw)
{
    Window w;
    w.ShowAndCloseAbout();
    w.Type("x");
    ASSERT_GT(w.Points(), 2);
    EXPECT_DOUBLE_EQ(w.Y(0), -100);

    // Enter redraws although the text did not change: the noise differs from draw to draw.
    w.Type("gauss");
    const double before = w.Y(5);
    QTest::keyClick(w.win->CBoxExpression->lineEdit(), Qt::Key_Return);
    EXPECT_NE(w.Y(5), before);

    w.Type("a*x");
    w.win->SbarVar[0]->setValue(-25);
    EXPECT_DOUBLE_EQ(w.win->NLabVar[0]->Value(), -0.25);
    EXPECT_DOUBLE_EQ(w.Y(0), 25);

    // Choosing a sample from the list draws it.
    w.win->CBoxExpression->setCurrentIndex(1);
    EXPECT_EQ(w.win->CBoxExpression->currentText(), "a*x+b*20");
    EXPECT_DOUBLE_EQ(w.Y(0), -0.25 * -100 + 1 * 20);
}

TEST(MainWindow, AWrongFormulaShowsItsReasonInRed)
{
    Window w;
    w.ShowAndCloseAbout();
    w.Type("2(3)");
    EXPECT_TRUE(w.win->LblError->isVisible());
    EXPECT_EQ(w.win->LblError->text(), "syntax error");
    EXPECT_EQ(w.win->LblError->palette().color(QPalette::WindowText), QColor(0xD7, 0, 0));
    w.Type("y+1");
    EXPECT_EQ(w.win->LblError->text(), "undefined variable \"y\"");
    w.Type("x");
    EXPECT_FALSE(w.win->LblError->isVisible());
}

TEST(MainWindow, RangeButtonsFitTheFunction)
{
    Window w;
    w.ShowAndCloseAbout();
    w.Type("x");
    QTest::mouseClick(w.win->SButZoom01, Qt::LeftButton);
    EXPECT_EQ(w.XLow(), 1e-30);
    EXPECT_EQ(w.XHigh(), 100);
    EXPECT_NEAR(w.YHigh(), 100 + 2, 0.5);
    w.win->RCFunc->SetRange(1, -10, -3, 10, 3);
    QTest::mouseClick(w.win->SButYScale, Qt::LeftButton);
    EXPECT_EQ(w.XLow(), -10);
    EXPECT_NEAR(w.YLow(), -10 - 0.4, 0.05);
    EXPECT_NEAR(w.YHigh(), 10 + 0.4, 0.05);
    QTest::mouseClick(w.win->SButZoom11, Qt::LeftButton);
    EXPECT_EQ(w.XLow(), -100);
    EXPECT_EQ(w.XHigh(), 100);
    EXPECT_NEAR(w.YHigh(), 100 + 4, 0.5);
    w.win->Zoom111->trigger();
    EXPECT_EQ(w.XLow(), -100);
}

TEST(MainWindow, ModeButtonsAndPopupItemsSetTheMouseMode)
{
    Window w;
    w.ShowAndCloseAbout();
    EXPECT_EQ(w.win->RCFunc->MouseAction(), maDragCrossH);
    EXPECT_TRUE(w.win->SbutDragCursor->isChecked());
    struct Case { QToolButton* button; TMouseActMode mode; };
    const Case cases[] = {{w.win->SButZoomWind, maZoomWindPos}, {w.win->SButZoomDrag, maZoomDrag},
                          {w.win->SButZoomPan, maPan}, {w.win->SbutDragCursor, maDragCrossH}};
    for (const Case& c : cases) {
        QTest::mouseClick(c.button, Qt::LeftButton);
        EXPECT_EQ(w.win->RCFunc->MouseAction(), c.mode) << c.button->objectName().toStdString();
        for (const Case& other : cases)
            EXPECT_EQ(other.button->isChecked(), other.button == c.button);
    }
    // The popup items set the mode without moving the buttons.
    w.win->Pan1->trigger();
    EXPECT_EQ(w.win->RCFunc->MouseAction(), maPan);
    EXPECT_TRUE(w.win->SbutDragCursor->isChecked());
    w.win->ZoomOut1->trigger();
    EXPECT_EQ(w.win->RCFunc->MouseAction(), maZoomWindPos);
    w.win->ZoomDrag1->trigger();
    EXPECT_EQ(w.win->RCFunc->MouseAction(), maZoomDrag);
    w.win->MoveCrosshair1->trigger();
    EXPECT_EQ(w.win->RCFunc->MouseAction(), maDragCrossH);
}

TEST(MainWindow, TheCrosshairBoxSwitchesToPanAndBackAndTheGridBoxSetsTheGrid)
{
    Window w;
    w.ShowAndCloseAbout();
    QTest::mouseClick(w.win->CBoxCrosshVis, Qt::LeftButton);
    EXPECT_EQ(w.win->RCFunc->CrossHair1()->Mode(), chOff);
    EXPECT_EQ(w.win->RCFunc->MouseAction(), maPan);
    EXPECT_TRUE(w.win->SButZoomPan->isChecked());
    EXPECT_FALSE(w.win->SbutDragCursor->isVisible());
    EXPECT_TRUE(w.win->NLabX->Empty());
    EXPECT_TRUE(w.win->NLabY->Empty());
    QTest::mouseClick(w.win->CBoxCrosshVis, Qt::LeftButton);
    EXPECT_EQ(w.win->RCFunc->CrossHair1()->Mode(), chBoth);
    EXPECT_EQ(w.win->RCFunc->MouseAction(), maDragCrossH);
    EXPECT_TRUE(w.win->SbutDragCursor->isVisible());
    EXPECT_TRUE(w.win->SbutDragCursor->isChecked());
    EXPECT_FALSE(w.win->NLabX->Empty());

    // Unchecked in another mode, the mode stays.
    QTest::mouseClick(w.win->SButZoomDrag, Qt::LeftButton);
    QTest::mouseClick(w.win->CBoxCrosshVis, Qt::LeftButton);
    EXPECT_EQ(w.win->RCFunc->MouseAction(), maZoomDrag);
    EXPECT_TRUE(w.win->SButZoomDrag->isChecked());

    w.win->RCFunc->SetGridStyle(gsLines);
    // On the box itself: a check box reacts to its box and its text, not to the space beside.
    const QPoint box(8, w.win->CBoxShowGrid->height() / 2);
    QTest::mouseClick(w.win->CBoxShowGrid, Qt::LeftButton, Qt::NoModifier, box);
    EXPECT_EQ(w.win->RCFunc->GridStyle(), gsNone);
    QTest::mouseClick(w.win->CBoxShowGrid, Qt::LeftButton, Qt::NoModifier, box);
    EXPECT_EQ(w.win->RCFunc->GridStyle(), gsDotLines);
}

TEST(MainWindow, DraggingTheCrosshairUpdatesTheReadOuts)
{
    Window w;
    w.ShowAndCloseAbout();
    TRChart* chart = w.win->RCFunc;
    // Data area pixel of world (50, 1.5) in layer 1.
    const QPoint target = chart->WorldToPixel(1, 50, 1.5);
    const QPoint start = chart->WorldToPixel(1, 0, 0);
    QTest::mousePress(chart, Qt::LeftButton, Qt::NoModifier, start);
    QTest::mouseMove(chart, start + QPoint(1, 1));
    QTest::mouseMove(chart, target);
    QTest::mouseRelease(chart, Qt::LeftButton, Qt::NoModifier, target);
    EXPECT_NEAR(w.win->NLabX->Value(), 50, 0.5);
    EXPECT_NEAR(w.win->NLabY->Value(), 1.5, 0.05);
    EXPECT_NEAR(chart->CrossHair1()->PosX(), 50, 0.5);
}

TEST(MainWindow, AboutShowsTheBoxAgainAndExitCloses)
{
    Window w;
    w.ShowAndCloseAbout();
    bool shown = false;
    QTimer::singleShot(20, [&] {
        shown = w.about->isVisible();
        w.about->BButOKClick();
    });
    QTest::mouseClick(w.win->SBAbout, Qt::LeftButton);
    EXPECT_TRUE(shown);
    QTest::mouseClick(w.win->SBExit, Qt::LeftButton);
    EXPECT_FALSE(w.win->isVisible());
}

TEST(MainWindow, TheGermanLanguageFileTranslatesTheWindowTheAboutBoxAndThePage)
{
    Window w("tessaly.de.itl");
    EXPECT_EQ(w.win->windowTitle(), "Tessaly - Funktionsplotter");
    EXPECT_EQ(w.win->SBAbout->text(), "Info");
    EXPECT_EQ(w.win->SBExit->text(), "Beenden");
    EXPECT_EQ(w.win->SBExit->toolTip(), "Exit");  // not marked: stays
    EXPECT_EQ(w.win->CBoxShowGrid->text(), "Gitter");
    EXPECT_EQ(w.win->CBoxCrosshVis->text(), "Fadenkreuz");
    EXPECT_EQ(w.win->Label4->text(), "Zu berechnende Funktion");
    EXPECT_EQ(w.win->SButZoomPan->toolTip(), "Diagramm verschieben");
    EXPECT_EQ(w.win->Pan1->text(), "Pan");        // the popup menu is not translated
    w.ShowAndCloseAbout();
    EXPECT_EQ(w.about->windowTitle(), "Info");
    EXPECT_TRUE(w.about->LblWebSite->text().startsWith("Mehr Informationen"));
    EXPECT_TRUE(w.win->HTMLView->toPlainText().contains("Eine Funktion und ihre Parameter erkunden"));
    w.Type("1/0");
    EXPECT_EQ(w.win->LblError->text(), "Division durch Null");
    // The walk reached every control: no marker is left anywhere in the window.
    const QList<QWidget*> all = w.win->findChildren<QWidget*>();
    for (QWidget* c : all) {
        EXPECT_FALSE(c->toolTip().startsWith("PX_")) << c->objectName().toStdString();
        if (auto* b = qobject_cast<QAbstractButton*>(c)) {
            EXPECT_FALSE(b->text().startsWith("PX_")) << c->objectName().toStdString();
        }
        if (auto* l = qobject_cast<QLabel*>(c)) {
            EXPECT_FALSE(l->text().startsWith("PX_")) << c->objectName().toStdString();
        }
    }
}
