#pragma once

#include "runtime/form.h"
#include "runtime/keyboard_navigation.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace contract {

// Opens a form in one backend's window, drives it as a person does (a click
// lands on whatever is visible at the control's place), and reads back what
// the window shows.
class Harness {
public:
    virtual ~Harness() = default;

    virtual rt::Form& open(const rt::FormDefinition& definition) = 0;

    // A mouse click at the middle of the control's place in the window.
    virtual void click(rt::Row row) = 0;
    // The platform's accessibility action on the control, as a screen reader
    // or switch tool calls it: toggle a check box or option button, press a
    // command button. False where the platform has no such actions.
    virtual bool act(rt::Row row) = 0;
    // Typing into the text box, which has the focus.
    virtual void type(rt::Row row, std::string_view text) = 0;
    // The platform's key for one of the runtime's keys, pressed and released
    // on whatever has the focus.
    virtual void press(rt::Key key) = 0;
    // The key held down until it repeats once, then released.
    virtual void hold(rt::Key key) = 0;
    // The control that has the focus, if any.
    virtual std::optional<rt::Row> focus() const = 0;

    virtual bool window_shown() const = 0;
    virtual bool shown(rt::Row row) const = 0;
    virtual std::int16_t shown_value(rt::Row row) const = 0;
    // The text as the window holds it, with LF line breaks.
    virtual std::string shown_text(rt::Row row) const = 0;
    // Each error message box that appeared, as "title: text".
    virtual std::vector<std::string> error_boxes() const = 0;
    // The text of each announcement that reached the platform's path for
    // screen readers since the window opened, with LF line breaks; nullopt
    // where the platform's toolkit has no such path.
    virtual std::optional<std::vector<std::string>> announcements() const = 0;
};

// The harness of the backend this test program is linked with.
std::unique_ptr<Harness> make_harness();

} // namespace contract
