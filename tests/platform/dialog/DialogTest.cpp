// Dialog keyboard navigation: tab order through nested containers and
// controls outside the visible area, mnemonics, default and cancel buttons,
// and the focus on activation.
#include "../window/WindowTestSupport.h"
#include "platform/dialog/Dialog.h"

namespace platform::test {
namespace {

class DialogTest : public WindowTest {
 protected:
  // Runs the waiting messages through the dialog manager, as a program's loop does.
  void Pump(HWND dialog) {
    MSG msg;
    for (int n = 0; n < 10000 && PeekMessage(&msg, HWND{}, 0, 0, PM_REMOVE); ++n)
      if (!IsDialogMessage(dialog, &msg)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
      }
  }
  void Key(HWND dialog, int vk, int modifier = 0) {
    if (modifier) screen().KeyDown(modifier);
    screen().KeyPress(vk);
    if (modifier) screen().KeyUp(modifier);
    Pump(dialog);
  }
  HWND Control(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w,
               int h, int id = 0) {
    return CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                          HMENU{std::uint32_t(id)});
  }
  static int Clicks(HWND button) {
    int n = 0;
    for (const Logged& l : Log())
      n += l.msg == WM_COMMAND && l.lp == LPARAM(button.value) && HIWORD(l.wp) == BN_CLICKED;
    return n;
  }
};

TEST_F(DialogTest, TabVisitsTheTabStopsOfNestedContainersInOrder) {
  // The race console's layout: a lane board whose last two entries lie
  // below its visible area, then two groups.
  HWND main = Top(100, 50, 799, 448, WS_OVERLAPPEDWINDOW);
  HWND board = Child(main, 260, 52, 527, 305);
  HWND lanes[10];
  for (int i = 0; i < 10; ++i)
    lanes[i] = Control(board, WC_EDIT, "-", ES_CENTER | ES_UPPERCASE | (i >= 8 ? WS_TABSTOP : 0),
                       449, 11 + 37 * i, 69, 22);
  HWND group1 = Control(main, WC_BUTTON, "Round Setup", BS_GROUPBOX, 4, 52, 253, 49);
  HWND buttons[3];
  const char* names[] = {"New", "Edit", "Reset"};
  for (int i = 0; i < 3; ++i)
    buttons[i] = Control(group1, WC_BUTTON, names[i], WS_TABSTOP, 8 + 82 * i, 16, 75, 25);
  HWND group2 = Control(main, WC_BUTTON, "TV Output", BS_GROUPBOX, 4, 104, 253, 253);
  HWND aspect = Control(group2, WC_COMBOBOX, "", CBS_DROPDOWNLIST | WS_TABSTOP, 8, 176, 49, 21);
  HWND screens = Control(group2, WC_COMBOBOX, "", CBS_DROPDOWNLIST | WS_TABSTOP, 60, 176, 185, 21);
  ShowWindow(main, SW_SHOW);
  screen().Pump();
  // Activation puts the focus on the first tab stop, the hidden lane 9 entry.
  EXPECT_EQ(GetFocus(), lanes[8]);
  std::vector<HWND> order{lanes[9], buttons[0], buttons[1], buttons[2], aspect, screens, lanes[8]};
  for (HWND expected : order) {
    Key(main, VK_TAB);
    EXPECT_EQ(GetFocus(), expected);
  }
  Key(main, VK_TAB, VK_SHIFT);
  EXPECT_EQ(GetFocus(), screens);
  EXPECT_EQ(GetNextDlgTabItem(main, HWND{}, TRUE), screens);
  // Disabled and hidden controls drop out of the order.
  EnableWindow(buttons[1], FALSE);
  ShowWindow(group2, SW_HIDE);
  EXPECT_EQ(GetNextDlgTabItem(main, buttons[0], FALSE), buttons[2]);
  EXPECT_EQ(GetNextDlgTabItem(main, buttons[2], FALSE), lanes[8]);
}

TEST_F(DialogTest, TabIntoAnEditSelectsItsText) {
  HWND dlg = Top(100, 100, 300, 200);
  HWND a = Control(dlg, WC_EDIT, "first", WS_TABSTOP, 10, 10, 100, 21);
  HWND b = Control(dlg, WC_EDIT, "second", WS_TABSTOP, 10, 40, 100, 21);
  SetFocus(a);
  Key(dlg, VK_TAB);
  EXPECT_EQ(GetFocus(), b);
  DWORD s = 0, e = 0;
  SendMessage(b, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  EXPECT_EQ(s, 0u);
  EXPECT_EQ(e, 6u);
  // Arrow keys stay with the edit.
  Key(dlg, VK_LEFT);
  EXPECT_EQ(GetFocus(), b);
}

TEST_F(DialogTest, MnemonicsDefaultAndCancelButtons) {
  HWND dlg = Top(100, 100, 534, 384, WS_OVERLAPPEDWINDOW);
  HWND close = Control(dlg, WC_BUTTON, "&Close", WS_TABSTOP, 444, 316, 75, 25, IDCANCEL);
  HWND label = Control(dlg, WC_STATIC, "Dog &Breed:", SS_RIGHT, 16, 104, 78, 13);
  HWND breed = Control(dlg, WC_EDIT, "Greyhound", WS_TABSTOP, 96, 100, 121, 21, 20);
  HWND del = Control(dlg, WC_BUTTON, "&Delete", WS_TABSTOP, 140, 4, 61, 25, 21);
  HWND ok = Control(dlg, WC_BUTTON, "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 300, 316, 75, 25, IDOK);
  (void)label;
  ShowWindow(dlg, SW_SHOW);
  screen().Pump();
  EXPECT_EQ(GetFocus(), close);  // the first tab stop
  Log().clear();

  Key(dlg, 'C', VK_MENU);  // Alt+C
  EXPECT_EQ(Clicks(close), 1);
  Key(dlg, 'D');  // a button takes no characters: the letter alone is the mnemonic
  EXPECT_EQ(Clicks(del), 1);
  Key(dlg, 'B', VK_MENU);  // a label hands the focus to the edit after it
  EXPECT_EQ(GetFocus(), breed);
  Key(dlg, 'D');  // the edit takes characters
  EXPECT_EQ(Clicks(del), 1);
  EXPECT_EQ(GetWindowTextString(breed), "d");
  Key(dlg, VK_RETURN);  // the default button, wherever the focus is
  EXPECT_EQ(Clicks(ok), 1);
  Key(dlg, VK_ESCAPE);  // the cancel button
  EXPECT_EQ(Clicks(close), 2);
  SetFocus(del);
  Key(dlg, VK_RETURN);  // a focused push button takes Enter itself
  EXPECT_EQ(Clicks(del), 2);
  EXPECT_EQ(Clicks(ok), 1);
  // An Alt+letter that no control marks is left to the window (its menu).
  Key(dlg, 'Q', VK_MENU);
  EXPECT_EQ(Count(dlg, WM_SYSCOMMAND), 1);
}

TEST_F(DialogTest, ActivationReturnsTheFocusToTheLastFocusedControl) {
  HWND dlg = Top(100, 100, 300, 200, WS_OVERLAPPEDWINDOW);
  HWND a = Control(dlg, WC_EDIT, "", WS_TABSTOP, 10, 10, 100, 21);
  HWND b = Control(dlg, WC_EDIT, "", WS_TABSTOP, 10, 40, 100, 21);
  HWND other = Top(500, 100, 200, 200);
  ShowWindow(dlg, SW_SHOW);
  EXPECT_EQ(GetFocus(), a);
  SetFocus(b);
  SetActiveWindow(other);
  EXPECT_EQ(GetFocus(), other);
  SetActiveWindow(dlg);
  EXPECT_EQ(GetFocus(), b);
  // A control that can no longer take the focus gives way to the first tab stop.
  SetActiveWindow(other);
  EnableWindow(b, FALSE);
  SetActiveWindow(dlg);
  EXPECT_EQ(GetFocus(), a);
  DestroyWindow(a);
  DestroyWindow(b);
  SetActiveWindow(other);
  SetActiveWindow(dlg);
  EXPECT_EQ(GetFocus(), dlg);
}

TEST_F(DialogTest, ArrowKeysMoveWithinAGroupOfRadioButtons) {
  HWND dlg = Top(100, 100, 300, 200);
  HWND r1 =
      Control(dlg, WC_BUTTON, "4:3", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 10, 10, 80, 20);
  HWND r2 = Control(dlg, WC_BUTTON, "16:9", BS_AUTORADIOBUTTON, 10, 30, 80, 20);
  HWND next =
      Control(dlg, WC_BUTTON, "Next", BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP, 10, 60, 80, 20);
  SetFocus(r1);
  Key(dlg, VK_DOWN);
  EXPECT_EQ(GetFocus(), r2);
  EXPECT_EQ(SendMessage(r2, BM_GETCHECK, 0, 0), LRESULT(BST_CHECKED));
  Key(dlg, VK_DOWN);  // wraps inside the group
  EXPECT_EQ(GetFocus(), r1);
  EXPECT_EQ(GetNextDlgGroupItem(dlg, next, FALSE), next);
}

}  // namespace
}  // namespace platform::test
