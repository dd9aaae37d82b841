// A centred 30-character caption at 21 pixels bold into a 32-bit memory
// context, against the same text drawn with FreeType's own glyph cache into
// a plain buffer: the least any renderer built on FreeType can cost.
#include <benchmark/benchmark.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_CACHE_H

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"

namespace {

using namespace platform;

constexpr char kCaption[] = "Greyhound Derby - Final Heat 7";
static_assert(sizeof(kCaption) - 1 == 30);
constexpr int kWidth = 400, kHeight = 30;

void BM_DrawText_Label(benchmark::State& state) {
  HDC dc = CreateCompatibleDC(HDC{});
  BITMAPINFO bi;
  bi.bmiHeader.biWidth = kWidth;
  bi.bmiHeader.biHeight = -kHeight;
  void* bits = nullptr;
  HBITMAP bm = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ oldBitmap = SelectObject(dc, HGDIOBJ(bm));
  std::memset(bits, 0x80, std::size_t(kWidth) * kHeight * 4);
  LOGFONT lf;
  lf.lfHeight = -21;
  lf.lfWeight = FW_BOLD;
  std::strcpy(lf.lfFaceName, "Arial");
  HFONT font = CreateFontIndirect(&lf);
  HGDIOBJ oldFont = SelectObject(dc, HGDIOBJ(font));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 255, 0));
  RECT r{1, 1, kWidth - 1, kHeight - 1};
  DrawText(dc, kCaption, &r,
           DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);  // warm the cache
  for (auto _ : state) {
    RECT rc = r;
    benchmark::DoNotOptimize(
        DrawText(dc, kCaption, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX));
    benchmark::ClobberMemory();
  }
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(font);
  DeleteObject(bm);
  DeleteDC(dc);
}
BENCHMARK(BM_DrawText_Label);

std::string FontFile() {
  FcInit();
  FcPattern* pat = FcNameParse(reinterpret_cast<const FcChar8*>("Liberation Sans:bold"));
  FcConfigSubstitute(nullptr, pat, FcMatchPattern);
  FcDefaultSubstitute(pat);
  FcResult res;
  FcPattern* m = FcFontMatch(nullptr, pat, &res);
  std::string file;
  FcChar8* s = nullptr;
  if (m && FcPatternGetString(m, FC_FILE, 0, &s) == FcResultMatch)
    file = reinterpret_cast<char*>(s);
  if (m) FcPatternDestroy(m);
  FcPatternDestroy(pat);
  return file;
}

FT_Error Requester(FTC_FaceID id, FT_Library lib, FT_Pointer, FT_Face* face) {
  return FT_New_Face(lib, static_cast<const char*>(id), 0, face);
}

void BM_FreeType_Baseline(benchmark::State& state) {
  static std::string file = FontFile();
  FT_Library lib;
  FT_Init_FreeType(&lib);
  FTC_Manager manager;
  FTC_Manager_New(lib, 0, 0, 0, Requester, nullptr, &manager);
  FTC_SBitCache sbits;
  FTC_SBitCache_New(manager, &sbits);
  FTC_CMapCache cmaps;
  FTC_CMapCache_New(manager, &cmaps);
  FTC_FaceID id = const_cast<char*>(file.c_str());
  FTC_ImageTypeRec type{id, 0, 21, FT_LOAD_DEFAULT | FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL};
  FTC_ScalerRec scaler{id, 0, 21, 1, 0, 0};
  FT_Size size = nullptr;
  if (file.empty() || FTC_Manager_LookupSize(manager, &scaler, &size) != 0) {
    state.SkipWithError("no font");
    return;
  }
  int ascent = int(size->metrics.ascender >> 6);
  int height = int((size->metrics.ascender - size->metrics.descender) >> 6);
  std::vector<std::uint32_t> buffer(std::size_t(kWidth) * kHeight, 0x80808080u);
  const std::uint32_t color = 0xFF00FF00u;
  const int clipL = 1, clipT = 1, clipR = kWidth - 1, clipB = kHeight - 1;

  auto draw = [&] {
    FTC_SBit glyphs[30];
    int width = 0;
    for (int i = 0; i < 30; ++i) {
      FT_UInt gi = FTC_CMapCache_Lookup(cmaps, id, -1, static_cast<unsigned char>(kCaption[i]));
      FTC_SBitCache_Lookup(sbits, &type, gi, &glyphs[i], nullptr);
      width += glyphs[i]->xadvance;
    }
    int pen = clipL + (clipR - clipL - width) / 2;
    int baseline = clipT + (clipB - clipT - height) / 2 + ascent;
    for (int i = 0; i < 30; ++i) {
      FTC_SBit g = glyphs[i];
      int gx = pen + g->left, gy = baseline - g->top;
      pen += g->xadvance;
      int x0 = std::max(gx, clipL), x1 = std::min(gx + int(g->width), clipR);
      int y0 = std::max(gy, clipT), y1 = std::min(gy + int(g->height), clipB);
      for (int y = y0; y < y1; ++y) {
        const unsigned char* cov = g->buffer + (y - gy) * g->pitch;
        std::uint32_t* row = buffer.data() + std::size_t(y) * kWidth;
        for (int x = x0; x < x1; ++x) {
          unsigned a = cov[x - gx];
          if (a == 0) continue;
          if (a == 255) {
            row[x] = color;
            continue;
          }
          std::uint32_t d = row[x];
          unsigned inv = 255 - a;
          std::uint32_t r = (((color >> 16) & 0xFF) * a + ((d >> 16) & 0xFF) * inv + 127) / 255;
          std::uint32_t gg = (((color >> 8) & 0xFF) * a + ((d >> 8) & 0xFF) * inv + 127) / 255;
          std::uint32_t b = ((color & 0xFF) * a + (d & 0xFF) * inv + 127) / 255;
          std::uint32_t da = d >> 24;
          std::uint32_t al = da + ((255 - da) * a + 127) / 255;
          row[x] = (al << 24) | (r << 16) | (gg << 8) | b;
        }
      }
    }
  };
  draw();  // warm the cache
  for (auto _ : state) {
    draw();
    benchmark::DoNotOptimize(buffer.data());
    benchmark::ClobberMemory();
  }
  FTC_Manager_Done(manager);
  FT_Done_FreeType(lib);
}
BENCHMARK(BM_FreeType_Baseline);

}  // namespace

BENCHMARK_MAIN();
