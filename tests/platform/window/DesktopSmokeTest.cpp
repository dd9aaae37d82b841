// The desktop backend on a real X server: a window of ours appears at its
// place, real pointer and key events reach it, and moving it moves what the
// screen shows. Starts its own Xvfb; skipped only when Xvfb is not installed.
#include <gtest/gtest.h>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/WindowSystemStart.h"
#include "platform/backends/BackendChoice.h"
#include "platform/gdi/Gdi.h"
#include "platform/testing/HeadlessScreen.h"
#include "platform/window/Window.h"
#include "support/XServer.h"

// The session bus library that SDL2 talks to keeps a buffer it never frees;
// that is not ours to fix, so the leak checker is told to pass over it.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libdbus-1.so\n";
}

namespace platform::test {
namespace {

struct Seen {
  POINT click{-1, -1};
  std::string chars;
};
Seen g_seen;

LRESULT SmokeProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  switch (m) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      RECT rc;
      GetClientRect(h, &rc);
      HBRUSH green = CreateSolidBrush(RGB(0, 200, 0));
      FillRect(dc, &rc, green);
      DeleteObject(green);
      EndPaint(h, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN:
      g_seen.click = POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      return 0;
    case WM_CHAR:
      g_seen.chars += char(wp);
      return 0;
  }
  return DefWindowProc(h, m, wp, lp);
}

class DesktopSmokeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto ready = server_.StartForTest(1024, 768, {});
    if (ready.skip) GTEST_SKIP() << ready.why;
    ASSERT_TRUE(ready.why.empty()) << ready.why;
    setenv("SPRINTARA_BACKEND", "desktop", 1);
    unsetenv("SPRINTARA_SCALE");  // at factor 1, whatever the developer's display
    StartWindowSystem(CreateBackendFromEnvironment());
  }

  void TearDown() override {
    UseHeadlessScreen();  // closes the native windows and the display
    server_.Stop();
    unsetenv("SPRINTARA_BACKEND");
  }

  // Runs the real loop (which presents when idle) until `done` or the time is up.
  template <class Done>
  bool Loop(HWND w, int ms, Done done) {
    SetTimer(w, 1, 20, nullptr);
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    MSG msg;
    while (!done() && std::chrono::steady_clock::now() < until &&
           GetMessage(&msg, HWND{}, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
    KillTimer(w, 1);
    return done();
  }

  SurfaceBuffer Screenshot() {
    std::string path =
        ::testing::TempDir() + "desktop_smoke_" + std::to_string(server_.Display()) + ".png";
    SurfaceBuffer shot;
    EXPECT_TRUE(server_.Screenshot(path)) << "screenshot failed";
    EXPECT_TRUE(ReadPng(path, &shot));
    std::remove(path.c_str());
    return shot;
  }

  testsupport::XServer server_;
};

// The colour of screen pixels, looked at again until they all hold the wanted
// colours or the time is up (a busy machine may draw late).
struct Probe {
  int x, y;
  std::uint32_t rgb;
};

TEST_F(DesktopSmokeTest, ARealWindowShowsTakesInputAndMoves) {
  ASSERT_STREQ(InstalledBackendName(), "desktop");
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  WNDCLASS wc;
  wc.lpfnWndProc = SmokeProc;
  wc.lpszClassName = "Smoke";
  ASSERT_NE(RegisterClass(&wc), 0);
  HWND w = CreateWindowEx(0, "Smoke", "Smoke", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, HWND{},
                          HMENU{});
  ASSERT_TRUE(IsWindow(w));
  auto expectScreen = [&](std::initializer_list<Probe> probes) {
    SurfaceBuffer shot;
    for (int attempt = 0; attempt < 20; ++attempt) {
      Loop(w, 250, [] { return false; });
      shot = Screenshot();
      if (shot.Width() != 1024) continue;
      bool all = true;
      for (const Probe& p : probes) all = all && (shot.At(p.x, p.y) & 0xFFFFFF) == p.rgb;
      if (all) return;
    }
    ASSERT_EQ(shot.Width(), 1024);
    for (const Probe& p : probes)
      EXPECT_EQ(shot.At(p.x, p.y) & 0xFFFFFF, p.rgb) << "at " << p.x << ", " << p.y;
  };
  expectScreen({{150, 150, 0x00C800u}, {50, 50, 0x000000u}});

  std::thread input([this] { server_.Run("xdotool mousemove 160 170 click 1 sleep 0.3 type ab"); });
  bool got = Loop(w, 15000, [] { return g_seen.click.x >= 0 && g_seen.chars.size() >= 2; });
  input.join();
  EXPECT_TRUE(got);
  EXPECT_EQ(g_seen.click, (POINT{60, 70}));
  EXPECT_EQ(g_seen.chars, "ab");

  MoveWindow(w, 500, 400, 300, 200, TRUE);
  expectScreen({{600, 500, 0x00C800u}, {150, 150, 0x000000u}});

  // Drawing on the screen, as a move outline does, shows over the desktop
  // and goes again when drawn a second time.
  HDC screenDC = GetDC(nullptr);
  RECT lines[] = {{50, 50, 250, 52}, {50, 148, 250, 150}, {50, 52, 52, 148}, {248, 52, 250, 148}};
  for (const RECT& r : lines) InvertRect(screenDC, &r);
  ReleaseDC(HWND{}, screenDC);
  expectScreen({{100, 51, 0xFFFFFFu}, {51, 100, 0xFFFFFFu}, {100, 100, 0x000000u}});
  screenDC = GetDC(nullptr);
  for (const RECT& r : lines) InvertRect(screenDC, &r);
  ReleaseDC(HWND{}, screenDC);
  expectScreen({{100, 51, 0x000000u}});

  // A window region cuts the real window: only the left half remains.
  SetWindowRgn(w, CreateRectRgn(0, 0, 150, 200), TRUE);
  expectScreen({{600, 500, 0x00C800u}, {720, 500, 0x000000u}});
}

}  // namespace
}  // namespace platform::test
