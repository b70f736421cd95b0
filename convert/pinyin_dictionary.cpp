#include "pinyin_dictionary.h"

#include <iterator>

namespace huoxing {
namespace {

static_assert(std::size(kReadingTable) == 72 * 94);
static_assert(std::size(kSyllableParts) == kSyllablePartCount + 1 && kSyllableParts[0].empty());

// Every polyphonic cell names an existing row, and no part is longer than
// writeReading's stores allow: an initial of at most two letters, a final of
// at most four.
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

}  // namespace

GbkText lookupReading(std::string_view text, int readingNumber, PinyinMode part) {
    if (text.size() < 2) return {};
    char letters[kReadingStoreSize];
    char* end = writeReading(readingOf(loadUnit(bytesOf(text)), readingNumber), part, letters);
    return GbkText(letters, end);
}

}  // namespace huoxing
