#pragma once

#include "runtime/form_definition.h"

#include <vector>

namespace storm {

// The program with one fault planted, to show that the storms catch it.
struct PlantedFault {
    const char* name;
    const rt::FormDefinition& form;
};

std::vector<PlantedFault> planted_faults();

} // namespace storm
