// Storms of random user actions against the native window, through the input
// queue under Wine, checked against the model after every action. The
// text box is read back with WM_GETTEXT.

#include "form/quenlor_form.h"
#include "tests/storm/storm.h"

#include <gtest/gtest.h>

#include <iostream>

namespace storm {
namespace {

TEST(Win32Storm, AStormFollowsTheModel) {
    const std::size_t actions = storm_actions(20000);
    const Report report = run_storm(driver_of(quenlor::form()), storm_seed(), actions);
    std::cout << "Win32 storm: " << to_string(report) << "\n";
    EXPECT_EQ(report.divergences, 0u) << to_string(report);
    EXPECT_EQ(report.actions, actions) << "the storm ended early";
}

TEST(Win32Storm, SummariesOfRandomTicksMatchTheModel) {
    Driver driver(probe::make_probe(), quenlor::form());
    EXPECT_EQ(random_summaries_difference(driver, storm_seed(8), 100), "");
}

} // namespace
} // namespace storm
