#pragma once

// What a person sees of the news selection window, written from the rules of
// the program alone: which kind of news is chosen, which titles are shown
// and ticked, what the text box says, and which control has the focus. It
// shares no code with the program.

#include "tests/probe/keys.h"

#include <array>
#include <string>

namespace storm {

// The window's controls, numbered in tab order, then the heading.
enum Target : int {
    TextBox = 0,
    BadNews = 1,
    GoodNews = 2,
    Show = 3,
    Clear = 4,
    FirstBadTitle = 5,   // 5 to 10
    FirstGoodTitle = 11, // 11 to 17
    Heading = 18,
};
inline constexpr int target_count = 19;
inline constexpr int bad_titles = 6;
inline constexpr int good_titles = 7;
inline constexpr int titles = bad_titles + good_titles;

using probe::Key;

// What the person does: a click at a control's place, a key, typing, or an
// assistive tool's action on a control (toggle a box or option, press a
// command), which a screen reader or switch tool sends without the mouse.
struct Action {
    enum class Kind { Click, Key, Type, Act } kind;
    int target = 0; // for a click or an action
    Key key = Key::Tab;
};

// Whether an assistive tool's action moves the focus to its control, as the
// platform's own convention has it.
enum class ActionFocus { Stays, Moves };

std::string describe(const Action& action);

class Model {
public:
    explicit Model(std::string start_text, ActionFocus action_focus = ActionFocus::Stays);

    void apply(const Action& action);

    // 0 none, 1 bad news, 2 good news.
    int chosen() const { return m_chosen; }
    bool shown(int title) const; // title 0..12: bad titles, then good
    bool ticked(int title) const { return m_ticked[static_cast<std::size_t>(title)]; }
    const std::string& text() const { return m_text; }
    int focus() const { return m_focus; }

    // Both headings, each followed by its group's ticked titles.
    std::string summary() const;

    void tick(int title, bool ticked) { m_ticked[static_cast<std::size_t>(title)] = ticked; }
    void choose(int kind) { m_chosen = kind; }
    void press(int command);

private:
    bool can_focus(int target) const;
    void click(int target);
    void act(int target);
    void key(Key key);
    void activate(int target);

    int m_chosen = 0;
    std::array<bool, titles> m_ticked{};
    std::string m_text;
    int m_focus = TextBox;
    ActionFocus m_action_focus;
};

} // namespace storm
