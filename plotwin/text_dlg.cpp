#include "plotwin/text_dlg.h"

#include <cstdlib>

#include "framework/common_dialogs.h"

namespace curvelo {

using namespace textdlg;

TTextDlg::TTextDlg(fw::TWindow* parent, TextLabel& label, std::vector<std::string> rows, int currentRow,
                   DlgPosition at, const fw::LogFont& windowFont)
    : TDlg(parent, "NEWTEXT", &at_), label_(label), rows_(std::move(rows)), currentRow_(currentRow), at_(at),
      font_(label.font), windowFont_(windowFont) {}

void TTextDlg::SetupWindow() {
    // Hidden before the base places the dialog, so its size leaves out the point list.
    const bool points = !rows_.empty();
    ShowItem(kPoint, points);
    ShowItem(kPointList, points);
    TDlg::SetupWindow();
    SetItemLimit(kText, static_cast<int>(TextLabel::kTextCapacity));
    SetItemLimit(kHyphenCode, 8);
    SetItemText(kText, label_.text);
    SetItemText(kHyphenCode, "150");
    CheckItem(kHyphenBox, false);
    CheckItem(kOpaque, label_.opaque == 0);
    CheckItem(kFix, label_.anchor <= TextLabel::kAnchorWindow);
    CheckItem(kPlane, label_.anchor == TextLabel::kAnchorPlane);
    CheckItem(kPoint, points && label_.anchor >= 0);
    if (!points && label_.anchor >= 0) CheckItem(kPlane, true);
    for (const std::string& row : rows_) AddString(kPointList, row);
    if (points) SetSelIndex(kPointList, currentRow_ >= 0 && currentRow_ < static_cast<int>(rows_.size()) ? currentRow_ : 0);
    SetItemFocus(kText);
}

bool TTextDlg::EvCommand(int id) {
    if (id == kFont) {
        fw::LogFont font = font_.faceName.empty() ? windowFont_ : font_;
        if (fw::ChooseFont(this, font, nullptr)) font_ = font;
        return true;
    }
    return TDlg::EvCommand(id);
}

void TTextDlg::TransferOut() {
    std::string text = GetItemText(kText);
    if (IsItemChecked(kHyphenBox)) {
        const std::string code = GetItemText(kHyphenCode).substr(0, 8);
        char* end = nullptr;
        const long n = std::strtol(code.c_str(), &end, 10);
        if (end != code.c_str()) text = ReplaceHyphens(text, static_cast<int>(n));
    }
    label_.text = text;
    label_.opaque = IsItemChecked(kOpaque) ? 0 : 1;
    label_.font = font_;
    // Points from the font's character height at the screen's 96 pixels an inch.
    label_.pointSize = font_.faceName.empty() ? 0 : (std::abs(font_.height) * 72 + 48) / 96;
    if (IsItemChecked(kFix)) label_.anchor = TextLabel::kAnchorWindow;
    else if (IsItemChecked(kPoint) && GetSelIndex(kPointList) >= 0) label_.anchor = static_cast<std::int16_t>(GetSelIndex(kPointList));
    else label_.anchor = TextLabel::kAnchorPlane;
}

}  // namespace curvelo
