// Storms of random user actions against the native window, through the input
// queue under Wine, checked against the model after every action. The
// text box is read back with WM_GETTEXT.

#include "form/quenlor_form.h"
#include "tests/storm/storm.h"
#include "tests/storm/win32_driver.h"

#include <gtest/gtest.h>

#include <iostream>

namespace storm {
namespace {

DriverFactory native_window() {
    return [] { return std::make_unique<Win32Driver>(quenlor::form()); };
}

TEST(Win32Storm, AStormFollowsTheModel) {
    const std::size_t actions = storm_actions(20000);
    const Report report = run_storm(native_window(), storm_seed(), actions);
    std::cout << "Win32 storm: " << to_string(report) << "\n";
    EXPECT_EQ(report.divergences, 0u) << to_string(report);
    EXPECT_EQ(report.actions, actions) << "the storm ended early";
}

TEST(Win32Storm, SummariesOfRandomTicksMatchTheModel) {
    Win32Driver driver(quenlor::form());
    EXPECT_EQ(random_summaries_difference(driver, storm_seed(8), 100), "");
}

} // namespace
} // namespace storm
