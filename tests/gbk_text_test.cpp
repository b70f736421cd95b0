#include "gbk_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace huoxing {
namespace {

// The cutting rule written out byte by byte: the reference for forEachUnit.
std::vector<TextUnit> cutByReference(std::string_view text) {
    std::vector<TextUnit> units;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t size = static_cast<unsigned char>(text[at]) >= 0x80 && at + 1 < text.size() ? 2 : 1;
        units.push_back({at, size});
        at += size;
    }
    return units;
}

struct CutCase {
    const char* what;
    std::string bytes;
    std::vector<TextUnit> units;
};

TEST(TextUnit, CutsAsTheUnitRuleSays) {
    const CutCase cases[] = {
        {"empty", "", {}},
        {"ASCII", "ab", {{0, 1}, {1, 1}}},
        {"double-byte", "\xD6\xD0", {{0, 2}}},
        {"lead before LF", "\xB0\x0A" "a", {{0, 2}, {2, 1}}},
        {"0x80 takes the next byte", "\x80\xCE\xD2\xC3\xC7", {{0, 2}, {2, 2}, {4, 1}}},
        {"0xFF takes the next byte", "\xFF" "a", {{0, 2}}},
        {"lone lead at end", "a\xB0", {{0, 1}, {1, 1}}},
        {"lead before 0x7F", "\x81\x7F", {{0, 2}}},
    };
    for (const CutCase& c : cases) {
        EXPECT_EQ(cutUnits(c.bytes), c.units) << c.what;
        std::size_t complete = c.units.empty() || c.units.back().size == 2 ||
                                       static_cast<unsigned char>(c.bytes.back()) < 0x80
                                   ? c.bytes.size()
                                   : c.bytes.size() - 1;
        EXPECT_EQ(completeUnitsLength(bytesOf(c.bytes), c.bytes.size()), complete) << c.what;
    }
}

// The word-at-a-time skip over single bytes must agree with the byte loop on
// every alignment and mixture, malformed bytes included.
TEST(TextUnit, FastCuttingMatchesTheReferenceOnRandomBytes) {
    std::mt19937 random(936);
    for (int round = 0; round < 5000; ++round) {
        std::string text(random() % 300, '\0');
        int asciiPercent = static_cast<int>(random() % 101);
        for (char& byte : text) {
            byte = static_cast<char>(static_cast<int>(random() % 100) < asciiPercent ? 1 + random() % 0x7F
                                                                                     : 0x80 + random() % 0x80);
        }
        ASSERT_EQ(cutUnits(text), cutByReference(text)) << "round " << round;
    }
}

}  // namespace
}  // namespace huoxing
