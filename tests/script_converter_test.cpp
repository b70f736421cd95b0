#include "script_converter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "martian_converter.h"
#include "script_tables.h"
#include "test_text.h"

namespace huoxing {
namespace {

using testing::gbk;
using testing::hex;
using testing::show;
constexpr auto T2S = ScriptConversionKind::TraditionalToSimplified;
constexpr auto S2T = ScriptConversionKind::SimplifiedToTraditional;
constexpr ScriptConversionKind kBothKinds[] = {T2S, S2T};

const char* nameOf(ScriptConversionKind kind) { return kind == T2S ? "t2s" : "s2t"; }

std::string unitText(std::uint16_t code) {
    return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

std::uint16_t codeOfHex(const char* twoBytes) {
    unsigned lead = 0, trail = 0;
    std::sscanf(twoBytes, "%x %x", &lead, &trail);
    return static_cast<std::uint16_t>(lead << 8 | trail);
}

// Every double-byte code of the 126 x 190 layout, in table order.
std::vector<std::uint16_t> allCodes() {
    std::vector<std::uint16_t> codes;
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail != 0x7F) codes.push_back(static_cast<std::uint16_t>(lead << 8 | trail));
        }
    }
    return codes;
}

std::string textOf(const std::vector<std::uint16_t>& codes) {
    std::string text;
    for (std::uint16_t code : codes) text += unitText(code);
    return text;
}

// The conversion written out as the byte walk over the 126 x 190 table:
// the reference for the indexed walk.
std::string convertByReference(std::string text, ScriptConversionKind kind) {
    const ScriptTable& table = kind == T2S ? kTraditionalToSimplifiedTable : kSimplifiedToTraditionalTable;
    auto* bytes = reinterpret_cast<unsigned char*>(text.data());
    std::size_t p = 0;
    while (p < text.size()) {
        unsigned b = bytes[p];
        if (b < 0x80) {
            p += 1;
            continue;
        }
        if (p + 1 == text.size()) break;
        unsigned t = bytes[p + 1];
        if (b != 0x80 && b != 0xFF) {
            int column = t >= 0x40 && t <= 0x7E ? int(t) - 0x40 : t >= 0x80 && t <= 0xFE ? int(t) - 0x41 : -1;
            if (column >= 0) {
                std::uint16_t entry = table[(b - 0x81) * kScriptTableColumns + column];
                bytes[p] = static_cast<unsigned char>(entry >> 8);
                bytes[p + 1] = static_cast<unsigned char>(entry & 0xFF);
            }
        }
        p += 2;
    }
    return text;
}

std::set<std::uint16_t> codesOf(const std::string& text) {
    std::set<std::uint16_t> codes;
    for (std::size_t at = 0; at + 1 < text.size(); at += 2) codes.insert(loadUnit(bytesOf(text) + at));
    return codes;
}

std::uint16_t entryOf(std::uint16_t code, ScriptConversionKind kind) {
    return loadUnit(bytesOf(convertScript(unitText(code), kind)));
}

struct TellingRow {
    const char* unit;
    const char* code;
    const char* simplified;   // the T2S entry, as GBK bytes
    const char* traditional;  // the S2T entry
};

TEST(ScriptConverter, TellingRows) {
    const TellingRow rows[] = {
        {"国", "B9 FA", "B9 FA", "87 F8"}, {"國", "87 F8", "B9 FA", "87 F8"},
        {"发", "B7 A2", "B7 A2", "B0 6C"}, {"發", "B0 6C", "B7 A2", "B0 6C"},
        {"髮", "F3 8C", "B7 A2", "F3 8C"}, {"后", "BA F3", "BA F3", "E1 E1"},
        {"後", "E1 E1", "BA F3", "E1 E1"}, {"面", "C3 E6", "C3 E6", "C3 E6"},
        {"麵", "FC 49", "C3 E6", "FC 49"}, {"干", "B8 C9", "B8 C9", "C7 AC"},
        {"幹", "8E D6", "B8 C9", "8E D6"}, {"台", "CC A8", "CC A8", "C5 5F"},
        {"颱", "EF 55", "CC A8", "EF 55"}, {"里", "C0 EF", "C0 EF", "D1 65"},
        {"裏", "D1 59", "C0 EF", "D1 59"}, {"钟", "D6 D3", "D6 D3", "E6 52"},
        {"鐘", "E7 8A", "D6 D3", "E7 8A"}, {"只", "D6 BB", "D6 BB", "D6 BB"},
        {"隻", "EB 62", "D6 BB", "EB 62"}, {"沉", "B3 C1", "B3 C1", "C9 F2"},
        {"沈", "C9 F2", "C9 F2", "C9 F2"}, {"着", "D7 C5", "D7 C5", "D6 F8"},
        {"著", "D6 F8", "D7 C5", "D6 F8"}, {"并", "B2 A2", "B2 A2", "81 4B"},
        {"並", "81 4B", "B2 A2", "81 4B"},
    };
    for (const TellingRow& row : rows) {
        std::string unit = unitText(codeOfHex(row.code));
        ASSERT_EQ(unit, gbk(row.unit)) << row.unit;
        EXPECT_EQ(hex(convertScript(unit, T2S)), row.simplified) << row.unit << " t2s";
        EXPECT_EQ(hex(convertScript(unit, S2T)), row.traditional) << row.unit << " s2t";
    }
}

struct Example {
    ScriptConversionKind kind;
    const char* input;
    const char* expected;
};

TEST(ScriptConverter, TextExamples) {
    const Example examples[] = {
        {S2T, "国家发展", "國家發展"},
        {T2S, "國家發展，髮型", "国家发展，发型"},
        {S2T, "“引号”和‘单引号’", "『引號』和「單引號」"},
        {T2S, "『引號』和「單引號」", "“引号”和‘单引号’"},
        {T2S, "〔注〕﹐﹑﹒﹔﹕﹖﹗", "［注］，、。；：？！"},
        // One pass: 沉 becomes 沈, which no entry moves on.
        {S2T, "沉", "沈"},
        {S2T, "沈", "沈"},
        {T2S, "沈", "沈"},
        {T2S, "", ""},
        {S2T, "", ""},
        {T2S, "abc 123\t\r\n~", "abc 123\t\r\n~"},
        {S2T, "abc 123\t\r\n~", "abc 123\t\r\n~"},
    };
    for (const Example& e : examples) {
        std::string got = convertScript(gbk(e.input), e.kind);
        EXPECT_EQ(got, gbk(e.expected)) << nameOf(e.kind) << " " << e.input << " gave " << show(got);
    }
}

TEST(ScriptConverter, SymbolRowsKeepTheirCodesButThePunctuation) {
    const std::set<std::uint16_t> punctuation[] = {codesOf(gbk("〔〕「」『』﹐﹑﹒﹔﹕﹖﹗")), codesOf(gbk("‘’“”"))};
    ASSERT_EQ(punctuation[0].size(), 13u);
    ASSERT_EQ(punctuation[0].count(0xA970), 1u);  // ﹑ lies in the symbol rows
    for (int k = 0; k < 2; ++k) {
        ScriptConversionKind kind = kBothKinds[k];
        for (std::uint16_t code : allCodes()) {
            if (code < 0xA100 || code > 0xA9FF) continue;
            bool moves = punctuation[k].count(code) != 0;
            EXPECT_EQ(entryOf(code, kind) != code, moves) << nameOf(kind) << " " << hex(unitText(code));
        }
    }
}

TEST(ScriptConverter, UserDefinedAreasKeepTheirCodes) {
    for (ScriptConversionKind kind : kBothKinds) {
        for (std::uint16_t code : allCodes()) {
            unsigned lead = code >> 8, trail = code & 0xFF;
            bool userDefined = ((lead >= 0xAA && lead <= 0xAF) || lead >= 0xF8) ? trail >= 0xA1
                                                                                 : lead >= 0xA1 && lead <= 0xA7 && trail <= 0xA0;
            if (userDefined) {
                EXPECT_EQ(entryOf(code, kind), code) << nameOf(kind) << " " << hex(unitText(code));
            }
        }
    }
}

// Converting twice gives what converting once gives, over every code, and
// every code that holds a character becomes a code that holds one (the
// command line writes the result as UTF-8).
TEST(ScriptConverter, EveryCodeSettlesInOneStepOnACharacter) {
    const std::vector<std::uint16_t> codes = allCodes();
    const std::string all = textOf(codes);
    for (ScriptConversionKind kind : kBothKinds) {
        std::string once = convertScript(all, kind);
        ASSERT_EQ(once.size(), all.size());
        EXPECT_EQ(hex(convertScript(once, kind)), hex(once)) << nameOf(kind);
        for (std::size_t i = 0; i < codes.size(); ++i) {
            std::uint16_t entry = loadUnit(bytesOf(once) + 2 * i);
            if (unicodeOfGbk(codes[i]) != 0) {
                EXPECT_NE(unicodeOfGbk(entry), 0u) << nameOf(kind) << " " << hex(unitText(codes[i]));
            } else {
                EXPECT_EQ(entry, codes[i]) << nameOf(kind) << " " << hex(unitText(codes[i]));
            }
        }
    }
}

struct ByteCase {
    const char* what;
    ScriptConversionKind kind;
    std::string input;
    std::string expected;
};

TEST(ScriptConverter, ByteLevelEdgeCases) {
    // 国 is B9 FA, 國 is 87 F8.
    const ByteCase cases[] = {
        {"euro before 國: 80 87 is one unit, F8 a lone lead", T2S, "\x80\x87\xF8", "\x80\x87\xF8"},
        {"euro before 国", S2T, "\x80\xB9\xFA", "\x80\xB9\xFA"},
        {"0xFF lead takes the next byte", S2T, "\xFF\xB9\xB9\xFA", "\xFF\xB9\x87\xF8"},
        {"lone lead at the end", S2T, "\xB9\xFA\xB9", "\x87\xF8\xB9"},
        {"lone lead at the end", T2S, "\x87\xF8\x87", "\xB9\xFA\x87"},
        {"lead before LF", S2T, "\xB9\x0A\xB9\xFA", "\xB9\x0A\x87\xF8"},
        {"lead before 0x7F", S2T, "\xB9\x7F\xB9\xFA", "\xB9\x7F\x87\xF8"},
        {"lead before 0xFF", T2S, "\x87\xFF\x87\xF8", "\x87\xFF\xB9\xFA"},
    };
    for (const ByteCase& c : cases) {
        EXPECT_EQ(hex(convertScript(c.input, c.kind)), hex(c.expected)) << nameOf(c.kind) << " " << c.what;
    }
}

TEST(ScriptConverter, MatchesTheByteWalkOnRandomAndMalformedBytes) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> length(0, 64);
    std::uniform_int_distribution<int> highByte(0x80, 0xFF);
    std::uniform_int_distribution<int> anyByte(1, 0xFF);
    std::bernoulli_distribution high(0.7);
    for (int round = 0; round < 20000; ++round) {
        std::string text(static_cast<std::size_t>(length(random)), ' ');
        for (char& c : text) c = static_cast<char>(high(random) ? highByte(random) : anyByte(random));
        for (ScriptConversionKind kind : kBothKinds) {
            ASSERT_EQ(hex(convertScript(text, kind)), hex(convertByReference(text, kind)))
                << nameOf(kind) << " on " << hex(text);
        }
    }
}

TEST(ScriptConverter, StreamPrefixStopsBeforeALoneLeadByte) {
    std::string text = "\xB9\xFA" "a\xB9";
    EXPECT_EQ(convertScriptInPlace(bytesOf(text), text.size(), S2T), 3u);
    EXPECT_EQ(hex(text), "87 F8 61 B9");
}

TEST(ScriptConverter, KindWithoutATableGivesAnUnchangedCopy) {
    const std::string text = gbk("国發") + "\xB9";
    for (int value : {0, 1, 2, 5, 7, 255}) {
        auto kind = static_cast<ScriptConversionKind>(value);
        EXPECT_EQ(hex(convertScript(text, kind)), hex(text)) << value;
        std::string copy = text;
        EXPECT_EQ(convertScriptInPlace(bytesOf(copy), copy.size(), kind), text.size() - 1) << value;
        EXPECT_EQ(copy, text) << value;
    }
}

// What the button 变成简体 does: undo Martian script, then the table.
std::string toSimplified(const std::string& text) {
    return convertScript(convertMartian(text, MartianDirection::FromMartian), T2S);
}

TEST(ScriptConverter, SimplifiedCommandUndoesMartianScriptFirst) {
    const struct {
        const char* input;
        const char* command;  // toSimplified
        const char* table;    // the table alone
    } cases[] = {
        {"三", "叁", "三"},
        {"涨", "张", "涨"},
        {"原", "塬", "原"},
        {"曉", "小", "晓"},
        {"駭", "孩", "骇"},
        {"钜", "钜", "钜"},
        {"璃", "璃", "璃"},
        {"國發髮", "国发发", "国发发"},
        {"吙煋攵", "火星文", "吙煋攵"},
    };
    for (const auto& c : cases) {
        std::string input = gbk(c.input);
        EXPECT_EQ(toSimplified(input), gbk(c.command)) << c.input << " gave " << show(toSimplified(input));
        EXPECT_EQ(convertScript(input, T2S), gbk(c.table)) << c.input;
    }
}

}  // namespace
}  // namespace huoxing
