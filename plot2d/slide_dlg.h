// The modeless parameter dialogs: one for A..W with a letter chooser ("PARAMS"), one per
// single letter ("SPARAM") and one for "@" ("TPARAM"). Each shows the letter's value, moves
// it with a scroll bar between its bounds, takes typed values and starts the animations.
#pragma once

#include "expr/letter_params.h"
#include "framework/kit_dlg.h"

namespace curvelo {

class TFuncWin;

namespace paramid {
inline constexpr int kValue = 211, kFrames = 212, kFramesOn = 271, kBar = 295, kChooser = 296,
                     kLowerBound = 804, kUpperBound = 805, kPlay = 738, kRepeat = 740, kSaveFrames = 741;
}

// Index of the A..W dialog among a window's parameter dialogs.
inline constexpr int kAllLettersDialog = 24;

// The scroll bar of a parameter dialog: positions 0..SmallSteps between the letter's bounds.
class TParamBar {
public:
    TParamBar(fw::TDialog& dialog, int id) : dialog_(dialog), id_(id) {}
    void Setup(const ParamSettings& settings);
    // Moves the thumb to the letter's value without reporting a change.
    void Show(const LetterStore& store, int k, const ParamSettings& settings);
    int Position() const;
    // True while the bar is moved by the program rather than the user.
    bool Quiet() const { return quiet_; }

private:
    fw::TDialog& dialog_;
    int id_;
    bool quiet_ = false;
};

class TSlideDlg : public TDlg {
public:
    // which: 0 for "@", 1..23 for one letter, kAllLettersDialog for A..W.
    TSlideDlg(TFuncWin* window, int which);
    ~TSlideDlg() override;

    // The window is going: no more calls to it.
    void Detach() { window_ = nullptr; }
    int Which() const { return which_; }
    int Letter() const { return letter_; }
    // Shows the current value, caption and scroll position again.
    void Refresh();
    // The scroll scale changed.
    void ResetBar();

    bool EvCommand(int id) override;
    void EvNotify(int controlId, fw::Notify code) override;

protected:
    void SetupWindow() override;

private:
    void ScrollMoved();
    void ValueTyped();
    void MoveBound(bool upper);
    void StartAnimation(bool repeat);
    // The frame animation into an animated GIF or numbered PNG files.
    void SaveFrames();
    // The frame count of field 212, or 0 after its message.
    int ReadFrameCount();
    bool ReadValue(long double& v);

    TFuncWin* window_;
    int which_;
    int letter_;
    TParamBar bar_;
};

// "a görgetősávok léptéke": the window's small steps and number of pages.
void AskScrollScale(fw::TWindow* parent, TFuncWin& window);
// "párhuzamos animáció": which letters move together.
void AskLinkedLetters(fw::TWindow* parent, TFuncWin& window);
// "kapcsolt ablak": the other window whose letters follow this window's changes.
void AskLinkedWindow(fw::TWindow* parent, TFuncWin& window);

}  // namespace curvelo
