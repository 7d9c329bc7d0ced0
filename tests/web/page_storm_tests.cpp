// Storms of random user actions against the page in Chromium, as real input
// events sent through the browser's debugging protocol, checked against the
// model after every action.

#include "form/quenlor_form.h"
#include "tests/storm/storm_cases.h"

#include <emscripten.h>
#include <gtest/gtest.h>

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
    expect_storm_follows_model("page", page(false), 20000);
}

TEST(PageStorm, CatchesTheFocusKeptOnAHiddenCheckBox) {
    expect_storm_catches("focus kept on a hidden check box", page(true));
}

} // namespace
} // namespace storm
