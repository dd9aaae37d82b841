// Composing the 1280 x 800 headless screen from three overlapping windows,
// one of them shaped by a window region, against copying the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "platform/backends/headless/ScreenCompositor.h"
#include "platform/gdi/Gdi.h"
#include "platform/testing/HeadlessScreen.h"
#include "platform/window/Window.h"

namespace {

using namespace platform;

LRESULT Proc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  return DefWindowProc(h, m, wp, lp);
}

struct Scene {
  SurfaceBuffer screen{1280, 800};
  std::vector<TopLevelView> views;
  Region shape;

  Scene() {
    UseHeadlessScreen();
    WNDCLASS wc;
    wc.lpfnWndProc = Proc;
    wc.lpszClassName = "BenchWindow";
    wc.hbrBackground = HBRUSH{COLOR_BTNFACE + 1};
    RegisterClass(&wc);
    // The console, its dialog and a drop-down list, as the program shows them.
    HWND main = CreateWindowEx(0, "BenchWindow", "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 240, 176,
                               799, 448, HWND{}, HMENU{});
    HWND dialog = CreateWindowEx(0, "BenchWindow", "Dialog", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                                 400, 250, 520, 380, main, HMENU{});
    HWND list =
        CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "BenchWindow", "",
                       WS_POPUP | WS_BORDER | WS_VISIBLE, 600, 400, 185, 220, dialog, HMENU{});
    // Rounded top corners, as a skinned frame cuts them.
    HRGN rgn = CreateRectRgn(4, 0, 795, 448);
    HRGN body = CreateRectRgn(0, 4, 799, 448);
    CombineRgn(rgn, rgn, body, RGN_OR);
    DeleteObject(body);
    SetWindowRgn(main, rgn, TRUE);
    MSG msg;
    while (PeekMessage(&msg, HWND{}, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
    shape = Region(4, 0, 795, 448) | Region(0, 4, 799, 448);
    for (HWND h : {list, dialog, main}) {
      TopLevelView v;
      v.hwnd = h;
      GetWindowRect(h, &v.rect);
      v.picture = GetWindowSurface(h);
      v.shape = h == main ? &shape : nullptr;
      views.push_back(v);
    }
  }
};

void BM_Compose_Screen(benchmark::State& state) {
  Scene scene;
  for (auto _ : state) {
    ComposeScreen(scene.screen.View(), scene.views);
    benchmark::DoNotOptimize(scene.screen.Pixels());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * 1280 * 800 * 4);
}
BENCHMARK(BM_Compose_Screen);

void BM_Memcpy_Screen(benchmark::State& state) {
  std::vector<std::uint32_t> from(1280 * 800, 0xFF112233u), to(1280 * 800);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size() * 4);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * 1280 * 800 * 4);
}
BENCHMARK(BM_Memcpy_Screen);

}  // namespace

BENCHMARK_MAIN();
