// The huoxing command as a user runs it: real processes, real files.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "martian_converter.h"
#include "run_process.h"
#include "test_text.h"

namespace huoxing {
namespace {

using testing::gbk;
using testing::hex;
using testing::runProcess;

const std::string kHuoxing = HUOXING_BINARY;

testing::ProcessResult huoxing(std::vector<std::string> args, const std::string& input = "") {
    args.insert(args.begin(), kHuoxing);
    return runProcess(args, input);
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class CliFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("huoxing-cli-" + std::to_string(getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    std::vector<std::string> leftovers() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_)) names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::filesystem::path dir_;
};

struct Conversion {
    std::vector<std::string> args;
    std::string input;
    std::string expected;
};

TEST(Cli, ConvertsInBothEncodings) {
    const Conversion cases[] = {
        {{"martian"}, "火星文\n", "吙煋攵\n"},
        {{"unmartian"}, "吙煋攵\n", "火星文\n"},
        {{"martian"}, "你好，世界！", "伱恏，卋堺！"},
        {{"martian"}, "中华人民共和国", "ф囮囚囻囲囷國"},
        {{"unmartian"}, "伱恏，卋堺！", "你好，世界！"},
        {{"martian", "-e", "gbk"}, "\xBB\xF0\xD0\xC7\xCE\xC4", "\x85\xBF\x9F\x93\xEB\xB6"},
        {{"martian", "--encoding=gbk"}, "\x80\xCE\xD2\xC3\xC7", "\x80\xCE\xEE\x55\xC7"},
        {{"martian", "-e", "gbk"}, "\xD6\xD0\xB0", "\xA7\xE6\xB0"},
        {{"martian"}, "", ""},
        // Characters GBK cannot hold pass through in place; the euro sign is not the byte 0x80.
        {{"martian"}, "a😀火€b𠀀星\xEF\xBB\xBF文", "a😀吙€b𠀀煋\xEF\xBB\xBF攵"},
        {{"unmartian"}, "€我们", "€我们"},
    };
    for (const Conversion& c : cases) {
        auto result = huoxing(c.args, c.input);
        EXPECT_EQ(result.status, 0) << c.input << ": " << result.err;
        EXPECT_EQ(hex(result.out), hex(c.expected)) << c.input;
    }
}

struct BadInput {
    const char* what;
    std::vector<std::string> args;
    std::string input;
    const char* message;
};

TEST(Cli, BadDataExits65WithTheOffsetAndWritesNothing) {
    const BadInput cases[] = {
        {"invalid UTF-8", {"martian"}, "火星\xFF文", "invalid UTF-8 at byte offset 6"},
        {"overlong form", {"martian"}, "ab\xC0\xAF", "invalid UTF-8 at byte offset 2"},
        {"surrogate", {"martian"}, "\xED\xA0\x80", "invalid UTF-8 at byte offset 0"},
        {"truncated at the end", {"martian"}, "火星\xE6\x96", "invalid UTF-8 at byte offset 6"},
        {"NUL in UTF-8", {"martian"}, std::string("ab\0c", 4), "NUL byte at byte offset 2"},
        {"NUL in GBK", {"martian", "-e", "gbk"}, std::string("\xBB\xF0\0", 3), "NUL byte at byte offset 2"},
    };
    for (const BadInput& c : cases) {
        auto result = huoxing(c.args, c.input);
        EXPECT_EQ(result.status, 65) << c.what;
        EXPECT_EQ(result.out, "") << c.what;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << c.what << ": " << result.err;
    }
}

TEST(Cli, UsageErrorsExit64AndShowTheUsage) {
    for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
             {}, {"mars"}, {"martian", "--bogus"}, {"martian", "-e", "latin1"}, {"martian", "-o"},
             {"martian", "--unspaced"}, {"--no-unmartian", "simplified"}}) {
        auto result = huoxing(args, "x");
        EXPECT_EQ(result.status, 64) << (args.empty() ? "(none)" : args.back());
        EXPECT_NE(result.err.find("usage: huoxing COMMAND"), std::string::npos);
    }
    auto help = huoxing({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("martian"), std::string::npos);
    EXPECT_EQ(huoxing({"--version"}).status, 0);
}

// A long text crosses many blocks, with characters, lone lead bytes and
// UTF-8 sequences cut at every kind of block edge; the result must equal
// the conversion of the whole text at once.
TEST(Cli, StreamingMatchesTheWholeTextConversion) {
    std::mt19937 random(7);
    const std::string pieces[] = {"火", "星", "文", "a", "\n", "中华", "😀", "€", "，", "马"};
    std::string utf8;
    std::string expected;  // built piece by piece: each piece converts alone
    while (utf8.size() < 3'300'000) {
        const std::string& piece = pieces[random() % std::size(pieces)];
        utf8 += piece;
        bool outsideGbk = piece == "😀" || piece == "€";
        expected += outsideGbk ? piece : utf8FromGbk(convertMartian(gbk(piece), MartianDirection::ToMartian));
    }
    auto result = huoxing({"martian"}, utf8);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(result.out == expected) << "streamed output differs from the whole conversion";

    std::string bytes;
    while (bytes.size() < 3'300'000) bytes += static_cast<char>(1 + random() % 255);
    auto gbkResult = huoxing({"martian", "-e", "gbk"}, bytes);
    ASSERT_EQ(gbkResult.status, 0);
    EXPECT_TRUE(gbkResult.out == convertMartian(bytes, MartianDirection::ToMartian));
}

TEST_F(CliFiles, SeveralFilesAndAMissingOne) {
    writeFile(path("a"), "火");
    writeFile(path("b"), "星");
    auto result = huoxing({"martian", path("a"), path("missing"), "-", path("b")}, "文");
    EXPECT_EQ(result.status, 66);
    EXPECT_EQ(result.out, "吙攵煋");
    EXPECT_NE(result.err.find("cannot open"), std::string::npos);

    writeFile(path("bad"), "\xFF");
    result = huoxing({"martian", path("a"), path("bad"), path("b")});
    EXPECT_EQ(result.status, 65);
    EXPECT_EQ(result.out, "吙煋");
}

TEST_F(CliFiles, AnUnreadableInputAmongSeveral) {
    writeFile(path("a"), "火");
    std::filesystem::create_directory(path("dir"));  // opens, but cannot be read
    auto result = huoxing({"martian", path("a"), path("dir"), path("a")});
    EXPECT_EQ(result.status, 74);
    EXPECT_EQ(result.out, "吙吙");
    EXPECT_NE(result.err.find("read error"), std::string::npos) << result.err;
}

// A reader that goes away ends the command at once: quietly by SIGPIPE, as
// it ends any Unix filter, or, where SIGPIPE is ignored, with a message.
TEST_F(CliFiles, AClosedPipeEndsTheCommand) {
    writeFile(path("in"), std::string(8 << 20, 'a'));
    std::string script = "\"$0\" martian \"$1\" 2>\"$2\" | head -c 10; echo \" ${PIPESTATUS[0]}\"";
    auto result = runProcess({"/bin/bash", "-c", script, kHuoxing, path("in"), path("err")});
    EXPECT_EQ(result.out, "aaaaaaaaaa 141\n");
    EXPECT_EQ(readFile(path("err")), "");

    result = runProcess({"/bin/bash", "-c", "trap '' PIPE; " + script, kHuoxing, path("in"), path("err")});
    EXPECT_EQ(result.out, "aaaaaaaaaa 74\n");
    EXPECT_EQ(readFile(path("err")), "huoxing: standard output: write error: Broken pipe\n");
}

TEST_F(CliFiles, OutputFileIsReplacedOnlyOnSuccess) {
    writeFile(path("in"), "火星文");
    writeFile(path("out"), "old");
    auto result = huoxing({"martian", "-o", path("out"), path("in")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(readFile(path("out")), "吙煋攵");

    writeFile(path("bad"), "火\xFF");
    result = huoxing({"unmartian", path("in"), path("bad"), "-o", path("out")});
    EXPECT_EQ(result.status, 65);
    EXPECT_EQ(readFile(path("out")), "吙煋攵") << "a failed run must leave the target alone";
    EXPECT_EQ(leftovers(), (std::vector<std::string>{"bad", "in", "out"}));

    // Onto the input itself.
    result = huoxing({"martian", "-o", path("in"), path("in")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(readFile(path("in")), "吙煋攵");

    result = huoxing({"martian", "-o", path("no-such-dir/out")}, "x");
    EXPECT_EQ(result.status, 73);
}

TEST(Cli, WriteErrorsExit74) {
    if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
    // A device is written directly, never replaced by a file.
    auto result = huoxing({"martian", "-o", "/dev/full"}, "火");
    EXPECT_EQ(result.status, 74);
    struct stat device;
    ASSERT_EQ(stat("/dev/full", &device), 0);
    EXPECT_TRUE(S_ISCHR(device.st_mode));
    result = huoxing({"martian", "-o", "/dev/null"}, "火");
    EXPECT_EQ(result.status, 0);
    ASSERT_EQ(stat("/dev/null", &device), 0);
    EXPECT_TRUE(S_ISCHR(device.st_mode));
    result = runProcess({"/bin/sh", "-c", "\"$0\" martian >/dev/full", kHuoxing}, "火星文");
    EXPECT_EQ(result.status, 74);
    EXPECT_NE(result.err.find("No space left"), std::string::npos) << result.err;
}

// An interrupted run leaves neither the target nor its temporary file behind.
TEST_F(CliFiles, InterruptLeavesNoPartialOutput) {
    int feed[2];
    ASSERT_EQ(pipe(feed), 0);
    std::string out = path("out");
    pid_t pid = fork();
    if (pid == 0) {
        dup2(feed[0], 0);
        close(feed[1]);
        execl(kHuoxing.c_str(), kHuoxing.c_str(), "martian", "-o", out.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(feed[0]);
    std::string block(4 << 20, 'a');
    ASSERT_EQ(write(feed[1], block.data(), block.size()), static_cast<ssize_t>(block.size()));
    // Wait until the temporary file exists, then interrupt mid-stream.
    for (int i = 0; i < 500 && leftovers().empty(); ++i) usleep(10'000);
    ASSERT_FALSE(leftovers().empty());
    kill(pid, SIGINT);
    int status = 0;
    waitpid(pid, &status, 0);
    close(feed[1]);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT);
    EXPECT_TRUE(leftovers().empty());
}

}  // namespace
}  // namespace huoxing
