#include "runtime/web/web_backend.h"

#include "runtime/check_mark.h"
#include "runtime/form_reports.h"
#include "runtime/web/keys.h"
#include "runtime/web/web_window.h"
#include "runtime/web/window_markup.h"

#include <emscripten.h>

namespace rt {

namespace {

WebBackend* current_window = nullptr;

} // namespace

std::unique_ptr<Backend> make_backend(const Project&) {
    return std::make_unique<WebBackend>();
}

WebBackend::WebBackend() {
    current_window = this;
}

WebBackend::~WebBackend() {
    if (current_window != this) return;
    web::remove_window();
    current_window = nullptr;
}

WebBackend* WebBackend::current() {
    return current_window;
}

void WebBackend::create(FormReports& form) {
    m_form = &form;
    web::make_window(web::window_markup(form, false), form.definition().window.caption);
    // The markup shows every control's state but a check box's grey. The
    // page's own window shows the state after Form_Load, which the build
    // reached by the same steps that Form_Load now takes: where the two
    // differ until then, Form_Load writes the control, before the browser
    // paints again.
    for (Row row = 0; row < form.size(); ++row)
        if (mark_of(form.state(row).value) == Mark::Mixed) set_value(row, form.state(row).value);
}

void WebBackend::show() {
    web::show_window();
}

// The browser runs the page's event loop, after start() has returned: what
// is left is what the person did to the page's window before the program
// took it, reported as the window now shows it, presses last.
int WebBackend::run() {
    for (std::size_t i = 0; i < web::early_input_count() && !m_end_status; ++i) {
        const web::EarlyInput input = web::take_early_input(i);
        const ControlKind kind = m_form->control(input.row).kind;
        if (input.press)
            pressed(input.row);
        else if (kind == ControlKind::CheckBox || kind == ControlKind::OptionButton)
            m_form->user_set_mark(input.row, web::mark(input.row));
        else
            changed(input.row);
    }
    return 0;
}

bool WebBackend::outlives_start() const {
    return true;
}

std::optional<Row> WebBackend::focus() const {
    return web::focus();
}

void WebBackend::set_focus(Row row) {
    web::set_focus(row);
}

void WebBackend::set_text(Row row, std::string_view text) {
    web::set_text(row, text);
}

void WebBackend::set_value(Row row, std::int16_t value) {
    if (m_form->control(row).kind == ControlKind::OptionButton ||
        m_form->control(row).kind == ControlKind::CheckBox)
        web::set_value(row, value);
}

void WebBackend::set_visible(Row row, bool visible) {
    web::set_visible(row, visible);
}

// The window has one live region, whichever control's text is said.
void WebBackend::announce(Row, std::string_view text) {
    web::announce(text);
}

// The report also reaches the console: the runtime writes it to standard
// error, which the page prints there.
void WebBackend::report_error(std::string_view title, std::string_view report) {
    web::show_message(title, report);
}

void WebBackend::end(int status) {
    web::hide_window();
    m_end_status = status;
}

void WebBackend::changed(Row row) {
    if (m_form->control(row).kind == ControlKind::TextBox)
        m_form->user_set_text(row, web::text(row));
}

void WebBackend::clicked(Row row) {
    m_form->user_clicked(row);
}

void WebBackend::pressed(Row row) {
    m_form->user_pressed(row);
}

KeyAnswer WebBackend::answer_key(Row row, Key key, bool repeat) const {
    if (m_end_status) return {};
    return ::rt::answer_key(*m_form, row, key, repeat);
}

void WebBackend::activate(Row row) {
    if (!m_end_status) ::rt::activate(*m_form, row);
}

} // namespace rt

// What the page's event listeners call.
extern "C" {

EMSCRIPTEN_KEEPALIVE void quenlor_changed(int row) {
    if (rt::WebBackend* window = rt::WebBackend::current())
        window->changed(static_cast<rt::Row>(row));
}

EMSCRIPTEN_KEEPALIVE void quenlor_clicked(int row) {
    if (rt::WebBackend* window = rt::WebBackend::current())
        window->clicked(static_cast<rt::Row>(row));
}

EMSCRIPTEN_KEEPALIVE void quenlor_pressed(int row) {
    if (rt::WebBackend* window = rt::WebBackend::current())
        window->pressed(static_cast<rt::Row>(row));
}

// The answer to a key, by its place in web::key_names(), for the page's
// listener: -2 when the text box takes it, -1 when it does nothing, else the
// row the focus goes to, twice, plus 1 when that control is then activated.
EMSCRIPTEN_KEEPALIVE int quenlor_key(int row, int key, int shift, int repeat) {
    rt::WebBackend* window = rt::WebBackend::current();
    const std::optional<rt::Key> runtime_key = rt::web::runtime_key(key, shift != 0);
    if (!window || !runtime_key) return -1;
    const rt::KeyAnswer answer =
        window->answer_key(static_cast<rt::Row>(row), *runtime_key, repeat != 0);
    if (answer.to_text_box) return -2;
    const std::optional<rt::Row> to = answer.focus ? answer.focus : answer.activate;
    if (!to) return -1;
    return static_cast<int>(*to) * 2 + (answer.activate ? 1 : 0);
}

EMSCRIPTEN_KEEPALIVE void quenlor_activate(int row) {
    if (rt::WebBackend* window = rt::WebBackend::current())
        window->activate(static_cast<rt::Row>(row));
}
}
