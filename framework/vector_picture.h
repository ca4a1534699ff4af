// A recorded vector picture: draw it once through a DC, then get it as SVG or PDF (both are
// produced from the same recording).
#pragma once

#include <memory>
#include <string>

#include "framework/fw_types.h"

namespace curvelo::fw {

class DC;
struct VectorPictureImpl;

class VectorPicture {
public:
    // The picture's size in pixels and its physical size in millimetres.
    VectorPicture(int widthPx, int heightPx, double widthMm, double heightMm);
    ~VectorPicture();
    VectorPicture(const VectorPicture&) = delete;
    VectorPicture& operator=(const VectorPicture&) = delete;

    // The DC stays valid until End().
    DC& Begin();
    void End();

    Size SizePx() const;
    std::string ToSvg(const std::string& description) const;
    std::string ToPdf(const std::string& title) const;

    VectorPictureImpl* Impl() const { return impl_.get(); }

private:
    std::unique_ptr<VectorPictureImpl> impl_;
};

}  // namespace curvelo::fw
