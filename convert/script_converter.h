#pragma once
// ScriptConverter: traditional to simplified characters and back, one
// double-byte unit at a time through kTraditionalToSimplifiedTable and
// kSimplifiedToTraditionalTable.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "gbk_text.h"

namespace huoxing {

// The numbers belong to a wider numbering of code-page conversions, of which
// only these two are built.
enum class ScriptConversionKind : std::uint8_t {
    TraditionalToSimplified = 3,
    SimplifiedToTraditional = 4,
};

// Each GBK double-byte unit (lead 0x81..0xFE, trail 0x40..0x7E or
// 0x80..0xFE) becomes the entry of the kind's table; every other unit stays.
// The result has the byte length of `text`. A kind with no table gives an
// unchanged copy.
GbkText convertScript(std::string_view text, ScriptConversionKind kind);

// The same conversion over a buffer, in place. Returns the length of the
// converted prefix: `size`, or `size - 1` when the buffer ends in a lead byte
// whose second byte has not arrived yet (it is left as it is), so a stream
// can carry that byte into its next block.
std::size_t convertScriptInPlace(unsigned char* bytes, std::size_t size, ScriptConversionKind kind);

}  // namespace huoxing
