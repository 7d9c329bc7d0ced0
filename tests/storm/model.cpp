#include "tests/storm/model.h"

namespace storm {

namespace {

const char* const title_names[titles] = {
    "Раздяла",           "Уволнение",  "Забравен рожден ден", "Лоша оценка",
    "Лошо поведение",    "Друга лоша", "Добро отношение",     "Благоприятен изход",
    "Предстоящ празник", "Назначение", "Добра оценка",        "Отстъпка/промоция",
    "Друга добра",
};

const char* key_name(Key key) {
    switch (key) {
    case Key::Tab:
        return "Tab";
    case Key::BackTab:
        return "Shift+Tab";
    case Key::Left:
        return "Left";
    case Key::Right:
        return "Right";
    case Key::Up:
        return "Up";
    case Key::Down:
        return "Down";
    case Key::Space:
        return "Space";
    case Key::Enter:
        return "Enter";
    case Key::Escape:
        return "Escape";
    case Key::Delete:
        return "Delete";
    case Key::Backspace:
        return "Backspace";
    case Key::Paste:
        return "Ctrl+V";
    case Key::Cut:
        return "Ctrl+X";
    }
    return "?";
}

bool is_title(int target) {
    return target >= FirstBadTitle && target < FirstBadTitle + titles;
}

} // namespace

std::string describe(const Action& action) {
    switch (action.kind) {
    case Action::Kind::Click:
        return "click " + std::to_string(action.target);
    case Action::Kind::Key:
        return key_name(action.key);
    case Action::Kind::Type:
        return "type";
    case Action::Kind::Act:
        return "act " + std::to_string(action.target);
    }
    return "?";
}

Model::Model(std::string start_text, ActionFocus action_focus)
    : m_text(std::move(start_text)), m_action_focus(action_focus) {}

bool Model::shown(int title) const {
    if (title < bad_titles) return m_chosen == 1;
    return m_chosen == 2;
}

std::string Model::summary() const {
    std::string text = "Вие избрахте: Лоша новина:\r\n";
    for (int i = 0; i < bad_titles; ++i)
        if (ticked(i)) text += std::string(title_names[i]) + ";\r\n";
    text += "Добра новина:\r\n";
    for (int i = bad_titles; i < titles; ++i)
        if (ticked(i)) text += std::string(title_names[i]) + ";\r\n";
    return text;
}

void Model::press(int command) {
    if (command == Show) {
        m_text = summary();
    } else {
        m_text = "Направете своя избор!\r\n";
        m_ticked = {};
    }
}

bool Model::can_focus(int target) const {
    if (target == Heading) return false;
    return !is_title(target) || shown(target - FirstBadTitle);
}

void Model::apply(const Action& action) {
    switch (action.kind) {
    case Action::Kind::Click:
        click(action.target);
        return;
    case Action::Kind::Key:
        key(action.key);
        return;
    case Action::Kind::Type:
        return; // the only text box is locked
    case Action::Kind::Act:
        act(action.target);
        return;
    }
}

// A click on a hidden title lands on the window's background: nothing
// happens, and the focus stays where it was.
void Model::click(int target) {
    if (!can_focus(target)) return;
    m_focus = target;
    activate(target);
}

// The heading and the text box have no action; a hidden title cannot be
// reached. Otherwise an action does what a click does.
void Model::act(int target) {
    if (target == Heading || target == TextBox || !can_focus(target)) return;
    if (m_action_focus == ActionFocus::Moves) m_focus = target;
    activate(target);
}

// An arrow on "Лоша новина" or "Добра новина" chooses the other one, the
// only other option; on a title or a command it steps as Tab or Shift+Tab
// does; in the text box it only moves the caret.
void Model::key(Key key) {
    const bool forward = key == Key::Tab || key == Key::Right || key == Key::Down;
    const bool arrow = key == Key::Left || key == Key::Right || key == Key::Up || key == Key::Down;
    if (arrow && (m_focus == BadNews || m_focus == GoodNews)) {
        m_focus = m_focus == BadNews ? GoodNews : BadNews;
        activate(m_focus);
    } else if (key == Key::Tab || key == Key::BackTab || (arrow && m_focus != TextBox)) {
        const int step = forward ? 1 : Heading - 1;
        int next = m_focus;
        do next = (next + step) % Heading;
        while (!can_focus(next));
        m_focus = next;
    } else if (key == Key::Space) {
        activate(m_focus);
    }
    // Enter and Escape press nothing; editing keys cannot change the locked
    // text box, and do nothing to buttons.
}

// A title hidden while it has the focus gives the focus on in tab order; the
// titles after it are hidden too, so it comes round to the text box.
void Model::activate(int target) {
    if (target == BadNews) m_chosen = 1;
    if (target == GoodNews) m_chosen = 2;
    if (is_title(m_focus) && !shown(m_focus - FirstBadTitle)) m_focus = TextBox;
    if (target == Show || target == Clear) press(target);
    if (is_title(target)) tick(target - FirstBadTitle, !ticked(target - FirstBadTitle));
}

} // namespace storm
