#include "runtime/web/web_window.h"

#include "runtime/check_mark.h"
#include "runtime/line_breaks.h"
#include "runtime/web/keys.h"

// The page's side, in web_window.js (linked with --js-library); this file
// only marshals the calls.
extern "C" {
void quenlor_make_window(const char* markup, const char* caption, const char* key_names);
int quenlor_early_input_count();
int quenlor_take_early_input(int i);
void quenlor_show_window();
int quenlor_focus();
void quenlor_set_focus(int row);
void quenlor_hide_window();
void quenlor_remove_window();
void quenlor_set_text(int row, const char* text, int length);
void quenlor_set_mark(int row, int checked, int indeterminate);
void quenlor_set_visible(int row, int visible);
void quenlor_announce(const char* text, int length);
int quenlor_checked(int row);
int quenlor_text_size(int row);
void quenlor_copy_text(int row, char* buffer, int size);
void quenlor_show_message(const char* title, int title_length, const char* text, int text_length);
}

namespace rt::web {

void make_window(std::string_view markup, std::string_view caption) {
    quenlor_make_window(std::string(markup).c_str(), std::string(caption).c_str(),
                        std::string(key_names()).c_str());
}

std::size_t early_input_count() {
    return static_cast<std::size_t>(quenlor_early_input_count());
}

EarlyInput take_early_input(std::size_t i) {
    const int taken = quenlor_take_early_input(static_cast<int>(i));
    if (taken < 0) return {static_cast<Row>(-1 - taken), true};
    return {static_cast<Row>(taken), false};
}

void show_window() {
    quenlor_show_window();
}

std::optional<Row> focus() {
    const int row = quenlor_focus();
    if (row < 0) return std::nullopt;
    return static_cast<Row>(row);
}

void set_focus(Row row) {
    quenlor_set_focus(static_cast<int>(row));
}

void hide_window() {
    quenlor_hide_window();
}

void remove_window() {
    quenlor_remove_window();
}

void set_text(Row row, std::string_view text) {
    const std::string shown = lf_only(text);
    quenlor_set_text(static_cast<int>(row), shown.data(), static_cast<int>(shown.size()));
}

// A grayed check box is indeterminate in the page, and not checked.
void set_value(Row row, std::int16_t value) {
    const Mark mark = mark_of(value);
    quenlor_set_mark(static_cast<int>(row), mark == Mark::Set ? 1 : 0, mark == Mark::Mixed ? 1 : 0);
}

void set_visible(Row row, bool visible) {
    quenlor_set_visible(static_cast<int>(row), visible ? 1 : 0);
}

void announce(std::string_view text) {
    const std::string said = lf_only(text);
    quenlor_announce(said.data(), static_cast<int>(said.size()));
}

Mark mark(Row row) {
    return quenlor_checked(static_cast<int>(row)) != 0 ? Mark::Set : Mark::Clear;
}

std::string text(Row row) {
    const int size = quenlor_text_size(static_cast<int>(row));
    std::string value(static_cast<std::size_t>(size) + 1, '\0');
    quenlor_copy_text(static_cast<int>(row), value.data(), size + 1);
    value.resize(static_cast<std::size_t>(size));
    return cr_lf(value);
}

void show_message(std::string_view title, std::string_view text) {
    quenlor_show_message(title.data(), static_cast<int>(title.size()), text.data(),
                         static_cast<int>(text.size()));
}

} // namespace rt::web
