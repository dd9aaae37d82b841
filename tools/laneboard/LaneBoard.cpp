// sprintara-laneboard: draws the console's lane-board picture (527 x 381:
// ten wood-grain lanes on a light grey ground, each with a number box) and
// puts it into the console's window description as the lane board's
// Bitmap.Data.
//
//   sprintara-laneboard [--png FILE] [--description IN OUT]
//
// IN is the stored description with a marker line "// Bitmap.Data: ..."
// where the block belongs; OUT is IN with that line replaced by the block.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "graphics/PixelBitmap.h"
#include "platform/gdi/Gdi.h"

namespace {

using graphics::MakePixelColor;
using graphics::TPixelBitmap;
using graphics::TPixelColor;
namespace p = platform;

constexpr int kWidth = 527, kHeight = 381;
constexpr int kBars[10][2] = {{5, 36},    {43, 74},   {81, 112},  {118, 149}, {155, 187},
                              {193, 224}, {231, 262}, {268, 299}, {305, 336}, {343, 374}};
constexpr int kBoxLeft = 6, kBoxRight = 62, kLaneLeft = 68, kLaneRight = 520;

// Smooth value noise from an integer hash; the same picture on every build.
double Hash(int x, int y, int seed) {
  std::uint32_t h = std::uint32_t(x) * 374761393u + std::uint32_t(y) * 668265263u +
                    std::uint32_t(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return double((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
}

double Noise(double x, double y, int seed) {
  const int xi = int(std::floor(x)), yi = int(std::floor(y));
  const double fx = x - xi, fy = y - yi;
  const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
  const double a = Hash(xi, yi, seed), b = Hash(xi + 1, yi, seed);
  const double c = Hash(xi, yi + 1, seed), d = Hash(xi + 1, yi + 1, seed);
  return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

double Fbm(double x, double y, int seed) {
  double sum = 0, amp = 0.5;
  for (int o = 0; o < 4; ++o, x *= 2, y *= 2, amp /= 2) sum += amp * Noise(x, y, seed + o);
  return sum;
}

int Clamp(double v) {
  return v < 0 ? 0 : v > 255 ? 255 : int(std::lround(v));
}

// Wood around red 130, green 78, blue 2: long grain lines running along the
// lane, gently waving, with darker streaks and a little fibre noise.
TPixelColor Wood(int x, int y, int seed, double tone) {
  const double warp = 6.0 * Fbm(x * 0.008, y * 0.05, seed);
  const double grain = std::sin((y + warp * 4.0 + 2.5 * std::sin(x * 0.011 + seed)) * 1.15);
  const double streak = Fbm(x * 0.004, y * 0.22, seed + 17);
  const double fibre = Hash(x, y, seed + 31) - 0.5;
  const double k = tone + 0.10 * grain + 0.34 * (streak - 0.5) + 0.05 * fibre;
  return MakePixelColor(Clamp(130 * (1 + k)), Clamp(78 * (1 + 1.15 * k)), Clamp(2 + 14 * k));
}

void FillWood(TPixelBitmap& b, int x1, int y1, int x2, int y2, int seed, double tone) {
  for (int y = y1; y <= y2; ++y)
    for (int x = x1; x <= x2; ++x) *b.PixelPointer(x, y) = Wood(x, y, seed, tone);
  // A bevelled edge, so each piece stands off the ground.
  b.DrawBevel(x1, y1, x2 + 1, y2 + 1, 22);
}

void Number(TPixelBitmap& b, int lane, int top, int bottom) {
  const std::string text = std::to_string(lane);
  toolkit::TFont* f = b.Font();
  f->SetName("Arial");
  f->SetHeight(bottom - top > 31 ? -29 : -27);
  f->SetStyle(toolkit::TFontStyles{toolkit::fsBold});
  const unsigned flags = p::DT_CENTER | p::DT_VCENTER | p::DT_SINGLELINE | p::DT_NOPREFIX;
  // A soft dark shadow under the white figures.
  f->SetColor(0x00082040);
  b.TextOut(p::RECT{kBoxLeft + 2, top + 2, kBoxRight + 3, bottom + 3}, flags, text);
  f->SetColor(0x00FFFFFF);
  b.TextOut(p::RECT{kBoxLeft, top, kBoxRight + 1, bottom + 1}, flags, text);
}

void Draw(TPixelBitmap& b) {
  b.SetSize(kWidth, kHeight);
  b.Clear(MakePixelColor(226, 235, 234));
  for (int i = 0; i < 10; ++i) {
    const int top = kBars[i][0], bottom = kBars[i][1];
    FillWood(b, kBoxLeft, top, kBoxRight, bottom, 101 + i, -0.10);
    FillWood(b, kLaneLeft, top, kLaneRight, bottom, 11 + i, 0.0);
    Number(b, i + 1, top, bottom);
  }
  b.ResetAlpha(255);
}

bool WriteDescription(const TPixelBitmap& b, const char* in, const char* out) {
  std::ifstream source(in);
  if (!source) {
    std::fprintf(stderr, "sprintara-laneboard: cannot read %s\n", in);
    return false;
  }
  std::ostringstream data;
  b.WriteData(data);
  const std::string bytes = data.str();
  std::ostringstream result;
  std::string line;
  bool placed = false;
  while (std::getline(source, line)) {
    const std::size_t at = line.find("// Bitmap.Data:");
    if (at == std::string::npos || line.find_first_not_of(' ') != at) {
      result << line << '\n';
      continue;
    }
    const std::string indent(at, ' ');
    result << indent << "Bitmap.Data = {";
    static const char* hex = "0123456789ABCDEF";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (i % 64 == 0) result << '\n' << indent << "  ";
      const auto c = static_cast<unsigned char>(bytes[i]);
      result << hex[c >> 4] << hex[c & 15];
    }
    result << "}\n";
    placed = true;
  }
  if (!placed) {
    std::fprintf(stderr, "sprintara-laneboard: %s has no line \"// Bitmap.Data: ...\"\n", in);
    return false;
  }
  std::ofstream target(out, std::ios::binary);
  target << result.str();
  if (!target) {
    std::fprintf(stderr, "sprintara-laneboard: cannot write %s\n", out);
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const char* png = nullptr;
  const char* in = nullptr;
  const char* out = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--png") && i + 1 < argc) {
      png = argv[++i];
    } else if (!std::strcmp(argv[i], "--description") && i + 2 < argc) {
      in = argv[++i];
      out = argv[++i];
    } else {
      std::fprintf(stderr, "usage: sprintara-laneboard [--png FILE] [--description IN OUT]\n");
      return 2;
    }
  }
  TPixelBitmap board;
  Draw(board);
  if (png) {
    p::Surface s{board.Bits(), board.Width(), board.Height(), std::ptrdiff_t(board.Width()) * 4};
    if (!p::WritePng(png, s)) {
      std::fprintf(stderr, "sprintara-laneboard: cannot write %s\n", png);
      return 1;
    }
  }
  if (in && !WriteDescription(board, in, out)) return 1;
  return 0;
}
