#pragma once
// MainWindow: the program's one window, its nine controls and the binding of
// the buttons to their commands.

#include <windows.h>

#include "window_layout.h"

namespace huoxing::app {

inline constexpr char kMainWindowClass[] = "HuoxingMainWindow";

// A fixed dialog frame with title bar, system menu and minimise button; no
// sizing border, no maximise button.
inline constexpr DWORD kMainWindowStyle = WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME | WS_MINIMIZEBOX;

inline constexpr DWORD kControlStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
inline constexpr DWORD kEditBoxStyle = kControlStyle | ES_LEFT | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL |
                                       ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL;
inline constexpr DWORD kEditBoxExStyle = WS_EX_CLIENTEDGE;
inline constexpr DWORD kButtonStyle = kControlStyle | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
inline constexpr DWORD kBrowserBoxStyle = kControlStyle | WS_CLIPCHILDREN;

inline constexpr COLORREF kEditTextColour = RGB(0, 0, 0);
inline constexpr COLORREF kEditBackgroundColour = RGB(255, 255, 255);

// The window and browser strip classes; registering again is no error.
bool registerWindowClasses(HINSTANCE instance);

// The window, hidden, centred, exactly kWindowWidth by kWindowHeight, with
// its icon and font; null if it cannot be created.
HWND createMainWindow(HINSTANCE instance);

// The nine controls of kControlLayout, visible; false if one is missing.
bool createControls(HWND window, HINSTANCE instance);

HWND controlOf(HWND window, ControlId id);

}  // namespace huoxing::app
