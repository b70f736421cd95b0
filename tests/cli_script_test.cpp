// The commands `traditional` and `simplified` of the command line.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli.h"
#include "test_text.h"
#include "text_converter.h"

#ifdef _WIN32
#include <io.h>
#define fileno _fileno
#endif

namespace huoxing {
namespace {

using testing::gbk;

std::string fileText(std::FILE* file) {
    std::string text;
    std::rewind(file);
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, file)) text.append(buffer, n);
    return text;
}

// Runs the command on `input`; the output, or "exit N" on a failure.
std::string run(const std::vector<std::string>& args, const std::string& input) {
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::fflush(in);
    std::rewind(in);
    int status = runCli(args, fileno(in), fileno(out), err);
    std::string result = status == 0 ? fileText(out) : "exit " + std::to_string(status) + ": " + fileText(err);
    std::fclose(in);
    std::fclose(out);
    std::fclose(err);
    return result;
}

TEST(CliScript, CommandsInBothEncodings) {
    const struct {
        std::vector<std::string> args;
        const char* input;
        const char* expected;
    } cases[] = {
        {{"traditional"}, "国家发展 “沉”\n", "國家發展 『沈』\n"},
        {{"simplified"}, "國家發展 三曉吙煋攵\n", "国家发展 叁小火星文\n"},
        {{"simplified", "--no-unmartian"}, "國家發展 三曉吙煋攵\n", "国家发展 三晓吙煋攵\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.args, c.input), c.expected) << c.args[0] << " utf-8";
        std::vector<std::string> gbkArgs = c.args;
        gbkArgs.insert(gbkArgs.end(), {"-e", "gbk"});
        EXPECT_EQ(run(gbkArgs, gbk(c.input)), gbk(c.expected)) << c.args[0] << " gbk";
    }
}

// A character cut by the block boundary of the stream converts as a whole.
TEST(CliScript, UnitAcrossABlockBoundary) {
    std::string input(kBlockSize - 1, 'a');
    input += gbk("国发") + "\xB9";
    std::string expected(kBlockSize - 1, 'a');
    expected += gbk("國發") + "\xB9";
    EXPECT_EQ(run({"traditional", "-e", "gbk"}, input), expected);
}

}  // namespace
}  // namespace huoxing
