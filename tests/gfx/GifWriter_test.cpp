// Animated GIF files as giflib reads them back: timing, looping, and frames drawn over each other
// giving back the pictures that were added.
#include "gfx/GifWriter.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QSet>
#include <QTemporaryDir>

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

using namespace tessaly;

namespace {

struct TGifCloser {
    void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};
using TGifFile = std::unique_ptr<GifFileType, TGifCloser>;

TGifFile ReadGif(const QString& path)
{
    int error = 0;
    TGifFile gif(DGifOpenFileName(QFile::encodeName(path).constData(), &error));
    if (gif && DGifSlurp(gif.get()) != GIF_OK)
        gif.reset();
    return gif;
}

bool WriteGif(const QString& path, const std::vector<QImage>& frames, int delayCs)
{
    TGifWriter writer;
    bool ok = writer.Open(path, frames.front().size(), delayCs);
    for (const QImage& frame : frames)
        ok = ok && writer.AddFrame(frame);
    return writer.Close() && ok;
}

// Every frame drawn over the ones before, as a viewer shows frames that are not disposed.
std::vector<QImage> Composite(const GifFileType& gif)
{
    std::vector<QImage> shown;
    QImage canvas(gif.SWidth, gif.SHeight, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    for (int i = 0; i < gif.ImageCount; ++i) {
        const SavedImage& image = gif.SavedImages[i];
        const GifImageDesc& d = image.ImageDesc;
        const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif.SColorMap;
        EXPECT_TRUE(map && d.Left + d.Width <= gif.SWidth && d.Top + d.Height <= gif.SHeight) << i;
        for (int y = 0; map && y < d.Height; ++y) {
            for (int x = 0; x < d.Width; ++x) {
                const GifColorType c = map->Colors[image.RasterBits[y * d.Width + x]];
                canvas.setPixel(d.Left + x, d.Top + y, qRgb(c.Red, c.Green, c.Blue));
            }
        }
        shown.push_back(canvas.copy());
    }
    return shown;
}

// A chart as the plotter draws one: white, a silver grid, an anti-aliased black curve and a maroon
// crosshair.
QImage ChartFrame(int phase, int crossX)
{
    QImage image(160, 90, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(QColor(192, 192, 192));
    for (int x = 10; x < image.width(); x += 20)
        p.drawLine(x, 0, x, image.height() - 1);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    QPolygonF curve;
    for (int x = 0; x < image.width(); ++x)
        curve << QPointF(x, 45 + 30 * std::sin((x + 4 * phase) / 15.0));
    p.drawPolyline(curve);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(128, 0, 0));
    p.drawLine(crossX, 0, crossX, image.height() - 1);
    return image;
}

int SquaredDistance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

} // namespace

TEST(GifWriter, FewColourFramesComeBackPixelForPixelAsChangedRectangles)
{
    std::vector<QImage> frames{ChartFrame(0, 30), ChartFrame(0, 40)};
    frames.push_back(frames[1]);  // unchanged: still a frame of its own
    frames.push_back(frames[1]);
    QPainter(&frames[3]).fillRect(50, 10, 8, 6, QColor(180, 220, 255));  // not in the first frame
    frames.push_back(frames[0]);  // back to the first frame: its colours only
    frames.push_back(ChartFrame(1, 40));
    frames.push_back(frames[5]);
    frames[6].setPixel(159, 89, qRgb(0, 0, 0));
    QSet<QRgb> colors;  // few enough for every frame to be exact
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 160; ++x)
            colors << frames[0].pixel(x, y) << frames[3].pixel(x, y) << frames[5].pixel(x, y);
    ASSERT_LE(colors.size(), 256);
    QTemporaryDir dir;
    const QString path = dir.filePath("chart.gif");
    ASSERT_TRUE(WriteGif(path, frames, 7));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(6), "GIF89a");  // extensions need 89a
    const TGifFile gif = ReadGif(path);
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->SWidth, 160);
    EXPECT_EQ(gif->SHeight, 90);
    ASSERT_EQ(gif->ImageCount, static_cast<int>(frames.size()));
    ASSERT_TRUE(gif->SColorMap);

    // Looping forever: the application block, then the sub-block {1, count 0}.
    ASSERT_GE(gif->SavedImages[0].ExtensionBlockCount, 2);
    const ExtensionBlock* loop = gif->SavedImages[0].ExtensionBlocks;
    const auto bytes = [](const ExtensionBlock& b) {
        return QByteArray(reinterpret_cast<const char*>(b.Bytes), b.ByteCount);
    };
    EXPECT_EQ(loop[0].Function, APPLICATION_EXT_FUNC_CODE);
    EXPECT_EQ(bytes(loop[0]), "NETSCAPE2.0");
    EXPECT_EQ(loop[1].Function, CONTINUE_EXT_FUNC_CODE);
    EXPECT_EQ(bytes(loop[1]), QByteArray("\1\0\0", 3));

    const std::vector<QImage> shown = Composite(*gif);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        GraphicsControlBlock control{};
        ASSERT_EQ(DGifSavedExtensionToGCB(gif.get(), static_cast<int>(i), &control), GIF_OK);
        EXPECT_EQ(control.DelayTime, 7) << i;
        EXPECT_EQ(control.DisposalMode, DISPOSE_DO_NOT) << i;
        EXPECT_EQ(shown[i], frames[i].convertToFormat(QImage::Format_RGB32)) << "frame " << i;
    }

    const auto rectOf = [&](int i) {
        const GifImageDesc& d = gif->SavedImages[i].ImageDesc;
        return QRect(d.Left, d.Top, d.Width, d.Height);
    };
    EXPECT_EQ(rectOf(0), QRect(0, 0, 160, 90));
    EXPECT_EQ(rectOf(1), QRect(30, 0, 11, 90));  // the crosshair's old and new column
    EXPECT_EQ(rectOf(2), QRect(0, 0, 1, 1));
    EXPECT_EQ(rectOf(3), QRect(50, 10, 8, 6));
    EXPECT_EQ(rectOf(4), QRect(30, 0, 28, 90));
    EXPECT_EQ(rectOf(6), QRect(159, 89, 1, 1));
    EXPECT_TRUE(gif->SavedImages[3].ImageDesc.ColorMap);  // a colour the global table lacks
    EXPECT_FALSE(gif->SavedImages[4].ImageDesc.ColorMap);
}

TEST(GifWriter, DelaysAreClampedToWhatViewersHonour)
{
    struct Case { int delayCs, stored; };
    QTemporaryDir dir;
    for (auto c : {Case{0, 2}, Case{-5, 2}, Case{2, 2}, Case{50, 50}, Case{100000, 65535}}) {
        const QString path = dir.filePath(QString("d%1.gif").arg(c.delayCs));
        ASSERT_TRUE(WriteGif(path, {ChartFrame(0, 30)}, c.delayCs));
        const TGifFile gif = ReadGif(path);
        GraphicsControlBlock control{};
        ASSERT_TRUE(gif && DGifSavedExtensionToGCB(gif.get(), 0, &control) == GIF_OK);
        EXPECT_EQ(control.DelayTime, c.stored) << c.delayCs;
    }
}

TEST(GifWriter, ManyColoursTakeTheNearestOfTheMostFrequent)
{
    // White and black dominate; a gradient of 1,984 colours of one pixel each fills the rest.
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int x = 0; x < 64; ++x)
        image.setPixel(x, 32, qRgb(0, 0, 0));
    for (int y = 33; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            image.setPixel(x, y, qRgb(x * 4, (y - 33) * 8, 200));
    QTemporaryDir dir;
    const QString path = dir.filePath("gradient.gif");
    ASSERT_TRUE(WriteGif(path, {image, image}, 10));
    const TGifFile gif = ReadGif(path);
    ASSERT_TRUE(gif && gif->ImageCount == 2);
    EXPECT_FALSE(gif->SColorMap);
    const ColorMapObject* map = gif->SavedImages[0].ImageDesc.ColorMap;
    ASSERT_TRUE(map && map->ColorCount == 256);

    const QImage shown = Composite(*gif)[1];
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const QRgb source = image.pixel(x, y), got = shown.pixel(x, y);
            for (int i = 0; i < map->ColorCount; ++i) {
                const GifColorType c = map->Colors[i];
                ASSERT_LE(SquaredDistance(source, got),
                          SquaredDistance(source, qRgb(c.Red, c.Green, c.Blue))) << x << "," << y;
            }
            ASSERT_TRUE(y > 32 || got == source) << x << "," << y;  // the frequent ones exact
        }
    }
}

TEST(GifWriter, QuantizeRectIsExactUpTo256ColoursAndDropsTheRarest)
{
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    image.setPixel(1, 1, qRgb(9, 9, 9));
    image.setPixel(3, 0, qRgb(7, 7, 7));  // outside the rectangle
    const TGifPalette exact = QuantizeRect(image, QRect(0, 1, 3, 2));
    EXPECT_TRUE(exact.Exact);
    EXPECT_EQ(exact.Colors, (std::vector<QRgb>{qRgb(1, 2, 3), qRgb(9, 9, 9)}));
    EXPECT_EQ(exact.Indices, (std::vector<std::uint8_t>{0, 1, 0, 0, 0, 0}));
    EXPECT_TRUE(QuantizeRect(image, QRect(10, 10, 2, 2)).Indices.empty());

    // 256 colours twice each and one once: the single one goes to its nearest, (100, 0, 0).
    QImage many(513, 1, QImage::Format_RGB32);
    for (int i = 0; i < 512; ++i)
        many.setPixel(i, 0, qRgb(i / 2, 0, 0));
    many.setPixel(512, 0, qRgb(100, 3, 0));
    const TGifPalette lossy = QuantizeRect(many, many.rect());
    EXPECT_FALSE(lossy.Exact);
    ASSERT_EQ(lossy.Colors.size(), 256u);
    for (int i = 0; i < 256; ++i)  // equally frequent: by RGB value
        ASSERT_EQ(lossy.Colors[static_cast<std::size_t>(i)], qRgb(i, 0, 0)) << i;
    ASSERT_EQ(lossy.Indices.size(), 513u);
    for (int i = 0; i < 512; ++i)
        ASSERT_EQ(lossy.Colors[lossy.Indices[static_cast<std::size_t>(i)]], many.pixel(i, 0)) << i;
    EXPECT_EQ(lossy.Colors[lossy.Indices[512]], qRgb(100, 0, 0));
    EXPECT_EQ(QuantizeRect(many, many.rect()).Colors, lossy.Colors);  // deterministic
}

TEST(GifWriter, MisuseAndFailuresAreReportedAndLeaveNoFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("out.gif");
    TGifWriter writer;
    QString why;
    EXPECT_FALSE(writer.AddFrame(ChartFrame(0, 30)));
    EXPECT_FALSE(writer.Close(&why));
    EXPECT_EQ(why, "No GIF file is open");
    EXPECT_FALSE(writer.Open(path, QSize(0, 10), 10, &why));
    EXPECT_EQ(why, "Cannot write " + path + ": a GIF cannot be 0 x 10 pixels");
    EXPECT_FALSE(writer.Open(path, QSize(65536, 1), 10, &why));

    QFile plain(dir.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString underFile = dir.filePath("plain/out.gif");
    EXPECT_FALSE(writer.Open(underFile, QSize(160, 90), 10, &why));
    EXPECT_TRUE(why.startsWith("Cannot write " + underFile + ": ")) << why.toStdString();

    // A failed run leaves what stood under the name untouched, and no temporary file.
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    ASSERT_TRUE(writer.Open(path, QSize(160, 90), 10, &why));
    EXPECT_FALSE(writer.Open(path, QSize(160, 90), 10, &why));  // already open
    EXPECT_FALSE(writer.AddFrame(ChartFrame(0, 30).scaled(80, 45)));
    EXPECT_FALSE(writer.AddFrame(QImage()));
    EXPECT_EQ(writer.Frames(), 0);
    EXPECT_FALSE(writer.Close(&why));
    EXPECT_EQ(why, "Cannot write " + path + ": no frame was added");
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"out.gif", "plain"}));

    // The destructor finishes an open file.
    {
        TGifWriter unclosed;
        ASSERT_TRUE(unclosed.Open(path, QSize(160, 90), 10));
        ASSERT_TRUE(unclosed.AddFrame(ChartFrame(0, 30)));
        EXPECT_EQ(unclosed.Frames(), 1);
    }
    const TGifFile gif = ReadGif(path);
    EXPECT_TRUE(gif && gif->ImageCount == 1);
}
