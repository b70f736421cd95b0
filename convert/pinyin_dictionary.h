#pragma once
// PinyinDictionary: the toneless pinyin readings of the GB2312 hanzi, read
// from the constant tables kReadingTable, kPolyphoneTable and kSyllableParts.

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "gbk_text.h"
#include "pinyin_tables.h"

namespace huoxing {

// Which part of a reading is written. Any other value acts as Full.
enum class PinyinMode : int {
    Full = 0,     // the whole syllable
    Initial = 1,  // the initial; a syllable without one is written whole
    Final = 2,    // the final; a syllable without an initial yields nothing
};

// A reading: the code of its first part in the low byte, of its second part
// in the high byte, 0 for no part (中 is 0x2801: zh, ong; 安 is 0x001A: an).
using Reading = std::uint16_t;

// The letters of a reading of the character that the first two bytes of
// `text` hold (1 is the first reading; 0 and below count as 1), or the empty
// text: too short, outside the hanzi area, no reading, fewer readings.
GbkText lookupReading(std::string_view text, int readingNumber, PinyinMode part);

// --- Lower level: the lookups the transcriber makes for every hanzi --------

// Reading number `readingNumber` (as above) of the double-byte code `code`
// (lead byte high), or 0. Found by direct index, and one more for a polyphone.
inline Reading readingOf(std::uint16_t code, int readingNumber) {
    unsigned lead = code >> 8;
    unsigned trail = code & 0xFF;
    if (lead < 0xB0 || lead > 0xF7 || trail < 0xA1 || trail > 0xFE) return 0;
    int index = readingNumber > 1 ? readingNumber - 1 : 0;
    std::uint16_t cell = kReadingTable[(lead - 0xB0) * 94 + (trail - 0xA1)];
    if (cell & kPolyphoneFlag) return index < kReadingsPerRow ? kPolyphoneTable[cell & ~kPolyphoneFlag][index] : 0;
    return index == 0 ? cell : 0;
}

// writeReading writes at most this many letters (zh + uang) ...
inline constexpr std::size_t kMaxReadingLength = 6;
// ... and may store this many bytes from where it starts.
inline constexpr std::size_t kReadingStoreSize = 8;

namespace detail {

// The letters of each part code as one fixed-size store: no loop, no call.
struct PartLetters {
    char letters[4];
    std::uint8_t size;
};

consteval std::array<PartLetters, 256> buildPartLetters() {
    std::array<PartLetters, 256> parts{};
    for (int code = 1; code <= kSyllablePartCount; ++code) {
        std::string_view letters = kSyllableParts[code];
        for (std::size_t i = 0; i < letters.size() && i < 4; ++i) parts[code].letters[i] = letters[i];
        parts[code].size = static_cast<std::uint8_t>(letters.size());
    }
    return parts;
}

inline constexpr std::array<PartLetters, 256> kPartLetters = buildPartLetters();

// The first reading of every cell written out whole, for the transcriber's
// Full mode: one load and one store per hanzi. Derived at compile time from
// the tables above; `size` 0 means the cell has no reading.
struct FullReadingLetters {
    char letters[7];
    std::uint8_t size;
};

consteval std::array<FullReadingLetters, kReadingCellCount> buildFullReadingLetters() {
    std::array<FullReadingLetters, kReadingCellCount> cells{};
    for (int cell = 0; cell < kReadingCellCount; ++cell) {
        std::uint16_t value = kReadingTable[cell];
        Reading reading = value & kPolyphoneFlag ? kPolyphoneTable[value & ~kPolyphoneFlag][0] : value;
        std::size_t size = 0;
        for (unsigned code : {reading & 0xFFu, static_cast<unsigned>(reading >> 8)}) {
            for (char letter : kPartLetters[code].letters) {
                if (letter && size < kMaxReadingLength) cells[cell].letters[size++] = letter;
            }
        }
        cells[cell].size = static_cast<std::uint8_t>(size);
    }
    return cells;
}

inline constexpr std::array<FullReadingLetters, kReadingCellCount> kFullReadingLetters = buildFullReadingLetters();

}  // namespace detail

// The whole first reading of a double-byte code, as an entry to store at once
// (8 bytes; the bytes after `size` letters are scratch), or nullptr where the
// code is outside the hanzi area or has no reading.
inline const detail::FullReadingLetters* fullFirstReading(std::uint16_t code) {
    unsigned lead = code >> 8;
    unsigned trail = code & 0xFF;
    if (lead < 0xB0 || lead > 0xF7 || trail < 0xA1 || trail > 0xFE) return nullptr;
    const detail::FullReadingLetters& entry = detail::kFullReadingLetters[(lead - 0xB0) * 94 + (trail - 0xA1)];
    return entry.size ? &entry : nullptr;
}

// Writes the letters of `reading` under `part` at `at` and returns the end of
// them. There must be room for kReadingStoreSize bytes at `at`; the bytes
// after the letters are scratch.
inline char* writeReading(Reading reading, PinyinMode part, char* at) {
    unsigned first = part == PinyinMode::Final ? 0 : reading & 0xFF;
    unsigned second = part == PinyinMode::Initial ? 0 : reading >> 8;
    std::memcpy(at, detail::kPartLetters[first].letters, 4);
    at += detail::kPartLetters[first].size;
    std::memcpy(at, detail::kPartLetters[second].letters, 4);
    return at + detail::kPartLetters[second].size;
}

}  // namespace huoxing
