#include "clipboard.h"

#include <windows.h>

#include <cstring>

namespace huoxing::app {

namespace {

// A movable, zero-filled block holding the text and its NUL, or null.
HGLOBAL textBlock(const GbkText& text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1);
    if (!block) return nullptr;
    void* bytes = GlobalLock(block);
    if (!bytes) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    return block;
}

}  // namespace

bool setClipboardText(const GbkText& text) {
    // The block is made before the clipboard is touched: emptying it first and
    // then failing to allocate would throw away what other programs put there.
    HGLOBAL block = textBlock(text);
    if (!block) return false;
    if (!OpenClipboard(nullptr)) {
        GlobalFree(block);
        return false;
    }
    bool handed = EmptyClipboard() && SetClipboardData(CF_TEXT, block) != nullptr;
    // From a successful SetClipboardData on the clipboard owns the block.
    if (!handed) GlobalFree(block);
    CloseClipboard();
    return handed;
}

}  // namespace huoxing::app
