// The command line's UTF-8 path: decode, an identity conversion, encode must
// give back the input exactly, whatever the block boundaries; bad input is
// refused, never altered.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "martian_converter.h"
#include "utf8_gbk.h"

using namespace huoxing;

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<unsigned char> gbk(size + 1);
    std::vector<char32_t> escaped;
    DecodeResult whole = decodeUtf8ToGbk(data, size, true, gbk.data(), escaped);
    check(whole.written <= size);

    // The same input in two blocks decodes to the same bytes, or fails at the same offset.
    std::size_t cut = size ? data[size - 1] % (size + 1) : 0;
    std::vector<unsigned char> split(size + 1);
    std::vector<char32_t> splitEscaped;
    DecodeResult first = decodeUtf8ToGbk(data, cut, false, split.data(), splitEscaped);
    if (first.status == DecodeStatus::Ok) {
        DecodeResult second = decodeUtf8ToGbk(data + first.consumed, size - first.consumed, true,
                                              split.data() + first.written, splitEscaped);
        check(second.status == whole.status);
        if (whole.status == DecodeStatus::Ok) {
            check(first.written + second.written == whole.written);
            check(std::equal(gbk.begin(), gbk.begin() + whole.written, split.begin()));
            check(splitEscaped == escaped);
        } else {
            check(first.consumed + second.consumed == whole.consumed);
        }
    } else {
        check(first.status == whole.status && first.consumed == whole.consumed);
    }
    if (whole.status != DecodeStatus::Ok) return 0;

    std::vector<unsigned char> converted(gbk.begin(), gbk.begin() + whole.written);
    convertMartianInPlace(converted.data(), converted.size(), MartianDirection::ToMartian);

    // Decoded and encoded again, with nothing converted between, the text comes back byte for byte.
    std::vector<unsigned char> utf8(maxUtf8Size(whole.written) + 1);
    std::size_t next = 0;
    EncodeResult back = encodeGbkToUtf8(gbk.data(), whole.written, true, escaped, next, utf8.data());
    check(back.ok && next == escaped.size());
    check(back.written == size && std::equal(data, data + size, utf8.begin()));

    // A converted text still encodes: the tables only produce codes that hold characters.
    next = 0;
    check(encodeGbkToUtf8(converted.data(), converted.size(), true, escaped, next, utf8.data()).ok);
    return 0;
}
