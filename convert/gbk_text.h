#pragma once
// GbkText and the one place where a text is cut into TextUnits.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace huoxing {

// A text in code page 936 (GBK): a byte string that never holds a NUL byte.
// The empty text is a valid value.
using GbkText = std::string;

// One character unit of a GbkText. A byte below 0x80 is a unit of one byte.
// A byte of 0x80 or above is a lead byte and takes the byte after it,
// whatever that byte is (a line feed, 0x7F, ...), and also where code page
// 936 gives the lead byte no meaning (0x80, 0xFF). A lead byte that is the
// last byte of the text is a unit of one byte.
struct TextUnit {
    std::size_t offset;  // 0-based byte offset into the text
    std::size_t size;    // 1 or 2

    friend bool operator==(const TextUnit&, const TextUnit&) = default;
};

constexpr bool isLeadByte(unsigned char byte) { return byte >= 0x80; }

namespace detail {

// Offset of the first byte at or after `from` that is 0x80 or above, or `size`.
// Eight bytes at a time: a text is mostly ASCII or mostly double-byte, and
// both want the single-byte runs skipped without a byte-by-byte loop.
inline std::size_t findLeadByte(const unsigned char* bytes, std::size_t from, std::size_t size) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    std::size_t at = from;
    while (at + 8 <= size) {
        std::uint64_t word;
        std::memcpy(&word, bytes + at, 8);
        if (std::uint64_t high = word & kHighBits) {
            int bit = std::endian::native == std::endian::little ? std::countr_zero(high) : std::countl_zero(high);
            return at + static_cast<std::size_t>(bit >> 3);
        }
        at += 8;
    }
    while (at < size && !isLeadByte(bytes[at])) ++at;
    return at;
}

}  // namespace detail

// Walks the units of `size` bytes in order and reports them:
//   onSingleRun(begin, end)  a maximal run of one-byte units below 0x80
//   onDoubleUnit(offset)     a unit of two bytes starting at offset
//   onLoneLead(offset)       a lead byte that ends the text (a one-byte unit)
// This is the only cutting of text into units; every transform walks with it.
template <class SingleRun, class DoubleUnit, class LoneLead>
inline void forEachUnit(const unsigned char* bytes, std::size_t size, SingleRun&& onSingleRun,
                        DoubleUnit&& onDoubleUnit, LoneLead&& onLoneLead) {
    std::size_t at = 0;
    while (at < size) {
        if (!isLeadByte(bytes[at])) {
            std::size_t end = detail::findLeadByte(bytes, at, size);
            onSingleRun(at, end);
            at = end;
            continue;
        }
        if (at + 1 == size) {
            onLoneLead(at);
            return;
        }
        onDoubleUnit(at);
        at += 2;
    }
}

// A double-byte unit as one 16-bit code: lead byte high, trail byte low.
constexpr std::uint16_t loadUnit(const unsigned char* at) {
    return static_cast<std::uint16_t>(at[0] << 8 | at[1]);
}

constexpr void storeUnit(unsigned char* at, std::uint16_t code) {
    at[0] = static_cast<unsigned char>(code >> 8);
    at[1] = static_cast<unsigned char>(code);
}

inline const unsigned char* bytesOf(std::string_view text) {
    return reinterpret_cast<const unsigned char*>(text.data());
}

// The units of a text, in order. For tests and tools; transforms walk with forEachUnit.
inline std::vector<TextUnit> cutUnits(std::string_view text) {
    std::vector<TextUnit> units;
    forEachUnit(
        bytesOf(text), text.size(),
        [&](std::size_t begin, std::size_t end) {
            for (std::size_t i = begin; i < end; ++i) units.push_back({i, 1});
        },
        [&](std::size_t offset) { units.push_back({offset, 2}); },
        [&](std::size_t offset) { units.push_back({offset, 1}); });
    return units;
}

// Length of the longest prefix that ends on a unit boundary without a lead
// byte still waiting for its second byte: `size`, or `size - 1` when the
// text ends in a lone lead byte. A stream cut at this length and continued
// with the rest converts exactly as the whole text does.
inline std::size_t completeUnitsLength(const unsigned char* bytes, std::size_t size) {
    std::size_t length = size;
    forEachUnit(
        bytes, size, [](std::size_t, std::size_t) {}, [](std::size_t) {},
        [&](std::size_t offset) { length = offset; });
    return length;
}

inline unsigned char* bytesOf(std::string& text) {
    return reinterpret_cast<unsigned char*>(text.data());
}

}  // namespace huoxing
