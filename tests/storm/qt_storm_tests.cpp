// Storms of random user actions against the Qt window, through real widget
// events, checked against the model after every action.

#include "form/quenlor_form.h"
#include "tests/storm/qt_driver.h"
#include "tests/storm/storm.h"

#include <gtest/gtest.h>

#include <iostream>

namespace storm {
namespace {

DriverFactory qt_window() {
    return [] { return std::make_unique<QtDriver>(quenlor::form()); };
}

TEST(QtStorm, AStormFollowsTheModel) {
    const std::size_t actions = storm_actions(100000);
    const Report report = run_storm(qt_window(), storm_seed(), actions);
    std::cout << "Qt storm: " << to_string(report) << "\n";
    EXPECT_EQ(report.divergences, 0u) << to_string(report);
    EXPECT_EQ(report.actions, actions) << "the storm ended early";
}

TEST(QtStorm, CatchesAChangeLostFromAnAssistiveAction) {
    const DriverFactory faulty = [] {
        return std::make_unique<QtDriver>(quenlor::form(), QtDriver::Fault::ReportOnlyClicks);
    };
    const Report report = run_storm(faulty, storm_seed(), 1000);
    std::cout << "changes reported only on clicks: " << to_string(report) << "\n";
    EXPECT_EQ(report.divergences, 1u) << "the lost change was not caught";
    EXPECT_TRUE(replay(faulty, report.shortest).has_value());
}

TEST(QtStorm, SummariesOfRandomTicksMatchTheModel) {
    QtDriver driver(quenlor::form());
    EXPECT_EQ(random_summaries_difference(driver, storm_seed(8), 200), "");
}

} // namespace
} // namespace storm
