// Our transforms over a whole text in memory, timed the way bench/peers/peers.c
// times the peers: only the call, median of runs.
//
//   bench_peers_ours FILE.utf8 [RUNS]
//
// The UTF-8 text is decoded to GBK once; every transform then runs on that
// GBK text. Prints one line "NAME INPUT_BYTES MEDIAN_SECONDS" per operation.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gbk_text.h"
#include "martian_converter.h"
#include "pinyin_transcriber.h"
#include "script_converter.h"
#include "utf8_gbk.h"

namespace huoxing {
namespace {

template <class Call>
double medianSeconds(int runs, Call call) {
    std::vector<double> seconds;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        call();
        seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(seconds.begin(), seconds.end());
    return seconds[seconds.size() / 2];
}

void report(const char* name, std::size_t inputBytes, double seconds) {
    std::printf("%s %zu %.9f\n", name, inputBytes, seconds);
}

int benchmark(const std::string& utf8, int runs) {
    std::vector<char32_t> escaped;
    std::string gbk(utf8.size(), '\0');
    DecodeResult decoded = decodeUtf8ToGbk(bytesOf(utf8), utf8.size(), true,
                                           reinterpret_cast<unsigned char*>(gbk.data()), escaped);
    if (decoded.status != DecodeStatus::Ok) {
        std::fprintf(stderr, "bench_peers_ours: invalid UTF-8 at byte %zu\n", decoded.consumed);
        return 65;
    }
    gbk.resize(decoded.written);
    std::vector<unsigned char> gbkOut(utf8.size());
    std::vector<unsigned char> utf8Out(maxUtf8Size(gbk.size()));

    report("decode", utf8.size(), medianSeconds(runs, [&] {
               escaped.clear();
               decodeUtf8ToGbk(bytesOf(utf8), utf8.size(), true, gbkOut.data(), escaped);
           }));
    report("encode", gbk.size(), medianSeconds(runs, [&] {
               std::size_t next = 0;
               encodeGbkToUtf8(bytesOf(gbk), gbk.size(), true, escaped, next, utf8Out.data());
           }));
    report("s2t", gbk.size(), medianSeconds(runs, [&] {
               GbkText result = convertScript(gbk, ScriptConversionKind::SimplifiedToTraditional);
               if (result.size() != gbk.size()) std::abort();
           }));
    report("t2s", gbk.size(), medianSeconds(runs, [&] {
               GbkText result = convertScript(gbk, ScriptConversionKind::TraditionalToSimplified);
               if (result.size() != gbk.size()) std::abort();
           }));
    report("pinyin", gbk.size(), medianSeconds(runs, [&] {
               GbkText result = transcribePinyin(gbk, PinyinMode::Full, true);
               if (result.empty() && !gbk.empty()) std::abort();
           }));
    // What the traditional command does without its reads and writes: the
    // one pass from UTF-8 to UTF-8 (its table is built once per process).
    Utf8UnitMap toTraditional([](unsigned char* bytes, std::size_t size) {
        convertScriptInPlace(bytes, size, ScriptConversionKind::SimplifiedToTraditional);
    });
    std::vector<unsigned char> converted(Utf8UnitMap::maxConvertedSize(utf8.size()));
    report("traditional-utf8", utf8.size(),
           medianSeconds(runs, [&] { toTraditional.convert(bytesOf(utf8), utf8.size(), true, converted.data()); }));
    return 0;
}

}  // namespace
}  // namespace huoxing

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: bench_peers_ours FILE.utf8 [RUNS]\n");
        return 64;
    }
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "bench_peers_ours: cannot read %s\n", argv[1]);
        return 66;
    }
    std::string utf8{std::istreambuf_iterator<char>(file), {}};
    return huoxing::benchmark(utf8, argc == 3 ? std::max(1, std::atoi(argv[2])) : 9);
}
