#include "pinyin_transcriber.h"

#include <algorithm>
#include <cstring>

namespace huoxing {
namespace {

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

namespace {

// The part of `out` the walk may write: from `at` up to `limit`.
struct OutputWindow {
    char* at;
    char* limit;
};

// Makes room for `size` bytes at `at`. The string grows a step at a time, so
// the zero fill of resize stays in the cache, and not past the capacity the
// caller reserved while that still has room.
OutputWindow growOutput(std::string& out, char* at, std::size_t size) {
    constexpr std::size_t kStep = std::size_t{1} << 16;
    std::size_t used = static_cast<std::size_t>(at - out.data());
    std::size_t wanted = used + std::max(size, kStep);
    if (wanted > out.capacity() && used + size <= out.capacity()) wanted = out.capacity();
    out.resize(wanted);
    return {out.data() + used, out.data() + out.size()};
}

// The most one double-byte unit needs: separator, the stores of a reading
// (at most six letters), follower.
constexpr std::size_t kUnitRoom = 1 + kReadingStoreSize + 1;

char* copyUnit(const unsigned char* unit, char* at) {
    std::memcpy(at, unit, 2);
    return at + 2;
}

// A symbol-area unit: its half-width byte, or the unit itself. The space of
// A1 A1 is left out while leading spaces are held.
char* writeSymbol(const unsigned char* unit, bool holdingSpaces, char* at) {
    unsigned char half = halfWidthOf(loadUnit(unit));
    if (!half) return copyUnit(unit, at);
    if (half == ' ' && holdingSpaces) return at;
    *at = static_cast<char>(half);
    return at + 1;
}

// A unit outside the symbol area: the first reading under `mode`, or the unit
// itself where the dictionary has none (the character must not vanish).
char* writeHanzi(const unsigned char* unit, PinyinMode mode, char* at) {
    std::uint16_t code = loadUnit(unit);
    if (mode == PinyinMode::Full) {
        const detail::FullReadingLetters* reading = fullFirstReading(code);
        if (!reading) return copyUnit(unit, at);
        std::memcpy(at, reading, sizeof *reading);
        return at + reading->size;
    }
    Reading reading = readingOf(code, 1);
    return reading ? writeReading(reading, mode, at) : copyUnit(unit, at);
}

}  // namespace

void appendPinyin(const unsigned char* bytes, std::size_t size, std::size_t end, PinyinMode mode, bool spaced,
                  bool dropLeadingSpaces, std::string& out) {
    OutputWindow window{out.data() + out.size(), out.data() + out.size()};
    auto makeRoom = [&](std::size_t room) {
        if (static_cast<std::size_t>(window.limit - window.at) < room) window = growOutput(out, window.at, room);
    };
    // Until something else is written, every space would fall to the trim of
    // the start.
    bool holdingSpaces = dropLeadingSpaces;
    forEachUnit(
        bytes, end,
        [&](std::size_t begin, std::size_t stop) {
            if (holdingSpaces) {
                while (begin < stop && bytes[begin] == ' ') ++begin;
                if (begin == stop) return;
                holdingSpaces = false;
            }
            makeRoom(stop - begin);
            std::memcpy(window.at, bytes + begin, stop - begin);
            window.at += stop - begin;
        },
        [&](std::size_t offset) {
            makeRoom(kUnitRoom);
            // Everything the unit needs is read before the first byte is
            // written: a byte store may alias any of it, and would make the
            // compiler read it again.
            const unsigned char* unit = bytes + offset;
            const bool holding = holdingSpaces;
            const bool followerDue = spaced && offset + 2 < size && isOneByteUnit(unit[2]);
            const bool symbol = inSymbolArea(unit[0]);
            const PinyinMode part = mode;
            char* at = window.at;
            char* const start = at;
            if (spaced && !holding) *at++ = ' ';
            if (symbol) {
                at = writeSymbol(unit, holding, at);
            } else {
                at = writeHanzi(unit, part, at);
                if (followerDue && (!holding || at != start)) *at++ = ' ';
            }
            window.at = at;
            if (at != start) holdingSpaces = false;
        },
        [](std::size_t) {});
    out.resize(static_cast<std::size_t>(window.at - out.data()));
}

GbkText transcribePinyin(std::string_view text, PinyinMode mode, bool spaced) {
    std::string_view trimmed = spacesTrimmed(text);
    GbkText out;
    out.reserve(pinyinRoomFor(trimmed.size()));
    appendPinyin(bytesOf(trimmed), trimmed.size(), trimmed.size(), mode, spaced, true, out);
    return out;
}

}  // namespace huoxing
