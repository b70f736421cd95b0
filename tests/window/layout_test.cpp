// The window and its controls as created: places, sizes, styles, texts.

#include <string>

#include "browser_box.h"
#include "captions.h"
#include "window_driver.h"

namespace huoxing::testing {
namespace {

using app::ControlId;
using app::ControlKind;
using app::ControlPlace;

LONG_PTR styleOf(HWND window) { return GetWindowLongPtrA(window, GWL_STYLE); }
LONG_PTR exStyleOf(HWND window) { return GetWindowLongPtrA(window, GWL_EXSTYLE); }

bool hasAll(LONG_PTR style, LONG_PTR bits) { return (style & bits) == bits; }

std::string classNameOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string textOf(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Where a control stands in its parent's client area.
RECT placeInParent(HWND control) {
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

TEST_F(MainWindowTest, WindowIsCentredAtItsExactSize) {
    app::WindowOrigin origin = app::centredOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    RECT outer;
    ASSERT_TRUE(GetWindowRect(window_, &outer));
    EXPECT_EQ(outer.left, origin.left);
    EXPECT_EQ(outer.top, origin.top);
    EXPECT_EQ(outer.right - outer.left, 400);
    EXPECT_EQ(outer.bottom - outer.top, 380);
    if (GetSystemMetrics(SM_CXSCREEN) == 1024 && GetSystemMetrics(SM_CYSCREEN) == 768) {
        EXPECT_EQ(outer.left, 312);
        EXPECT_EQ(outer.top, 194);
    }
}

TEST_F(MainWindowTest, WindowHasAFixedFrameAndNoMaximiseButton) {
    LONG_PTR style = styleOf(window_);
    EXPECT_TRUE(hasAll(style, WS_CAPTION | WS_SYSMENU | WS_DLGFRAME | WS_MINIMIZEBOX | WS_CLIPCHILDREN));
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(exStyleOf(window_) & (WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE | WS_EX_TOPMOST));
    EXPECT_TRUE(IsWindowVisible(window_));
    EXPECT_TRUE(IsWindowEnabled(window_));
    EXPECT_EQ(GetWindow(window_, GW_OWNER), nullptr);
    EXPECT_EQ(GetMenu(window_), nullptr);
    EXPECT_EQ(GetClassLongPtrA(window_, GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
    EXPECT_EQ(textOf(window_), app::kWindowCaption);
    EXPECT_NE(SendMessageA(window_, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageA(window_, WM_GETICON, ICON_SMALL, 0), 0);
}

TEST_F(MainWindowTest, ControlsStandWhereTheLayoutPutsThem) {
    auto guiFont = reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT));
    for (const ControlPlace& place : app::kControlLayout) {
        SCOPED_TRACE(static_cast<int>(place.id));
        HWND control = this->control(place.id);
        ASSERT_NE(control, nullptr);
        RECT at = placeInParent(control);
        EXPECT_EQ(at.left, place.left);
        EXPECT_EQ(at.top, place.top);
        EXPECT_EQ(at.right - at.left, place.width);
        EXPECT_EQ(at.bottom - at.top, place.height);
        EXPECT_TRUE(hasAll(styleOf(control), WS_CHILD | WS_VISIBLE | WS_TABSTOP));
        EXPECT_TRUE(IsWindowEnabled(control));
        // The strip shows no text of its own to set a font for.
        if (place.kind != ControlKind::BrowserBox) {
            EXPECT_EQ(SendMessageA(control, WM_GETFONT, 0, 0), guiFont);
        }
        if (place.kind == ControlKind::PushButton) {
            EXPECT_EQ(textOf(control), place.caption);
        }
    }
}

TEST_F(MainWindowTest, EditBoxIsMultiLineScrollingAndUnlimited) {
    HWND edit = editBox();
    EXPECT_EQ(classNameOf(edit), "Edit");
    LONG_PTR style = styleOf(edit);
    EXPECT_TRUE(hasAll(style, ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL));
    EXPECT_FALSE(style & (ES_READONLY | ES_PASSWORD | ES_UPPERCASE | ES_LOWERCASE | ES_NOHIDESEL | ES_CENTER |
                          ES_RIGHT | WS_BORDER));
    EXPECT_TRUE(exStyleOf(edit) & WS_EX_CLIENTEDGE);
    EXPECT_GE(static_cast<DWORD>(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEu);
    DWORD start = 1, end = 1;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0u);
    EXPECT_EQ(GetWindowTextLengthA(edit), 0);
}

TEST_F(MainWindowTest, EditBoxIsBlackOnWhite) {
    HDC screen = GetDC(editBox());
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(window_, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(screen), reinterpret_cast<LPARAM>(editBox())));
    EXPECT_EQ(GetTextColor(screen), RGB(0, 0, 0));
    EXPECT_EQ(GetBkColor(screen), RGB(255, 255, 255));
    LOGBRUSH colour{};
    ASSERT_TRUE(GetObjectA(brush, sizeof colour, &colour));
    EXPECT_EQ(colour.lbColor, RGB(255, 255, 255));
    ReleaseDC(editBox(), screen);
}

TEST_F(MainWindowTest, ButtonsArePlainCentredWrappingPushButtons) {
    for (const ControlPlace& place : app::kControlLayout) {
        if (place.kind != ControlKind::PushButton) continue;
        SCOPED_TRACE(place.caption);
        HWND button = control(place.id);
        EXPECT_EQ(classNameOf(button), "Button");
        LONG_PTR style = styleOf(button);
        EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON) << "no default push button";
        EXPECT_TRUE(hasAll(style, BS_CENTER | BS_VCENTER | BS_MULTILINE));
        EXPECT_FALSE(style & (BS_BITMAP | BS_ICON));
    }
}

TEST_F(MainWindowTest, BrowserStripIsWhite) {
    HWND strip = control(ControlId::BrowserBox);
    EXPECT_EQ(classNameOf(strip), app::kBrowserBoxClass);
    LOGBRUSH colour{};
    ASSERT_TRUE(GetObjectA(reinterpret_cast<HBRUSH>(GetClassLongPtrA(strip, GCLP_HBRBACKGROUND)), sizeof colour,
                           &colour));
    EXPECT_EQ(colour.lbColor, RGB(255, 255, 255));
}

}  // namespace
}  // namespace huoxing::testing
