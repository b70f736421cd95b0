// convertMartian in both directions, against the unit rule and the plain lookup.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "gbk_text.h"
#include "martian_converter.h"

using namespace huoxing;

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

// Each unit of the result stands where its unit stood: one-byte units are
// unchanged, double-byte units are the unit's replacement.
void checkUnitwise(std::string_view in, std::string_view out, MartianDirection direction) {
    check(out.size() == in.size());
    for (TextUnit unit : cutUnits(in)) {
        if (unit.size == 1) {
            check(out[unit.offset] == in[unit.offset]);
        } else {
            std::uint16_t code = loadUnit(bytesOf(in) + unit.offset);
            check(loadUnit(bytesOf(out) + unit.offset) == martianReplacement(code, direction));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string to = convertMartian(text, MartianDirection::ToMartian);
    std::string from = convertMartian(text, MartianDirection::FromMartian);
    checkUnitwise(text, to, MartianDirection::ToMartian);
    checkUnitwise(text, from, MartianDirection::FromMartian);

    // Without any Martian entry in it, FromMartian leaves a text as it is.
    bool holdsMartian = false;
    for (TextUnit unit : cutUnits(text)) {
        if (unit.size == 2) {
            std::uint16_t code = loadUnit(bytesOf(text) + unit.offset);
            holdsMartian |= martianReplacement(code, MartianDirection::FromMartian) != code;
        }
    }
    if (!holdsMartian) check(from == text);

    // Cut anywhere on a unit boundary, the two halves convert as the whole.
    std::size_t cut = size ? data[0] % (size + 1) : 0;
    std::string head(text.substr(0, cut));
    std::size_t done = convertMartianInPlace(bytesOf(head), head.size(), MartianDirection::ToMartian);
    std::string tail = head.substr(done) + std::string(text.substr(cut));
    head.resize(done);
    convertMartianInPlace(bytesOf(tail), tail.size(), MartianDirection::ToMartian);
    check(head + tail == to);
    return 0;
}
