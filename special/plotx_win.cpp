#include "special/plotx_win.h"

#include <chrono>
#include <ctime>

#include "framework/kit_services.h"
#include "framework/menu_resource.h"
#include "plot2d/example_kinds.h"
#include "resources/resources.h"
#include "special/body_dlg.h"
#include "special/help_resource.h"

namespace curvelo {

namespace {

// Posted when a run ended in a collision: the message comes after the picture is drawn.
constexpr int kCmdCollision = 30219;
constexpr int kMsgCollision = 130;
constexpr int kMsgCannotOpen = 11;
constexpr std::size_t kHelpBarPosition = 8;
constexpr std::size_t kEquationPopup = 1;

std::vector<fw::MenuItem> ManyBodyMenu() {
    std::vector<fw::MenuItem> bar;
    std::string error;
    fw::LoadMenuResource("PLOT2MENU", bar, error);
    using Kind = fw::MenuItem::Kind;
    if (bar.size() > kEquationPopup && bar[kEquationPopup].kind == Kind::Popup) {
        auto& items = bar[kEquationPopup].items;
        fw::MenuItem fresh, edit, line;
        fresh.id = manycmd::kNewSystem;
        fresh.caption = "&Új\tCtrl+N";
        edit.id = manycmd::kEditSystem;
        edit.caption = "&Orbitál-rendszer ...";
        line.kind = Kind::Separator;
        items.insert(items.begin(), {fresh, edit, line});
    }
    fw::MenuItem help;
    help.id = manycmd::kHelp;
    help.caption = "&" + std::string(res::String(289));
    bar.insert(bar.begin() + static_cast<std::ptrdiff_t>(std::min(kHelpBarPosition, bar.size())), help);
    return bar;
}

// The document's system: false when its example is damaged, and an empty system when it has
// none.
bool SystemOf(const Cv2Document& doc, OrbitalSystem& system) {
    system = OrbitalSystem();
    for (const Cv2Example& e : doc.examples)
        if (e.example.kind == kKindOrbital) return LoadOrbitalSystem(e.example, e.initialConditions, system);
    return true;
}

}  // namespace

TPlotXWin::TPlotXWin(fw::TWindow* parent, const std::string& caption)
    : TPlotEWin(parent, caption), random_(static_cast<std::uint64_t>(std::time(nullptr))) {
    SetMenu(ManyBodyMenu());
    LoadAccelerators("PLOT2MENU");
    AddAccelerators("PLOTXMENU");
    ShowDefaultFrame();
}

void TPlotXWin::SetupWindow() {
    TPlotEWin::SetupWindow();
    // Opened from the menu, or the document could not be read: a system to watch at once.
    if (Inventory().Count() == 0) {
        NewSystem();
        SetModified(false);
    }
}

int TPlotXWin::SystemSlot() const {
    for (int i = 0; i < Inventory().Count(); ++i)
        if (Inventory().Slot(i).example.kind == kKindOrbital) return i;
    return -1;
}

void TPlotXWin::NewSystem() {
    ExampleInventory& inventory = Inventory();
    inventory.Clear();
    const int slot = inventory.Begin(kKindOrbital, View().xmin, View().xmax);
    if (slot < 0) return;
    inventory.Commit(slot, Engine());
    inventory.Slot(slot).name = "orbitál-rendszer";
    system_ = RandomOrbitalSystem(random_, Format());
    sim_.Reset(system_);
    SystemChanged();
}

void TPlotXWin::SystemChanged() {
    const int slot = SystemSlot();
    if (slot < 0) return;
    std::vector<Cv2InitialCondition> list;
    StoreOrbitalSystem(system_, Inventory().At(slot), list);
    ExamplesChanged();
}

bool TPlotXWin::EditSystem() {
    if (SystemSlot() < 0 || !Authorised(Lock().protectInventory)) return false;
    OrbitalSystem edited = system_;
    TBodyDlg dialog(this, edited, sim_, Format(), true, [this] {
        system_.positions = 0;
        system_.markers = false;
        SystemChanged();
    });
    if (dialog.Execute() != 1) return false;
    system_ = std::move(edited);
    SystemChanged();
    return true;
}

bool TPlotXWin::EditExample(int index) {
    if (index >= 0 && index == SystemSlot()) return EditSystem();
    return TPlotEWin::EditExample(index);
}

bool TPlotXWin::EvCommand(int id) {
    switch (id) {
    case manycmd::kNewSystem: NewSystem(); return true;
    case manycmd::kEditSystem:
        if (SystemSlot() < 0) NewSystem();
        EditSystem();
        return true;
    case manycmd::kHelp: {
        const std::string text = SpecialHelpText("CVXHELP");
        if (text.empty()) ShowMessage(this, kMsgCannotOpen);
        else ShowHelp(0, text);
        return true;
    }
    case kCmdCollision: ShowMessage(this, kMsgCollision); return true;
    default: return TPlotEWin::EvCommand(id);
    }
}

void TPlotXWin::PaintContent(DrawSurface& surface) {
    TPlotEWin::PaintContent(surface);
    const int slot = SystemSlot();
    if (slot >= 0 && Inventory().Slot(slot).example.visible && DrawsExample(slot) &&
        system_.BodyCount() >= kMinBodies)
        RunSystem(surface);
}

void TPlotXWin::RunSystem(DrawSurface& surface) {
    // Only a drawing on the screen is watched and stopped; printing and exports replay the
    // steps the screen run did.
    const bool onScreen = !Printing() && !surface.IsExport();
    OrbitalRunHooks hooks;
    using Clock = std::chrono::steady_clock;
    auto nextShow = Clock::now();
    if (onScreen) {
        hooks.pollKey = [this] { return Interrupt().Poll(); };
        // The screen shows no more than the display's rate.
        hooks.showSoFar = [this, &nextShow] {
            const auto now = Clock::now();
            if (now < nextShow) return;
            nextShow = now + std::chrono::milliseconds(15);
            ShowDrawingSoFar();
        };
        ShowStatus(this, 1);
    }
    const FrameOutput out = CurrentOutput();
    OrbitalPicture picture;
    picture.colourOutput = out.colourOutput;
    picture.background = out.measuredBackground;
    picture.widthPixels = surface.View().W;
    const OrbitalRunResult run = RunOrbitalSystem(system_, sim_, surface, picture, hooks);
    if (!onScreen) return;
    lastRun_ = run;
    system_.positions = static_cast<long double>(run.steps);
    if (const int slot = SystemSlot(); slot >= 0) Inventory().At(slot).extra411[2] = system_.positions;
    UpdateTitle(this, false);
    if (run.closeApproach) PostCommand(kCmdCollision);
}

std::uint16_t TPlotXWin::AcceptOwnState(const Cv2Document& doc) const {
    OrbitalSystem read;
    return SystemOf(doc, read) ? 0 : kMsgCannotOpen;
}

void TPlotXWin::ReadOwnState(const Cv2Document& doc) {
    SystemOf(doc, system_);
    sim_.Reset(system_);
    lastRun_ = {};
}

void TPlotXWin::WriteOwnState(Cv2Document& doc) const {
    const int slot = SystemSlot();
    if (slot < 0 || slot >= static_cast<int>(doc.examples.size())) return;
    Cv2Example& e = doc.examples[static_cast<std::size_t>(slot)];
    StoreOrbitalSystem(system_, e.example, e.initialConditions);
}

}  // namespace curvelo
