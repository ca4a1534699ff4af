#include "plot3d/plot3_win.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <new>
#include <thread>

#include "expr/eval.h"
#include "framework/common_dialogs.h"
#include "framework/kit_inp_dlg.h"
#include "framework/kit_services.h"
#include "plot2d/curve_sampler.h"
#include "plot2d/fn_list_dlg.h"
#include "plot3d/cell_dlg.h"
#include "plot3d/level_dlg.h"
#include "plot3d/level_win.h"
#include "plot3d/mesh_export.h"
#include "plot3d/slice_dlg.h"
#include "plot3d/surface_commands.h"
#include "plot3d/surface_dlg.h"
#include "plot3d/surface_kinds.h"
#include "plot3d/surface_lines.h"
#include "plot3d/surface_mesh.h"
#include "plot3d/surface_trees.h"
#include "plot3d/rotation_playback.h"
#include "plot3d/space_table.h"
#include "resources/resources.h"

namespace curvelo {
namespace {

// The playback runs until Q, but never longer than this many frames.
constexpr long kMaxPlaybackFrames = 10'000'000;
// Keys are looked at this often while a frame stays on the screen.
constexpr int kPollSliceMs = 5;
// A level window placed beside the 3D window is at most this large.
constexpr int kLevelWindowWidth = 520, kLevelWindowHeight = 460;

}  // namespace

TPlot3Win::TPlot3Win(fw::TWindow* parent, const std::string& caption) : TPlotRWin(parent, caption) {
    Inventory().SetKindCompiler(&CompileSpaceExample);
}

int TPlot3Win::BeginExample(std::uint16_t kind, bool /*polarInput*/) {
    if (IsSpaceKind(kind)) return BeginSpaceExample(Inventory(), kind, nextCoordinates_);
    return BeginSurface(Inventory(), kind);
}

bool TPlot3Win::HasExampleDialog(const TExample& e) const {
    return FindSurfaceKind(e.kind) != nullptr || IsSpaceKind(e.kind);
}

bool TPlot3Win::RunExampleDialog(int index) {
    TSurfaceDlg dialog(this, Inventory().At(index), Engine(), Format(), EquationDialogPlace());
    return dialog.Execute() == 1;
}

void TPlot3Win::AcceptExample(int index, bool isNew) {
    ExampleInventory& inventory = Inventory();
    if (isNew) {
        if (const std::uint16_t code = CommitSurface(inventory, index, Engine())) ShowMessage(this, code);
    } else {
        if (const std::uint16_t code = inventory.Compile(index, Engine())) ShowMessage(this, code);
        ComputeMesh(inventory.Slot(index), Engine());
    }
    ComputeSpaceBox(inventory.Slot(index), Engine(), Frame().axesShown != 0);
    if (SetCellFromExamples()) FitViewToCell();
    if (isNew && inventory.Count() == 1) FitViewToCell();
}

bool TPlot3Win::TakeRevolution(const TExample& curve) {
    if (!Authorised(Lock().protectInventory) || !HasRoomOrSays()) return true;
    const int index = BeginRevolutionOf(Inventory(), curve);
    if (index < 0) return true;
    SetFocus();
    RunExampleFlow(index, true);
    return true;
}

int TPlot3Win::DrawExamples3D(DrawSurface& surface) {
    SceneOutput output;
    output.colourOutput = CurrentOutput().colourOutput;
    if (!Animating() && !Printing()) {
        output.pollKey = [this] { return Interrupt().Poll(); };
        ShowStatusKind(1);
        output.showAndWait = [this](int delayMs) { return ShowAndWait(delayMs); };
        output.observedExample = observed_.example;
        output.observedCondition = observed_.condition;
        output.observeDelayMs = observed_.delayMs;
        observed_ = {};
    }
    output.hideInvisible = Space().hideInvisible;
    output.periodTolerance = Inventory().PeriodTolerance();
    int status = scene_.DrawExamples(surface, Inventory(), Engine(), Space(), output);
    if (status == 0) status = DrawLayers(surface, output.pollKey);
    if (status == 0 && slices_.example >= 0 && IsSlot(slices_.example)) {
        const View3D& space = Space();
        DrawSliceOverlay(surface, slices_, Inventory().Slot(slices_.example), Engine().letters,
                         [&space](const Vec3& p) { return space.ProjectPoint(p); });
    }
    if (status == 0) status = DrawSurfacePairs(surface, output.pollKey);
    if (status == 0) DrawRunningPoint(surface);
    // A drawing stopped with Q leaves the status text in the title bar.
    if (status == 0 && !Animating() && !Printing()) UpdateTitle(this, false);
    return status;
}

bool TPlot3Win::IsPointHidden(const Vec3& p) const {
    return scene_.IsHidden(const_cast<TPlot3Win*>(this)->Engine(), p);
}

void TPlot3Win::RecomputeExamples() { ComputeAllMeshes(Inventory(), Engine(), Frame().axesShown != 0); }

bool TPlot3Win::ExportMesh(const std::string& path) {
    std::string error;
    return ExportMeshFile(path, Inventory(), &error);
}

void TPlot3Win::AskMeshExport() {
    fw::FileDialogOptions options;
    options.filter = "STL (*.stl)|*.stl|OBJ (*.obj)|*.obj";
    options.defaultExt = "stl";
    if (!fw::SaveFileDialog(this, options) || options.fileName.empty()) return;
    if (!ExportMesh(options.fileName)) ShowMessage(this, 12);  // "nem tudom elmenteni ..."
}

bool TPlot3Win::HasTable(int index) const { return IsSlot(index) && SpaceExampleHasTable(Inventory().Slot(index)); }

int TPlot3Win::SolutionCount(int index) const {
    return IsSlot(index) ? SpaceTableSolutions(Inventory().Slot(index)) : 0;
}

std::string TPlot3Win::TableText(int index, int solution) {
    if (!IsSlot(index)) return {};
    ExampleTableOptions options{kDefaultTableColumnWidth, Format(), {}, solution};
    options.stopRequested = [this] { return PollKey(this) == kKeyQuit; };
    return SpaceTableText(Engine(), Inventory().Slot(index), options);
}

int TPlot3Win::DrawLayers(DrawSurface& surface, const std::function<int()>& pollKey) {
    const View3D& space = Space();
    const auto project = [&space](const Vec3& p) { return space.ProjectPoint(p); };
    LayerHiddenTest hidden;
    if (space.hideInvisible) hidden = [this](const Vec3& p) { return IsPointHidden(p); };
    for (int i = 0; i < Inventory().Count(); ++i)
        if (DrawLayerCurves(Inventory().Slot(i), Engine().letters, surface, project, {}, pollKey, hidden) ==
            kKeyStopDrawing)
            return kDrawStopped;
    return 0;
}

TLevelWin* TPlot3Win::LevelWindow() {
    if (levelWindow_) return levelWindow_;
    try {
        auto* level = new TLevelWin(this);
        if (!level->Create()) return nullptr;
        levelWindow_ = level;
        PlaceBeside(*level);
    } catch (const std::bad_alloc&) {
        ShowMessage(this, 3);  // "kevés a memória ... zavar!"
    }
    return levelWindow_;
}

void TPlot3Win::PlaceBeside(fw::TWindow& level) {
    const fw::Rect own = GetWindowRect(), r = level.GetWindowRect();
    const bool overlaps = r.left < own.right && own.left < r.right && r.top < own.bottom && own.top < r.bottom;
    if (!overlaps) return;
    // Right of this window where the screen has room, else at the screen's right edge.
    const fw::ScreenMetrics& screen = Screen();
    const int w = std::clamp(r.Width(), 200, kLevelWindowWidth), h = std::clamp(r.Height(), 160, kLevelWindowHeight);
    const int left = own.right + w <= screen.width ? own.right : std::max(0, screen.width - w);
    const int top = std::clamp(own.top, 0, std::max(0, screen.height - h));
    level.MoveWindow({left, top, left + w, top + h});
}

bool TPlot3Win::CanDerive(int index) const {
    return IsSlot(index) && TakesLayers(Inventory().Slot(index).example.kind);
}

int TPlot3Win::DeriveExample(int index) {
    if (!CanDerive(index) || !Authorised(Lock().protectInventory)) return -1;
    TLevelDlg dialog(this, index);
    if (dialog.Execute() != 1) {
        dialog.Revert();
        return -1;
    }
    SetModified(true);
    RepaintAll();
    return index;
}

void TPlot3Win::ShowSlices() {
    RepaintAll();
    UpdateWindow();
}

int TPlot3Win::SliceExample() const {
    const ExampleInventory& inventory = Inventory();
    const int selected = inventory.Selected();
    if (IsSlot(selected) && inventory.Slot(selected).example.kind == kKindSurfaceExplicit) return selected;
    for (int i = 0; i < inventory.Count(); ++i)
        if (inventory.Slot(i).example.kind == kKindSurfaceExplicit) return i;
    return -1;
}

void TPlot3Win::OpenSlices() {
    const int index = SliceExample();
    if (index < 0) return;
    TSliceDlg(this, index).Execute();
}

std::string TPlot3Win::InventoryButtonText(int id) const {
    if (id == invid::kDerive) return "rétegek";
    if (id == invid::kIteration) return "sejt";
    return {};
}

bool TPlot3Win::EditIteration(int index) {
    if (!IsSlot(index)) return false;
    TCellDlg dialog(this, index);
    if (dialog.Execute() != 1 || dialog.Outcome() != 0) return false;
    RecomputeExamples();
    SetCellFromExamples();
    SetModified(true);
    RepaintAll();
    return true;
}

int TPlot3Win::AutoRotate() {
    View3D& space = Space();
    const int frames = AllocateFrames(space.rotationFrames);
    if (frames < 1) return 0;
    const long double keptStep = space.rotationStep;
    const Vec3 keptEye = space.eye;
    space.rotationStep = View3D::FullTurnStep(frames);
    const std::string status = "; " + std::string(res::String(601));
    bool stopped = false;
    for (int k = 1; k <= frames && !stopped; ++k) {
        space.Rotate(false);
        RenderFrame(k - 1);
        SetCaption(std::to_string(k) + " " + std::string(res::String(124)) + " " + std::to_string(frames) + status);
        stopped = PollKey(this) == 'Q';
    }
    if (!stopped) {
        RotationPlayback playback(frames, space.rotationDelayMs);
        bool playing = true;
        for (long shown = 0; shown < kMaxPlaybackFrames && playing; ++shown) {
            ShowFrame(playback.Frame());
            // The delay passes in slices, so the keys answer at once.
            for (int waited = 0; playing && waited < playback.DelayMs(); waited += kPollSliceMs) {
                std::this_thread::sleep_for(std::chrono::milliseconds(kPollSliceMs));
                if (const int key = PollKey(this)) playing = playback.Key(key);
            }
            if (const int key = PollKey(this)) playing = playing && playback.Key(key);
            playback.Advance();
        }
    }
    FreeFrames();
    space.rotationStep = keptStep;
    space.eye = keptEye;
    space.EyeChanged();
    UpdateTitle(this, false);
    RepaintAll();
    return stopped ? 0 : frames;
}

void TPlot3Win::AskFrameCount() {
    View3D& space = Space();
    std::string text = std::to_string(space.rotationFrames);
    TInpDlg ask(this, std::string(res::String(195)), std::string(res::String(196)), &text, 20);
    if (ask.Execute() != 1) return;
    long double value = 0;
    if (const std::uint16_t code = EvaluateText(Engine(), text, value)) {
        ShowMessage(this, code);
        return;
    }
    const bool whole = value == std::floor(value) && value > -1e9L && value < 1e9L;
    if (const int code = whole ? space.SetRotationFrames(static_cast<int>(value)) : 17) ShowMessage(this, code);
}

bool TPlot3Win::EvCommand(int id) {
    if (SpaceCommand(id)) return true;
    switch (id) {
    case rotcmd::kAutoRotation: AutoRotate(); return true;
    case rotcmd::kFrameCount: AskFrameCount(); return true;
    case surfcmd::kMeshExport: AskMeshExport(); return true;
    case surfcmd::kSlices: OpenSlices(); return true;
    case intercmd::kCurveSurface: ShowPiercingDialog(); return true;
    case intercmd::kSurfaceSurface: AddSurfacePair(); return true;
    default: break;
    }
    if (id >= surfcmd::kFirstKind && id <= surfcmd::kLastKind) {
        const auto kind = static_cast<std::uint16_t>(id - 700);
        const SurfaceKindInfo* info = FindSurfaceKind(kind);
        if (info) {
            AddExample(kind);
            return true;
        }
    }
    return TPlotRWin::EvCommand(id);
}

bool TPlot3Win::EvCommandEnable(int id, fw::TCommandEnabler& ce) {
    if (SpaceCommandEnable(id, ce)) return true;
    if (id == surfcmd::kSlices) {
        ce.Enable(SliceExample() >= 0);
        return true;
    }
    if (id == surfcmd::kMeshExport) {
        bool any = false;
        for (int i = 0; i < Inventory().Count() && !any; ++i) any = IsMeshKind(Inventory().At(i).kind);
        ce.Enable(any);
        return true;
    }
    return TPlotRWin::EvCommandEnable(id, ce);
}

}  // namespace curvelo
