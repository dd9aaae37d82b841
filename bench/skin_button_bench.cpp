// The mouse entering a 75 x 25 skinned button (stored skin, on a skinned
// form), against the platform repainting a whole dialog of twenty standard
// controls; the aim is a tenth of the dialog repaint.
// BM_SkinButton_Hover: the mouse enters, the cache is repainted in the hot
// state and the first picture of the change is on the screen. BUTTON fades,
// so that picture is the fade's first step; the later steps follow on the
// fade's timer, FadingIntervalIn apart, and BM_SkinButton_HoverWholeFade
// adds them all up for comparison. The mouse leaving again (and its fade
// out) is not timed.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "WindowRepaint.h"
#include "component/Reader.h"
#include "platform/testing/HeadlessScreen.h"
#include "skin/Registration.h"
#include "skin/controls/SkinButton.h"
#include "skin/data/SkinData.h"
#include "skin/frame/SkinProvider.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Messages.h"
#include "toolkit/Registration.h"

namespace {

namespace p = platform;

// Virtual time for the fade's ticks, until none is left.
void RunFade(p::HeadlessScreen& screen, const skin::TSkinButton& button) {
  for (int i = 0; i < 100 && button.Fading(); ++i) {
    screen.AdvanceClock(5);
    screen.Pump();
  }
}

// A skinned form with one button, the stored skin loaded.
struct HoverBench {
  p::HeadlessScreen* screen = &p::UseHeadlessScreen();
  std::unique_ptr<toolkit::TApplication> app;
  std::unique_ptr<component::TComponent> holder;
  skin::TSkinButton* button = nullptr;

  HoverBench() {
    toolkit::RegisterToolkitClasses();
    skin::RegisterSkinClasses();
    app = std::make_unique<toolkit::TApplication>();
    std::ifstream in(SKIN_CONTROLS_BENCH_HOLDER, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    holder = std::make_unique<component::TComponent>(nullptr);
    component::ReadDescription(*holder, text, "Holder.sdesc");
    auto* form = new toolkit::TForm(app.get());
    form->SetBounds(100, 100, 420, 320);
    new skin::TSkinProvider(form);
    button = new skin::TSkinButton(form);
    button->SetParent(form);
    button->SetBounds(40, 40, 75, 25);
    button->SetCaption("OK");
    button->SkinData()->SetSkinSection("BUTTON");
    form->Show();
    for (int i = 0; i < 5; ++i) screen->Pump();
  }
  ~HoverBench() {
    holder.reset();
    app.reset();
    skin::GlobalSkin().Tables.Clear();
  }
  bool Ready(benchmark::State& state) {
    if (button->Skinned()) return true;
    state.SkipWithError("the stored skin did not load");
    return false;
  }
};

void BM_SkinButton_Hover(benchmark::State& state) {
  HoverBench bench;
  if (!bench.Ready(state)) return;
  for (auto _ : state) {
    bench.button->Perform(toolkit::CM_MOUSEENTER);
    bench.screen->AdvanceClock(5);
    bench.screen->Pump();
    benchmark::DoNotOptimize(bench.button->SkinData()->CacheBitmap().Bits());
    state.PauseTiming();
    bench.button->Perform(toolkit::CM_MOUSELEAVE);
    RunFade(*bench.screen, *bench.button);
    bench.screen->Pump();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_SkinButton_Hover)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_SkinButton_HoverWholeFade(benchmark::State& state) {
  HoverBench bench;
  if (!bench.Ready(state)) return;
  for (auto _ : state) {
    bench.button->Perform(toolkit::CM_MOUSEENTER);
    RunFade(*bench.screen, *bench.button);
    bench.screen->Pump();
    benchmark::DoNotOptimize(bench.button->SkinData()->CacheBitmap().Bits());
    state.PauseTiming();
    bench.button->Perform(toolkit::CM_MOUSELEAVE);
    RunFade(*bench.screen, *bench.button);
    bench.screen->Pump();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_SkinButton_HoverWholeFade)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_Window_FullRepaint(benchmark::State& state) {
  bench::RunFullRepaint(state);
}
BENCHMARK(BM_Window_FullRepaint)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
