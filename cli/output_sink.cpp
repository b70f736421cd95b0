#include "output_sink.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace huoxing {
namespace {

#ifdef _WIN32
using IoSize = unsigned int;
int writeSome(int fd, const unsigned char* bytes, std::size_t size) {
    return ::_write(fd, bytes, static_cast<IoSize>(size < (1u << 30) ? size : (1u << 30)));
}
#else
long writeSome(int fd, const unsigned char* bytes, std::size_t size) { return ::write(fd, bytes, size); }
#endif

// The temporary file to remove if a signal ends the process mid-way. One
// output at a time is open, so one slot suffices.
char gPendingPath[4096];
std::atomic<bool> gPending{false};

extern "C" void removePendingAndDie(int signal) {
    if (gPending.load()) ::unlink(gPendingPath);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void watchSignals(const std::string& path) {
    if (path.size() >= sizeof gPendingPath) return;
    std::memcpy(gPendingPath, path.c_str(), path.size() + 1);
    gPending.store(true);
    std::signal(SIGINT, removePendingAndDie);
    std::signal(SIGTERM, removePendingAndDie);
}

void unwatchSignals() {
    gPending.store(false);
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
}

std::string directoryOf(const std::string& path) {
    auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

}  // namespace

bool writeAll(int fd, const unsigned char* bytes, std::size_t size) {
    while (size > 0) {
        auto n = writeSome(fd, bytes, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

unsigned char* OutputSink::room(std::size_t size) {
    bool holding = writtenThisText_ == 0 && held_ + size <= kHoldLimit;
    if (!holding && !flush()) return nullptr;
    std::size_t needed = held_ + size > kHoldLimit ? held_ + size : kHoldLimit;
    if (capacity_ < needed) {
        auto bigger = std::make_unique_for_overwrite<unsigned char[]>(needed);
        if (held_) std::memcpy(bigger.get(), buffer_.get(), held_);
        buffer_ = std::move(bigger);
        capacity_ = needed;
    }
    return buffer_.get() + held_;
}

bool OutputSink::commit(std::size_t size) {
    held_ += size;
    // Past the start of a text, or past the limit, output goes out block by block.
    return writtenThisText_ == 0 && held_ <= kHoldLimit ? true : flush();
}

bool OutputSink::write(const unsigned char* bytes, std::size_t size) {
    unsigned char* into = room(size);
    if (!into) return false;
    std::memcpy(into, bytes, size);
    return commit(size);
}

bool OutputSink::flush() {
    if (held_ == 0) return true;
    if (!writeAll(fd_, buffer_.get(), held_)) return false;
    writtenThisText_ += held_;
    held_ = 0;
    return true;
}

bool OutputSink::finishText() {
    bool ok = flush();
    writtenThisText_ = 0;
    return ok;
}

std::size_t OutputSink::dropText() {
    held_ = 0;
    std::size_t written = writtenThisText_;
    writtenThisText_ = 0;
    return written;
}

TemporaryOutput::TemporaryOutput(std::string target) : target_(std::move(target)) {}

TemporaryOutput::~TemporaryOutput() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_ && !path_.empty()) {
        ::unlink(path_.c_str());
        unwatchSignals();
    }
}

bool TemporaryOutput::open() {
    struct stat existing;
    if (::stat(target_.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
#ifdef _WIN32
        fd_ = ::_open(target_.c_str(), _O_WRONLY | _O_BINARY);
#else
        fd_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);
#endif
        return fd_ >= 0;
    }
    std::string base = target_.substr(directoryOf(target_) == "." ? 0 : directoryOf(target_).size());
    std::string directory = directoryOf(target_) == "." ? std::string() : directoryOf(target_);
#ifdef _WIN32
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        path_ = directory + "." + base + ".huoxing-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(attempt);
        fd_ = ::_open(path_.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    }
    if (fd_ < 0) {
        path_.clear();
        return false;
    }
#else
    std::string pattern = directory + "." + base + ".huoxing-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    fd_ = ::mkstemp(name.data());
    if (fd_ < 0) return false;
    path_ = name.data();
    // Keep the permissions of a file that is being replaced; a new file gets
    // what the umask allows, as any created file would.
    if (::stat(target_.c_str(), &existing) == 0) {
        ::fchmod(fd_, existing.st_mode & 07777);
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd_, 0666 & ~mask);
    }
#endif
    watchSignals(path_);
    return true;
}

bool TemporaryOutput::commit() {
    if (fd_ < 0) return false;
    int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0) return false;
    if (path_.empty()) return committed_ = true;
#ifdef _WIN32
    bool moved = MoveFileExA(path_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
    if (!moved) errno = EACCES;
#else
    bool moved = ::rename(path_.c_str(), target_.c_str()) == 0;
#endif
    if (!moved) return false;
    committed_ = true;
    unwatchSignals();
    return true;
}

}  // namespace huoxing
