#include "textwin/table_win.h"

#include <algorithm>
#include <cstdlib>

#include "framework/clipboard.h"
#include "framework/controls.h"
#include "framework/kit_inp_dlg.h"
#include "resources/resources.h"
#include "textwin/text_codec.h"
#include "textwin/value_table.h"

namespace curvelo {

TTableWin::TTableWin(fw::TWindow* owner, TableSource& source, int index, int fontKind)
    : TTextWin(owner, "table", "table.txt", "table", fontKind, "TABLEMENU"), source_(source), index_(index) {}

void TTableWin::SetupWindow() {
    TTextWin::SetupWindow();
    ShowEquation(index_);
}

void TTableWin::ShowEquation(int index, int solution) {
    const int count = source_.EquationCount();
    index_ = count > 0 ? std::clamp(index, 0, count - 1) : 0;
    const int solutions = count > 0 ? source_.SolutionCount(index_) : 0;
    solution_ = solutions > 0 ? std::clamp(solution, 0, solutions - 1) : 0;
    table_ = count > 0 ? source_.TableText(index_, solution_) : std::string(res::String(137));
    pageStarts_ = TablePageStarts(table_);
    page_ = -1;
    ShowPage(0);
}

void TTableWin::ShowPage(int page) {
    if (page < 0 || page >= Pages() || page == page_) return;
    page_ = page;
    SetText(std::string(TablePage(table_, pageStarts_, page_)));
    UpdateCaption();
}

void TTableWin::UpdateCaption() {
    // The owner's list may have shrunk since the table was built.
    const bool there = index_ < source_.EquationCount();
    const std::string label = there ? source_.TableLabel(index_) : std::string();
    const std::string method = there ? source_.TableMethod(index_, solution_) : std::string();
    SetCaption(TableCaption(label, method, page_, Pages()));
}

void TTableWin::AskPage() {
    std::string answer = std::to_string(page_ + 1);
    const std::string prompt = " [1 ... " + std::to_string(Pages()) + "]";
    TInpDlg dlg(this, std::string(res::String(5)), prompt, &answer, 10);
    if (dlg.Execute() != fw::kIdOk) return;
    char* end = nullptr;
    const long k = std::strtol(answer.c_str(), &end, 10);
    // Anything but a page number other than the current one is ignored.
    if (end == answer.c_str() || *end != '\0' || k < 1 || k > Pages()) return;
    ShowPage(static_cast<int>(k) - 1);
}

void TTableWin::CopyCells() {
    int start = 0, end = 0;
    Edit()->GetSelection(start, end);
    const std::u32string shown = DecodeText(Edit()->GetText());
    fw::clipboard::SetText(TabSeparatedCells(shown, CodePointIndex(shown, static_cast<std::size_t>(start)),
                                             CodePointIndex(shown, static_cast<std::size_t>(end)),
                                             source_.ColumnWidth()));
}

bool TTableWin::EvCommand(int id) {
    switch (id) {
    case tablecmd::kNextEquation:
        // The next solution of the chain first; then the next equation, wrapping to the first.
        if (index_ < source_.EquationCount() && solution_ + 1 < source_.SolutionCount(index_))
            ShowEquation(index_, solution_ + 1);
        else
            ShowEquation(index_ + 1 < source_.EquationCount() ? index_ + 1 : 0);
        return true;
    case tablecmd::kParameters:
        if (index_ < source_.EquationCount() && source_.EditTableRange(this, index_)) ShowEquation(index_, solution_);
        return true;
    case tablecmd::kNextPage: ShowPage(page_ + 1); return true;
    case tablecmd::kPreviousPage: ShowPage(page_ - 1); return true;
    case tablecmd::kGoToPage: AskPage(); return true;
    case textcmd::kCopy:
        if (Edit()) CopyCells();
        return true;
    default: return TTextWin::EvCommand(id);
    }
}

bool TTableWin::EvCommandEnable(int id, fw::TCommandEnabler& ce) {
    switch (id) {
    case tablecmd::kNextEquation: ce.Enable(true); return true;
    case tablecmd::kParameters:
        ce.Enable(index_ < source_.EquationCount() && source_.HasTableRange(index_));
        return true;
    case tablecmd::kNextPage: ce.Enable(page_ + 1 < Pages()); return true;
    case tablecmd::kPreviousPage: ce.Enable(page_ > 0); return true;
    case tablecmd::kGoToPage: ce.Enable(Pages() > 1); return true;
    default: return TTextWin::EvCommandEnable(id, ce);
    }
}

}  // namespace curvelo
