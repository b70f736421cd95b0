#pragma once
// The content of the edit box: the one piece of data every command works on.

#include <windows.h>

#include "gbk_text.h"

namespace huoxing::app {

// The whole text of the edit box as GBK bytes, whatever part is selected.
GbkText readContent(HWND editBox);

// Replaces the whole text of the edit box; caret, selection and scrolling are
// left to the edit control.
void writeContent(HWND editBox, const GbkText& text);

}  // namespace huoxing::app
