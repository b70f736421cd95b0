#pragma once

#include "gbk_text.h"

namespace huoxing::app {

// Makes `text` the only content of the clipboard, as CF_TEXT. False when the
// clipboard cannot be opened or the memory for the text cannot be had; the
// clipboard is then left exactly as it was.
bool setClipboardText(const GbkText& text);

}  // namespace huoxing::app
