// The pinyin transcriber in every mode and spacing, the half-width mapping,
// the trims, the reading lookup, and the block-by-block stream of the command
// line against the whole-text transcription.

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

#include "gbk_text.h"
#include "pinyin_dictionary.h"
#include "pinyin_stream.h"
#include "pinyin_transcriber.h"

using namespace huoxing;

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

// Every one-byte unit of `text` other than a space appears in `out`, in order.
bool keepsOneByteUnits(std::string_view text, std::string_view out) {
    std::size_t found = 0;
    bool ok = true;
    forEachUnit(
        bytesOf(text), text.size(),
        [&](std::size_t begin, std::size_t end) {
            for (std::size_t i = begin; i < end && ok; ++i) {
                if (text[i] == ' ') continue;
                found = out.find(text[i], found);
                ok = found != std::string_view::npos;
                ++found;
            }
        },
        [](std::size_t) {}, [](std::size_t) {});
    return ok;
}

// Hands a block over as the command line does: in a buffer with room before it.
void feedBlock(PinyinStream& stream, std::string_view block, bool final, std::string& out) {
    std::string buffer(PinyinStream::kHeadroom, '\0');
    buffer += block;
    stream.feed(bytesOf(buffer) + PinyinStream::kHeadroom, block.size(), final, out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks the block cuts of the stream; the rest is the text.
    unsigned cuts = data[0];
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    std::string trimmed = trimSpaces(text);
    check(text.find(trimmed) != std::string_view::npos);
    check(trimLeadingSpaces(text).size() >= trimmed.size());
    std::string half = toHalfWidth(text);
    check(half.size() <= text.size());

    for (PinyinMode mode : {PinyinMode::Full, PinyinMode::Initial, PinyinMode::Final, static_cast<PinyinMode>(7)}) {
        for (bool spaced : {true, false}) {
            std::string whole = transcribePinyin(text, mode, spaced);
            check(whole.size() <= maxPinyinLength(text.size()));
            check(keepsOneByteUnits(trimmed, whole));

            PinyinStream stream(mode, spaced);
            std::string streamed;
            std::size_t at = 0;
            while (at + 1 < text.size()) {
                std::size_t step = 1 + (cuts = cuts * 17 + 5) % 11;
                std::size_t size = std::min(step, text.size() - at);
                std::size_t complete = completeUnitsLength(bytesOf(text) + at, size);
                feedBlock(stream, text.substr(at, complete), false, streamed);
                at += complete;
            }
            feedBlock(stream, text.substr(at), true, streamed);
            check(streamed == whole);
        }
    }

    if (text.size() >= 2) {
        for (int reading = 0; reading <= 4; ++reading) {
            for (PinyinMode part : {PinyinMode::Full, PinyinMode::Initial, PinyinMode::Final}) {
                std::string letters = lookupReading(text, reading, part);
                check(letters.size() <= 6);
                for (char letter : letters) check(letter >= 'a' && letter <= 'z');
            }
        }
    }
    return 0;
}
