#include "tests/storm/storm.h"

#include "form/exercise_statement.h"
#include "tests/line_breaks.h"

#include <cstdlib>
#include <random>
#include <sstream>

namespace storm {

namespace {

struct Place {
    const char* array;
    rt::Index index;
};

Place place_of(int target) {
    if (target == TextBox) return {"Text1", 0};
    if (target == BadNews || target == GoodNews)
        return {"Option1", static_cast<rt::Index>(target - BadNews)};
    if (target == Show || target == Clear)
        return {"Command1", static_cast<rt::Index>(target - Show)};
    if (target == Heading) return {"Label1", 0};
    if (target < FirstGoodTitle) return {"Check1", static_cast<rt::Index>(target - FirstBadTitle)};
    return {"Check2", static_cast<rt::Index>(target - FirstGoodTitle)};
}

constexpr Key keys[] = {Key::Tab,    Key::BackTab,   Key::Space, Key::Enter, Key::Escape,
                        Key::Delete, Key::Backspace, Key::Paste, Key::Cut,   Key::Left,
                        Key::Right,  Key::Up,        Key::Down};

// Shrinks a failing sequence by dropping ever smaller runs of actions while
// it still fails, within a bounded number of replays.
std::vector<Action> shrink(const DriverFactory& make, std::vector<Action> actions) {
    int replays = 0;
    for (std::size_t run = actions.size() / 2; run >= 1; run /= 2) {
        for (std::size_t at = 0; at + run <= actions.size() && replays < 400;) {
            std::vector<Action> shorter(actions.begin(), actions.begin() + long(at));
            shorter.insert(shorter.end(), actions.begin() + long(at + run), actions.end());
            ++replays;
            if (replay(make, shorter))
                actions = std::move(shorter);
            else
                at += run;
        }
    }
    return actions;
}

} // namespace

// Two actions in three are clicks, as a person mostly uses the mouse here.
Action random_storm_action(std::mt19937_64& random) {
    const std::uint64_t roll = random() % 30;
    if (roll < 20) return {Action::Kind::Click, static_cast<int>(random() % target_count)};
    if (roll < 28) return {Action::Kind::Key, 0, keys[random() % std::size(keys)]};
    if (roll < 29) return {Action::Kind::Act, static_cast<int>(random() % target_count)};
    return {Action::Kind::Type};
}

Action decode_action(unsigned char byte) {
    constexpr int key_count = int(std::size(keys));
    const int code = byte % (2 * target_count + key_count + 1);
    if (code < target_count) return {Action::Kind::Click, code};
    if (code < target_count + key_count) return {Action::Kind::Key, 0, keys[code - target_count]};
    if (code < 2 * target_count + key_count)
        return {Action::Kind::Act, code - target_count - key_count};
    return {Action::Kind::Type};
}

void send(Driver& driver, const Action& action) {
    switch (action.kind) {
    case Action::Kind::Click:
        driver.click(action.target);
        break;
    case Action::Kind::Key:
        driver.key(action.key);
        break;
    case Action::Kind::Type:
        driver.type("xy");
        break;
    case Action::Kind::Act:
        driver.act(action.target);
        break;
    }
}

std::size_t storm_actions(std::size_t default_count) {
    const char* given = std::getenv("QUENLOR_STORM_ACTIONS");
    return given ? std::strtoull(given, nullptr, 10) : default_count;
}

std::uint64_t storm_seed(std::uint64_t default_seed) {
    const char* given = std::getenv("QUENLOR_STORM_SEED");
    return given ? std::strtoull(given, nullptr, 10) : default_seed;
}

Model start_model(ActionFocus action_focus) {
    return Model(std::string(quenlor::exercise_statement), action_focus);
}

std::optional<rt::Row> row_of(const rt::Form& form, int target) {
    const Place place = place_of(target);
    return form.find(place.array, place.index);
}

std::optional<int> target_of(const rt::Form& form, rt::Row row) {
    for (int target = 0; target < target_count; ++target)
        if (row_of(form, target) == row) return target;
    return std::nullopt;
}

Driver::Driver(std::unique_ptr<probe::WindowProbe> probe, const rt::FormDefinition& definition)
    : m_probe(std::move(probe)), m_form(&m_probe->open(definition, "Quenlor")) {}

DriverFactory driver_of(const rt::FormDefinition& definition) {
    return [&definition] { return std::make_unique<Driver>(probe::make_probe(), definition); };
}

void Driver::click(int target) {
    m_probe->click(*row_of(*m_form, target));
}

void Driver::act(int target) {
    m_probe->act(*row_of(*m_form, target));
}

ActionFocus Driver::action_focus() const {
    return m_probe->action_moves_focus() ? ActionFocus::Moves : ActionFocus::Stays;
}

void Driver::set_tick(int title, bool ticked) {
    const Place place = place_of(FirstBadTitle + title);
    (*m_form)[place.array].Item(place.index).set_Value(ticked ? rt::Checked : rt::Unchecked);
}

Observation Driver::observe() {
    const rt::Form& window = *m_form;
    const probe::WindowProbe& shown = *m_probe;
    Observation seen;
    const bool bad = shown.shown_value(*row_of(window, BadNews)) != rt::False;
    const bool good = shown.shown_value(*row_of(window, GoodNews)) != rt::False;
    seen.chosen = good ? 2 : (bad ? 1 : 0);
    seen.both_chosen = bad && good;
    for (int i = 0; i < titles; ++i) {
        const rt::Row row = *row_of(window, FirstBadTitle + i);
        seen.shown[std::size_t(i)] = shown.shown(row);
        seen.value[std::size_t(i)] = shown.shown_value(row);
    }
    seen.text = (*m_form)["Text1"].Item(0).Text();
    seen.window_text = shown.shown_text(*row_of(window, TextBox));
    if (const std::optional<rt::Row> row = shown.focus()) seen.focus = target_of(window, *row);
    return seen;
}

std::string compare(const Model& model, const Observation& seen) {
    std::ostringstream out;
    if (seen.both_chosen) out << "both kinds are chosen; ";
    if (seen.chosen != model.chosen())
        out << "chosen kind " << seen.chosen << ", expected " << model.chosen() << "; ";
    for (int i = 0; i < titles; ++i) {
        if (seen.shown[std::size_t(i)] != model.shown(i))
            out << "title " << i << (model.shown(i) ? " hidden" : " shown") << "; ";
        if (seen.value[std::size_t(i)] != (model.ticked(i) ? rt::Checked : rt::Unchecked))
            out << "title " << i << " has value " << seen.value[std::size_t(i)] << "; ";
    }
    if (seen.text != model.text()) out << "text is [" << seen.text << "]; ";
    if (seen.window_text != lf_only(model.text()))
        out << "window shows [" << seen.window_text << "]; ";
    if (seen.focus != model.focus())
        out << "focus on " << (seen.focus ? std::to_string(*seen.focus) : "nothing")
            << ", expected " << model.focus() << "; ";
    return out.str();
}

std::optional<std::string> replay(const DriverFactory& make, const std::vector<Action>& actions) {
    const std::unique_ptr<Driver> driver = make();
    Model model = start_model(driver->action_focus());
    std::string difference = compare(model, driver->observe());
    for (std::size_t i = 0; difference.empty() && i < actions.size(); ++i) {
        send(*driver, actions[i]);
        model.apply(actions[i]);
        difference = compare(model, driver->observe());
    }
    if (difference.empty()) return std::nullopt;
    return difference;
}

Report run_storm(const DriverFactory& make, std::uint64_t seed, std::size_t count) {
    Report report;
    report.seed = seed;
    std::mt19937_64 random(seed);
    std::vector<Action> sent;
    const std::unique_ptr<Driver> driver = make();
    Model model = start_model(driver->action_focus());
    // The window as it opens, then after every action.
    std::string difference = compare(model, driver->observe());
    for (std::size_t i = 0; difference.empty() && i < count; ++i) {
        const Action action = random_storm_action(random);
        sent.push_back(action);
        send(*driver, action);
        model.apply(action);
        ++report.actions;
        ++report.counts[action.kind == Action::Kind::Click ? "click"
                        : action.kind == Action::Kind::Act ? "act"
                                                           : describe(action)];
        difference = compare(model, driver->observe());
    }
    if (difference.empty()) return report;
    report.divergences = 1;
    report.difference = std::move(difference);
    report.shortest = shrink(make, std::move(sent));
    return report;
}

std::string to_string(const Report& report) {
    std::ostringstream out;
    out << "seed " << report.seed << ", " << report.actions << " actions, " << report.divergences
        << " divergences";
    if (report.divergences) out << (report.actions ? ", at the last action" : ", as it opened");
    out << "\n  per action:";
    for (const auto& [kind, count] : report.counts) out << " " << kind << " " << count << ";";
    if (report.divergences) {
        out << "\n  difference: " << report.difference << "\n  shortest sequence ("
            << report.shortest.size() << "):";
        for (const Action& action : report.shortest) out << " " << describe(action) << ",";
    }
    return out.str();
}

std::string summary_difference(Driver& driver, Model& model, int chosen, unsigned ticks) {
    if (chosen) {
        const Action choose{Action::Kind::Click, chosen == 1 ? BadNews : GoodNews};
        driver.click(choose.target);
        model.apply(choose);
    }
    for (int i = 0; i < titles; ++i) {
        const bool ticked = (ticks >> i) & 1u;
        model.tick(i, ticked);
        driver.set_tick(i, ticked);
    }
    const Action show{Action::Kind::Click, Show};
    driver.click(show.target);
    model.apply(show);
    return compare(model, driver.observe());
}

std::string random_summaries_difference(Driver& driver, std::uint64_t seed, int rounds) {
    std::mt19937_64 random(seed);
    Model model = start_model();
    for (int round = 0; round < rounds; ++round) {
        const int chosen = static_cast<int>(random() % 3);
        const auto ticks = static_cast<unsigned>(random() % (1u << titles));
        std::string difference = summary_difference(driver, model, chosen, ticks);
        if (!difference.empty())
            return "ticks " + std::to_string(ticks) + ", chosen " + std::to_string(chosen) + ": " +
                   difference;
    }
    return {};
}

} // namespace storm
