#include "plot2d/func_win.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "expr/eval.h"
#include "expr/letter_params.h"
#include "expr/node_kinds.h"
#include "framework/animated_gif.h"
#include "framework/dc.h"
#include "framework/kit_pwd_dlg.h"
#include "framework/kit_services.h"
#include "plot2d/slide_dlg.h"
#include "plotwin/dc_surface.h"
#include "plotwin/func_dlg.h"
#include "resources/resources.h"

namespace curvelo {
namespace {

// The windows with an engine, for linking one window's letters to another's.
std::vector<TFuncWin*>& Registry() {
    static std::vector<TFuncWin*> windows;
    return windows;
}

// Frames of a frame animation may take this much memory together; fewer frames are made
// when the window is large.
constexpr std::int64_t kFrameMemoryBudget = std::int64_t{1} << 30;

// A parameter change passed on to a linked window passes on no further than one step of
// a chain of links, so two windows linked to each other do not echo forever.
bool propagating = false;

using LetterValueArray = std::array<ExtComplex, kLetterCount>;
LetterValueArray KeepValues(const LetterStore& s) {
    LetterValueArray a;
    std::copy(std::begin(s.LetterValues), std::end(s.LetterValues), a.begin());
    return a;
}
void PutValues(LetterStore& s, const LetterValueArray& a) { std::copy(a.begin(), a.end(), std::begin(s.LetterValues)); }

// Whether the example's picture changes with the value of letter k. A family sets its own
// letter for each of its curves, so its picture does not depend on that letter's value.
bool UsesLetter(const InventorySlot& slot, int k) {
    if (slot.example.familyActive && slot.example.familyParam == k) return false;
    for (const ExprNode* tree : slot.trees)
        if (tree && ContainsKind(tree, nk::LetterKind(k))) return true;
    return false;
}

}  // namespace

TFuncWin::TFuncWin(fw::TWindow* parent, const std::string& caption) : TLumWinm(parent, caption) {
    Registry().push_back(this);
}

TFuncWin::~TFuncWin() {
    auto& r = Registry();
    r.erase(std::remove(r.begin(), r.end(), this), r.end());
    for (TFuncWin* w : r)
        if (w->linkedWindow_ == this) w->linkedWindow_ = nullptr;
    // The dialogs go with the window, after this layer is gone: they must not call back.
    for (TSlideDlg* d : paramDialogs_)
        if (d) d->Detach();
}

std::vector<TFuncWin*> TFuncWin::OpenWindows() { return Registry(); }

bool TFuncWin::Authorised(bool protectedByLock) {
    if (!protectedByLock || !Lock().Protected() || unlocked_) return true;
    unlocked_ = AskDocumentPassword(this, Lock());
    return unlocked_;
}

FieldEvaluator TFuncWin::Evaluator() const {
    return [this](std::string_view text, long double* value) {
        long double v = 0;
        if (EvaluateText(engine_, text, v) != 0) return false;
        if (value) *value = v;
        return true;
    };
}

void TFuncWin::ExamplesChanged() {
    SetModified(true);
    RefreshInventoryView();
    RepaintAll();
}

void TFuncWin::EditUserFunctions() {
    if (!Authorised(Lock().protectInventory)) return;
    TFuncDlg dialog(this, engine_, [this] {
        inventory_.CompileAll(engine_);
        ExamplesChanged();
    });
    dialog.Execute();
}

TSlideDlg* TFuncWin::ParamDialog(int which) const {
    return which >= 0 && which < kLetterCount ? paramDialogs_[static_cast<std::size_t>(which)] : nullptr;
}

TSlideDlg* TFuncWin::OpenParamDialog(int which) {
    if (which < 0 || which > kAllLettersDialog) return nullptr;
    TSlideDlg*& d = paramDialogs_[static_cast<std::size_t>(which)];
    if (!d) {
        d = new TSlideDlg(this, which);
        if (!d->Create()) return d = nullptr;
    }
    // The A..W dialog and the single-letter dialogs take turns.
    if (which == kAllLettersDialog) {
        for (int k = 1; k <= kLastParamLetter; ++k)
            if (TSlideDlg* single = ParamDialog(k)) single->Show(false);
    } else if (which != kLetterAt) {
        if (TSlideDlg* all = ParamDialog(kAllLettersDialog)) all->Show(false);
    }
    d->Refresh();
    d->Show();
    return d;
}

void TFuncWin::ParamDialogGone(TSlideDlg* dialog) {
    for (TSlideDlg*& d : paramDialogs_)
        if (d == dialog) d = nullptr;
}

void TFuncWin::SaveIntoLetter(int k, long double value) {
    if (k < 1 || k > kLastParamLetter || ParamsFixed()) return;
    StoreTypedValue(Engine().letters, k, value);
    RefreshParamDialogs();
    ParameterChanged(k);
}

void TFuncWin::RefreshParamDialogs() {
    for (TSlideDlg* d : paramDialogs_)
        if (d) d->ResetBar();
}

void TFuncWin::SetScrollScale(std::int32_t smallSteps, std::int32_t pageSteps) {
    params_.SmallSteps = smallSteps;
    params_.PageSteps = pageSteps;
    RefreshParamDialogs();
    SetModified(true);
}

bool TFuncWin::DependsOnLetter(int k) const {
    for (int i = 0; i < inventory_.Count(); ++i)
        if (UsesLetter(inventory_.Slot(i), k)) return true;
    return false;
}

void TFuncWin::ParameterChanged(int k) {
    SetModified(true);
    if (DependsOnLetter(k)) RepaintAll();
    PassToLinkedWindow(k);
}

void TFuncWin::PassToLinkedWindow(int k) {
    TFuncWin* other = LinkedWindow();
    if (!other || propagating || k < 0 || k >= kLetterCount) return;
    LetterStore& mine = engine_.letters;
    LetterStore& theirs = other->engine_.letters;
    theirs.LetterValues[k] = mine.LetterValues[k];
    theirs.LetterLow[k] = mine.LetterLow[k];
    theirs.LetterHigh[k] = mine.LetterHigh[k];
    propagating = true;
    other->ParameterChanged(k);
    if (TSlideDlg* d = other->ParamDialog(k)) d->Refresh();
    propagating = false;
}

TFuncWin* TFuncWin::LinkedWindow() const {
    const auto& r = Registry();
    return std::find(r.begin(), r.end(), linkedWindow_) != r.end() ? linkedWindow_ : nullptr;
}

void TFuncWin::SetLinkedWindow(TFuncWin* other) { linkedWindow_ = other == this ? nullptr : other; }

void TFuncWin::Animate(TSlideDlg* asking, int k, AnimMode mode, bool timerMode, int frames) {
    if (animating_ || paramsFixed_ || k < 0 || k > kLastParamLetter) return;
    animating_ = true;
    movingLetters_ = AnimatedLetters(params_, k);
    stillValid_ = false;
    const bool wasShown = asking && asking->IsVisible();
    if (asking) asking->Show(false);
    if (frames > 0) {
        RunFrameAnimation(*this, engine_.letters, params_, k, mode, frames);
    } else {
        RunLiveAnimation(*this, engine_.letters, params_, k, mode, timerMode);
        SetModified(true);
        for (int m : movingLetters_) PassToLinkedWindow(m);
    }
    animating_ = false;
    shownPicture_ = nullptr;
    still_ = fw::Bitmap();
    liveFrame_ = fw::Bitmap();
    RepaintAll();
    UpdateTitle(this, false);
    for (TSlideDlg* d : paramDialogs_)
        if (d) d->Refresh();
    if (wasShown) asking->Show();
}

std::string TFuncWin::FramePngName(const std::string& path, int frame) {
    const std::size_t dot = path.find_last_of('.');
    const std::size_t slash = path.find_last_of('/');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::string stem = hasExtension ? path.substr(0, dot) : path;
    char number[16];
    std::snprintf(number, sizeof number, "_%03d", frame + 1);
    return stem + number + ".png";
}

int TFuncWin::SaveFrameAnimation(int k, int frames, const std::string& path, int w, int h, std::string* why) {
    if (k < 1 || k > kLastParamLetter || w < 1 || h < 1) return kMsgCannotSave;
    const bool png = path.size() >= 4 && (path.compare(path.size() - 4, 4, ".png") == 0 ||
                                          path.compare(path.size() - 4, 4, ".PNG") == 0);
    frames = std::clamp(frames, kMinFrames, kMaxFrames);
    const std::int64_t perFrame = std::int64_t{w} * h * 4;
    if (!png) frames = static_cast<int>(std::min<std::int64_t>(frames, std::max<std::int64_t>(kMinFrames, kFrameMemoryBudget / perFrame)));
    std::vector<fw::Bitmap> pictures(png ? 1 : static_cast<std::size_t>(frames));
    bool failed = false, stopped = false;
    const int drawn = CaptureFrames(engine_.letters, k, frames, [&](int j) {
        ShowCaptureProgress(j + 1, frames);
        fw::Bitmap& b = pictures[png ? 0 : static_cast<std::size_t>(j)];
        if (!b.Create(w, h)) {
            failed = true;
            return false;
        }
        {
            fw::DC dc(b);
            RenderTo(dc, w, h, 0, 0, false, true);
        }
        if (png && !b.SavePng(FramePngName(path, j), why)) {
            failed = true;
            return false;
        }
        stopped = interrupt_.Poll() == 'Q' || EvalCancelled(engine_.letters);
        return !stopped;
    });
    RepaintAll();
    UpdateTitle(this, false);
    if (failed) return kMsgCannotSave;
    if (stopped && drawn < frames) return -1;
    if (png) return 0;
    std::vector<const fw::Bitmap*> list;
    for (const fw::Bitmap& b : pictures) list.push_back(&b);
    return fw::SaveAnimatedGif(path, list, params_.FrameDelay, why) ? 0 : kMsgCannotSave;
}

bool TFuncWin::DrawsExample(int i) const {
    if (pass_ == Pass::Whole || i < 0 || i >= inventory_.Count()) return true;
    const InventorySlot& slot = inventory_.Slot(i);
    const bool moves = std::any_of(movingLetters_.begin(), movingLetters_.end(),
                                   [&slot](int k) { return UsesLetter(slot, k); });
    return moves == (pass_ == Pass::Moving);
}

void TFuncWin::Paint(fw::DC& dc, bool erase, const fw::Rect& rect) {
    if (shownPicture_) {
        dc.BitBlt(0, 0, shownPicture_->Width(), shownPicture_->Height(), *shownPicture_, 0, 0);
        return;
    }
    TLumWinm::Paint(dc, erase, rect);
}

int TFuncWin::NextKey() { return PollKey(this); }

void TFuncWin::DrawAnimationFrame() {
    // Drawing sets letters of its own (a family leaves its letter at its last curve); the
    // animation goes on from the values it set.
    const LetterValueArray kept = KeepValues(engine_.letters);
    DrawLiveFrame();
    PutValues(engine_.letters, kept);
}

void TFuncWin::DrawLiveFrame() {
    const fw::Size client = GetClientSize();
    const int w = std::max(1, client.cx), h = std::max(1, client.cy);
    // The still part is drawn once (again after a resize): the frame, the labels and every
    // example that does not use a moving letter.
    if (!stillValid_ || still_.Width() != w || still_.Height() != h) {
        if (!still_.Create(w, h)) return;
        pass_ = Pass::Still;
        fw::DC dc(still_);
        PaintLayer(CurrentLayer(), dc);
        pass_ = Pass::Whole;
        stillValid_ = true;
    }
    // Each frame: the still part, the moving examples over it, then one copy to the screen.
    liveFrame_ = still_;
    {
        fw::DC dc(liveFrame_);
        DcSurface surface(dc, View(), [this](int kind) { return Font(kind); });
        pass_ = Pass::Moving;
        PaintMovingExamples(surface);
        pass_ = Pass::Whole;
    }
    shownPicture_ = &liveFrame_;
    Invalidate(false);
    UpdateWindow();
}

void TFuncWin::ShowStatusKind(int kind) { ShowStatus(this, kind); }

void TFuncWin::ShowCaptureProgress(int frame, int frames) {
    SetCaption(std::to_string(frame) + " " + std::string(res::String(124)) + " " + std::to_string(frames));
}

std::int64_t TFuncWin::ClockMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void TFuncWin::WaitMs(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(std::min(ms, kMaxFrameDelay)));
}

int TFuncWin::AllocateFrames(int n) {
    const fw::Size client = GetClientSize();
    const int w = std::max(1, client.cx), h = std::max(1, client.cy);
    const std::int64_t perFrame = std::int64_t{w} * h * 4;
    n = static_cast<int>(std::min<std::int64_t>(n, std::max<std::int64_t>(1, kFrameMemoryBudget / perFrame)));
    frames_.clear();
    frames_.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        fw::Bitmap b;
        if (!b.Create(w, h)) break;
        frames_.push_back(std::move(b));
    }
    return static_cast<int>(frames_.size());
}

void TFuncWin::RenderFrame(int index) {
    if (index < 0 || index >= static_cast<int>(frames_.size())) return;
    const LetterValueArray kept = KeepValues(engine_.letters);
    {
        fw::DC dc(frames_[static_cast<std::size_t>(index)]);
        PaintLayer(CurrentLayer(), dc);
    }
    PutValues(engine_.letters, kept);
}

void TFuncWin::ShowFrame(int index) {
    if (index < 0 || index >= static_cast<int>(frames_.size())) return;
    shownPicture_ = &frames_[static_cast<std::size_t>(index)];
    Invalidate(false);
    UpdateWindow();
}

void TFuncWin::FreeFrames() {
    shownPicture_ = nullptr;
    frames_.clear();
    frames_.shrink_to_fit();
}

bool TFuncWin::EvCommand(int id) {
    if (id >= paramcmd::kFirstLetter && id <= paramcmd::kLastLetter) {
        OpenParamDialog(id - paramcmd::kFirstLetter + 1);
        return true;
    }
    switch (id) {
    case paramcmd::kAt: OpenParamDialog(kLetterAt); return true;
    case paramcmd::kAllLetters: OpenParamDialog(kAllLettersDialog); return true;
    case paramcmd::kScrollScale: AskScrollScale(this, *this); return true;
    case paramcmd::kLinkedLetters: AskLinkedLetters(this, *this); return true;
    case paramcmd::kFixParams:
        paramsFixed_ = !paramsFixed_;
        for (TSlideDlg* d : paramDialogs_)
            if (d) d->Refresh();
        return true;
    case paramcmd::kLinkedWindow: AskLinkedWindow(this, *this); return true;
    case funccmd::kUserFunctions: EditUserFunctions(); return true;
    case funccmd::kBlackGraphs:
        inventory_.SetBlackGraphs(!inventory_.BlackGraphs());
        SetModified(true);  // new curves take black
        return true;
    default: return TLumWinm::EvCommand(id);
    }
}

bool TFuncWin::EvCommandEnable(int id, fw::TCommandEnabler& ce) {
    switch (id) {
    case funccmd::kBlackGraphs: ce.SetCheck(inventory_.BlackGraphs()); return true;
    case paramcmd::kFixParams: ce.SetCheck(paramsFixed_); return true;
    case paramcmd::kLinkedWindow: ce.SetCheck(LinkedWindow() != nullptr); return true;
    default: return TLumWinm::EvCommandEnable(id, ce);
    }
}

}  // namespace curvelo
