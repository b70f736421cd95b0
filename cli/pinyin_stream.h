#pragma once
// transcribePinyin over a text that arrives in blocks, in bounded memory.
//
// The whole-text transcription trims the space units at both ends of the text
// and sets a syllable off from a one-byte unit after it. A block cannot know
// whether its last spaces end the text, nor what follows its last unit, so the
// stream keeps back at most that last unit (three bytes with a lone lead byte)
// and counts the output spaces of a trailing run of space units instead of
// holding it: they are written once something other than spaces follows, and
// dropped at the end of the text.

#include <cstddef>
#include <cstdint>
#include <string>

#include "pinyin_dictionary.h"

namespace huoxing {

class PinyinStream {
public:
    PinyinStream(PinyinMode mode, bool spaced) : mode_(mode), spaced_(spaced) {}

    // Bytes kept back from one block: a double-byte unit and a lone lead byte.
    static constexpr std::size_t kHeadroom = 3;

    // Transcribes the next `size` bytes of the text, appending to `out`.
    // `final` marks the last block (which may be empty). The kHeadroom bytes
    // before `bytes` must be writable: the bytes kept back from the block
    // before go there, so a block is never copied.
    void feed(unsigned char* bytes, std::size_t size, bool final, std::string& out);

private:
    void transcribe(const unsigned char* bytes, std::size_t size, bool final, std::string& out);
    void writePendingSpaces(std::string& out);
    // The spaces a run of space units writes when the text goes on after it.
    std::uint64_t spacesWrittenFor(const unsigned char* run, std::size_t size) const;

    PinyinMode mode_;
    bool spaced_;
    bool wroteSomething_ = false;    // the trim of the result's start is over
    std::uint64_t pendingSpaces_ = 0;  // owed unless the text ends first
    unsigned char carry_[kHeadroom];  // units kept back for the next block
    std::size_t carried_ = 0;
};

}  // namespace huoxing
