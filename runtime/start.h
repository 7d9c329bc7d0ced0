#pragma once

#include "runtime/form_definition.h"

namespace rt {

// Builds the project's start-up form in the linked backend's window, runs its
// Form_Load, shows it and runs the event loop until the window is closed.
// Returns the process's exit status.
int start(const Project& project);

} // namespace rt
