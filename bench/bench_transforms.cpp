// Throughput of every transform over real text, beside two references: memcpy
// of the same bytes and a plain table loop (each double-byte unit replaced
// through a 126 x 190 table into a preallocated buffer).
//
// The corpus comes from bench/make_corpus.py; HUOXING_CORPUS names its
// directory (default: build/corpus).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <map>
#include <string>
#include <vector>

#include "gbk_text.h"
#include "martian_converter.h"
#include "pinyin_transcriber.h"
#include "script_converter.h"
#include "script_tables.h"
#include "utf8_gbk.h"

namespace huoxing {
namespace {

std::string readCorpus(const std::string& name) {
    const char* directory = std::getenv("HUOXING_CORPUS");
    std::string path = std::string(directory ? directory : "build/corpus") + "/" + name;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "bench: cannot read %s (run bench/make_corpus.py)\n", path.c_str());
        std::exit(66);
    }
    return {std::istreambuf_iterator<char>(file), {}};
}

// The corpus started at a line near its middle (its first kilobytes are
// markup only), then repeated or cut to `size` bytes on a character boundary.
const std::string& sample(const std::string& name, std::size_t size) {
    static std::map<std::pair<std::string, std::size_t>, std::string> cache;
    auto& text = cache[{name, size}];
    if (text.empty()) {
        std::string corpus = readCorpus(name);
        std::size_t middle = corpus.find('\n', corpus.size() / 2);
        if (middle != std::string::npos) std::rotate(corpus.begin(), corpus.begin() + middle + 1, corpus.end());
        while (text.size() < size) text += corpus;
        text.resize(size);
        if (name.ends_with(".gbk")) {
            text.resize(completeUnitsLength(bytesOf(text), text.size()));
        } else {
            while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) text.pop_back();
            if (!text.empty() && static_cast<unsigned char>(text.back()) >= 0xC0) text.pop_back();
        }
    }
    return text;
}

void plainTableLoop(const unsigned char* in, std::size_t size, unsigned char* out, const std::uint16_t* table) {
    std::size_t i = 0;
    while (i < size) {
        unsigned char lead = in[i];
        if (lead < 0x80 || i + 1 == size) {
            out[i++] = lead;
            continue;
        }
        unsigned char trail = in[i + 1];
        int column = trail >= 0x40 && trail <= 0x7E ? trail - 0x40 : trail >= 0x80 && trail <= 0xFE ? trail - 0x41 : -1;
        if (lead >= 0x81 && lead <= 0xFE && column >= 0) {
            std::uint16_t code = table[(lead - 0x81) * 190 + column];
            out[i] = static_cast<unsigned char>(code >> 8);
            out[i + 1] = static_cast<unsigned char>(code);
        } else {
            out[i] = lead;
            out[i + 1] = trail;
        }
        i += 2;
    }
}

template <class Transform>
void run(benchmark::State& state, const char* corpus, Transform transform) {
    const std::string& text = sample(corpus, static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(transform(text));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void Memcpy(benchmark::State& state, const char* corpus) {
    std::vector<unsigned char> out(static_cast<std::size_t>(state.range(0)));
    run(state, corpus, [&](const std::string& text) {
        std::memcpy(out.data(), text.data(), text.size());
        return out.data();
    });
}

void PlainTableLoop(benchmark::State& state, const char* corpus) {
    std::vector<unsigned char> out(static_cast<std::size_t>(state.range(0)));
    run(state, corpus, [&](const std::string& text) {
        plainTableLoop(bytesOf(text), text.size(), out.data(), kSimplifiedToTraditionalTable.data());
        return out.data();
    });
}

void ToMartian(benchmark::State& state, const char* corpus) {
    run(state, corpus, [](const std::string& text) { return convertMartian(text, MartianDirection::ToMartian); });
}

void FromMartian(benchmark::State& state, const char* corpus) {
    run(state, corpus, [](const std::string& text) { return convertMartian(text, MartianDirection::FromMartian); });
}

void ToTraditional(benchmark::State& state, const char* corpus) {
    run(state, corpus,
        [](const std::string& text) { return convertScript(text, ScriptConversionKind::SimplifiedToTraditional); });
}

void ToSimplified(benchmark::State& state, const char* corpus) {
    run(state, corpus,
        [](const std::string& text) { return convertScript(text, ScriptConversionKind::TraditionalToSimplified); });
}

void TranscribePinyin(benchmark::State& state, const char* corpus) {
    run(state, corpus, [](const std::string& text) { return transcribePinyin(text, PinyinMode::Full, true); });
}

void ToHalfWidth(benchmark::State& state, const char* corpus) {
    run(state, corpus, [](const std::string& text) { return toHalfWidth(text); });
}

void DecodeUtf8(benchmark::State& state, const char* corpus) {
    std::vector<unsigned char> out(static_cast<std::size_t>(state.range(0)));
    std::vector<char32_t> escaped;
    run(state, corpus, [&](const std::string& text) {
        escaped.clear();
        return decodeUtf8ToGbk(bytesOf(text), text.size(), true, out.data(), escaped).written;
    });
}

void EncodeUtf8(benchmark::State& state, const char* corpus) {
    std::vector<unsigned char> out(maxUtf8Size(static_cast<std::size_t>(state.range(0))));
    std::vector<char32_t> escaped;
    run(state, corpus, [&](const std::string& text) {
        std::size_t next = 0;
        return encodeGbkToUtf8(bytesOf(text), text.size(), true, escaped, next, out.data()).written;
    });
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(1 << 10)->Arg(1 << 20)->Arg(64 << 20)->Unit(benchmark::kMicrosecond);
}

#define HUOXING_BENCH_ON(function, corpus) BENCHMARK_CAPTURE(function, corpus, #corpus ".gbk")->Apply(sizes)
#define HUOXING_BENCH(function) \
    HUOXING_BENCH_ON(function, man); \
    HUOXING_BENCH_ON(function, dense)

HUOXING_BENCH(Memcpy);
HUOXING_BENCH(PlainTableLoop);
HUOXING_BENCH(ToMartian);
HUOXING_BENCH(FromMartian);
HUOXING_BENCH(ToTraditional);
HUOXING_BENCH(ToSimplified);
HUOXING_BENCH(TranscribePinyin);
HUOXING_BENCH(ToHalfWidth);
BENCHMARK_CAPTURE(DecodeUtf8, man, "man.utf8")->Apply(sizes);
BENCHMARK_CAPTURE(DecodeUtf8, dense, "dense.utf8")->Apply(sizes);
HUOXING_BENCH(EncodeUtf8);

}  // namespace
}  // namespace huoxing

// Each transform returns a new text. By default glibc maps a block above 32
// MiB afresh for every call and unmaps it on free, so at 64 MiB a run would
// time the kernel's page faults (about 12 us a page on the machines we
// measure on) rather than the transform. Keeping freed memory, as a
// long-running program would, shows the transform's own cost at every size.
int main(int argc, char** argv) {
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
