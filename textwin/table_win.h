// The table-of-values window: a text window showing one page of an equation's table, with
// page commands, "next equation" and a copy that gives tab-separated cells.
#pragma once

#include <string>
#include <vector>

#include "textwin/text_win.h"

namespace curvelo {

namespace tablecmd {
inline constexpr int kNextEquation = 745, kParameters = 758, kNextPage = 743, kPreviousPage = 843,
                     kGoToPage = 845;
}

// The owner's equations as the table sees them.
class TableSource {
public:
    virtual ~TableSource() = default;
    virtual int EquationCount() const = 0;
    // The solutions an equation carries one after the other (0: it has none to list).
    virtual int SolutionCount(int /*index*/) const { return 0; }
    // The whole table text of equation `index`, of its solution `solution` (every page).
    virtual std::string TableText(int index, int solution) = 0;
    // The equation's label, and the method of the listed solution where it has one.
    virtual std::string TableLabel(int index) const = 0;
    virtual std::string TableMethod(int /*index*/, int /*solution*/) const { return {}; }
    virtual int ColumnWidth() const = 0;
    // Equations tabulated at an interval and step count the user may change.
    virtual bool HasTableRange(int index) const = 0;
    // Asks for the interval and step count (dialog parented to `parent`); true when changed.
    virtual bool EditTableRange(fw::TWindow* parent, int index) = 0;
};

class TTableWin : public TTextWin {
public:
    TTableWin(fw::TWindow* owner, TableSource& source, int index, int fontKind);

    // Builds the table of equation `index` (its solution `solution`) and shows its first page.
    void ShowEquation(int index, int solution = 0);
    int Equation() const { return index_; }
    int Solution() const { return solution_; }
    int Page() const { return page_; }
    int Pages() const { return static_cast<int>(pageStarts_.size()); }
    void ShowPage(int page);

    bool EvCommand(int id) override;
    bool EvCommandEnable(int id, fw::TCommandEnabler& ce) override;

protected:
    void SetupWindow() override;

private:
    void AskPage();
    void CopyCells();
    void UpdateCaption();

    TableSource& source_;
    int index_;
    int solution_ = 0;
    std::string table_;
    std::vector<std::size_t> pageStarts_;
    int page_ = 0;
};

}  // namespace curvelo
