#pragma once
// A replacement for every 16-bit double-byte unit, and the walk that applies
// one in place: the fast path of the unit-by-unit conversions.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "gbk_text.h"

namespace huoxing {

// The two bytes of a unit as a native 16-bit word, as they lie in memory.
constexpr std::uint16_t wordOfCode(std::uint16_t code) {
    if constexpr (std::endian::native == std::endian::little) {
        return static_cast<std::uint16_t>(code << 8 | code >> 8);
    } else {
        return code;
    }
}

// Indexed by a unit's bytes as they lie in memory and holding the
// replacement's bytes likewise, so the walk moves plain 16-bit words with no
// byte swaps and no range checks: pairs that are no GBK code at all (a lead
// byte before a line feed, 0x80 or 0xFF leads) map to themselves.
class UnitIndex {
public:
    constexpr UnitIndex() {
        for (std::size_t word = 0; word < byWord_.size(); ++word) byWord_[word] = static_cast<std::uint16_t>(word);
    }

    constexpr void set(std::uint16_t code, std::uint16_t replacement) {
        byWord_[wordOfCode(code)] = wordOfCode(replacement);
    }

    // The replacement of a code (lead byte high).
    constexpr std::uint16_t operator[](std::uint16_t code) const {
        return wordOfCode(byWord_[wordOfCode(code)]);
    }

    std::uint16_t replaceWord(std::uint16_t word) const { return byWord_[word]; }

private:
    std::array<std::uint16_t, 0x10000> byWord_{};
};

// Replaces every double-byte unit through `index`. Returns the length of the
// converted prefix: `size`, or `size - 1` when the buffer ends in a lead byte
// whose second byte has not arrived yet (it is left as it is).
inline std::size_t replaceUnitsInPlace(unsigned char* bytes, std::size_t size, const UnitIndex& index) {
    std::size_t complete = size;
    forEachDoubleUnitInAnyOrder(
        bytes, size,
        [&](unsigned char* unit) {
            std::uint16_t word;
            std::memcpy(&word, unit, 2);
            word = index.replaceWord(word);
            std::memcpy(unit, &word, 2);
        },
        [&](std::size_t at) { complete = at; });
    return complete;
}

}  // namespace huoxing
