// The plot-window layer that owns the formula engine (letters, user functions) and the
// inventory of examples, and guards their changes with the document lock.
#pragma once

#include <array>
#include <vector>

#include "expr/engine.h"
#include "expr/eval_cancel.h"
#include "expr/letter_params.h"
#include "framework/bitmap.h"
#include "plot2d/inventory.h"
#include "plotwin/animation_runner.h"
#include "plotwin/key_interrupt.h"
#include "plotwin/lum_winm.h"

namespace curvelo {

namespace funccmd {
inline constexpr int kUserFunctions = 506, kBlackGraphs = 796;
}

// The "Anim" menu: the parameter dialogs and what belongs to them.
namespace paramcmd {
inline constexpr int kAt = 600, kFirstLetter = 601, kLastLetter = 623, kAllLetters = 624, kLinkedLetters = 625,
                     kFixParams = 626, kLinkedWindow = 627, kScrollScale = 1169;
}

class TSlideDlg;

class TFuncWin : public TLumWinm, private AnimationHost {
public:
    TFuncWin(fw::TWindow* parent, const std::string& caption);
    ~TFuncWin() override;

    FormulaEngine& Engine() { return engine_; }
    ExampleInventory& Inventory() { return inventory_; }
    const ExampleInventory& Inventory() const { return inventory_; }
    // Q stops the engine's long evaluations; drawings poll the keyboard through it too.
    KeyInterrupt& Interrupt() { return interrupt_; }

    // Whether a change the document lock may protect can go on: asks for the password once
    // per window when the switch protects it.
    bool Authorised(bool protectedByLock);

    FieldEvaluator Evaluator() const override;
    bool EvCommand(int id) override;
    bool EvCommandEnable(int id, fw::TCommandEnabler& ce) override;

    // Letter parameters: the scroll scale, animation speeds and links.
    ParamSettings& Params() { return params_; }
    // Opens the dialog of letter index which (0 "@", 1..23, 24 for A..W); null when the
    // dialog could not be made.
    TSlideDlg* OpenParamDialog(int which);
    TSlideDlg* ParamDialog(int which) const;
    void ParamDialogGone(TSlideDlg* dialog);
    void SetScrollScale(std::int32_t smallSteps, std::int32_t pageSteps);
    // "Parameterek rögzítése": while on, the dialogs show the letters but change nothing.
    bool ParamsFixed() const { return paramsFixed_; }
    // A letter changed: what depends on it is drawn again, the document is modified and a
    // linked window follows.
    virtual void ParameterChanged(int k);
    // "mentsd" of the analysis tools: the value becomes letter k's (A = 1 ... W = 23).
    void SaveIntoLetter(int k, long double value);
    // Whether any example's picture changes with the value of letter k.
    bool DependsOnLetter(int k) const;
    // Runs live (frames = 0) or frame animation of letter k; the asking dialog hides meanwhile.
    void Animate(TSlideDlg* asking, int k, AnimMode mode, bool timerMode, int frames);
    bool Animating() const { return animating_; }
    // Saves a frame animation of letter k drawn at w x h: an animated GIF, or numbered PNG
    // frames (NAME_001.png, ...) when the path ends in ".png". Fewer frames are drawn when
    // memory would not hold them. Q while drawing cancels with the result -1: no GIF is
    // written (PNG frames already written stay); 0 when written, else 12 (message 412) with the reason in *why.
    int SaveFrameAnimation(int k, int frames, const std::string& path, int w, int h, std::string* why = nullptr);
    // The names of the numbered PNG frames of such a path, frame 0 first.
    static std::string FramePngName(const std::string& path, int frame);
    // The animation picture on the screen now, or null when the window shows its own.
    const fw::Bitmap* ShownPicture() const { return shownPicture_; }
    // Whether the picture being drawn includes example i: a live animation draws the
    // examples that do not use the moving letters once, and only the others each frame.
    bool DrawsExample(int i) const;
    // The window whose letters follow this one's ("Kapcsolt ablak"), or null.
    TFuncWin* LinkedWindow() const;
    void SetLinkedWindow(TFuncWin* other);
    // The other windows with an engine that are open now.
    static std::vector<TFuncWin*> OpenWindows();

    // A 3D window takes a 2D curve as a surface of revolution (it opens the surface's
    // dialog); other windows refuse.
    virtual bool TakeRevolution(const TExample& /*curve*/) { return false; }

protected:
    // After any change of the examples: the document is modified, the inventory's view
    // refreshed and the picture drawn again.
    void ExamplesChanged();
    // The layer that shows the inventory refreshes its dialog.
    virtual void RefreshInventoryView() {}
    // Who set or gave the password may change what it protects.
    void SetUnlocked(bool unlocked) { unlocked_ = unlocked; }
    bool Unlocked() const { return unlocked_; }
    // After the letters or the scroll scale were replaced (a document read, a new drawing).
    void RefreshParamDialogs();
    // A frame of an animation stands in for the picture while it is shown.
    void Paint(fw::DC& dc, bool erase, const fw::Rect& rect) override;
    // Draws what DrawsExample admits over the still part of an animation frame.
    virtual void PaintMovingExamples(DrawSurface& /*surface*/) {}

    // AnimationHost
    int NextKey() override;
    void DrawAnimationFrame() override;
    void ShowStatusKind(int kind) override;
    void ShowCaptureProgress(int frame, int frames) override;
    std::int64_t ClockMs() override;
    void WaitMs(int ms) override;
    int AllocateFrames(int n) override;
    void RenderFrame(int index) override;
    void ShowFrame(int index) override;
    void FreeFrames() override;

private:
    void EditUserFunctions();
    void DrawLiveFrame();
    // The letter's value and bounds go to the linked window, which draws again.
    void PassToLinkedWindow(int k);

    // Evaluating number fields changes the engine's scratch state only.
    mutable FormulaEngine engine_;
    ExampleInventory inventory_;
    bool unlocked_ = false;

    ParamSettings params_;
    std::array<TSlideDlg*, kLetterCount> paramDialogs_{};
    bool paramsFixed_ = false;
    bool animating_ = false;
    std::vector<fw::Bitmap> frames_;
    // Live animation: the picture without the moving examples, and the frame shown.
    enum class Pass { Whole, Still, Moving };
    Pass pass_ = Pass::Whole;
    std::vector<int> movingLetters_;
    fw::Bitmap still_, liveFrame_;
    bool stillValid_ = false;
    const fw::Bitmap* shownPicture_ = nullptr;
    TFuncWin* linkedWindow_ = nullptr;

    KeyInterrupt interrupt_{this, [this] { return !Printing(); }};
    ScopedCancelCheck interruptOnEngine_{engine_.letters, &interrupt_};
};

}  // namespace curvelo
