// Storms of random user actions against the Qt window, through real widget
// events, checked against the model after every action.

#include "form/quenlor_form.h"
#include "tests/probe/qt_probe.h"
#include "tests/storm/storm_cases.h"

#include <QAbstractButton>
#include <QCheckBox>

#include <gtest/gtest.h>

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
    expect_storm_follows_model("Qt", driver_of(quenlor::form()), 100000);
}

TEST(QtStorm, CatchesAChangeLostFromAnAssistiveAction) {
    expect_storm_catches("changes reported only on clicks", reporting_only_clicks);
}

TEST(QtStorm, SummariesOfRandomTicksMatchTheModel) {
    Driver driver(probe::make_probe(), quenlor::form());
    EXPECT_EQ(random_summaries_difference(driver, storm_seed(8), 200), "");
}

} // namespace
} // namespace storm
