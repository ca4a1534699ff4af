#include "framework/kit_services.h"

#include "framework/common_dialogs.h"
#include "framework/frame_window.h"
#include "framework/key_queue.h"
#include "framework/kit_status_text.h"
#include "resources/resources.h"

namespace curvelo {
namespace {

// Accelerators belong to the frame that holds the window (plot windows are frames).
fw::TFrameWindow* FrameOf(fw::TWindow* window) {
    for (fw::TWindow* w = window; w; w = w->Parent())
        if (auto* frame = dynamic_cast<fw::TFrameWindow*>(w)) return frame;
    return nullptr;
}

}  // namespace

int PollKey(fw::TWindow* window) {
    if (!window) return 0;
    fw::KeyPress key;
    if (!fw::PollKeyEvent(*window, key)) return 0;
    if (fw::TFrameWindow* frame = FrameOf(window); frame && frame->PostAccelerator(key))
        return kKeyQuit;
    return key.vk;
}

void ShowStatus(fw::TWindow* window, int kind, int a, int b) {
    if (!window) return;
    std::string text = StatusText(kind, a, b);
    if (!text.empty()) window->SetCaption(text);
}

void UpdateTitle(fw::TWindow* window, bool asking, std::string_view suffix) {
    auto* source = dynamic_cast<TTitleSource*>(window);
    if (!source) return;
    UpdateTitle(window, asking, suffix, source->TitleFileName(), source->TitleModified());
}

void UpdateTitle(fw::TWindow* window, bool asking, std::string_view suffix,
                 std::string_view fileName, bool modified) {
    if (!window) return;
    window->SetCaption(DocumentTitle(fileName, asking, suffix, modified));
}

std::string MessageText(int n) { return std::string(res::String(400 + n)); }

void ShowMessage(fw::TWindow* window, int n, const char* caption) {
    fw::MessageBox(window, MessageText(n), caption ? caption : "hmm...", fw::kMbOk);
}

}  // namespace curvelo
