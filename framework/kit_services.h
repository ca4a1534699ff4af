// Services every long computation and every document window uses: keyboard polling,
// title-bar status texts, the document title and the numbered message box.
#pragma once

#include <string>
#include <string_view>

namespace curvelo {

namespace fw {
class TWindow;
}

inline constexpr int kKeyQuit = 'Q';

// The next key pressed in the window while a computation runs, 0 when none. A key that is
// one of the window's accelerators gives 'Q', so the computation stops, and its command
// runs as soon as the computation has returned (never inside it, where it could change
// what is being computed). Letters come as capitals, space as 32. Also keeps painting going.
int PollKey(fw::TWindow* window);

// Writes status text kind (1 to 10, 12) with its numbers into the title bar.
void ShowStatus(fw::TWindow* window, int kind, int a = 0, int b = 0);

// What a document window tells UpdateTitle about itself.
class TTitleSource {
public:
    virtual ~TTitleSource() = default;
    virtual std::string TitleFileName() const = 0;  // the document path (or untitled name)
    virtual bool TitleModified() const = 0;         // unsaved changes
};

// The document title of a window that is a TTitleSource (otherwise nothing changes).
void UpdateTitle(fw::TWindow* window, bool asking, std::string_view suffix = {});
// The same with the document's name and state given directly.
void UpdateTitle(fw::TWindow* window, bool asking, std::string_view suffix,
                 std::string_view fileName, bool modified);

// A message box with message 400 + n, captioned "hmm..." when caption is null; ok only.
void ShowMessage(fw::TWindow* window, int n, const char* caption = nullptr);
std::string MessageText(int n);

}  // namespace curvelo
