// How long the form's procedures take in the in-memory window, with every
// title ticked: the summary is the longest text the program builds.

#include "form/procedures.h"
#include "form/quenlor_form.h"
#include "runtime/form.h"
#include "runtime/headless/headless_backend.h"

#include <benchmark/benchmark.h>

namespace {

void tick_everything(rt::Form& form) {
    for (rt::Index i = 0; i <= 5; ++i) form["Check1"].Item(i).set_Value(rt::Checked);
    for (rt::Index i = 0; i <= 6; ++i) form["Check2"].Item(i).set_Value(rt::Checked);
}

void summary_with_every_title_ticked(benchmark::State& state) {
    rt::HeadlessBackend window;
    rt::Form form(quenlor::form(), window, quenlor::title);
    form.open();
    tick_everything(form);
    for (auto _ : state) quenlor::Command1_Click(form, 0);
    state.SetLabel(std::to_string(form["Text1"].Item(0).Text().size()) + " bytes");
}
BENCHMARK(summary_with_every_title_ticked);

void switching_the_kind_of_news(benchmark::State& state) {
    rt::HeadlessBackend window;
    rt::Form form(quenlor::form(), window, quenlor::title);
    form.open();
    rt::Index kind = 0;
    for (auto _ : state) {
        quenlor::Option1_Click(form, kind);
        kind = static_cast<rt::Index>(1 - kind);
    }
}
BENCHMARK(switching_the_kind_of_news);

void clearing(benchmark::State& state) {
    rt::HeadlessBackend window;
    rt::Form form(quenlor::form(), window, quenlor::title);
    form.open();
    for (auto _ : state) {
        tick_everything(form);
        quenlor::Command1_Click(form, 1);
    }
}
BENCHMARK(clearing);

} // namespace

BENCHMARK_MAIN();
