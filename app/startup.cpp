#include "startup.h"

#include <ole2.h>

#include "captions.h"
#include "main_window.h"
#include "publisher_page.h"

namespace huoxing::app {

namespace {

// A window destroyed half-built has already posted its quit message, which
// would end the error box's own message loop at once.
void dropPendingQuit() {
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

}  // namespace

HWND startMainWindow(HINSTANCE instance) {
    if (!registerWindowClasses(instance)) return nullptr;
    HWND window = createMainWindow(instance);
    if (!window) return nullptr;
    if (!createControls(window, instance)) {
        DestroyWindow(window);
        return nullptr;
    }
    // The created event.
    showPublisherPage(controlOf(window, ControlId::BrowserBox));
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    return window;
}

int runMessageLoop() {
    MSG message;
    for (;;) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);
        if (got == -1) return -1;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

int runHuoxing(HINSTANCE instance) {
    // The WebBrowser control needs the component runtime; without it the
    // strip stays white and the rest works, so a failure here is not fatal.
    HRESULT runtime = OleInitialize(nullptr);
    int status = -1;
    if (startMainWindow(instance)) {
        status = runMessageLoop();
    } else {
        dropPendingQuit();
        MessageBoxA(nullptr, kCannotCreateWindow, kWindowCaption, MB_OK | MB_ICONERROR);
    }
    if (SUCCEEDED(runtime)) OleUninitialize();
    return status;
}

}  // namespace huoxing::app
