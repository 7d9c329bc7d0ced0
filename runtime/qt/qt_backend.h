#pragma once

#include "runtime/backend.h"
#include "runtime/qt/font_setup.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QApplication;
class QWidget;

namespace rt {

class OptionGroup;

// The form as a Qt Widgets window: one widget per control, in the form's
// row order, which is also the tab order.
class QtBackend final : public Backend {
public:
    // Connects to the display as the program titled `title`, which desktops
    // know by desktop_id; or uses the process's application where it has one.
    explicit QtBackend(std::string_view title = {}, std::string_view desktop_id = {});
    ~QtBackend() override;

    void create(FormReports& form) override;
    void show() override;
    int run() override;
    void set_text(Row row, std::string_view text) override;
    void set_value(Row row, std::int16_t value) override;
    void set_visible(Row row, bool visible) override;
    std::optional<Row> focus() const override;
    void set_focus(Row row) override;
    void announce(Row row, std::string_view text) override;
    void report_error(std::string_view title, std::string_view report) override;
    void end(int status) override;

    QWidget* window() const { return m_window.get(); }
    QWidget* widget(Row row) const { return m_widgets.at(row); }

private:
    QWidget* create_control(Row row);
    QWidget* parent_of(Row row);

    FontSetup m_fonts; // first: it works while the application connects to the display
    std::unique_ptr<QApplication> m_application; // only when the process had none
    std::string m_desktop_id;
    std::unique_ptr<QWidget> m_frame; // holds m_window where the platform needs a frame of ours
    std::unique_ptr<QWidget> m_window;
    std::vector<QWidget*> m_widgets;
    OptionGroup* m_options = nullptr; // the option buttons' parent, made with the first of them
    FormReports* m_form = nullptr;
};

} // namespace rt
