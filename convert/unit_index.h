#pragma once
// A replacement for every 16-bit double-byte unit, and the walk that applies
// one in place: the fast path of the unit-by-unit conversions.

#include <array>
#include <cstddef>
#include <cstdint>

#include "gbk_text.h"

namespace huoxing {

// Indexed by a unit's code (lead byte high). Pairs that are no GBK code at
// all (a lead byte before a line feed, 0x80 or 0xFF leads) map to themselves,
// so the walk needs one load per unit and no range checks.
using UnitIndex = std::array<std::uint16_t, 0x10000>;

consteval UnitIndex identityIndex() {
    UnitIndex index{};
    for (std::size_t code = 0; code < index.size(); ++code) index[code] = static_cast<std::uint16_t>(code);
    return index;
}

// Replaces every double-byte unit through `index`. Returns the length of the
// converted prefix: `size`, or `size - 1` when the buffer ends in a lead byte
// whose second byte has not arrived yet (it is left as it is).
inline std::size_t replaceUnitsInPlace(unsigned char* bytes, std::size_t size, const UnitIndex& index) {
    std::size_t complete = size;
    forEachUnit(
        bytes, size, [](std::size_t, std::size_t) {},
        [&](std::size_t at) { storeUnit(bytes + at, index[loadUnit(bytes + at)]); },
        [&](std::size_t at) { complete = at; });
    return complete;
}

}  // namespace huoxing
