// The keys the window acts on, typed through SendInput as a keyboard would.

#include "content.h"
#include "startup.h"
#include "test_text.h"
#include "window_driver.h"

namespace huoxing::testing {
namespace {

using app::ControlId;
using app::readContent;
using app::writeContent;

TEST_F(MainWindowTest, EnterInTheEditBoxInsertsCrLf) {
    focus(ControlId::EditBox);
    pressKey('A');
    pressKey(VK_RETURN);
    pressKey('B');
    EXPECT_TRUE(pumpUntil([&] { return readContent(editBox()).size() >= 4; }));
    EXPECT_EQ(hex(readContent(editBox())), hex("a\r\nb"));
}

TEST_F(MainWindowTest, TabMovesTheFocusWithoutTypingIt) {
    focus(ControlId::EditBox);
    pressKey(VK_TAB);
    EXPECT_TRUE(pumpUntil([&] { return GetFocus() == control(ControlId::ToMartian); }));
    pressKey(VK_TAB, {VK_SHIFT});
    EXPECT_TRUE(pumpUntil([&] { return GetFocus() == editBox(); }));
    pressKey('A');
    EXPECT_TRUE(pumpUntil([&] { return !readContent(editBox()).empty(); }));
    EXPECT_EQ(readContent(editBox()), "a");
}

// Enter on a button presses nothing (there is no default button); Space
// presses the focused one. 张 shows how often: once gives 涨, twice 漲.
TEST_F(MainWindowTest, SpacePressesTheFocusedButtonAndEnterDoesNot) {
    writeContent(editBox(), gbk("张"));
    focus(ControlId::ToMartian);
    pressKey(VK_RETURN);
    pressKey(VK_SPACE);
    settleInput();
    EXPECT_EQ(show(readContent(editBox())), show(gbk("涨")));
}

struct ClosingKeyCase {
    const char* name;
    ControlId focus;
    WORD key;
    std::initializer_list<WORD> modifiers;
    bool closes;
};

TEST(MainWindowKeys, EscWithoutModifiersAndAltF4CloseTheWindow) {
    const ClosingKeyCase cases[] = {
        {"Esc from the edit box", ControlId::EditBox, VK_ESCAPE, {}, true},
        {"Esc from a conversion button", ControlId::ToPinyin, VK_ESCAPE, {}, true},
        {"Esc from the clear button", ControlId::Clear, VK_ESCAPE, {}, true},
        {"Shift+Esc from the edit box", ControlId::EditBox, VK_ESCAPE, {VK_SHIFT}, false},
        {"Shift+Esc from a button", ControlId::Copy, VK_ESCAPE, {VK_SHIFT}, false},
        {"Alt+F4 from the edit box", ControlId::EditBox, VK_F4, {VK_MENU}, true},
    };
    for (const ClosingKeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        HWND window = app::startMainWindow(GetModuleHandleA(nullptr));
        ASSERT_NE(window, nullptr);
        SetForegroundWindow(window);
        SetFocus(app::controlOf(window, c.focus));
        pressKey(c.key, c.modifiers);
        if (c.closes) {
            EXPECT_TRUE(pumpUntil([&] { return !IsWindow(window); }));
        } else {
            settleInput();
            EXPECT_TRUE(IsWindow(window));
        }
        if (IsWindow(window)) DestroyWindow(window);
        pumpPending();
    }
}

TEST(MainWindowKeys, ClosingEndsTheMessageLoopWithStatusZero) {
    HWND window = app::startMainWindow(GetModuleHandleA(nullptr));
    ASSERT_NE(window, nullptr);
    SetForegroundWindow(window);
    SetFocus(app::controlOf(window, ControlId::EditBox));
    pressKey(VK_ESCAPE);
    // Should Esc not close the window, give up after a while with another status.
    UINT_PTR timer = SetTimer(nullptr, 0, 10 * 1000, [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(99); });
    EXPECT_EQ(app::runMessageLoop(), 0);
    KillTimer(nullptr, timer);
    EXPECT_FALSE(IsWindow(window));
    if (IsWindow(window)) DestroyWindow(window);
    pumpPending();
}

}  // namespace
}  // namespace huoxing::testing
