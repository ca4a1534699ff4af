#include "special/plotg_win.h"

#include <ctime>

#include "expr/tree.h"
#include "framework/kit_inp_dlg.h"
#include "framework/common_dialogs.h"
#include "framework/kit_services.h"
#include "framework/settings_dir.h"
#include "plot2d/example_kinds.h"
#include "plotwin/window_settings.h"
#include "resources/resources.h"
#include "special/help_resource.h"
#include "special/switch_dlg.h"

namespace curvelo {

namespace {

constexpr int kMsgCannotOpen = 11, kMsgNeedOne = 25;
constexpr int kStrTitle = 205, kStrAnswer = 213, kStrPerfect = 542, kStrAgain = 543;
constexpr std::size_t kMaxGuessLength = 256;
constexpr const char* kHelpNames[] = {"CVGHELP", "CVGFILEH", "CVGEQUAH", "CVGVIEWH", "CVGBTNSH", "CVGMISCH"};

std::string SettingsPath() { return fw::SettingsDirectory() + "/guess.ini"; }

// The game's switches in the settings file: the fifteen switches in the first byte array,
// the degree bounds in the first integer record.
void PutSwitches(const GuessSwitches& g, WindowSettings& s) {
    for (std::size_t i = 0; i < g.on.size(); ++i) s.viewBytes[0][i] = g.on[i];
    s.moreInts[0][0] = g.minDegree;
    s.moreInts[0][1] = g.maxDegree;
}

GuessSwitches SwitchesOf(const WindowSettings& s) {
    GuessSwitches g;
    for (std::size_t i = 0; i < g.on.size(); ++i) g.on[i] = s.viewBytes[0][i] != 0;
    const std::int32_t lo = s.moreInts[0][0], hi = s.moreInts[0][1];
    if (lo < kMinDegree || lo > hi || hi > kMaxDegree) return GuessSwitches::Reset();
    g.minDegree = static_cast<std::uint16_t>(lo);
    g.maxDegree = static_cast<std::uint16_t>(hi);
    return g;
}

}  // namespace

TPlotGWin::TPlotGWin(fw::TWindow* parent, const std::string& caption)
    : TPlotEWin(parent, caption), random_(static_cast<std::uint64_t>(std::time(nullptr))) {
    SetMenu("GUESSMENU");
    LoadAccelerators("GUESSMENU");
    ShowDefaultFrame();
}

void TPlotGWin::SetupWindow() {
    if (UsesSettingsFile() && ReadWindowSettings()) {
        if (auto s = LoadWindowSettingsFile(SettingsPath(), kSettingsKindGuess)) {
            const fw::ScreenMetrics& screen = Screen();
            if (s->left >= 0 && s->top >= 0 && s->width >= 120 && s->height >= 72 &&
                std::int64_t{s->left} + s->width <= screen.width && std::int64_t{s->top} + s->height <= screen.height)
                MoveWindow({s->left, s->top, s->left + s->width, s->top + s->height});
            if (!s->colourIndexes.empty() && s->colourIndexes[0] <= 24)
                if (int* slot = ColourSlot(kColourKindBackground)) *slot = s->colourIndexes[0];
            switches_ = SwitchesOf(*s);
            EnsureSomeType();
        }
    }
    TPlotEWin::SetupWindow();
    NewProblem();
}

void TPlotGWin::Destroy(int retVal) {
    if (UsesSettingsFile() && IsCreated() && !settingsSaved_) {
        settingsSaved_ = true;
        WindowSettings s;
        s.kind = kSettingsKindGuess;
        const fw::Rect r = GetNormalRect();
        s.left = r.left;
        s.top = r.top;
        s.width = r.right - r.left;
        s.height = r.bottom - r.top;
        s.maximised = IsMaximized() ? 1 : 0;
        s.colourIndexes = {static_cast<std::uint16_t>(BackgroundColour())};
        PutSwitches(switches_, s);
        SaveWindowSettingsFile(SettingsPath(), s);  // silent: settings are a convenience
    }
    TPlotEWin::Destroy(retVal);
}

void TPlotGWin::SetGameTitle(const std::string& title) {
    gameTitle_ = title;
    SetUntitled(title);
}

void TPlotGWin::EnsureSomeType() {
    if (switches_.AnyType()) return;
    switches_.on[3] = 1;
    ShowMessage(this, kMsgNeedOne);
}

void TPlotGWin::RemoveGuess() {
    if (Inventory().Count() > 1) Inventory().Remove(1);
}

void TPlotGWin::NewProblem() {
    problem_ = NewGuessProblem(switches_, random_);
    ExampleInventory& inventory = Inventory();
    inventory.Clear();
    View().SetViewSquare(problem_.cx, problem_.cy, problem_.halfWidth);
    const int slot = inventory.Begin(kKindExplicit, View().xmin, View().xmax);
    if (slot >= 0) {
        TExample& e = inventory.At(slot);
        e.texts[1] = problem_.formula;
        e.density = 3;
        inventory.Commit(slot, Engine());
    }
    lastGuess_.clear();
    ExamplesChanged();
    SetGameTitle(std::string(res::String(kStrTitle)));
}

void TPlotGWin::JudgeGuess(const std::string& text) {
    lastGuess_ = text.substr(0, kMaxGuessLength);
    if (Inventory().Count() == 0) return;
    FormulaEngine& engine = Engine();
    // A guess that does not compile changes nothing but the title.
    if (std::uint16_t code = engine.CompileFormula(lastGuess_)) {
        SetGameTitle(MessageText(code));
        return;
    }
    ExprNode* guess = engine.TakeCompiledTree();
    RemoveGuess();
    const PlotView& v = View();
    const GuessComparison c =
        CompareGuess(engine.letters, Inventory().Slot(0).trees[1], guess, v.xmin, v.xmax - v.xmin, random_);
    FreeTree(guess);
    if (c.Right()) {
        ExamplesChanged();
        SetGameTitle(std::string(res::String(kStrPerfect)));
        return;
    }
    ExampleInventory& inventory = Inventory();
    const int slot = inventory.Begin(kKindExplicit, v.xmin, v.xmax);
    if (slot >= 0) {
        inventory.At(slot).texts[1] = lastGuess_;
        inventory.At(slot).density = 3;
        inventory.Commit(slot, engine);
    }
    ExamplesChanged();
    SetGameTitle(std::string(res::String(kStrAgain)));
}

void TPlotGWin::AskGuess() {
    std::string text = lastGuess_;
    TInpDlg ask(this, std::string(res::String(kStrTitle)), "y =", &text, static_cast<int>(kMaxGuessLength));
    if (ask.Execute() != 1) return;
    JudgeGuess(text);
}

void TPlotGWin::ShowAnswer() {
    fw::MessageBox(this, "y = " + problem_.formula, std::string(res::String(kStrAnswer)), fw::kMbOk);
}

void TPlotGWin::ChooseTypes() {
    TSwitchDlg dialog(this, switches_);
    dialog.Execute();
    EnsureSomeType();
}

bool TPlotGWin::EvCommand(int id) {
    switch (id) {
    case guesscmd::kNewProblem: NewProblem(); return true;
    case guesscmd::kGuess: AskGuess(); return true;
    case guesscmd::kAnswer: ShowAnswer(); return true;
    case guesscmd::kTypes: ChooseTypes(); return true;
    case guesscmd::kAllTypes: switches_ = GuessSwitches::All(); return true;
    case guesscmd::kReset: switches_ = GuessSwitches::Reset(); return true;
    default: break;
    }
    if (id >= guesscmd::kFirstHelp && id <= guesscmd::kLastHelp) {
        const std::string text = SpecialHelpText(kHelpNames[id - guesscmd::kFirstHelp]);
        if (text.empty()) ShowMessage(this, kMsgCannotOpen);
        else ShowHelp(0, text);
        return true;
    }
    return TPlotEWin::EvCommand(id);
}

}  // namespace curvelo
