#include "control_keys.h"

namespace huoxing::app {

namespace {

bool isDown(int virtualKey) { return GetKeyState(virtualKey) < 0; }

bool anyModifierDown() { return isDown(VK_SHIFT) || isDown(VK_CONTROL) || isDown(VK_MENU); }

void moveFocus(HWND control) {
    HWND next = GetNextDlgTabItem(GetParent(control), control, isDown(VK_SHIFT));
    if (next) SetFocus(next);
}

LRESULT CALLBACK watchedControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_USERDATA));
    if (message == WM_KEYDOWN && handleControlKey(control, wParam)) return 0;
    // The character of a Tab that moved the focus arrives here afterwards;
    // the edit box would type it.
    if (message == WM_CHAR && wParam == '\t') return 0;
    return CallWindowProcA(original, control, message, wParam, lParam);
}

}  // namespace

bool handleControlKey(HWND control, WPARAM key) {
    if (key == VK_ESCAPE && !anyModifierDown()) {
        // The same request as the close button; the window goes once this
        // key has been handled.
        PostMessageA(GetParent(control), WM_CLOSE, 0, 0);
        return true;
    }
    if (key == VK_TAB) {
        moveFocus(control);
        return true;
    }
    return false;
}

bool watchControlKeys(HWND control) {
    // The standard controls leave their user data to the application; the
    // original procedure is kept there.
    LONG_PTR original = GetWindowLongPtrA(control, GWLP_WNDPROC);
    if (!original) return false;
    SetWindowLongPtrA(control, GWLP_USERDATA, original);
    return SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(watchedControlProc)) != 0;
}

}  // namespace huoxing::app
