#pragma once

#include "gbk_text.h"

namespace huoxing::app {

// Makes `text` the only content of the clipboard, as CF_TEXT. False when the
// clipboard cannot be opened or emptied or the memory for the text cannot be
// had, and the clipboard is then left as it was; false too when, once
// emptied, it does not take the text, and it then stays empty.
bool setClipboardText(const GbkText& text);

}  // namespace huoxing::app
