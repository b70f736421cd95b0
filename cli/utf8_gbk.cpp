#include "utf8_gbk.h"

#include <array>
#include <cstring>

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

DecodeResult decodeUtf8ToGbk(const unsigned char* in, std::size_t size, bool final, unsigned char* out,
                             std::vector<char32_t>& escaped) {
    std::size_t at = 0;
    std::size_t written = 0;
    while (at < size) {
        if (!isLeadByte(in[at])) {
            std::size_t end = detail::findLeadByte(in, at, size);
            if (const void* nul = std::memchr(in + at, 0, end - at)) {
                std::size_t offset = static_cast<std::size_t>(static_cast<const unsigned char*>(nul) - in);
                return {DecodeStatus::NulByte, offset, written};
            }
            std::memcpy(out + written, in + at, end - at);
            written += end - at;
            at = end;
            continue;
        }
        int length = validSequence(in, at, size);
        if (length < 0 && !final) break;
        if (length <= 0) return {DecodeStatus::InvalidUtf8, at, written};
        char32_t cp = codePointOf(in + at, length);
        std::uint16_t code = gbkCodeOf(cp);
        if (code == 0) {
            escaped.push_back(cp);
            code = kPlaceholderLead << 8 | kPlaceholderTrail;
        }
        storeUnit(out + written, code);
        written += 2;
        at += static_cast<std::size_t>(length);
    }
    return {DecodeStatus::Ok, at, written};
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
