#pragma once
// The browser strip: a white child window that hosts the system's WebBrowser
// control. If the control cannot be created the strip stays white and the
// rest of the window works as usual.

#include <windows.h>
#include <exdisp.h>

#include <string>

namespace huoxing::app {

inline constexpr char kBrowserBoxClass[] = "HuoxingBrowserBox";

bool registerBrowserBoxClass(HINSTANCE instance);

// Stores `address` and asks the control to load it; nothing waits for the
// page and nothing reads its outcome.
void navigateBrowserBox(HWND browserBox, const char* address);

// What the strip holds: the address last given, and the control (borrowed,
// null when it could not be created).
std::string browserBoxAddress(HWND browserBox);
IWebBrowser2* browserBoxWebBrowser(HWND browserBox);

}  // namespace huoxing::app
