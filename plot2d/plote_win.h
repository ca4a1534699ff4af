// The 2D layer of what is made from a curve: its derivative curve, its family and the
// iteration (web) diagram of an explicit function; and what is read off a curve: its zeros,
// extrema and intersections with their marks, and the running point.
#pragma once

#include <optional>

#include "plot2d/analysis_scan.h"
#include "plot2d/measure_result.h"
#include "plot2d/plotc_win.h"

namespace curvelo {

inline constexpr int kCmdSurfaceOfRevolution = 1007;
// The launcher's "new 3D window" command.
inline constexpr int kCmdLauncherNew3D = 403;
class TAnalysisDlg;
class TRunningPointDlg;

class TPlotEWin : public TPlotCWin {
public:
    using TPlotCWin::TPlotCWin;
    ~TPlotEWin() override;

    // Appends the derivative curve of a curve example (y' of y = f(x), r' of a polar curve,
    // (x', y') of a parametric one); the new slot, or -1.
    int DeriveExample(int index) override;
    bool EditFamily(int index) override;
    bool CanDerive(int index) const override;
    // Every kind made from formulas may be drawn as a family of its letter.
    bool CanHaveFamily(int index) const override;
    bool EditIteration(int index) override;
    bool CanIterate(int index) const override;
    bool EvCommand(int id) override;
    bool EvCommandEnable(int id, fw::TCommandEnabler& ce) override;

    // The dialog of analysiscmd::kZeros, kExtrema or kIntersections (another tool's closes).
    void ShowAnalysisDialog(int tool);
    TAnalysisDlg* AnalysisDialog() const { return analysisDialog_; }
    void AnalysisDialogGone(TAnalysisDlg* dialog);
    // The dialog's current hit is marked until the next press (null: no hit).
    void SetAnalysisHit(const TAnalysisDlg* from);
    // Keeps a hit in example index's result list (once), so the document keeps it.
    void ArchiveHit(int index, const MeasurementResult& result);
    // "jelöld ki": a point example at (x, y); its slot or -1.
    int AddAnalysisPoint(long double x, long double y);

    // The running point: its dialog, shown on first use; Q or Esc in the window ends it.
    void ShowRunningPoint();
    void EndRunningPoint();
    TRunningPointDlg* RunningPointDialog() const { return runningPoint_; }
    void RunningPointGone(TRunningPointDlg* dialog);
    // The point moved or its switches changed: the picture shows it again.
    void RunningPointMoved();

protected:
    // The examples first, then the iteration diagrams over them.
    void PaintContent(DrawSurface& surface) override;
    void PaintMovingExamples(DrawSurface& surface) override;
    void RefreshInventoryView() override;
    // The running point over the cached picture, so moving it draws nothing else again.
    void Paint(fw::DC& dc, bool erase, const fw::Rect& rect) override;
    void EvKeyDown(int vk, unsigned modifiers, bool autoRepeat) override;
    void EvLButtonDown(unsigned modifiers, fw::Point p) override;
    void EvMouseMove(unsigned modifiers, fw::Point p) override;
    void EvLButtonUp(unsigned modifiers, fw::Point p) override;

private:
    void DrawWebDiagrams(DrawSurface& surface);
    // "Forgási felület": the selected curve goes to a 3D window (the last one opened, or a
    // new one) as a surface of revolution.
    void TurnSelectedCurve();
    // Every archived hit of a shown example, and the current one larger.
    void DrawAnalysisMarks(DrawSurface& surface);
    bool RunningPointActive() const { return runningPoint_ && !TextMode(); }
    // Runs an example's dialog; an accepted dialog recompiles, marks and repaints.
    template <class Dialog>
    bool EditWithDialog(int index);

    TAnalysisDlg* analysisDialog_ = nullptr;
    TRunningPointDlg* runningPoint_ = nullptr;
    bool dragging_ = false;
    std::optional<AnalysisHit> currentHit_;
};

}  // namespace curvelo
