// Typing one character into an edit on a window of twenty controls, through
// the message loop up to the presented picture, against repainting that
// whole window. Typing should repaint only the edit: a tenth of the full
// repaint at most.
#include <benchmark/benchmark.h>

#include <string>

#include "WindowRepaint.h"
#include "platform/window/Window.h"

namespace {

using namespace platform;

void BM_Edit_TypeChar(benchmark::State& state) {
  bench::DialogWindow form;
  int typed = 0;
  for (auto _ : state) {
    form.screen->KeyPress('A');
    form.screen->Pump();
    if (++typed == 20) {
      state.PauseTiming();
      SetWindowText(form.edit, "");
      form.screen->Pump();
      typed = 0;
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_Edit_TypeChar)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_Window_FullRepaint(benchmark::State& state) {
  bench::RunFullRepaint(state);
}
BENCHMARK(BM_Window_FullRepaint)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
