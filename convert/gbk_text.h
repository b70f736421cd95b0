#pragma once
// GbkText and the one place where a text is cut into TextUnits.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

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

constexpr std::uint64_t byteSwap64(std::uint64_t word) {
    std::uint64_t swapped = 0;
    for (int i = 0; i < 8; ++i) swapped = swapped << 8 | (word >> (8 * i) & 0xFF);
    return swapped;
}

// Bit i set where bytes[i] is 0x80 or above, for the 64 bytes at `bytes`.
inline std::uint64_t highBitMask64(const unsigned char* bytes) {
#if defined(__SSE2__) || defined(_M_X64)
    std::uint64_t mask = 0;
    for (int part = 0; part < 4; ++part) {
        __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * part));
        mask |= static_cast<std::uint64_t>(static_cast<std::uint16_t>(_mm_movemask_epi8(chunk))) << (16 * part);
    }
    return mask;
#else
    // Gathers the top bit of each byte of a little-endian word into 8 bits.
    std::uint64_t mask = 0;
    for (int part = 0; part < 8; ++part) {
        std::uint64_t word;
        std::memcpy(&word, bytes + 8 * part, 8);
        if constexpr (std::endian::native == std::endian::big) word = byteSwap64(word);
        std::uint64_t high = (word & 0x8080808080808080ULL) >> 7;
        mask |= ((high * 0x0102040810204080ULL) >> 56) << (8 * part);
    }
    return mask;
#endif
}

// The lead bytes among the bytes marked in `high`, when the first of them
// starts a unit: in each run of consecutive bytes of 0x80 or above, every
// other byte from the run's start is a lead and the one after it its trail.
// (A lead may also take a byte below 0x80 as its trail; that byte ends the
// run, so the rule holds.) Runs that start at an even offset carry through
// high + their start bits, which marks them apart from the odd ones.
constexpr std::uint64_t leadBytesOf(std::uint64_t high) {
    constexpr std::uint64_t kEven = 0x5555555555555555ULL;
    std::uint64_t starts = high & ~(high << 1);
    std::uint64_t evenRuns = high & ~(high + (starts & kEven));
    std::uint64_t oddRuns = high & ~evenRuns;
    return (evenRuns & kEven) | (oddRuns & ~kEven);
}

}  // namespace detail

namespace detail {

// The offset of the lowest set bit; unsigned, so that adding it to an offset
// costs no sign extension in the walk's inner loop.
constexpr std::size_t lowestSetBit(std::uint64_t bits) { return static_cast<unsigned>(std::countr_zero(bits)); }

// Finds the lead bytes of `size` bytes, 64 at a time: calls onLeads(base,
// leads) with bit i of `leads` set where bytes[base + i] is a lead byte with a
// second byte after it, then onLoneLead(offset) if a lead byte ends the text.
// Chunks without a lead byte are skipped.
template <class Leads, class LoneLead>
inline void scanLeadBytes(const unsigned char* bytes, std::size_t size, Leads&& onLeads, LoneLead&& onLoneLead) {
    bool startsWithTrail = false;  // the chunk's first byte is the trail of a lead before it
    for (std::size_t base = 0; base < size; base += 64) {
        const unsigned char* chunk = bytes + base;
        std::size_t length = size - base < 64 ? size - base : 64;
        unsigned char padded[64];
        if (length < 64) {  // the end of the text, padded with bytes below 0x80
            std::memcpy(padded, chunk, length);
            std::memset(padded + length, 0, 64 - length);
            chunk = padded;
        }
        std::uint64_t high = highBitMask64(chunk);
        if (startsWithTrail) high &= ~std::uint64_t{1};
        if (high == 0) {
            startsWithTrail = false;
            continue;
        }
        std::uint64_t leads = leadBytesOf(high);
        startsWithTrail = leads >> 63;
        std::uint64_t lastByte = std::uint64_t{1} << (length - 1);
        if (base + length == size && (leads & lastByte)) {
            if (leads &= ~lastByte) onLeads(base, leads);
            onLoneLead(size - 1);
            return;
        }
        onLeads(base, leads);
    }
}

}  // namespace detail

// Walks the units of `size` bytes in order and reports them:
//   onSingleRun(begin, end)  a maximal run of one-byte units below 0x80
//   onDoubleUnit(offset)     a unit of two bytes starting at offset
//   onLoneLead(offset)       a lead byte that ends the text (a one-byte unit)
// This is the only cutting of text into units; every transform walks with it.
// It finds the lead bytes of 64 bytes at once and visits only those, so a
// text costs a step per double-byte unit and almost nothing per ASCII byte.
template <class SingleRun, class DoubleUnit, class LoneLead>
inline void forEachUnit(const unsigned char* bytes, std::size_t size, SingleRun&& onSingleRun,
                        DoubleUnit&& onDoubleUnit, LoneLead&& onLoneLead) {
    std::size_t runStart = 0;  // where the current run of one-byte units began
    detail::scanLeadBytes(
        bytes, size,
        [&](std::size_t base, std::uint64_t leads) {
            for (; leads; leads &= leads - 1) {
                std::size_t at = base + detail::lowestSetBit(leads);
                if (runStart < at) onSingleRun(runStart, at);
                onDoubleUnit(at);
                runStart = at + 2;
            }
        },
        [&](std::size_t at) {
            if (runStart < at) onSingleRun(runStart, at);
            onLoneLead(at);
            runStart = size;
        });
    if (runStart < size) onSingleRun(runStart, size);
}

// The double-byte units of a buffer and a lone lead byte at its end, as
// forEachUnit finds them, but visited in no particular order and by address:
// onDoubleUnit(unit) with a pointer to the unit's first byte. For conversions
// that change each unit in place and alone; two independent walks over each
// chunk's lead bytes keep the processor busy on both.
template <class DoubleUnit, class LoneLead>
inline void forEachDoubleUnitInAnyOrder(unsigned char* bytes, std::size_t size, DoubleUnit&& onDoubleUnit,
                                        LoneLead&& onLoneLead) {
    detail::scanLeadBytes(
        bytes, size,
        [&](std::size_t base, std::uint64_t leads) {
            unsigned char* chunk = bytes + base;
            std::uint64_t low = leads & 0xFFFFFFFFu;
            std::uint64_t high = leads & ~std::uint64_t{0xFFFFFFFFu};
            for (; low && high; low &= low - 1, high &= high - 1) {
                onDoubleUnit(chunk + detail::lowestSetBit(low));
                onDoubleUnit(chunk + detail::lowestSetBit(high));
            }
            for (leads = low | high; leads; leads &= leads - 1) onDoubleUnit(chunk + detail::lowestSetBit(leads));
        },
        onLoneLead);
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
