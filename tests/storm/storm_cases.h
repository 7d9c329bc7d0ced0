#pragma once

// The two checks each backend's storm makes: a long storm that must follow
// the model to its end, and a short one that must catch a planted fault.

#include "tests/storm/storm.h"

#include <gtest/gtest.h>

#include <iostream>
#include <string>

namespace storm {

inline void expect_storm_follows_model(const std::string& window, const DriverFactory& make,
                                       std::size_t default_count) {
    const std::size_t actions = storm_actions(default_count);
    const Report report = run_storm(make, storm_seed(), actions);
    std::cout << window << " storm: " << to_string(report) << "\n";
    EXPECT_EQ(report.divergences, 0u) << to_string(report);
    EXPECT_EQ(report.actions, actions) << "the storm ended early";
}

// The storm stops at the fault, and its shortest sequence still shows it.
inline void expect_storm_catches(const std::string& fault, const DriverFactory& make) {
    const Report report = run_storm(make, storm_seed(), 1000);
    std::cout << fault << ": " << to_string(report) << "\n";
    EXPECT_EQ(report.divergences, 1u) << fault << " was not caught";
    EXPECT_FALSE(report.shortest.empty()) << fault;
    EXPECT_TRUE(replay(make, report.shortest).has_value()) << fault << ": shrunk too far";
}

} // namespace storm
