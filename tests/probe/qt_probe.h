#pragma once

#include "runtime/qt/qt_backend.h"
#include "tests/probe/window_probe.h"

#include <optional>

namespace probe {

// The Qt window driven through real widget events: clicks go to the window
// at a control's place, keys to the widget that has the focus, assistive
// actions through each widget's accessibility interface.
class QtProbe final : public WindowProbe {
public:
    ~QtProbe() override;

    rt::Form& open(const rt::FormDefinition& definition, std::string_view name) override;
    void click(rt::Row row) override;
    void act(rt::Row row) override;
    void type(std::string_view text) override;
    void press(Key key) override;
    void hold(Key key) override;
    std::optional<rt::Row> focus() const override;

    bool window_shown() const override;
    bool shown(rt::Row row) const override;
    std::int16_t shown_value(rt::Row row) const override;
    std::string shown_text(rt::Row row) const override;
    std::vector<std::string> error_boxes() const override { return m_error_boxes; }
    // Qt passes its accessibility events on only while a screen reader is
    // connected, which no public call can pretend: the announcement is
    // checked on the accessibility bus (e2e/installed_program_through_atspi).
    std::optional<std::vector<std::string>> announcements() const override { return std::nullopt; }

    const rt::QtBackend& window() const { return m_backend; }

private:
    // Records and closes each message box that opens while action runs.
    template <typename Action> void watch_for_message_boxes(const Action& action);
    QWidget* key_target() const;

    rt::QtBackend m_backend;
    std::optional<rt::Form> m_form;
    std::vector<std::string> m_error_boxes;
};

} // namespace probe
