#pragma once
// PinyinDictionary: the toneless pinyin readings of the GB2312 hanzi, read
// from the constant tables kReadingTable, kPolyphoneTable and kSyllableParts.

#include <cstdint>
#include <string>
#include <string_view>

#include "gbk_text.h"

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

// Reading number `readingNumber` (1 is the first; 0 and below count as 1) of
// the double-byte code `code` (lead byte high), or 0 where the code is outside
// the hanzi area, has no reading, or has fewer readings. Two direct indexes.
Reading readingOf(std::uint16_t code, int readingNumber);

// Appends the letters of `reading` under `part` to `out`: at most six letters.
void appendReading(Reading reading, PinyinMode part, std::string& out);

// The most letters appendReading writes for one reading (zh + uang).
inline constexpr std::size_t kMaxReadingLength = 6;

// The letters of a reading of the character that the first two bytes of
// `text` hold, or the empty text (too short, outside the hanzi area, no such
// reading).
GbkText lookupReading(std::string_view text, int readingNumber, PinyinMode part);

}  // namespace huoxing
