#include "main_window.h"

#include "browser_box.h"
#include "captions.h"
#include "commands.h"
#include "control_keys.h"
#include "resource.h"

namespace huoxing::app {

namespace {

struct ButtonBinding {
    ControlId button;
    void (*command)(HWND editBox);
};

inline constexpr ButtonBinding kButtonBindings[] = {
    {ControlId::ToMartian, toMartian}, {ControlId::ToTraditional, toTraditional},
    {ControlId::ToSimplified, toSimplified}, {ControlId::ToPinyin, toPinyin},
    {ControlId::Copy, copyContent}, {ControlId::Cut, cutContent},
    {ControlId::Clear, clearContent},
};

HFONT guiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

HICON applicationIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
    // Shared icons belong to the system: nothing to destroy at exit.
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_HUOXING), IMAGE_ICON,
                                         GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric), LR_SHARED));
}

LRESULT onCommand(HWND window, WORD id, WORD notification) {
    if (notification != BN_CLICKED) return 0;
    for (const ButtonBinding& binding : kButtonBindings) {
        if (static_cast<WORD>(binding.button) == id) binding.command(controlOf(window, ControlId::EditBox));
    }
    return 0;
}

LRESULT onEditColours(HDC deviceContext) {
    SetTextColor(deviceContext, kEditTextColour);
    SetBkColor(deviceContext, kEditBackgroundColour);
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

// The window passes the keyboard focus on to the edit box.
LRESULT onFocus(HWND window) {
    SetFocus(controlOf(window, ControlId::EditBox));
    return 0;
}

LRESULT onDestroy() {
    PostQuitMessage(0);
    return 0;
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: return onCommand(window, LOWORD(wParam), HIWORD(wParam));
    case WM_CTLCOLOREDIT: return onEditColours(reinterpret_cast<HDC>(wParam));
    case WM_SETFOCUS: return onFocus(window);
    case WM_DESTROY: return onDestroy();
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

struct ControlClass {
    const char* name;
    DWORD style;
    DWORD exStyle;
};

ControlClass classOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::EditBox: return {"EDIT", kEditBoxStyle, kEditBoxExStyle};
    case ControlKind::PushButton: return {"BUTTON", kButtonStyle, 0};
    case ControlKind::BrowserBox: return {kBrowserBoxClass, kBrowserBoxStyle, 0};
    }
    return {"STATIC", kControlStyle, 0};
}

// No length limit of its own, caret at the start, scrolled to it.
void prepareEditBox(HWND editBox) {
    SendMessageA(editBox, EM_LIMITTEXT, 0, 0);
    SendMessageA(editBox, EM_SETSEL, 0, 0);
    SendMessageA(editBox, EM_SCROLLCARET, 0, 0);
}

bool createControl(HWND window, HINSTANCE instance, const ControlPlace& place) {
    ControlClass controlClass = classOf(place.kind);
    HWND control = CreateWindowExA(controlClass.exStyle, controlClass.name, place.caption, controlClass.style,
                                   place.left, place.top, place.width, place.height, window,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)), instance, nullptr);
    if (!control) return false;
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(guiFont()), FALSE);
    if (place.kind == ControlKind::EditBox) prepareEditBox(control);
    // The browser strip's own window procedure sees its keys.
    return place.kind == ControlKind::BrowserBox || watchControlKeys(control);
}

// Some frames come out a little off the size asked for; the outer size must
// be exact.
bool makeExactSize(HWND window, WindowOrigin origin) {
    RECT outer;
    if (!GetWindowRect(window, &outer)) return false;
    if (outer.right - outer.left == kWindowWidth && outer.bottom - outer.top == kWindowHeight) return true;
    return MoveWindow(window, origin.left, origin.top, kWindowWidth, kWindowHeight, TRUE) != 0;
}

}  // namespace

bool registerWindowClasses(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = applicationIcon(instance, SM_CXICON, SM_CYICON);
    windowClass.hIconSm = applicationIcon(instance, SM_CXSMICON, SM_CYSMICON);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = kMainWindowClass;
    bool registered = RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return registered && registerBrowserBoxClass(instance);
}

HWND createMainWindow(HINSTANCE instance) {
    WindowOrigin origin = centredOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    HWND window = CreateWindowExA(0, kMainWindowClass, kWindowCaption, kMainWindowStyle, origin.left, origin.top,
                                  kWindowWidth, kWindowHeight, nullptr, nullptr, instance, nullptr);
    if (!window) return nullptr;
    if (!makeExactSize(window, origin)) {
        DestroyWindow(window);
        return nullptr;
    }
    SendMessageA(window, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(applicationIcon(instance, SM_CXICON, SM_CYICON)));
    SendMessageA(window, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(applicationIcon(instance, SM_CXSMICON, SM_CYSMICON)));
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(guiFont()), FALSE);
    return window;
}

bool createControls(HWND window, HINSTANCE instance) {
    for (const ControlPlace& place : kControlLayout) {
        if (!createControl(window, instance, place)) return false;
    }
    return true;
}

HWND controlOf(HWND window, ControlId id) { return GetDlgItem(window, static_cast<int>(id)); }

}  // namespace huoxing::app
