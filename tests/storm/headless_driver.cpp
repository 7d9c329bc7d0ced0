#include "tests/storm/headless_driver.h"

namespace storm {

HeadlessDriver::HeadlessDriver(const rt::FormDefinition& definition)
    : m_form(definition, m_window, "Quenlor") {
    m_form.open();
}

void HeadlessDriver::click(int target) {
    m_window.click(*row_of(m_form, target));
}

void HeadlessDriver::act(int target) {
    m_window.act(*row_of(m_form, target));
}

void HeadlessDriver::key(Key key) {
    using Window = rt::HeadlessBackend::Key;
    static constexpr Window keys[] = {Window::Tab,       Window::BackTab, Window::Space,
                                      Window::Enter,     Window::Escape,  Window::Delete,
                                      Window::Backspace, Window::Paste,   Window::Cut};
    m_window.press(keys[static_cast<int>(key)]);
}

} // namespace storm
