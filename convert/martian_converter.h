#pragma once
// MartianConverter: ordinary Chinese text to Martian script (look-alike and
// traditional forms) and back, through the parallel tables kPlainTable and
// kMartianTable.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "gbk_text.h"

namespace huoxing {

// Which table is searched; the other supplies the replacement. The value is
// the flag the commands pass: true for ToMartian.
enum class MartianDirection : std::uint8_t {
    FromMartian = 0,  // search kMartianTable, take kPlainTable
    ToMartian = 1,    // search kPlainTable, take kMartianTable
};

// Each double-byte unit found in the searched table becomes the entry of the
// supplying table in the lowest row that holds it; every other unit stays.
// The result has the byte length of `text`.
GbkText convertMartian(std::string_view text, MartianDirection direction);

// The same conversion over a buffer, in place. Returns the length of the
// converted prefix: `size`, or `size - 1` when the buffer ends in a lead byte
// whose second byte has not arrived yet (it is left as it is), so a stream
// can carry that byte into its next block.
std::size_t convertMartianInPlace(unsigned char* bytes, std::size_t size, MartianDirection direction);

// The replacement of one double-byte code under a direction (the code itself
// where no row holds it).
std::uint16_t martianReplacement(std::uint16_t code, MartianDirection direction);

}  // namespace huoxing
