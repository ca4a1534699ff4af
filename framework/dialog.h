// Dialogs built at run time from a template in resources/dialogs/<name>.dlg (see
// resources/FORMATS.md); controls are addressed by their numeric ids.
//
// Buttons: a click calls EvCommand(id). Unless a derived class handles it, button 1 (ok)
// closes the dialog with 1 when CanClose agrees, and any other push button closes it with
// its own id. Esc and the close box close it with 2 (cancel).
#pragma once

#include <string>

#include "framework/log_font.h"
#include "framework/window.h"

namespace curvelo::fw {

class TDialog : public TWindow {
public:
    TDialog(TWindow* parent, const std::string& templateName);
    ~TDialog() override;

    // False when the template was missing or malformed (then nothing is shown).
    bool TemplateOk() const;
    const std::string& TemplateName() const;

    // Modal: creates, runs and destroys the dialog; returns the id of the closing button,
    // or -1 when the template is unusable.
    int Execute();
    // Modeless: Create() then Show(); closing destroys it (see window.h on ownership).
    bool IsModal() const;
    // Ends the dialog with the given result (modal or modeless).
    void EndDialog(int result);
    int Result() const;

    bool HasItem(int id) const;
    void SetItemText(int id, const std::string& text);
    std::string GetItemText(int id) const;
    void SetItemLimit(int id, int maxChars);  // edits
    void SetItemFont(int id, const LogFont& font);
    LogFont GetItemFont(int id) const;
    void CheckItem(int id, bool checked);     // check boxes and radio buttons
    bool IsItemChecked(int id) const;
    void EnableItem(int id, bool enable);
    bool IsItemEnabled(int id) const;
    void ShowItem(int id, bool show);
    bool IsItemVisible(int id) const;
    void SetItemFocus(int id);
    // Selects the text of an edit.
    void SelectItemText(int id);

    // Combo boxes and list boxes.
    void ClearList(int id);
    void AddString(int id, const std::string& text);
    int GetCount(int id) const;
    void SetSelIndex(int id, int index);  // -1: none
    int GetSelIndex(int id) const;
    std::string GetString(int id, int index) const;

    // Scroll bars.
    void SetScrollRange(int id, int min, int max);
    void SetScrollPos(int id, int pos);
    // Paging moves the position by this much.
    void SetScrollPage(int id, int page);
    int GetScrollPos(int id) const;

    // Size of the laid-out dialog; valid before it is shown.
    Size GetDialogSize() const;

    bool EvCommand(int id) override;
};

}  // namespace curvelo::fw
