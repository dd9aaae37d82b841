// Frame sizes, hit testing, the move/size loop with its hooks, caption
// buttons, system metrics and monitors.
#include <cstdlib>
#include <string>

#include "WindowTestSupport.h"
#include "platform/base/LocaleServices.h"

namespace platform::test {
namespace {

class NonClientTest : public WindowTest {};

RECT ClientOf(HWND h) {
  RECT r;
  GetClientRect(h, &r);
  return r;
}

TEST_F(NonClientTest, ClientAreaFollowsTheFrameStyles) {
  EXPECT_EQ(ClientOf(Top(0, 0, 300, 200)), (RECT{0, 0, 292, 173}));
  EXPECT_EQ(ClientOf(Top(0, 0, 300, 200, WS_POPUP | WS_BORDER)), (RECT{0, 0, 298, 198}));
  EXPECT_EQ(ClientOf(Top(0, 0, 300, 200, WS_POPUP | WS_CAPTION | WS_SYSMENU)),
            (RECT{0, 0, 294, 175}));
  HWND parent = Top(0, 0, 300, 200);
  HWND edged = CreateWindowEx(WS_EX_CLIENTEDGE, "Recorder", "", WS_CHILD | WS_VSCROLL, 0, 0, 100,
                              50, parent, HMENU{});
  EXPECT_EQ(ClientOf(edged), (RECT{0, 0, 80, 46}));
  HWND menu = Top(0, 0, 300, 200);
  SetMenu(menu, HMENU{1});
  EXPECT_EQ(ClientOf(menu), (RECT{0, 0, 292, 154}));
  RECT r{0, 0, 292, 154};
  AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, TRUE, 0);
  EXPECT_EQ(r, (RECT{-4, -42, 296, 158}));
}

TEST_F(NonClientTest, AWindowCanTakeItsWholeFrame) {
  ClassHandler() = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_NCCALCSIZE) return 0;  // the client area is the whole window
    return std::nullopt;
  };
  HWND w = Top(0, 0, 300, 200);
  EXPECT_EQ(ClientOf(w), (RECT{0, 0, 300, 200}));
  MoveWindow(w, 0, 0, 320, 240, TRUE);
  EXPECT_EQ(ClientOf(w), (RECT{0, 0, 320, 240}));
}

TEST_F(NonClientTest, HitTestCodesAcrossTheFrame) {
  HWND w = Top(100, 100, 300, 200);
  auto hit = [&](int x, int y) { return SendMessage(w, WM_NCHITTEST, 0, MAKELPARAM(x, y)); };
  EXPECT_EQ(hit(101, 200), HTLEFT);
  EXPECT_EQ(hit(398, 200), HTRIGHT);
  EXPECT_EQ(hit(250, 101), HTTOP);
  EXPECT_EQ(hit(250, 298), HTBOTTOM);
  EXPECT_EQ(hit(101, 101), HTTOPLEFT);
  EXPECT_EQ(hit(110, 101), HTTOPLEFT);  // corners reach along the edges
  EXPECT_EQ(hit(398, 298), HTBOTTOMRIGHT);
  EXPECT_EQ(hit(101, 298), HTBOTTOMLEFT);
  EXPECT_EQ(hit(398, 101), HTTOPRIGHT);
  EXPECT_EQ(hit(250, 112), HTCAPTION);
  EXPECT_EQ(hit(385, 112), HTCLOSE);
  EXPECT_EQ(hit(368, 112), HTMAXBUTTON);
  EXPECT_EQ(hit(352, 112), HTMINBUTTON);
  EXPECT_EQ(hit(110, 112), HTSYSMENU);
  EXPECT_EQ(hit(250, 200), HTCLIENT);
  EXPECT_EQ(hit(50, 50), HTNOWHERE);
  SetMenu(w, HMENU{1});
  EXPECT_EQ(hit(250, 130), HTMENU);
  ShowWindow(w, SW_MAXIMIZE);
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(hit(r.left + 1, 300), HTBORDER);  // no sizing while maximised
  HWND thin = Top(500, 100, 100, 100, WS_POPUP | WS_BORDER | WS_VISIBLE);
  EXPECT_EQ(SendMessage(thin, WM_NCHITTEST, 0, MAKELPARAM(500, 150)), HTBORDER);
}

TEST_F(NonClientTest, DraggingTheCaptionMovesTheWindowThroughTheHooks) {
  HWND w = Top(100, 100, 300, 200);
  screen().Pump();
  Log().clear();
  screen().MouseMove(POINT{200, 110});
  screen().MouseDown(POINT{200, 110});
  screen().MouseMove(POINT{230, 120});
  screen().MouseMove(POINT{250, 140});
  screen().MouseUp(POINT{250, 140});
  screen().Pump();
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r, (RECT{150, 130, 450, 330}));
  EXPECT_EQ(Count(w, WM_ENTERSIZEMOVE), 1);
  EXPECT_EQ(Count(w, WM_EXITSIZEMOVE), 1);
  EXPECT_GE(Count(w, WM_MOVING), 2);
  EXPECT_EQ(GetCapture(), HWND{});
}

TEST_F(NonClientTest, PositionHooksCanSnapTheWindow) {
  HWND w = Top(100, 100, 300, 200);
  Handlers()[w.value] = [](HWND, UINT m, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
    if (m != WM_WINDOWPOSCHANGING) return std::nullopt;
    auto* pos = reinterpret_cast<WINDOWPOS*>(lp);
    if (!(pos->flags & SWP_NOMOVE) && pos->x < 10 && pos->x > -10) pos->x = 0;
    return 0;
  };
  screen().Pump();
  screen().MouseDown(POINT{200, 110});
  screen().MouseMove(POINT{107, 110});  // window left edge at 7
  screen().MouseUp(POINT{107, 110});
  screen().Pump();
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r.left, 0);
  screen().MouseDown(POINT{150, 110});
  screen().MouseMove(POINT{160, 110});  // left edge at 10: no snap
  screen().MouseUp(POINT{160, 110});
  screen().Pump();
  GetWindowRect(w, &r);
  EXPECT_EQ(r.left, 10);
}

TEST_F(NonClientTest, SizingStopsAtTheMinimumTrackingSize) {
  HWND w = Top(100, 100, 300, 200);
  Handlers()[w.value] = [](HWND, UINT m, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
    if (m != WM_GETMINMAXINFO) return std::nullopt;
    reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = POINT{200, 150};
    return 0;
  };
  screen().Pump();
  Log().clear();
  screen().MouseDown(POINT{398, 200});
  screen().MouseMove(POINT{150, 200});
  screen().MouseUp(POINT{150, 200});
  screen().Pump();
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r, (RECT{100, 100, 300, 300}));
  EXPECT_GE(Count(w, WM_SIZING), 1);
  EXPECT_EQ(Last(w, WM_SIZING)->wp, WMSZ_RIGHT);
  // Escape puts the window back where the drag began.
  screen().MouseDown(POINT{200, 298});
  screen().MouseMove(POINT{200, 400});
  screen().KeyPress(VK_ESCAPE);
  screen().MouseUp(POINT{200, 400});
  screen().Pump();
  GetWindowRect(w, &r);
  EXPECT_EQ(r, (RECT{100, 100, 300, 300}));
}

TEST_F(NonClientTest, CaptionButtonsActOnReleaseOverThem) {
  HWND w = Top(100, 100, 300, 200);
  screen().Pump();
  screen().MouseDown(POINT{385, 112});
  screen().MouseMove(POINT{250, 150});  // slide off: nothing happens
  screen().MouseUp(POINT{250, 150});
  screen().Pump();
  EXPECT_TRUE(IsWindow(w));
  screen().Click(POINT{368, 112});
  screen().Pump();
  EXPECT_TRUE(IsZoomed(w));
  // A window that answers WM_CLOSE itself (hiding, say) is not destroyed.
  Handlers()[w.value] = [](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m != WM_CLOSE) return std::nullopt;
    ShowWindow(h, SW_HIDE);
    return 0;
  };
  RECT r;
  GetWindowRect(w, &r);
  screen().Click(POINT{r.right - 15, r.top + 12});
  screen().Pump();
  EXPECT_TRUE(IsWindow(w));
  EXPECT_FALSE(IsWindowVisible(w));
  Handlers().clear();
  ShowWindow(w, SW_RESTORE);
  screen().Pump();
  screen().DoubleClick(POINT{250, 112});
  screen().Pump();
  EXPECT_TRUE(IsZoomed(w));
  PostMessage(w, WM_SYSCOMMAND, SC_CLOSE, 0);
  screen().Pump();
  EXPECT_FALSE(IsWindow(w));
}

TEST_F(NonClientTest, ClassicMetricsWorkAreaAndMonitor) {
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 800);
  EXPECT_EQ(GetSystemMetrics(SM_CXFRAME), 4);
  EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
  EXPECT_EQ(GetSystemMetrics(SM_CYMENU), 19);
  EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 16);
  EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), 16);
  EXPECT_EQ(GetSystemMetrics(SM_CXEDGE), 2);
  EXPECT_EQ(GetSystemMetrics(SM_CXDLGFRAME), 3);
  EXPECT_EQ(GetSystemMetrics(12345), 0);
  RECT work;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_EQ(work, (RECT{0, 0, 1280, 760}));
  EXPECT_FALSE(SystemParametersInfo(SPI_GETWORKAREA, 0, nullptr, 0));
  HWND w = Top(100, 100, 300, 200);
  MONITORINFO mi;
  ASSERT_TRUE(GetMonitorInfo(MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST), &mi));
  EXPECT_EQ(mi.rcMonitor, (RECT{0, 0, 1280, 800}));
  EXPECT_EQ(mi.rcWork, work);
  EXPECT_EQ(MonitorFromPoint(POINT{-50, -50}, MONITOR_DEFAULTTONULL), HMONITOR{});
  EXPECT_FALSE(GetMonitorInfo(HMONITOR{77}, &mi));

  UseHeadlessScreen(HeadlessOptions{800, 600, 30});
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(work, (RECT{0, 0, 800, 570}));
}

TEST_F(NonClientTest, RegionalChangeIsAnnouncedToEveryWindow) {
  HWND a = Top(0, 0, 100, 100);
  HWND b = Top(0, 0, 100, 100, WS_POPUP);
  Log().clear();
  // The announcement also re-reads the locale the environment names.
  const char* saved = std::getenv("LC_ALL");
  const std::string keep = saved ? saved : "";
  setenv("LC_ALL", "C", 1);
  AnnounceRegionalSettingsChange();
  EXPECT_EQ(GetUserDefaultLCID(), 1033u);
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  AnnounceRegionalSettingsChange();
  EXPECT_EQ(GetUserDefaultLCID(), 1031u);
  if (saved)
    setenv("LC_ALL", keep.c_str(), 1);
  else
    unsetenv("LC_ALL");
  Log().clear();
  AnnounceRegionalSettingsChange();
  auto got = Last(a, WM_SETTINGCHANGE);
  ASSERT_TRUE(got);
  EXPECT_STREQ(reinterpret_cast<const char*>(got->lp), "intl");
  EXPECT_EQ(Count(b, WM_SETTINGCHANGE), 1);
}

TEST_F(NonClientTest, ScrollBarsKeepTheirRangeAndAppearWhenNeeded) {
  HWND w = Top(0, 0, 200, 100, WS_POPUP | WS_VISIBLE);
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMax = 99;
  si.nPage = 10;
  si.nPos = 500;
  EXPECT_EQ(SetScrollInfo(w, SB_VERT, &si, TRUE), 90);  // the last full page
  EXPECT_TRUE(GetWindowLongPtr(w, GWL_STYLE) & WS_VSCROLL);
  EXPECT_EQ(ClientOf(w), (RECT{0, 0, 184, 100}));
  EXPECT_EQ(SendMessage(w, WM_NCHITTEST, 0, MAKELPARAM(190, 50)), HTVSCROLL);
  SCROLLINFO got;
  got.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(w, SB_VERT, &got));
  EXPECT_EQ(got.nMax, 99);
  EXPECT_EQ(got.nPage, 10u);
  EXPECT_EQ(SetScrollPos(w, SB_VERT, -5, TRUE), 90);
  EXPECT_EQ(GetScrollPos(w, SB_VERT), 0);
  si.fMask = SIF_PAGE;
  si.nPage = 200;  // everything fits: the bar goes
  SetScrollInfo(w, SB_VERT, &si, TRUE);
  EXPECT_FALSE(GetWindowLongPtr(w, GWL_STYLE) & WS_VSCROLL);
  EXPECT_EQ(ClientOf(w), (RECT{0, 0, 200, 100}));
  EXPECT_EQ(SetScrollInfo(w, 7, &si, TRUE), 0);
  EXPECT_EQ(SetScrollInfo(HWND{0x77}, SB_VERT, &si, TRUE), 0);
}

TEST_F(NonClientTest, HoldingAnArrowRepeatsAndTheThumbDrags) {
  HWND w = Top(0, 0, 200, 100, WS_POPUP | WS_VISIBLE);
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE;
  si.nMax = 99;
  si.nPage = 10;
  SetScrollInfo(w, SB_VERT, &si, TRUE);
  std::vector<unsigned> codes;
  std::vector<int> tracked;
  Handlers()[w.value] = [&](HWND h, UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (m != WM_VSCROLL) return std::nullopt;
    codes.push_back(LOWORD(wp));
    if (LOWORD(wp) == SB_LINEDOWN) {
      SetScrollPos(h, SB_VERT, GetScrollPos(h, SB_VERT) + 1, TRUE);
      if (GetScrollPos(h, SB_VERT) == 3) screen().MouseUp(POINT{192, 92});
    }
    if (LOWORD(wp) == SB_THUMBTRACK || LOWORD(wp) == SB_THUMBPOSITION)
      tracked.push_back(int(HIWORD(wp)));
    return 0;
  };
  screen().Pump();
  screen().MouseDown(POINT{192, 92});  // the down arrow, held
  screen().Pump();
  EXPECT_EQ(codes, (std::vector<unsigned>{SB_LINEDOWN, SB_LINEDOWN, SB_LINEDOWN, SB_ENDSCROLL}));
  EXPECT_EQ(GetCapture(), HWND{});

  SetScrollPos(w, SB_VERT, 0, TRUE);
  codes.clear();
  screen().MouseDown(POINT{192, 20});  // the thumb: track 16..84, thumb 8 long
  screen().MouseMove(POINT{192, 54});
  screen().MouseUp(POINT{192, 54});
  screen().Pump();
  EXPECT_EQ(codes.back(), SB_ENDSCROLL);
  ASSERT_EQ(tracked.size(), 2u);
  EXPECT_EQ(tracked[0], 51);  // 34 of 60 pixels of travel over 90 positions
  EXPECT_EQ(tracked[1], 51);
}

}  // namespace
}  // namespace platform::test
