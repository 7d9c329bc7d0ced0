// The Qt window at the screen scale that QT_SCALE_FACTOR sets: every
// rectangle scales exactly and the window is drawn at the screen's
// resolution, not stretched from 96 dpi.

#include "form/quenlor_form.h"
#include "runtime/form.h"
#include "runtime/qt/qt_backend.h"
#include "tests/window_expectations.h"

#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(QuenlorWindowScale, EveryRectangleScalesWithTheScreen) {
    const double factor = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
    rt::QtBackend backend;
    rt::Form form(quenlor::form(), backend, quenlor::title);
    ASSERT_TRUE(form.open());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(backend.window()));
    EXPECT_DOUBLE_EQ(backend.window()->windowHandle()->devicePixelRatio(), factor);

    const QImage image = backend.window()->grab().toImage();
    EXPECT_EQ(image.size(), QSize(std::lround(expected::client_width() * factor),
                                  std::lround(expected::client_height() * factor)))
        << "drawn at the screen's resolution";
    for (const expected::Place& place : expected::places()) {
        QWidget* widget = backend.widget(form.find(place.array, rt::Index(place.index)).value());
        const QRect device(widget->geometry().topLeft() * factor, widget->size() * factor);
        const std::string name = place.array + std::to_string(place.index);
        EXPECT_EQ(device,
                  QRect(std::lround(place.left * factor), std::lround(place.top * factor),
                        std::lround(place.width * factor), std::lround(place.height * factor)))
            << name;
    }
    // Text is laid out at the screen's resolution: the font is 16 pixels of
    // 96 dpi, scaled.
    EXPECT_EQ(QFontInfo(backend.window()->font()).pixelSize(), 16);
}

} // namespace
