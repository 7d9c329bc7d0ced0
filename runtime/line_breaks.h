#pragma once

#include <string>
#include <string_view>

namespace rt {

// The runtime keeps every text with CR LF line breaks, as the form's
// definition writes them; the toolkits' text widgets hold LF alone. These are
// the two directions, for every backend whose widgets need them.

// CR LF becomes LF; a CR on its own stays.
std::string lf_only(std::string_view text);
// Every LF becomes CR LF.
std::string cr_lf(std::string_view text);

} // namespace rt
