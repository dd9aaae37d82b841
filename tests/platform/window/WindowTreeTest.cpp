// Creation and destruction, window procedures and data, geometry, showing
// states and z-order.
#include <cstring>

#include "WindowTestSupport.h"

namespace platform::test {
namespace {

class WindowTreeTest : public WindowTest {};

bool InOrder(const std::vector<UINT>& seq, std::initializer_list<UINT> wanted) {
  auto it = seq.begin();
  for (UINT m : wanted) {
    it = std::find(it, seq.end(), m);
    if (it == seq.end()) return false;
    ++it;
  }
  return true;
}

TEST_F(WindowTreeTest, CreationSendsTheClassicSequenceWithTheParameter) {
  int param = 42;
  void* seen = nullptr;
  ClassHandler() = [&](HWND, UINT m, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
    if (m == WM_CREATE) seen = reinterpret_cast<CREATESTRUCT*>(lp)->lpCreateParams;
    return std::nullopt;
  };
  HWND w = CreateWindowEx(0, "Recorder", "Hello", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300,
                          200, HWND{}, HMENU{}, &param);
  ASSERT_TRUE(IsWindow(w));
  EXPECT_EQ(seen, &param);
  EXPECT_TRUE(
      InOrder(MessagesOf(w), {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE,
                              WM_SHOWWINDOW, WM_WINDOWPOSCHANGED, WM_ACTIVATE, WM_SETFOCUS}));
  EXPECT_EQ(GetWindowTextString(w), "Hello");
  EXPECT_TRUE(IsWindowVisible(w));
}

TEST_F(WindowTreeTest, ARefusedCreationLeavesNoWindow) {
  ClassHandler() = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_CREATE) return -1;
    return std::nullopt;
  };
  HWND w = Top(0, 0, 100, 100);
  EXPECT_EQ(w, HWND{});
  ASSERT_FALSE(Log().empty());
  HWND tried = Log().front().hwnd;
  EXPECT_FALSE(IsWindow(tried));
  EXPECT_EQ(Count(tried, WM_NCDESTROY), 1);

  ClassHandler() = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_NCCREATE) return FALSE;
    return std::nullopt;
  };
  EXPECT_EQ(Top(0, 0, 100, 100), HWND{});
  EXPECT_EQ(CreateWindowEx(0, "NoSuchClass", "", 0, 0, 0, 1, 1, HWND{}, HMENU{}), HWND{});
  EXPECT_EQ(Child(HWND{0x4242}, 0, 0, 1, 1), HWND{});  // a child needs a real parent
}

TEST_F(WindowTreeTest, DestructionTakesOwnedWindowsFirstThenParentsBeforeChildren) {
  HWND owner = Top(0, 0, 300, 200);
  HWND owned = Top(20, 20, 100, 100, WS_POPUP | WS_VISIBLE, 0, owner);
  HWND child = Child(owner, 0, 0, 50, 50);
  HWND grandchild = Child(child, 0, 0, 10, 10);
  ASSERT_EQ(GetParent(owned), owner);
  ASSERT_EQ(GetWindow(owned, GW_OWNER), owner);
  Log().clear();
  ASSERT_TRUE(DestroyWindow(owner));
  EXPECT_LT(IndexOf(owned, WM_NCDESTROY), IndexOf(owner, WM_DESTROY));
  EXPECT_LT(IndexOf(owner, WM_DESTROY), IndexOf(child, WM_DESTROY));
  EXPECT_LT(IndexOf(child, WM_DESTROY), IndexOf(grandchild, WM_DESTROY));
  EXPECT_LT(IndexOf(grandchild, WM_NCDESTROY), IndexOf(child, WM_NCDESTROY));
  EXPECT_LT(IndexOf(child, WM_NCDESTROY), IndexOf(owner, WM_NCDESTROY));
  for (HWND h : {owner, owned, child, grandchild}) EXPECT_FALSE(IsWindow(h));
}

TEST_F(WindowTreeTest, DestroyingInsideDestroyIsHarmless) {
  HWND w = Top(0, 0, 300, 200);
  HWND c = Child(w, 0, 0, 50, 50);
  Handlers()[c.value] = [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_DESTROY) {
      DestroyWindow(w);
      DestroyWindow(h);
    }
    return std::nullopt;
  };
  EXPECT_TRUE(DestroyWindow(w));
  EXPECT_FALSE(IsWindow(w));
  EXPECT_FALSE(IsWindow(c));
  EXPECT_EQ(Count(c, WM_NCDESTROY), 1);
}

WNDPROC g_previous = nullptr;
int g_subclassSaw = 0;
LRESULT SubclassProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_USER) {
    ++g_subclassSaw;
    return 77;
  }
  return CallWindowProc(g_previous, h, m, wp, lp);
}

TEST_F(WindowTreeTest, ReplacedProceduresSeeMessagesFirstAndChainTheRest) {
  HWND w = Top(0, 0, 300, 200);
  g_previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtr(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
  ASSERT_EQ(g_previous, &RecordingProc);
  Log().clear();
  EXPECT_EQ(SendMessage(w, WM_USER, 0, 0), 77);
  EXPECT_EQ(SendMessage(w, WM_USER + 1, 0, 0), 0);
  EXPECT_EQ(g_subclassSaw, 1);
  EXPECT_EQ(MessagesOf(w), (std::vector<UINT>{WM_USER + 1}));
  // Putting the old one back ends the subclass.
  SetWindowLongPtr(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_previous));
  SendMessage(w, WM_USER, 0, 0);
  EXPECT_EQ(g_subclassSaw, 1);
  EXPECT_EQ(SetWindowLongPtr(w, GWLP_WNDPROC, 0), 0);  // a window keeps a procedure
  EXPECT_EQ(GetWindowLongPtr(w, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&RecordingProc));
}

TEST_F(WindowTreeTest, WindowDataStaysInsideItsBytes) {
  HWND w = Top(0, 0, 300, 200);
  EXPECT_EQ(SetWindowLongPtr(w, GWLP_USERDATA, 1234), 0);
  EXPECT_EQ(GetWindowLongPtr(w, GWLP_USERDATA), 1234);
  EXPECT_EQ(SetWindowLongPtr(w, 8, 99), 0);
  EXPECT_EQ(GetWindowLongPtr(w, 8), 99);
  EXPECT_EQ(SetWindowLongPtr(w, 12, 5), 0);  // would run past the 16 extra bytes
  EXPECT_EQ(GetWindowLongPtr(w, 12), 0);
  EXPECT_EQ(GetWindowLongPtr(w, 4000), 0);
  EXPECT_TRUE(SetProp(w, "Owner", 55));
  EXPECT_EQ(GetProp(w, "Owner"), 55);
  EXPECT_EQ(RemoveProp(w, "Owner"), 55);
  EXPECT_EQ(GetProp(w, "Owner"), 0);
  // Changing the style keeps the window visible: visibility has its own call.
  SetWindowLongPtr(w, GWL_STYLE, WS_POPUP);
  EXPECT_TRUE(GetWindowLongPtr(w, GWL_STYLE) & WS_VISIBLE);
}

TEST_F(WindowTreeTest, TextIsCutToTheBuffer) {
  HWND w = Top(0, 0, 300, 200);
  SetWindowText(w, "Hello");
  char buf[4];
  EXPECT_EQ(GetWindowText(w, buf, sizeof buf), 3);
  EXPECT_STREQ(buf, "Hel");
  EXPECT_EQ(GetWindowTextLength(w), 5);
  EXPECT_EQ(GetWindowText(w, buf, 0), 0);
  char cls[32];
  EXPECT_EQ(GetClassName(w, cls, sizeof cls), 8);
  EXPECT_STREQ(cls, "Recorder");
}

TEST_F(WindowTreeTest, RectanglesAndCoordinateMapping) {
  HWND w = Top(100, 50, 300, 200);
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r, (RECT{100, 50, 400, 250}));
  GetClientRect(w, &r);
  EXPECT_EQ(r, (RECT{0, 0, 292, 173}));  // 4-pixel frame, 19-pixel caption
  POINT p{0, 0};
  ClientToScreen(w, &p);
  EXPECT_EQ(p, (POINT{104, 73}));
  HWND c = Child(w, 10, 20, 50, 40);
  GetWindowRect(c, &r);
  EXPECT_EQ(r, (RECT{114, 93, 164, 133}));
  POINT q{1, 2};
  MapWindowPoints(c, w, &q, 1);
  EXPECT_EQ(q, (POINT{11, 22}));
  MapWindowPoints(HWND{}, c, &q, 1);
  EXPECT_EQ(q, (POINT{11 - 114, 22 - 93}));
  p = POINT{114, 93};
  ScreenToClient(c, &p);
  EXPECT_EQ(p, (POINT{0, 0}));
  EXPECT_EQ(ChildWindowFromPoint(w, POINT{15, 25}), c);
  EXPECT_EQ(WindowFromPoint(POINT{120, 100}), c);
  EXPECT_EQ(WindowFromPoint(POINT{300, 200}), w);
}

TEST_F(WindowTreeTest, MovingAndSizingReportWhatChanged) {
  HWND w = Top(100, 50, 300, 200);
  Log().clear();
  SetWindowPos(w, HWND{}, 120, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_TRUE(InOrder(MessagesOf(w), {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE}));
  EXPECT_EQ(Count(w, WM_SIZE), 0);
  Log().clear();
  MoveWindow(w, 120, 60, 400, 300, TRUE);
  auto size = Last(w, WM_SIZE);
  ASSERT_TRUE(size);
  EXPECT_EQ(LOWORD(size->lp), 392u);
  EXPECT_EQ(HIWORD(size->lp), 273u);
  EXPECT_EQ(Count(w, WM_MOVE), 0);
}

TEST_F(WindowTreeTest, MaximiseMinimiseAndRestore) {
  HWND w = Top(100, 50, 300, 200);
  Log().clear();
  ShowWindow(w, SW_MAXIMIZE);
  EXPECT_TRUE(IsZoomed(w));
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r, (RECT{-4, -4, 1284, 764}));  // work area 1280 x 760, frame outside
  EXPECT_EQ(Last(w, WM_SIZE)->wp, SIZE_MAXIMIZED);
  ShowWindow(w, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(w));
  EXPECT_FALSE(IsZoomed(w));
  EXPECT_EQ(Last(w, WM_SIZE)->wp, SIZE_MINIMIZED);
  EXPECT_NE(GetActiveWindow(), w);
  ShowWindow(w, SW_RESTORE);  // back to maximised: it was maximised before
  EXPECT_TRUE(IsZoomed(w));
  ShowWindow(w, SW_RESTORE);
  GetWindowRect(w, &r);
  EXPECT_EQ(r, (RECT{100, 50, 400, 250}));
  EXPECT_EQ(Last(w, WM_SIZE)->wp, SIZE_RESTORED);
}

TEST_F(WindowTreeTest, OwnedWindowsStayAboveTheirOwner) {
  HWND a = Top(0, 0, 300, 200);
  HWND popup = Top(10, 10, 100, 100, WS_POPUP | WS_VISIBLE, 0, a);
  HWND b = Top(50, 50, 300, 200);
  ASSERT_EQ(GetTopWindow(HWND{}), b);
  SetActiveWindow(a);
  EXPECT_EQ(GetTopWindow(HWND{}), popup);
  EXPECT_EQ(GetWindow(popup, GW_HWNDNEXT), a);
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
  SetWindowPos(popup, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(GetWindow(popup, GW_HWNDNEXT), a);
  HWND topmost = Top(0, 0, 50, 50, WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST);
  SetActiveWindow(b);
  EXPECT_EQ(GetTopWindow(HWND{}), topmost);
}

TEST_F(WindowTreeTest, EnumerationWalksTheTreeAndStopsWhenAsked) {
  HWND w = Top(0, 0, 300, 200);
  HWND a = Child(w, 0, 0, 10, 10);
  HWND aa = Child(a, 0, 0, 5, 5);
  HWND b = Child(w, 20, 0, 10, 10);
  std::vector<HWND> seen;
  EXPECT_TRUE(EnumChildWindows(w, [&](HWND h) {
    seen.push_back(h);
    return true;
  }));
  EXPECT_EQ(seen, (std::vector<HWND>{b, a, aa}));  // z-order: the newest first
  seen.clear();
  EXPECT_FALSE(EnumChildWindows(w, [&](HWND h) {
    seen.push_back(h);
    return h != a;
  }));
  EXPECT_EQ(seen, (std::vector<HWND>{b, a}));
  EXPECT_FALSE(EnumChildWindows(HWND{0x31337}, [](HWND) { return true; }));
}

TEST_F(WindowTreeTest, ReparentingMovesTheWindowBetweenTrees) {
  HWND a = Top(0, 0, 300, 200);
  HWND b = Top(50, 50, 300, 200);
  HWND c = Child(a, 5, 5, 20, 20);
  EXPECT_EQ(SetParent(c, b), a);
  EXPECT_TRUE(IsChild(b, c));
  EXPECT_FALSE(IsChild(a, c));
  EXPECT_EQ(SetParent(b, c), HWND{});  // no window inside itself
  DestroyWindow(b);
  EXPECT_FALSE(IsWindow(c));
}

}  // namespace
}  // namespace platform::test
