#pragma once

#include "form/quenlor_form.h"
#include "runtime/form.h"
#include "runtime/qt/qt_backend.h"

#include <QTest>

#include <gtest/gtest.h>

#include <optional>

// A test that opens the program's Qt window, off screen, before each case.
class OpenWindow : public testing::Test {
protected:
    void SetUp() override {
        form.emplace(quenlor::form(), backend, quenlor::title);
        ASSERT_TRUE(form->open());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(backend.window()));
    }
    void TearDown() override { form.reset(); }

    rt::QtBackend backend;
    std::optional<rt::Form> form;
};
