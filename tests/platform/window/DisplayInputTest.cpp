// What a display reports beyond plain keys and clicks: keys whose text comes
// from the display's own input method, keys already held when one of our
// windows got the focus, and the display's focus moving between windows;
// and the loop driver's view of the core (timers due, the idle hook, the
// backend chosen from above).
#include <stdexcept>

#include "WindowTestSupport.h"
#include "platform/window/Input.h"
#include "platform/window/LoopControl.h"
#include "platform/window/MenuApi.h"

namespace platform::test {
namespace {

class DisplayInput : public WindowTest {
 protected:
  // The characters (WM_CHAR or WM_SYSCHAR) the window received, in order.
  std::string Chars(HWND h, UINT msg = WM_CHAR) {
    std::string out;
    for (const Logged& l : Log())
      if (l.hwnd == h && l.msg == msg) out += char(l.wp);
    return out;
  }
  void Press(int vk, bool textApart) {
    QueueKey(vk, true, textApart);
    QueueKey(vk, false, textApart);
  }
  int KeyMenuCommands(HWND h) {
    int n = 0;
    for (const Logged& l : Log()) n += l.hwnd == h && l.msg == WM_SYSCOMMAND && l.wp == SC_KEYMENU;
    return n;
  }
};

TEST_F(DisplayInput, KeysWithTextApartTypeOnlyControlCharactersAndMnemonics) {
  HWND w = Top(10, 10, 200, 100);
  SetFocus(w);
  // The menu command that Alt+letter asks for is answered here, so no menu
  // loop starts.
  Handlers()[w.value] = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_SYSCOMMAND) return 0;
    return std::nullopt;
  };

  // Printable keys type nothing themselves: the display's text does.
  Press('A', true);
  Press(VK_SPACE, true);
  Press('7', true);
  QueueChar(0xE4);  // "ä" from the display's input method
  screen().Pump();
  EXPECT_EQ(Chars(w), "\xE4");
  EXPECT_EQ(Count(w, WM_KEYDOWN), 3);

  // Enter, Backspace, Tab, Escape and Ctrl+letter still come from the keys.
  Log().clear();
  Press(VK_RETURN, true);
  Press(VK_BACK, true);
  Press(VK_TAB, true);
  Press(VK_ESCAPE, true);
  QueueKey(VK_CONTROL, true, true);
  Press('D', true);
  QueueKey(VK_CONTROL, false, true);
  screen().Pump();
  EXPECT_EQ(Chars(w), "\r\b\t\x1B\x04");

  // Alt+letter is a mnemonic, made from the key.
  Log().clear();
  QueueKey(VK_MENU, true, true);
  Press('F', true);
  QueueKey(VK_MENU, false, true);
  screen().Pump();
  EXPECT_EQ(Chars(w, WM_SYSCHAR), "f");
  EXPECT_EQ(Chars(w), "");

  // Keys without the mark type by the US layout, as on the headless screen.
  Log().clear();
  Press('A', false);
  Press(VK_SPACE, false);
  screen().Pump();
  EXPECT_EQ(Chars(w), "a ");
}

TEST_F(DisplayInput, AKeyHeldAtAFocusChangeSetsTheStateButDoesNotAct) {
  HWND w = Top(10, 10, 200, 100);
  SetMenu(w, CreateMenu());
  SetFocus(w);
  Handlers()[w.value] = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_SYSCOMMAND) return 0;
    return std::nullopt;
  };

  // Alt pressed and released here opens the menu bar...
  Press(VK_MENU, true);
  screen().Pump();
  EXPECT_EQ(KeyMenuCommands(w), 1);

  // ...but an Alt already down when the window got the focus (the Alt of an
  // Alt+F4 that closed another window) makes no key message, and letting it
  // go opens nothing.
  Log().clear();
  QueueKeyHeld(VK_MENU);
  screen().Pump();
  EXPECT_TRUE(GetKeyState(VK_MENU) & 0x8000);
  EXPECT_EQ(Count(w, WM_SYSKEYDOWN) + Count(w, WM_KEYDOWN), 0);
  QueueKey(VK_MENU, false, true);
  screen().Pump();
  EXPECT_FALSE(GetKeyState(VK_MENU) & 0x8000);
  EXPECT_EQ(Count(w, WM_SYSKEYUP), 1);
  EXPECT_EQ(KeyMenuCommands(w), 0);

  // A held Ctrl counts for the keys that follow: Ctrl+D after it.
  Log().clear();
  QueueKeyHeld(VK_CONTROL);
  Press('D', true);
  QueueKey(VK_CONTROL, false, true);
  screen().Pump();
  EXPECT_EQ(Chars(w), "\x04");
}

TEST_F(DisplayInput, TheDisplaysFocusActivatesOnlyWhatMayBeActive) {
  HWND a = Top(10, 10, 200, 100);
  HWND b = Top(300, 10, 200, 100);
  ASSERT_EQ(GetActiveWindow(), b);

  QueueDisplayFocus(a);
  screen().Pump();
  EXPECT_EQ(GetActiveWindow(), a);

  // Word of the focus for a window hidden meanwhile changes nothing.
  ShowWindow(b, SW_HIDE);
  QueueDisplayFocus(b);
  screen().Pump();
  EXPECT_EQ(GetActiveWindow(), a);

  // Neither does a window that never takes activation (a menu, a list).
  HWND popup = Top(50, 50, 80, 80, WS_POPUP | WS_VISIBLE, WS_EX_NOACTIVATE | WS_EX_TOPMOST);
  QueueDisplayFocus(popup);
  screen().Pump();
  EXPECT_EQ(GetActiveWindow(), a);

  // A window behind a modal one hands the activation to it.
  HWND dialog = Top(60, 60, 100, 60, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, a);
  EnableWindow(a, FALSE);
  ShowWindow(b, SW_SHOW);
  SetActiveWindow(b);
  ASSERT_EQ(GetActiveWindow(), b);
  QueueDisplayFocus(a);
  screen().Pump();
  EXPECT_EQ(GetActiveWindow(), dialog);

  // Gone windows are passed over.
  DestroyWindow(popup);
  QueueDisplayFocus(popup);
  screen().Pump();
  EXPECT_EQ(GetActiveWindow(), dialog);
}

TEST_F(DisplayInput, TheLoopDriverSeesTimersAndAnIdleHookThatKeepsItsState) {
  HWND w = Top(10, 10, 200, 100);
  EXPECT_FALSE(GetNextTimerDue().has_value());
  std::uint64_t now = screen().NowMs();
  SetTimer(w, 1, 500, nullptr);
  SetTimer(w, 2, 200, nullptr);
  ASSERT_TRUE(GetNextTimerDue().has_value());
  EXPECT_EQ(*GetNextTimerDue(), now + 200);

  screen().Pump();  // nothing waits now: the loop would wait

  // The hook is one object from call to call: its own count goes on.
  int seen = 0;
  SetIdleHook([&seen, calls = 0]() mutable {
    seen = ++calls;
    return true;
  });
  for (int i = 0; i < 3; ++i) WaitMessage();
  EXPECT_EQ(seen, 3);

  // A hook may remove itself while it runs.
  int runs = 0;
  SetIdleHook([&runs] {
    ++runs;
    SetIdleHook(nullptr);
    return true;
  });
  WaitMessage();
  WaitMessage();  // no hook: the virtual clock moves to the next timer
  EXPECT_EQ(runs, 1);
  EXPECT_GE(screen().NowMs(), now + 200);
}

TEST_F(DisplayInput, NoBackendRunsUntilTheProgramChoosesOne) {
  EXPECT_STREQ(InstalledBackendName(), "headless");
  InstallBackend(nullptr);
  EXPECT_STREQ(InstalledBackendName(), "none");
  EXPECT_THROW(GetTickCount(), std::logic_error);
}

}  // namespace
}  // namespace platform::test
