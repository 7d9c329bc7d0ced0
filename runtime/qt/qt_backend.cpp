#include "runtime/qt/qt_backend.h"

#include "runtime/check_mark.h"
#include "runtime/form_reports.h"
#include "runtime/keyboard_navigation.h"
#include "runtime/line_breaks.h"
#include "runtime/qt/check_box.h"
#include "runtime/qt/display_connection.h"
#include "runtime/qt/graphical_button.h"
#include "runtime/qt/option_button.h"
#include "runtime/qt/option_group.h"
#include "runtime/qt/qt_window.h"
#include "runtime/qt/refused_states.h"
#include "runtime/qt/text_box.h"
#include "runtime/qt/wayland_frame.h"
#include "runtime/qt/window_class.h"

#include <QAccessible>
#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>

namespace rt {

namespace {

QString to_qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString to_qt_lines(std::string_view text) {
    return to_qt(lf_only(text));
}

// Buttons take "&" as the mark of an access key; a caption has none.
QString button_caption(std::string_view text) {
    return to_qt(text).replace(u'&', QStringLiteral("&&"));
}

QColor to_qt(Colour colour) {
    return QColor(colour.red(), colour.green(), colour.blue());
}

QRect to_qt(const PixelRect& r) {
    return QRect(r.left, r.top, r.width, r.height);
}

// Fills the widget's whole rectangle with its back colour, and draws its text
// in the colour chosen for it: the theme's text colour belongs with the
// theme's background, and on a fixed one it may be unreadable.
void fill_background(QWidget* widget, std::optional<Colour> colour) {
    if (!colour) return;
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, to_qt(*colour));
    palette.setColor(QPalette::WindowText, to_qt(text_on_back_colour));
    widget->setPalette(palette);
    widget->setBackgroundRole(QPalette::Window);
    widget->setAutoFillBackground(true);
}

// An option button's or check box's row in a back colour of its own. Some
// styles draw the caption in the colour of the text in a box, not in the
// window's text colour, so the mark's box takes the light pair that the
// back colour was chosen with as well.
void fill_button_row(QWidget* widget, std::optional<Colour> colour) {
    if (!colour) return;
    fill_background(widget, colour);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, to_qt(box_on_back_colour));
    palette.setColor(QPalette::Text, to_qt(text_on_back_colour));
    widget->setPalette(palette);
}

Qt::Alignment to_qt(Alignment alignment) {
    switch (alignment) {
    case Alignment::Left:
        return Qt::AlignLeft | Qt::AlignTop;
    case Alignment::Centre:
        return Qt::AlignHCenter | Qt::AlignTop;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

// The mark of a check box or option button as Qt shows it.
Qt::CheckState check_state(std::int16_t value) {
    switch (mark_of(value)) {
    case Mark::Set:
        return Qt::Checked;
    case Mark::Mixed:
        return Qt::PartiallyChecked;
    case Mark::Clear:
        break;
    }
    return Qt::Unchecked;
}

// `family` is the installed family that draws the definition's face.
QFont to_qt(const FontDefinition& definition, std::string_view family) {
    QFont font(to_qt(family));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(points_to_pixels(definition.points, standard_dpi));
    font.setWeight(static_cast<QFont::Weight>(definition.weight));
    return font;
}

} // namespace

std::unique_ptr<Backend> make_backend(const Project& project) {
    return std::make_unique<QtBackend>(project.title, project.desktop_id);
}

QtBackend::QtBackend(std::string_view title, std::string_view desktop_id)
    : m_desktop_id(desktop_id) {
    if (QApplication::instance()) return;
    m_application = connect_to_display(title, desktop_id);
}

QtBackend::~QtBackend() {
    m_window.reset();
    m_frame.reset();
    m_application.reset();
}

void QtBackend::create(FormReports& form) {
    m_form = &form;
    const WindowDefinition& definition = form.definition().window;

    const Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                  Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    QtWindow::expose_as_window();
    auto window = std::make_unique<QtWindow>(flags, form, m_widgets);
    QtWindow& keys = *window;
    m_window = std::move(window);
    m_window->setWindowTitle(to_qt(definition.caption));
    if (!definition.icon.path.empty()) m_window->setWindowIcon(QIcon(to_qt(definition.icon.path)));
    // Where the named face is missing, fontconfig's stand-in for it (its
    // metric twin) draws the text.
    m_window->setFont(to_qt(definition.font, m_fonts.installed_family(definition.font.name)));
    fill_background(m_window.get(), definition.back_colour);
    const QSize client(to_pixels(definition.client_width, standard_dpi),
                       to_pixels(definition.client_height, standard_dpi));
    m_window->setFixedSize(client);
    m_frame = make_frame(*m_window, to_qt(definition.close_box_name));
    refuse_maximised_and_full_screen(*m_window->window());

    m_widgets.clear();
    m_options = nullptr;
    for (Row row = 0; row < form.size(); ++row) {
        QWidget* widget = create_control(row);
        const ControlDefinition& control = form.control(row);
        widget->setGeometry(to_qt(to_pixels(control.rect, standard_dpi)));
        widget->setVisible(form.state(row).visible);
        keys.take_keys_of(*widget);
        if (!control.accessible_name.empty())
            widget->setAccessibleName(to_qt(control.accessible_name));
        if (!definition.heading.empty() && control.array == definition.heading)
            m_window->window()->setAccessibleDescription(to_qt(form.state(row).text));
        m_widgets.push_back(widget);
    }
}

// The option buttons of a form are one group, named by the window's heading.
QWidget* QtBackend::parent_of(Row row) {
    if (m_form->control(row).kind != ControlKind::OptionButton) return m_window.get();
    if (m_options) return m_options;
    std::vector<QRect> places;
    QString name;
    const std::string_view heading = m_form->definition().window.heading;
    for (Row other = 0; other < m_form->size(); ++other) {
        const ControlDefinition& control = m_form->control(other);
        if (control.kind == ControlKind::OptionButton)
            places.push_back(to_qt(to_pixels(control.rect, standard_dpi)));
        if (!heading.empty() && control.array == heading) name = to_qt(m_form->state(other).text);
    }
    OptionGroup::expose_as_group();
    m_options = new OptionGroup(*m_window, places, name);
    return m_options;
}

QWidget* QtBackend::create_control(Row row) {
    const ControlDefinition& control = m_form->control(row);
    const ControlState& state = m_form->state(row);
    QWidget* parent = parent_of(row);
    switch (control.kind) {
    case ControlKind::Label: {
        auto* label = new QLabel(to_qt(state.text), parent);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(to_qt(control.alignment));
        fill_background(label, control.back_colour);
        return label;
    }
    case ControlKind::OptionButton: {
        auto* option = new OptionButton(button_caption(state.text), parent);
        option->setChecked(check_state(state.value) == Qt::Checked);
        fill_button_row(option, control.back_colour);
        // An option chosen by anyone but the runtime was clicked, or toggled
        // by an assistive tool; the runtime decides what it makes of it. Qt
        // clears an option only as it chooses another, which is reported.
        QObject::connect(option, &QRadioButton::toggled, option, [this, row](bool chosen) {
            if (chosen) m_form->user_clicked(row);
        });
        return option;
    }
    case ControlKind::CheckBox: {
        auto* box = new CheckBox(button_caption(state.text), parent);
        box->setCheckState(check_state(state.value));
        box->setTristate(false);
        fill_button_row(box, control.back_colour);
        // As for an option button: Qt's next state is not the runtime's (a
        // click takes grayed to unchecked there), and the runtime's replaces it.
        const auto report = [this, row] { m_form->user_clicked(row); };
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
        QObject::connect(box, &QCheckBox::checkStateChanged, box, report);
#else
        QObject::connect(box, &QCheckBox::stateChanged, box, report);
#endif
        return box;
    }
    case ControlKind::CommandButton: {
        QPushButton* button = nullptr;
        if (control.style == ButtonStyle::Graphical && control.back_colour)
            button = new GraphicalButton(to_qt(state.text), to_qt(*control.back_colour),
                                         to_qt(text_on_back_colour), parent);
        else
            button = new QPushButton(button_caption(state.text), parent);
        // Enter presses no button: there is no default button.
        button->setAutoDefault(false);
        button->setDefault(false);
        QObject::connect(button, &QPushButton::clicked, button,
                         [this, row] { m_form->user_pressed(row); });
        return button;
    }
    case ControlKind::TextBox: {
        auto* box = new TextBox(parent);
        box->set_lines(to_qt_lines(state.text));
        box->setLineWrapMode(QTextEdit::WidgetWidth);
        box->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        box->setVerticalScrollBarPolicy(control.scroll_bars == ScrollBars::Vertical
                                            ? Qt::ScrollBarAlwaysOn
                                            : Qt::ScrollBarAlwaysOff);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setTabChangesFocus(true);
        if (control.locked) {
            // Locked: the text can be selected and copied, never changed.
            box->setReadOnly(true);
            box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
            box->setAcceptDrops(false);
        }
        QObject::connect(box, &QTextEdit::textChanged, box, [this, row, box] {
            m_form->user_set_text(row, cr_lf(box->toPlainText().toStdString()));
        });
        box->setFocusPolicy(Qt::StrongFocus);
        return box;
    }
    }
    return new QWidget(parent);
}

void QtBackend::show() {
    m_window->show();
    QWidget* top = m_window->window(); // the frame, where there is one
    set_window_class(*top, m_desktop_id);
    top->show();
    top->activateWindow();
}

int QtBackend::run() {
    return QApplication::exec();
}

void QtBackend::set_text(Row row, std::string_view text) {
    QWidget* widget = m_widgets.at(row);
    auto* box = dynamic_cast<TextBox*>(widget);
    const QString lines = to_qt_lines(text);
    // What the user typed comes back here: leave it and its cursor alone.
    if (!box || box->toPlainText() == lines) return;
    const QSignalBlocker blocker(box);
    box->set_lines(lines);
}

void QtBackend::set_value(Row row, std::int16_t value) {
    QWidget* widget = m_widgets.at(row);
    const QSignalBlocker blocker(widget);
    if (auto* box = qobject_cast<QCheckBox*>(widget))
        box->setCheckState(check_state(value));
    else if (auto* option = qobject_cast<QRadioButton*>(widget)) {
        // An exclusive button cannot be unchecked on its own. Exclusive, it
        // is a radio button to assistive technology.
        option->setAutoExclusive(false);
        option->setChecked(check_state(value) == Qt::Checked);
        option->setAutoExclusive(true);
    }
}

void QtBackend::set_visible(Row row, bool visible) {
    m_widgets.at(row)->setVisible(visible);
}

// The window's focus widget, even while another window is active.
std::optional<Row> QtBackend::focus() const {
    const auto found = std::find(m_widgets.begin(), m_widgets.end(), m_window->focusWidget());
    if (found == m_widgets.end()) return std::nullopt;
    return static_cast<Row>(found - m_widgets.begin());
}

void QtBackend::set_focus(Row row) {
    m_widgets.at(row)->setFocus(Qt::TabFocusReason);
}

// Qt hands an announcement to the platform's own path (AT-SPI's Announcement
// event on Linux) from 6.8 on. Before it there is none: a screen reader reads
// the text box's new text only when its user goes there.
void QtBackend::announce(Row row, std::string_view text) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(m_widgets.at(row), to_qt_lines(text));
    event.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
    QAccessible::updateAccessibility(&event);
#else
    (void)row;
    (void)text;
#endif
}

void QtBackend::report_error(std::string_view title, std::string_view report) {
    QWidget* parent = m_window && m_window->isVisible() ? m_window.get() : nullptr;
    QMessageBox::critical(parent, to_qt(title), to_qt(report));
}

void QtBackend::end(int status) {
    if (m_window) m_window->window()->hide();
    // Outside the event loop (Form_Load) the start routine returns the status
    // itself; an exit() there would make every later event loop return at once.
    if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(status);
}

} // namespace rt
