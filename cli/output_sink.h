#pragma once
// Where converted text goes: standard output, or a temporary file beside the
// target that replaces the target only when every text converted.

#include <cstddef>
#include <string>
#include <vector>

namespace huoxing {

// Output of one text is held back up to a limit, so a text that turns out to
// hold bad data writes nothing; a longer text streams, and a failure late in
// it leaves what was already written.
class OutputSink {
public:
    static constexpr std::size_t kHoldLimit = 4u << 20;

    explicit OutputSink(int fd) : fd_(fd) {}

    bool write(const unsigned char* bytes, std::size_t size);  // false: write error (errno set)
    bool finishText();                                         // writes what is held
    std::size_t dropText();  // forgets what is held; returns the bytes of this text already written

private:
    bool flush();

    int fd_;
    std::vector<unsigned char> held_;
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
