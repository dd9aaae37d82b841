// A skinned list box of 1,000 competitors on a skinned form, scrolled by one
// row and repainted through the message loop, against the peer: the full
// repaint of a dialog of twenty standard controls. Scrolling should cost at
// most a tenth of the peer.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "WindowRepaint.h"
#include "component/Reader.h"
#include "platform/controls/Controls.h"
#include "platform/testing/HeadlessScreen.h"
#include "skin/Registration.h"
#include "skin/controls/SkinListBox.h"
#include "skin/data/SkinData.h"
#include "skin/frame/SkinProvider.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Registration.h"

namespace {

namespace p = platform;

void BM_SkinListBox_Scroll(benchmark::State& state) {
  p::HeadlessScreen& screen = p::UseHeadlessScreen();
  toolkit::RegisterToolkitClasses();
  skin::RegisterSkinClasses();
  auto app = std::make_unique<toolkit::TApplication>();
  std::ifstream in(SKIN_LISTBOX_BENCH_HOLDER, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  auto holder = std::make_unique<component::TComponent>(nullptr);
  component::ReadDescription(*holder, text, "Holder.sdesc");
  if (skin::ActiveSkin().Sections.empty()) {
    state.SkipWithError("the stored skin did not load");
    return;
  }
  auto* form = new toolkit::TForm(app.get());
  form->SetBounds(200, 150, 534, 384);
  new skin::TSkinProvider(form);
  auto* list = new skin::TSkinListBox(form);
  list->SetParent(form);
  list->SetBounds(4, 36, 197, 237);
  list->SetItemHeight(16);
  list->SkinData()->SetSkinSection("EDIT");
  for (int i = 0; i < 1000; ++i)
    list->Items()->Add("Rex " + std::to_string(i) + " (Malenko, Boris)");
  form->Show();
  screen.Pump();
  const p::HWND h = list->Handle();
  for (auto _ : state) {
    if (list->TopIndex() >= 1000 - 14) p::SendMessage(h, p::LB_SETTOPINDEX, 0, 0);
    p::SendMessage(h, p::WM_VSCROLL, p::SB_LINEDOWN, 0);
    screen.Pump();
  }
  delete form;
  holder.reset();
  app.reset();
  skin::GlobalSkin().Tables.Clear();
}
BENCHMARK(BM_SkinListBox_Scroll)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_Window_FullRepaint(benchmark::State& state) {
  bench::RunFullRepaint(state);
}
BENCHMARK(BM_Window_FullRepaint)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
