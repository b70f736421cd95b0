// A content of many megabytes: the edit box's limit is lifted to the
// platform's maximum, and every button works on the whole content, byte for
// byte. 1 MiB by default, to keep the suite quick; HUOXING_LARGE_CONTENT_MIB
// asks for more (make window-timings runs it at 8).

#include <algorithm>
#include <cstdlib>
#include <string>

#include "content.h"
#include "martian_converter.h"
#include "pinyin_transcriber.h"
#include "script_converter.h"
#include "test_text.h"
#include "window_driver.h"

namespace huoxing::testing {
namespace {

using app::ControlId;

std::size_t largeContentSize() {
    const char* mib = std::getenv("HUOXING_LARGE_CONTENT_MIB");
    double size = mib ? std::atof(mib) : 1.0;
    return static_cast<std::size_t>((size > 0 ? size : 1.0) * (1 << 20));
}

// Chinese prose as a user pastes it: simplified, traditional and Martian
// characters, full-width punctuation, ASCII words, lines of varied length
// (some empty), ending with a whole line.
std::string mixedText(std::size_t size) {
    const std::string phrases[] = {
        gbk("张三说："),       gbk("发展经济，"),     gbk("後來髮型變了。"), gbk("火星文 "),
        gbk("吙煋攵 伱恏"),    gbk("國家發展"),       "abc 123 ",           gbk("“引号”（括号）！"),
        gbk("行长中丂国"),     "\t",                  gbk("今天天气很好。"), "huoxing-0.1 ",
    };
    std::string text;
    text.reserve(size + 64);
    unsigned state = 12345;
    while (text.size() < size) {
        state = state * 1103515245u + 12345u;
        text += phrases[(state >> 16) % std::size(phrases)];
        if ((state >> 8) % 9 == 0) text += "\r\n";
        if ((state >> 4) % 97 == 0) text += "\r\n";
    }
    text.resize(text.rfind("\r\n", size - 2) + 2);
    return text;
}

GbkText simplified(const GbkText& text) {
    return convertScript(convertMartian(text, MartianDirection::FromMartian),
                         ScriptConversionKind::TraditionalToSimplified);
}

::testing::AssertionResult sameBytes(const std::string& got, const std::string& want) {
    if (got == want) return ::testing::AssertionSuccess();
    std::size_t at = std::mismatch(got.begin(), got.begin() + std::min(got.size(), want.size()), want.begin()).first -
                     got.begin();
    return ::testing::AssertionFailure() << got.size() << " bytes for " << want.size() << ", first difference at byte "
                                         << at;
}

TEST_F(MainWindowTest, EveryButtonKeepsEveryByteOfALargeContent) {
    const std::string text = mixedText(largeContentSize());
    const struct {
        const char* name;
        ControlId button;
        std::string content;    // left in the box
        std::string clipboard;  // left on the clipboard, for 复制 and 剪切
    } cases[] = {
        {"to Martian", ControlId::ToMartian, convertMartian(text, MartianDirection::ToMartian), ""},
        {"to traditional", ControlId::ToTraditional,
         convertScript(text, ScriptConversionKind::SimplifiedToTraditional), ""},
        {"to simplified", ControlId::ToSimplified, simplified(text), ""},
        {"to pinyin", ControlId::ToPinyin, transcribePinyin(simplified(text), PinyinMode::Full, true), ""},
        {"copy", ControlId::Copy, text, text},
        {"cut", ControlId::Cut, "", text},
        {"clear", ControlId::Clear, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        putOnClipboard("");
        app::writeContent(editBox(), text);
        ASSERT_TRUE(sameBytes(app::readContent(editBox()), text)) << "the box does not hold " << text.size() << " bytes";
        click(c.button);
        EXPECT_TRUE(sameBytes(app::readContent(editBox()), c.content));
        if (!c.clipboard.empty()) {
            EXPECT_TRUE(sameBytes(clipboardText().value_or(""), c.clipboard));
        }
    }
}

}  // namespace
}  // namespace huoxing::testing
