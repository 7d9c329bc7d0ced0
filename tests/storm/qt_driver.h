#pragma once

#include "runtime/form.h"
#include "runtime/qt/qt_backend.h"
#include "tests/storm/storm.h"

namespace storm {

// Storms the Qt window through real widget events: clicks go to the window
// at a control's place, keys to the widget that has the focus, assistive
// actions through each widget's accessibility interface.
class QtDriver final : public Driver {
public:
    // ReportOnlyClicks plants the fault of a window that tells the runtime of
    // a button's change only when it is clicked, and so loses the changes
    // that assistive actions make.
    enum class Fault { None, ReportOnlyClicks };

    explicit QtDriver(const rt::FormDefinition& definition, Fault fault = Fault::None);

    void click(int target) override;
    void key(Key key) override;
    void type(const std::string& text) override;
    void act(int target) override;

protected:
    rt::Form& form() override { return m_form; }
    bool shown(rt::Row row) override;
    std::int16_t value(rt::Row row) override;
    std::string window_text(rt::Row row) override;
    std::optional<rt::Row> focused() override;

private:
    rt::QtBackend m_window;
    rt::Form m_form;
};

} // namespace storm
