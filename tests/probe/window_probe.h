#pragma once

#include "runtime/form.h"
#include "tests/probe/keys.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace probe {

// Opens a form in one backend's window, drives it as a person does (a click
// lands on whatever is visible at the control's place, a key goes to
// whatever has the focus), and reads back what the window shows. The
// contract suite and the storms both use it.
class WindowProbe {
public:
    virtual ~WindowProbe() = default;

    // The form takes name as its title for error reports; it must outlive
    // the form, as a literal does.
    virtual rt::Form& open(const rt::FormDefinition& definition, std::string_view name) = 0;

    // A mouse click at the middle of the control's place in the window.
    virtual void click(rt::Row row) = 0;
    // The platform's accessibility action on the control, as a screen reader
    // or switch tool calls it: toggle a check box or option button, press a
    // command button.
    virtual void act(rt::Row row) = 0;
    // Whether that action gives the control the focus on this platform.
    virtual bool action_moves_focus() const { return false; }
    // Typing into whatever has the focus.
    virtual void type(std::string_view text) = 0;
    virtual void press(Key key) = 0;
    // The key held down until it repeats once, then released.
    virtual void hold(Key key) = 0;
    // The control that has the focus, if any.
    virtual std::optional<rt::Row> focus() const = 0;

    virtual bool window_shown() const = 0;
    virtual bool shown(rt::Row row) const = 0;
    // An option button's is True or False.
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

// The probe of the backend this test program is linked with.
std::unique_ptr<WindowProbe> make_probe();

} // namespace probe
