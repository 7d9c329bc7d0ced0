#pragma once

#include "runtime/form_definition.h"

#include <string>
#include <vector>

namespace contract {

// A small form that exercises every part of the runtime's contract. Its
// procedures append what they see to event_log().
const rt::FormDefinition& test_form();
std::vector<std::string>& event_log();

// Rows of the test form.
enum TestRow : rt::Row {
    Heading,
    LockedText,
    FreeText,
    FirstOption,
    SecondOption,
    LogCommand,
    FaultCommand,
    FirstBox,
    SecondBox,
    HiddenBox,
};

// What Command1(1) does, chosen by the test before it presses it.
enum class Fault {
    IndexPastLast,
    NegativeIndex,
    ValueOutOfRange,
    TextOfCheckBox,
    ValueOfCommandButton,
    UnknownArray,
    ValuesFromCode,
};
void set_fault(Fault fault);

// Set by the suite: whether the window is on the screen, as Form_Load
// records it.
void set_window_probe(bool (*probe)());

} // namespace contract
