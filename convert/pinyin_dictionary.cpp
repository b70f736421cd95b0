#include "pinyin_dictionary.h"

#include <iterator>

#include "pinyin_tables.h"

namespace huoxing {
namespace {

constexpr unsigned kLeadFirst = 0xB0;
constexpr unsigned kLeadLast = 0xF7;
constexpr unsigned kTrailFirst = 0xA1;
constexpr unsigned kTrailLast = 0xFE;
constexpr unsigned kColumns = kTrailLast - kTrailFirst + 1;

static_assert(std::size(kReadingTable) == (kLeadLast - kLeadFirst + 1) * kColumns);
static_assert(std::size(kSyllableParts) == kSyllablePartCount + 1 && kSyllableParts[0].empty());

// Every polyphonic cell names an existing row, and no reading is longer than
// kMaxReadingLength: the transcriber sizes its output by that bound.
consteval bool tablesAreSound() {
    for (std::uint16_t cell : kReadingTable) {
        if ((cell & kPolyphoneFlag) && (cell & ~kPolyphoneFlag) >= kPolyphoneRowCount) return false;
    }
    for (int code = 1; code <= kSyllablePartCount; ++code) {
        std::size_t limit = code <= kInitialCount ? 2 : kMaxReadingLength - 2;
        if (kSyllableParts[code].empty() || kSyllableParts[code].size() > limit) return false;
    }
    return true;
}
static_assert(tablesAreSound());

std::string_view partLetters(unsigned code) {
    return code <= static_cast<unsigned>(kSyllablePartCount) ? kSyllableParts[code] : std::string_view{};
}

}  // namespace

Reading readingOf(std::uint16_t code, int readingNumber) {
    unsigned lead = code >> 8;
    unsigned trail = code & 0xFF;
    if (lead < kLeadFirst || lead > kLeadLast || trail < kTrailFirst || trail > kTrailLast) return 0;
    int index = readingNumber > 1 ? readingNumber - 1 : 0;
    std::uint16_t cell = kReadingTable[(lead - kLeadFirst) * kColumns + (trail - kTrailFirst)];
    if (cell & kPolyphoneFlag) {
        return index < kReadingsPerRow ? kPolyphoneTable[cell & ~kPolyphoneFlag][index] : 0;
    }
    return index == 0 ? cell : 0;
}

void appendReading(Reading reading, PinyinMode part, std::string& out) {
    if (part != PinyinMode::Final) out += partLetters(reading & 0xFF);
    if (part != PinyinMode::Initial) out += partLetters(reading >> 8);
}

GbkText lookupReading(std::string_view text, int readingNumber, PinyinMode part) {
    GbkText letters;
    if (text.size() >= 2) appendReading(readingOf(loadUnit(bytesOf(text)), readingNumber), part, letters);
    return letters;
}

}  // namespace huoxing
