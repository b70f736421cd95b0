// Reads UTF-8 text on stdin and writes, for each line, what transcribePinyin
// (Full, spaced) gives each character of it: one field per character, fields
// separated by one space. A field holds the syllable written for a hanzi, "*"
// for a double-byte character that kept its own bytes (no reading, or a
// symbol without a half-width form), and is empty for every other character
// (ASCII, half-width forms, spaces trimmed at the ends).
//
// The fields are read back out of the transcription itself, so the measure is
// of exactly what the transcriber writes; the helper stops if the output does
// not have the shape it expects.

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "gbk_text.h"
#include "pinyin_transcriber.h"
#include "utf8_gbk.h"

namespace {

using namespace huoxing;

[[noreturn]] void fail(const std::string& why, std::size_t lineNumber) {
    std::cerr << "transcribe_lines: line " << lineNumber << ": " << why << "\n";
    std::exit(1);
}

std::vector<std::string> fieldsOfLine(const std::string& utf8, std::size_t lineNumber) {
    std::string line(utf8.size(), '\0');
    std::vector<char32_t> escaped;
    DecodeResult decoded = decodeUtf8ToGbk(reinterpret_cast<const unsigned char*>(utf8.data()), utf8.size(), true,
                                           reinterpret_cast<unsigned char*>(line.data()), escaped);
    if (decoded.status != DecodeStatus::Ok) fail("not UTF-8", lineNumber);
    line.resize(decoded.written);

    std::string out = transcribePinyin(line, PinyinMode::Full, true);
    std::string_view kept = spacesTrimmed(line);
    std::size_t keptBegin = static_cast<std::size_t>(kept.data() - line.data());
    std::size_t keptEnd = keptBegin + kept.size();

    std::vector<std::string> fields;
    std::size_t q = 0;
    bool afterSyllable = false;
    auto expect = [&](std::string_view piece) {
        if (out.compare(q, piece.size(), piece) != 0) fail("unexpected transcription: " + out, lineNumber);
        q += piece.size();
    };
    for (const TextUnit& unit : cutUnits(line)) {
        fields.emplace_back();
        if (unit.offset < keptBegin || unit.offset >= keptEnd) continue;
        std::string_view bytes(line.data() + unit.offset, unit.size);
        if (unit.size == 1) {
            if (afterSyllable) expect(" ");
            expect(bytes);
            afterSyllable = false;
            continue;
        }
        if (unit.offset != keptBegin) expect(" ");
        afterSyllable = false;
        unsigned char lead = static_cast<unsigned char>(bytes[0]);
        if (lead >= 0xA0 && lead <= 0xAF) {
            std::string half = toHalfWidth(bytes);
            expect(half);
            if (half == bytes) fields.back().push_back('*');
            continue;
        }
        std::size_t letters = q;
        while (letters < out.size() && out[letters] >= 'a' && out[letters] <= 'z') ++letters;
        if (letters > q) {
            fields.back() = out.substr(q, letters - q);
            q = letters;
        } else {
            expect(bytes);
            fields.back().push_back('*');
        }
        afterSyllable = unit.offset + 2 < keptEnd;
    }
    if (q != out.size()) fail("transcription longer than expected: " + out, lineNumber);
    return fields;
}

}  // namespace

int main() {
    std::string text((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
    std::string result;
    std::size_t lineNumber = 0;
    for (std::size_t begin = 0; begin < text.size();) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string::npos) end = text.size();
        std::vector<std::string> fields = fieldsOfLine(text.substr(begin, end - begin), ++lineNumber);
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i) result += ' ';
            result += fields[i];
        }
        result += '\n';
        begin = end + 1;
    }
    std::fwrite(result.data(), 1, result.size(), stdout);
    return 0;
}
