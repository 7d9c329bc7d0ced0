// Coverage-guided fuzzing of the form in the in-memory window: the input's
// bytes are a sequence of user actions, and the model is the oracle.

#include "form/quenlor_form.h"
#include "tests/storm/storm.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    storm::Driver driver(probe::make_probe(), quenlor::form());
    storm::Model model = storm::start_model(driver.action_focus());
    for (std::size_t i = 0; i < size; ++i) {
        const storm::Action action = storm::decode_action(data[i]);
        storm::send(driver, action);
        model.apply(action);
        const std::string difference = storm::compare(model, driver.observe());
        if (!difference.empty()) {
            std::fprintf(stderr, "divergence after action %zu (%s): %s\n", i,
                         storm::describe(action).c_str(), difference.c_str());
            std::abort();
        }
    }
    return 0;
}
