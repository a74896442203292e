#include "gfx/GifWriter.h"

#include <QSaveFile>

#include <gif_lib.h>

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <limits>
#include <utility>

namespace tessaly {

namespace {

constexpr QRgb Opaque = 0xff000000u;
constexpr int MaxSide = 65535;  // GIF stores sizes and delays in 16 bits

using TColorMap = std::unique_ptr<ColorMapObject, decltype(&GifFreeMapObject)>;

const QRgb* Row(const QImage& image, int y)
{
    return reinterpret_cast<const QRgb*>(image.constScanLine(y));
}

QString GifText(int error)
{
    const char* text = GifErrorString(error);
    return text ? QString::fromLatin1(text) : QStringLiteral("GIF error %1").arg(error);
}

// giflib's output callback: the file is the user pointer given to EGifOpen.
int WriteToFile(GifFileType* gif, const GifByteType* data, int length)
{
    auto* file = static_cast<QSaveFile*>(gif->UserData);
    const qint64 written = file->write(reinterpret_cast<const char*>(data), length);
    return written < 0 ? 0 : static_cast<int>(written);
}

// A colour table for giflib, which accepts only powers of two from 2 on: unused entries are black.
TColorMap MakeColorMap(const std::vector<QRgb>& colors)
{
    int count = 2;
    while (count < static_cast<int>(colors.size()))
        count *= 2;
    std::vector<GifColorType> entries(static_cast<std::size_t>(count), GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < colors.size(); ++i)
        entries[i] = GifColorType{static_cast<GifByteType>(qRed(colors[i])),
                                  static_cast<GifByteType>(qGreen(colors[i])),
                                  static_cast<GifByteType>(qBlue(colors[i]))};
    return TColorMap(GifMakeMapObject(count, entries.data()), &GifFreeMapObject);
}

// Calls f(colour, length) for each run of one colour in the rows of `rect`, alpha ignored, and
// stops with false as soon as f returns false. Charts are mostly long runs, so working a run at a
// time rather than a pixel saves most look-ups.
template <typename F>
bool ForEachRun(const QImage& image, const QRect& rect, F f)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const QRgb* row = Row(image, y);
        for (int x = rect.left(); x <= rect.right();) {
            const QRgb c = row[x] | Opaque;
            int end = x + 1;
            while (end <= rect.right() && (row[end] | Opaque) == c)
                ++end;
            if (!f(c, end - x))
                return false;
            x = end;
        }
    }
    return true;
}

// Colours to numbers by open addressing: several times faster than std::unordered_map for the
// many colours of a gradient or photo. Keys are opaque colours, so 0 marks a free slot.
class TColorTable {
public:
    std::uint32_t& operator[](QRgb c)
    {
        if (4 * (FUsed + 1) > 3 * FKeys.size())
            Grow();
        std::size_t i = (c * 0x9E3779B1u) >> FShift;  // Fibonacci hashing spreads near colours
        for (; FKeys[i] != c; i = (i + 1) & (FKeys.size() - 1)) {
            if (FKeys[i] == 0) {
                FKeys[i] = c;
                ++FUsed;
                break;
            }
        }
        return FValues[i];
    }
    std::vector<std::pair<QRgb, std::uint32_t>> Entries() const
    {
        std::vector<std::pair<QRgb, std::uint32_t>> entries;
        for (std::size_t i = 0; i < FKeys.size(); ++i) {
            if (FKeys[i] != 0)
                entries.emplace_back(FKeys[i], FValues[i]);
        }
        return entries;
    }

private:
    void Grow()
    {
        const std::vector<QRgb> keys = std::exchange(FKeys, {});
        const std::vector<std::uint32_t> values = std::exchange(FValues, {});
        const std::size_t size = std::max<std::size_t>(64, 2 * keys.size());
        FKeys.assign(size, 0);
        FValues.assign(size, 0);
        FShift = 32 - std::countr_zero(size);  // at most 2^25 slots: colours have 24 bits
        FUsed = 0;
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (keys[i] != 0)
                (*this)[keys[i]] = values[i];
        }
    }

    std::vector<QRgb> FKeys;  // a power of two long, at most three quarters used
    std::vector<std::uint32_t> FValues;
    std::size_t FUsed = 0;
    int FShift = 32;
};

// The index of the nearest of `colors` by squared RGB distance, ties to the lower index. `byRed`
// holds the indices by ascending red: the search goes outwards from the colour's red and stops
// where the red difference alone is farther than the best so far.
std::uint8_t NearestColor(QRgb c, const std::vector<QRgb>& colors,
                          const std::vector<std::uint8_t>& byRed)
{
    const auto start = std::partition_point(byRed.begin(), byRed.end(), [&](std::uint8_t i) {
        return qRed(colors[i]) < qRed(c);
    });
    int best = std::numeric_limits<int>::max();
    std::uint8_t bestIndex = 0;
    const auto consider = [&](std::uint8_t i) {
        const int dr = qRed(c) - qRed(colors[i]);
        const int dg = qGreen(c) - qGreen(colors[i]);
        const int db = qBlue(c) - qBlue(colors[i]);
        const int d = dr * dr + dg * dg + db * db;
        if (d < best || (d == best && i < bestIndex)) {
            best = d;
            bestIndex = i;
        }
        return dr * dr <= best;
    };
    for (auto i = start; i != byRed.end() && consider(*i); ++i) {
    }
    for (auto i = start; i != byRed.begin() && consider(*(i - 1)); --i) {
    }
    return bestIndex;
}

// The smallest rectangle holding every pixel whose colour differs between two RGB32 images of one
// size; empty when none does. Whole rows are compared first, as most rows of an animation stay.
QRect ChangedRect(const QImage& before, const QImage& after)
{
    const int width = after.width();
    const std::size_t rowBytes = static_cast<std::size_t>(width) * sizeof(QRgb);
    int top = -1, bottom = -1, left = width, right = -1;
    const auto differ = [](QRgb a, QRgb b) { return ((a ^ b) & ~Opaque) != 0; };
    for (int y = 0; y < after.height(); ++y) {
        const QRgb* a = Row(before, y);
        const QRgb* b = Row(after, y);
        if (std::memcmp(a, b, rowBytes) == 0)
            continue;
        int x0 = 0;
        while (x0 < width && !differ(a[x0], b[x0]))
            ++x0;
        if (x0 == width)
            continue;  // only the unused alpha byte differs
        int x1 = width - 1;
        while (!differ(a[x1], b[x1]))
            --x1;
        if (top < 0)
            top = y;
        bottom = y;
        left = std::min(left, x0);
        right = std::max(right, x1);
    }
    return top < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace

TGifPalette QuantizeRect(const QImage& rgb, const QRect& rect)
{
    TGifPalette palette;
    QRect area = rect & rgb.rect();
    if (area.isEmpty())
        return palette;
    QImage image = rgb;
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32) {
        image = rgb.copy(area).convertToFormat(QImage::Format_RGB32);
        area.moveTo(0, 0);
    }

    TColorTable table;  // each colour's count, later its index
    ForEachRun(image, area, [&](QRgb c, int length) {
        table[c] += static_cast<std::uint32_t>(length);
        return true;
    });
    auto byCount = table.Entries();
    const auto moreFrequent = [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    };
    const std::size_t kept = std::min<std::size_t>(byCount.size(), 256);
    const auto keptEnd = byCount.begin() + static_cast<std::ptrdiff_t>(kept);
    std::nth_element(byCount.begin(), keptEnd - 1, byCount.end(), moreFrequent);
    std::sort(byCount.begin(), keptEnd, moreFrequent);
    palette.Exact = kept == byCount.size();

    std::vector<std::uint8_t> byRed;
    for (std::size_t i = 0; i < kept; ++i) {
        palette.Colors.push_back(byCount[i].first);
        byRed.push_back(static_cast<std::uint8_t>(i));
    }
    std::stable_sort(byRed.begin(), byRed.end(), [&](std::uint8_t a, std::uint8_t b) {
        return qRed(palette.Colors[a]) < qRed(palette.Colors[b]);
    });
    for (std::size_t i = 0; i < byCount.size(); ++i)
        table[byCount[i].first] = i < kept ? static_cast<std::uint32_t>(i)
                                           : NearestColor(byCount[i].first, palette.Colors, byRed);

    palette.Indices.resize(static_cast<std::size_t>(area.width()) *
                           static_cast<std::size_t>(area.height()));
    std::uint8_t* out = palette.Indices.data();
    ForEachRun(image, area, [&](QRgb c, int length) {
        out = std::fill_n(out, length, static_cast<std::uint8_t>(table[c]));
        return true;
    });
    return palette;
}

TGifWriter::TGifWriter() = default;

TGifWriter::~TGifWriter()
{
    if (FGif)
        Close();
}

bool TGifWriter::Open(const QString& file, QSize size, int delayCs, QString* why)
{
    QString reason;
    if (FGif) {
        reason = QStringLiteral("Cannot write %1: %2 is still open").arg(file, FFileName);
    } else if (size.width() < 1 || size.width() > MaxSide || size.height() < 1 ||
               size.height() > MaxSide) {
        reason = QStringLiteral("Cannot write %1: a GIF cannot be %2 x %3 pixels")
                     .arg(file)
                     .arg(size.width())
                     .arg(size.height());
    } else {
        auto out = std::make_unique<QSaveFile>(file);
        int error = E_GIF_SUCCEEDED;
        GifFileType* gif = nullptr;
        if (!out->open(QIODevice::WriteOnly))
            reason = QStringLiteral("Cannot write %1: %2").arg(file, out->errorString());
        else if (!(gif = EGifOpen(out.get(), WriteToFile, &error)))
            reason = QStringLiteral("Cannot write %1: %2").arg(file, GifText(error));
        if (gif) {
            FFile = std::move(out);
            FGif = gif;
            FFileName = file;
            FSize = size;
            FDelayCs = std::clamp(delayCs, 2, MaxSide);
            FFrames = 0;
            FPrevious = QImage();
            FGlobalIndex.clear();
            FError.clear();
            return true;
        }
    }
    if (why)
        *why = reason;
    return false;
}

bool TGifWriter::AddFrame(const QImage& frame)
{
    if (!FGif || !FError.isEmpty() || frame.size() != FSize)
        return false;
    const QImage image = frame.convertToFormat(QImage::Format_RGB32);
    if (image.isNull())
        return false;  // out of memory: nothing written, the file can go on

    bool written = false;
    if (FFrames == 0) {
        TGifPalette palette = QuantizeRect(image, image.rect());
        const std::vector<QRgb>* local = palette.Exact ? nullptr : &palette.Colors;
        written = WriteScreen(palette) && WriteImage(image.rect(), palette.Indices, local);
    } else {
        QRect changed = ChangedRect(FPrevious, image);
        if (changed.isEmpty())
            changed = QRect(0, 0, 1, 1);  // an image all the same, to keep the frame's time
        std::vector<std::uint8_t> indices;
        if (MapToGlobal(image, changed, indices)) {
            written = WriteImage(changed, indices, nullptr);
        } else {
            TGifPalette palette = QuantizeRect(image, changed);
            written = WriteImage(changed, palette.Indices, &palette.Colors);
        }
    }
    if (!written)
        return false;
    FPrevious = image;
    ++FFrames;
    return true;
}

bool TGifWriter::Close(QString* why)
{
    QString reason = QStringLiteral("No GIF file is open");
    if (FGif) {
        if (FFrames == 0)
            Fail(QStringLiteral("no frame was added"));
        int error = E_GIF_SUCCEEDED;
        const bool closed = EGifCloseFile(FGif, &error) == GIF_OK;  // frees FGif in any case
        FGif = nullptr;
        if (!closed)
            Fail(GifText(error));
        // giflib does not check the write of the closing byte; the file remembers a failure.
        if (FError.isEmpty() && (FFile->error() != QFileDevice::NoError || !FFile->commit()))
            Fail(FFile->errorString());
        reason = FError;
        FFile.reset();  // uncommitted, this removes the temporary file
        FPrevious = QImage();
        FGlobalIndex.clear();
        FError.clear();
        if (reason.isEmpty())
            return true;
    }
    if (why)
        *why = reason;
    return false;
}

bool TGifWriter::Fail(const QString& reason)
{
    if (FError.isEmpty())
        FError = QStringLiteral("Cannot write %1: %2").arg(FFileName, reason);
    return false;
}

bool TGifWriter::FailGif()
{
    // A failed write is better told by the file than by giflib's "failed to write".
    if (FFile->error() != QFileDevice::NoError)
        return Fail(FFile->errorString());
    return Fail(GifText(FGif->Error));
}

// The screen descriptor, with the first frame's colours as the global table when they are exact,
// and the extension that makes viewers loop forever.
bool TGifWriter::WriteScreen(const TGifPalette& first)
{
    TColorMap global(nullptr, &GifFreeMapObject);
    if (first.Exact) {
        global = MakeColorMap(first.Colors);
        if (!global)
            return Fail(GifText(E_GIF_ERR_NOT_ENOUGH_MEM));
    }
    // giflib decides the version from extensions it saw only in its in-memory mode.
    EGifSetGifVersion(FGif, true);
    if (EGifPutScreenDesc(FGif, FSize.width(), FSize.height(), 8, 0, global.get()) == GIF_ERROR)
        return FailGif();
    static const char application[] = "NETSCAPE2.0";
    static const GifByteType loopForever[] = {1, 0, 0};  // sub-block 1: loop count 0, forever
    if (EGifPutExtensionLeader(FGif, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
        EGifPutExtensionBlock(FGif, 11, application) == GIF_ERROR ||
        EGifPutExtensionBlock(FGif, 3, loopForever) == GIF_ERROR ||
        EGifPutExtensionTrailer(FGif) == GIF_ERROR)
        return FailGif();
    if (first.Exact) {
        for (std::size_t i = 0; i < first.Colors.size(); ++i)
            FGlobalIndex.emplace(first.Colors[i], static_cast<std::uint8_t>(i));
    }
    return true;
}

// One frame: its timing, then the image of `rect` in the local colours, or the global ones when
// there are none.
bool TGifWriter::WriteImage(const QRect& rect, std::vector<std::uint8_t>& indices,
                            const std::vector<QRgb>* localColors)
{
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = FDelayCs;
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    const std::size_t length = EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(FGif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) ==
        GIF_ERROR)
        return FailGif();

    TColorMap local(nullptr, &GifFreeMapObject);
    if (localColors) {
        local = MakeColorMap(*localColors);
        if (!local)
            return Fail(GifText(E_GIF_ERR_NOT_ENOUGH_MEM));
    } else if (FGif->Image.ColorMap) {
        // giflib drops the previous image's local table without freeing it when this one has none.
        GifFreeMapObject(FGif->Image.ColorMap);
        FGif->Image.ColorMap = nullptr;
    }
    if (EGifPutImageDesc(FGif, rect.left(), rect.top(), rect.width(), rect.height(), false,
                         local.get()) == GIF_ERROR)
        return FailGif();
    const std::size_t width = static_cast<std::size_t>(rect.width());
    for (std::size_t y = 0; y < static_cast<std::size_t>(rect.height()); ++y) {
        if (EGifPutLine(FGif, indices.data() + y * width, rect.width()) == GIF_ERROR)
            return FailGif();
    }
    return true;
}

// The global table's indices of the pixels of `rect`; false when there is no global table or a
// colour is missing from it.
bool TGifWriter::MapToGlobal(const QImage& image, const QRect& rect,
                             std::vector<std::uint8_t>& indices) const
{
    if (FGlobalIndex.empty())
        return false;
    indices.resize(static_cast<std::size_t>(rect.width()) *
                   static_cast<std::size_t>(rect.height()));
    std::uint8_t* out = indices.data();
    return ForEachRun(image, rect, [&](QRgb c, int length) {
        const auto found = FGlobalIndex.find(c);
        if (found == FGlobalIndex.end())
            return false;
        out = std::fill_n(out, length, found->second);
        return true;
    });
}

} // namespace tessaly
