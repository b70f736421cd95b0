#include "utf8_gbk.h"

#include <array>
#include <bit>
#include <cstring>
#include <functional>

#include "gbk_text.h"
#include "gbk_unicode_table.h"

namespace huoxing {
namespace {

using UnicodeIndex = std::array<std::uint16_t, 0x10000>;

constexpr int columnOf(unsigned trail) {
    if (trail >= 0x40 && trail <= 0x7E) return static_cast<int>(trail - 0x40);
    if (trail >= 0x80 && trail <= 0xFE) return static_cast<int>(trail - 0x41);
    return -1;
}

constexpr int gbkIndexOf(std::uint16_t code) {
    unsigned lead = code >> 8;
    int column = columnOf(code & 0xFFu);
    if (lead < 0x81 || lead > 0xFE || column < 0) return -1;
    return static_cast<int>(lead - 0x81) * 190 + column;
}

consteval UnicodeIndex buildUnicodeIndex() {
    UnicodeIndex index{};
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            auto code = static_cast<std::uint16_t>(lead << 8 | trail);
            int at = gbkIndexOf(code);
            if (at >= 0 && kGbkToUnicode[at] != 0) index[kGbkToUnicode[at]] = code;
        }
    }
    return index;
}

constexpr UnicodeIndex kUnicodeToGbk = buildUnicodeIndex();

// The UTF-8 form of every double-byte unit with lead 0x81..0xFE, indexed by
// (lead - 0x81) << 8 | trail: its bytes in the low three bytes, in the order
// they are written, and its length in the top byte; 0 where the unit holds no
// character. One load and one four-byte store per character.
using Utf8Table = std::array<std::uint32_t, 126 * 256>;

consteval Utf8Table buildUtf8Table() {
    Utf8Table table{};
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0; trail <= 0xFF; ++trail) {
            int at = gbkIndexOf(static_cast<std::uint16_t>(lead << 8 | trail));
            char32_t cp = at < 0 ? 0 : kGbkToUnicode[at];
            if (cp == 0) continue;
            std::uint32_t bytes[3];
            std::uint32_t length;
            if (cp < 0x800) {
                bytes[0] = 0xC0 | cp >> 6;
                bytes[1] = 0x80 | (cp & 0x3F);
                bytes[2] = 0;
                length = 2;
            } else {
                bytes[0] = 0xE0 | cp >> 12;
                bytes[1] = 0x80 | (cp >> 6 & 0x3F);
                bytes[2] = 0x80 | (cp & 0x3F);
                length = 3;
            }
            std::uint32_t packed = std::endian::native == std::endian::little
                                       ? bytes[0] | bytes[1] << 8 | bytes[2] << 16
                                       : bytes[0] << 24 | bytes[1] << 16 | bytes[2] << 8;
            table[(lead - 0x81) << 8 | trail] = std::endian::native == std::endian::little ? packed | length << 24
                                                                                            : packed | length;
        }
    }
    return table;
}

constexpr Utf8Table kGbkToUtf8 = buildUtf8Table();

// Writes a unit's UTF-8 form (four bytes stored, its length kept); false
// where the table has none.
inline bool putUtf8OfUnit(const unsigned char* unit, unsigned char*& out) {
    if (unit[0] < 0x81 || unit[0] == 0xFF) return false;
    std::uint32_t entry = kGbkToUtf8[static_cast<std::size_t>(unit[0] - 0x81) << 8 | unit[1]];
    if (entry == 0) return false;
    std::memcpy(out, &entry, 4);
    out += std::endian::native == std::endian::little ? entry >> 24 : entry & 0xFF;
    return true;
}

constexpr bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the sequence that starts with `lead` and the allowed range of
// its second byte (which rules out overlong forms, surrogates and code
// points above U+10FFFF); 0 for a byte that cannot start a sequence.
struct SequenceShape {
    int length;
    unsigned char secondLow;
    unsigned char secondHigh;
};

constexpr SequenceShape shapeOf(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return {2, 0x80, 0xBF};
    if (lead == 0xE0) return {3, 0xA0, 0xBF};
    if (lead == 0xED) return {3, 0x80, 0x9F};
    if (lead >= 0xE1 && lead <= 0xEF) return {3, 0x80, 0xBF};
    if (lead == 0xF0) return {4, 0x90, 0xBF};
    if (lead >= 0xF1 && lead <= 0xF3) return {4, 0x80, 0xBF};
    if (lead == 0xF4) return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

// How many bytes from `at` form a valid sequence (its full length), or a valid
// but incomplete prefix cut by the end (returned negated), or 0 if invalid.
int validSequence(const unsigned char* in, std::size_t at, std::size_t size) {
    SequenceShape shape = shapeOf(in[at]);
    if (shape.length == 0) return 0;
    for (int i = 1; i < shape.length; ++i) {
        if (at + i >= size) return -i;
        unsigned char byte = in[at + i];
        bool fits = i == 1 ? byte >= shape.secondLow && byte <= shape.secondHigh : isContinuation(byte);
        if (!fits) return 0;
    }
    return shape.length;
}

char32_t codePointOf(const unsigned char* in, int length) {
    char32_t cp = in[0] & (0x7F >> length);
    for (int i = 1; i < length; ++i) cp = cp << 6 | (in[i] & 0x3F);
    return cp;
}

std::size_t putUtf8(char32_t cp, unsigned char* out) {
    if (cp < 0x80) {
        out[0] = static_cast<unsigned char>(cp);
        return 1;
    }
    if (cp < 0x800) {
        out[0] = static_cast<unsigned char>(0xC0 | cp >> 6);
        out[1] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
        return 2;
    }
    if (cp < 0x10000) {
        out[0] = static_cast<unsigned char>(0xE0 | cp >> 12);
        out[1] = static_cast<unsigned char>(0x80 | (cp >> 6 & 0x3F));
        out[2] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
        return 3;
    }
    out[0] = static_cast<unsigned char>(0xF0 | cp >> 18);
    out[1] = static_cast<unsigned char>(0x80 | (cp >> 12 & 0x3F));
    out[2] = static_cast<unsigned char>(0x80 | (cp >> 6 & 0x3F));
    out[3] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
    return 4;
}

}  // namespace

std::uint16_t gbkCodeOf(char32_t codePoint) { return codePoint < 0x10000 ? kUnicodeToGbk[codePoint] : 0; }

char32_t unicodeOfGbk(std::uint16_t code) {
    int at = gbkIndexOf(code);
    return at < 0 ? 0 : kGbkToUnicode[at];
}

namespace {

// Walks UTF-8 text: onAsciiRun(begin, end) for runs below 0x80, then
// onCharacter(sequence, length, codePoint) for each longer character. Stops
// at a NUL byte or an invalid sequence (its offset in `consumed`); unless
// `final`, an incomplete sequence at the end is left unconsumed.
template <class AsciiRun, class Character>
DecodeResult walkUtf8(const unsigned char* in, std::size_t size, bool final, AsciiRun&& onAsciiRun,
                      Character&& onCharacter) {
    std::size_t at = 0;
    while (at < size) {
        if (!isLeadByte(in[at])) {
            std::size_t end = detail::findLeadByte(in, at, size);
            if (const void* nul = std::memchr(in + at, 0, end - at)) {
                return {DecodeStatus::NulByte, static_cast<std::size_t>(static_cast<const unsigned char*>(nul) - in), 0};
            }
            onAsciiRun(at, end);
            at = end;
            continue;
        }
        // Most characters of Chinese text: three bytes, none of them a surrogate.
        if ((in[at] & 0xF0) == 0xE0 && at + 2 < size && isContinuation(in[at + 1]) && isContinuation(in[at + 2])) {
            char32_t cp = (in[at] & 0x0Fu) << 12 | (in[at + 1] & 0x3Fu) << 6 | (in[at + 2] & 0x3Fu);
            if (cp >= 0x800 && (cp < 0xD800 || cp > 0xDFFF)) {
                onCharacter(in + at, 3, cp);
                at += 3;
                continue;
            }
        }
        int length = validSequence(in, at, size);
        if (length < 0 && !final) break;
        if (length <= 0) return {DecodeStatus::InvalidUtf8, at, 0};
        onCharacter(in + at, length, codePointOf(in + at, length));
        at += static_cast<std::size_t>(length);
    }
    return {DecodeStatus::Ok, at, 0};
}

}  // namespace

DecodeResult decodeUtf8ToGbk(const unsigned char* in, std::size_t size, bool final, unsigned char* out,
                             std::vector<char32_t>& escaped) {
    std::size_t written = 0;
    DecodeResult result = walkUtf8(
        in, size, final,
        [&](std::size_t begin, std::size_t end) {
            std::memcpy(out + written, in + begin, end - begin);
            written += end - begin;
        },
        [&](const unsigned char*, int, char32_t cp) {
            std::uint16_t code = gbkCodeOf(cp);
            if (code == 0) {
                escaped.push_back(cp);
                code = kPlaceholderLead << 8 | kPlaceholderTrail;
            }
            storeUnit(out + written, code);
            written += 2;
        });
    result.written = written;
    return result;
}

Utf8UnitMap::Utf8UnitMap(const std::function<void(unsigned char*, std::size_t)>& convert)
    : byCode_(kGbkToUtf8.size(), 0) {
    // Every GBK code once, converted as a text: the conversion is unit-local,
    // so each unit comes out as it would anywhere in a text.
    std::vector<unsigned char> units;
    units.reserve(2 * 126 * 190);
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            units.push_back(static_cast<unsigned char>(lead));
            units.push_back(static_cast<unsigned char>(trail));
        }
    }
    std::vector<unsigned char> converted = units;
    convert(converted.data(), converted.size());
    for (std::size_t i = 0; i < units.size(); i += 2) {
        std::size_t from = static_cast<std::size_t>(units[i] - 0x81) << 8 | units[i + 1];
        std::size_t to = static_cast<std::size_t>(converted[i] - 0x81) << 8 | converted[i + 1];
        if (kGbkToUtf8[from] != 0) byCode_[from] = kGbkToUtf8[to];
    }
}

DecodeResult Utf8UnitMap::convert(const unsigned char* in, std::size_t size, bool final, unsigned char* out) const {
    unsigned char* cursor = out;
    DecodeResult result = walkUtf8(
        in, size, final,
        [&](std::size_t begin, std::size_t end) {
            std::memcpy(cursor, in + begin, end - begin);
            cursor += end - begin;
        },
        [&](const unsigned char* sequence, int length, char32_t cp) {
            std::uint16_t code = gbkCodeOf(cp);
            std::uint32_t entry = code ? byCode_[static_cast<std::size_t>((code >> 8) - 0x81) << 8 | (code & 0xFF)] : 0;
            if (entry == 0) {  // no GBK code: the character passes as it is
                std::memcpy(cursor, sequence, static_cast<std::size_t>(length));
                cursor += length;
                return;
            }
            std::memcpy(cursor, &entry, 4);
            cursor += std::endian::native == std::endian::little ? entry >> 24 : entry & 0xFF;
        });
    result.written = static_cast<std::size_t>(cursor - out);
    return result;
}

EncodeResult encodeGbkToUtf8(const unsigned char* in, std::size_t size, bool final,
                             const std::vector<char32_t>& escaped, std::size_t& next, unsigned char* out) {
    std::size_t written = 0;
    std::size_t consumed = size;
    bool ok = true;
    forEachUnit(
        in, size,
        [&](std::size_t begin, std::size_t end) {
            if (!ok) return;
            std::memcpy(out + written, in + begin, end - begin);
            written += end - begin;
        },
        [&](std::size_t at) {
            if (!ok) return;
            unsigned char* cursor = out + written;
            if (putUtf8OfUnit(in + at, cursor)) {
                written = static_cast<std::size_t>(cursor - out);
                return;
            }
            std::uint16_t code = loadUnit(in + at);
            char32_t cp = 0;
            if (code == (kPlaceholderLead << 8 | kPlaceholderTrail)) {
                if (next < escaped.size()) cp = escaped[next++];
            } else {
                cp = unicodeOfGbk(code);
            }
            if (cp == 0) {
                ok = false;
                consumed = at;
                return;
            }
            written += putUtf8(cp, out + written);
        },
        [&](std::size_t at) {
            if (!ok) return;
            consumed = at;
            ok = !final;
        });
    return {ok, consumed, written};
}

std::string gbkFromUtf8(std::string_view utf8) {
    std::string gbk(utf8.size(), '\0');
    std::vector<char32_t> escaped;
    DecodeResult result = decodeUtf8ToGbk(bytesOf(utf8), utf8.size(), true, bytesOf(gbk), escaped);
    gbk.resize(result.written);
    return gbk;
}

std::string utf8FromGbk(std::string_view gbk) {
    std::string utf8(maxUtf8Size(gbk.size()), '\0');
    std::vector<char32_t> escaped;
    std::size_t next = 0;
    EncodeResult result = encodeGbkToUtf8(bytesOf(gbk), gbk.size(), true, escaped, next, bytesOf(utf8));
    utf8.resize(result.written);
    return utf8;
}

}  // namespace huoxing
