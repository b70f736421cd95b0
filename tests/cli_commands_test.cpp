// The conversion commands of the command line, run in-process through runCli.

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

struct CommandCase {
    std::vector<std::string> args;
    const char* input;  // UTF-8; the GBK run gets the same text in GBK
    const char* expected;
};

// Each case once in UTF-8 and once in GBK.
void expectInBothEncodings(const std::vector<CommandCase>& cases) {
    for (const CommandCase& c : cases) {
        EXPECT_EQ(run(c.args, c.input), c.expected) << c.args[0] << " " << c.input << " utf-8";
        std::vector<std::string> gbkArgs = c.args;
        gbkArgs.insert(gbkArgs.end(), {"-e", "gbk"});
        EXPECT_EQ(run(gbkArgs, gbk(c.input)), gbk(c.expected)) << c.args[0] << " " << c.input << " gbk";
    }
}

TEST(CliCommands, ScriptCommandsInBothEncodings) {
    expectInBothEncodings({
        {{"traditional"}, "国家发展 “沉”\n", "國家發展 『沈』\n"},
        {{"simplified"}, "國家發展 三曉吙煋攵\n", "国家发展 叁小火星文\n"},
        {{"simplified", "--no-unmartian"}, "國家發展 三曉吙煋攵\n", "国家发展 三晓吙煋攵\n"},
    });
}

// A character cut by the block boundary of the stream converts as a whole.
TEST(CliCommands, UnitAcrossABlockBoundary) {
    std::string input(kBlockSize - 1, 'a');
    input += gbk("国发") + "\xB9";
    std::string expected(kBlockSize - 1, 'a');
    expected += gbk("國發") + "\xB9";
    EXPECT_EQ(run({"traditional", "-e", "gbk"}, input), expected);
}

TEST(CliCommands, Pinyin) {
    expectInBothEncodings({
        {{"pinyin"}, "中国abc\n", "zhong guo abc\n"},
        {{"pinyin"}, "  中　国  ", "zhong   guo"},
        // The button's steps: Martian script undone, simplified, then transcribed.
        {{"pinyin"}, "ф國 吙煋攵！", "zhong guo   huo xing wen !"},
        {{"pinyin", "--no-simplify"}, "國", "國"},
        {{"pinyin", "--no-unmartian"}, "吙國", "吙 guo"},
        {{"pinyin", "--mode", "initial"}, "中国 一二三", "zh g   y er s"},
        {{"pinyin", "--mode=final"}, "中国", "ong uo"},
        {{"pinyin", "--unspaced"}, "中国abc", "zhongguoabc"},
        // A character without a reading keeps its place and bytes.
        {{"pinyin"}, "中丂国", "zhong 丂 guo"},
        {{"pinyin"}, "", ""},
    });
    // In UTF-8, a character that GBK cannot hold stands like one without a reading.
    EXPECT_EQ(run({"pinyin"}, "中😀a€"), "zhong 😀 a €");
}

// Spaces that end one block and a syllable whose follower is in the next.
TEST(CliCommands, PinyinAcrossBlockBoundaries) {
    std::string head(kBlockSize - 2, 'a');
    EXPECT_EQ(run({"pinyin", "-e", "gbk"}, head + gbk("中") + "b"), head + " zhong b");
    EXPECT_EQ(run({"pinyin", "-e", "gbk"}, head + gbk("中") + "   "), head + " zhong");
    EXPECT_EQ(run({"pinyin", "-e", "gbk"}, head + "  " + gbk("中")), head + "   zhong");
    std::string spaces(3 * kBlockSize, ' ');
    EXPECT_EQ(run({"pinyin", "-e", "gbk"}, spaces + gbk("中") + spaces), "zhong");
}

}  // namespace
}  // namespace huoxing
