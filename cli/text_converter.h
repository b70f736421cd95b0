#pragma once
// Converting one text, block by block, from an input descriptor to a sink.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "options.h"
#include "pinyin_dictionary.h"
#include "utf8_gbk.h"
#include "output_sink.h"

namespace huoxing {

// A unit-local conversion of complete GBK units, in place.
using InPlaceStep = void (*)(unsigned char* bytes, std::size_t size);

// The conversion that a command line asks for: unit-local steps, then for
// `pinyin` the transcription, which changes the length of the text.
struct Pipeline {
    std::vector<InPlaceStep> steps;
    bool pinyin = false;
    PinyinMode pinyinMode = PinyinMode::Full;
    bool spaced = true;
    // For UTF-8 text: the steps in one pass, without the GBK text between.
    std::shared_ptr<const Utf8UnitMap> utf8Steps;
};

Pipeline pipelineFor(const CliOptions& options);

// sysexits codes the command returns.
enum ExitCode : int {
    kExitOk = 0,
    kExitUsage = 64,
    kExitData = 65,
    kExitNoInput = 66,
    kExitSoftware = 70,
    kExitCantCreate = 73,
    kExitIo = 74,
};

struct TextResult {
    int exitCode = kExitOk;
    std::string message;  // for a failure: what went wrong, without the text's name
};

// Reads `inFd` to its end and writes the converted text to `sink`.
TextResult convertText(int inFd, CliEncoding encoding, const Pipeline& pipeline, OutputSink& sink);

inline constexpr std::size_t kBlockSize = 256u << 10;

}  // namespace huoxing
