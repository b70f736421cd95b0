#include "text_converter.h"

#include <cerrno>
#include <cstring>
#include <memory>

#include "gbk_text.h"
#include "martian_converter.h"
#include "script_converter.h"
#include "utf8_gbk.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace huoxing {
namespace {

void toMartianStep(unsigned char* bytes, std::size_t size) {
    convertMartianInPlace(bytes, size, MartianDirection::ToMartian);
}

void fromMartianStep(unsigned char* bytes, std::size_t size) {
    convertMartianInPlace(bytes, size, MartianDirection::FromMartian);
}

void toTraditionalStep(unsigned char* bytes, std::size_t size) {
    convertScriptInPlace(bytes, size, ScriptConversionKind::SimplifiedToTraditional);
}

void toSimplifiedStep(unsigned char* bytes, std::size_t size) {
    convertScriptInPlace(bytes, size, ScriptConversionKind::TraditionalToSimplified);
}

// Reads until `size` bytes or the end of input; returns the count, or -1.
long readBlock(int fd, unsigned char* into, std::size_t size) {
    std::size_t total = 0;
    while (total < size) {
#ifdef _WIN32
        auto n = ::_read(fd, into + total, static_cast<unsigned int>(size - total));
#else
        auto n = ::read(fd, into + total, size - total);
#endif
        if (n < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (n == 0) break;
        total += static_cast<std::size_t>(n);
    }
    return static_cast<long>(total);
}

std::string offsetMessage(const char* what, std::size_t offset) {
    return std::string(what) + " at byte offset " + std::to_string(offset);
}

std::string systemError(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

Pipeline pipelineFor(const CliOptions& options) {
    Pipeline pipeline;
    switch (options.command) {
        case CliCommand::Martian:
            pipeline.steps = {toMartianStep};
            break;
        case CliCommand::Unmartian:
            pipeline.steps = {fromMartianStep};
            break;
        case CliCommand::Traditional:
            pipeline.steps = {toTraditionalStep};
            break;
        case CliCommand::Simplified:
            if (options.unmartian) pipeline.steps.push_back(fromMartianStep);
            pipeline.steps.push_back(toSimplifiedStep);
            break;
        case CliCommand::Pinyin:
            break;
    }
    return pipeline;
}

TextResult convertText(int inFd, CliEncoding encoding, const Pipeline& pipeline, OutputSink& sink) {
    // `input` holds the bytes carried over from the last block (an incomplete
    // UTF-8 sequence or a lone GBK lead byte) followed by the new block.
    constexpr std::size_t kCarryRoom = 4;
    auto input = std::make_unique<unsigned char[]>(kBlockSize + kCarryRoom);
    std::unique_ptr<unsigned char[]> gbk;
    std::unique_ptr<unsigned char[]> utf8;
    if (encoding == CliEncoding::Utf8) {
        gbk = std::make_unique<unsigned char[]>(kBlockSize + kCarryRoom);
        utf8 = std::make_unique<unsigned char[]>(maxUtf8Size(kBlockSize + kCarryRoom));
    }
    std::vector<char32_t> escaped;
    std::size_t carried = 0;
    std::size_t base = 0;  // offset in the text of input[0]
    for (;;) {
        long got = readBlock(inFd, input.get() + carried, kBlockSize);
        if (got < 0) return {kExitIo, systemError("read error")};
        std::size_t size = carried + static_cast<std::size_t>(got);
        bool final = got == 0 || static_cast<std::size_t>(got) < kBlockSize;
        if (size == 0) break;

        unsigned char* units = input.get();
        std::size_t complete;
        std::size_t consumed;
        if (encoding == CliEncoding::Gbk) {
            if (const void* nul = std::memchr(units, 0, size)) {
                auto at = static_cast<std::size_t>(static_cast<const unsigned char*>(nul) - units);
                return {kExitData, offsetMessage("NUL byte", base + at)};
            }
            complete = final ? size : completeUnitsLength(units, size);
            consumed = complete;
        } else {
            escaped.clear();
            DecodeResult decoded = decodeUtf8ToGbk(units, size, final, gbk.get(), escaped);
            if (decoded.status == DecodeStatus::NulByte) return {kExitData, offsetMessage("NUL byte", base + decoded.consumed)};
            if (decoded.status != DecodeStatus::Ok) return {kExitData, offsetMessage("invalid UTF-8", base + decoded.consumed)};
            units = gbk.get();
            complete = decoded.written;
            consumed = decoded.consumed;
        }

        for (InPlaceStep step : pipeline.steps) step(units, complete);

        bool wrote;
        if (encoding == CliEncoding::Gbk) {
            wrote = sink.write(units, complete);
        } else {
            std::size_t next = 0;
            EncodeResult encoded = encodeGbkToUtf8(units, complete, true, escaped, next, utf8.get());
            if (!encoded.ok) return {kExitSoftware, "internal error: a converted code has no Unicode character"};
            wrote = sink.write(utf8.get(), encoded.written);
        }
        if (!wrote) return {kExitIo, systemError("write error")};

        carried = size - consumed;
        std::memmove(input.get(), input.get() + consumed, carried);
        base += consumed;
        if (final) break;
    }
    return {};
}

}  // namespace huoxing
