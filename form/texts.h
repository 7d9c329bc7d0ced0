#pragma once

#include <string_view>

namespace quenlor {

inline constexpr std::string_view line_break = "\r\n";

// The summary's own texts; everything else in it is a caption.
inline constexpr std::string_view opening = "Вие избрахте: ";
inline constexpr std::string_view heading_mark = ":";
inline constexpr std::string_view item_mark = ";";

// Written by "Изтрий".
inline constexpr std::string_view prompt = "Направете своя избор!";

} // namespace quenlor
