#pragma once
// The main window as the program starts it, for tests that drive it as a user does.
#include "app/mainfrm.h"
#include "chart/RChart.h"
#include "chart/ScaleProps.h"
#include "host/AboutBox.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace tessaly::test {

// A window as the program starts it, in a folder of its own (no language file) and under a
// program name of its own, so that tests never meet each other's single-instance lock.
struct Window {
    // languageFile: a file of lang/ to place beside the program as its language file.
    explicit Window(const char* languageFile = nullptr)
    {
        static int n = 0;
        const QString program = dir.filePath(QString("tessaly-window-%1").arg(++n));
        if (languageFile)
            QFile::copy(QString(TESSALY_SOURCE_DIR) + "/lang/" + languageFile, program + ".itl");
        TDemonStart start;
        start.Arguments = {program};
        start.ViewerHandle = QString();
        win = std::make_unique<TFrmTessaly>(start);
        about = std::make_unique<TFrmAbout>();
        win->SetAboutBox(about.get());
    }

    // Shows the window and closes the about box it opens, as the user does at start.
    void ShowAndCloseAbout()
    {
        bool closed = false;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (about->isVisible()) {
                QTest::mouseClick(about->BButOK, Qt::LeftButton);
                closed = true;
            }
        });
        closer.start(5);
        win->show();
        for (int i = 0; i < 4000 && !closed; ++i)  // up to 20 s on a loaded machine
            QTest::qWait(5);
        closer.stop();
        QApplication::processEvents();
        ASSERT_TRUE(closed) << "the about box did not show";
    }

    int Points() const { return win->RCFunc->Items().Count(); }
    double Y(int i) const { return win->RCFunc->Items()[i].y; }
    double XLow() const { return win->RCFunc->Scale1X()->RangeLow(); }
    double XHigh() const { return win->RCFunc->Scale1X()->RangeHigh(); }
    double YLow() const { return win->RCFunc->Scale1Y()->RangeLow(); }
    double YHigh() const { return win->RCFunc->Scale1Y()->RangeHigh(); }
    void Type(const QString& formula)
    {
        QLineEdit* edit = win->CBoxExpression->lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, formula);
    }

    QTemporaryDir dir;
    std::unique_ptr<TFrmTessaly> win;
    std::unique_ptr<TFrmAbout> about;
};


} // namespace tessaly::test
