#include "pinyin_stream.h"

#include <cstdint>
#include <cstring>

#include "gbk_text.h"
#include "pinyin_transcriber.h"

namespace huoxing {
namespace {

constexpr std::size_t kNone = SIZE_MAX;

// Where the content of a block ends, from one walk over its units. Content
// is every unit but the space units (0x20, A1 A1) and a lead byte that ends
// the block.
struct BlockShape {
    std::size_t contentEnd = 0;          // after the last content unit
    std::size_t lastContentUnit = kNone;  // its offset
    bool lastContentIsDouble = false;
    std::size_t loneLead = kNone;
};

// Where a walk may start and still find the block's last content unit: a
// unit boundary before it. A byte below 0x80 always ends a unit (alone, or as
// the trail of the lead before it), so the position after one is a boundary;
// the last one that is not a space ends a content unit, and a boundary two
// bytes before that unit's end lies before the unit's start.
std::size_t walkStart(const unsigned char* bytes, std::size_t size) {
    std::size_t end = size;
    while (end > 0 && (bytes[end - 1] >= 0x80 || bytes[end - 1] == ' ')) --end;
    if (end < 2) return 0;
    std::size_t start = end - 2;
    while (start > 0 && bytes[start - 1] >= 0x80) --start;
    return start;
}

BlockShape shapeOf(const unsigned char* block, std::size_t blockSize) {
    BlockShape shape;
    std::size_t start = walkStart(block, blockSize);
    const unsigned char* bytes = block + start;
    std::size_t size = blockSize - start;
    forEachUnit(
        bytes, size,
        [&](std::size_t begin, std::size_t end) {
            while (end > begin && bytes[end - 1] == ' ') --end;
            if (end == begin) return;
            shape.contentEnd = end;
            shape.lastContentUnit = end - 1;
            shape.lastContentIsDouble = false;
        },
        [&](std::size_t at) {
            if (loadUnit(bytes + at) == kIdeographicSpace) return;
            shape.contentEnd = at + 2;
            shape.lastContentUnit = at;
            shape.lastContentIsDouble = true;
        },
        [&](std::size_t at) { shape.loneLead = at; });
    if (shape.lastContentUnit != kNone) {
        shape.contentEnd += start;
        shape.lastContentUnit += start;
    }
    if (shape.loneLead != kNone) shape.loneLead += start;
    return shape;
}

}  // namespace

std::uint64_t PinyinStream::spacesWrittenFor(const unsigned char* run, std::size_t size) const {
    std::uint64_t spaces = 0;
    for (std::size_t at = 0; at < size;) {
        bool ascii = run[at] == ' ';
        spaces += ascii || !spaced_ ? 1 : 2;  // A1 A1: its separator and its half-width space
        at += ascii ? 1 : 2;
    }
    return spaces;
}

void PinyinStream::writePendingSpaces(std::string& out) {
    // Spaces before anything else was written fall to the trim of the start.
    if (wroteSomething_) out.append(pendingSpaces_, ' ');
    pendingSpaces_ = 0;
}

void PinyinStream::feed(unsigned char* bytes, std::size_t size, bool final, std::string& out) {
    std::memcpy(bytes - carried_, carry_, carried_);
    std::size_t withCarry = carried_ + size;
    carried_ = 0;
    transcribe(bytes - (withCarry - size), withCarry, final, out);
}

void PinyinStream::transcribe(const unsigned char* bytes, std::size_t size, bool final, std::string& out) {
    BlockShape shape = shapeOf(bytes, size);
    std::size_t end = shape.loneLead == kNone ? size : shape.loneLead;
    std::size_t contentEnd = shape.contentEnd;
    if (!final) {
        // A lone lead byte waits for its second byte, and a double-byte unit
        // that ends the block waits to learn whether a one-byte unit follows.
        std::size_t keep = end;
        if (contentEnd == end && shape.lastContentIsDouble) keep = contentEnd = shape.lastContentUnit;
        carried_ = size - keep;
        std::memcpy(carry_, bytes + keep, carried_);
        end = keep;
    }
    if (contentEnd > end) contentEnd = end;

    std::size_t contentBegin = leadingSpacesLength({reinterpret_cast<const char*>(bytes), contentEnd});
    if (contentBegin < contentEnd) {
        pendingSpaces_ += spacesWrittenFor(bytes, contentBegin);
        writePendingSpaces(out);
        std::size_t before = out.size();
        appendPinyin(bytes + contentBegin, contentEnd - contentBegin, contentEnd - contentBegin, mode_, spaced_,
                     !wroteSomething_, out);
        wroteSomething_ |= out.size() != before;
        // The last syllable's follower belongs to a run of spaces that starts
        // with 0x20; like the run, it is written only if the text goes on.
        bool takesFollower = shape.lastContentIsDouble && !inSymbolArea(bytes[shape.lastContentUnit]);
        if (spaced_ && contentEnd < end && bytes[contentEnd] == ' ' && takesFollower) {
            ++pendingSpaces_;
        }
        pendingSpaces_ += spacesWrittenFor(bytes + contentEnd, end - contentEnd);
    } else {
        pendingSpaces_ += spacesWrittenFor(bytes, end);
    }

    if (final) {
        // Spaces before a lead byte that ends the text stay; otherwise trailing spaces go.
        if (shape.loneLead != kNone) writePendingSpaces(out);
        pendingSpaces_ = 0;
    }
}

}  // namespace huoxing
