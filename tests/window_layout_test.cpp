// The window's texts and layout, which need no Windows to check.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "captions.h"
#include "test_text.h"
#include "window_layout.h"

namespace huoxing::testing {
namespace {

using app::ControlKind;
using app::ControlPlace;

TEST(WindowCaptions, AreTheGbkBytesOfTheirTexts) {
    const struct {
        const char* bytes;
        const char* utf8;
    } captions[] = {
        {app::kCaptionToMartian, "变成火星文"},
        {app::kCaptionToTraditional, "变成繁体"},
        {app::kCaptionToSimplified, "变成简体"},
        {app::kCaptionToPinyin, "转换拼音"},
        {app::kCaptionCopy, "复制"},
        {app::kCaptionCut, "剪切"},
        {app::kCaptionClear, "清除"},
        {app::kWindowCaption, "火星文字匠 - 赤沙工作室 - 赤沙网"},
        {app::kCannotCreateWindow, "无法创建窗口。"},
    };
    for (const auto& caption : captions) {
        EXPECT_EQ(show(caption.bytes), show(gbk(caption.utf8)));
    }
}

TEST(CentredOrigin, TruncatesTowardZero) {
    const struct {
        int screenWidth, screenHeight;
        app::WindowOrigin origin;
    } cases[] = {
        {1024, 768, {312, 194}},
        {391, 768, {-4, 194}},   // -9 / 2 is -4, not -5
        {399, 379, {0, 0}},      // -1 / 2 is 0
        {400, 380, {0, 0}},
        {1920, 1080, {760, 350}},
        {1366, 767, {483, 193}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(app::centredOrigin(c.screenWidth, c.screenHeight), c.origin)
            << c.screenWidth << "x" << c.screenHeight;
    }
}

bool overlap(const ControlPlace& a, const ControlPlace& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

TEST(ControlLayout, HoldsNineControlsThatDoNotOverlap) {
    std::set<app::ControlId> ids;
    int buttons = 0;
    for (const ControlPlace& place : app::kControlLayout) {
        ids.insert(place.id);
        buttons += place.kind == ControlKind::PushButton;
        for (const ControlPlace& other : app::kControlLayout) {
            if (&other != &place) {
                EXPECT_FALSE(overlap(place, other)) << static_cast<int>(place.id);
            }
        }
    }
    EXPECT_EQ(ids.size(), 9u);
    EXPECT_EQ(buttons, 7);
    EXPECT_EQ(app::placeOf(app::ControlId::BrowserBox).top, 288);
}

}  // namespace
}  // namespace huoxing::testing
