#include "script_converter.h"

#include "script_tables.h"
#include "unit_index.h"

namespace huoxing {
namespace {

// Spreads a 126 x 190 table over all 16-bit units: pairs that are no GBK
// double-byte code (a lead byte 0x80 or 0xFF, a trail byte below 0x40, 0x7F
// or 0xFF) keep their own code and pass through unchanged.
consteval UnitIndex buildIndex(const ScriptTable& table) {
    UnitIndex index;
    std::size_t entry = 0;
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            index.set(static_cast<std::uint16_t>(lead << 8 | trail), table[entry++]);
        }
    }
    return index;
}

// Every entry must be a GBK double-byte code: a short initializer list would
// leave zeros, and a zero byte must never reach a text.
consteval bool holdsOnlyDoubleByteCodes(const ScriptTable& table) {
    for (std::uint16_t entry : table) {
        unsigned lead = entry >> 8, trail = entry & 0xFF;
        if (lead < 0x81 || lead > 0xFE || trail < 0x40 || trail == 0x7F || trail == 0xFF) return false;
    }
    return true;
}
static_assert(holdsOnlyDoubleByteCodes(kTraditionalToSimplifiedTable));
static_assert(holdsOnlyDoubleByteCodes(kSimplifiedToTraditionalTable));

constexpr UnitIndex kTraditionalToSimplifiedIndex = buildIndex(kTraditionalToSimplifiedTable);
constexpr UnitIndex kSimplifiedToTraditionalIndex = buildIndex(kSimplifiedToTraditionalTable);

const UnitIndex* indexFor(ScriptConversionKind kind) {
    switch (kind) {
        case ScriptConversionKind::TraditionalToSimplified:
            return &kTraditionalToSimplifiedIndex;
        case ScriptConversionKind::SimplifiedToTraditional:
            return &kSimplifiedToTraditionalIndex;
    }
    return nullptr;
}

}  // namespace

std::size_t convertScriptInPlace(unsigned char* bytes, std::size_t size, ScriptConversionKind kind) {
    const UnitIndex* index = indexFor(kind);
    if (index == nullptr) return completeUnitsLength(bytes, size);
    return replaceUnitsInPlace(bytes, size, *index);
}

GbkText convertScript(std::string_view text, ScriptConversionKind kind) {
    GbkText result(text);
    convertScriptInPlace(bytesOf(result), result.size(), kind);
    return result;
}

}  // namespace huoxing
