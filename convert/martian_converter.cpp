#include "martian_converter.h"

#include <array>

#include "martian_tables.h"

namespace huoxing {
namespace {

using UnitIndex = std::array<std::uint16_t, 0x10000>;

// Maps every 16-bit unit to its replacement, so the walk needs one load per
// unit and no range checks: codes no row holds, and pairs that are no GBK code
// at all (a lead byte before a line feed, 0x80 or 0xFF leads), map to themselves.
// Rows are entered from the last to the first, so the lowest row wins.
consteval UnitIndex buildIndex(const unsigned char* searched, const unsigned char* supplying) {
    UnitIndex index{};
    for (std::size_t code = 0; code < index.size(); ++code) index[code] = static_cast<std::uint16_t>(code);
    for (int row = kMartianRowCount - 1; row >= 0; --row) {
        index[loadUnit(searched + 2 * row)] = loadUnit(supplying + 2 * row);
    }
    return index;
}

constexpr UnitIndex kToMartianIndex = buildIndex(kPlainTable, kMartianTable);
constexpr UnitIndex kFromMartianIndex = buildIndex(kMartianTable, kPlainTable);

static_assert(sizeof kPlainTable == 2 * kMartianRowCount + 1 && kPlainTable[2 * kMartianRowCount] == 0);
static_assert(sizeof kMartianTable == 2 * kMartianRowCount + 1 && kMartianTable[2 * kMartianRowCount] == 0);

const UnitIndex& indexFor(MartianDirection direction) {
    return direction == MartianDirection::ToMartian ? kToMartianIndex : kFromMartianIndex;
}

}  // namespace

std::uint16_t martianReplacement(std::uint16_t code, MartianDirection direction) {
    return indexFor(direction)[code];
}

std::size_t convertMartianInPlace(unsigned char* bytes, std::size_t size, MartianDirection direction) {
    const UnitIndex& index = indexFor(direction);
    std::size_t complete = size;
    forEachUnit(
        bytes, size, [](std::size_t, std::size_t) {},
        [&](std::size_t at) { storeUnit(bytes + at, index[loadUnit(bytes + at)]); },
        [&](std::size_t at) { complete = at; });
    return complete;
}

GbkText convertMartian(std::string_view text, MartianDirection direction) {
    GbkText result(text);
    convertMartianInPlace(bytesOf(result), result.size(), direction);
    return result;
}

}  // namespace huoxing
