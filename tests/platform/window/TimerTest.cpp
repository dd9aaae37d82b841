// Timers on the virtual clock, and a modal loop nested in the main one.
#include "WindowTestSupport.h"

namespace platform::test {
namespace {

class TimerTest : public WindowTest {};

TEST_F(TimerTest, TicksFollowTheClock) {
  HWND w = Top(0, 0, 100, 100);
  EXPECT_EQ(SetTimer(w, 5, 1000, nullptr), 5u);
  screen().Run(5000);
  EXPECT_EQ(Count(w, WM_TIMER), 5);
  EXPECT_EQ(Last(w, WM_TIMER)->wp, 5u);
  EXPECT_TRUE(KillTimer(w, 5));
  EXPECT_FALSE(KillTimer(w, 5));
  screen().Run(5000);
  EXPECT_EQ(Count(w, WM_TIMER), 5);
}

TEST_F(TimerTest, ALateTimerTicksOnceAndReplacingResetsIt) {
  HWND w = Top(0, 0, 100, 100);
  SetTimer(w, 1, 1000, nullptr);
  screen().AdvanceClock(3500);
  screen().Pump();
  EXPECT_EQ(Count(w, WM_TIMER), 1);
  screen().AdvanceClock(900);
  screen().Pump();
  EXPECT_EQ(Count(w, WM_TIMER), 1);  // the next is an interval after the late tick
  SetTimer(w, 1, 5000, nullptr);
  screen().Run(4000);
  EXPECT_EQ(Count(w, WM_TIMER), 1);
  screen().Run(1000);
  EXPECT_EQ(Count(w, WM_TIMER), 2);
}

std::vector<std::uintptr_t> g_procTicks;
void Tick(HWND, UINT msg, std::uintptr_t id, DWORD) {
  if (msg == WM_TIMER) g_procTicks.push_back(id);
}

TEST_F(TimerTest, TimerProceduresAndWindowlessTimers) {
  g_procTicks.clear();
  std::uintptr_t a = SetTimer(HWND{}, 0, 100, &Tick);
  std::uintptr_t b = SetTimer(HWND{}, 0, 250, &Tick);
  EXPECT_NE(a, 0u);
  EXPECT_NE(a, b);
  screen().Run(500);
  EXPECT_EQ(std::count(g_procTicks.begin(), g_procTicks.end(), a), 5);
  EXPECT_EQ(std::count(g_procTicks.begin(), g_procTicks.end(), b), 2);
  KillTimer(HWND{}, a);
  KillTimer(HWND{}, b);
}

TEST_F(TimerTest, AFilteredLoopWaitsForItsOwnTimerNotForOthers) {
  HWND mine = Top(0, 0, 100, 100);
  HWND other = Top(200, 0, 100, 100);
  screen().Pump();
  SetTimer(other, 1, 10, nullptr);
  SetTimer(mine, 2, 1000, nullptr);
  screen().AdvanceClock(20);  // the other window's timer is due, and stays so
  MSG m;
  ASSERT_EQ(GetMessage(&m, mine, 0, 0), TRUE);
  EXPECT_EQ(m.hwnd, mine);
  EXPECT_EQ(m.message, UINT(WM_TIMER));
  EXPECT_EQ(m.wParam, 2u);
}

TEST_F(TimerTest, TimersGoWithTheirWindow) {
  HWND w = Top(0, 0, 100, 100);
  SetTimer(w, 1, 100, nullptr);
  DestroyWindow(w);
  screen().Run(1000);
  EXPECT_EQ(Count(w, WM_TIMER), 0);
  EXPECT_EQ(SetTimer(w, 1, 100, nullptr), 0u);
}

// The classic modal pattern: disable the owner, run a loop of our own until
// the dialog says it is done, enable the owner again.
TEST_F(TimerTest, AModalLoopKeepsTheDisabledOwnerTicking) {
  HWND main = Top(0, 0, 400, 300);
  SetTimer(main, 1, 1000, nullptr);
  screen().Run(2000);
  ASSERT_EQ(Count(main, WM_TIMER), 2);

  bool done = false;
  int ticksInModal = -1, paintsInModal = 0;
  HWND dialog{};
  Handlers()[main.value] = [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_PAINT && dialog) ++paintsInModal;
    if (m == WM_USER) {  // "show the dialog modally"
      EnableWindow(h, FALSE);
      dialog = Top(50, 50, 200, 100, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, h);
      Handlers()[dialog.value] = [&](HWND d, UINT dm, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (dm == WM_TIMER) done = true;
        if (dm == WM_CLOSE) {
          done = true;
          ShowWindow(d, SW_HIDE);
          return 0;
        }
        return std::nullopt;
      };
      SetTimer(dialog, 9, 3500, nullptr);
      int before = Count(h, WM_TIMER);
      InvalidateRect(h, nullptr, TRUE);
      MSG msg;
      while (!done && GetMessage(&msg, HWND{}, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
      }
      ticksInModal = Count(h, WM_TIMER) - before;
      EnableWindow(h, TRUE);
      SetActiveWindow(h);
      return 0;
    }
    return std::nullopt;
  };
  // A click on the disabled owner while the dialog runs changes nothing.
  PostMessage(main, WM_USER, 0, 0);
  screen().Click(ScreenOfClient(main, 300, 250));
  screen().Pump();
  EXPECT_TRUE(done);
  EXPECT_EQ(ticksInModal, 3);
  EXPECT_GE(paintsInModal, 1);
  EXPECT_EQ(Count(main, WM_LBUTTONDOWN), 0);
  EXPECT_EQ(GetActiveWindow(), main);
  EXPECT_TRUE(IsWindowEnabled(main));
}

TEST_F(TimerTest, AQuitRequestEndsTheNestedLoopFirst) {
  HWND main = Top(0, 0, 400, 300);
  bool nestedEnded = false;
  Handlers()[main.value] = [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m != WM_USER) return std::nullopt;
    MSG msg;
    PostQuitMessage(4);
    while (GetMessage(&msg, HWND{}, 0, 0) > 0) DispatchMessage(&msg);
    nestedEnded = true;
    PostQuitMessage(int(msg.wParam));  // hand it on to the outer loop
    return 0;
  };
  PostMessage(main, WM_USER, 0, 0);
  screen().Pump();
  EXPECT_TRUE(nestedEnded);
  EXPECT_TRUE(screen().QuitSeen());
  EXPECT_EQ(screen().QuitCode(), 4);
}

}  // namespace
}  // namespace platform::test
