#include "textwin/col_win.h"

#include "framework/dc.h"
#include "framework/screen.h"
#include "textwin/palette_layout.h"
#include "textwin/text_win_placement.h"

namespace curvelo {

TColWin::TColWin(fw::TWindow* owner, const Palette& colours, int kind, int* colourIndex,
                 std::function<void(int)> changed)
    : fw::TFrameWindow(owner, std::string()),
      owner_(owner),
      colours_(colours),
      kind_(kind),
      index_(colourIndex),
      changed_(std::move(changed)) {
    SetMenu("COLWMENU");
}

void TColWin::SetTarget(int kind, int* colourIndex) {
    kind_ = kind;
    index_ = colourIndex;
    DrawPalette();
    Invalidate(false);
}

void TColWin::SetupWindow() {
    fw::TFrameWindow::SetupWindow();
    MoveWindow(PaletteWinRect(fw::PrimaryScreen()));
}

void TColWin::EvSize(int, int) {
    DrawPalette();
    Invalidate(false);
}

void TColWin::DrawPalette() {
    const fw::Size client = GetClientSize();
    if (client.cx <= 0 || client.cy <= 0) return;
    if (!picture_.Create(client.cx, client.cy)) return;
    picture_.Fill({212, 212, 212});
    fw::DC dc(picture_);
    const PaletteLayout layout(client.cx, client.cy);
    const int current = index_ ? *index_ : 0;
    auto cell = [&](const PaletteRect& r, fw::Color c, bool chosen) {
        dc.SelectPen({chosen ? fw::Color{255, 255, 255} : fw::Color{0, 0, 0}, chosen ? 2 : 1});
        dc.SelectBrush({c});
        dc.Rectangle(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);
    };
    for (int i = 0; i < 25; ++i) cell(layout.CellOf(i), colours_[i], i == current);
    const int shown = current >= 0 && current < 25 ? current : 0;
    cell(layout.SampleRect(), colours_[shown], false);
}

void TColWin::Paint(fw::DC& dc, bool, const fw::Rect&) {
    if (picture_.IsNull() || picture_.Width() != GetClientSize().cx ||
        picture_.Height() != GetClientSize().cy)
        DrawPalette();
    if (!picture_.IsNull()) dc.BitBlt(0, 0, picture_.Width(), picture_.Height(), picture_, 0, 0);
}

void TColWin::ClickAt(int x, int y) {
    const fw::Size client = GetClientSize();
    auto colour = PaletteLayout(client.cx, client.cy).ColourAt(x, y);
    if (!colour || !index_) return;
    *index_ = *colour;
    DrawPalette();
    Invalidate(false);
    if (changed_) changed_(kind_);
}

void TColWin::EvLButtonDown(unsigned, fw::Point p) { ClickAt(p.x, p.y); }

}  // namespace curvelo
