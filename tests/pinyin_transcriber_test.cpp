#include "pinyin_transcriber.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "test_text.h"

namespace huoxing {
namespace {

using testing::gbk;
using testing::show;

constexpr auto Full = PinyinMode::Full;
constexpr auto Initial = PinyinMode::Initial;
constexpr auto Final = PinyinMode::Final;

struct Case {
    std::string input;
    std::string expected;
    PinyinMode mode = Full;
    bool spaced = true;
};

void expectCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        EXPECT_EQ(show(transcribePinyin(c.input, c.mode, c.spaced)), show(c.expected))
            << "input " << show(c.input) << " mode " << static_cast<int>(c.mode) << " spaced " << c.spaced;
    }
}

TEST(TranscribePinyin, SpacedFull) {
    expectCases({
        // Nothing to write.
        {"", ""},
        {"   ", ""},
        {gbk("　 　"), ""},
        // ASCII alone comes back as it is.
        {"abc", "abc"},
        {"a b\tc", "a b\tc"},
        // Syllables one space apart, nothing after the last.
        {gbk("中国"), "zhong guo"},
        {gbk("  中国  "), "zhong guo"},
        {gbk("　中国　"), "zhong guo"},
        {gbk("中国abc"), "zhong guo abc"},
        {gbk("abc中国"), "abc zhong guo"},
        {gbk("中a"), "zhong a"},
        {gbk("a中"), "a zhong"},
        // The follower of 中, the space, the separator of 国.
        {gbk("中 国"), "zhong   guo"},
        // The separator of the ideographic space, its half-width form, the separator of 国.
        {gbk("中　国"), "zhong   guo"},
        {gbk("中\r\n国"), "zhong \r\n guo"},
        // Symbols: a separator, the half-width form where there is one, never a follower.
        {gbk("你好！"), "ni hao !"},
        {gbk("中，国"), "zhong , guo"},
        {gbk("中１２３"), "zhong 1 2 3"},
        {gbk("中。"), "zhong " + gbk("。")},
        {gbk("“中”"), gbk("“") + " zhong " + gbk("”")},
        {gbk("～☆★￥￣"), "~ * * $ ~"},
        {gbk("①中"), gbk("①") + " zhong"},
        {gbk("！a"), "!a"},
        // Polyphonic characters take their first reading.
        {gbk("行长"), "xing chang"},
        {gbk("重庆"), "zhong qing"},
        {gbk("的和"), "de he"},
        {gbk("地似著弹"), "di si zhu tan"},  // hand-ordered: the reading of written text first
        {gbk("女绿略"), "nu lu lue"},
    });
}

TEST(TranscribePinyin, CharactersWithoutReadingKeepTheirBytes) {
    expectCases({
        {gbk("中丂国"), "zhong " + gbk("丂") + " guo"},  // 81 40, outside GB2312
        {gbk("中丶国"), "zhong " + gbk("丶") + " guo"},  // a cell without reading
        {gbk("丶"), gbk("丶")},
        {gbk("丂a"), gbk("丂") + " a"},  // and it gets a follower like a syllable
        {gbk("a丂"), "a " + gbk("丂")},
        {gbk("中丂国"), "zhong" + gbk("丂") + "guo", Full, false},
        {"\xD7\xFA", "\xD7\xFA"},                      // unassigned code
        {"\x80\x80" "a", "\x80\x80 a"},                // lead byte 0x80
        {"\xFF\xFF", "\xFF\xFF"},                      // lead byte 0xFF
        {"\xB0\x0A" "a", "\xB0\x0A a"},                // a lead byte takes the line feed after it
        {"\xF8\xA1", "\xF8\xA1"},                      // user-defined area
    });
}

TEST(TranscribePinyin, UnspacedAndModes) {
    expectCases({
        {gbk("中国abc"), "zhongguoabc", Full, false},
        {gbk("中 国"), "zhong guo", Full, false},
        {gbk("中，国！"), "zhong,guo!", Full, false},
        {gbk("中。国"), "zhong" + gbk("。") + "guo", Full, false},
        {gbk("中　国"), "zhong guo", Full, false},
        {gbk("中国"), "zh g", Initial},
        {gbk("一二三"), "y er s", Initial},  // 二 has no initial: its whole syllable
        {gbk("中国"), "ong uo", Final},
        {gbk("一二三"), "i  an", Final},  // 二 yields nothing, its separator remains
        {gbk("二三"), "an", Final},       // ...except at the start, where the trim takes it
        {gbk("二 三"), "an", Final},
        {gbk("二a"), "a", Final},
        {gbk("一二三"), "yers", Initial, false},
        {gbk("中国"), "zhong guo", static_cast<PinyinMode>(3)},  // any other mode acts as Full
        {gbk("中国"), "zhong guo", static_cast<PinyinMode>(-1)},
    });
}

TEST(TranscribePinyin, LoneLeadByteAtTheEndIsDroppedFirst) {
    expectCases({
        {"\xB0", ""},
        {gbk("中") + "\xB0", "zhong"},
        {gbk("中") + " \xB0", "zhong  "},  // spaces in front of that byte remain
        {"a \xB0", "a "},
        {gbk("中") + gbk("　") + "\xB0", "zhong  "},
    });
}

TEST(ToHalfWidth, Table) {
    const std::pair<std::string, std::string> cases[] = {
        {gbk("Ａｂ１"), "Ab1"},
        {gbk("　"), " "},
        {gbk("～☆★"), "~**"},
        {gbk("￥￣"), "$~"},  // by the byte rule, not by Unicode's compatibility forms
        {gbk("！＂＃"), "!\"#"},
        {gbk("、。“”《》①ā"), gbk("、。“”《》①ā")},
        {gbk("中文abc"), gbk("中文abc")},
        {"a\xB0", "a"},  // a lead byte with nothing after it is dropped
        {"", ""},
    };
    for (const auto& [input, expected] : cases) {
        EXPECT_EQ(show(toHalfWidth(input)), show(expected)) << show(input);
    }
}

TEST(ToHalfWidth, TheWholeFullWidthRowByItsSecondByte) {
    for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) {
        std::string unit = {'\xA3', static_cast<char>(trail)};
        EXPECT_EQ(toHalfWidth(unit), std::string(1, static_cast<char>(trail - 0x80))) << trail;
    }
    EXPECT_EQ(toHalfWidth("\xA3\xA0"), "\xA3\xA0");
    EXPECT_EQ(toHalfWidth("\xA3\xFF"), "\xA3\xFF");
}

TEST(TrimSpaces, Table) {
    struct TrimCase {
        std::string input;
        std::string both;
        std::string leading;
    };
    const std::string ideographic = gbk("　");
    const TrimCase cases[] = {
        {"", "", ""},
        {"  ", "", ""},
        {ideographic + " " + ideographic, "", ""},
        {" a b ", "a b", "a b "},
        {ideographic + gbk("中 国") + ideographic + " ", gbk("中 国"), gbk("中 国") + ideographic + " "},
        {"\ta\t", "\ta\t", "\ta\t"},  // tab, CR and LF are not space units
        {"\r\n ", "\r\n", "\r\n "},
        {"a \xB0", "a ", "a \xB0"},  // a lone lead byte at the end goes, the spaces before it stay
        {" \xB0", "", "\xB0"},
        {"\xB0", "", "\xB0"},
        {"\xA1\xA1\xA1", "", "\xA1"},  // an ideographic space, then a lone lead byte
        {"a\xA1\xA1\xA1", "a\xA1\xA1", "a\xA1\xA1\xA1"},
        // A1 A1 counts only as a unit: here the first A1 is the trail byte of B0 A1 (啊).
        {"\xB0\xA1\xA1", "\xB0\xA1", "\xB0\xA1\xA1"},
        {"\xB0\xA1\xA1\xA1", "\xB0\xA1", "\xB0\xA1\xA1\xA1"},
        {"\x81 ", "\x81 ", "\x81 "},  // a space that is a trail byte is no space unit
    };
    for (const TrimCase& c : cases) {
        EXPECT_EQ(show(trimSpaces(c.input)), show(c.both)) << show(c.input);
        EXPECT_EQ(show(trimLeadingSpaces(c.input)), show(c.leading)) << show(c.input);
    }
}

// --- Plain references, written from the description of each step ----------

bool isSpaceUnitAt(const std::string& text, std::size_t p) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    return byte(p) == 0x20 || (p + 1 < text.size() && byte(p) == 0xA1 && byte(p + 1) == 0xA1);
}

std::string referenceTrimLeading(const std::string& text) {
    std::size_t p = 0;
    while (p < text.size() && isSpaceUnitAt(text, p)) p += static_cast<unsigned char>(text[p]) == 0x20 ? 1 : 2;
    return text.substr(p);
}

std::string referenceTrim(const std::string& text) {
    std::string rest = referenceTrimLeading(text);
    std::size_t p = 0;
    std::size_t runStart = std::string::npos;
    while (p < rest.size()) {
        unsigned char byte = static_cast<unsigned char>(rest[p]);
        if (byte >= 0x80 && p + 1 == rest.size()) return rest.substr(0, p);
        std::size_t size = byte >= 0x80 ? 2 : 1;
        if (isSpaceUnitAt(rest, p)) {
            if (runStart == std::string::npos) runStart = p;
        } else {
            runStart = std::string::npos;
        }
        p += size;
    }
    return runStart == std::string::npos ? rest : rest.substr(0, runStart);
}

std::string referenceTranscribe(const std::string& text, PinyinMode mode, bool spaced) {
    std::string t = referenceTrim(text);
    std::string separator = spaced ? " " : "";
    std::string result;
    std::size_t p = 0;
    while (p < t.size()) {
        unsigned char byte = static_cast<unsigned char>(t[p]);
        if (byte >= 0x01 && byte <= 0x7F) {
            result += t[p];
            p += 1;
            continue;
        }
        std::string unit = t.substr(p, 2);
        if (byte >= 0xA0 && byte <= 0xAF) {
            result += separator + toHalfWidth(unit);
        } else {
            std::string reading = lookupReading(unit, 1, mode);
            bool readable = !lookupReading(unit, 1, Full).empty();
            result += separator + (readable ? reading : unit);
            unsigned char next = p + 2 < t.size() ? static_cast<unsigned char>(t[p + 2]) : 0;
            if (spaced && next >= 0x01 && next <= 0x7F) result += " ";
        }
        p += 2;
    }
    return referenceTrimLeading(result);
}

// Random texts made of pieces that meet the edge cases: spaces of both kinds,
// ASCII, line breaks, symbols, hanzi with and without readings, bytes outside
// GBK, and lead bytes before one-byte units or at the end.
std::string randomText(std::mt19937& random) {
    static const std::vector<std::string> pieces = {
        " ", "  ", gbk("　"), "a", "Zz", "\r\n", "\t", gbk("中"), gbk("国"), gbk("行"), gbk("二"), gbk("安"),
        gbk("丶"), gbk("丂"), gbk("，"), gbk("！"), gbk("～"), gbk("①"), "\xA1", "\xB0", "\xFF", "\x80", "\x81",
        "\xD7\xFA", "\xB0\xA0",
    };
    std::uniform_int_distribution<std::size_t> length(0, 12);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::string text;
    for (std::size_t n = length(random); n > 0; --n) text += pieces[pick(random)];
    return text;
}

TEST(TranscribePinyin, MatchesThePlainReferenceOnRandomTexts) {
    std::mt19937 random(20240605);
    for (int i = 0; i < 20000; ++i) {
        std::string text = randomText(random);
        ASSERT_EQ(show(trimSpaces(text)), show(referenceTrim(text))) << show(text);
        ASSERT_EQ(show(trimLeadingSpaces(text)), show(referenceTrimLeading(text))) << show(text);
        for (PinyinMode mode : {Full, Initial, Final}) {
            for (bool spaced : {true, false}) {
                ASSERT_EQ(show(transcribePinyin(text, mode, spaced)), show(referenceTranscribe(text, mode, spaced)))
                    << show(text) << " mode " << static_cast<int>(mode) << " spaced " << spaced;
            }
        }
    }
}

TEST(TranscribePinyin, EveryHanziOfTheAreaIsWrittenOrKept) {
    for (unsigned lead = 0xB0; lead <= 0xF7; ++lead) {
        for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) {
            std::string unit = {static_cast<char>(lead), static_cast<char>(trail)};
            std::string reading = lookupReading(unit, 1, Full);
            EXPECT_EQ(transcribePinyin(unit, Full, true), reading.empty() ? unit : reading) << show(unit);
        }
    }
}

// A stream hands the walk one block at a time, each cut at a unit boundary,
// with the byte after the block in view; the pieces must join to the whole.
TEST(AppendPinyin, BlocksJoinToTheWholeText) {
    std::mt19937 random(7);
    for (int i = 0; i < 5000; ++i) {
        std::string text = randomText(random) + randomText(random);
        std::vector<std::size_t> boundaries;
        for (const TextUnit& unit : cutUnits(text)) boundaries.push_back(unit.offset);
        boundaries.push_back(text.size());
        std::size_t cut = boundaries[random() % boundaries.size()];
        for (bool spaced : {true, false}) {
            const unsigned char* bytes = bytesOf(text);
            std::string whole;
            appendPinyin(bytes, text.size(), text.size(), Final, spaced, true, whole);
            std::string joined;
            appendPinyin(bytes, text.size(), cut, Final, spaced, true, joined);
            appendPinyin(bytes + cut, text.size() - cut, text.size() - cut, Final, spaced, joined.empty(), joined);
            ASSERT_EQ(show(joined), show(whole)) << show(text) << " cut at " << cut;
        }
    }
}

// The longest pieces: zhuang with a separator and a follower, then symbols
// kept whole, characters kept without reading, and one-byte units.
TEST(AppendPinyin, StaysWithinTheReservedRoom) {
    std::string worst;
    for (int i = 0; i < 1000; ++i) worst += gbk("庄") + "a";
    for (const std::string& text : {worst, gbk("庄庄庄"), gbk("丂a丂"), gbk("、。"), std::string("abc")}) {
        std::string out = "prefix";
        out.reserve(out.size() + pinyinRoomFor(text.size()));
        const std::size_t capacity = out.capacity();
        appendPinyin(bytesOf(text), text.size(), text.size(), Full, true, false, out);
        EXPECT_LE(out.size() - 6, maxPinyinLength(text.size())) << show(text);
        EXPECT_EQ(out.capacity(), capacity) << show(text) << ": reallocated";
        EXPECT_EQ(out.substr(0, 6), "prefix");
    }
}

// Without room reserved, the output grows as it must and keeps what was there.
TEST(AppendPinyin, GrowsAnUnreservedString) {
    std::string text;
    for (int i = 0; i < 50000; ++i) text += gbk("中国a");
    std::string out = "x";
    out.shrink_to_fit();
    appendPinyin(bytesOf(text), text.size(), text.size(), Full, false, false, out);
    std::string expected = "x";
    for (int i = 0; i < 50000; ++i) expected += "zhongguoa";
    EXPECT_EQ(out, expected);
}

}  // namespace
}  // namespace huoxing
