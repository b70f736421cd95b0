// The clipboard refusing the text: each system call that setClipboardText
// makes is failed in turn, through this program's import table, and the
// outcome checked: false, the block freed, every open matched by a close,
// the clipboard as it should be left, and 剪切 keeping the text in the box.

#include <algorithm>
#include <string>

#include "clipboard.h"
#include "content.h"
#include "import_patch.h"
#include "test_text.h"
#include "window_driver.h"

namespace huoxing::testing {
namespace {

using app::ControlId;

// What the calls did while watched.
struct ClipboardCalls {
    std::string failing;  // the call made to fail; empty for none
    std::vector<HGLOBAL> allocated, freed, handedOver;
    int opened = 0;
    int closed = 0;
};

class WatchedClipboardCalls;
WatchedClipboardCalls* watched = nullptr;

HGLOBAL WINAPI watchedGlobalAlloc(UINT flags, SIZE_T bytes);
LPVOID WINAPI watchedGlobalLock(HGLOBAL block);
HGLOBAL WINAPI watchedGlobalFree(HGLOBAL block);
BOOL WINAPI watchedOpenClipboard(HWND owner);
BOOL WINAPI watchedEmptyClipboard();
HANDLE WINAPI watchedSetClipboardData(UINT format, HANDLE data);
BOOL WINAPI watchedCloseClipboard();

template <class Function>
const void* address(Function function) {
    return reinterpret_cast<const void*>(function);
}

// While it lives, the clipboard calls of this program go through the
// watchers above; `failing` names the one that fails without reaching the
// system.
class WatchedClipboardCalls {
public:
    explicit WatchedClipboardCalls(const char* failing) {
        calls.failing = failing;
        watched = this;
    }
    ~WatchedClipboardCalls() { watched = nullptr; }

    bool applied() const {
        return globalAlloc.applied() && globalLock.applied() && globalFree.applied() && openClipboard.applied() &&
               emptyClipboard.applied() && setClipboardData.applied() && closeClipboard.applied();
    }
    bool fails(const char* call) const { return calls.failing == call; }

    ClipboardCalls calls;
    ImportPatch globalAlloc{"kernel32.dll", "GlobalAlloc", address(watchedGlobalAlloc)};
    ImportPatch globalLock{"kernel32.dll", "GlobalLock", address(watchedGlobalLock)};
    ImportPatch globalFree{"kernel32.dll", "GlobalFree", address(watchedGlobalFree)};
    ImportPatch openClipboard{"user32.dll", "OpenClipboard", address(watchedOpenClipboard)};
    ImportPatch emptyClipboard{"user32.dll", "EmptyClipboard", address(watchedEmptyClipboard)};
    ImportPatch setClipboardData{"user32.dll", "SetClipboardData", address(watchedSetClipboardData)};
    ImportPatch closeClipboard{"user32.dll", "CloseClipboard", address(watchedCloseClipboard)};
};

HGLOBAL WINAPI watchedGlobalAlloc(UINT flags, SIZE_T bytes) {
    if (watched->fails("GlobalAlloc")) return nullptr;
    HGLOBAL block = watched->globalAlloc.original<decltype(&GlobalAlloc)>()(flags, bytes);
    if (block) watched->calls.allocated.push_back(block);
    return block;
}

LPVOID WINAPI watchedGlobalLock(HGLOBAL block) {
    if (watched->fails("GlobalLock")) return nullptr;
    return watched->globalLock.original<decltype(&GlobalLock)>()(block);
}

HGLOBAL WINAPI watchedGlobalFree(HGLOBAL block) {
    watched->calls.freed.push_back(block);
    return watched->globalFree.original<decltype(&GlobalFree)>()(block);
}

BOOL WINAPI watchedOpenClipboard(HWND owner) {
    if (watched->fails("OpenClipboard")) return FALSE;
    BOOL opened = watched->openClipboard.original<decltype(&OpenClipboard)>()(owner);
    if (opened) ++watched->calls.opened;
    return opened;
}

BOOL WINAPI watchedEmptyClipboard() {
    if (watched->fails("EmptyClipboard")) return FALSE;
    return watched->emptyClipboard.original<decltype(&EmptyClipboard)>()();
}

HANDLE WINAPI watchedSetClipboardData(UINT format, HANDLE data) {
    if (watched->fails("SetClipboardData")) return nullptr;
    HANDLE taken = watched->setClipboardData.original<decltype(&SetClipboardData)>()(format, data);
    if (taken) watched->calls.handedOver.push_back(data);
    return taken;
}

BOOL WINAPI watchedCloseClipboard() {
    ++watched->calls.closed;
    return watched->closeClipboard.original<decltype(&CloseClipboard)>()();
}

bool sameBlocks(std::vector<HGLOBAL> a, std::vector<HGLOBAL> b) {
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    return a == b;
}

// How the clipboard is left when a call fails.
enum class Left { AsItWas, Empty, WithTheText };

struct FaultCase {
    const char* failing;  // "" for none
    Left clipboard;
};

const FaultCase kFaults[] = {
    {"", Left::WithTheText},
    // Before the clipboard is opened: nothing of it is touched.
    {"GlobalAlloc", Left::AsItWas},
    {"GlobalLock", Left::AsItWas},
    {"OpenClipboard", Left::AsItWas},
    {"EmptyClipboard", Left::AsItWas},
    // Emptied already: what other programs put there is gone.
    {"SetClipboardData", Left::Empty},
};

void expectClipboard(Left left, const std::string& text) {
    std::vector<UINT> formats = clipboardFormats();
    bool markerThere = std::find(formats.begin(), formats.end(), privateClipboardFormat()) != formats.end();
    switch (left) {
    case Left::AsItWas:
        EXPECT_EQ(clipboardText(), "before");
        EXPECT_TRUE(markerThere) << "the other program's item is gone";
        break;
    case Left::Empty: EXPECT_TRUE(formats.empty()) << formats.size() << " formats"; break;
    case Left::WithTheText:
        EXPECT_EQ(clipboardText(), text);
        EXPECT_FALSE(markerThere);
        break;
    }
}

// Each block was either handed to the clipboard or freed, once; each open
// was closed.
void expectNothingLeaked(const ClipboardCalls& calls, bool handed) {
    EXPECT_EQ(calls.opened, calls.closed);
    EXPECT_LE(calls.allocated.size(), 1u);
    if (handed) {
        EXPECT_TRUE(sameBlocks(calls.handedOver, calls.allocated));
        EXPECT_TRUE(calls.freed.empty());
    } else {
        EXPECT_TRUE(calls.handedOver.empty());
        EXPECT_TRUE(sameBlocks(calls.freed, calls.allocated)) << calls.freed.size() << " of "
                                                              << calls.allocated.size() << " blocks freed";
    }
}

TEST(ClipboardFaults, OnEveryFailureSetClipboardTextFreesTheBlockAndSaysFalse) {
    const std::string text = gbk("火星文\r\n");
    for (const FaultCase& fault : kFaults) {
        SCOPED_TRACE(std::string("failing: ") + fault.failing);
        putOnClipboard("before");
        bool handed;
        ClipboardCalls calls;
        {
            WatchedClipboardCalls watch(fault.failing);
            ASSERT_TRUE(watch.applied());
            handed = app::setClipboardText(text);
            calls = watch.calls;
        }
        bool shouldHand = fault.clipboard == Left::WithTheText;
        EXPECT_EQ(handed, shouldHand);
        expectNothingLeaked(calls, shouldHand);
        expectClipboard(fault.clipboard, text);
    }
}

TEST_F(MainWindowTest, CutKeepsTheTextWhenTheClipboardRefusesIt) {
    const std::string text = gbk("火星文 吙煋攵");
    for (const FaultCase& fault : kFaults) {
        SCOPED_TRACE(std::string("failing: ") + fault.failing);
        putOnClipboard("before");
        app::writeContent(editBox(), text);
        ClipboardCalls calls;
        {
            WatchedClipboardCalls watch(fault.failing);
            ASSERT_TRUE(watch.applied());
            click(ControlId::Cut);
            calls = watch.calls;
        }
        bool handed = fault.clipboard == Left::WithTheText;
        EXPECT_EQ(show(app::readContent(editBox())), show(handed ? std::string() : text));
        expectNothingLeaked(calls, handed);
        expectClipboard(fault.clipboard, text);
    }
}

}  // namespace
}  // namespace huoxing::testing
