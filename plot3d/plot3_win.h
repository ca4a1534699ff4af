// The 3D plot window that the launcher opens: the top of the 3D chain, with the automatic
// rotation about the z axis and the inventory's 3D buttons.
#pragma once

#include <string>

#include "plot3d/plane_slices.h"
#include "plot2d/ivp_dlg.h"
#include "plot3d/plotr_win.h"
#include "plot3d/space_kinds.h"
#include "plot3d/surface_scene.h"

namespace curvelo {

namespace rotcmd {
inline constexpr int kAutoRotation = 725, kFrameCount = 748;
}

namespace surfcmd {
// 1001 ... 1016: the surface kinds of the Equation menu (kind = command - 700); 1007 the
// surface of revolution; 1005 the implicit surface, shown through its level curves.
inline constexpr int kFirstKind = 1001, kLastKind = 1016, kRevolution = 1007, kMeshExport = 1017;
inline constexpr int kImplicitSurface = 1005;
// "Síkmetszetek" of an explicit surface.
inline constexpr int kSlices = 766;
}

class TLevelWin;
class TIntCSDlg;
class TSpaceTraceDlg;

namespace intercmd {
// The curve-surface piercing dialog and the surface-surface tool of the "&Metszet" submenu.
inline constexpr int kCurveSurface = 710, kSurfaceSurface = 787;
}

class TPlot3Win : public TPlotRWin, public IvpHost {
public:
    TPlot3Win(fw::TWindow* parent, const std::string& caption);
    ~TPlot3Win() override;

    // Records one full turn in the frame count's pictures and plays them back until Q;
    // the eye and the step are as before afterwards. Returns the number of frames recorded
    // (0 when Q stopped the recording or no picture could be had).
    int AutoRotate();
    // Asks the number of frames of the automatic rotation.
    void AskFrameCount();

    // "rétegek" opens the level dialog; "sejt" the example's cell dialog.
    std::string InventoryButtonText(int id) const override;
    bool CanIterate(int index) const override { return IsSlot(index); }
    bool EditIteration(int index) override;

    bool EvCommand(int id) override;
    bool EvCommandEnable(int id, fw::TCommandEnabler& ce) override;

    // A 2D window's curve taken as a surface of revolution (its dialog opens first).
    bool TakeRevolution(const TExample& curve) override;
    // Writes the visible surfaces' meshes as STL or OBJ (by the extension).
    bool ExportMesh(const std::string& path);
    // Tables: surface grids, curves, and the solutions of systems and sequences.
    bool HasTable(int index) const override;

    // Level curves: the level window, made on first use and kept (hidden when closed; null
    // when it could not be made), and the level dialog of an example.
    TLevelWin* LevelWindow();
    TLevelWin* ExistingLevelWindow() const { return levelWindow_; }

    // Intersections: the curve-surface dialog (made once, kept), a point example at a
    // piercing point, the surface-surface example and its dialog in the trace window ("nyom").
    void ShowPiercingDialog();
    TIntCSDlg* PiercingDialog() const { return piercingDialog_; }
    void PiercingDialogGone(TIntCSDlg* dialog);
    int AddSpacePoint(long double x, long double y, long double z);
    int AddSurfacePair();
    bool EditSurfacePair(int index);
    TLevelWin* TraceWindow();
    bool EditExample(int index) override;
    bool CanDerive(int index) const override;
    bool CanHaveFamily(int) const override { return false; }
    int DeriveExample(int index) override;

    // Plane sections: what the slice dialog shows, drawn at once; the dialog of the selected
    // (else the first) explicit surface.
    SliceOverlay& Slices() { return slices_; }
    void ShowSlices();
    int SliceExample() const;
    void OpenSlices();

    // Curves, points, systems and sequences in space (plot3_space.cpp): a new example from
    // its Equation-menu command, the meridian, and the dialogs of initial conditions (780)
    // and of start points (782), which make an example first when there is none.
    int AddSpaceExample(int command);
    int AddMeridian(const std::string& radius, const std::string& longitude);
    void AskMeridian();
    void EditSpaceConditions(std::uint16_t kind);
    int CurrentSpaceExample(std::uint16_t kind) const;
    // The running point on a space curve (708), its modeless dialog made on first use.
    void ShowRunningPoint();
    TSpaceTraceDlg* RunningPointDialog() const { return trace_; }
    void RunningPointGone(TSpaceTraceDlg* dialog);
    void RunningPointMoved() { RepaintAll(); }

    // IvpHost
    ExampleInventory& IvpInventory() override { return Inventory(); }
    FormulaEngine& IvpEngine() override { return Engine(); }
    NumberFormat IvpFormat() const override { return Format(); }
    void ConditionsChanged(int example, int observed, int delayMs) override;
    bool SolutionEnd(int example, const TInitialCondition& c, std::array<long double, 3>& end) override;
    void ShowText(const std::string& caption, const std::string& text) override;
    void SetCurrentOdeExample(std::uint16_t kind, int index) override;

protected:
    int BeginExample(std::uint16_t kind, bool polarInput) override;
    bool HasExampleDialog(const TExample& example) const override;
    bool RunExampleDialog(int index) override;
    // A surface gets its mesh; the cell follows the examples and the view shows it.
    void AcceptExample(int index, bool isNew) override;

    int DrawExamples3D(DrawSurface& surface) override;
    void RefreshInventoryView() override;
    bool IsPointHidden(const Vec3& p) const override;
    void RecomputeExamples() override;

private:
    std::string TableText(int index, int solution) override;
    int SolutionCount(int index) const override;
    void AskMeshExport();
    // A new level window that would cover this one moves beside it.
    void PlaceBeside(fw::TWindow& level);
    // The layer curves the examples hold, placed in space; 0 or kDrawStopped.
    int DrawLayers(DrawSurface& surface, const std::function<int()>& pollKey);
    bool SpaceCommand(int id);
    void DrawRunningPoint(DrawSurface& surface);
    bool SpaceCommandEnable(int id, fw::TCommandEnabler& ce);
    // Recompiles and reboxes a space example after its lists changed.
    void SpaceExampleChanged(int index);

    // The coordinates of the point the next Begin makes; the example and condition the next
    // drawing observes.
    PointCoordinates nextCoordinates_ = PointCoordinates::kCartesian;
    struct Observed {
        int example = -1, condition = -1, delayMs = 0;
    } observed_;
    int currentSystem_ = -1, currentSequence_ = -1;
    TSpaceTraceDlg* trace_ = nullptr;

    // Drawing state of one picture; the hiding test answers the axes drawn after it.
    mutable SurfaceScene scene_;
    TLevelWin* levelWindow_ = nullptr;
    SliceOverlay slices_;
    // The curves of the surface-surface examples, lifted into space; 0 or kDrawStopped.
    int DrawSurfacePairs(DrawSurface& surface, const std::function<int()>& pollKey);
    TIntCSDlg* piercingDialog_ = nullptr;
    TLevelWin* traceWindow_ = nullptr;
};

}  // namespace curvelo
