// The command line transcribes pinyin block by block; wherever the blocks are
// cut, the result must be transcribePinyin of the whole text.

#include "pinyin_stream.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "pinyin_transcriber.h"
#include "test_text.h"

namespace huoxing {
namespace {

using testing::hex;

// Hands a block over as the command line does: in a buffer with room before it.
void feedBlock(PinyinStream& stream, std::string_view block, bool final, std::string& out) {
    std::string buffer(PinyinStream::kHeadroom, '\0');
    buffer += block;
    stream.feed(bytesOf(buffer) + PinyinStream::kHeadroom, block.size(), final, out);
}

std::string streamed(const std::string& text, PinyinMode mode, bool spaced, std::mt19937& random) {
    PinyinStream stream(mode, spaced);
    std::string out;
    std::size_t at = 0;
    // Blocks end on unit boundaries, as the command line hands them over (it
    // keeps a lone lead byte for the next block); empty blocks happen too.
    while (at + 1 < text.size()) {
        std::size_t size = std::min<std::size_t>(random() % 7, text.size() - at);
        std::size_t complete = completeUnitsLength(bytesOf(text) + at, size);
        feedBlock(stream, text.substr(at, complete), false, out);
        at += complete;
    }
    feedBlock(stream, text.substr(at), true, out);
    return out;
}

TEST(PinyinStream, AnyCutGivesTheWholeTextTranscription) {
    // Pieces that matter at block edges: spaces of both kinds, syllables and
    // their followers, symbols, characters without a reading, lone leads.
    const std::string pieces[] = {" ", " ", "\xA1\xA1", "a", "\n", "\xD6\xD0", "\xB9\xFA", "\xA3\xA1",
                                  "\xA1\xA3", "\x81\x40", "\xB6\xFE", "\xB0", "\x80\x41"};
    std::mt19937 random(2024);
    for (int round = 0; round < 4000; ++round) {
        std::string text;
        int length = static_cast<int>(random() % 14);
        for (int i = 0; i < length; ++i) text += pieces[random() % std::size(pieces)];
        for (PinyinMode mode : {PinyinMode::Full, PinyinMode::Initial, PinyinMode::Final}) {
            for (bool spaced : {true, false}) {
                std::string whole = transcribePinyin(text, mode, spaced);
                ASSERT_EQ(hex(streamed(text, mode, spaced, random)), hex(whole))
                    << "text " << hex(text) << " mode " << static_cast<int>(mode) << " spaced " << spaced;
            }
        }
    }
}

}  // namespace
}  // namespace huoxing
