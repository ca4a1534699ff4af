// The modeless dialogs of the zero ("ZEROS"), extremum ("EXTREMES") and intersection
// ("INTER2") tools: the examples to scan, the next hit on each press of the next button,
// its text or why there is none in the static, marking it as a point example and saving
// one of its values into a letter.
#pragma once

#include <vector>

#include "framework/kit_dlg.h"
#include "plot2d/analysis_scan.h"

namespace curvelo {

class TPlotEWin;

namespace analysisid {
inline constexpr int kFirst = 295, kSecond = 296, kValue = 297, kLetter = 298, kText = 230, kDegrees = 271,
                     kSave = 57, kNext = 743, kMark = 712;
}

class TAnalysisDlg : public TDlg {
public:
    // tool: analysiscmd::kZeros, kExtrema or kIntersections.
    TAnalysisDlg(TPlotEWin* window, int tool);
    ~TAnalysisDlg() override;
    void Detach() { window_ = nullptr; }
    int Tool() const { return tool_; }
    // Rewrites the choosers after the inventory changed.
    void Refresh();
    // Looks for the next hit and shows it (or why there is none); true when one was found.
    bool FindNext();
    bool HasHit() const { return hasHit_; }
    const AnalysisHit& Hit() const { return hit_; }

    bool EvCommand(int id) override;
    void EvNotify(int controlId, fw::Notify code) override;

protected:
    void SetupWindow() override;

private:
    // What the scan looks at; a press with the same choice continues where the last stopped.
    struct Choice {
        int first = -1, second = -1, quantity = 0;
        long double lo = 0, hi = 0;
        bool operator==(const Choice&) const = default;
    };
    int Chosen(int combo, const std::vector<int>& slots) const;
    void Fill(int combo, std::vector<int>& slots, int avoid);
    void FillValues();
    bool Suits(std::uint16_t kind) const;
    std::uint16_t FirstKind() const;
    void SaveValue();

    TPlotEWin* window_;
    int tool_;
    std::vector<int> firstSlots_, secondSlots_;
    Choice last_;
    int cursor_ = 0;
    bool hasHit_ = false;
    AnalysisHit hit_;
    std::uint16_t hitKind_ = 0;
};

}  // namespace curvelo
