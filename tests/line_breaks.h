#pragma once

#include <string>

// The program's texts end lines with CR LF; the toolkits' text boxes and the
// clipboard hold LF alone. Tests compare the two through this.
inline std::string lf_only(std::string text) {
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
    return text;
}
