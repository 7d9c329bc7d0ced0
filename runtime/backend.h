#pragma once

#include "runtime/types.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

namespace rt {

class FormReports;
struct Project;

// What a toolkit does for the runtime. The runtime owns every property's
// value; a backend mirrors them in its window and reports the user's actions
// back through FormReports' user_* calls.
class Backend {
public:
    virtual ~Backend() = default;

    // Builds the window and all of its controls from the form's definition
    // and current state, without showing it.
    virtual void create(FormReports& form) = 0;
    // Shows the window. Where the focus goes is the runtime's to say.
    virtual void show() = 0;
    // Runs the event loop until the window is closed or end() is called, and
    // returns the process's exit status.
    virtual int run() = 0;
    // True where the event loop goes on after start() returns, as a browser's
    // does: run() returns at once, and the window and its form are kept.
    virtual bool outlives_start() const { return false; }

    virtual void set_text(Row row, std::string_view text) = 0;
    virtual void set_value(Row row, std::int16_t value) = 0;
    virtual void set_visible(Row row, bool visible) = 0;
    // Tells assistive technology the text of the control at row, politely:
    // after whatever it is saying, interrupting nothing, the focus left where
    // it is. The runtime calls it with what a command wrote as its result.
    virtual void announce(Row row, std::string_view text) = 0;

    // The control that has the focus in the window, if any.
    virtual std::optional<Row> focus() const = 0;
    // Gives the control at row the focus, as Tab would.
    virtual void set_focus(Row row) = 0;

    // Tells the user about a run-time error, in a message box on a desktop.
    virtual void report_error(std::string_view title, std::string_view report) = 0;
    // Takes the window down and makes run() return status.
    virtual void end(int status) = 0;
};

// The backend this executable was linked with, for the project's window.
std::unique_ptr<Backend> make_backend(const Project& project);

} // namespace rt
