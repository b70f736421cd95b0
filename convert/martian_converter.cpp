#include "martian_converter.h"

#include "martian_tables.h"
#include "unit_index.h"

namespace huoxing {
namespace {

// Codes no row holds keep their own code. Rows are entered from the last to
// the first, so the lowest row wins.
consteval UnitIndex buildIndex(const unsigned char* searched, const unsigned char* supplying) {
    UnitIndex index;
    for (int row = kMartianRowCount - 1; row >= 0; --row) {
        index.set(loadUnit(searched + 2 * row), loadUnit(supplying + 2 * row));
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
    return replaceUnitsInPlace(bytes, size, indexFor(direction));
}

GbkText convertMartian(std::string_view text, MartianDirection direction) {
    GbkText result(text);
    convertMartianInPlace(bytesOf(result), result.size(), direction);
    return result;
}

}  // namespace huoxing
