// An off-screen picture of W x H pixels: drawn into through a DC, copied in blocks,
// read back by pixel, saved as PNG.
#pragma once

#include <memory>
#include <string>

#include "framework/fw_types.h"

namespace curvelo::fw {

struct BitmapImpl;

class Bitmap {
public:
    Bitmap();
    Bitmap(int width, int height);  // filled white
    ~Bitmap();
    Bitmap(const Bitmap& other);
    Bitmap& operator=(const Bitmap& other);
    Bitmap(Bitmap&&) noexcept;
    Bitmap& operator=(Bitmap&&) noexcept;

    // Sizes are clamped to 0..16384; false when the memory could not be had.
    bool Create(int width, int height);
    bool IsNull() const;
    int Width() const;
    int Height() const;
    void Fill(Color c);
    // Black outside the bitmap.
    Color GetPixel(int x, int y) const;
    // The picture as a PNG file's bytes; quality is Qt's scale (0 smallest .. 100 fastest),
    // negative for Qt's default. Empty for a null bitmap or when encoding failed.
    std::string EncodePng(int quality = kPngQuality) const;
    // Through the safe writer: the old file survives any failure; *error gets the reason.
    bool SavePng(const std::string& path, std::string* error = nullptr) const;

    // zlib's level 1: our drawings encode in about 60% of the CPU time of Qt's default
    // (level 6) and come out about 1.5 times as large, still well under 100 KB for a
    // full-screen picture.
    static constexpr int kPngQuality = 80;

    BitmapImpl* Impl() const { return impl_.get(); }

private:
    std::unique_ptr<BitmapImpl> impl_;
};

}  // namespace curvelo::fw
