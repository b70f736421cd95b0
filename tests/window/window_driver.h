#pragma once
// Drives the real main window from a test: started through the program's own
// start-up code, fed with real messages and keyboard input, and read back
// through the edit box and the clipboard.

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "main_window.h"

namespace huoxing::testing {

// Handles this thread's messages until `done` holds or about ten seconds
// have passed; returns `done()`. The window's commands and keys run while
// their messages are handled, so a test waits here for them.
bool pumpUntil(const std::function<bool()>& done);

// Handles the messages that are waiting now, and those posted while doing so.
void pumpPending();

// Handles messages until the input sent so far, and what it posted, has
// been handled.
void settleInput();

// One key going down or up, for SendInput.
INPUT keyInput(WORD key, bool up);

// Presses and releases `key` with `modifiers` held, through SendInput, as a
// keyboard would.
void pressKey(WORD key, std::initializer_list<WORD> modifiers = {});

// The clipboard as other programs see it.
std::vector<UINT> clipboardFormats();
// The bytes of the CF_TEXT item up to its NUL; nullopt when there is none.
std::optional<std::string> clipboardText();
// Replaces the clipboard with CF_TEXT `text` and an item of a private format,
// so a test sees whether a command left the clipboard alone.
void putOnClipboard(const std::string& text);
UINT privateClipboardFormat();

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND control(app::ControlId id) const { return app::controlOf(window_, id); }
    HWND editBox() const { return control(app::ControlId::EditBox); }
    // A click on a button as the mouse gives it.
    void click(app::ControlId button) const;
    // Brings the window to the front and the keyboard focus to `id`.
    void focus(app::ControlId id) const;

    HWND window_ = nullptr;
};

}  // namespace huoxing::testing
