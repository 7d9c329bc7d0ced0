// Storms of random user actions against the in-memory window, checked
// against the model after every action.

#include "form/quenlor_form.h"
#include "tests/storm/planted_faults.h"
#include "tests/storm/storm.h"

#include <gtest/gtest.h>

#include <iostream>
#include <random>
#include <set>

namespace storm {
namespace {

TEST(HeadlessStorm, AStormFollowsTheModel) {
    const std::size_t actions = storm_actions(1000000);
    const Report report = run_storm(driver_of(quenlor::form()), storm_seed(), actions);
    std::cout << "headless storm: " << to_string(report) << "\n";
    EXPECT_EQ(report.divergences, 0u) << to_string(report);
    EXPECT_EQ(report.actions, actions) << "the storm ended early";
}

TEST(HeadlessStorm, CatchesEachPlantedFaultWithinAThousandActions) {
    for (const PlantedFault& fault : planted_faults()) {
        const Report report = run_storm(driver_of(fault.form), storm_seed(), 1000);
        std::cout << fault.name << ": " << to_string(report) << "\n";
        EXPECT_EQ(report.divergences, 1u) << fault.name << " was not caught";
        EXPECT_FALSE(report.shortest.empty()) << fault.name;
        EXPECT_TRUE(replay(driver_of(fault.form), report.shortest).has_value())
            << fault.name << ": the shortest sequence must still fail";
    }
}

// The fuzzer's bytes stand for every action a storm sends.
TEST(HeadlessStorm, TheFuzzersBytesReachEveryAction) {
    std::set<std::string> decoded;
    for (int byte = 0; byte < 256; ++byte)
        decoded.insert(describe(decode_action(static_cast<unsigned char>(byte))));
    std::mt19937_64 random(storm_seed());
    for (int i = 0; i < 100000; ++i) {
        const std::string action = describe(random_storm_action(random));
        EXPECT_TRUE(decoded.count(action)) << action << " is never fuzzed";
        if (!decoded.count(action)) break;
    }
}

// Every combination of ticks, under each state of the window, against the
// model's text byte for byte.
TEST(HeadlessStorm, EverySummaryMatchesTheModel) {
    static_assert(titles == 13, "8,192 combinations of ticks");
    for (int chosen = 0; chosen <= 2; ++chosen) {
        for (unsigned ticks = 0; ticks < (1u << titles); ++ticks) {
            Driver driver(probe::make_probe(), quenlor::form());
            Model model = start_model();
            ASSERT_EQ(summary_difference(driver, model, chosen, ticks), "")
                << "ticks " << ticks << ", chosen " << chosen;
        }
    }
}

} // namespace
} // namespace storm
