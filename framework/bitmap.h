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
    bool SavePng(const std::string& path) const;

    BitmapImpl* Impl() const { return impl_.get(); }

private:
    std::unique_ptr<BitmapImpl> impl_;
};

}  // namespace curvelo::fw
