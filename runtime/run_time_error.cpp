#include "runtime/run_time_error.h"

namespace rt {

std::string error_report(const RunTimeError& error) {
    return "Run-time error " + std::to_string(static_cast<int>(error.number())) + ": " +
           error.description();
}

} // namespace rt
