// Storms of random user actions against the in-memory window, checked
// against the model after every action.

#include "form/quenlor_form.h"
#include "tests/storm/headless_driver.h"
#include "tests/storm/planted_faults.h"
#include "tests/storm/storm.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>

namespace storm {
namespace {

// QUENLOR_STORM_SEED repeats a storm that failed.
std::uint64_t seed() {
    const char* given = std::getenv("QUENLOR_STORM_SEED");
    return given ? std::strtoull(given, nullptr, 10) : 20261208;
}

DriverFactory headless(const rt::FormDefinition& form) {
    return [&form] { return std::make_unique<HeadlessDriver>(form); };
}

TEST(HeadlessStorm, AStormFollowsTheModel) {
    const Report report = run_storm(headless(quenlor::form()), seed(), storm_actions(1000000));
    std::cout << "headless storm: " << to_string(report) << "\n";
    EXPECT_EQ(report.divergences, 0u) << to_string(report);
    EXPECT_EQ(report.actions, 1'000'000u);
}

TEST(HeadlessStorm, CatchesEachPlantedFaultWithinAThousandActions) {
    for (const PlantedFault& fault : planted_faults()) {
        const Report report = run_storm(headless(fault.form), seed(), 1000);
        std::cout << fault.name << ": " << to_string(report) << "\n";
        EXPECT_EQ(report.divergences, 1u) << fault.name << " was not caught";
        EXPECT_FALSE(report.shortest.empty()) << fault.name;
        EXPECT_TRUE(replay(headless(fault.form), report.shortest).has_value())
            << fault.name << ": the shortest sequence must still fail";
    }
}

// Every combination of ticks, under each state of the window, against the
// model's text byte for byte.
TEST(HeadlessStorm, EverySummaryMatchesTheModel) {
    int checked = 0;
    for (int chosen = 0; chosen <= 2; ++chosen) {
        for (unsigned ticks = 0; ticks < (1u << titles); ++ticks) {
            HeadlessDriver driver(quenlor::form());
            Model model = start_model();
            ASSERT_EQ(summary_difference(driver, model, chosen, ticks), "")
                << "ticks " << ticks << ", chosen " << chosen;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 3 * 8192);
}

} // namespace
} // namespace storm
