// Child controls of a window, addressed by numeric id: edit, static text, scroll bar.
// Notifications go to the parent's EvNotify(id, code).
#pragma once

#include <string>

#include "framework/log_font.h"
#include "framework/window.h"

namespace curvelo::fw {

class TControl : public TWindow {
public:
    TControl(TWindow* parent, int id);
    ~TControl() override;
    int Id() const { return id_; }

private:
    int id_;
};

struct EditOptions {
    bool multiline = false;
    bool readOnly = false;
    bool password = false;
    bool wrap = false;  // multi-line only: wrap long lines
};

class TEdit : public TControl {
public:
    TEdit(TWindow* parent, int id, const std::string& text, EditOptions options = {});
    ~TEdit() override;

    void SetText(const std::string& text);  // UTF-8
    std::string GetText() const;
    int GetTextLength() const;  // characters
    void SetLimit(int maxChars);
    void SetReadOnly(bool readOnly);
    void SetFont(const LogFont& font);
    void SetTextColor(Color c);

    // Positions are character indexes.
    void SetSelection(int start, int end);
    void GetSelection(int& start, int& end) const;
    bool HasSelection() const;
    void SelectAll();
    void Copy();
    void Cut();
    void Paste();
    void Clear();
    void Insert(const std::string& text);  // replaces the selection

    bool IsModified() const;
    void ClearModify();

    int GetLineCount() const;
    int GetFirstVisibleLine() const;
    int GetLineFromChar(int index) const;
    // Scrolls so that the given line is the first visible one.
    void ScrollToLine(int line);
};

class TStatic : public TControl {
public:
    TStatic(TWindow* parent, int id, const std::string& text);
    void SetText(const std::string& text);
    std::string GetText() const;
};

class TScrollBar : public TControl {
public:
    TScrollBar(TWindow* parent, int id, bool horizontal);
    void SetRange(int min, int max);
    void GetRange(int& min, int& max) const;
    void SetPosition(int pos);
    int GetPosition() const;
    void SetLineMagnitude(int n);
    void SetPageMagnitude(int n);
};

}  // namespace curvelo::fw
