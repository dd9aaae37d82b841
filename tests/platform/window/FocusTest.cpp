// Activation, focus, capture, mouse and keyboard routing, disabled windows.
#include "WindowTestSupport.h"

namespace platform::test {
namespace {

class FocusTest : public WindowTest {};

TEST_F(FocusTest, ActivationMovesBetweenWindowsWithTheirNotifications) {
  HWND a = Top(0, 0, 300, 200);
  EXPECT_EQ(Count(a, WM_ACTIVATEAPP), 1);
  EXPECT_EQ(GetActiveWindow(), a);
  EXPECT_EQ(GetFocus(), a);
  Log().clear();
  HWND b = Top(400, 0, 300, 200);
  EXPECT_EQ(GetActiveWindow(), b);
  EXPECT_EQ(GetFocus(), b);
  auto deact = Last(a, WM_ACTIVATE);
  ASSERT_TRUE(deact);
  EXPECT_EQ(LOWORD(deact->wp), WA_INACTIVE);
  EXPECT_EQ(deact->lp, LPARAM(b.value));
  EXPECT_EQ(Last(a, WM_NCACTIVATE)->wp, WPARAM(FALSE));
  EXPECT_EQ(Last(b, WM_NCACTIVATE)->wp, WPARAM(TRUE));
  EXPECT_LT(IndexOf(a, WM_NCACTIVATE), IndexOf(b, WM_NCACTIVATE));
  EXPECT_EQ(Count(a, WM_KILLFOCUS), 1);
  EXPECT_EQ(Count(b, WM_ACTIVATEAPP), 0);  // the application stayed active
  DestroyWindow(b);
  EXPECT_EQ(GetActiveWindow(), a);
}

TEST_F(FocusTest, AWindowMayRefuseToLoseActivation) {
  HWND a = Top(0, 0, 300, 200);
  Handlers()[a.value] = [](HWND, UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_NCACTIVATE && !wp) return FALSE;
    return std::nullopt;
  };
  HWND b = Top(400, 0, 300, 200, WS_OVERLAPPEDWINDOW);
  SetActiveWindow(b);
  EXPECT_EQ(GetActiveWindow(), a);
}

TEST_F(FocusTest, FocusChangesTellBothWindows) {
  HWND a = Top(0, 0, 300, 200);
  HWND c = Child(a, 10, 10, 50, 20);
  Log().clear();
  EXPECT_EQ(SetFocus(c), a);
  EXPECT_EQ(GetFocus(), c);
  EXPECT_EQ(Last(a, WM_KILLFOCUS)->wp, WPARAM(c.value));
  EXPECT_EQ(Last(c, WM_SETFOCUS)->wp, WPARAM(a.value));
  // Focus in an inactive window activates it.
  HWND b = Top(400, 0, 300, 200);
  HWND bc = Child(b, 10, 10, 50, 20);
  SetActiveWindow(a);
  SetFocus(bc);
  EXPECT_EQ(GetActiveWindow(), b);
  EXPECT_EQ(GetFocus(), bc);
  // Hiding the focused child hands the focus to its parent.
  ShowWindow(bc, SW_HIDE);
  EXPECT_EQ(GetFocus(), b);
}

TEST_F(FocusTest, ClickingAnInactiveWindowActivatesItFirst) {
  HWND a = Top(0, 0, 300, 200);
  HWND b = Top(400, 0, 300, 200);
  screen().Pump();
  Log().clear();
  screen().Click(ScreenOfClient(a, 20, 30));
  screen().Pump();
  EXPECT_EQ(GetActiveWindow(), a);
  EXPECT_EQ(LOWORD(Last(a, WM_ACTIVATE)->wp), WA_CLICKACTIVE);
  EXPECT_LT(IndexOf(a, WM_MOUSEACTIVATE), IndexOf(a, WM_LBUTTONDOWN));
  auto down = Last(a, WM_LBUTTONDOWN);
  EXPECT_EQ(GET_X_LPARAM(down->lp), 20);
  EXPECT_EQ(GET_Y_LPARAM(down->lp), 30);
  EXPECT_EQ(down->wp & MK_LBUTTON, MK_LBUTTON);
  EXPECT_EQ(Last(a, WM_LBUTTONUP)->wp & MK_LBUTTON, 0u);

  // A window answering "no activation, eat the click" gets neither.
  Handlers()[b.value] = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_MOUSEACTIVATE) return MA_NOACTIVATEANDEAT;
    return std::nullopt;
  };
  Log().clear();
  screen().Click(ScreenOfClient(b, 20, 30));
  screen().Pump();
  EXPECT_EQ(GetActiveWindow(), a);
  EXPECT_EQ(Count(b, WM_LBUTTONDOWN), 0);
  EXPECT_EQ(Count(b, WM_LBUTTONUP), 1);
}

TEST_F(FocusTest, CaptureTakesTheMouseAndAnnouncesItsLoss) {
  HWND a = Top(0, 0, 300, 200);
  HWND b = Top(400, 0, 300, 200);
  screen().Pump();
  EXPECT_EQ(SetCapture(a), HWND{});
  Log().clear();
  POINT overB = ScreenOfClient(b, 10, 10);
  screen().MouseMove(overB);
  screen().Pump();
  EXPECT_EQ(Count(b, WM_MOUSEMOVE), 0);
  auto move = Last(a, WM_MOUSEMOVE);
  ASSERT_TRUE(move);
  POINT inA = overB;
  ScreenToClient(a, &inA);
  EXPECT_EQ(GET_X_LPARAM(move->lp), inA.x);
  EXPECT_EQ(SetCapture(b), a);
  EXPECT_EQ(Last(a, WM_CAPTURECHANGED)->lp, LPARAM(b.value));
  ReleaseCapture();
  EXPECT_EQ(Last(b, WM_CAPTURECHANGED)->lp, 0);
  EXPECT_EQ(GetCapture(), HWND{});
  SetCapture(b);
  DestroyWindow(b);
  EXPECT_EQ(GetCapture(), HWND{});
}

TEST_F(FocusTest, DisabledWindowsGetNoInputAndSendClicksToTheirModalPopup) {
  HWND owner = Top(0, 0, 300, 200);
  HWND c = Child(owner, 10, 10, 50, 20);
  SetFocus(c);
  Log().clear();
  EXPECT_FALSE(EnableWindow(owner, FALSE));
  EXPECT_EQ(Last(owner, WM_ENABLE)->wp, WPARAM(FALSE));
  EXPECT_EQ(GetFocus(), HWND{});
  HWND dialog = Top(50, 50, 200, 100, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, owner);
  HWND other = Top(600, 0, 200, 100);
  SetActiveWindow(other);
  Log().clear();
  screen().Click(ScreenOfClient(owner, 250, 150));
  screen().KeyPress('X');
  screen().Pump();
  EXPECT_EQ(Count(owner, WM_LBUTTONDOWN), 0);
  EXPECT_EQ(Count(c, WM_LBUTTONDOWN), 0);
  EXPECT_EQ(GetActiveWindow(), dialog);
  EXPECT_EQ(screen().Beeps(), 1);
  EXPECT_EQ(Count(owner, WM_KEYDOWN), 0);
  EXPECT_EQ(SetFocus(c), HWND{});  // no focus inside a disabled window
  EXPECT_TRUE(EnableWindow(owner, TRUE));
}

TEST_F(FocusTest, DisabledChildLetsTheClickThroughToItsParent) {
  HWND w = Top(0, 0, 300, 200);
  HWND c = Child(w, 10, 10, 50, 20, WS_CHILD | WS_VISIBLE | WS_DISABLED);
  screen().Pump();
  Log().clear();
  screen().Click(ScreenOfClient(w, 15, 15));
  screen().Pump();
  EXPECT_EQ(Count(c, WM_LBUTTONDOWN), 0);
  EXPECT_EQ(Count(w, WM_LBUTTONDOWN), 1);
}

TEST_F(FocusTest, TransparentWindowsPassThePointToWhatLiesBeneath) {
  HWND w = Top(0, 0, 300, 200);
  HWND below = Child(w, 10, 10, 100, 100);
  HWND frame = Child(w, 0, 0, 200, 150);  // on top, like a group box
  Handlers()[frame.value] = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_NCHITTEST) return HTTRANSPARENT;
    return std::nullopt;
  };
  screen().Pump();
  Log().clear();
  screen().Click(ScreenOfClient(w, 20, 20));
  screen().Click(ScreenOfClient(w, 150, 20));
  screen().Pump();
  EXPECT_EQ(Count(below, WM_LBUTTONDOWN), 1);
  EXPECT_EQ(Count(w, WM_LBUTTONDOWN), 1);
  EXPECT_EQ(Count(frame, WM_LBUTTONDOWN), 0);
}

TEST_F(FocusTest, DoubleClicksOnlyForClassesThatAskAndOnlyWhenQuick) {
  HWND plain = Top(0, 0, 300, 200);
  HWND dbl = Top(400, 0, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, HWND{}, "DblRecorder");
  screen().Pump();
  Log().clear();
  screen().DoubleClick(ScreenOfClient(plain, 20, 20));
  screen().DoubleClick(ScreenOfClient(dbl, 20, 20));
  screen().Pump();
  EXPECT_EQ(Count(plain, WM_LBUTTONDOWN), 2);
  EXPECT_EQ(Count(plain, WM_LBUTTONDBLCLK), 0);
  EXPECT_EQ(Count(dbl, WM_LBUTTONDOWN), 1);
  EXPECT_EQ(Count(dbl, WM_LBUTTONDBLCLK), 1);
  Log().clear();
  screen().Click(ScreenOfClient(dbl, 20, 20));
  screen().Pump();
  screen().AdvanceClock(600);
  screen().Click(ScreenOfClient(dbl, 20, 20));
  screen().Pump();
  EXPECT_EQ(Count(dbl, WM_LBUTTONDBLCLK), 0);
  // Double clicks on the frame come to every window.
  Log().clear();
  RECT r;
  GetWindowRect(plain, &r);
  screen().DoubleClick(POINT{r.left + 100, r.top + 10});
  screen().Pump();
  EXPECT_EQ(Count(plain, WM_NCLBUTTONDBLCLK), 1);
}

TEST_F(FocusTest, LeaveTrackingReportsOnceWhenTheMouseGoes) {
  HWND a = Top(0, 0, 300, 200);
  HWND b = Top(400, 0, 300, 200);
  screen().MouseMove(ScreenOfClient(a, 20, 20));
  screen().Pump();
  TRACKMOUSEEVENT tme;
  tme.dwFlags = TME_LEAVE;
  tme.hwndTrack = a;
  ASSERT_TRUE(TrackMouseEvent(&tme));
  screen().MouseMove(ScreenOfClient(a, 30, 30));
  screen().Pump();
  EXPECT_EQ(Count(a, WM_MOUSELEAVE), 0);
  screen().MouseMove(ScreenOfClient(b, 20, 20));
  screen().Pump();
  screen().MouseMove(ScreenOfClient(b, 25, 20));
  screen().Pump();
  EXPECT_EQ(Count(a, WM_MOUSELEAVE), 1);
  // Tracking a window the mouse is not over reports the leave at once.
  tme.hwndTrack = a;
  TrackMouseEvent(&tme);
  screen().Pump();
  EXPECT_EQ(Count(a, WM_MOUSELEAVE), 2);
  tme.cbSize = 3;
  EXPECT_FALSE(TrackMouseEvent(&tme));
}

TEST_F(FocusTest, AltMakesSystemKeysAndKeyStateFollowsTheMessages) {
  HWND w = Top(0, 0, 300, 200);
  screen().Pump();
  short shiftSeen = 0;
  Handlers()[w.value] = [&](HWND, UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_KEYDOWN && wp == 'Q') shiftSeen = GetKeyState(VK_SHIFT);
    return std::nullopt;
  };
  Log().clear();
  screen().KeyDown(VK_SHIFT);
  screen().KeyPress('Q');
  screen().KeyUp(VK_SHIFT);
  screen().KeyDown(VK_MENU);
  screen().KeyDown('F');
  screen().KeyDown('F');  // auto-repeat
  screen().KeyUp('F');
  screen().KeyUp(VK_MENU);
  EXPECT_LT(GetAsyncKeyState(VK_SHIFT), 1);
  screen().Pump();
  EXPECT_LT(shiftSeen, 0);
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
  std::vector<Logged> sys;
  for (const Logged& l : Log())
    if (l.hwnd == w && l.msg == WM_SYSKEYDOWN && l.wp == 'F') sys.push_back(l);
  ASSERT_EQ(sys.size(), 2u);
  EXPECT_TRUE(sys[0].lp & (1 << 29));
  EXPECT_FALSE(sys[0].lp & (1 << 30));
  EXPECT_TRUE(sys[1].lp & (1 << 30));
  EXPECT_EQ(Count(w, WM_SYSCHAR), 2);
}

TEST_F(FocusTest, AltF4ClosesTheWindow) {
  HWND w = Top(0, 0, 300, 200);
  screen().Pump();
  screen().KeyDown(VK_MENU);
  screen().KeyPress(VK_F4);
  screen().KeyUp(VK_MENU);
  screen().Pump();
  EXPECT_FALSE(IsWindow(w));
}

}  // namespace
}  // namespace platform::test
