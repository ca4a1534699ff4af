#include "framework/animated_gif.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "framework/qt_internal.h"
#include "framework/safe_file.h"

namespace curvelo::fw {
namespace {

constexpr int kColours = 256;
// The fixed palette: 6 levels of red, 7 of green, 6 of blue.
constexpr int kRedLevels = 6, kGreenLevels = 7, kBlueLevels = 6;
// Centiseconds of a GIF frame: at least 2, browsers slow anything shorter down.
constexpr int kMinDelayCs = 2, kMaxDelayCs = 65535;

int WriteToVector(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        EGifCloseFile(gif, &error);
    }
};

std::uint32_t Rgb(QRgb p) { return p & 0xFFFFFFu; }

int Level(int value, int levels) { return (value * (levels - 1) + 127) / 255; }

// Maps every colour of the frames to a palette index.
class Palette {
public:
    explicit Palette(const std::vector<const QImage*>& images) {
        for (const QImage* image : images) {
            for (int y = 0; y < image->height() && exact_; ++y) {
                const auto* row = reinterpret_cast<const QRgb*>(image->constScanLine(y));
                for (int x = 0; x < image->width(); ++x) {
                    const std::uint32_t c = Rgb(row[x]);
                    if (index_.count(c)) continue;
                    if (index_.size() == kColours) {
                        exact_ = false;
                        break;
                    }
                    const auto i = static_cast<std::uint8_t>(index_.size());
                    index_.emplace(c, i);
                    colours_[i] = {static_cast<GifByteType>(c >> 16), static_cast<GifByteType>(c >> 8),
                                   static_cast<GifByteType>(c)};
                }
            }
        }
        if (exact_) return;
        for (int r = 0; r < kRedLevels; ++r)
            for (int g = 0; g < kGreenLevels; ++g)
                for (int b = 0; b < kBlueLevels; ++b)
                    colours_[static_cast<std::size_t>((r * kGreenLevels + g) * kBlueLevels + b)] = {
                        static_cast<GifByteType>(r * 255 / (kRedLevels - 1)),
                        static_cast<GifByteType>(g * 255 / (kGreenLevels - 1)),
                        static_cast<GifByteType>(b * 255 / (kBlueLevels - 1))};
    }

    GifByteType Index(QRgb p) const {
        const std::uint32_t c = Rgb(p);
        if (exact_) return index_.at(c);
        const int r = Level(static_cast<int>(c >> 16) & 0xFF, kRedLevels);
        const int g = Level(static_cast<int>(c >> 8) & 0xFF, kGreenLevels);
        const int b = Level(static_cast<int>(c) & 0xFF, kBlueLevels);
        return static_cast<GifByteType>((r * kGreenLevels + g) * kBlueLevels + b);
    }

    std::array<GifColorType, kColours>& Colours() { return colours_; }

private:
    bool exact_ = true;
    std::unordered_map<std::uint32_t, std::uint8_t> index_;
    std::array<GifColorType, kColours> colours_{};
};

std::vector<std::uint8_t> Fail(std::string* error, const std::string& why) {
    if (error) *error = why;
    return {};
}

}  // namespace

std::vector<std::uint8_t> EncodeAnimatedGif(const std::vector<const Bitmap*>& frames, int delayMs,
                                            std::string* error) {
    if (frames.empty()) return Fail(error, "no frames");
    std::vector<QImage> images;
    images.reserve(frames.size());
    for (const Bitmap* f : frames) {
        if (!f || f->IsNull()) return Fail(error, "empty frame");
        images.push_back(f->Impl()->image.convertToFormat(QImage::Format_RGB32));
    }
    const int w = images.front().width(), h = images.front().height();
    for (const QImage& image : images)
        if (image.width() != w || image.height() != h) return Fail(error, "frames of different sizes");
    if (w > 65535 || h > 65535) return Fail(error, "picture too large for GIF");

    std::vector<const QImage*> pointers;
    for (const QImage& image : images) pointers.push_back(&image);
    Palette palette(pointers);

    std::vector<std::uint8_t> out;
    int code = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(EGifOpen(&out, WriteToVector, &code));
    if (!gif) return Fail(error, GifErrorString(code));
    const auto failed = [&]() { return Fail(error, GifErrorString(gif->Error)); };
    std::unique_ptr<ColorMapObject, decltype(&GifFreeMapObject)> map(
        GifMakeMapObject(kColours, palette.Colours().data()), GifFreeMapObject);
    if (!map) return Fail(error, "out of memory");
    EGifSetGifVersion(gif.get(), true);
    if (EGifPutScreenDesc(gif.get(), w, h, 8, 0, map.get()) == GIF_ERROR) return failed();
    // Loop for ever.
    const GifByteType loop[3] = {1, 0, 0};
    if (EGifPutExtensionLeader(gif.get(), APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
        EGifPutExtensionBlock(gif.get(), 11, "NETSCAPE2.0") == GIF_ERROR ||
        EGifPutExtensionBlock(gif.get(), 3, loop) == GIF_ERROR || EGifPutExtensionTrailer(gif.get()) == GIF_ERROR)
        return failed();

    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.DelayTime = std::clamp((delayMs + 5) / 10, kMinDelayCs, kMaxDelayCs);
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    std::vector<GifPixelType> line(static_cast<std::size_t>(w));
    for (const QImage& image : images) {
        if (EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, 4, extension) == GIF_ERROR ||
            EGifPutImageDesc(gif.get(), 0, 0, w, h, false, nullptr) == GIF_ERROR)
            return failed();
        for (int y = 0; y < h; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < w; ++x) line[static_cast<std::size_t>(x)] = palette.Index(row[x]);
            if (EGifPutLine(gif.get(), line.data(), w) == GIF_ERROR) return failed();
        }
    }
    GifFileType* raw = gif.release();
    if (EGifCloseFile(raw, &code) == GIF_ERROR) return Fail(error, GifErrorString(code));
    return out;
}

bool SaveAnimatedGif(const std::string& path, const std::vector<const Bitmap*>& frames, int delayMs,
                     std::string* error) {
    const std::vector<std::uint8_t> bytes = EncodeAnimatedGif(frames, delayMs, error);
    return !bytes.empty() && WriteFileSafely(path, bytes, error);
}

}  // namespace curvelo::fw
