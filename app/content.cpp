#include "content.h"

namespace huoxing::app {

GbkText readContent(HWND editBox) {
    // One byte more than the length for the NUL that GetWindowTextA always writes.
    int length = GetWindowTextLengthA(editBox);
    if (length <= 0) return {};
    GbkText text(static_cast<std::size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(editBox, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

void writeContent(HWND editBox, const GbkText& text) {
    // A failure leaves the box as it was; there is no one to tell.
    SetWindowTextA(editBox, text.c_str());
}

}  // namespace huoxing::app
