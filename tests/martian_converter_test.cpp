#include "martian_converter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "martian_tables.h"
#include "test_text.h"

namespace huoxing {
namespace {

using testing::gbk;
using testing::hex;
using testing::show;
constexpr auto To = MartianDirection::ToMartian;
constexpr auto From = MartianDirection::FromMartian;

std::uint16_t plainAt(int row) { return loadUnit(kPlainTable + 2 * (row - 1)); }
std::uint16_t martianAt(int row) { return loadUnit(kMartianTable + 2 * (row - 1)); }

// The plain lookup: scan the searched column from row 1, first row wins.
std::uint16_t replacementByScan(std::uint16_t code, MartianDirection direction) {
    for (int row = 1; row <= kMartianRowCount; ++row) {
        std::uint16_t searched = direction == To ? plainAt(row) : martianAt(row);
        if (searched == code) return direction == To ? martianAt(row) : plainAt(row);
    }
    return code;
}

std::string unitText(std::uint16_t code) {
    return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

std::string charOf(std::uint16_t code) { return utf8FromGbk(unitText(code)); }

TEST(MartianConverter, IndexMatchesTheFirstRowScanForEveryGbkCode) {
    std::string all;
    std::vector<std::uint16_t> codes;
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            codes.push_back(static_cast<std::uint16_t>(lead << 8 | trail));
            all += unitText(codes.back());
        }
    }
    ASSERT_EQ(codes.size(), 23940u);
    for (MartianDirection direction : {To, From}) {
        std::string converted = convertMartian(all, direction);
        ASSERT_EQ(converted.size(), all.size());
        for (std::size_t i = 0; i < codes.size(); ++i) {
            ASSERT_EQ(loadUnit(bytesOf(converted) + 2 * i), replacementByScan(codes[i], direction))
                << "code " << hex(unitText(codes[i])) << " direction " << static_cast<int>(direction);
        }
    }
}

struct Example {
    MartianDirection direction;
    const char* input;
    const char* expected;
};

TEST(MartianConverter, WorkedExamples) {
    const Example examples[] = {
        {To, "火星文", "吙煋攵"},
        {To, "你好，世界！", "伱恏，卋堺！"},
        {To, "中华人民共和国", "ф囮囚囻囲囷國"},
        {To, "发展经济", "發展經濟"},
        {From, "吙煋攵", "火星文"},
        {From, "伱恏，卋堺！", "你好，世界！"},
        // First row wins.
        {To, "马叶中", "骉旪ф"},
        {From, "絀囮壟", "出化垄"},
        {To, "璃", "璃"},
        {From, "璃", "璃"},
        // One pass: 张 becomes 涨 and is not looked up again.
        {To, "张", "涨"},
        {To, "三", "三"},
        {From, "三", "叁"},
        {From, "中华人民共和国", "中华人民共和国"},
        {To, "", ""},
        {From, "", ""},
        {To, "abc 123\t\r\n~", "abc 123\t\r\n~"},
        {From, "abc 123\t\r\n~", "abc 123\t\r\n~"},
    };
    for (const Example& e : examples) {
        std::string input = gbk(e.input);
        std::string got = convertMartian(input, e.direction);
        EXPECT_EQ(got, gbk(e.expected)) << e.input << " gave " << show(got);
    }
}

struct ByteCase {
    const char* what;
    std::string input;
    std::string expected;
};

TEST(MartianConverter, ByteLevelEdgeCases) {
    const ByteCase cases[] = {
        // 0x80 takes C E; D2 C3 (颐) is then a unit of its own and becomes 頤 (EE 55).
        {"euro before 我们", "\x80\xCE\xD2\xC3\xC7", "\x80\xCE\xEE\x55\xC7"},
        {"lone lead at end", "\xD6\xD0\xB0", "\xA7\xE6\xB0"},
        {"lead before LF", "\xBB\x0A\xF0", "\xBB\x0A\xF0"},
        {"0xFF lead", "\xFF\xBB\xF0", "\xFF\xBB\xF0"},
    };
    for (const ByteCase& c : cases) {
        EXPECT_EQ(hex(convertMartian(c.input, To)), hex(c.expected)) << c.what;
    }
}

// The byte-level reference: the gbk codes of 火星文 in, 吙煋攵 out.
TEST(MartianConverter, FireStarTextBytes) {
    EXPECT_EQ(hex(convertMartian("\xBB\xF0\xD0\xC7\xCE\xC4", To)), "85 BF 9F 93 EB B6");
}

TEST(MartianConverter, StreamPrefixStopsBeforeALoneLeadByte) {
    std::string text = "\xD6\xD0" "a\xD6";
    EXPECT_EQ(convertMartianInPlace(bytesOf(text), text.size(), To), 3u);
    EXPECT_EQ(hex(text), "A7 E6 61 D6");
}

std::set<std::uint16_t> plainColumn() {
    std::set<std::uint16_t> codes;
    for (int row = 1; row <= kMartianRowCount; ++row) codes.insert(plainAt(row));
    return codes;
}

std::set<std::uint16_t> martianColumn() {
    std::set<std::uint16_t> codes;
    for (int row = 1; row <= kMartianRowCount; ++row) codes.insert(martianAt(row));
    return codes;
}

std::string joined(const std::vector<std::string>& pieces) {
    std::string out;
    for (const std::string& piece : pieces) out += (out.empty() ? "" : " ") + piece;
    return out;
}

// Characters of kPlainTable that ToMartian then FromMartian does not give back.
TEST(MartianConverter, RoundTripLosesExactlyTheThirtySharedForms) {
    std::vector<std::string> lost;  // in the order of their first rows
    std::set<std::uint16_t> seen;
    for (int row = 1; row <= kMartianRowCount; ++row) {
        std::uint16_t code = plainAt(row);
        if (!seen.insert(code).second) continue;
        std::uint16_t back = martianReplacement(martianReplacement(code, To), From);
        if (back != code) lost.push_back(charOf(code) + "→" + charOf(back));
    }
    EXPECT_EQ(joined(lost),
              "华→化 井→共 丬→片 咏→永 喽→楼 垅→垄 埘→时 埝→垫 晓→小 漤→滥 犟→强 磙→滚 绌→出 缐→线 "
              "缒→追 讠→言 谇→碎 谑→嚯 赃→脏 赑→贝 钚→不 钶→可 铯→色 锍→流 锺→钟 飚→飙 馀→余 骇→孩 "
              "骉→马 鲶→鲇");
}

TEST(MartianConverter, FromMartianChangesEightyEightGb2312Characters) {
    std::vector<std::string> changed;
    for (unsigned lead = 0xA1; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) {
            auto code = static_cast<std::uint16_t>(lead << 8 | trail);
            std::uint16_t plain = martianReplacement(code, From);
            if (plain != code) changed.push_back(charOf(code) + "→" + charOf(plain));
        }
    }
    EXPECT_EQ(changed.size(), 88u);
    EXPECT_EQ(joined(changed),
              "②→二 え→元 か→办 の→之 ゑ→急 ロ→口 Φ→中 ф→中 ㄖ→日 ㄦ→儿 ┅→一 ┿→十 茬→在 哆→多 汾→分 呵→嗬 "
              "呼→唿 糊→煳 脊→嵴 溜→熘 么→幺 猛→勐 劈→噼 囚→人 犬→犭 三→叁 巳→已 退→煺 毋→母 矽→硅 原→塬 "
              "涨→张 著→着 仂→力 仫→么 仳→比 佘→畲 阪→坂 茑→鸟 茚→印 茴→会 荇→行 莪→我 菽→叔 葑→封 叻→了 "
              "吒→咤 吖→呀 呔→太 呱→哌 呦→幼 咴→灰 咣→光 哏→跟 哽→更 唑→坐 喃→南 喑→音 噫→易 囡→女 囹→令 "
              "囿→有 圊→青 圉→幸 嶂→章 後→后 夥→伙 怵→憷 悝→理 忝→天 爿→片 洧→有 洳→如 屙→疴 孓→子 玳→代 "
              "槁→藁 攵→文 於→于 钜→鉅 铨→全 镓→家 镟→碹 疒→病 癍→班 衤→衣 褙→背 糸→纟");
}

TEST(MartianConverter, RepeatedConversionsChangeOnlyTheChains) {
    std::vector<std::string> toTwice;
    std::vector<std::string> fromTwice;
    for (std::uint16_t code = 0x8140; code != 0; ++code) {
        std::uint16_t once = martianReplacement(code, To);
        std::uint16_t twice = martianReplacement(once, To);
        if (once != code && twice != once) toTwice.push_back(charOf(code) + charOf(once) + charOf(twice));
        EXPECT_EQ(martianReplacement(twice, To), twice) << "a third ToMartian changed " << charOf(code);
        once = martianReplacement(code, From);
        twice = martianReplacement(once, From);
        if (once != code && twice != once) fromTwice.push_back(charOf(code) + charOf(once) + charOf(twice));
    }
    std::sort(toTwice.begin(), toTwice.end());
    std::sort(fromTwice.begin(), fromTwice.end());
    std::vector<std::string> expectedTo = {"鸟茑蔦", "灰咴噅", "全铨銓", "张涨漲", "家镓鎵",
                                           "马骉驫", "幺么仫", "犭犬猋", "碹镟鏇"};
    std::vector<std::string> expectedFrom = {"仫么幺", "猋犬犭", "麼么幺", "噅咴灰", "漲涨张",
                                             "蔦茑鸟", "銓铨全", "鎵镓家", "鏇镟碹"};
    std::sort(expectedTo.begin(), expectedTo.end());
    std::sort(expectedFrom.begin(), expectedFrom.end());
    EXPECT_EQ(toTwice, expectedTo);
    EXPECT_EQ(fromTwice, expectedFrom);
}

// Rows fixed by design stand at their numbers (tools/data/martian_rows.txt).
TEST(MartianTables, FixedRowsStandAtTheirNumbers) {
    std::ifstream file(HUOXING_SOURCE_DIR "/tools/data/martian_rows.txt");
    ASSERT_TRUE(file) << "cannot read the fixed rows";
    std::string line;
    int fixed = 0;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        int row;
        std::string plain, martian;
        fields >> row >> plain >> martian;
        EXPECT_EQ(charOf(plainAt(row)) + charOf(martianAt(row)), plain + martian) << "row " << row;
        ++fixed;
    }
    EXPECT_EQ(fixed, 270 + 147);
}

TEST(MartianTables, LayoutAndCounts) {
    EXPECT_EQ(sizeof kPlainTable, 5653u);
    EXPECT_EQ(sizeof kMartianTable, 5653u);
    for (int row = 1; row <= kMartianRowCount; ++row) {
        for (std::uint16_t code : {plainAt(row), martianAt(row)}) {
            unsigned lead = code >> 8, trail = code & 0xFF;
            EXPECT_TRUE(lead >= 0x81 && lead <= 0xFD && trail >= 0x40 && trail <= 0xFE && trail != 0x7F)
                << "row " << row;
        }
    }
    EXPECT_EQ(plainColumn().size(), 2759u);
    EXPECT_EQ(martianColumn().size(), 2777u);
}

bool inGb2312(std::uint16_t code) { return (code >> 8) >= 0xA1 && (code & 0xFF) >= 0xA1; }

// What every traditional-form row keeps, so the derived facts above hold.
TEST(MartianTables, TraditionalFormRowsKeepTheirInvariants) {
    std::ifstream file(HUOXING_SOURCE_DIR "/tools/data/martian_rows.txt");
    std::set<int> fixedRows;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line[0] != '#') fixedRows.insert(std::stoi(line));
    }
    std::set<std::uint16_t> lookAlike;
    for (int row = 1; row <= 270; ++row) lookAlike.insert({plainAt(row), martianAt(row)});
    std::map<std::uint16_t, int> uses;
    for (int row = 1; row <= kMartianRowCount; ++row) {
        ++uses[plainAt(row)];
        ++uses[martianAt(row)];
    }
    std::set<std::uint16_t> martian = martianColumn();
    char32_t previous = 0;
    for (int row = 271; row <= kMartianRowCount; ++row) {
        char32_t plain = unicodeOfGbk(plainAt(row));
        EXPECT_GT(plain, previous) << "row " << row << " breaks the ascending order";
        EXPECT_TRUE(plain >= 0x4E00 && plain <= 0x9FFF) << "row " << row;
        previous = plain;
        if (fixedRows.count(row)) continue;
        EXPECT_FALSE(lookAlike.count(plainAt(row)) || martian.count(plainAt(row))) << "row " << row;
        EXPECT_FALSE(inGb2312(martianAt(row))) << "row " << row;
        EXPECT_EQ(uses[martianAt(row)], 1) << "row " << row << " shares its Martian form";
    }
    EXPECT_EQ(charOf(plainAt(271)), "万");
    EXPECT_EQ(charOf(plainAt(2826)), "龟");
}

}  // namespace
}  // namespace huoxing
