// Storms of random user actions against the Qt window, through real widget
// events, checked against the model after every action.

#include "form/quenlor_form.h"
#include "tests/probe/qt_probe.h"
#include "tests/storm/storm.h"

#include <QAbstractButton>
#include <QCheckBox>

#include <gtest/gtest.h>

#include <iostream>

namespace storm {
namespace {

// The fault of a window that tells the runtime of a button's change only
// when it is clicked, and so loses the changes that assistive actions make.
std::unique_ptr<Driver> reporting_only_clicks() {
    std::unique_ptr<probe::WindowProbe> window = probe::make_probe();
    const probe::WindowProbe& shown = *window;
    auto driver = std::make_unique<Driver>(std::move(window), quenlor::form());
    rt::Form& form = driver->form();
    for (rt::Row row = 0; row < form.size(); ++row) {
        auto* button = qobject_cast<QAbstractButton*>(probe::qt_window(shown).widget(row));
        if (!button || !button->isCheckable()) continue;
        QObject::disconnect(button, &QAbstractButton::toggled, nullptr, nullptr);
        if (auto* box = qobject_cast<QCheckBox*>(button))
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
            QObject::disconnect(box, &QCheckBox::checkStateChanged, nullptr, nullptr);
#else
            QObject::disconnect(box, &QCheckBox::stateChanged, nullptr, nullptr);
#endif
        QObject::connect(button, &QAbstractButton::clicked, [&form, &shown, row] {
            form.user_set_value(row, shown.shown_value(row));
        });
    }
    return driver;
}

TEST(QtStorm, AStormFollowsTheModel) {
    const std::size_t actions = storm_actions(100000);
    const Report report = run_storm(driver_of(quenlor::form()), storm_seed(), actions);
    std::cout << "Qt storm: " << to_string(report) << "\n";
    EXPECT_EQ(report.divergences, 0u) << to_string(report);
    EXPECT_EQ(report.actions, actions) << "the storm ended early";
}

TEST(QtStorm, CatchesAChangeLostFromAnAssistiveAction) {
    const Report report = run_storm(reporting_only_clicks, storm_seed(), 1000);
    std::cout << "changes reported only on clicks: " << to_string(report) << "\n";
    EXPECT_EQ(report.divergences, 1u) << "the lost change was not caught";
    EXPECT_TRUE(replay(reporting_only_clicks, report.shortest).has_value());
}

TEST(QtStorm, SummariesOfRandomTicksMatchTheModel) {
    Driver driver(probe::make_probe(), quenlor::form());
    EXPECT_EQ(random_summaries_difference(driver, storm_seed(8), 200), "");
}

} // namespace
} // namespace storm
