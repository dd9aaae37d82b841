// The console's whole skinned frame painted into its cache (799 x 448,
// active, with the stored skin: gradient, border, title, icons, menu bar
// and caption) against the platform painting the frame and client of an
// unskinned window of the same size. The skinned paint should stay within
// three times the plain one.
//
//   frame_bench HOLDER.sdesc   (the description with the stored skin)
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>

#include "component/Reader.h"
#include "platform/gdi/Gdi.h"
#include "platform/testing/HeadlessScreen.h"
#include "platform/window/Window.h"
#include "skin/Registration.h"
#include "skin/data/SkinData.h"
#include "skin/frame/FramePaint.h"
#include "toolkit/Registration.h"

namespace {

namespace p = platform;

std::string holderPath = FRAME_BENCH_HOLDER;

p::LRESULT Proc(p::HWND h, p::UINT m, p::WPARAM wp, p::LPARAM lp) {
  return p::DefWindowProc(h, m, wp, lp);
}

void BM_Frame_Repaint(benchmark::State& state) {
  p::UseHeadlessScreen();
  toolkit::RegisterToolkitClasses();
  skin::RegisterSkinClasses();
  std::ifstream in(holderPath, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  component::TComponent holder(nullptr);
  component::ReadDescription(holder, text, "Holder.sdesc");
  const skin::TSkinTables& t = skin::ActiveSkin();
  const skin::TFramePieces pieces = skin::FindFramePieces(t, "FORM");
  if (!pieces.Valid()) {
    state.SkipWithError("the stored skin did not load");
    return;
  }
  skin::TFramePaintInput input;
  input.Layout.Width = 799;
  input.Layout.Height = 448;
  input.Layout.MenuHeight = 18;
  input.MenuCaptions = {"Database"};
  input.Caption = "Sprintara";
  input.CaptionAlignment = toolkit::taCenter;
  graphics::TPixelBitmap cache;
  std::vector<std::uint32_t> strip;
  for (auto _ : state) {
    skin::PaintFrame(t, pieces, input, cache, strip);
    benchmark::DoNotOptimize(cache.Bits());
  }
}
BENCHMARK(BM_Frame_Repaint)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_Frame_UnskinnedRepaint(benchmark::State& state) {
  p::HeadlessScreen& screen = p::UseHeadlessScreen();
  p::WNDCLASS wc;
  wc.lpfnWndProc = Proc;
  wc.lpszClassName = "BenchFrame";
  wc.hbrBackground = p::HBRUSH{p::COLOR_BTNFACE + 1};
  p::RegisterClass(&wc);
  p::HWND main = p::CreateWindowEx(0, "BenchFrame", "Sprintara", p::WS_OVERLAPPEDWINDOW, 100, 100,
                                   799, 448, p::HWND{}, p::HMENU{});
  p::ShowWindow(main, p::SW_SHOW);
  screen.Pump();
  for (auto _ : state) {
    p::RedrawWindow(main, nullptr, p::HRGN{}, p::RDW_INVALIDATE | p::RDW_ERASE | p::RDW_FRAME);
    screen.Pump();
  }
}
BENCHMARK(BM_Frame_UnskinnedRepaint)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
