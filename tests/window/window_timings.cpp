// How long each button of the real window takes on a large content, and how
// much of that the transforms take. A measurement, not a test: it prints a
// table and checks only that every press left the content it should.
//
//   window_timings TEXT.gbk [MIB...]     (default sizes: 1 and 8 MiB)
//
// TEXT.gbk (e.g. from bench/make_corpus.py) is repeated or cut to each size;
// its line feeds become CR LF, as the edit box holds them. A press is timed
// from BM_CLICK to its return: the command runs inside it, to its end. The
// transforms are timed alone on the same text in the same process.

#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "content.h"
#include "main_window.h"
#include "martian_converter.h"
#include "pinyin_transcriber.h"
#include "script_converter.h"
#include "startup.h"

namespace huoxing {
namespace {

using app::ControlId;
using Clock = std::chrono::steady_clock;

// The median of three presses; one on the largest contents, where a press
// takes many seconds and the setting of the content before it as long.
int roundsFor(std::size_t size) { return size > (2u << 20) ? 1 : 3; }

std::string readFile(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// The edit box's own line breaks, and no NUL (a GbkText holds none).
std::string asEditBoxText(const std::string& raw) {
    std::string text;
    text.reserve(raw.size() + raw.size() / 16);
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\0') continue;
        if (raw[i] == '\n' && (i == 0 || raw[i - 1] != '\r')) text += '\r';
        text += raw[i];
    }
    return text;
}

// `text` repeated or cut to `size` bytes, on a character boundary.
std::string sized(const std::string& text, std::size_t size) {
    std::string out;
    out.reserve(size + text.size());
    while (out.size() < size) out += text;
    return out.substr(0, completeUnitsLength(bytesOf(out), size));
}

double millisecondsOf(const std::function<void()>& work) {
    auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

GbkText simplified(const GbkText& text) {
    return convertScript(convertMartian(text, MartianDirection::FromMartian),
                         ScriptConversionKind::TraditionalToSimplified);
}

// What each button does to the content, through the transforms alone; the
// content itself for the buttons that convert nothing.
struct Button {
    const char* name;
    ControlId id;
    std::function<GbkText(const GbkText&)> transforms;
    bool converts;
};

const Button kButtons[] = {
    {"变成火星文 toMartian", ControlId::ToMartian,
     [](const GbkText& t) { return convertMartian(t, MartianDirection::ToMartian); }, true},
    {"变成繁体 toTraditional", ControlId::ToTraditional,
     [](const GbkText& t) { return convertScript(t, ScriptConversionKind::SimplifiedToTraditional); }, true},
    {"变成简体 toSimplified", ControlId::ToSimplified, simplified, true},
    {"转换拼音 toPinyin", ControlId::ToPinyin,
     [](const GbkText& t) { return transcribePinyin(simplified(t), PinyinMode::Full, true); }, true},
    {"复制 copy", ControlId::Copy, [](const GbkText& t) { return t; }, false},
    {"剪切 cut", ControlId::Cut, [](const GbkText&) { return GbkText(); }, false},
    {"清除 clear", ControlId::Clear, [](const GbkText&) { return GbkText(); }, false},
};

struct Timing {
    double press = 0;       // BM_CLICK to its return
    double transforms = 0;  // the same transforms alone
    bool contentRight = true;
};

void handlePendingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

Timing timeButton(HWND window, const Button& button, const std::string& text) {
    HWND editBox = app::controlOf(window, ControlId::EditBox);
    HWND control = app::controlOf(window, button.id);
    std::vector<double> presses, transforms;
    Timing timing;
    GbkText expected = button.transforms(text);
    for (int round = 0; round < roundsFor(text.size()); ++round) {
        app::writeContent(editBox, text);
        UpdateWindow(window);
        handlePendingMessages();
        presses.push_back(millisecondsOf([&] { SendMessageA(control, BM_CLICK, 0, 0); }));
        if (app::readContent(editBox) != expected) timing.contentRight = false;
        handlePendingMessages();
        GbkText result;
        transforms.push_back(button.converts ? millisecondsOf([&] { result = button.transforms(text); }) : 0.0);
    }
    timing.press = median(presses);
    timing.transforms = median(transforms);
    return timing;
}

double timeContentCall(HWND window, const std::string& text, bool writing) {
    HWND editBox = app::controlOf(window, ControlId::EditBox);
    std::vector<double> times;
    for (int round = 0; round < roundsFor(text.size()); ++round) {
        app::writeContent(editBox, writing ? std::string() : text);
        handlePendingMessages();
        times.push_back(millisecondsOf([&] {
            if (writing) {
                app::writeContent(editBox, text);
            } else {
                GbkText content = app::readContent(editBox);
            }
        }));
    }
    return median(times);
}

int run(const char* path, std::vector<double> sizesInMiB) {
    std::string source = asEditBoxText(readFile(path));
    if (source.empty()) {
        std::fprintf(stderr, "window_timings: cannot read %s\n", path);
        return 66;
    }
    if (FAILED(OleInitialize(nullptr))) return 2;
    HWND window = app::startMainWindow(GetModuleHandleA(nullptr));
    if (!window) return 2;
    handlePendingMessages();

    auto isAscii = [](char c) { return static_cast<unsigned char>(c) < 0x80; };
    std::size_t asciiBytes = std::count_if(source.begin(), source.end(), isAscii);
    std::printf("Text: %s, %.0f%% ASCII bytes, CR LF line breaks. Times: the median of %d presses up to 2 MiB, "
                "one press beyond.\n\n",
                path, 100.0 * asciiBytes / source.size(), roundsFor(0));
    std::printf("| Button |");
    for (double mib : sizesInMiB) std::printf(" %g MiB: press | transforms | share |", mib);
    std::printf("\n|---|");
    for (std::size_t i = 0; i < sizesInMiB.size(); ++i) std::printf("---:|---:|---:|");
    std::printf("\n");

    std::vector<std::string> texts;
    for (double mib : sizesInMiB) texts.push_back(sized(source, static_cast<std::size_t>(mib * (1 << 20))));
    bool allRight = true;
    for (const Button& button : kButtons) {
        std::printf("| %s |", button.name);
        for (const std::string& text : texts) {
            Timing timing = timeButton(window, button, text);
            allRight = allRight && timing.contentRight;
            if (button.converts) {
                std::printf(" %.0f ms | %.1f ms | %.1f%% |", timing.press, timing.transforms,
                            100.0 * timing.transforms / timing.press);
            } else {
                std::printf(" %.0f ms | none | |", timing.press);
            }
            if (!timing.contentRight) std::printf(" (content wrong!)");
            std::fflush(stdout);
        }
        std::printf("\n");
    }
    for (bool writing : {false, true}) {
        std::printf("| %s alone |", writing ? "writeContent" : "readContent");
        for (const std::string& text : texts) std::printf(" %.0f ms | | |", timeContentCall(window, text, writing));
        std::printf("\n");
    }
    DestroyWindow(window);
    handlePendingMessages();
    OleUninitialize();
    return allRight ? 0 : 1;
}

}  // namespace
}  // namespace huoxing

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_timings TEXT.gbk [MIB...]\n");
        return 64;
    }
    std::vector<double> sizes;
    for (int i = 2; i < argc; ++i) sizes.push_back(std::atof(argv[i]));
    if (sizes.empty()) sizes = {1, 8};
    return huoxing::run(argv[1], sizes);
}
