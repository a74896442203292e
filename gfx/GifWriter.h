#pragma once
// Animated GIF files written one frame at a time, for saving chart animations. Painting the frames
// is left to the caller; the writer only keeps the last frame, so memory does not grow with their
// number.

#include <QImage>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <QString>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

struct GifFileType;
class QSaveFile;

namespace tessaly {

// The colours of a rectangle as a colour table and one table index a pixel.
struct TGifPalette {
    std::vector<QRgb> Colors;           // at most 256, as 0xffRRGGBB, most frequent first
    std::vector<std::uint8_t> Indices;  // one a pixel of the rectangle, row by row
    bool Exact = true;                  // false when colours had to be merged into others
};

// The colours of `rect` (clipped to the image; alpha ignored) mapped to at most 256 colours.
// With at most 256 distinct colours every pixel keeps its colour; otherwise the 256 most frequent
// ones are kept (ties to the lower RGB value) and every other colour takes its nearest kept colour
// by squared RGB distance (ties to the more frequent one). For example, for a white pixel left
// of a black one, QuantizeRect(image, QRect(0, 0, 2, 1)) gives Colors {black, white} (as frequent,
// lower value first) and Indices {1, 0}.
TGifPalette QuantizeRect(const QImage& rgb, const QRect& rect);

// Writes an animated GIF that loops forever. The first frame is stored whole, each later one as
// the rectangle that differs from the frame before, drawn over it; charts with at most 256 colours
// come back pixel for pixel. The file appears under its name only when Close succeeds.
class TGifWriter {
public:
    TGifWriter();
    ~TGifWriter();  // finishes an open file as Close does
    TGifWriter(const TGifWriter&) = delete;
    TGifWriter& operator=(const TGifWriter&) = delete;

    // Starts a GIF of frames of `size` (each side 1..65535), each shown for delayCs hundredths of
    // a second (clamped to 2..65535, as viewers show shorter delays as 10). False, with the reason
    // in *why, when the size is invalid, a file is open already or the file cannot be created.
    bool Open(const QString& file, QSize size, int delayCs, QString* why = nullptr);
    // Adds a frame, converted to RGB. False, writing nothing, when no file is open, the frame is
    // not of the writer's size or an earlier write failed; a failed write makes Close fail.
    bool AddFrame(const QImage& frame);
    // Finishes the file and moves it to its name. False, with the reason in *why and the name left
    // as it was, when anything failed or no frame was added.
    bool Close(QString* why = nullptr);
    int Frames() const { return FFrames; }

private:
    bool Fail(const QString& reason);
    bool FailGif();
    bool WriteScreen(const TGifPalette& first);
    bool WriteImage(const QRect& rect, std::vector<std::uint8_t>& indices,
                    const std::vector<QRgb>* localColors);
    bool MapToGlobal(const QImage& image, const QRect& rect,
                     std::vector<std::uint8_t>& indices) const;

    std::unique_ptr<QSaveFile> FFile;  // set while open, with FGif writing into it
    GifFileType* FGif = nullptr;
    QString FFileName;
    QSize FSize;
    int FDelayCs = 10;
    int FFrames = 0;
    QImage FPrevious;  // the last frame added, as RGB32
    std::unordered_map<QRgb, std::uint8_t> FGlobalIndex;  // empty when there is no global table
    QString FError;  // the first failure since Open; later frames are refused
};

} // namespace tessaly
