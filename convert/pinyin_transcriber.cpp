#include "pinyin_transcriber.h"

namespace huoxing {
namespace {

constexpr std::uint16_t kIdeographicSpace = 0xA1A1;

// Punctuation, full-width forms, kana, Greek, box drawing and the like: these
// units go through toHalfWidth and never to the dictionary.
constexpr bool inSymbolArea(unsigned char lead) { return lead >= 0xA0 && lead <= 0xAF; }

constexpr bool isOneByteUnit(unsigned char byte) { return byte >= 0x01 && byte <= 0x7F; }

const char* charsOf(const unsigned char* bytes) { return reinterpret_cast<const char*>(bytes); }

}  // namespace

unsigned char halfWidthOf(std::uint16_t code) {
    switch (code) {
        case kIdeographicSpace: return ' ';
        case 0xA1AB: return '~';  // ～
        case 0xA1EE:              // ☆
        case 0xA1EF: return '*';  // ★
        default: break;
    }
    unsigned trail = code & 0xFF;
    if (code >> 8 == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return static_cast<unsigned char>(trail - 0x80);
    return 0;
}

GbkText toHalfWidth(std::string_view text) {
    const unsigned char* bytes = bytesOf(text);
    GbkText out;
    out.reserve(text.size());
    forEachUnit(
        bytes, text.size(), [&](std::size_t begin, std::size_t end) { out.append(charsOf(bytes + begin), end - begin); },
        [&](std::size_t at) {
            if (unsigned char half = halfWidthOf(loadUnit(bytes + at))) {
                out.push_back(static_cast<char>(half));
            } else {
                out.append(charsOf(bytes + at), 2);
            }
        },
        [](std::size_t) {});
    return out;
}

std::size_t leadingSpacesLength(std::string_view text) {
    const unsigned char* bytes = bytesOf(text);
    std::size_t at = 0;
    while (at < text.size()) {
        if (bytes[at] == ' ') {
            at += 1;
        } else if (at + 1 < text.size() && loadUnit(bytes + at) == kIdeographicSpace) {
            at += 2;
        } else {
            break;
        }
    }
    return at;
}

namespace {

// Where `text` (without leading spaces) ends once its trailing space units are
// cut: right after its last other unit; or, when a lead byte ends the text,
// right before that byte, and nothing more is cut.
std::size_t endWithoutTrailingSpaces(std::string_view text) {
    const unsigned char* bytes = bytesOf(text);
    std::size_t size = text.size();
    // A last byte below 0x80 other than a space ends a unit that is neither a
    // space unit nor a lone lead byte, so nothing is cut; most texts end so.
    if (size > 0 && bytes[size - 1] < 0x80 && bytes[size - 1] != ' ') return size;
    std::size_t contentEnd = 0;
    std::size_t loneLead = size;
    forEachUnit(
        bytes, size,
        [&](std::size_t begin, std::size_t end) {
            while (end > begin && bytes[end - 1] == ' ') --end;
            if (end > begin) contentEnd = end;
        },
        [&](std::size_t at) {
            if (loadUnit(bytes + at) != kIdeographicSpace) contentEnd = at + 2;
        },
        [&](std::size_t at) { loneLead = at; });
    return loneLead < size ? loneLead : contentEnd;
}

}  // namespace

std::string_view spacesTrimmed(std::string_view text) {
    text.remove_prefix(leadingSpacesLength(text));
    return text.substr(0, endWithoutTrailingSpaces(text));
}

GbkText trimSpaces(std::string_view text) { return GbkText(spacesTrimmed(text)); }

GbkText trimLeadingSpaces(std::string_view text) { return GbkText(text.substr(leadingSpacesLength(text))); }

void appendPinyin(const unsigned char* bytes, std::size_t size, std::size_t end, PinyinMode mode, bool spaced,
                  bool dropLeadingSpaces, std::string& out) {
    const std::size_t start = out.size();
    // Until this call writes something else, every space it would write is
    // one the trim of the start would remove.
    auto holdingSpaces = [&] { return dropLeadingSpaces && out.size() == start; };
    auto appendSpace = [&] {
        if (!holdingSpaces()) out.push_back(' ');
    };
    forEachUnit(
        bytes, end,
        [&](std::size_t begin, std::size_t stop) {
            if (holdingSpaces()) {
                while (begin < stop && bytes[begin] == ' ') ++begin;
            }
            out.append(charsOf(bytes + begin), stop - begin);
        },
        [&](std::size_t at) {
            if (spaced) appendSpace();
            std::uint16_t code = loadUnit(bytes + at);
            if (inSymbolArea(bytes[at])) {
                unsigned char half = halfWidthOf(code);
                if (half == ' ') {
                    appendSpace();
                } else if (half) {
                    out.push_back(static_cast<char>(half));
                } else {
                    out.append(charsOf(bytes + at), 2);
                }
                return;
            }
            if (Reading reading = readingOf(code, 1)) {
                appendReading(reading, mode, out);
            } else {
                // No reading: the character stays as it is rather than vanish.
                out.append(charsOf(bytes + at), 2);
            }
            if (spaced && at + 2 < size && isOneByteUnit(bytes[at + 2])) appendSpace();
        },
        [](std::size_t) {});
}

GbkText transcribePinyin(std::string_view text, PinyinMode mode, bool spaced) {
    std::string_view trimmed = spacesTrimmed(text);
    GbkText out;
    out.reserve(maxPinyinLength(trimmed.size()));
    appendPinyin(bytesOf(trimmed), trimmed.size(), trimmed.size(), mode, spaced, true, out);
    return out;
}

}  // namespace huoxing
