#pragma once
// The command line of `huoxing`: what to do, parsed from the arguments.

#include <cstdint>
#include <string>
#include <vector>

#include "pinyin_dictionary.h"

namespace huoxing {

enum class CliCommand : std::uint8_t { Martian, Unmartian, Traditional, Simplified, Pinyin };
enum class CliEncoding : std::uint8_t { Utf8, Gbk };

struct CliOptions {
    CliCommand command = CliCommand::Martian;
    CliEncoding encoding = CliEncoding::Utf8;
    std::string output;              // empty: standard output
    std::vector<std::string> files;  // empty: standard input; "-" is standard input too
    bool unmartian = true;           // simplified, pinyin: undo Martian script first
    bool simplify = true;            // pinyin: convert to simplified characters first
    PinyinMode pinyinMode = PinyinMode::Full;
    bool spaced = true;
    bool help = false;
    bool version = false;
};

struct ParsedArguments {
    bool ok = false;
    std::string error;  // for a usage error: what was wrong
    CliOptions options;
};

ParsedArguments parseArguments(const std::vector<std::string>& args);

const char* usageText();

}  // namespace huoxing
