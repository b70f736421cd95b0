#include "commands.h"

#include "clipboard.h"
#include "content.h"
#include "martian_converter.h"

namespace huoxing::app {

void toMartian(HWND editBox) {
    writeContent(editBox, convertMartian(readContent(editBox), MartianDirection::ToMartian));
}

// The script and pinyin conversions come with their converters.
void toTraditional(HWND) {}

void toSimplified(HWND) {}

void toPinyin(HWND) {}

void copyContent(HWND editBox) { setClipboardText(readContent(editBox)); }

void cutContent(HWND editBox) {
    if (setClipboardText(readContent(editBox))) writeContent(editBox, {});
}

void clearContent(HWND editBox) { writeContent(editBox, {}); }

}  // namespace huoxing::app
