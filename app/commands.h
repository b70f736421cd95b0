#pragma once
// The seven commands of the buttons. Each works on the content of the edit box
// and runs to its end inside the click that started it.

#include <windows.h>

namespace huoxing::app {

// Conversions: read the content, transform it, write it back.
void toMartian(HWND editBox);
void toTraditional(HWND editBox);
void toSimplified(HWND editBox);
void toPinyin(HWND editBox);

// The content to the clipboard; cutContent empties the box only when the
// clipboard took the text, so a busy clipboard never costs the user the text.
void copyContent(HWND editBox);
void cutContent(HWND editBox);
void clearContent(HWND editBox);

}  // namespace huoxing::app
