#include "text_converter.h"

#include <cerrno>
#include <cstring>
#include <memory>

#include "gbk_text.h"
#include "martian_converter.h"
#include "pinyin_stream.h"
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

// The failure of a UTF-8 text at `base` + the offset the decoder gives.
TextResult decodeFailure(const DecodeResult& result, std::size_t base) {
    const char* what = result.status == DecodeStatus::NulByte ? "NUL byte" : "invalid UTF-8";
    return {kExitData, offsetMessage(what, base + result.consumed)};
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
            if (options.simplify && options.unmartian) pipeline.steps.push_back(fromMartianStep);
            if (options.simplify) pipeline.steps.push_back(toSimplifiedStep);
            pipeline.pinyin = true;
            pipeline.pinyinMode = options.pinyinMode;
            pipeline.spaced = options.spaced;
            break;
    }
    if (options.encoding == CliEncoding::Utf8 && !pipeline.pinyin) {
        std::vector<InPlaceStep> steps = pipeline.steps;
        pipeline.utf8Steps = std::make_shared<const Utf8UnitMap>([steps](unsigned char* bytes, std::size_t size) {
            for (InPlaceStep step : steps) step(bytes, size);
        });
    }
    return pipeline;
}

namespace {

// A block's buffer, with room before it for the bytes the pinyin stream keeps
// back from the block before. Not zero-filled: every byte is written before
// it is read, and pages that are never written are never touched.
class BlockBuffer {
public:
    explicit BlockBuffer(std::size_t size)
        : storage_(size ? std::make_unique_for_overwrite<unsigned char[]>(PinyinStream::kHeadroom + size) : nullptr) {}
    unsigned char* get() const { return storage_ ? storage_.get() + PinyinStream::kHeadroom : nullptr; }

private:
    std::unique_ptr<unsigned char[]> storage_;
};

// The GBK output of one block, written out in the text's encoding.
class BlockWriter {
public:
    BlockWriter(CliEncoding encoding, OutputSink& sink) : encoding_(encoding), sink_(sink) {}

    // Characters outside GBK, in the order their placeholders come.
    std::vector<char32_t>& escaped() { return escaped_; }

    TextResult write(const unsigned char* gbk, std::size_t size) {
        bool wrote;
        if (encoding_ == CliEncoding::Gbk) {
            wrote = sink_.write(gbk, size);
        } else {
            unsigned char* utf8 = sink_.room(maxUtf8Size(size));
            if (!utf8) return {kExitIo, systemError("write error")};
            std::size_t next = 0;
            EncodeResult encoded = encodeGbkToUtf8(gbk, size, true, escaped_, next, utf8);
            if (!encoded.ok) return {kExitSoftware, "internal error: a converted code has no Unicode character"};
            // A placeholder kept back by the pinyin stream keeps its character for the next block.
            escaped_.erase(escaped_.begin(), escaped_.begin() + static_cast<std::ptrdiff_t>(next));
            wrote = sink_.commit(encoded.written);
        }
        if (!wrote) return {kExitIo, systemError("write error")};
        return {};
    }

private:
    CliEncoding encoding_;
    OutputSink& sink_;
    std::vector<char32_t> escaped_;
};

}  // namespace

TextResult convertText(int inFd, CliEncoding encoding, const Pipeline& pipeline, OutputSink& sink) {
    // `input` holds the bytes carried over from the last block (an incomplete
    // UTF-8 sequence or a lone GBK lead byte) followed by the new block.
    constexpr std::size_t kCarryRoom = 4;
    BlockBuffer input(kBlockSize + kCarryRoom);
    BlockBuffer gbk(encoding == CliEncoding::Utf8 && !pipeline.utf8Steps ? kBlockSize + kCarryRoom : 0);
    BlockWriter writer(encoding, sink);
    PinyinStream pinyin(pipeline.pinyinMode, pipeline.spaced);
    std::string transcribed;
    std::size_t carried = 0;
    std::size_t base = 0;  // offset in the text of input[0]
    for (bool final = false; !final;) {
        long got = readBlock(inFd, input.get() + carried, kBlockSize);
        if (got < 0) return {kExitIo, systemError("read error")};
        std::size_t size = carried + static_cast<std::size_t>(got);
        final = static_cast<std::size_t>(got) < kBlockSize;

        unsigned char* units = input.get();
        std::size_t consumed;
        if (pipeline.utf8Steps) {
            unsigned char* out = sink.room(Utf8UnitMap::maxConvertedSize(size));
            if (!out) return {kExitIo, systemError("write error")};
            DecodeResult converted = pipeline.utf8Steps->convert(units, size, final, out);
            if (converted.status != DecodeStatus::Ok) return decodeFailure(converted, base);
            if (!sink.commit(converted.written)) return {kExitIo, systemError("write error")};
            consumed = converted.consumed;
        } else {
            std::size_t complete;
            if (encoding == CliEncoding::Gbk) {
                if (const void* nul = std::memchr(units, 0, size)) {
                    auto at = static_cast<std::size_t>(static_cast<const unsigned char*>(nul) - units);
                    return {kExitData, offsetMessage("NUL byte", base + at)};
                }
                complete = final ? size : completeUnitsLength(units, size);
                consumed = complete;
            } else {
                DecodeResult decoded = decodeUtf8ToGbk(units, size, final, gbk.get(), writer.escaped());
                if (decoded.status != DecodeStatus::Ok) return decodeFailure(decoded, base);
                units = gbk.get();
                complete = decoded.written;
                consumed = decoded.consumed;
            }

            for (InPlaceStep step : pipeline.steps) step(units, complete);

            TextResult written;
            if (pipeline.pinyin) {
                transcribed.clear();
                pinyin.feed(units, complete, final, transcribed);
                written = writer.write(bytesOf(transcribed), transcribed.size());
            } else {
                written = writer.write(units, complete);
            }
            if (written.exitCode != kExitOk) return written;
        }

        carried = size - consumed;
        std::memmove(input.get(), input.get() + consumed, carried);
        base += consumed;
    }
    return {};
}

}  // namespace huoxing
