// Keyboard polling for long computations that run inside a command handler on the one
// thread: pending events are processed (painting goes on), key presses addressed to the
// window are captured into its queue, and mouse, close and other input are dropped so that
// no command runs in the middle of the computation.
#pragma once

namespace curvelo::fw {

class TWindow;

struct KeyPress {
    int vk = 0;             // framework/keys.h; letters as capitals
    unsigned modifiers = 0; // Modifier bits
};

// Processes pending events, then takes the window's next captured key. False when none.
bool PollKeyEvent(TWindow& window, KeyPress& key);
// Drops every key captured for the window.
void ClearKeyQueue(TWindow& window);

}  // namespace curvelo::fw
