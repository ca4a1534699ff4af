#include "plot2d/slide_dlg.h"

#include <algorithm>
#include <string>
#include <vector>

#include "expr/eval.h"
#include "framework/common_dialogs.h"
#include "framework/kit_services.h"
#include "plot2d/func_win.h"
#include "plotwin/value_parser.h"
#include "resources/resources.h"

namespace curvelo {
namespace {

const char* TemplateOf(int which) {
    if (which == kLetterAt) return "TPARAM";
    return which == kAllLettersDialog ? "PARAMS" : "SPARAM";
}

std::string LetterName(int k) { return k == kLetterAt ? std::string("@") : std::string(1, static_cast<char>('A' + k - 1)); }

// The window's scroll scale through its scroll bars' view: small steps and pages.
enum CalibId { kSmallSteps = 211, kPages = 212 };

constexpr int kFirstLinkCheck = 900;

}  // namespace

void TParamBar::Setup(const ParamSettings& settings) {
    quiet_ = true;
    dialog_.SetScrollRange(id_, 0, settings.SmallSteps);
    dialog_.SetScrollPage(id_, settings.PageSteps);
    quiet_ = false;
}

void TParamBar::Show(const LetterStore& store, int k, const ParamSettings& settings) {
    quiet_ = true;
    dialog_.SetScrollPos(id_, ScrollPosition(store, k, settings.SmallSteps));
    quiet_ = false;
}

int TParamBar::Position() const { return dialog_.GetScrollPos(id_); }

TSlideDlg::TSlideDlg(TFuncWin* window, int which)
    : TDlg(window, TemplateOf(which)), window_(window), which_(which),
      letter_(which == kAllLettersDialog ? 1 : which), bar_(*this, paramid::kBar) {}

TSlideDlg::~TSlideDlg() {
    if (window_) window_->ParamDialogGone(this);
}

void TSlideDlg::SetupWindow() {
    TDlg::SetupWindow();
    if (which_ == kAllLettersDialog) {
        for (int k = 1; k <= kLastParamLetter; ++k) AddString(paramid::kChooser, LetterName(k));
    }
    ResetBar();
}

void TSlideDlg::ResetBar() {
    bar_.Setup(window_->Params());
    Refresh();
}

void TSlideDlg::Refresh() {
    SetCaption("aktuális " + LetterName(letter_) + "-érték");
    if (which_ == kAllLettersDialog && GetSelIndex(paramid::kChooser) != letter_ - 1) {
        SetSelIndex(paramid::kChooser, letter_ - 1);
    }
    const LetterStore& store = window_->Engine().letters;
    SetItemText(paramid::kValue, window_->Format().FormatForField(GetLetter(store, letter_)));
    if (letter_ != kLetterAt) bar_.Show(store, letter_, window_->Params());
    const bool open = !window_->ParamsFixed();
    for (int id : {paramid::kValue, paramid::kBar, paramid::kLowerBound, paramid::kUpperBound, paramid::kPlay,
                   paramid::kRepeat, paramid::kSaveFrames})
        EnableItem(id, open);
}

bool TSlideDlg::ReadValue(long double& v) {
    if (EvaluateText(window_->Engine(), GetItemText(paramid::kValue), v) == 0) return true;
    ShowMessage(this, kMsgNotUnderstood);
    return false;
}

void TSlideDlg::ScrollMoved() {
    if (bar_.Quiet() || letter_ == kLetterAt || window_->ParamsFixed()) return;
    LetterStore& store = window_->Engine().letters;
    const long double v = ValueAtPosition(store, letter_, bar_.Position(), window_->Params().SmallSteps);
    SetLetter(store, letter_, v);
    SetItemText(paramid::kValue, window_->Format().FormatForField(v));
    window_->ParameterChanged(letter_);
}

void TSlideDlg::ValueTyped() {
    long double v = 0;
    if (window_->ParamsFixed() || !ReadValue(v)) return;
    StoreTypedValue(window_->Engine().letters, letter_, v);
    Refresh();
    window_->ParameterChanged(letter_);
}

void TSlideDlg::MoveBound(bool upper) {
    long double v = 0;
    if (window_->ParamsFixed() || !ReadValue(v)) return;
    LetterStore& store = window_->Engine().letters;
    if (!(upper ? SetUpperBoundTo(store, letter_, v) : SetLowerBoundTo(store, letter_, v))) return;
    Refresh();
    window_->ParameterChanged(letter_);
}

int TSlideDlg::ReadFrameCount() {
    std::int32_t n = 0;
    if (std::uint16_t code =
            EvaluateInteger(window_->Engine(), GetItemText(paramid::kFrames), kMinFrames, kMaxFrames, n)) {
        ShowMessage(this, code);
        return 0;
    }
    return n;
}

void TSlideDlg::StartAnimation(bool repeat) {
    const AnimMode mode = repeat ? AnimMode::Wrap : AnimMode::Bounce;
    int frames = 0;
    if (letter_ != kLetterAt && IsItemChecked(paramid::kFramesOn)) {
        frames = ReadFrameCount();
        if (frames == 0) return;
    }
    window_->Animate(this, letter_, mode, repeat && letter_ == kLetterAt, frames);
}

void TSlideDlg::SaveFrames() {
    if (letter_ == kLetterAt || window_->ParamsFixed() || window_->Animating()) return;
    const int frames = ReadFrameCount();
    if (frames == 0) return;
    fw::FileDialogOptions options;
    options.filter = "GIF Files (*.GIF)|*.gif|PNG Files (*.PNG)|*.png|";
    options.defaultExt = "gif";
    options.fileName = std::string(res::String(29)) + ".gif";
    if (!fw::SaveFileDialog(this, options)) return;
    const fw::Size client = window_->GetClientSize();
    const int result = window_->SaveFrameAnimation(letter_, frames, options.fileName, client.cx, client.cy);
    if (result > 0) ShowMessage(this, result);
    if (result == 0) fw::MessageBox(this, std::string(res::String(87)), std::string(res::String(88)), fw::kMbOk);
}

bool TSlideDlg::EvCommand(int id) {
    if (!window_) return TDlg::EvCommand(id);
    switch (id) {
    case paramid::kLowerBound: MoveBound(false); return true;
    case paramid::kUpperBound: MoveBound(true); return true;
    case paramid::kPlay: StartAnimation(false); return true;
    case paramid::kRepeat: StartAnimation(true); return true;
    case paramid::kSaveFrames: SaveFrames(); return true;
    case fw::kIdOk: return true;  // no ok button: Enter in the value field is taken as typed
    case fw::kIdCancel: Show(false); return true;  // the dialog lives as long as its window
    default: return TDlg::EvCommand(id);
    }
}

void TSlideDlg::EvNotify(int controlId, fw::Notify code) {
    if (!window_) return;
    if (controlId == paramid::kBar && code == fw::Notify::ScrollChange) ScrollMoved();
    if (controlId == paramid::kValue && code == fw::Notify::EditEnter) ValueTyped();
    if (controlId == paramid::kChooser && code == fw::Notify::SelChange && which_ == kAllLettersDialog) {
        const int i = GetSelIndex(paramid::kChooser);
        if (i >= 0 && i + 1 != letter_) {
            letter_ = i + 1;
            Refresh();
        }
    }
}

namespace {

class TCalibDlg : public TDlg {
public:
    TCalibDlg(fw::TWindow* parent, TFuncWin& window) : TDlg(parent, "CALIB"), window_(window) {}

protected:
    void SetupWindow() override {
        TDlg::SetupWindow();
        const ParamSettings& p = window_.Params();
        SetItemText(kSmallSteps, std::to_string(p.SmallSteps));
        SetItemText(kPages, std::to_string(p.SmallSteps / std::max<std::int32_t>(1, p.PageSteps)));
    }
    bool CanClose() override {
        long double small = 0, pages = 0;
        if (EvaluateText(window_.Engine(), GetItemText(kSmallSteps), small) != 0 ||
            EvaluateText(window_.Engine(), GetItemText(kPages), pages) != 0) {
            ShowMessage(this, kMsgNotUnderstood);
            return false;
        }
        changed_ = window_.Params();
        if (std::uint16_t code = ApplyScrollScale(small, pages, changed_)) {
            ShowMessage(this, code);
            return false;
        }
        return true;
    }
    void TransferOut() override { window_.SetScrollScale(changed_.SmallSteps, changed_.PageSteps); }

private:
    TFuncWin& window_;
    ParamSettings changed_;
};

class TLinkDlg : public TDlg {
public:
    TLinkDlg(fw::TWindow* parent, TFuncWin& window) : TDlg(parent, "LINKPAR"), window_(window) {}

protected:
    void SetupWindow() override {
        TDlg::SetupWindow();
        const auto& linked = window_.Params().LinkedLetters;
        for (int k = 0; k < kParamLetterCount; ++k) CheckItem(kFirstLinkCheck + k, linked[static_cast<std::size_t>(k)]);
    }
    void TransferOut() override {
        auto& linked = window_.Params().LinkedLetters;
        bool changed = false;
        for (int k = 0; k < kParamLetterCount; ++k) {
            const bool on = IsItemChecked(kFirstLinkCheck + k);
            changed = changed || linked[static_cast<std::size_t>(k)] != on;
            linked[static_cast<std::size_t>(k)] = on;
        }
        if (changed) window_.SetModified(true);
    }

private:
    TFuncWin& window_;
};

// The list's first row is "no link"; the others are the other open windows by title.
class TLinkWinDlg : public TDlg {
public:
    TLinkWinDlg(fw::TWindow* parent, TFuncWin& window) : TDlg(parent, "LINKWIN"), window_(window) {
        for (TFuncWin* w : TFuncWin::OpenWindows())
            if (w != &window && w->IsCreated()) others_.push_back(w);
    }

protected:
    void SetupWindow() override {
        TDlg::SetupWindow();
        AddString(kWindowList, "-");
        int selected = 0;
        for (std::size_t i = 0; i < others_.size(); ++i) {
            AddString(kWindowList, others_[i]->GetCaption());
            if (others_[i] == window_.LinkedWindow()) selected = static_cast<int>(i) + 1;
        }
        SetSelIndex(kWindowList, selected);
    }
    void TransferOut() override {
        const int i = GetSelIndex(kWindowList);
        window_.SetLinkedWindow(i >= 1 && i <= static_cast<int>(others_.size()) ? others_[static_cast<std::size_t>(i - 1)]
                                                                                 : nullptr);
    }

private:
    static constexpr int kWindowList = 293;
    TFuncWin& window_;
    std::vector<TFuncWin*> others_;
};

}  // namespace

void AskLinkedWindow(fw::TWindow* parent, TFuncWin& window) { TLinkWinDlg(parent, window).Execute(); }

void AskScrollScale(fw::TWindow* parent, TFuncWin& window) { TCalibDlg(parent, window).Execute(); }

void AskLinkedLetters(fw::TWindow* parent, TFuncWin& window) { TLinkDlg(parent, window).Execute(); }

}  // namespace curvelo
