#include "utf8_gbk.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "gbk_text.h"
#include "martian_converter.h"
#include "script_converter.h"
#include "test_text.h"

namespace huoxing {
namespace {

using testing::hex;

std::string decode(std::string_view utf8, bool final, DecodeResult& result, std::vector<char32_t>& escaped) {
    std::string out(utf8.size(), '\0');
    result = decodeUtf8ToGbk(bytesOf(utf8), utf8.size(), final, bytesOf(out), escaped);
    out.resize(result.written);
    return out;
}

// Every code that holds a character goes to UTF-8 and back unchanged, and
// no two codes share a character.
TEST(Utf8Gbk, EveryAssignedCodeRoundTrips) {
    int assigned = 0;
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            auto code = static_cast<std::uint16_t>(lead << 8 | trail);
            char32_t cp = unicodeOfGbk(code);
            if (cp == 0) continue;
            ++assigned;
            ASSERT_EQ(gbkCodeOf(cp), code) << hex(std::string{char(lead), char(trail)});
            std::string unit{static_cast<char>(lead), static_cast<char>(trail)};
            ASSERT_EQ(gbkFromUtf8(utf8FromGbk(unit)), unit);
        }
    }
    EXPECT_GT(assigned, 21800);
    EXPECT_EQ(gbkCodeOf(0x20AC), 0) << "the euro sign must not become the lead byte 0x80";
}

TEST(Utf8Gbk, CharactersOutsideGbkRideAlongAsPlaceholders) {
    std::vector<char32_t> escaped;
    DecodeResult result;
    std::string g = decode("a😀中€", true, result, escaped);
    EXPECT_EQ(hex(g), "61 80 80 D6 D0 80 80");
    EXPECT_EQ(escaped, (std::vector<char32_t>{0x1F600, 0x20AC}));
    std::string back(maxUtf8Size(g.size()), '\0');
    std::size_t next = 0;
    EncodeResult encoded = encodeGbkToUtf8(bytesOf(g), g.size(), true, escaped, next, bytesOf(back));
    ASSERT_TRUE(encoded.ok);
    back.resize(encoded.written);
    EXPECT_EQ(back, "a😀中€");
}

// A block may end anywhere inside a sequence: without `final` the partial
// sequence waits for the next block; with it, it is an error at its start.
TEST(Utf8Gbk, IncompleteSequenceAtTheEndOfABlock) {
    const std::string text = "中😀";
    for (std::size_t cut = 4; cut < text.size(); ++cut) {
        std::vector<char32_t> escaped;
        DecodeResult result;
        decode(text.substr(0, cut), false, result, escaped);
        EXPECT_EQ(result.status, DecodeStatus::Ok);
        EXPECT_EQ(result.consumed, 3u) << "cut at " << cut;
        decode(text.substr(0, cut), true, result, escaped);
        EXPECT_EQ(result.status, DecodeStatus::InvalidUtf8);
        EXPECT_EQ(result.consumed, 3u);
    }
}

TEST(Utf8Gbk, EncodingStopsAtACodeWithoutACharacter) {
    std::vector<char32_t> none;
    std::size_t next = 0;
    std::string out(16, '\0');
    std::string unassigned = "a\xA2\xAB";  // A2 AB holds no character in GBK
    EXPECT_FALSE(encodeGbkToUtf8(bytesOf(unassigned), unassigned.size(), true, none, next, bytesOf(out)).ok);
    std::string placeholderWithoutEscape = "\x80\x80";
    EXPECT_FALSE(encodeGbkToUtf8(bytesOf(placeholderWithoutEscape), 2, true, none, next, bytesOf(out)).ok);
}

}  // namespace
}  // namespace huoxing

namespace huoxing {
namespace {

// The one-pass UTF-8 conversion gives what decoding, converting and encoding give.
TEST(Utf8UnitMap, MatchesDecodeConvertEncode) {
    auto convert = [](unsigned char* bytes, std::size_t size) {
        convertMartianInPlace(bytes, size, MartianDirection::FromMartian);
        convertScriptInPlace(bytes, size, ScriptConversionKind::TraditionalToSimplified);
    };
    Utf8UnitMap map(convert);
    const std::string pieces[] = {"a", "\n", "火", "吙", "國", "ф", "α", "€", "😀", "𠀀", "\xEF\xBB\xBF", "，", "Φ"};
    std::mt19937 random(5);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int i = static_cast<int>(random() % 20); i > 0; --i) text += pieces[random() % std::size(pieces)];
        std::vector<char32_t> escaped;
        std::string gbk(text.size(), '\0');
        DecodeResult decoded = decodeUtf8ToGbk(bytesOf(text), text.size(), true, bytesOf(gbk), escaped);
        ASSERT_EQ(decoded.status, DecodeStatus::Ok);
        convert(bytesOf(gbk), decoded.written);
        std::string expected(maxUtf8Size(decoded.written), '\0');
        std::size_t next = 0;
        EncodeResult encoded = encodeGbkToUtf8(bytesOf(gbk), decoded.written, true, escaped, next, bytesOf(expected));
        ASSERT_TRUE(encoded.ok);
        expected.resize(encoded.written);

        std::string got(Utf8UnitMap::maxConvertedSize(text.size()), '\0');
        DecodeResult converted = map.convert(bytesOf(text), text.size(), true, bytesOf(got));
        ASSERT_EQ(converted.status, DecodeStatus::Ok);
        got.resize(converted.written);
        ASSERT_EQ(got, expected) << text;
    }
}

}  // namespace
}  // namespace huoxing
