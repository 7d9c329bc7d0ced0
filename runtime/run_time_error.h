#pragma once

#include <stdexcept>
#include <string>

namespace rt {

// The run-time errors the runtime raises. The program installs no handler:
// the runtime reports the error and ends the program.
enum class ErrorNumber : int {
    IndexOutOfRange = 1,      // a control array has no member at that index
    NoSuchControlArray = 2,   // the form has no control array of that name
    PropertyNotAvailable = 3, // the control's kind has no such property
    InvalidPropertyValue = 5, // the value is outside the property's range
};

// The exit status of a program that a run-time error ended.
inline constexpr int run_time_error_exit_status = 1;

class RunTimeError : public std::runtime_error {
public:
    RunTimeError(ErrorNumber number, const std::string& description)
        : std::runtime_error(description), m_number(number) {}

    ErrorNumber number() const { return m_number; }
    std::string description() const { return what(); }

private:
    ErrorNumber m_number;
};

// "Run-time error 1: ..." as the program's user sees it.
std::string error_report(const RunTimeError& error);

} // namespace rt
