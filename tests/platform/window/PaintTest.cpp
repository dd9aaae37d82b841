// Update regions, the paint protocol, clipping between windows, window
// regions on the screen, the screen context, and pictures of windows.
#include <cstdio>
#include <string>

#include "WindowTestSupport.h"
#include "platform/gdi/Gdi.h"

namespace platform::test {
namespace {

class PaintTest : public WindowTest {
 protected:
  // Makes the window fill its whole client area with one colour on WM_PAINT.
  void PaintsIn(HWND h, COLORREF colour) {
    Handlers()[h.value] = [colour](HWND w, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (m != WM_PAINT) return std::nullopt;
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(w, &ps);
      RECT rc;
      GetClientRect(w, &rc);
      HBRUSH b = CreateSolidBrush(colour);
      FillRect(dc, &rc, b);
      DeleteObject(b);
      EndPaint(w, &ps);
      return 0;
    };
  }
  std::uint32_t At(HWND h, int x, int y) {
    POINT p = ScreenOfClient(h, x, y);
    return screen().ScreenPixel(p.x, p.y) & 0xFFFFFF;
  }
};

TEST_F(PaintTest, InvalidAreasGatherUntilPainted) {
  HWND w = Top(0, 0, 300, 200);
  screen().Pump();
  RECT u;
  EXPECT_FALSE(GetUpdateRect(w, &u, FALSE));
  RECT a{10, 10, 20, 20}, b{50, 40, 60, 45};
  InvalidateRect(w, &a, FALSE);
  InvalidateRect(w, &b, TRUE);
  ASSERT_TRUE(GetUpdateRect(w, &u, FALSE));
  EXPECT_EQ(u, (RECT{10, 10, 60, 45}));
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetUpdateRgn(w, rgn, FALSE), COMPLEXREGION);
  EXPECT_TRUE(PtInRegion(rgn, 15, 15));
  EXPECT_FALSE(PtInRegion(rgn, 30, 30));
  RECT cut{0, 0, 40, 40};
  ValidateRect(w, &cut);
  GetUpdateRect(w, &u, FALSE);
  EXPECT_EQ(u, b);
  DeleteObject(rgn);

  PAINTSTRUCT ps;
  Log().clear();
  HDC dc = BeginPaint(w, &ps);
  EXPECT_TRUE(dc);
  EXPECT_EQ(ps.rcPaint, b);
  EXPECT_FALSE(ps.fErase);  // erased with the class brush
  EXPECT_EQ(Count(w, WM_ERASEBKGND), 1);
  EndPaint(w, &ps);
  EXPECT_FALSE(GetUpdateRect(w, &u, FALSE));
  MSG m;
  EXPECT_FALSE(PeekMessage(&m, HWND{}, WM_PAINT, WM_PAINT, PM_NOREMOVE));
}

TEST_F(PaintTest, UnerasedBackgroundIsReportedToThePainter) {
  HWND w = Top(0, 0, 300, 200);
  screen().Pump();
  Handlers()[w.value] = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_ERASEBKGND) return 0;
    return std::nullopt;
  };
  InvalidateRect(w, nullptr, TRUE);
  PAINTSTRUCT ps;
  BeginPaint(w, &ps);
  EXPECT_TRUE(ps.fErase);
  EndPaint(w, &ps);
  InvalidateRect(w, nullptr, FALSE);
  BeginPaint(w, &ps);
  EXPECT_FALSE(ps.fErase);
  EndPaint(w, &ps);
}

TEST_F(PaintTest, ClippedChildrenKeepTheirPixelsAndSiblingsAboveWin) {
  HWND parent = Top(0, 0, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN);
  HWND low = Child(parent, 10, 10, 100, 100);
  HWND high = Child(parent, 60, 60, 100, 100);  // created later: on top
  PaintsIn(parent, RGB(0, 0, 255));
  PaintsIn(low, RGB(0, 255, 0));
  PaintsIn(high, RGB(255, 0, 0));
  screen().Pump();
  EXPECT_EQ(At(parent, 5, 5), 0x0000FFu);
  EXPECT_EQ(At(parent, 20, 20), 0x00FF00u);
  EXPECT_EQ(At(parent, 70, 70), 0xFF0000u);
  InvalidateRect(parent, nullptr, TRUE);
  InvalidateRect(low, nullptr, TRUE);
  Log().clear();
  screen().Pump();
  EXPECT_EQ(Count(high, WM_PAINT), 0);  // nothing reached it
  EXPECT_EQ(At(parent, 20, 20), 0x00FF00u);
  EXPECT_EQ(At(parent, 70, 70), 0xFF0000u);
  EXPECT_EQ(At(parent, 200, 150), 0x0000FFu);
}

// A window made smaller than a child of its: the child shows only inside
// the client area, and the frame it hangs over is still painted there.
TEST_F(PaintTest, TheFrameIsPaintedWhereAChildHangsOverIt) {
  HWND parent = Top(0, 0, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN);
  RECT client;
  GetClientRect(parent, &client);
  HWND child = Child(parent, client.right - 20, client.bottom - 20, 100, 100);
  PaintsIn(child, RGB(0, 255, 0));
  screen().Pump();
  HDC dc = GetWindowDC(parent);
  RECT all{0, 0, 300, 200};
  HBRUSH brush = CreateSolidBrush(RGB(255, 0, 255));
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  ReleaseDC(parent, dc);
  EXPECT_EQ(screen().ScreenPixel(299, 199) & 0xFFFFFF, 0xFF00FFu) << "the frame's corner";
  EXPECT_EQ(At(parent, client.right - 1, client.bottom - 1), 0x00FF00u) << "the child";
}

TEST_F(PaintTest, ScrollingMovesVisiblePixelsAndInvalidatesTheRest) {
  HWND parent = Top(0, 0, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN);
  HWND view = Child(parent, 10, 10, 100, 100);
  HWND over = Child(parent, 60, 60, 50, 20);  // covers view's (50, 50)-(100, 70)
  PaintsIn(over, RGB(0, 0, 255));
  // Bands of ten rows, numbered from the scrolled-to row.
  int offset = 0;
  RECT painted{};
  auto band = [](int k) { return COLORREF(RGB(k * 12, 100, 0)); };
  Handlers()[view.value] = [&](HWND w, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m != WM_PAINT) return std::nullopt;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    painted = ps.rcPaint;
    for (int y = 0; y < 100; y += 10) {
      RECT r{0, y, 100, y + 10};
      HBRUSH b = CreateSolidBrush(band((y + offset) / 10));
      FillRect(dc, &r, b);
      DeleteObject(b);
    }
    EndPaint(w, &ps);
    return 0;
  };
  screen().Pump();
  auto shows = [&](int x, int y) {
    const int k = (y + offset) / 10;
    return At(view, x, y) == (std::uint32_t(k * 12) << 16 | 100u << 8);
  };
  offset = 10;
  ASSERT_TRUE(ScrollWindow(view, 0, -10, nullptr, nullptr));
  screen().Pump();
  // Only what came out from under the sibling and the bottom strip painted.
  EXPECT_EQ(painted, (RECT{0, 40, 100, 100}));
  for (auto [x, y] : {std::pair{20, 5}, {20, 45}, {75, 45}, {20, 95}, {75, 95}, {75, 85}})
    EXPECT_TRUE(shows(x, y)) << x << "," << y;
  EXPECT_EQ(At(over, 5, 5), 0x0000FFu);
  // Nothing to move, or a bad window.
  EXPECT_TRUE(ScrollWindow(view, 0, 0, nullptr, nullptr));
  EXPECT_FALSE(ScrollWindow(HWND{0x77}, 0, 5, nullptr, nullptr));
  // A move larger than the area moves nothing and paints it all.
  offset = 100;
  ScrollWindow(view, 0, -150, nullptr, nullptr);
  screen().Pump();
  EXPECT_EQ(painted, (RECT{0, 0, 100, 100}));
  EXPECT_TRUE(shows(20, 5));
}

TEST_F(PaintTest, AParentWithoutClippingRepaintsItsChildrenToo) {
  HWND parent = Top(0, 0, 300, 200);
  HWND child = Child(parent, 10, 10, 50, 50);
  PaintsIn(parent, RGB(0, 0, 255));
  PaintsIn(child, RGB(255, 0, 0));
  screen().Pump();
  Log().clear();
  InvalidateRect(parent, nullptr, FALSE);
  screen().Pump();
  EXPECT_EQ(Count(child, WM_PAINT), 1);
  EXPECT_LT(IndexOf(parent, WM_PAINT), IndexOf(child, WM_PAINT));
  EXPECT_EQ(At(parent, 20, 20), 0xFF0000u);
}

TEST_F(PaintTest, UpdateNowPaintsBeforeReturningAndFramesGetTheirOwnMessage) {
  HWND w = Top(0, 0, 300, 200);
  screen().Pump();
  Log().clear();
  InvalidateRect(w, nullptr, FALSE);
  UpdateWindow(w);
  EXPECT_EQ(Count(w, WM_PAINT), 1);
  Log().clear();
  RedrawWindow(w, nullptr, HRGN{}, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
  screen().Pump();
  EXPECT_EQ(Count(w, WM_NCPAINT), 1);
  EXPECT_EQ(Count(w, WM_PAINT), 1);  // without a frame flag the client area is included
  Log().clear();
  RECT frameOnly{-2, -2, -1, -1};  // client coordinates: above and left of the client area
  RedrawWindow(w, &frameOnly, HRGN{}, RDW_FRAME | RDW_INVALIDATE);
  screen().Pump();
  EXPECT_EQ(Count(w, WM_NCPAINT), 1);
  EXPECT_EQ(Count(w, WM_PAINT), 0);
}

TEST_F(PaintTest, InternalPaintAsksForPaintWithoutAnArea) {
  HWND w = Top(0, 0, 300, 200);
  screen().Pump();
  Log().clear();
  RedrawWindow(w, nullptr, HRGN{}, RDW_INTERNALPAINT);
  RECT u;
  EXPECT_FALSE(GetUpdateRect(w, &u, FALSE));
  screen().Pump();
  EXPECT_EQ(Count(w, WM_PAINT), 1);
}

TEST_F(PaintTest, TheScreenShowsTopWindowsAndWindowRegionsCutThem) {
  HWND a = Top(0, 0, 300, 200, WS_POPUP | WS_VISIBLE);
  HWND b = Top(100, 100, 300, 200, WS_POPUP | WS_VISIBLE);
  PaintsIn(a, RGB(0, 255, 0));
  PaintsIn(b, RGB(255, 0, 0));
  screen().Pump();
  EXPECT_EQ(screen().ScreenPixel(150, 150) & 0xFFFFFF, 0xFF0000u);
  SetActiveWindow(a);
  EXPECT_EQ(screen().ScreenPixel(150, 150) & 0xFFFFFF, 0x00FF00u);
  EXPECT_EQ(screen().ScreenPixel(1000, 700) & 0xFFFFFF, 0x008080u);  // the desktop

  // Only the left half of `a` remains: b shows through, clicks pass by.
  EXPECT_NE(SetWindowRgn(a, CreateRectRgn(0, 0, 150, 200), TRUE), 0);
  screen().Pump();
  EXPECT_EQ(screen().ScreenPixel(200, 150) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(screen().ScreenPixel(120, 150) & 0xFFFFFF, 0x00FF00u);
  EXPECT_EQ(screen().ScreenPixel(250, 50) & 0xFFFFFF, 0x008080u);
  EXPECT_EQ(WindowFromPoint(POINT{200, 150}), b);
  HRGN copy = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(a, copy), SIMPLEREGION);
  EXPECT_EQ(GetWindowRgn(b, copy), RGN_ERROR);  // b has none
  DeleteObject(copy);
  EXPECT_EQ(SetWindowRgn(a, HRGN{0x5555}, TRUE), 0);
  EXPECT_NE(SetWindowRgn(a, HRGN{}, TRUE), 0);
  screen().Pump();
  EXPECT_EQ(screen().ScreenPixel(250, 50) & 0xFFFFFF, 0x00FF00u);
}

TEST_F(PaintTest, DrawingOnTheScreenContextInvertsAndRestores) {
  HWND w = Top(0, 0, 300, 200, WS_POPUP | WS_VISIBLE);
  PaintsIn(w, RGB(0, 255, 0));
  screen().Pump();
  HDC dc = GetDC(nullptr);
  ASSERT_TRUE(dc);
  EXPECT_EQ(WindowFromDC(dc), GetDesktopWindow());
  RECT r{100, 100, 500, 300};
  InvertRect(dc, &r);
  EXPECT_EQ(screen().ScreenPixel(150, 150) & 0xFFFFFF, 0xFF00FFu);
  EXPECT_EQ(screen().ScreenPixel(400, 150) & 0xFFFFFF, 0xFF7F7Fu);
  InvertRect(dc, &r);
  ReleaseDC(HWND{}, dc);
  EXPECT_EQ(screen().ScreenPixel(150, 150) & 0xFFFFFF, 0x00FF00u);
}

TEST_F(PaintTest, ContextsFollowTheirWindowWhenItMoves) {
  HWND w = Top(0, 0, 300, 200, WS_POPUP | WS_VISIBLE);
  HWND c = Child(w, 10, 10, 50, 50);
  screen().Pump();
  HDC dc = GetDC(c);
  MoveWindow(c, 100, 100, 50, 50, FALSE);
  ValidateRect(c, nullptr);
  ValidateRect(w, nullptr);
  RECT all{0, 0, 50, 50};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &all, red);
  DeleteObject(red);
  ReleaseDC(c, dc);
  screen().Pump();
  EXPECT_EQ(At(w, 120, 120), 0xFF0000u);
  EXPECT_NE(At(w, 20, 20), 0xFF0000u);
  // A context outliving its window draws nowhere and is refused afterwards.
  HDC stale = GetDC(c);
  DestroyWindow(c);
  RECT r{0, 0, 10, 10};
  FillRect(stale, &r, HBRUSH{COLOR_WINDOW + 1});
  EXPECT_EQ(ReleaseDC(c, stale), 0);
}

TEST_F(PaintTest, AWindowPictureIsWrittenAsPng) {
  HWND w = Top(20, 30, 120, 80, WS_POPUP | WS_VISIBLE);
  HWND c = Child(w, 10, 10, 30, 20);
  PaintsIn(w, RGB(0, 0, 255));
  PaintsIn(c, RGB(255, 255, 0));
  screen().Pump();
  std::string path = ::testing::TempDir() + "window_capture.png";
  std::string shot = ::testing::TempDir() + "screen_capture.png";
  ASSERT_TRUE(screen().CaptureWindow(w, path));
  ASSERT_TRUE(screen().CaptureScreen(shot));
  SurfaceBuffer back;
  ASSERT_TRUE(ReadPng(path, &back));
  EXPECT_EQ(back.Width(), 120);
  EXPECT_EQ(back.Height(), 80);
  EXPECT_EQ(back.At(5, 5) & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(back.At(15, 15) & 0xFFFFFF, 0xFFFF00u);
  ASSERT_TRUE(screen().CaptureWindow(c, path));
  ASSERT_TRUE(ReadPng(path, &back));
  EXPECT_EQ(back.Width(), 30);
  SurfaceBuffer whole;
  ASSERT_TRUE(ReadPng(shot, &whole));
  EXPECT_EQ(whole.Width(), 1280);
  EXPECT_EQ(whole.At(35, 45) & 0xFFFFFF, 0xFFFF00u);
  EXPECT_FALSE(screen().CaptureWindow(HWND{0x999}, path));
  std::remove(path.c_str());
  std::remove(shot.c_str());
}

TEST_F(PaintTest, TheCaretBlinksAndPaintingDoesNotSmearIt) {
  HWND w = Top(0, 0, 300, 200, WS_POPUP | WS_VISIBLE);
  PaintsIn(w, RGB(0, 0, 255));
  screen().Pump();
  ASSERT_TRUE(CreateCaret(w, HBITMAP{}, 2, 14));
  SetCaretPos(10, 10);
  EXPECT_EQ(At(w, 10, 10), 0x0000FFu);  // created hidden
  ShowCaret(w);
  screen().Pump();
  EXPECT_EQ(At(w, 10, 10), 0xFFFF00u);  // inverted blue
  EXPECT_EQ(At(w, 12, 10), 0x0000FFu);
  screen().Run(GetCaretBlinkTime());
  EXPECT_EQ(At(w, 10, 10), 0x0000FFu);
  screen().Run(GetCaretBlinkTime());
  EXPECT_EQ(At(w, 10, 10), 0xFFFF00u);
  // A repaint under the caret hides it first and shows it after.
  InvalidateRect(w, nullptr, TRUE);
  screen().Pump();
  EXPECT_EQ(At(w, 10, 10), 0xFFFF00u);
  HideCaret(w);
  screen().Pump();
  EXPECT_EQ(At(w, 10, 10), 0x0000FFu);
  // Moved inside an area waiting for its repaint, it ends up drawn once, at
  // its new place, and the old place comes back clean; if that area is
  // validated instead of painted, the next blink puts the old place right.
  ShowCaret(w);
  InvalidateRect(w, nullptr, FALSE);
  SetCaretPos(40, 10);
  screen().Pump();
  EXPECT_EQ(At(w, 10, 10), 0x0000FFu);
  EXPECT_EQ(At(w, 40, 10), 0xFFFF00u);
  InvalidateRect(w, nullptr, FALSE);
  SetCaretPos(20, 10);
  SetCaretPos(25, 10);
  ValidateRect(w, nullptr);
  screen().Run(GetCaretBlinkTime());
  EXPECT_EQ(At(w, 40, 10), 0x0000FFu);
  EXPECT_EQ(At(w, 20, 10), 0x0000FFu);
  EXPECT_EQ(At(w, 25, 10), 0xFFFF00u);
  EXPECT_FALSE(ShowCaret(HWND{0x4444}));
  DestroyWindow(w);
  EXPECT_FALSE(DestroyCaret());  // it went with its window
  EXPECT_FALSE(SetCaretPos(1, 1));
}

TEST_F(PaintTest, AProcedureThatNeverPaintsDoesNotStarveTimers) {
  HWND w = Top(0, 0, 300, 200);
  Handlers()[w.value] = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_PAINT) return 0;  // forgets BeginPaint
    return std::nullopt;
  };
  SetTimer(w, 1, 100, nullptr);
  InvalidateRect(w, nullptr, TRUE);
  screen().Run(300);
  EXPECT_EQ(Count(w, WM_TIMER), 3);
  EXPECT_LE(Count(w, WM_PAINT), 3);
}

}  // namespace
}  // namespace platform::test
