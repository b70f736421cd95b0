#include "window_driver.h"

#include <chrono>
#include <cstring>
#include <vector>

#include "startup.h"

namespace huoxing::testing {

namespace {

constexpr auto kPatience = std::chrono::seconds(10);

bool handleOneMessage() {
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return false;
    // A closed window's quit message means nothing to the test thread.
    if (message.message != WM_QUIT) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

}  // namespace

INPUT keyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

bool pumpUntil(const std::function<bool()>& done) {
    auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        if (!handleOneMessage()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

void pumpPending() {
    while (handleOneMessage()) {
    }
}

void settleInput() {
    // SendInput has queued its events by the time it returns.
    pumpUntil([] { return HIWORD(GetQueueStatus(QS_INPUT)) == 0; });
    pumpPending();
}

void pressKey(WORD key, std::initializer_list<WORD> modifiers) {
    std::vector<INPUT> inputs;
    for (WORD modifier : modifiers) inputs.push_back(keyInput(modifier, false));
    inputs.push_back(keyInput(key, false));
    inputs.push_back(keyInput(key, true));
    for (auto modifier = std::rbegin(modifiers); modifier != std::rend(modifiers); ++modifier) {
        inputs.push_back(keyInput(*modifier, true));
    }
    UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    ASSERT_EQ(sent, inputs.size()) << "SendInput error " << GetLastError();
}

std::vector<UINT> clipboardFormats() {
    std::vector<UINT> formats;
    if (!OpenClipboard(nullptr)) return formats;
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
        formats.push_back(format);
    }
    CloseClipboard();
    return formats;
}

std::optional<std::string> clipboardText() {
    std::optional<std::string> text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE block = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(block))) {
            text.emplace(bytes, strnlen(bytes, GlobalSize(block)));
            GlobalUnlock(block);
        }
    }
    CloseClipboard();
    return text;
}

UINT privateClipboardFormat() { return RegisterClipboardFormatA("HuoxingTestMarker"); }

void putOnClipboard(const std::string& text) {
    auto blockOf = [](const std::string& bytes) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
        std::memcpy(GlobalLock(block), bytes.c_str(), bytes.size() + 1);
        GlobalUnlock(block);
        return block;
    };
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, blockOf(text));
    SetClipboardData(privateClipboardFormat(), blockOf("marker"));
    CloseClipboard();
}

void MainWindowTest::SetUp() {
    window_ = app::startMainWindow(GetModuleHandleA(nullptr));
    ASSERT_NE(window_, nullptr) << "error " << GetLastError();
    pumpPending();
}

void MainWindowTest::TearDown() {
    if (IsWindow(window_)) DestroyWindow(window_);
    pumpPending();
}

void MainWindowTest::click(app::ControlId button) const { SendMessageA(control(button), BM_CLICK, 0, 0); }

void MainWindowTest::focus(app::ControlId id) const {
    SetForegroundWindow(window_);
    SetFocus(control(id));
    pumpPending();
}

}  // namespace huoxing::testing
