#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "GdiTestSupport.h"

namespace platform {
namespace {

using test::Canvas;

void Number(Canvas& c) {
  for (int y = 0; y < c.h(); ++y)
    for (int x = 0; x < c.w(); ++x) c.at(x, y) = 0x80000000u | std::uint32_t(y << 8 | x);
}

TEST(Blit, CopiesExactlyAndCutsToTheSource) {
  Canvas src(8, 8), dst(10, 10, 0);
  Number(src);
  EXPECT_TRUE(BitBlt(dst.dc(), 1, 2, 4, 3, src.dc(), 2, 1, SRCCOPY));
  EXPECT_EQ(dst.at(1, 2), src.at(2, 1));  // alpha byte copied too
  EXPECT_EQ(dst.at(4, 4), src.at(5, 3));
  EXPECT_EQ(dst.Ink(0), (RECT{1, 2, 5, 5}));
  // A source reaching past its bitmap copies only what exists.
  dst.Clear(0);
  EXPECT_TRUE(BitBlt(dst.dc(), 0, 0, 10, 10, src.dc(), -2, 6, SRCCOPY));
  EXPECT_EQ(dst.Ink(0), (RECT{2, 0, 10, 2}));
  EXPECT_EQ(dst.at(2, 0), src.at(0, 6));
  // Far-away coordinates are harmless.
  EXPECT_TRUE(BitBlt(dst.dc(), INT32_MAX - 5, -INT32_MAX, 1000, 1000, src.dc(), 0, 0, SRCCOPY));
  EXPECT_FALSE(BitBlt(dst.dc(), 0, 0, 4, 4, HDC{}, 0, 0, SRCCOPY));
}

TEST(Blit, OverlappingCopyWithinOneBitmap) {
  Canvas c(10, 10);
  Number(c);
  std::uint32_t before = c.at(0, 0);
  std::uint32_t before2 = c.at(3, 2);
  BitBlt(c.dc(), 1, 1, 9, 9, c.dc(), 0, 0, SRCCOPY);  // scroll down-right
  EXPECT_EQ(c.at(1, 1), before);
  EXPECT_EQ(c.at(4, 3), before2);
}

TEST(Blit, RasterOperations) {
  Canvas src(2, 1), dst(2, 1);
  src.at(0, 0) = 0xFF00FF0F;
  src.at(1, 0) = 0xFF123456;
  auto run = [&](DWORD rop, std::uint32_t d0) {
    dst.at(0, 0) = d0;
    dst.at(1, 0) = d0;
    BitBlt(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, rop);
    return dst.rgb(0, 0);
  };
  EXPECT_EQ(run(SRCCOPY, 0xFF0000F0), 0x00FF0Fu);
  EXPECT_EQ(run(SRCINVERT, 0xFF0000F0), 0x00FFFFu);
  EXPECT_EQ(run(SRCAND, 0xFF0000F0), 0x000000u);
  EXPECT_EQ(run(SRCPAINT, 0xFF0000F0), 0x00FFFFu);
  EXPECT_EQ(run(NOTSRCCOPY, 0xFF0000F0), 0xFF00F0u);
  EXPECT_EQ(run(DSTINVERT, 0xFF0000F0), 0xFFFF0Fu);
  EXPECT_EQ(run(BLACKNESS, 0xFF0000F0), 0u);
  EXPECT_EQ(run(WHITENESS, 0xFF0000F0), 0xFFFFFFu);
  HBRUSH br = CreateSolidBrush(RGB(0x11, 0x22, 0x33));
  SelectObject(dst.dc(), br);
  EXPECT_EQ(run(PATCOPY, 0), 0x112233u);
  EXPECT_EQ(run(PATINVERT, 0xFF0000FF), 0x1122CCu);
  EXPECT_TRUE(PatBlt(dst.dc(), 0, 0, 1, 1, PATCOPY));
  EXPECT_FALSE(PatBlt(dst.dc(), 0, 0, 1, 1, SRCCOPY));  // needs a source
  SelectObject(dst.dc(), HBRUSH(GetStockObject(WHITE_BRUSH)));
  DeleteObject(br);
}

TEST(Blit, StretchNearestAndMirror) {
  Canvas src(2, 2), dst(4, 4, 0);
  src.at(0, 0) = 0xFF000001;
  src.at(1, 0) = 0xFF000002;
  src.at(0, 1) = 0xFF000003;
  src.at(1, 1) = 0xFF000004;
  EXPECT_TRUE(StretchBlt(dst.dc(), 0, 0, 4, 4, src.dc(), 0, 0, 2, 2, SRCCOPY));
  EXPECT_EQ(dst.rgb(0, 0), 1u);
  EXPECT_EQ(dst.rgb(1, 1), 1u);
  EXPECT_EQ(dst.rgb(2, 0), 2u);
  EXPECT_EQ(dst.rgb(3, 3), 4u);
  EXPECT_TRUE(StretchBlt(dst.dc(), 0, 0, 2, 2, src.dc(), 2, 0, -2, 2, SRCCOPY));  // mirrored
  EXPECT_EQ(dst.rgb(0, 0), 2u);
  EXPECT_EQ(dst.rgb(1, 1), 3u);
  EXPECT_FALSE(StretchBlt(dst.dc(), 0, 0, 4, 4, src.dc(), 1, 1, 3, 3, SRCCOPY));
}

TEST(Blit, PixelsFromMemoryAndBottomUpSections) {
  // A 2 x 2 24-bit picture, bottom-up, rows padded to 8 bytes.
  unsigned char bits[16] = {0x03, 0x00, 0x00, 0x04, 0x00, 0x00, 0, 0,   // bottom row
                            0x01, 0x00, 0x00, 0x02, 0x00, 0x00, 0, 0};  // top row
  BITMAPINFO bi;
  bi.bmiHeader.biWidth = 2;
  bi.bmiHeader.biHeight = 2;
  bi.bmiHeader.biBitCount = 24;
  Canvas c(3, 3, 0);
  EXPECT_EQ(SetDIBitsToDevice(c.dc(), 1, 1, 2, 2, 0, 0, 0, 2, bits, &bi, DIB_RGB_COLORS), 2);
  EXPECT_EQ(c.at(1, 1), 0xFF000001u);
  EXPECT_EQ(c.at(2, 1), 0xFF000002u);
  EXPECT_EQ(c.at(1, 2), 0xFF000003u);
  bi.bmiHeader.biBitCount = 16;
  EXPECT_EQ(SetDIBitsToDevice(c.dc(), 1, 1, 2, 2, 0, 0, 0, 2, bits, &bi, DIB_RGB_COLORS), 0);

  // A positive height makes a bottom-up section: the first stored row is the bottom one.
  BITMAPINFO up;
  up.bmiHeader.biWidth = 3;
  up.bmiHeader.biHeight = 2;
  void* p = nullptr;
  HBITMAP bm = CreateDIBSection(HDC{}, &up, DIB_RGB_COLORS, &p, nullptr, 0);
  ASSERT_TRUE(bm);
  HDC dc = CreateCompatibleDC(HDC{});
  SelectObject(dc, bm);
  SetPixel(dc, 0, 0, RGB(0, 0, 9));
  EXPECT_EQ(static_cast<std::uint32_t*>(p)[3], 0xFF000009u);
  DeleteDC(dc);
  EXPECT_TRUE(DeleteObject(bm));
  // A new section is black, also where a deleted one lay before it.
  for (int side : {20, 20, 300, 300}) {
    BITMAPINFO fresh;
    fresh.bmiHeader.biWidth = side;
    fresh.bmiHeader.biHeight = -side;
    void* q = nullptr;
    HBITMAP s = CreateDIBSection(HDC{}, &fresh, DIB_RGB_COLORS, &q, nullptr, 0);
    ASSERT_TRUE(s);
    auto* pixels = static_cast<std::uint32_t*>(q);
    EXPECT_EQ(std::count(pixels, pixels + side * side, 0u), side * side) << side;
    std::fill(pixels, pixels + side * side, 0xFFFFFFFFu);
    EXPECT_TRUE(DeleteObject(s));
  }
  up.bmiHeader.biBitCount = 8;
  EXPECT_FALSE(CreateDIBSection(HDC{}, &up, DIB_RGB_COLORS, &p, nullptr, 0));
  EXPECT_EQ(p, nullptr);
  up.bmiHeader.biBitCount = 32;
  up.bmiHeader.biWidth = 1 << 20;
  up.bmiHeader.biHeight = -(1 << 20);
  EXPECT_FALSE(CreateDIBSection(HDC{}, &up, DIB_RGB_COLORS, &p, nullptr, 0));
}

TEST(Blit, PatternBrushTilesFromTheBrushOrigin) {
  Canvas pattern(2, 2);
  pattern.at(0, 0) = pattern.at(1, 1) = 0xFFD4D0C8;
  pattern.at(1, 0) = pattern.at(0, 1) = 0xFFFFFFFF;
  HBRUSH checker = CreatePatternBrush(pattern.bitmap());
  ASSERT_TRUE(checker);
  Canvas c(4, 3, 0);
  RECT r{0, 0, 4, 3};
  FillRect(c.dc(), &r, checker);
  EXPECT_EQ(c.rgb(0, 0), 0xD4D0C8u);
  EXPECT_EQ(c.rgb(1, 0), 0xFFFFFFu);
  EXPECT_EQ(c.rgb(3, 2), 0xFFFFFFu);
  SetBrushOrgEx(c.dc(), 1, 0, nullptr);
  FillRect(c.dc(), &r, checker);
  EXPECT_EQ(c.rgb(0, 0), 0xFFFFFFu);
  DeleteObject(checker);
}

TEST(Png, RoundTripAndParts) {
  std::string name = "sprintara_gdi_png_test_" + std::to_string(::getpid()) + ".png";
  std::string path = (std::filesystem::temp_directory_path() / name).string();
  Canvas c(5, 4);
  Number(c);
  c.at(4, 3) = 0x00ABCDEF;
  Surface s = GetBitmapSurface(c.bitmap());
  ASSERT_TRUE(WritePng(path, s, nullptr, true));
  SurfaceBuffer back;
  ASSERT_TRUE(ReadPng(path, &back));
  ASSERT_EQ(back.Width(), 5);
  ASSERT_EQ(back.Height(), 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(back.At(x, y), c.at(x, y));
  // Opaque pictures, and parts of a surface.
  RECT part{3, 2, 10, 10};
  ASSERT_TRUE(WritePng(path, s, &part));
  ASSERT_TRUE(ReadPng(path, &back));
  ASSERT_EQ(back.Width(), 2);
  ASSERT_EQ(back.Height(), 2);
  EXPECT_EQ(back.At(1, 1), 0xFFABCDEFu);
  EXPECT_EQ(back.At(0, 0), 0xFF000000u | (c.at(3, 2) & 0xFFFFFF));
  RECT outside{50, 50, 60, 60};
  EXPECT_FALSE(WritePng(path, s, &outside));
  EXPECT_FALSE(WritePng("/nonexistent-dir/x.png", s));
  // Not a picture at all.
  std::FILE* f = std::fopen(path.c_str(), "wb");
  std::fputs("not a png file", f);
  std::fclose(f);
  EXPECT_FALSE(ReadPng(path, &back));
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace platform
