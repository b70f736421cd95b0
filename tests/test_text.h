#pragma once
// Helpers for tests: GBK texts written as UTF-8 literals, and bytes in hex.

#include <cstdio>
#include <string>
#include <string_view>

#include "utf8_gbk.h"

namespace huoxing::testing {

inline std::string gbk(std::string_view utf8) { return gbkFromUtf8(utf8); }

inline std::string hex(std::string_view bytes) {
    std::string out;
    char buffer[4];
    for (unsigned char byte : bytes) {
        std::snprintf(buffer, sizeof buffer, "%02X ", byte);
        out += buffer;
    }
    if (!out.empty()) out.pop_back();
    return out;
}

// A GBK text shown readably in failure messages: UTF-8 and hex.
inline std::string show(std::string_view gbkText) { return utf8FromGbk(gbkText) + " [" + hex(gbkText) + "]"; }

}  // namespace huoxing::testing
