// The 2D plot window that the launcher opens: it holds the window's formula engine and its
// inventory of examples, creates curves from the Equation menu and draws them over the frame.
#pragma once

#include "expr/engine.h"
#include "framework/kit_placement.h"
#include "plot2d/cv2_document.h"
#include "plot2d/inventory.h"
#include "plotwin/grid_win.h"

namespace curvelo {

class TFnListDlg;

namespace eqcmd {
inline constexpr int kExplicit = 901, kPolar = 902, kParametric = 903, kBlackGraphs = 796,
                     kInventory = 504, kUserFunctions = 506, kNewDrawing = 78, kLock = 76,
                     kAuthor = 77, kResizeInventory = 628;
}

class TPlot2Win : public TGridWin {
public:
    TPlot2Win(fw::TWindow* parent, const std::string& caption);
    ~TPlot2Win() override;

    FormulaEngine& Engine() { return engine_; }
    ExampleInventory& Inventory() { return inventory_; }

    // Begins an example of the kind, lets the user edit it and keeps it on OK. Returns the
    // slot, or -1 when the inventory is full or the user cancelled.
    int AddExample(std::uint16_t kind);
    // Opens the equation dialog on an existing slot; true when the user confirmed it.
    bool EditExample(int index);
    void RemoveExample(int index);
    int DuplicateExample(int index);
    void ToggleVisible(int index);
    void NameExample(int index, const std::string& name);
    // Appends the derivative curve of a curve example (y' of y = f(x), r' of a polar curve,
    // (x', y') of a parametric one); the new slot, or -1.
    int DeriveExample(int index);
    // Asks how many examples the list may hold (at least as many as it holds).
    void AskInventorySize();
    // The family dialog of a curve; true when the user confirmed it.
    bool EditFamily(int index);

    // Whether a change the document lock may protect can go on: asks for the password once
    // per window when the switch protects it.
    bool Authorised(bool protectedByLock);

    // Asks about unsaved changes, then empties the window for a new drawing; false when
    // the user kept the old one.
    bool NewDrawing();

    // The modeless inventory dialog (Ctrl+I), created on first use.
    void ShowInventory();
    TFnListDlg* InventoryDialog() const { return inventoryDialog_; }
    void InventoryDialogGone(TFnListDlg* dialog);
    // The document's file name without its folder.
    std::string DocumentTitle() const;

    // .cv2 documents.
    bool HasDocumentFormat() const override { return true; }
    int ReadDocument(const std::string& path) override;
    int WriteDocument(const std::string& path) override;
    std::string DocumentFilter() const override;
    std::string DocumentExtension() const override { return "cv2"; }

    FieldEvaluator Evaluator() const override;
    void PaintPicture(DrawSurface& surface, fw::DC& dc, bool withBackground) override;
    void ViewApplied() override;

    bool EvCommand(int id) override;
    bool EvCommandEnable(int id, fw::TCommandEnabler& ce) override;
    // Writes the window kind's settings file ("cv2.ini") before the window goes.
    void Destroy(int retVal = 0) override;

protected:
    // Reads the settings file first, so the window opens where and as it was last time and
    // can reopen the last edited document.
    void SetupWindow() override;
    // The cursor's world coordinates follow the mouse in the title bar; a click on a curve
    // selects its example.
    void EvMouseMove(unsigned modifiers, fw::Point p) override;
    void EvPictureClick(fw::Point p) override;

private:
    // Draws every visible example; false when the user stopped the drawing with Q.
    bool DrawExamples(DrawSurface& surface);
    void ExamplesChanged();

    // Evaluating number fields changes the engine's scratch state only.
    mutable FormulaEngine engine_;
    ExampleInventory inventory_;
    DlgPosition equationDialogPlace_;
    TFnListDlg* inventoryDialog_ = nullptr;
    // The last document read or written: what this window does not use survives in it.
    Cv2Document document_;
    const std::string untitledName_;
    std::string lastDocument_;  // of the settings file, kept when nothing newer was edited
    bool settingsSaved_ = false;
    bool unlocked_ = false;  // the password was given in this window
};

}  // namespace curvelo
