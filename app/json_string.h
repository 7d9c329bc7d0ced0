#pragma once

// A text as a JSON string, for the files the build writes from the program
// (page_parts.cpp, and the tests' window_layout.cpp): quotes and backslashes
// escaped, control characters as \u escapes, the rest as it is (UTF-8).

#include <cstdio>
#include <string>
#include <string_view>

inline std::string json(std::string_view text) {
    std::string result = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            result += '\\';
            result += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            result += escape;
        } else {
            result += c;
        }
    }
    return result + "\"";
}
