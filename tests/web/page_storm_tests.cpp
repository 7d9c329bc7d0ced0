// Storms of random user actions against the page in Chromium, as real input
// events sent through the browser's debugging protocol, checked against the
// model after every action.

#include "form/quenlor_form.h"
#include "tests/storm/storm.h"

#include <emscripten.h>
#include <gtest/gtest.h>

#include <iostream>

namespace storm {
namespace {

DriverFactory page(bool focus_kept_on_check_box) {
    return [focus_kept_on_check_box] {
        emscripten_run_script(focus_kept_on_check_box
                                  ? "quenlorFaults.focusKeptOnCheckBox = true"
                                  : "quenlorFaults.focusKeptOnCheckBox = false");
        return std::make_unique<Driver>(probe::make_probe(), quenlor::form());
    };
}

TEST(PageStorm, AStormFollowsTheModel) {
    const std::size_t actions = storm_actions(20000);
    const Report report = run_storm(page(false), storm_seed(), actions);
    std::cout << "page storm: " << to_string(report) << "\n";
    EXPECT_EQ(report.divergences, 0u) << to_string(report);
    EXPECT_EQ(report.actions, actions) << "the storm ended early";
}

TEST(PageStorm, CatchesTheFocusKeptOnAHiddenCheckBox) {
    const Report report = run_storm(page(true), storm_seed(), 1000);
    std::cout << "focus kept on a hidden check box: " << to_string(report) << "\n";
    EXPECT_EQ(report.divergences, 1u) << "the kept focus was not caught";
    EXPECT_TRUE(replay(page(true), report.shortest).has_value());
}

} // namespace
} // namespace storm
