#pragma once
// PinyinTranscriber: a GbkText as toneless pinyin. Every hanzi becomes the
// first reading PinyinDictionary holds for it; full-width ASCII forms and a
// few symbols become ASCII; everything else passes through unchanged, and a
// character without a reading keeps its own two bytes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "gbk_text.h"
#include "pinyin_dictionary.h"

namespace huoxing {

// The text as pinyin. Spaces at both ends (0x20 and the ideographic space
// A1 A1) are trimmed first, as is a lead byte that ends the text. With
// `spaced`, each double-byte unit is set off from what precedes it by one
// space, and a unit outside the symbol area also from a one-byte unit after
// it ("zhong guo abc"); without it the pieces are joined ("zhongguoabc").
GbkText transcribePinyin(std::string_view text, PinyinMode mode, bool spaced);

// The double-byte units with an ASCII counterpart as that byte: A1 A1 (the
// ideographic space), ～ ☆ ★, and the full-width forms A3 A1..A3 FE by
// their second byte minus 0x80 (so ￥ is '$' and ￣ is '~'). Every other unit
// is copied; a lead byte that ends the text is dropped.
GbkText toHalfWidth(std::string_view text);

// The text without the space units (0x20, A1 A1) at its start and end. A lead
// byte that ends the text is dropped, and then nothing else at the end is.
GbkText trimSpaces(std::string_view text);
// The text without the space units at its start.
GbkText trimLeadingSpaces(std::string_view text);

// --- Lower level: for callers that walk a text in pieces (streams) -------

// The ideographic space, which counts as a space unit beside 0x20.
inline constexpr std::uint16_t kIdeographicSpace = 0xA1A1;

// Punctuation, full-width forms, kana, Greek, box drawing and the like: units
// with these lead bytes go through toHalfWidth and never to the dictionary,
// and get no follower space.
constexpr bool inSymbolArea(unsigned char lead) { return lead >= 0xA0 && lead <= 0xAF; }

// The ASCII byte of a double-byte code under toHalfWidth, or 0 where it has none.
unsigned char halfWidthOf(std::uint16_t code);

// Byte counts of the space units at the start of `text`, and the part of
// `text` that trimSpaces keeps (a view into `text`).
std::size_t leadingSpacesLength(std::string_view text);
std::string_view spacesTrimmed(std::string_view text);

// No text of `size` bytes becomes longer than this under appendPinyin.
constexpr std::size_t maxPinyinLength(std::size_t size) { return 4 * size; }
// Room to reserve beyond out.size() so that appendPinyin over `size` bytes
// never reallocates: the longest result and the scratch of its last store.
constexpr std::size_t pinyinRoomFor(std::size_t size) { return maxPinyinLength(size) + 16; }

// Appends the pinyin of the units of bytes[0, end) to `out`, as
// transcribePinyin writes them, in one pass and without trimming the input:
//   - bytes[0, end) should hold whole units. A lead byte at end - 1 is left
//     out (a stream keeps it for its next block).
//   - bytes[end, size) is the text that follows. Only bytes[end] is read: a
//     syllable ending at `end` gets its follower space (when `spaced`) if that
//     byte is a one-byte unit. Pass size == end at the end of the text.
//   - With `dropLeadingSpaces`, spaces that would come before the first other
//     byte this call writes are left out: the trim of the result's start.
//     Pass it for the start of a text, and again while every earlier call
//     for the same text has written nothing.
// Appends at most maxPinyinLength(end) bytes. With pinyinRoomFor(end) bytes
// of capacity beyond out.size() it allocates nothing; with less, `out` grows.
void appendPinyin(const unsigned char* bytes, std::size_t size, std::size_t end, PinyinMode mode, bool spaced,
                  bool dropLeadingSpaces, std::string& out);

}  // namespace huoxing
