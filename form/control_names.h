#pragma once

#include <string_view>

namespace quenlor {

// The form's control arrays.
inline constexpr std::string_view Label1 = "Label1";
inline constexpr std::string_view Option1 = "Option1";
inline constexpr std::string_view Command1 = "Command1";
inline constexpr std::string_view Check1 = "Check1";
inline constexpr std::string_view Check2 = "Check2";
inline constexpr std::string_view Text1 = "Text1";

} // namespace quenlor
