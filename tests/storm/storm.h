#pragma once

// Random storms of user actions against a window, each action checked
// against the model: the seed makes a storm repeatable, and a divergence is
// shrunk to the shortest sequence of actions that still shows it.

#include "runtime/form.h"
#include "tests/probe/window_probe.h"
#include "tests/storm/model.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace storm {

// What the window shows after an action.
struct Observation {
    int chosen = 0;           // 0 none, 1 bad news, 2 good news
    bool both_chosen = false; // the option buttons are one group
    std::array<bool, titles> shown{};
    std::array<std::int16_t, titles> value{};
    std::string text;         // the runtime's Text, with CR LF
    std::string window_text;  // what the window shows, LF only
    std::optional<int> focus; // a Target, or none
};

// Sends a person's actions to one backend's window through its probe, by the
// model's targets, and reads back what the window shows.
class Driver {
public:
    // Opens definition in the probe's window.
    Driver(std::unique_ptr<probe::WindowProbe> probe, const rt::FormDefinition& definition);

    // A click at the middle of the target's place in the window.
    void click(int target);
    void key(Key key) { m_probe->press(key); }
    // Typing into whatever has the focus.
    void type(const std::string& text) { m_probe->type(text); }
    // An assistive tool's action on the target's control.
    void act(int target);
    // Whether that action moves the focus on this platform.
    ActionFocus action_focus() const;

    Observation observe();
    // Ticks or unticks a title from code, hidden or not.
    void set_tick(int title, bool ticked);

    rt::Form& form() { return *m_form; }

private:
    std::unique_ptr<probe::WindowProbe> m_probe;
    rt::Form* m_form;
};

using DriverFactory = std::function<std::unique_ptr<Driver>()>;

// A driver of this test program's backend, on a window of definition.
DriverFactory driver_of(const rt::FormDefinition& definition);

// The form's control for a target, and back.
std::optional<rt::Row> row_of(const rt::Form& form, int target);
std::optional<int> target_of(const rt::Form& form, rt::Row row);

struct Report {
    std::uint64_t seed = 0;
    std::size_t actions = 0; // sent; a divergence shows after the last
    std::size_t divergences = 0;
    std::string difference;
    std::vector<Action> shortest;
    std::map<std::string, std::size_t> counts; // per kind of action
};

// The next action of a storm.
Action random_storm_action(std::mt19937_64& random);

// The action that one byte stands for, for the fuzzer: a click or an
// assistive action on each target, each key, or typing.
Action decode_action(unsigned char byte);

// Sends one action to the window.
void send(Driver& driver, const Action& action);

// count random actions from seed, the window checked as it opens and after
// each, stopping at the first divergence, which is then shrunk.
Report run_storm(const DriverFactory& make, std::uint64_t seed, std::size_t count);

// The first difference between window and model over actions, if any.
std::optional<std::string> replay(const DriverFactory& make, const std::vector<Action>& actions);

// The model's verdict on one observation: empty when they agree.
std::string compare(const Model& model, const Observation& seen);

std::string to_string(const Report& report);

// Chooses a kind (0 none), ticks titles from code by the bits of ticks, and
// presses "Изведи": the difference between window and model, or empty.
std::string summary_difference(Driver& driver, Model& model, int chosen, unsigned ticks);

// summary_difference for rounds of random choices and ticks on one window.
std::string random_summaries_difference(Driver& driver, std::uint64_t seed, int rounds);

// The model of the window as it opens.
Model start_model(ActionFocus action_focus = ActionFocus::Stays);

// How many actions a storm sends: QUENLOR_STORM_ACTIONS, or the default.
std::size_t storm_actions(std::size_t default_count);

// The seed of a storm: QUENLOR_STORM_SEED, to repeat one that failed, or
// the default.
std::uint64_t storm_seed(std::uint64_t default_seed = 20261208);

} // namespace storm
