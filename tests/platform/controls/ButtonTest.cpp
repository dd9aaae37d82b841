// Buttons, static text and group boxes under the mouse and keyboard.
#include "ControlTestSupport.h"

namespace platform::test {
namespace {

class ButtonTest : public ControlTest {};

TEST_F(ButtonTest, AClickCountsOnlyWhenReleasedInside) {
  HWND b = Make(WC_BUTTON, "&New", BS_PUSHBUTTON | WS_TABSTOP, 10, 10, 75, 25, 3);
  ClickAt(b, 10, 10);
  EXPECT_EQ(NoteCount(b, BN_CLICKED), 1);
  EXPECT_EQ(GetFocus(), b);
  screen().MouseDown(ScreenOfClient(b, 10, 10));
  screen().Pump();
  EXPECT_TRUE(SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED);
  screen().MouseMove(ScreenOfClient(b, 100, 10));
  screen().Pump();
  EXPECT_FALSE(SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED);
  screen().MouseUp(ScreenOfClient(b, 100, 10));
  screen().Pump();
  EXPECT_EQ(NoteCount(b, BN_CLICKED), 1);
  Press(VK_SPACE);
  EXPECT_EQ(NoteCount(b, BN_CLICKED), 2);
  SendMessage(b, BM_CLICK, 0, 0);
  EXPECT_EQ(NoteCount(b, BN_CLICKED), 3);
  EnableWindow(b, FALSE);
  ClickAt(b, 10, 10);
  SendMessage(b, BM_CLICK, 0, 0);
  EXPECT_EQ(NoteCount(b, BN_CLICKED), 3);
}

TEST_F(ButtonTest, ABoxRaisedByTheFocusChangeEndsThePress) {
  HWND b = Make(WC_BUTTON, "&Refresh", BS_PUSHBUTTON | WS_TABSTOP, 10, 10, 75, 25, 3);
  const POINT on = ScreenOfClient(b, 10, 10);
  HWND editor = RefusingEditor(on);
  screen().MouseDown(on);
  screen().Pump();
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(GetFocus(), editor);
  EXPECT_NE(GetCapture(), b);
  EXPECT_FALSE(SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED);
  // The next click elsewhere is not swallowed by the button, and one on it
  // clicks it.
  refuse = false;
  ClickAt(parent(), 200, 150);
  EXPECT_EQ(NoteCount(b, BN_CLICKED), 0);
  ClickAt(b, 10, 10);
  EXPECT_EQ(NoteCount(b, BN_CLICKED), 1);
  EXPECT_EQ(boxes, 1);
}

TEST_F(ButtonTest, CheckBoxesAndRadioButtonsKeepTheirState) {
  HWND check = Make(WC_BUTTON, "Check", BS_AUTOCHECKBOX, 10, 10, 80, 20, 3);
  HWND r1 = Make(WC_BUTTON, "One", BS_AUTORADIOBUTTON | WS_GROUP, 10, 40, 80, 20, 4);
  HWND r2 = Make(WC_BUTTON, "Two", BS_AUTORADIOBUTTON, 10, 60, 80, 20, 5);
  ClickAt(check, 5, 10);
  EXPECT_EQ(SendMessage(check, BM_GETCHECK, 0, 0), LRESULT(BST_CHECKED));
  ClickAt(check, 5, 10);
  EXPECT_EQ(SendMessage(check, BM_GETCHECK, 0, 0), LRESULT(BST_UNCHECKED));
  ClickAt(r1, 5, 10);
  ClickAt(r2, 5, 10);
  EXPECT_EQ(SendMessage(r1, BM_GETCHECK, 0, 0), LRESULT(BST_UNCHECKED));
  EXPECT_EQ(SendMessage(r2, BM_GETCHECK, 0, 0), LRESULT(BST_CHECKED));
}

TEST_F(ButtonTest, GroupBoxesAndLabelsLetClicksThrough) {
  HWND group = Make(WC_BUTTON, "Round Setup", BS_GROUPBOX, 10, 10, 253, 49, 3);
  HWND label = Make(WC_STATIC, "&Breed:", SS_RIGHT, 10, 80, 90, 13, 4);
  HWND notify = Make(WC_STATIC, "Click me", SS_NOTIFY, 10, 100, 90, 13, 5);
  EXPECT_EQ(WindowFromPoint(ScreenOfClient(group, 100, 30)), group);
  Log().clear();
  ClickAt(group, 100, 30);
  ClickAt(label, 5, 5);
  EXPECT_TRUE(Count(parent(), WM_LBUTTONDOWN) == 2);
  ClickAt(notify, 5, 5);
  EXPECT_EQ(NoteCount(notify, STN_CLICKED), 1);
  EXPECT_EQ(SendMessage(group, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

}  // namespace
}  // namespace platform::test
