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

// The in-memory window's keys are the runtime's; the editing keys have no
// meaning in it, as it keeps no caret, selection or clipboard.
void HeadlessDriver::key(Key key) {
    using Window = rt::Key;
    static constexpr std::optional<Window> keys[] = {
        Window::Tab,   Window::BackTab, Window::Space, Window::Enter, Window::Escape,
        std::nullopt,  std::nullopt,    std::nullopt,  std::nullopt,  Window::Left,
        Window::Right, Window::Up,      Window::Down};
    if (const std::optional<Window> pressed = keys[static_cast<int>(key)]) m_window.press(*pressed);
}

} // namespace storm
