// The plot-window layer of the output helpers the curve layers share: the document's bare
// title and the cursor's world position in the title bar.
#pragma once

#include <string>

#include "plotwin/lum_wint.h"

namespace curvelo {

class TLumWinm : public TLumWint {
public:
    using TLumWint::TLumWint;

    // The document's file name without its folder.
    std::string DocumentTitle() const;
    // "   [x = 2.41477; y = 1.52699]" in the window's number format.
    std::string CursorText(fw::Point p) const;

protected:
    void EvMouseMove(unsigned modifiers, fw::Point p) override;
};

}  // namespace curvelo
