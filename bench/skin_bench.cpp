// The main window's background as the skin paints it (FORM's five bands
// left to right over 799 x 448, then its border piece) against pixman
// filling the same picture with a five-stop linear gradient of the same
// colours; and one button border (75 x 25 from a masked 54 x 36 piece of
// three frames). The master picture is synthetic, of the real size.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstdint>
#include <vector>

#include "skin/paint/BorderMask.h"
#include "skin/paint/SectionPaint.h"

namespace {

using namespace skin;

constexpr int kW = 799, kH = 448;
constexpr const char* kFormBands =
    "5872819;8306902;25;1;0;8306902;13890042;25;1;0;13890042;10278635;24;1;0;10278635;5807808;"
    "25;1;0;5807808;5807808;0;1;0";

TSkinTables Tables() {
  TSkinTables t;
  t.Master.Resize(189, 403);
  for (int y = 0; y < 403; ++y)
    for (int x = 0; x < 189; ++x)
      t.Master.At(x, y) = (x + y) % 17 == 0 ? kFuchsiaPixel : PixelOf(0x509EB8 + x * 3 + y * 256);
  TSkinGeneralData form;
  form.SectionName = "FORM";
  form.GradientPercent = 100;
  form.GradientData = kFormBands;
  form.Gradient = ParseGradientData(kFormBands);
  t.Sections.push_back(form);
  TSkinMaskData border;
  border.SectionName = "FORM";
  border.PropertyName = "BORDERSMASK";
  border.R = RECT{96, 80, 129, 107};
  border.BorderWidth = 2;
  t.Masks.push_back(border);
  TSkinMaskData button;
  button.SectionName = "BUTTON";
  button.PropertyName = "BORDERSMASK";
  button.R = RECT{24, 198, 78, 234};
  button.ImageCount = 3;
  button.MaskType = 1;
  t.Masks.push_back(button);
  t.Ready = true;
  return t;
}

void BM_Skin_FormBackground(benchmark::State& state) {
  const TSkinTables t = Tables();
  SurfaceBuffer picture(kW, kH);
  for (auto _ : state) {
    PaintSection(t, 0, "FORM", {}, picture.View(), POINT{}, RECT{0, 0, kW, kH}, 0, false);
    benchmark::DoNotOptimize(picture.Pixels());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kW * kH);
}
BENCHMARK(BM_Skin_FormBackground)->Unit(benchmark::kMicrosecond);

pixman_color_t Color16(std::uint32_t colorValue) {
  auto c = [](std::uint32_t v) { return std::uint16_t(v * 257); };
  return pixman_color_t{c(colorValue & 0xFF), c(colorValue >> 8 & 0xFF), c(colorValue >> 16 & 0xFF),
                        0xFFFF};
}

void BM_Pixman_LinearGradient(benchmark::State& state) {
  // The same band ends: columns 0, 199, 398, 589, 788 and 798.
  const double last = kW - 1;
  const pixman_gradient_stop_t stops[] = {
      {pixman_double_to_fixed(0), Color16(5872819)},
      {pixman_double_to_fixed(199 / last), Color16(8306902)},
      {pixman_double_to_fixed(398 / last), Color16(13890042)},
      {pixman_double_to_fixed(589 / last), Color16(10278635)},
      {pixman_double_to_fixed(788 / last), Color16(5807808)},
      {pixman_double_to_fixed(1), Color16(5807808)},
  };
  const pixman_point_fixed_t from{pixman_double_to_fixed(0.5), 0};
  const pixman_point_fixed_t to{pixman_double_to_fixed(last + 0.5), 0};
  pixman_image_t* gradient = pixman_image_create_linear_gradient(&from, &to, stops, 6);
  std::vector<std::uint32_t> pixels(std::size_t(kW) * kH);
  pixman_image_t* dest = pixman_image_create_bits(PIXMAN_x8r8g8b8, kW, kH, pixels.data(), kW * 4);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, gradient, nullptr, dest, 0, 0, 0, 0, 0, 0, kW, kH);
    benchmark::DoNotOptimize(pixels.data());
    benchmark::ClobberMemory();
  }
  pixman_image_unref(gradient);
  pixman_image_unref(dest);
  state.SetItemsProcessed(state.iterations() * kW * kH);
}
BENCHMARK(BM_Pixman_LinearGradient)->Unit(benchmark::kMicrosecond);

void BM_Skin_BorderMask(benchmark::State& state) {
  const TSkinTables t = Tables();
  SurfaceBuffer picture(75, 25, 0xFFCDCDCDu), parent(200, 100, 0xFF509EB8u);
  const TParentBackground bg{parent.View(), 40, 30, true};
  for (auto _ : state) {
    DrawBorderMask(t, picture.View(), RECT{0, 0, 75, 25}, true, 1, 1, bg);
    benchmark::DoNotOptimize(picture.Pixels());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Skin_BorderMask)->Unit(benchmark::kNanosecond);

}  // namespace

BENCHMARK_MAIN();
