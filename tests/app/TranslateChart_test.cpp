// The translation walk over the chart: its caption and the captions of its scale settings.
#include "chart/RChart.h"
#include "chart/ScaleProps.h"
#include "host/Parlox2000.h"
#include "support/LanguageFile.h"

#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

using namespace tessaly;

TEST(TranslateChart, MarkedCaptionsOfTheChartAndItsScalesAreTranslatedOthersKept)
{
    TParlox2000 engine;
    test::LoadLanguageBytes(engine, "[x axis]=x-Achse|$$[Chart]=Diagramm|$$[units]=Einheiten|$$");

    QWidget form;
    auto* chart = new TRChart(&form);
    chart->setObjectName("PX_Chart");  // a component's name is never translated
    chart->SetCaption("PX_Chart");
    chart->Scale1X()->SetCaption("PX_x axis");
    chart->Scale1Y()->SetCaption("y axis");          // not marked: stays
    chart->Scale2Y()->SetScaleInscript("PX_units");
    auto* label = new QLabel("PX_Chart", &form);
    engine.TranslateComponent(form);

    EXPECT_EQ(chart->Caption(), "Diagramm");
    EXPECT_EQ(chart->Scale1X()->Caption(), "x-Achse");
    EXPECT_EQ(chart->Scale1Y()->Caption(), "y axis");
    EXPECT_EQ(chart->Scale2Y()->ScaleInscript(), "Einheiten");
    EXPECT_EQ(chart->objectName(), "PX_Chart");
    EXPECT_EQ(label->text(), "Diagramm");
}

TEST(TranslateChart, PropertiesOfTheChartFollowItsScaleSettingsOnly)
{
    TParlox2000 engine;
    test::LoadLanguageBytes(engine, "[x axis]=x-Achse|$$[Chart]=Diagramm|$$");
    TRChart chart;
    chart.SetCaption("PX_Chart");
    chart.Scale1X()->SetCaption("PX_x axis");
    QList<QObject*> visited;
    engine.OnTranslateObject = [&](TParlox2000&, QObject& object, bool&) {
        visited.append(&object);
    };
    // The chart alone, without the objects it owns.
    engine.TranslateProperties(chart);
    EXPECT_EQ(chart.Caption(), "Diagramm");
    EXPECT_EQ(chart.Scale1X()->Caption(), "x-Achse");
    EXPECT_TRUE(visited.contains(chart.Scale4Y()));
    // Crosshairs and the background image are settings of another kind: skipped.
    EXPECT_FALSE(visited.contains(chart.CrossHair1()));
    EXPECT_FALSE(visited.contains(chart.BackGroundImg()));
    EXPECT_FALSE(visited.contains(chart.JointLayers()));
}
