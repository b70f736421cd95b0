#include "commands.h"

#include "clipboard.h"
#include "content.h"
#include "martian_converter.h"
#include "pinyin_transcriber.h"
#include "script_converter.h"

namespace huoxing::app {

void toMartian(HWND editBox) {
    writeContent(editBox, convertMartian(readContent(editBox), MartianDirection::ToMartian));
}

void toTraditional(HWND editBox) {
    writeContent(editBox, convertScript(readContent(editBox), ScriptConversionKind::SimplifiedToTraditional));
}

// Martian script is undone first, and the box written in between: the second
// step converts what the box gives back.
void toSimplified(HWND editBox) {
    writeContent(editBox, convertMartian(readContent(editBox), MartianDirection::FromMartian));
    writeContent(editBox, convertScript(readContent(editBox), ScriptConversionKind::TraditionalToSimplified));
}

void toPinyin(HWND editBox) {
    toSimplified(editBox);
    writeContent(editBox, transcribePinyin(readContent(editBox), PinyinMode::Full, true));
}

void copyContent(HWND editBox) { setClipboardText(readContent(editBox)); }

void cutContent(HWND editBox) {
    if (setClipboardText(readContent(editBox))) writeContent(editBox, {});
}

void clearContent(HWND editBox) { writeContent(editBox, {}); }

}  // namespace huoxing::app
