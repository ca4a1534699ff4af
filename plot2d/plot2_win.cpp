#include "plot2d/plot2_win.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "expr/differentiate.h"
#include "expr/eval.h"
#include "expr/node_kinds.h"
#include "expr/tree_text.h"
#include "framework/kit_services.h"
#include "plot2d/curve_pick.h"
#include "plot2d/curve_sampler.h"
#include "plot2d/edit_exmp_dlg.h"
#include "plot2d/example_kinds.h"
#include "plot2d/cv2_codec.h"
#include "plot2d/family_dlg.h"
#include "plot2d/fn_list_dlg.h"
#include "plot2d/plot2_document.h"
#include "framework/common_dialogs.h"
#include "framework/kit_inp_dlg.h"
#include "framework/kit_pwd_dlg.h"
#include "framework/settings_dir.h"
#include "plotwin/func_dlg.h"
#include "plotwin/window_settings.h"
#include "resources/resources.h"
#include "textwin/note_win.h"

namespace curvelo {

TPlot2Win::TPlot2Win(fw::TWindow* parent, const std::string& caption)
    : TGridWin(parent, caption), untitledName_(caption) {
    SetMenu("PLOT2MENU");
    LoadAccelerators("PLOT2MENU");
    ShowDefaultFrame();
}

TPlot2Win::~TPlot2Win() {
    if (inventoryDialog_) inventoryDialog_->Detach();
}

namespace {

std::string SettingsPath() { return fw::SettingsDirectory() + "/cv2.ini"; }

// Black graphs is the window's own value kept in the view-layer block.
constexpr int kSettingsBlackGraphs = 2;

}  // namespace

void TPlot2Win::SetupWindow() {
    if (UsesSettingsFile() && ReadWindowSettings()) {
        if (auto s = LoadWindowSettingsFile(SettingsPath(), kSettingsKind2D)) {
            const fw::ScreenMetrics& screen = Screen();
            if (s->left >= 0 && s->top >= 0 && s->width >= 120 && s->height >= 72 &&
                std::int64_t{s->left} + s->width <= screen.width && std::int64_t{s->top} + s->height <= screen.height)
                MoveWindow({s->left, s->top, s->left + s->width, s->top + s->height});
            PrintSetup& p = Print();
            if (s->printWidth >= 0.25L) p.width = s->printWidth;
            if (s->printLeft >= 0.25L) p.left = s->printLeft;
            if (s->printTop >= 0.25L) p.top = s->printTop;
            p.interval = s->printInterval > 1e-18L ? s->printInterval : -1;
            p.frame = s->printFrame != 0;
            p.colour = s->printColour != 0;
            if (!s->colourIndexes.empty() && s->colourIndexes[0] <= 24)
                if (int* slot = ColourSlot(kColourKindBackground)) *slot = s->colourIndexes[0];
            if (s->viewInts[1] == 10) inventory_.SetBlackGraphs(s->viewInts[kSettingsBlackGraphs] != 0);
            lastDocument_ = s->lastDocument;
            if (OpenLastEdit() && StartFile().empty() && !lastDocument_.empty())
                SetStartOptions(OpenLastEdit(), ReadWindowSettings(), lastDocument_);
        }
    }
    TGridWin::SetupWindow();
}

void TPlot2Win::Destroy(int retVal) {
    if (UsesSettingsFile() && IsCreated() && !settingsSaved_) {
        settingsSaved_ = true;
        WindowSettings s;
        s.kind = kSettingsKind2D;
        const fw::Rect r = GetNormalRect();
        s.left = r.left;
        s.top = r.top;
        s.width = r.right - r.left;
        s.height = r.bottom - r.top;
        s.maximised = IsMaximized() ? 1 : 0;
        const PrintSetup& p = Print();
        s.printInterval = p.interval;
        s.printWidth = p.width;
        s.printLeft = p.left;
        s.printTop = p.top;
        s.printFrame = p.frame;
        s.printColour = p.colour;
        s.colourIndexes = {static_cast<std::uint16_t>(BackgroundColour())};
        s.viewInts[0] = 1;
        s.viewInts[1] = 10;
        s.viewInts[kSettingsBlackGraphs] = inventory_.BlackGraphs() ? 1 : 0;
        s.lastDocument = HasFilePath() ? FileName() : lastDocument_;
        SaveWindowSettingsFile(SettingsPath(), s);  // silent: settings are a convenience
    }
    TGridWin::Destroy(retVal);
}

std::string TPlot2Win::DocumentFilter() const { return std::string(res::String(267)); }

int TPlot2Win::ReadDocument(const std::string& path) {
    Cv2Document doc;
    if (std::uint16_t code = LoadCv2File(path, kFileType2D, doc)) return code;
    int background = BackgroundColour();
    ApplyWindowState(doc, {View(), Frame(), background, inventory_, engine_});
    if (int* slot = ColourSlot(kColourKindBackground)) *slot = background;
    Lock() = LockOf(doc);
    unlocked_ = false;
    if (Notepad()) Notepad()->SetText(doc.hasNotepad ? doc.notepad : std::string());
    // The stored placement, when it fits on this screen.
    const auto& p = doc.placement;
    if (p[0] >= 0 && p[1] >= 0 && p[2] >= 120 && p[3] >= 72 &&
        std::int64_t{p[0]} + p[2] <= Screen().width && std::int64_t{p[1]} + p[3] <= Screen().height)
        MoveWindow({p[0], p[1], p[0] + p[2], p[1] + p[3]});
    document_ = std::move(doc);
    if (inventoryDialog_) inventoryDialog_->Refresh();
    RepaintAll();
    return 0;
}

int TPlot2Win::WriteDocument(const std::string& path) {
    if (!Authorised(Lock().protectSaving)) return -1;
    Cv2Document doc = document_;
    CaptureLock(Lock(), doc);
    int background = BackgroundColour();
    CaptureWindowState({View(), Frame(), background, inventory_, engine_}, doc);
    const fw::Rect r = GetNormalRect();
    doc.placement = {r.left, r.top, r.right - r.left, r.bottom - r.top};
    doc.maximised = IsMaximized() ? 1 : 0;
    if (Notepad()) {
        doc.notepad = Notepad()->Text();
        doc.hasNotepad = !doc.notepad.empty();
    }
    if (std::uint16_t code = SaveCv2File(path, doc)) return code;
    document_ = std::move(doc);
    return 0;
}

FieldEvaluator TPlot2Win::Evaluator() const {
    return [this](std::string_view text, long double* value) {
        long double v = 0;
        if (EvaluateText(engine_, text, v) != 0) return false;
        if (value) *value = v;
        return true;
    };
}

bool TPlot2Win::Authorised(bool protectedByLock) {
    if (!protectedByLock || !Lock().Protected() || unlocked_) return true;
    unlocked_ = AskDocumentPassword(this, Lock());
    return unlocked_;
}

int TPlot2Win::AddExample(std::uint16_t kind) {
    if (!Authorised(Lock().protectInventory)) return -1;
    if (!inventory_.HasRoom()) {
        ShowMessage(this, 4);
        return -1;
    }
    long double start = 0, end = 0;
    DefaultRangeOf(kind, View().xmin, View().xmax, start, end);
    const int index = inventory_.Begin(kind, start, end);
    TEditExmpDlg dialog(this, inventory_.At(index), engine_, Format(), &equationDialogPlace_);
    if (dialog.Execute() != 1) {
        inventory_.Abandon(index);
        return -1;
    }
    inventory_.Commit(index, engine_);
    inventory_.Select(index);
    ExamplesChanged();
    if (inventory_.Count() == 1) ShowInventory();
    return index;
}

bool TPlot2Win::EditExample(int index) {
    if (!Authorised(Lock().protectInventory)) return false;
    if (index < 0 || index > inventory_.LastIndex() || !HasEquationForm(inventory_.At(index).kind)) return false;
    TEditExmpDlg dialog(this, inventory_.At(index), engine_, Format(), &equationDialogPlace_);
    if (dialog.Execute() != 1) return false;
    inventory_.Compile(index, engine_);
    ExamplesChanged();
    return true;
}

void TPlot2Win::RemoveExample(int index) {
    if (index < 0 || index > inventory_.LastIndex() || !Authorised(Lock().protectInventory)) return;
    inventory_.Remove(index);
    ExamplesChanged();
}

int TPlot2Win::DuplicateExample(int index) {
    if (!Authorised(Lock().protectInventory)) return -1;
    if (!inventory_.HasRoom()) {
        ShowMessage(this, 4);
        return -1;
    }
    const int copy = inventory_.Duplicate(index, engine_);
    if (copy >= 0) {
        inventory_.Select(copy);
        ExamplesChanged();
    }
    return copy;
}

void TPlot2Win::ToggleVisible(int index) {
    if (index < 0 || index > inventory_.LastIndex() || !Authorised(Lock().protectInventory)) return;
    TExample& e = inventory_.At(index);
    e.visible = e.visible ? 0 : 1;
    ExamplesChanged();
}

int TPlot2Win::DeriveExample(int index) {
    if (index < 0 || index > inventory_.LastIndex() || !HasEquationForm(inventory_.At(index).kind) ||
        !Authorised(Lock().protectInventory))
        return -1;
    if (!inventory_.HasRoom()) {
        ShowMessage(this, 4);
        return -1;
    }
    const InventorySlot& source = inventory_.Slot(index);
    const TExample& e = source.example;
    // Which texts the derivative replaces, and with respect to which letter.
    std::vector<int> texts = TextsUsedBy(e.kind);
    const std::uint16_t variable = e.kind == kKindExplicit ? nk::X : nk::T;
    std::array<std::string, TExample::kTexts> derived;
    for (int t : texts) {
        ExprNode* d = Differentiate(engine_, source.trees[static_cast<std::size_t>(t)], variable);
        const bool written = TreeToText(d, derived[static_cast<std::size_t>(t)]) &&
                             derived[static_cast<std::size_t>(t)].size() <= TExample::kTextCapacity;
        FreeTree(d);
        if (!written) {
            ShowMessage(this, 9);  // "nem tudom folytatni": the derivative has no short written form
            return -1;
        }
    }
    const int copy = inventory_.Duplicate(index, engine_);
    if (copy < 0) return -1;
    InventorySlot& slot = inventory_.Slot(copy);
    for (int t : texts) slot.example.texts[static_cast<std::size_t>(t)] = derived[static_cast<std::size_t>(t)];
    slot.example.periodic = 0;
    slot.example.penColour = DefaultCurveColour(inventory_.CreationCounter(), inventory_.BlackGraphs());
    inventory_.SetCreationCounter(inventory_.CreationCounter() + 1);
    // The list shows the derivative by the formula it came from, as "(xsin(x))'".
    const std::string base = source.name.empty() ? "(" + e.texts[static_cast<std::size_t>(texts.front())] + ")" : source.name;
    slot.name = base.size() + 1 <= kExampleNameLength ? base + "'" : base.substr(0, kExampleNameLength - 2) + "~'";
    inventory_.Compile(copy, engine_);
    inventory_.Select(copy);
    ExamplesChanged();
    return copy;
}

void TPlot2Win::AskInventorySize() {
    std::string text = std::to_string(inventory_.Capacity());
    TInpDlg ask(this, std::string(res::String(165)) + DocumentTitle(), std::string(res::String(287)), &text, 10);
    if (ask.Execute() != 1) return;
    std::int32_t n = 0;
    if (std::uint16_t code = EvaluateInteger(engine_, text, 1, kMaxInventoryCapacity, n)) {
        ShowMessage(this, code);
        return;
    }
    // Fewer places than examples would lose some: refused.
    if (!inventory_.Resize(n)) ShowMessage(this, 17);
}

bool TPlot2Win::EditFamily(int index) {
    if (index < 0 || index > inventory_.LastIndex() || !HasEquationForm(inventory_.At(index).kind) ||
        !Authorised(Lock().protectInventory))
        return false;
    TFamilyDlg dialog(this, inventory_.At(index), engine_, Format());
    if (dialog.Execute() != 1) return false;
    ExamplesChanged();
    return true;
}

void TPlot2Win::NameExample(int index, const std::string& name) {
    if (index < 0 || index > inventory_.LastIndex() || !Authorised(Lock().protectInventory)) return;
    inventory_.Slot(index).name = name.substr(0, kExampleNameLength);
    SetModified(true);
    if (inventoryDialog_) inventoryDialog_->Refresh();
}

bool TPlot2Win::NewDrawing() {
    if (!CanClose()) return false;
    Lock() = DocumentLock();
    unlocked_ = false;
    inventory_.Clear();
    inventory_.SetCreationCounter(0);
    engine_.letters.ResetValues();
    engine_.userFunctions.Clear();
    Frame() = FrameSettings();
    ShowDefaultFrame();
    if (int* slot = ColourSlot(kColourKindBackground)) *slot = kColourWhite;
    if (Notepad()) Notepad()->SetText(std::string());
    document_ = Cv2Document();
    View().ResetView();
    SetUntitled(untitledName_);
    if (inventoryDialog_) inventoryDialog_->Refresh();
    RepaintAll();
    return true;
}

void TPlot2Win::ShowInventory() {
    if (!inventoryDialog_) {
        inventoryDialog_ = new TFnListDlg(this);
        if (!inventoryDialog_->Create()) return;
    } else {
        inventoryDialog_->Refresh();
    }
    inventoryDialog_->Show();
}

void TPlot2Win::InventoryDialogGone(TFnListDlg* dialog) {
    if (inventoryDialog_ == dialog) inventoryDialog_ = nullptr;
}

std::string TPlot2Win::DocumentTitle() const {
    const std::string& name = FileName();
    const std::size_t slash = name.find_last_of('/');
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

void TPlot2Win::ExamplesChanged() {
    SetModified(true);
    if (inventoryDialog_) inventoryDialog_->Refresh();
    RepaintAll();
}

void TPlot2Win::ViewApplied() {
    TGridWin::ViewApplied();
    for (int i = 0; i < inventory_.Count(); ++i) FollowViewRange(inventory_.At(i), View());
}

void TPlot2Win::PaintPicture(DrawSurface& surface, fw::DC& dc, bool withBackground) {
    TGridWin::PaintPicture(surface, dc, withBackground);
    // A drawing stopped with Q leaves the status text in the title bar.
    if (!DrawExamples(surface)) UpdateTitle(this, false);
}

bool TPlot2Win::DrawExamples(DrawSurface& surface) {
    CurveSampler sampler(engine_.letters, surface);
    sampler.silent = Printing() || DrawingInPaint();
    sampler.hooks.pollKey = [this] { return PollKey(this); };
    // A watched family pauses between its passes.
    sampler.hooks.showPassAndWait = [](int delayMs) {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::clamp(delayMs, 0, 10000)));
    };
    for (int i = 0; i < inventory_.Count(); ++i) {
        InventorySlot& slot = inventory_.Slot(i);
        CurveTrees trees;
        for (int t = 0; t < TExample::kTexts; ++t) trees.tree[t] = slot.trees[static_cast<std::size_t>(t)];
        if (sampler.Draw(slot.example, trees) == kKeyStopDrawing) return false;
    }
    return true;
}

void TPlot2Win::EvMouseMove(unsigned modifiers, fw::Point p) {
    TGridWin::EvMouseMove(modifiers, p);
    const WorldPoint w = View().PixelToWorld(p.x, p.y);
    const std::string suffix = "   [x = " + Format().FormatForField(w.x) + "; y = " + Format().FormatForField(w.y) + "]";
    UpdateTitle(this, false, suffix);
}

void TPlot2Win::EvPictureClick(fw::Point p) {
    const int picked = PickExample(inventory_, engine_.letters, View(), p.x, p.y);
    if (picked < 0) return;
    inventory_.Select(picked);
    if (inventoryDialog_) inventoryDialog_->Refresh();
}

bool TPlot2Win::EvCommand(int id) {
    switch (id) {
    case eqcmd::kExplicit: AddExample(kKindExplicit); return true;
    case eqcmd::kPolar: AddExample(kKindPolar); return true;
    case eqcmd::kParametric: AddExample(kKindParametric); return true;
    case eqcmd::kBlackGraphs: inventory_.SetBlackGraphs(!inventory_.BlackGraphs()); return true;
    case eqcmd::kInventory: ShowInventory(); return true;
    case eqcmd::kNewDrawing: NewDrawing(); return true;
    case eqcmd::kResizeInventory: AskInventorySize(); return true;
    case eqcmd::kLock:
        if (EditDocumentLock(this, Lock())) {
            unlocked_ = true;  // who set the password knows it
            SetModified(true);
        }
        return true;
    case eqcmd::kAuthor: {
        const DocumentLock& lock = Lock();
        if (lock.Protected() && !lock.showAuthor && !unlocked_) {
            ShowMessage(this, kMsgNotAuthorised);
            return true;
        }
        const std::string text = "szerző: " + lock.author + "\ndátum: " + lock.date + "\ne-mail: " + lock.email +
                                 "\nhomepage: " + lock.homepage;
        fw::MessageBox(this, text, "Szerző", fw::kMbOk);
        return true;
    }
    case eqcmd::kUserFunctions: {
        if (!Authorised(Lock().protectInventory)) return true;
        TFuncDlg dialog(this, engine_, [this] {
            inventory_.CompileAll(engine_);
            ExamplesChanged();
        });
        dialog.Execute();
        return true;
    }
    default: return TGridWin::EvCommand(id);
    }
}

bool TPlot2Win::EvCommandEnable(int id, fw::TCommandEnabler& ce) {
    switch (id) {
    case eqcmd::kBlackGraphs: ce.SetCheck(inventory_.BlackGraphs()); return true;
    default: return TGridWin::EvCommandEnable(id, ce);
    }
}

}  // namespace curvelo
