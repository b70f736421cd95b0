#pragma once
// The keys the window acts on from inside its controls: Esc closes the
// window, Tab and Shift+Tab move the focus. The edit box keeps Enter.

#include <windows.h>

namespace huoxing::app {

// Acts on a WM_KEYDOWN `key` sent to `control`; false when it is not ours.
bool handleControlKey(HWND control, WPARAM key);

// Routes the keyboard of a standard EDIT or BUTTON control through
// handleControlKey first.
bool watchControlKeys(HWND control);

}  // namespace huoxing::app
