// The plot-window layer of logical fonts: one font and one text colour per font kind (tick
// numbers, coordinates, tables, lists, axis titles, ...). Commands 60-69 choose the font of
// kind id - 60.
#pragma once

#include <array>

#include "framework/log_font.h"
#include "plotwin/file_msg_win.h"

namespace curvelo {

inline constexpr int kFontKindCount = 10;
inline constexpr int kCmdFontFirst = 60;

class TFontWin : public TFileMsgWin {
public:
    TFontWin(fw::TWindow* parent, const std::string& caption);

    const fw::LogFont& Font(int kind) const;
    fw::Color FontColour(int kind) const;
    void SetFont(int kind, const fw::LogFont& font, fw::Color colour);

    // Font dialog for one kind; true when a font was chosen.
    bool ChooseFontOf(int kind);

    bool EvCommand(int id) override;

protected:
    // A font kind changed: the layers above repaint what uses it.
    virtual void FontChanged(int /*kind*/) {}

private:
    std::array<fw::LogFont, kFontKindCount> fonts_;
    std::array<fw::Color, kFontKindCount> colours_{};
};

}  // namespace curvelo
