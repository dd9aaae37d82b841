#include <gtest/gtest.h>

#include <climits>

#include "GdiTestSupport.h"
#include "platform/gdi/DeviceContext.h"

namespace platform {
namespace {

using test::Canvas;

constexpr std::uint32_t kWhite = 0xFFFFFFFF;

TEST(Drawing, FillAndFrameRectArePixelExact) {
  Canvas c(20, 20, 0);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT r{2, 3, 6, 8};
  EXPECT_EQ(FillRect(c.dc(), &r, red), 1);
  EXPECT_EQ(c.at(2, 3), 0xFFFF0000u);  // opaque pixel word
  EXPECT_EQ(c.at(5, 7), 0xFFFF0000u);
  EXPECT_EQ(c.at(6, 7), 0u);
  EXPECT_EQ(c.at(5, 8), 0u);
  EXPECT_EQ(c.Count(0xFF0000), 4 * 5);
  // A system colour index + 1 stands for that colour's brush.
  RECT f{10, 10, 15, 14};
  EXPECT_EQ(FrameRect(c.dc(), &f, HBRUSH{COLOR_BTNSHADOW + 1}), 1);
  EXPECT_EQ(c.rgb(10, 10), 0x808080u);
  EXPECT_EQ(c.rgb(14, 13), 0x808080u);
  EXPECT_EQ(c.rgb(11, 11), 0u);
  EXPECT_EQ(c.Count(0x808080), 14);
  DeleteObject(red);
}

TEST(Drawing, LinesLeaveOutTheEndPointAndClipFarCoordinates) {
  Canvas c(10, 10, kWhite);
  MoveToEx(c.dc(), 1, 1, nullptr);
  LineTo(c.dc(), 5, 1);
  EXPECT_EQ(c.Count(0), 4);
  EXPECT_EQ(c.rgb(4, 1), 0u);
  EXPECT_EQ(c.rgb(5, 1), 0xFFFFFFu);
  c.Clear(kWhite);
  MoveToEx(c.dc(), 0, 0, nullptr);
  LineTo(c.dc(), 4, 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(c.rgb(i, i), 0u);
  EXPECT_EQ(c.Count(0), 4);
  // A line to the end of the coordinate range crosses the surface quickly.
  c.Clear(kWhite);
  MoveToEx(c.dc(), -INT_MAX, 5, nullptr);
  EXPECT_TRUE(LineTo(c.dc(), INT_MAX, 5));
  EXPECT_EQ(c.Count(0), 10);
  POINT pos;
  MoveToEx(c.dc(), 0, 0, &pos);
  EXPECT_EQ(pos, (POINT{INT_MAX, 5}));
}

TEST(Drawing, InvertedOutlineDrawnTwiceLeavesNoTrace) {
  Canvas c(30, 30, 0xFF123456);
  c.at(7, 5) = 0xFFABCDEF;
  SetROP2(c.dc(), R2_NOT);
  SelectObject(c.dc(), HPEN(GetStockObject(BLACK_PEN)));
  SelectObject(c.dc(), HBRUSH(GetStockObject(NULL_BRUSH)));
  POINT outline[] = {{5, 5}, {20, 5}, {20, 15}, {5, 15}, {5, 5}};
  Polyline(c.dc(), outline, 5);
  EXPECT_EQ(c.rgb(6, 5), 0xFFFFFFu ^ 0x123456u);
  EXPECT_EQ(c.rgb(7, 5), 0xFFFFFFu ^ 0xABCDEFu);
  EXPECT_EQ(c.rgb(10, 10), 0x123456u);
  Polyline(c.dc(), outline, 5);
  EXPECT_EQ(c.Count(0x123456), 30 * 30 - 1);
  EXPECT_EQ(c.rgb(7, 5), 0xABCDEFu);
  // The XOR pen also undoes itself.
  SetROP2(c.dc(), R2_XORPEN);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0xFF, 0, 0));
  SelectObject(c.dc(), pen);
  Rectangle(c.dc(), 2, 2, 12, 12);
  EXPECT_EQ(c.rgb(2, 2), 0x123456u ^ 0xFF0000u);
  Rectangle(c.dc(), 2, 2, 12, 12);
  EXPECT_EQ(c.Count(0x123456), 30 * 30 - 1);
  SelectObject(c.dc(), HPEN(GetStockObject(BLACK_PEN)));
  DeleteObject(pen);
}

TEST(Drawing, RectangleAndPolygonFillTheClassicPixels) {
  Canvas c(20, 20, kWhite);
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  SelectObject(c.dc(), blue);
  Rectangle(c.dc(), 2, 2, 8, 6);
  EXPECT_EQ(c.rgb(2, 2), 0u);  // outline
  EXPECT_EQ(c.rgb(7, 5), 0u);
  EXPECT_EQ(c.rgb(3, 3), 0x0000FFu);  // inside
  EXPECT_EQ(c.Count(0), 16);
  EXPECT_EQ(c.Count(0x0000FF), 8);
  // Without a pen the right and bottom edges are left out.
  c.Clear(kWhite);
  SelectObject(c.dc(), HPEN(GetStockObject(NULL_PEN)));
  Rectangle(c.dc(), 2, 2, 8, 6);
  EXPECT_EQ(c.Ink(kWhite), (RECT{2, 2, 7, 5}));
  c.Clear(kWhite);
  POINT square[] = {{4, 4}, {14, 4}, {14, 10}, {4, 10}};
  Polygon(c.dc(), square, 4);
  EXPECT_EQ(c.Ink(kWhite), (RECT{4, 4, 14, 10}));
  EXPECT_EQ(c.Count(0x0000FF), 60);
  SelectObject(c.dc(), HPEN(GetStockObject(BLACK_PEN)));
  SelectObject(c.dc(), HBRUSH(GetStockObject(WHITE_BRUSH)));
  DeleteObject(blue);
}

TEST(Drawing, EdgesUseTheSystemColours) {
  Canvas c(10, 10, 0);
  RECT r{0, 0, 10, 10};
  // One raised ring: highlight top-left, shadow bottom-right (owning the two far corners).
  DrawEdge(c.dc(), &r, BDR_RAISEDINNER, BF_RECT);
  EXPECT_EQ(c.rgb(0, 0), 0xFFFFFFu);
  EXPECT_EQ(c.rgb(8, 0), 0xFFFFFFu);
  EXPECT_EQ(c.rgb(9, 0), 0x808080u);
  EXPECT_EQ(c.rgb(0, 9), 0x808080u);
  EXPECT_EQ(c.rgb(9, 9), 0x808080u);
  EXPECT_EQ(c.rgb(1, 1), 0u);
  // Sunken outer ring is the reverse.
  DrawEdge(c.dc(), &r, BDR_SUNKENOUTER, BF_RECT);
  EXPECT_EQ(c.rgb(0, 0), 0x808080u);
  EXPECT_EQ(c.rgb(9, 9), 0xFFFFFFu);
  // Two rings, adjusted rectangle and a filled middle.
  RECT a = r;
  DrawEdge(c.dc(), &a, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
  EXPECT_EQ(a, (RECT{2, 2, 8, 8}));
  std::uint32_t face = ColorToPixel(GetSysColor(COLOR_BTNFACE)) & 0xFFFFFF;
  EXPECT_EQ(c.rgb(0, 0), ColorToPixel(GetSysColor(COLOR_3DLIGHT)) & 0xFFFFFF);
  EXPECT_EQ(c.rgb(9, 9), 0x404040u);  // dark shadow outside
  EXPECT_EQ(c.rgb(1, 1), 0xFFFFFFu);  // highlight inside
  EXPECT_EQ(c.rgb(8, 8), 0x808080u);
  EXPECT_EQ(c.rgb(5, 5), face);
  // Only the named sides.
  c.Clear(0);
  DrawEdge(c.dc(), &r, BDR_RAISEDINNER, BF_BOTTOM);
  EXPECT_EQ(c.Ink(0), (RECT{0, 9, 10, 10}));
}

TEST(Drawing, PushButtonFrames) {
  Canvas c(10, 10, 0);
  RECT r{0, 0, 10, 10};
  EXPECT_TRUE(DrawFrameControl(c.dc(), &r, DFC_BUTTON, DFCS_BUTTONPUSH));
  EXPECT_EQ(c.rgb(9, 9), 0x404040u);
  EXPECT_EQ(c.rgb(5, 5), ColorToPixel(GetSysColor(COLOR_BTNFACE)) & 0xFFFFFF);
  EXPECT_TRUE(
      DrawFrameControl(c.dc(), &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED | DFCS_ADJUSTRECT));
  EXPECT_EQ(c.rgb(0, 0), 0x808080u);
  EXPECT_EQ(r, (RECT{2, 2, 8, 8}));
  EXPECT_FALSE(DrawFrameControl(c.dc(), &r, DFC_SCROLL, 0));
}

TEST(Drawing, MemoryContextWithoutBitmapDrawsNowhere) {
  HDC dc = CreateCompatibleDC(HDC{});
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
  EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 0);
  EXPECT_EQ(SetPixel(dc, 0, 0, RGB(1, 2, 3)), CLR_INVALID);
  EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
  RECT box;
  EXPECT_EQ(GetClipBox(dc, &box), NULLREGION);
  DeleteDC(dc);
}

TEST(Drawing, FocusRectangleDotsAndErasesItself) {
  Canvas c(12, 8, 0xFF102030);
  RECT r{1, 1, 11, 7};
  DrawFocusRect(c.dc(), &r);
  EXPECT_EQ(c.rgb(1, 1), 0xEFDFCFu);
  EXPECT_EQ(c.rgb(2, 1), 0x102030u);
  EXPECT_EQ(c.rgb(3, 1), 0xEFDFCFu);
  EXPECT_EQ(c.rgb(5, 4), 0x102030u);  // inside untouched
  EXPECT_EQ(c.Ink(0x102030), (RECT{1, 1, 11, 7}));
  DrawFocusRect(c.dc(), &r);
  EXPECT_EQ(c.Count(0x102030), 12 * 8);
}

TEST(Drawing, ClipRegionsAndOrigins) {
  Canvas c(20, 20, 0);
  HBRUSH white = HBRUSH(GetStockObject(WHITE_BRUSH));
  RECT all{-100, -100, 100, 100};
  EXPECT_EQ(IntersectClipRect(c.dc(), 2, 2, 10, 10), SIMPLEREGION);
  EXPECT_EQ(ExcludeClipRect(c.dc(), 4, 4, 6, 6), COMPLEXREGION);
  FillRect(c.dc(), &all, white);
  EXPECT_EQ(c.Ink(0), (RECT{2, 2, 10, 10}));
  EXPECT_EQ(c.Count(0xFFFFFF), 64 - 4);
  RECT box;
  EXPECT_EQ(GetClipBox(c.dc(), &box), COMPLEXREGION);
  EXPECT_EQ(box, (RECT{2, 2, 10, 10}));

  // Saved and restored with the rest of the state.
  int saved = SaveDC(c.dc());
  SelectClipRgn(c.dc(), HRGN{});
  SetViewportOrgEx(c.dc(), 5, 5, nullptr);
  EXPECT_EQ(GetClipBox(c.dc(), &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{-5, -5, 15, 15}));  // logical
  // A clip region is in device units: the origin does not move it.
  HRGN rgn = CreateRectRgn(0, 0, 3, 3);
  SelectClipRgn(c.dc(), rgn);
  DeleteObject(rgn);  // the context keeps its own copy
  c.Clear(0);
  FillRect(c.dc(), &all, white);
  EXPECT_EQ(c.Ink(0), (RECT{0, 0, 3, 3}));
  SelectClipRgn(c.dc(), HRGN{});
  c.Clear(0);
  RECT one{0, 0, 1, 1};
  FillRect(c.dc(), &one, white);
  EXPECT_EQ(c.Ink(0), (RECT{5, 5, 6, 6}));
  EXPECT_TRUE(RestoreDC(c.dc(), saved));
  EXPECT_FALSE(RestoreDC(c.dc(), saved));  // gone now
  c.Clear(0);
  FillRect(c.dc(), &all, white);
  EXPECT_EQ(c.Ink(0), (RECT{2, 2, 10, 10}));
  EXPECT_EQ(GetPixel(c.dc(), 0, 0), CLR_INVALID);  // outside the clip
  EXPECT_EQ(SetPixel(c.dc(), 3, 3, RGB(1, 2, 3)), RGB(1, 2, 3));
  EXPECT_EQ(SetPixel(c.dc(), 4, 4, RGB(1, 2, 3)), CLR_INVALID);
  EXPECT_EQ(GetPixel(c.dc(), 3, 3), RGB(1, 2, 3));
}

TEST(Drawing, SurfaceContextsStayInsideTheirVisibleRegion) {
  SurfaceBuffer screen(40, 30, 0xFF000000);
  Region visible(RECT{10, 10, 30, 25});
  visible -= Region(RECT{20, 10, 30, 15});  // covered by another window
  HDC dc = CreateSurfaceDC(screen.View(), POINT{10, 10}, visible);
  ASSERT_TRUE(dc);
  RECT all{-50, -50, 50, 50};
  FillRect(dc, &all, HBRUSH(GetStockObject(WHITE_BRUSH)));
  int white = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      bool in = screen.At(x, y) == 0xFFFFFFFFu;
      ASSERT_EQ(in, visible.Contains(x, y)) << x << "," << y;
      white += in;
    }
  EXPECT_EQ(white, 20 * 15 - 10 * 5);
  EXPECT_EQ(TakeDirtyRect(dc), (RECT{10, 10, 30, 25}));
  EXPECT_TRUE(TakeDirtyRect(dc).IsEmpty());
  // Device (0, 0) is the origin given.
  EXPECT_EQ(SetPixel(dc, 0, 0, RGB(255, 0, 0)), RGB(255, 0, 0));
  EXPECT_EQ(screen.At(10, 10), 0xFFFF0000u);
  EXPECT_EQ(SetPixel(dc, 12, 2, RGB(255, 0, 0)), CLR_INVALID);  // covered part
  // Moving the context along with its window.
  ASSERT_TRUE(SetSurfaceDC(dc, screen.View(), POINT{0, 0}, Region(RECT{0, 0, 5, 5})));
  RECT box;
  EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{0, 0, 5, 5}));
  EXPECT_TRUE(DestroySurfaceDC(dc));
  EXPECT_EQ(FillRect(dc, &all, HBRUSH(GetStockObject(WHITE_BRUSH))), 0);
}

TEST(Drawing, InvalidHandlesAreRefused) {
  HDC dc = CreateCompatibleDC(HDC{});
  ASSERT_TRUE(DeleteDC(dc));
  RECT r{0, 0, 5, 5};
  EXPECT_FALSE(DeleteDC(dc));
  EXPECT_EQ(FillRect(dc, &r, HBRUSH(GetStockObject(BLACK_BRUSH))), 0);
  EXPECT_EQ(SetTextColor(dc, 0), CLR_INVALID);
  EXPECT_FALSE(LineTo(dc, 3, 3));
  EXPECT_EQ(SaveDC(dc), 0);
  EXPECT_FALSE(SelectObject(dc, HGDIOBJ(GetStockObject(BLACK_PEN))));
  EXPECT_FALSE(SelectObject(HDC{12345}, HGDIOBJ(GetStockObject(BLACK_PEN))));
  EXPECT_EQ(GetObjectType(HGDIOBJ{0xDEADBEEF}), 0u);

  Canvas a(4, 4), b(4, 4);
  // A bitmap lives in one context at a time and cannot be deleted from under it.
  EXPECT_FALSE(SelectObject(b.dc(), a.bitmap()));
  EXPECT_FALSE(DeleteObject(a.bitmap()));
  // A context is not a drawing object; a brush is not a font.
  EXPECT_FALSE(DeleteObject(HGDIOBJ{a.dc().value}));
  HBRUSH br = CreateSolidBrush(RGB(0, 255, 0));
  EXPECT_FALSE(GetTextExtentPoint32(a.dc(), "x", nullptr));
  EXPECT_EQ(FillRect(a.dc(), &r, HBRUSH{}), 0);
  // A deleted pen or brush that is still selected falls back to the stock one.
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  SelectObject(a.dc(), pen);
  SelectObject(a.dc(), br);
  DeleteObject(pen);
  DeleteObject(br);
  EXPECT_TRUE(Rectangle(a.dc(), 0, 0, 4, 4));
  EXPECT_EQ(a.rgb(0, 0), 0u);         // black pen
  EXPECT_EQ(a.rgb(1, 1), 0xFFFFFFu);  // white brush
  EXPECT_EQ(FillRect(a.dc(), &r, br), 0);
  // Stock objects survive DeleteObject.
  HGDIOBJ black = GetStockObject(BLACK_BRUSH);
  EXPECT_TRUE(DeleteObject(black));
  EXPECT_EQ(FillRect(a.dc(), &r, HBRUSH(black)), 1);
  EXPECT_EQ(a.rgb(3, 3), 0u);
}

TEST(Drawing, ExtremeCoordinatesAreHarmless) {
  Canvas c(16, 16, 0);
  HDC dc = c.dc();
  const int big[] = {INT_MIN, -INT_MAX / 2, -1, 0, 7, INT_MAX / 2, INT_MAX};
  HBRUSH brush = HBRUSH(GetStockObject(WHITE_BRUSH));
  for (int a : big) {
    for (int b : big) {
      RECT r{a, b, b, a};
      RECT wide{INT_MIN, a, INT_MAX, b};
      FillRect(dc, &r, brush);
      FrameRect(dc, &wide, brush);
      InvertRect(dc, &wide);
      DrawFocusRect(dc, &r);
      RECT e = wide;
      DrawEdge(dc, &e, EDGE_SUNKEN, BF_RECT | BF_MIDDLE | BF_ADJUST);
      Rectangle(dc, a, b, b, a);
      Ellipse(dc, a, a, b, b);
      POINT tri[] = {{a, b}, {b, a}, {0, 15}};
      Polygon(dc, tri, 3);
      MoveToEx(dc, a, b, nullptr);
      LineTo(dc, b, a);
      SetPixel(dc, a, b, 0);
      BitBlt(dc, a, b, 8, 8, dc, b, a, SRCCOPY);
      StretchBlt(dc, a, b, 5, 5, dc, 0, 0, 4, 4, SRCCOPY);
      SetViewportOrgEx(dc, a, b, nullptr);
      OffsetViewportOrgEx(dc, a, b, nullptr);
      IntersectClipRect(dc, a, b, b, a);
      DrawText(dc, "Heat\\one\tlong", &wide,
               DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
      DrawText(dc, "Heat one", &wide, DT_WORDBREAK | DT_EXPANDTABS | DT_RIGHT);
      TextOut(dc, a, b, "x");
      SelectClipRgn(dc, HRGN{});
      SetViewportOrgEx(dc, 0, 0, nullptr);
    }
  }
  RECT all{0, 0, 16, 16};
  EXPECT_EQ(FillRect(dc, &all, brush), 1);
  EXPECT_EQ(c.Count(0xFFFFFF), 256);
}

TEST(Drawing, SystemColoursAndColourValues) {
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
  EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), RGB(128, 128, 128));
  EXPECT_EQ(GetSysColor(999), 0u);
  EXPECT_FALSE(GetSysColorBrush(-1));
  EXPECT_EQ(ResolveColor(0xFF00000D), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(ResolveColor(0x02123456), 0x123456u);
  EXPECT_EQ(ColorToPixel(RGB(0, 0, 128)), 0xFF000080u);  // navy
  EXPECT_EQ(ColorToPixel(RGB(0, 255, 0)), 0xFF00FF00u);  // lime
  EXPECT_EQ(PixelToColor(0x12345678), RGB(0x34, 0x56, 0x78));

  // The shared brush follows a change of the colour.
  Canvas c(2, 2, 0);
  COLORREF old = GetSysColor(COLOR_INFOBK);
  int index = COLOR_INFOBK;
  COLORREF pink = RGB(255, 0, 255);
  SetSysColors(1, &index, &pink);
  RECT r{0, 0, 2, 2};
  FillRect(c.dc(), &r, GetSysColorBrush(COLOR_INFOBK));
  EXPECT_EQ(c.rgb(1, 1), 0xFF00FFu);
  SetSysColors(1, &index, &old);
}

}  // namespace
}  // namespace platform
