// The buttons' commands on the real window: what the edit box and the
// clipboard hold afterwards.

#include <algorithm>
#include <string>

#include "clipboard.h"
#include "content.h"
#include "test_text.h"
#include "window_driver.h"

namespace huoxing::testing {
namespace {

using app::ControlId;
using app::readContent;
using app::writeContent;

struct CommandCase {
    const char* name;
    ControlId button;
    std::string before;
    std::string after;
};

TEST_F(MainWindowTest, EachCommandLeavesItsContent) {
    const CommandCase cases[] = {
        {"to Martian", ControlId::ToMartian, gbk("火星文"), gbk("吙煋攵")},
        {"to Martian keeps full-width punctuation", ControlId::ToMartian, gbk("你好，世界！"), gbk("伱恏，卋堺！")},
        {"to Martian keeps line breaks", ControlId::ToMartian, gbk("中\r\n华\r\n"), gbk("ф\r\n囮\r\n")},
        {"to Martian converts once a press", ControlId::ToMartian, gbk("张"), gbk("涨")},
        {"to Martian on an empty box", ControlId::ToMartian, "", ""},
        {"to traditional", ControlId::ToTraditional, gbk("国家发展，“沉”"), gbk("國家發展，『沈』")},
        {"to traditional keeps ASCII and line breaks", ControlId::ToTraditional, "abc\r\n1 2", "abc\r\n1 2"},
        {"to simplified", ControlId::ToSimplified, gbk("國家發展髮〔﹐〕「」"), gbk("国家发展发［，］‘’")},
        {"to simplified undoes Martian script first", ControlId::ToSimplified, gbk("吙煋攵 伱恏"), gbk("火星文 你好")},
        {"to simplified changes ordinary text too", ControlId::ToSimplified, gbk("三涨原曉駭钜璃"),
         gbk("叁张塬小孩钜璃")},
        {"to simplified on an empty box", ControlId::ToSimplified, "", ""},
        {"to pinyin", ControlId::ToPinyin, gbk("中国"), "zhong guo"},
        {"to pinyin simplifies and undoes Martian script", ControlId::ToPinyin, gbk("ф國 吙煋攵！"),
         "zhong guo   huo xing wen !"},
        {"to pinyin keeps lines and unreadable characters", ControlId::ToPinyin, gbk("行长\r\n中丂国"),
         gbk("xing chang \r\n zhong 丂 guo")},
        {"to pinyin on an empty box", ControlId::ToPinyin, "", ""},
        {"clear", ControlId::Clear, gbk("火星文\r\nabc"), ""},
        {"clear an empty box", ControlId::Clear, "", ""},
        {"copy keeps the content", ControlId::Copy, gbk("火星文\r\n"), gbk("火星文\r\n")},
        {"cut empties the box", ControlId::Cut, gbk("火星文\r\n"), ""},
    };
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(c.name);
        writeContent(editBox(), c.before);
        click(c.button);
        EXPECT_EQ(show(readContent(editBox())), show(c.after));
    }
}

// A second press converts what the first one left: to traditional changes
// nothing more, and the text pressed to Martian then to simplified comes back.
TEST_F(MainWindowTest, PressesInARow) {
    writeContent(editBox(), gbk("发展经济，后来"));
    click(ControlId::ToTraditional);
    std::string once = readContent(editBox());
    click(ControlId::ToTraditional);
    EXPECT_EQ(show(readContent(editBox())), show(once));
    EXPECT_EQ(show(once), show(gbk("發展經濟，後來")));

    writeContent(editBox(), gbk("火星文 你好，世界！"));
    click(ControlId::ToMartian);
    EXPECT_EQ(show(readContent(editBox())), show(gbk("吙煋攵 伱恏，卋堺！")));
    click(ControlId::ToSimplified);
    EXPECT_EQ(show(readContent(editBox())), show(gbk("火星文 你好，世界！")));
}

TEST_F(MainWindowTest, ContentIsReadAsWritten) {
    const std::string texts[] = {
        "",
        "plain ASCII\ttab",
        gbk("第一行\r\n第二行\r\n"),
        gbk("吙煋攵 ф囮 伱恏，卋堺！"),
    };
    for (const std::string& text : texts) {
        writeContent(editBox(), text);
        EXPECT_EQ(show(readContent(editBox())), show(text));
    }
}

TEST_F(MainWindowTest, AMegabyteOnOneLineIsConvertedWhole) {
    std::string line;
    while (line.size() < (1u << 20)) line += gbk("火星文 abc ");
    std::string expected;
    while (expected.size() < line.size()) expected += gbk("吙煋攵 abc ");

    writeContent(editBox(), line);
    ASSERT_EQ(readContent(editBox()).size(), line.size());
    EXPECT_EQ(SendMessageA(editBox(), EM_GETLINECOUNT, 0, 0), 1) << "a long line is not wrapped";
    click(ControlId::ToMartian);
    std::string converted = readContent(editBox());
    ASSERT_EQ(converted.size(), expected.size());
    EXPECT_TRUE(converted == expected) << "first difference at byte "
                                       << std::mismatch(converted.begin(), converted.end(), expected.begin()).first -
                                              converted.begin();
}

// Formats the system derives from CF_TEXT on its own.
bool isSynthesizedFromText(UINT format) {
    return format == CF_OEMTEXT || format == CF_UNICODETEXT || format == CF_LOCALE;
}

TEST_F(MainWindowTest, CopyAndCutPutTheWholeContentAsTheOnlyText) {
    const struct {
        const char* name;
        ControlId button;
        std::string content;
    } cases[] = {
        {"copy", ControlId::Copy, gbk("火星文\r\n吙煋攵")},
        {"cut", ControlId::Cut, gbk("火星文\r\n吙煋攵")},
        {"copy from an empty box leaves a lone NUL", ControlId::Copy, ""},
        {"cut from an empty box leaves a lone NUL", ControlId::Cut, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        putOnClipboard("before");
        writeContent(editBox(), c.content);
        SendMessageA(editBox(), EM_SETSEL, 0, 2);  // a selection plays no part
        click(c.button);

        EXPECT_EQ(clipboardText(), c.content);
        std::vector<UINT> formats = clipboardFormats();
        ASSERT_FALSE(formats.empty());
        EXPECT_EQ(formats.front(), static_cast<UINT>(CF_TEXT));
        for (UINT format : formats) {
            EXPECT_TRUE(format == CF_TEXT || isSynthesizedFromText(format)) << "format " << format << " left over";
        }
        std::string left = c.button == ControlId::Cut ? std::string() : c.content;
        EXPECT_EQ(show(readContent(editBox())), show(left));
    }
}

// Another process that holds the clipboard open until released.
class ClipboardHolder {
public:
    ClipboardHolder() {
        std::string suffix = std::to_string(GetCurrentProcessId());
        std::string readyName = "HuoxingClipboardHeld" + suffix;
        std::string releaseName = "HuoxingClipboardRelease" + suffix;
        ready_ = CreateEventA(nullptr, TRUE, FALSE, readyName.c_str());
        release_ = CreateEventA(nullptr, TRUE, FALSE, releaseName.c_str());
        char self[MAX_PATH];
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        std::string commandLine = std::string("\"") + self + "\" --hold-clipboard " + readyName + " " + releaseName;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                           &process_)) {
            CloseHandle(process_.hThread);
            HANDLE waitFor[] = {ready_, process_.hProcess};
            holding_ = WaitForMultipleObjects(2, waitFor, FALSE, 10 * 1000) == WAIT_OBJECT_0;
        }
    }
    ~ClipboardHolder() {
        release();
        CloseHandle(ready_);
        CloseHandle(release_);
    }
    bool holding() const { return holding_; }
    void release() {
        if (!process_.hProcess) return;
        SetEvent(release_);
        WaitForSingleObject(process_.hProcess, 10 * 1000);
        CloseHandle(process_.hProcess);
        process_.hProcess = nullptr;
    }

private:
    HANDLE ready_ = nullptr;
    HANDLE release_ = nullptr;
    PROCESS_INFORMATION process_{};
    bool holding_ = false;
};

TEST_F(MainWindowTest, WhileAnotherProgramHoldsTheClipboardNothingIsLost) {
    putOnClipboard("before");
    ClipboardHolder holder;
    ASSERT_TRUE(holder.holding());

    for (ControlId button : {ControlId::Copy, ControlId::Cut}) {
        writeContent(editBox(), gbk("火星文"));
        click(button);
        EXPECT_EQ(show(readContent(editBox())), show(gbk("火星文"))) << "button " << static_cast<int>(button);
    }
    EXPECT_FALSE(app::setClipboardText(gbk("火星文")));

    holder.release();
    EXPECT_EQ(clipboardText(), "before");
    std::vector<UINT> formats = clipboardFormats();
    EXPECT_NE(std::find(formats.begin(), formats.end(), privateClipboardFormat()), formats.end())
        << "the other program's item is still there";
}

TEST(SetClipboardText, MakesTheTextTheOnlyItem) {
    putOnClipboard("before");
    ASSERT_TRUE(app::setClipboardText(gbk("吙煋攵")));
    EXPECT_EQ(clipboardText(), gbk("吙煋攵"));
    std::vector<UINT> formats = clipboardFormats();
    EXPECT_EQ(std::find(formats.begin(), formats.end(), privateClipboardFormat()), formats.end());
}

}  // namespace
}  // namespace huoxing::testing
