#pragma once

#include "runtime/types.h"

#include <string>

namespace rt {
class FormHandle;
}

namespace quenlor {

// Hides both groups of titles: no kind of news is chosen yet.
void Form_Load(rt::FormHandle& me);

// Shows the titles of the chosen kind of news and hides the other kind's.
void Option1_Click(rt::FormHandle& me, rt::Index Index);

// "Изведи" (0) writes the summary; "Изтрий" (1) writes the prompt and clears
// every check.
void Command1_Click(rt::FormHandle& me, rt::Index Index);

// Both headings, each followed by the checked titles of its group in index
// order, hidden or not; every line ends with CR LF.
std::string summary(rt::FormHandle& me);

} // namespace quenlor
