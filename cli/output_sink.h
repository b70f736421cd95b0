#pragma once
// Where converted text goes: standard output, or a temporary file beside the
// target that replaces the target only when every text converted.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace huoxing {

// Output of one text is held back up to a limit, so a text that turns out to
// hold bad data writes nothing; a longer text streams, and a failure late in
// it leaves what was already written. Converters write straight into the
// sink's buffer (room, then commit), so output is never copied on its way.
class OutputSink {
public:
    static constexpr std::size_t kHoldLimit = 1u << 20;

    explicit OutputSink(int fd) : fd_(fd) {}

    // Room for `size` bytes at the end of the output; nullptr on a write
    // error (errno set). Valid until commit.
    unsigned char* room(std::size_t size);
    bool commit(std::size_t size);  // the first `size` bytes of the room are output
    bool write(const unsigned char* bytes, std::size_t size);  // false: write error (errno set)
    bool finishText();                                         // writes what is held
    std::size_t dropText();  // forgets what is held; returns the bytes of this text already written

private:
    bool flush();

    int fd_;
    std::unique_ptr<unsigned char[]> buffer_;  // not zero-filled: pages are touched as output fills them
    std::size_t capacity_ = 0;
    std::size_t held_ = 0;
    std::size_t writtenThisText_ = 0;
};

bool writeAll(int fd, const unsigned char* bytes, std::size_t size);

// The output file of -o. A regular file (or a new one) is written as a
// temporary file beside `target` and renamed onto it by commit(); the
// temporary file is removed by the destructor (or on SIGINT/SIGTERM) when not
// committed. Anything else that exists at `target` (a device such as
// /dev/null, a FIFO) is written directly: replacing it would destroy it.
class TemporaryOutput {
public:
    explicit TemporaryOutput(std::string target);
    ~TemporaryOutput();
    TemporaryOutput(const TemporaryOutput&) = delete;
    TemporaryOutput& operator=(const TemporaryOutput&) = delete;

    bool open();    // false: cannot create (errno set)
    int fd() const { return fd_; }
    bool commit();  // close and rename onto the target; false on failure (errno set)

private:
    std::string target_;
    std::string path_;  // the temporary file; empty when writing directly
    int fd_ = -1;
    bool committed_ = false;
};

}  // namespace huoxing
