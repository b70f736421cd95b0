#pragma once
// Start-up of the tool, in the order the user sees it: the window and all its
// controls exist and the publisher's page has been asked for before the
// window comes into view.

#include <windows.h>

namespace huoxing::app {

// Creates MainWindow and its controls, fires its created event and shows it.
// The component runtime must be initialised on this thread. Null if the
// window cannot be created.
HWND startMainWindow(HINSTANCE instance);

// Until the window has been destroyed; the exit status.
int runMessageLoop();

// The whole program: 0 once the window has been closed, -1 after an error box
// if it could not be created.
int runHuoxing(HINSTANCE instance);

}  // namespace huoxing::app
