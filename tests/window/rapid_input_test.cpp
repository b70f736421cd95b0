// Presses faster than the commands run: a burst of clicks or keys is queued
// at once, and every press must run once, to its end, in order. The edit
// box is watched: each command leaves its own trail of reads and writes
// (with the text written), so the trail of a burst must equal the trail of
// the same presses made one at a time.

#include <iterator>
#include <string>
#include <vector>

#include "content.h"
#include "test_text.h"
#include "window_driver.h"

namespace huoxing::testing {
namespace {

using app::ControlId;

// The reads and writes of the edit box's content, in order.
std::vector<std::string>* trail = nullptr;
WNDPROC unwatchedEditBoxProc = nullptr;

LRESULT CALLBACK watchedEditBoxProc(HWND editBox, UINT message, WPARAM wParam, LPARAM lParam) {
    if (trail && message == WM_GETTEXT) trail->push_back("read");
    if (trail && message == WM_SETTEXT) trail->push_back("write " + std::string(reinterpret_cast<const char*>(lParam)));
    return CallWindowProcA(unwatchedEditBoxProc, editBox, message, wParam, lParam);
}

class EditBoxTrail {
public:
    explicit EditBoxTrail(HWND editBox) : editBox_(editBox) {
        unwatchedEditBoxProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(editBox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(watchedEditBoxProc)));
        trail = &entries_;
    }
    ~EditBoxTrail() {
        trail = nullptr;
        SetWindowLongPtrA(editBox_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(unwatchedEditBoxProc));
    }
    const std::vector<std::string>& entries() const { return entries_; }

private:
    HWND editBox_;
    std::vector<std::string> entries_;
};

std::string summary(const std::vector<std::string>& entries, std::size_t at) {
    if (at >= entries.size()) return "(nothing)";
    const std::string& entry = entries[at];
    if (entry.rfind("write ", 0) != 0) return entry;
    std::string text = entry.substr(6);
    return "write " + std::to_string(text.size()) + " bytes " + show(text.substr(0, 24));
}

// Equal trails, or where they part.
::testing::AssertionResult sameTrail(const std::vector<std::string>& got, const std::vector<std::string>& want) {
    std::size_t at = 0;
    while (at < got.size() && at < want.size() && got[at] == want[at]) ++at;
    if (at == got.size() && at == want.size()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << got.size() << " reads and writes for " << want.size()
                                         << "; the first difference, at " << at << ": " << summary(got, at)
                                         << " for " << summary(want, at);
}

// Every button, repeated presses of the same one (a double click for the
// mouse), and an order that shows: the conversions do not commute, 复制 and
// 剪切 read, 剪切 and 清除 write the empty text.
const ControlId kPresses[] = {
    ControlId::ToMartian, ControlId::ToMartian,  ControlId::ToMartian, ControlId::ToTraditional,
    ControlId::ToSimplified, ControlId::ToMartian, ControlId::Copy,      ControlId::ToTraditional,
    ControlId::ToSimplified, ControlId::ToSimplified, ControlId::ToPinyin, ControlId::Copy,
    ControlId::ToMartian, ControlId::Cut,        ControlId::ToMartian, ControlId::Clear,
};

std::string startingText() {
    std::string text;
    for (int i = 0; i < 10; ++i) text += gbk("张三说：发展经济，後來髮型 火星文 abc\r\n");
    return text;
}

INPUT mouseInput(DWORD flags, POINT at = {}) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    // Absolute places run from 0 to 65535 over the primary screen.
    input.mi.dx = (at.x * 65536 + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (at.y * 65536 + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN);
    return input;
}

void sendAll(std::vector<INPUT> inputs) {
    UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    ASSERT_EQ(sent, inputs.size()) << "SendInput error " << GetLastError();
}

class RapidPresses : public MainWindowTest {
protected:
    // The trail of kPresses made one at a time, each to its end.
    std::vector<std::string> oneAtATime() {
        app::writeContent(editBox(), startingText());
        EditBoxTrail watch(editBox());
        for (ControlId button : kPresses) click(button);
        // Each press reads or writes at least once: a trail this short means
        // the watch saw nothing.
        EXPECT_GE(watch.entries().size(), std::size(kPresses));
        return watch.entries();
    }

    // The trail of kPresses queued at once by `queue`, once it is as long as
    // `wanted` and the input has been handled (or time is up).
    template <class Queue>
    std::vector<std::string> inABurst(const std::vector<std::string>& wanted, Queue queue) {
        app::writeContent(editBox(), startingText());
        SetForegroundWindow(window_);
        pumpPending();
        EditBoxTrail watch(editBox());
        queue();
        pumpUntil([&] { return watch.entries().size() >= wanted.size(); });
        settleInput();
        return watch.entries();
    }

    POINT middleOf(ControlId id) const {
        RECT place;
        GetWindowRect(control(id), &place);
        return {(place.left + place.right) / 2, (place.top + place.bottom) / 2};
    }
};

TEST_F(RapidPresses, PostedClicksRunOnceEachInOrder) {
    std::vector<std::string> wanted = oneAtATime();
    std::vector<std::string> got = inABurst(wanted, [&] {
        for (ControlId button : kPresses) PostMessageA(control(button), BM_CLICK, 0, 0);
    });
    EXPECT_TRUE(sameTrail(got, wanted));
}

TEST_F(RapidPresses, MouseClicksRunOnceEachInOrder) {
    std::vector<std::string> wanted = oneAtATime();
    std::vector<std::string> got = inABurst(wanted, [&] {
        std::vector<INPUT> inputs;
        for (ControlId button : kPresses) {
            inputs.push_back(mouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, middleOf(button)));
            inputs.push_back(mouseInput(MOUSEEVENTF_LEFTDOWN));
            inputs.push_back(mouseInput(MOUSEEVENTF_LEFTUP));
        }
        sendAll(inputs);
    });
    EXPECT_TRUE(sameTrail(got, wanted));
}

// Space presses the focused button; Tab and Shift+Tab walk the buttons in
// the order of the layout.
TEST_F(RapidPresses, KeyPressesRunOnceEachInOrder) {
    std::vector<std::string> wanted = oneAtATime();
    std::vector<std::string> got = inABurst(wanted, [&] {
        SetFocus(control(kPresses[0]));
        // The buttons' identifiers follow the layout, which is the Tab order.
        auto tabIndex = [](ControlId id) { return static_cast<int>(id); };
        int at = tabIndex(kPresses[0]);
        std::vector<INPUT> inputs;
        for (ControlId button : kPresses) {
            for (; at < tabIndex(button); ++at) {
                inputs.push_back(keyInput(VK_TAB, false));
                inputs.push_back(keyInput(VK_TAB, true));
            }
            for (; at > tabIndex(button); --at) {
                inputs.push_back(keyInput(VK_SHIFT, false));
                inputs.push_back(keyInput(VK_TAB, false));
                inputs.push_back(keyInput(VK_TAB, true));
                inputs.push_back(keyInput(VK_SHIFT, true));
            }
            inputs.push_back(keyInput(VK_SPACE, false));
            inputs.push_back(keyInput(VK_SPACE, true));
        }
        sendAll(inputs);
    });
    EXPECT_TRUE(sameTrail(got, wanted));
}

}  // namespace
}  // namespace huoxing::testing
