// Argument parsing never crashes and never accepts what it cannot honour.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "options.h"

using namespace huoxing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Arguments are separated by NUL bytes, as in a real argv.
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.emplace_back();
        } else {
            args.back() += static_cast<char>(data[i]);
        }
    }
    ParsedArguments parsed = parseArguments(args);
    if (parsed.ok == !parsed.error.empty()) std::abort();
    if (parsed.ok) {
        const CliOptions& options = parsed.options;
        bool pinyin = options.command == CliCommand::Pinyin;
        bool pinyinOnly = !options.simplify || !options.spaced || options.pinyinMode != PinyinMode::Full;
        if (pinyinOnly && !pinyin && !options.help && !options.version) std::abort();
    }
    return 0;
}
