// The window tests. The same program, started with --hold-clipboard, is the
// other process that keeps the clipboard open while a test runs.

#include <windows.h>
#include <ole2.h>

#include <cstring>

#include <gtest/gtest.h>

namespace {

// Opens the clipboard for a window of its own, as programs do (Wine lets a
// second opener without a window in).
int holdClipboard(const char* readyEvent, const char* releaseEvent) {
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, readyEvent);
    HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, releaseEvent);
    HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (!ready || !release || !owner || !OpenClipboard(owner)) return 1;
    SetEvent(ready);
    WaitForSingleObject(release, 60 * 1000);
    CloseClipboard();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--hold-clipboard") == 0) return holdClipboard(argv[2], argv[3]);
    ::testing::InitGoogleTest(&argc, argv);
    // As the program does before its window exists.
    if (FAILED(OleInitialize(nullptr))) return 2;
    int status = RUN_ALL_TESTS();
    OleUninitialize();
    return status;
}
