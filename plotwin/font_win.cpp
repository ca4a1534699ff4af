#include "plotwin/font_win.h"

#include "framework/common_dialogs.h"

namespace curvelo {

TFontWin::TFontWin(fw::TWindow* parent, const std::string& caption) : TFileMsgWin(parent, caption) {
    for (auto& f : fonts_) {
        f.faceName = "Arial";
        f.height = -12;
    }
    fonts_[5].height = -14;  // axis titles stand out a little
    fonts_[5].italic = 1;
}

const fw::LogFont& TFontWin::Font(int kind) const {
    return fonts_[kind >= 0 && kind < kFontKindCount ? kind : 0];
}

fw::Color TFontWin::FontColour(int kind) const {
    return colours_[kind >= 0 && kind < kFontKindCount ? kind : 0];
}

void TFontWin::SetFont(int kind, const fw::LogFont& font, fw::Color colour) {
    if (kind < 0 || kind >= kFontKindCount) return;
    fonts_[kind] = font;
    colours_[kind] = colour;
    FontChanged(kind);
}

bool TFontWin::ChooseFontOf(int kind) {
    if (kind < 0 || kind >= kFontKindCount) return false;
    fw::LogFont font = fonts_[kind];
    fw::Color colour = colours_[kind];
    if (!fw::ChooseFont(this, font, &colour)) return false;
    SetFont(kind, font, colour);
    SetModified(true);
    return true;
}

bool TFontWin::EvCommand(int id) {
    if (id >= kCmdFontFirst && id < kCmdFontFirst + kFontKindCount) {
        ChooseFontOf(id - kCmdFontFirst);
        return true;
    }
    return TFileMsgWin::EvCommand(id);
}

}  // namespace curvelo
