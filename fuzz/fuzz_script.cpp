// convertScript in both kinds: whole units only, the length kept, and a
// second conversion changing nothing.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "gbk_text.h"
#include "script_converter.h"

using namespace huoxing;

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

bool isGbkCode(std::uint16_t code) {
    unsigned lead = code >> 8, trail = code & 0xFF;
    return lead >= 0x81 && lead <= 0xFE && trail >= 0x40 && trail <= 0xFE && trail != 0x7F;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    for (auto kind : {ScriptConversionKind::TraditionalToSimplified, ScriptConversionKind::SimplifiedToTraditional}) {
        std::string once = convertScript(text, kind);
        check(once.size() == text.size());
        check(convertScript(once, kind) == once);
        for (TextUnit unit : cutUnits(text)) {
            const unsigned char* before = bytesOf(text) + unit.offset;
            const unsigned char* after = bytesOf(once) + unit.offset;
            if (unit.size == 1 || !isGbkCode(loadUnit(before))) {
                check(std::string_view(text.substr(unit.offset, unit.size)) ==
                      std::string_view(once).substr(unit.offset, unit.size));
            } else {
                check(isGbkCode(loadUnit(after)));
            }
        }
    }
    check(convertScript(text, static_cast<ScriptConversionKind>(size ? data[0] % 3 : 0)) == text);
    return 0;
}
