// Prints a text on as many pages as it needs: long lines are wrapped at the printable
// width, the page keeps a margin, and the font is scaled from screen to printer pixels.
#pragma once

#include <string>
#include <vector>

#include "framework/fw_types.h"
#include "framework/log_font.h"
#include "framework/printout.h"

namespace curvelo {

class TTextPrintout : public fw::TPrintout {
public:
    TTextPrintout(const std::string& title, const std::string& text, const fw::LogFont& font,
                  fw::Color colour, double marginInches = 0.75);

    void BeginPrinting(fw::DC& dc) override;
    bool HasPage(int page) const override;
    void PrintPage(int page, fw::DC& dc, const fw::Rect& pageRect) override;

    int PageCount() const { return static_cast<int>(pageStarts_.size()); }

private:
    void Layout(fw::DC& dc, const fw::Rect& pageRect);

    std::string text_;
    fw::LogFont font_;
    fw::Color colour_;
    double margin_;
    std::vector<std::string> lines_;   // wrapped lines
    std::vector<int> pageStarts_;      // first line of each page
    int lineHeight_ = 1;
    bool laidOut_ = false;
};

}  // namespace curvelo
