// BlendRow over a full-HD picture of varying alpha against pixman's OVER on
// the same pixels (premultiplied, as pixman takes them) and against copying
// the same rows, the floor of a memory-bound blend; and one paint of
// the clock bar (353 x 29, the console's settings) against copying the
// clock bar's pixels, the least a repaint of that area can cost.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "graphics/Blend.h"
#include "graphics/LcdLabel.h"
#include "platform/gdi/Gdi.h"
#include "toolkit/Messages.h"

namespace {

using namespace graphics;
namespace p = platform;

constexpr int kW = 1920, kH = 1080;

std::vector<TPixelColor> Source() {
  std::vector<TPixelColor> s(std::size_t(kW) * kH);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const std::uint32_t a = (x * 7 + y * 13) & 0xFF;
      s[std::size_t(y) * kW + x] =
          (a << 24) | ((x * 3) & 0xFF) << 16 | ((y * 5) & 0xFF) << 8 | 0x40;
    }
  return s;
}

std::vector<TPixelColor> Background() {
  std::vector<TPixelColor> d(std::size_t(kW) * kH);
  for (std::size_t i = 0; i < d.size(); ++i)
    d[i] = 0xFF000000u | std::uint32_t(i * 2654435761u >> 8);
  return d;
}

void BM_BlendRow_1080p(benchmark::State& state) {
  const std::vector<TPixelColor> src = Source();
  std::vector<TPixelColor> dst = Background();
  for (auto _ : state) {
    for (int y = 0; y < kH; ++y)
      BlendRow(src.data() + std::size_t(y) * kW, dst.data() + std::size_t(y) * kW, kW);
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kW * kH);
  state.SetLabel(BlendForm() == TBlendForm::Mmx ? "MMX form" : "plain form");
}
BENCHMARK(BM_BlendRow_1080p)->Unit(benchmark::kMillisecond);

// The floor of BlendRow_1080p: the same rows copied over the same picture,
// so the same bytes read and written.
void BM_Memcpy_1080p(benchmark::State& state) {
  const std::vector<TPixelColor> src = Source();
  std::vector<TPixelColor> dst = Background();
  for (auto _ : state) {
    for (int y = 0; y < kH; ++y)
      std::memcpy(dst.data() + std::size_t(y) * kW, src.data() + std::size_t(y) * kW,
                  kW * sizeof(TPixelColor));
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kW * kH);
}
BENCHMARK(BM_Memcpy_1080p)->Unit(benchmark::kMillisecond);

void BM_PixmanOver_1080p(benchmark::State& state) {
  std::vector<TPixelColor> src = Source();
  for (TPixelColor& c : src) {  // pixman blends premultiplied colours
    const std::uint32_t a = c >> 24;
    auto pm = [a](std::uint32_t v) { return (v * a + 127) / 255; };
    c = (a << 24) | pm((c >> 16) & 0xFF) << 16 | pm((c >> 8) & 0xFF) << 8 | pm(c & 0xFF);
  }
  std::vector<TPixelColor> dst = Background();
  pixman_image_t* s = pixman_image_create_bits(PIXMAN_a8r8g8b8, kW, kH, src.data(), kW * 4);
  pixman_image_t* d = pixman_image_create_bits(PIXMAN_a8r8g8b8, kW, kH, dst.data(), kW * 4);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_OVER, s, nullptr, d, 0, 0, 0, 0, 0, 0, kW, kH);
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
  pixman_image_unref(s);
  pixman_image_unref(d);
  state.SetItemsProcessed(state.iterations() * kW * kH);
}
BENCHMARK(BM_PixmanOver_1080p)->Unit(benchmark::kMillisecond);

constexpr int kClockW = 353, kClockH = 29;

void BM_LcdLabel_PaintClock(benchmark::State& state) {
  p::BITMAPINFO bi;
  bi.bmiHeader.biWidth = kClockW;
  bi.bmiHeader.biHeight = -kClockH;
  void* bits = nullptr;
  p::HBITMAP bm = p::CreateDIBSection(p::HDC{}, &bi, p::DIB_RGB_COLORS, &bits);
  p::HDC dc = p::CreateCompatibleDC(p::HDC{});
  p::HGDIOBJ old = p::SelectObject(dc, p::HGDIOBJ(bm));
  TLcdLabel clock(nullptr);
  clock.SetBounds(0, 0, kClockW, kClockH);
  clock.SetColor(toolkit::clNavy);
  clock.SetTextColor(toolkit::clLime);
  clock.SetTextHAlign(thaCenter);
  clock.SetShadowOn(false);
  clock.SetShadowColor(toolkit::clYellow);
  clock.Font()->SetHeight(-21);
  clock.SetCaption("6/19/2004  2:05:09 PM");
  for (auto _ : state) {
    clock.Perform(p::WM_PAINT, p::WPARAM(dc.value), 0);
    benchmark::ClobberMemory();
  }
  p::SelectObject(dc, old);
  p::DeleteDC(dc);
  p::DeleteObject(bm);
}
BENCHMARK(BM_LcdLabel_PaintClock)->Unit(benchmark::kMicrosecond);

void BM_Memcpy_ClockArea(benchmark::State& state) {
  std::vector<std::uint32_t> from(std::size_t(kClockW) * kClockH, 0xFF000080), to(from.size());
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size() * 4);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Memcpy_ClockArea)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
