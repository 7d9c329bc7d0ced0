// Storms of random user actions against the native window, through the input
// queue under Wine, checked against the model after every action. The
// text box is read back with WM_GETTEXT.

#include "form/quenlor_form.h"
#include "tests/storm/storm_cases.h"

#include <gtest/gtest.h>

namespace storm {
namespace {

TEST(Win32Storm, AStormFollowsTheModel) {
    expect_storm_follows_model("Win32", driver_of(quenlor::form()), 20000);
}

TEST(Win32Storm, SummariesOfRandomTicksMatchTheModel) {
    Driver driver(probe::make_probe(), quenlor::form());
    EXPECT_EQ(random_summaries_difference(driver, storm_seed(8), 100), "");
}

} // namespace
} // namespace storm
