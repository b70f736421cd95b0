#pragma once
// Conversion between UTF-8 and GBK for the command line. Every character
// reaches the other side: a character that GBK cannot hold (an emoji, a rare
// ideograph, the euro sign) travels through the GBK text as a placeholder
// unit that no transform changes, and its code point rides alongside.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace huoxing {

// The placeholder: a double-byte unit with the lead byte 0x80, which decoded
// UTF-8 never yields otherwise and every transform leaves in place.
inline constexpr unsigned char kPlaceholderLead = 0x80;
inline constexpr unsigned char kPlaceholderTrail = 0x80;

enum class DecodeStatus : std::uint8_t {
    Ok = 0,
    InvalidUtf8 = 1,  // a malformed, overlong, surrogate or out-of-range sequence
    NulByte = 2,      // U+0000: a GbkText never holds a NUL byte
};

struct DecodeResult {
    DecodeStatus status;
    std::size_t consumed;  // bytes of input used; on an error, the offset of the offending sequence
    std::size_t written;   // GBK bytes written
};

// Decodes `size` bytes of UTF-8 into GBK at `out`, which has room for `size`
// bytes (a GBK text is never longer than its UTF-8 form). Unless `final`, an
// incomplete sequence at the end is left unconsumed for the next block.
DecodeResult decodeUtf8ToGbk(const unsigned char* in, std::size_t size, bool final, unsigned char* out,
                             std::vector<char32_t>& escaped);

// Room needed to encode a GBK text of `size` bytes to UTF-8 (a character
// is stored four bytes at a time, so one byte more than it needs).
constexpr std::size_t maxUtf8Size(std::size_t gbkSize) { return 2 * gbkSize + 1; }

struct EncodeResult {
    bool ok;               // false: a code that holds no character (offset in `consumed`)
    std::size_t consumed;  // GBK bytes used (complete units only)
    std::size_t written;   // UTF-8 bytes written
};

// Encodes complete GBK units into UTF-8 at `out` (room: maxUtf8Size(size)).
// Placeholder units take the code points of `escaped` in order from `next`,
// which is advanced. Unless `final`, a lead byte at the very end is left
// unconsumed; when final, such a lone byte cannot be encoded and fails.
EncodeResult encodeGbkToUtf8(const unsigned char* in, std::size_t size, bool final,
                             const std::vector<char32_t>& escaped, std::size_t& next, unsigned char* out);

// A unit-local conversion of GBK text applied straight to UTF-8: each
// character that GBK holds becomes the UTF-8 form of its converted code, and
// every other character passes through as it is. Gives what decoding,
// converting and encoding give, in one pass without the GBK text between.
class Utf8UnitMap {
public:
    // `convert` converts complete GBK units in place, each unit alone.
    explicit Utf8UnitMap(const std::function<void(unsigned char*, std::size_t)>& convert);

    // As decodeUtf8ToGbk; `out` has room for maxConvertedSize(size) bytes.
    DecodeResult convert(const unsigned char* in, std::size_t size, bool final, unsigned char* out) const;

    static constexpr std::size_t maxConvertedSize(std::size_t size) { return 2 * size + 4; }

private:
    // The converted UTF-8 form of each GBK code, by (lead - 0x81) << 8 | trail,
    // packed as the encoder's table; 0: the character passes through.
    std::vector<std::uint32_t> byCode_;
};

// Whole-text conveniences for tests and tools: a UTF-8 literal as GBK bytes and back.
// Characters outside GBK are not allowed here.
std::string gbkFromUtf8(std::string_view utf8);
std::string utf8FromGbk(std::string_view gbk);

// The GBK double-byte code of a Unicode code point, or 0 where GBK has none.
std::uint16_t gbkCodeOf(char32_t codePoint);
// The code point of a GBK double-byte code, or 0 where the code holds no character.
char32_t unicodeOfGbk(std::uint16_t code);

}  // namespace huoxing
