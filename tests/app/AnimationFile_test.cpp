// tessaly --render FILE.gif --animate NAME: the sweep of a parameter as an animated GIF, and the
// chart as a PDF page.
#include "app/ChartScene.h"
#include "app/CommandLine.h"

#include <QFile>
#include <QTemporaryDir>

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <sstream>

namespace tessaly {

namespace {

int RunTessaly(const std::vector<std::string>& args, std::string* errors = nullptr)
{
    std::ostringstream out, err;
    const int code = RunCommandLine(args, out, err);
    if (errors)
        *errors = err.str();
    return code;
}

} // namespace

TEST(AnimationFile, TheSweepIsOneFrameAPositionFromMinusOneToOneAndBack)
{
    const std::vector<int> p = TChartScene::SweepPositions();
    ASSERT_EQ(p.size(), 400u);
    EXPECT_EQ(p.front(), -100);
    EXPECT_EQ(p[200], 100);
    EXPECT_EQ(p.back(), -99); // the loop goes on to -100 as the first frame
    for (size_t i = 1; i < p.size(); ++i)
        EXPECT_EQ(std::abs(p[i] - p[i - 1]), 1);

    QTemporaryDir dir;
    const std::string file = dir.filePath("sweep.gif").toStdString();
    std::string err;
    ASSERT_EQ(RunTessaly({"--render", file, "--animate", "b", "--size", "240x120", "--speed", "50",
                   "--keep", "x/50"},
                  &err),
              0)
        << err;
    int error = 0;
    GifFileType* gif = DGifOpenFileName(file.c_str(), &error);
    ASSERT_NE(gif, nullptr) << GifErrorString(error);
    ASSERT_EQ(DGifSlurp(gif), GIF_OK);
    EXPECT_EQ(gif->SWidth, 240);
    EXPECT_EQ(gif->SHeight, 120);
    EXPECT_EQ(gif->ImageCount, 400);
    GraphicsControlBlock gcb;
    ASSERT_EQ(DGifSavedExtensionToGCB(gif, 1, &gcb), GIF_OK);
    EXPECT_EQ(gcb.DelayTime, 2); // 50 steps a second
    // The curve moves: frames after the first carry the changed part of the chart only,
    // but more than a pixel of it.
    int moving = 0;
    for (int i = 1; i < gif->ImageCount; ++i)
        moving += gif->SavedImages[i].ImageDesc.Width * gif->SavedImages[i].ImageDesc.Height > 100;
    EXPECT_GT(moving, 300);
    DGifCloseFile(gif, &error);
}

TEST(AnimationFile, WrongAnimationsAreRefusedAndPdfPagesAreWritten)
{
    QTemporaryDir dir;
    const std::string gif = dir.filePath("x.gif").toStdString();
    std::string err;
    EXPECT_EQ(RunTessaly({"--render", gif}, &err), 1);
    EXPECT_NE(err.find("FILE.gif needs --animate NAME"), std::string::npos);
    EXPECT_EQ(RunTessaly({"--render", dir.filePath("x.png").toStdString(), "--animate", "a"}, &err), 1);
    EXPECT_NE(err.find("--animate writes FILE.gif"), std::string::npos);
    EXPECT_EQ(RunTessaly({"--render", gif, "--animate", "e"}, &err), 1);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(gif)));

    const QString pdf = dir.filePath("page.pdf");
    ASSERT_EQ(RunTessaly({"--render", pdf.toStdString(), "--formula", "x/20"}, &err), 0) << err;
    QFile page(pdf);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QByteArray bytes = page.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_TRUE(bytes.contains("/MediaBox"));
}

} // namespace tessaly
