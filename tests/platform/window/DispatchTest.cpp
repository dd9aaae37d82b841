// Sending, posting and the loop: order, made-up paint and timer messages,
// quit, translation, filters, and refusal of bad handles.
#include "WindowTestSupport.h"

namespace platform::test {
namespace {

class DispatchTest : public WindowTest {};

TEST_F(DispatchTest, SentMessagesRunAtOncePostedOnesWaitForTheLoop) {
  HWND w = Top(10, 10, 200, 150);
  screen().Pump();
  Log().clear();
  EXPECT_TRUE(PostMessage(w, WM_USER + 1, 0, 0));
  EXPECT_EQ(SendMessage(w, WM_USER + 2, 0, 0), 0);
  ASSERT_EQ(MessagesOf(w), (std::vector<UINT>{WM_USER + 2}));
  screen().Pump();
  EXPECT_EQ(MessagesOf(w), (std::vector<UINT>{WM_USER + 2, WM_USER + 1}));
}

TEST_F(DispatchTest, PaintAndTimerAreMadeUpOnlyWhenNothingElseWaits) {
  HWND w = Top(10, 10, 200, 150);
  screen().Pump();
  InvalidateRect(w, nullptr, FALSE);
  SetTimer(w, 7, 100, nullptr);
  screen().AdvanceClock(150);
  PostMessage(w, WM_USER, 0, 0);
  std::vector<UINT> order;
  MSG m;
  while (PeekMessage(&m, HWND{}, 0, 0, PM_REMOVE)) {
    order.push_back(m.message);
    DispatchMessage(&m);
    if (order.size() > 10) break;
  }
  EXPECT_EQ(order, (std::vector<UINT>{WM_USER, WM_PAINT, WM_TIMER}));
}

TEST_F(DispatchTest, PaintStaysUntilTheWindowIsValidated) {
  HWND w = Top(10, 10, 200, 150);
  screen().Pump();
  InvalidateRect(w, nullptr, FALSE);
  MSG m;
  ASSERT_TRUE(PeekMessage(&m, HWND{}, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, UINT(WM_PAINT));
  ASSERT_TRUE(PeekMessage(&m, HWND{}, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, UINT(WM_PAINT));
  ValidateRect(w, nullptr);
  EXPECT_FALSE(PeekMessage(&m, HWND{}, 0, 0, PM_REMOVE));
}

TEST_F(DispatchTest, QuitComesAfterPostedMessagesAndEndsGetMessage) {
  HWND w = Top(10, 10, 200, 150);
  screen().Pump();
  PostMessage(w, WM_USER, 0, 0);
  PostQuitMessage(3);
  MSG m;
  EXPECT_EQ(GetMessage(&m, HWND{}, 0, 0), TRUE);
  EXPECT_EQ(m.message, UINT(WM_USER));
  EXPECT_EQ(GetMessage(&m, HWND{}, 0, 0), FALSE);
  EXPECT_EQ(m.message, UINT(WM_QUIT));
  EXPECT_EQ(m.wParam, 3u);
}

TEST_F(DispatchTest, PeekWithoutRemovingLeavesTheMessage) {
  HWND w = Top(10, 10, 200, 150);
  screen().Pump();
  PostMessage(w, WM_USER, 5, 0);
  MSG m;
  ASSERT_TRUE(PeekMessage(&m, HWND{}, 0, 0, PM_NOREMOVE));
  ASSERT_TRUE(PeekMessage(&m, HWND{}, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.wParam, 5u);
  EXPECT_FALSE(PeekMessage(&m, HWND{}, WM_USER, WM_USER, PM_REMOVE));
}

TEST_F(DispatchTest, FiltersPickByWindowAndRange) {
  HWND a = Top(10, 10, 200, 150);
  HWND b = Top(50, 50, 200, 150);
  HWND bc = Child(b, 5, 5, 20, 20);
  screen().Pump();
  PostMessage(a, WM_USER, 1, 0);
  PostMessage(bc, WM_USER, 2, 0);
  PostMessage(a, WM_APP, 3, 0);
  MSG m;
  ASSERT_TRUE(PeekMessage(&m, b, 0, 0, PM_REMOVE));  // children count for their parent
  EXPECT_EQ(m.wParam, 2u);
  ASSERT_TRUE(PeekMessage(&m, HWND{}, WM_APP, WM_APP, PM_REMOVE));
  EXPECT_EQ(m.wParam, 3u);
  ASSERT_TRUE(PeekMessage(&m, HWND{}, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.wParam, 1u);
}

TEST_F(DispatchTest, TranslateTurnsKeysIntoCharactersRightAfterTheKey) {
  HWND w = Top(10, 10, 200, 150);
  screen().Pump();
  ASSERT_EQ(GetFocus(), w);
  Log().clear();
  screen().TypeText("aB!\r");
  screen().Pump();
  std::vector<WPARAM> chars;
  std::vector<UINT> keyAndChar;
  for (const Logged& l : Log()) {
    if (l.msg == WM_CHAR) chars.push_back(l.wp);
    if (l.msg == WM_KEYDOWN && l.wp == 'A') keyAndChar.push_back(l.msg);
    if (l.msg == WM_CHAR && l.wp == 'a') keyAndChar.push_back(l.msg);
    if (l.msg == WM_KEYUP && l.wp == 'A') keyAndChar.push_back(l.msg);
  }
  EXPECT_EQ(chars, (std::vector<WPARAM>{'a', 'B', '!', '\r'}));
  EXPECT_EQ(keyAndChar, (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYUP}));
}

TEST_F(DispatchTest, ControlLettersAndCharactersWithoutKeys) {
  HWND w = Top(10, 10, 200, 150);
  screen().Pump();
  Log().clear();
  screen().KeyDown(VK_CONTROL);
  screen().KeyPress('D');
  screen().KeyUp(VK_CONTROL);
  screen().TypeText("\xE4");  // a-umlaut has no key on the US layout
  screen().Pump();
  std::vector<WPARAM> chars;
  for (const Logged& l : Log())
    if (l.hwnd == w && l.msg == WM_CHAR) chars.push_back(l.wp);
  EXPECT_EQ(chars, (std::vector<WPARAM>{4, 0xE4}));
}

TEST_F(DispatchTest, BroadcastReachesEveryTopLevelWindow) {
  HWND a = Top(10, 10, 200, 150);
  HWND b = Top(50, 50, 200, 150, WS_POPUP);
  HWND c = Child(a, 0, 0, 10, 10);
  Log().clear();
  SendMessage(HWND_BROADCAST, WM_USER + 9, 0, 0);
  EXPECT_EQ(Count(a, WM_USER + 9), 1);
  EXPECT_EQ(Count(b, WM_USER + 9), 1);
  EXPECT_EQ(Count(c, WM_USER + 9), 0);
}

TEST_F(DispatchTest, BadAndStaleHandlesAreRefused) {
  HWND made{0x12345678};
  EXPECT_EQ(SendMessage(made, WM_USER, 0, 0), 0);
  EXPECT_FALSE(PostMessage(made, WM_USER, 0, 0));
  MSG m;
  EXPECT_EQ(GetMessage(&m, made, 0, 0), -1);
  EXPECT_FALSE(PeekMessage(nullptr, HWND{}, 0, 0, PM_REMOVE));
  EXPECT_FALSE(DestroyWindow(made));

  HWND w = Top(10, 10, 200, 150);
  PostMessage(w, WM_USER, 0, 0);
  ASSERT_TRUE(DestroyWindow(w));
  EXPECT_FALSE(IsWindow(w));
  EXPECT_FALSE(DestroyWindow(w));
  HWND again = Top(10, 10, 200, 150);  // may take the freed slot
  EXPECT_NE(again, w);
  EXPECT_FALSE(IsWindow(w));
  RECT r;
  EXPECT_FALSE(GetWindowRect(w, &r));
  EXPECT_FALSE(SetWindowPos(w, HWND{}, 0, 0, 1, 1, 0));
  EXPECT_FALSE(ShowWindow(w, SW_SHOW));
  EXPECT_EQ(SetFocus(w), HWND{});
  EXPECT_EQ(SetCapture(w), HWND{});
  EXPECT_EQ(SetTimer(w, 1, 100, nullptr), 0u);
  EXPECT_EQ(GetDC(w), HDC{});
  EXPECT_EQ(BeginPaint(w, nullptr), HDC{});
  EXPECT_EQ(GetWindowLongPtr(w, GWLP_USERDATA), 0);
  EXPECT_FALSE(InvalidateRect(w, nullptr, TRUE));
  EXPECT_EQ(ReleaseDC(w, HDC{0x7777}), 0);
  m = MSG{};
  m.hwnd = w;
  m.message = WM_USER;
  EXPECT_EQ(DispatchMessage(&m), 0);
  Log().clear();
  screen().Pump();  // the message posted to the old window went with it
  EXPECT_EQ(Count(w, WM_USER), 0);
}

int g_forgedCalls = 0;
void ForgedProc(HWND, UINT, std::uintptr_t, DWORD) {
  ++g_forgedCalls;
}

TEST_F(DispatchTest, ATimerMessageCannotCallAProcedureThatIsNoTimer) {
  HWND w = Top(10, 10, 200, 150);
  MSG m;
  m.hwnd = w;
  m.message = WM_TIMER;
  m.wParam = 1;
  m.lParam = reinterpret_cast<LPARAM>(&ForgedProc);
  DispatchMessage(&m);
  EXPECT_EQ(g_forgedCalls, 0);
}

TEST_F(DispatchTest, EndlessSelfSendingStopsInsteadOfOverflowing) {
  HWND w = Top(10, 10, 200, 150);
  int depth = 0;
  Handlers()[w.value] = [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m != WM_USER) return std::nullopt;
    ++depth;
    return SendMessage(h, WM_USER, 0, 0) + 1;
  };
  SendMessage(w, WM_USER, 0, 0);
  EXPECT_GT(depth, 10);
  EXPECT_LE(depth, 1000);
  EXPECT_TRUE(IsWindow(w));
}

}  // namespace
}  // namespace platform::test
