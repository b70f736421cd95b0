#include "options.h"

#include <algorithm>
#include <string_view>

namespace huoxing {
namespace {

struct CommandName {
    std::string_view name;
    CliCommand command;
};

constexpr CommandName kCommands[] = {
    {"martian", CliCommand::Martian},         {"unmartian", CliCommand::Unmartian},
    {"traditional", CliCommand::Traditional}, {"simplified", CliCommand::Simplified},
    {"pinyin", CliCommand::Pinyin},
};

bool takesOption(CliCommand command, std::string_view option) {
    if (option == "--no-unmartian") return command == CliCommand::Simplified || command == CliCommand::Pinyin;
    if (option == "--no-simplify" || option == "--mode" || option == "--unspaced") return command == CliCommand::Pinyin;
    return true;
}

ParsedArguments failure(std::string message) {
    ParsedArguments parsed;
    parsed.error = std::move(message);
    return parsed;
}

}  // namespace

const char* usageText() {
    return "usage: huoxing COMMAND [OPTIONS] [FILE...]\n"
           "\n"
           "Converts Chinese text. Each FILE (standard input when none, or -) is one text;\n"
           "the results are written one after another.\n"
           "\n"
           "commands:\n"
           "  martian      to Martian script, like the button 变成火星文\n"
           "  unmartian    Martian script back to plain characters\n"
           "  traditional  simplified to traditional characters, like 变成繁体\n"
           "  simplified   Martian script undone, then traditional to simplified, like 变成简体\n"
           "                 --no-unmartian   skip undoing Martian script\n"
           "  pinyin       simplified, then spaced toneless pinyin, like 转换拼音\n"
           "                 --no-simplify    transcribe the text as it is\n"
           "                 --no-unmartian   skip undoing Martian script\n"
           "                 --mode full|initial|final   which part of each syllable\n"
           "                 --unspaced       no spaces between syllables\n"
           "\n"
           "options:\n"
           "  -e, --encoding gbk|utf-8   bytes in and out (default utf-8)\n"
           "  -o, --output FILE          write to FILE (replaced only when all went well)\n"
           "  -h, --help                 show this help\n"
           "      --version              show the version\n"
           "\n"
           "exit status: 0 done, 64 usage error, 65 bad input data, 66 input not readable,\n"
           "73 output not creatable, 74 read or write error\n";
}

ParsedArguments parseArguments(const std::vector<std::string>& args) {
    ParsedArguments parsed;
    CliOptions& options = parsed.options;
    bool haveCommand = false;
    bool onlyFiles = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        auto value = [&](std::string_view option) -> const std::string* {
            return i + 1 < args.size() ? &args[++i] : (parsed.error = std::string(option) + " needs a value", nullptr);
        };
        if (onlyFiles || arg == "-" || arg.empty() || arg[0] != '-') {
            if (!haveCommand && !onlyFiles) {
                auto found = std::find_if(std::begin(kCommands), std::end(kCommands),
                                          [&](const CommandName& c) { return c.name == arg; });
                if (found == std::end(kCommands)) return failure("unknown command '" + std::string(arg) + "'");
                options.command = found->command;
                haveCommand = true;
            } else {
                options.files.emplace_back(arg);
            }
            continue;
        }
        if (arg == "--") {
            onlyFiles = haveCommand;
            if (!haveCommand) return failure("a command comes before --");
            continue;
        }
        if (arg == "-h" || arg == "--help") {
            options.help = true;
            continue;
        }
        if (arg == "--version") {
            options.version = true;
            continue;
        }
        // --option=value is the same as --option value.
        std::string_view name = arg;
        std::string inlineValue;
        bool hasInlineValue = false;
        if (arg.starts_with("--")) {
            if (auto eq = arg.find('='); eq != std::string_view::npos) {
                name = arg.substr(0, eq);
                inlineValue = std::string(arg.substr(eq + 1));
                hasInlineValue = true;
            }
        }
        auto optionValue = [&]() -> const std::string* { return hasInlineValue ? &inlineValue : value(name); };
        if (name == "-e" || name == "--encoding") {
            const std::string* v = optionValue();
            if (!v) return failure(parsed.error);
            if (*v == "gbk" || *v == "GBK" || *v == "cp936") {
                options.encoding = CliEncoding::Gbk;
            } else if (*v == "utf-8" || *v == "utf8" || *v == "UTF-8") {
                options.encoding = CliEncoding::Utf8;
            } else {
                return failure("unknown encoding '" + *v + "' (gbk or utf-8)");
            }
        } else if (name == "-o" || name == "--output") {
            const std::string* v = optionValue();
            if (!v) return failure(parsed.error);
            if (v->empty()) return failure("-o needs a file name");
            options.output = *v;
        } else if (haveCommand && !takesOption(options.command, name)) {
            return failure("option " + std::string(name) + " does not apply to this command");
        } else if (name == "--no-unmartian" && !hasInlineValue) {
            options.unmartian = false;
        } else if (name == "--no-simplify" && !hasInlineValue) {
            options.simplify = false;
        } else if (name == "--unspaced" && !hasInlineValue) {
            options.spaced = false;
        } else if (name == "--mode") {
            const std::string* v = optionValue();
            if (!v) return failure(parsed.error);
            if (*v == "full") {
                options.pinyinMode = PinyinMode::Full;
            } else if (*v == "initial") {
                options.pinyinMode = PinyinMode::Initial;
            } else if (*v == "final") {
                options.pinyinMode = PinyinMode::Final;
            } else {
                return failure("unknown mode '" + *v + "' (full, initial or final)");
            }
        } else {
            return failure("unknown option '" + std::string(arg) + "'");
        }
        if (!haveCommand && (name == "--no-unmartian" || name == "--no-simplify" || name == "--unspaced" ||
                             name == "--mode")) {
            return failure("option " + std::string(name) + " comes after its command");
        }
    }
    if (!haveCommand && !options.help && !options.version) return failure("no command given");
    parsed.ok = true;
    return parsed;
}

}  // namespace huoxing
