#include "pinyin_dictionary.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <vector>

#include "pinyin_tables.h"
#include "test_text.h"

namespace huoxing {
namespace {

using testing::gbk;
using testing::hex;
using testing::show;

constexpr int kColumns = 94;

std::uint16_t codeOfCell(int cell) {
    return static_cast<std::uint16_t>((0xB0 + cell / kColumns) << 8 | (0xA1 + cell % kColumns));
}

int cellOf(std::uint16_t code) { return ((code >> 8) - 0xB0) * kColumns + ((code & 0xFF) - 0xA1); }

std::string unitText(std::uint16_t code) { return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)}; }

std::vector<std::string> readingsOf(const std::string& character) {
    std::vector<std::string> readings;
    for (int number = 1;; ++number) {
        std::string reading = lookupReading(character, number, PinyinMode::Full);
        if (reading.empty()) return readings;
        readings.push_back(reading);
    }
}

struct TellingRow {
    const char* character;
    std::uint16_t code;
    std::uint16_t cell;
    std::vector<std::string> readings;
};

TEST(PinyinDictionary, TellingRows) {
    const TellingRow rows[] = {
        {"啊", 0xB0A1, 0x0021, {"a"}},
        {"安", 0xB0B2, 0x001A, {"an"}},
        {"二", 0xB6FE, 0x001E, {"er"}},
        {"中", 0xD6D0, 0x2801, {"zhong"}},
        {"国", 0xB9FA, 0x350C, {"guo"}},
        {"一", 0xD2BB, 0x3616, {"yi"}},
        {"我", 0xCED2, 0x2217, {"wo"}},
        {"女", 0xC5AE, 0x370A, {"nu"}},
        {"略", 0xC2D4, 0x300B, {"lue"}},
        {"的", 0xB5C4, 0x8030, {"de", "di"}},
        {"长", 0xB3A4, 0x801A, {"chang", "zhang"}},
        {"和", 0xBACD, 0x8057, {"he", "hu", "huo"}},
        {"行", 0xD0D0, 0x8115, {"xing", "hang", "heng"}},
        {"重", 0xD6D8, 0x8139, {"zhong", "chong"}},
        {"丶", 0xD8BC, 0x0000, {}},
    };
    for (const TellingRow& row : rows) {
        SCOPED_TRACE(row.character);
        ASSERT_EQ(gbk(row.character), unitText(row.code));
        EXPECT_EQ(kReadingTable[cellOf(row.code)], row.cell);
        EXPECT_EQ(readingsOf(gbk(row.character)), row.readings);
    }
    EXPECT_EQ(kReadingTable[0], 0x0021) << "啊 is the first cell";
}

TEST(PinyinDictionary, ExactlyTheListedCellsHoldNoReading) {
    const std::set<std::uint16_t> expected = {
        0xD7FA, 0xD7FB, 0xD7FC, 0xD7FD, 0xD7FE,  // unassigned
        0xD8BC, 0xD8CE, 0xD8D6, 0xD8E7, 0xD8E9,  // 丶 匚 刂 冂 亻
        0xD9E8, 0xD9EF, 0xD9FB, 0xDAA2, 0xDAA5,  // 勹 亠 冫 冖 讠
        0xDAE0, 0xDAE2, 0xDBC8, 0xDBC9, 0xDCB3,  // 卩 阝 廴 凵 艹
        0xDEC3, 0xDED0, 0xDFBC, 0xE1EA, 0xE1EB,  // 廾 扌 呒 彡 犭
        0xE2BA, 0xE2BB, 0xE2E0, 0xE3DC, 0xE3DF,  // 夂 饣 忄 丬 氵
        0xE5B2, 0xE5C1, 0xE5E6, 0xE5F8, 0xE6F9,  // 宀 辶 彐 屮 纟
        0xEBB6, 0xECE1, 0xECEA, 0xEDB1, 0xEEC4,  // 攵 灬 礻 肀 钅
        0xF0DA, 0xF1C2, 0xF2AE,                  // 疒 衤 虍
    };
    ASSERT_EQ(expected.size(), 43u);
    std::set<std::uint16_t> zero;
    for (int cell = 0; cell < kReadingCellCount; ++cell) {
        if (kReadingTable[cell] == 0) zero.insert(codeOfCell(cell));
    }
    EXPECT_EQ(zero, expected);
}

// Every stored reading: an initial in the low byte and a final in the high
// byte, or a final alone in the low byte.
bool madeOfListedParts(std::uint16_t reading) {
    unsigned low = reading & 0xFF;
    unsigned high = reading >> 8;
    auto isInitial = [](unsigned code) { return code >= 1 && code <= kInitialCount; };
    auto isFinal = [](unsigned code) { return code > kInitialCount && code <= kSyllablePartCount; };
    return (isInitial(low) && isFinal(high)) || (isFinal(low) && high == 0);
}

TEST(PinyinDictionary, PolyphoneRowsFollowTheCellsAndHoldListedParts) {
    int nextRow = 0;
    int single = 0;
    for (int cell = 0; cell < kReadingCellCount; ++cell) {
        std::uint16_t value = kReadingTable[cell];
        SCOPED_TRACE(hex(unitText(codeOfCell(cell))));
        if (value == 0) continue;
        if (!(value & kPolyphoneFlag)) {
            EXPECT_TRUE(madeOfListedParts(value)) << std::hex << value;
            ++single;
            continue;
        }
        ASSERT_EQ(value & ~kPolyphoneFlag, nextRow) << "rows are numbered in cell order";
        ++nextRow;
    }
    EXPECT_EQ(nextRow, kPolyphoneRowCount);
    EXPECT_EQ(single, 6246);

    int threeReadings = 0;
    for (const auto& row : kPolyphoneTable) {
        EXPECT_TRUE(madeOfListedParts(row[0]) && madeOfListedParts(row[1]));
        EXPECT_NE(row[0], row[1]);
        if (row[2] != 0) {
            EXPECT_TRUE(madeOfListedParts(row[2]));
            EXPECT_TRUE(row[2] != row[0] && row[2] != row[1]);
            ++threeReadings;
        }
    }
    EXPECT_EQ(kPolyphoneRowCount, 479);
    EXPECT_EQ(threeReadings, 26);
}

TEST(PinyinDictionary, SyllablePartsAreTheListedCodes) {
    const char* const expected =
        "zh ch sh b p m f d t n l g k h j q x r z c s y w "
        "ang eng an ai ao ou er en ei a o e uang iang iong ing ong uai uan iao ian ui iu ie ue in un ia ua uo i u";
    std::string joined;
    for (int code = 1; code <= kSyllablePartCount; ++code) {
        joined += std::string(kSyllableParts[code]) + (code < kSyllablePartCount ? " " : "");
    }
    EXPECT_EQ(joined, expected);
    EXPECT_EQ(kInitialCount, 23);
}

// The letters by plain string joins of kSyllableParts, for every cell, reading
// number and part: the packed stores of the lookup must give the same.
TEST(PinyinDictionary, LookupMatchesPlainJoinsOfTheParts) {
    for (int cell = 0; cell < kReadingCellCount; ++cell) {
        std::uint16_t value = kReadingTable[cell];
        std::vector<std::uint16_t> readings;
        if (value & kPolyphoneFlag) {
            for (std::uint16_t reading : kPolyphoneTable[value & ~kPolyphoneFlag]) readings.push_back(reading);
        } else {
            readings = {value, 0, 0};
        }
        std::string text = unitText(codeOfCell(cell));
        for (int number = 1; number <= 3; ++number) {
            std::uint16_t reading = readings[number - 1];
            std::string low(kSyllableParts[reading & 0xFF]);
            std::string high(kSyllableParts[reading >> 8]);
            ASSERT_EQ(lookupReading(text, number, PinyinMode::Full), low + high) << hex(text) << " " << number;
            ASSERT_EQ(lookupReading(text, number, PinyinMode::Initial), low) << hex(text) << " " << number;
            ASSERT_EQ(lookupReading(text, number, PinyinMode::Final), high) << hex(text) << " " << number;
        }
    }
}

struct LookupCase {
    std::string text;
    int readingNumber;
    PinyinMode part;
    const char* expected;
};

TEST(PinyinDictionary, LookupReading) {
    const auto Full = PinyinMode::Full, Initial = PinyinMode::Initial, Final = PinyinMode::Final;
    const LookupCase cases[] = {
        {gbk("长"), 1, Full, "chang"},
        {gbk("长"), 0, Full, "chang"},  // 0 and below count as 1
        {gbk("长"), -7, Full, "chang"},
        {gbk("长"), INT_MIN, Full, "chang"},
        {gbk("长"), 2, Full, "zhang"},
        {gbk("长"), 3, Full, ""},
        {gbk("长"), INT_MAX, Full, ""},
        {gbk("和"), 3, Full, "huo"},
        {gbk("和"), 4, Full, ""},
        {gbk("中"), 1, Full, "zhong"},
        {gbk("中"), 2, Full, ""},
        {gbk("长"), 1, Initial, "ch"},
        {gbk("长"), 1, Final, "ang"},
        {gbk("长"), 2, Final, "ang"},
        {gbk("长"), 1, static_cast<PinyinMode>(7), "chang"},  // any other mode acts as Full
        {gbk("长"), 1, static_cast<PinyinMode>(-1), "chang"},
        {gbk("安"), 1, Initial, "an"},  // no initial: the whole syllable
        {gbk("安"), 1, Final, ""},
        {gbk("一"), 1, Initial, "y"},
        {gbk("我"), 1, Final, "o"},
        // u with diaeresis is written u.
        {gbk("女"), 1, Full, "nu"},
        {gbk("绿"), 1, Full, "lu"},
        {gbk("虐"), 1, Full, "nue"},
        {gbk("鱼"), 1, Full, "yu"},
        {gbk("学"), 1, Full, "xue"},
        // Only the first two bytes count.
        {gbk("中国"), 1, Full, "zhong"},
        {gbk("中") + "abc", 1, Full, "zhong"},
        // Nothing to read.
        {"", 1, Full, ""},
        {"\xD6", 1, Full, ""},
        {"ab", 1, Full, ""},
        {gbk("丶"), 1, Full, ""},
        {gbk("丂"), 1, Full, ""},         // 81 40: outside GB2312
        {gbk("、"), 1, Full, ""},         // A1 A2: symbol area
        {"\xD7\xFA", 1, Full, ""},        // unassigned
        {"\xB0\xA0", 1, Full, ""},        // trail below the area
        {"\xB0\xFF", 1, Full, ""},        // trail above it
        {"\xF8\xA1", 1, Full, ""},        // lead above it
        {"\xAF\xFE", 1, Full, ""},        // lead below it
        {"\xB0\xA1", 1, Full, "a"},       // first cell
        {"\xF7\xFE", 1, Full, "zha"},     // last cell: 齄
    };
    for (const LookupCase& c : cases) {
        EXPECT_EQ(lookupReading(c.text, c.readingNumber, c.part), c.expected)
            << show(c.text) << " reading " << c.readingNumber << " part " << static_cast<int>(c.part);
    }
}

}  // namespace
}  // namespace huoxing
