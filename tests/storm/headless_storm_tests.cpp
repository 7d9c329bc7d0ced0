// Storms of random user actions against the in-memory window, checked
// against the model after every action.

#include "form/quenlor_form.h"
#include "tests/storm/planted_faults.h"
#include "tests/storm/storm_cases.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace storm {
namespace {

TEST(HeadlessStorm, AStormFollowsTheModel) {
    expect_storm_follows_model("headless", driver_of(quenlor::form()), 1000000);
}

TEST(HeadlessStorm, CatchesEachPlantedFaultWithinAThousandActions) {
    for (const PlantedFault& fault : planted_faults())
        expect_storm_catches(fault.name, driver_of(fault.form));
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
