// The single-line edit under injected keys and mouse.
#include <algorithm>
#include <cctype>
#include <vector>

#include "ControlTestSupport.h"
#include "platform/controls/EditMenuCaption.h"
#include "platform/menu/Menu.h"

namespace platform::test {
namespace {

class EditTest : public ControlTest {
 protected:
  HWND Edit(const char* text = "", DWORD style = 0, int width = 150) {
    HWND e = Make(WC_EDIT, text, style | WS_TABSTOP, 10, 10, width, 21, 7, WS_EX_CLIENTEDGE);
    SetFocus(e);
    screen().Pump();
    return e;
  }
  std::pair<int, int> Sel(HWND e) {
    DWORD a = 0, b = 0;
    SendMessage(e, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
    return {int(a), int(b)};
  }
};

TEST_F(EditTest, TypingConvertsCaseAndNotifiesEachChange) {
  HWND e = Edit("", ES_CENTER | ES_UPPERCASE);
  Type("1a");
  EXPECT_EQ(Text(e), "1A");
  EXPECT_EQ(NoteCount(e, EN_CHANGE), 2);
  EXPECT_EQ(NoteCount(e, EN_SETFOCUS), 1);
  // Programmatic text is converted too, and counts as a change.
  SetWindowText(e, "xy");
  EXPECT_EQ(Text(e), "XY");
  EXPECT_EQ(NoteCount(e, EN_CHANGE), 3);
  EXPECT_FALSE(SendMessage(e, EM_GETMODIFY, 0, 0));
  HWND lower = Make(WC_EDIT, "", ES_LOWERCASE, 10, 40, 100, 21, 8);
  SetFocus(lower);
  Type("AbC\xC4");
  EXPECT_EQ(Text(lower), "abc\xE4");
}

TEST_F(EditTest, KeyboardSelectionAndReplacement) {
  HWND e = Edit("alpha beta gamma");
  Press(VK_END);
  EXPECT_EQ(Sel(e), (std::pair{16, 16}));
  Chord(VK_CONTROL, VK_LEFT);
  EXPECT_EQ(Sel(e), (std::pair{11, 11}));
  screen().KeyDown(VK_SHIFT);
  screen().KeyDown(VK_CONTROL);
  screen().KeyPress(VK_LEFT);
  screen().KeyUp(VK_CONTROL);
  screen().KeyUp(VK_SHIFT);
  screen().Pump();
  EXPECT_EQ(Sel(e), (std::pair{6, 11}));
  Type("B");
  EXPECT_EQ(Text(e), "alpha Bgamma");
  Chord(VK_SHIFT, VK_HOME);
  EXPECT_EQ(Sel(e), (std::pair{0, 7}));
  Press(VK_RIGHT);  // collapses to the selection's end
  EXPECT_EQ(Sel(e), (std::pair{7, 7}));
  Press(VK_BACK);
  Press(VK_DELETE);
  EXPECT_EQ(Text(e), "alpha amma");
  Chord(VK_CONTROL, 'A');
  EXPECT_EQ(Sel(e), (std::pair{0, 10}));
  Press(VK_DELETE);
  EXPECT_EQ(Text(e), "");
  Press(VK_BACK);  // nothing left to delete
  EXPECT_EQ(Text(e), "");
}

TEST_F(EditTest, ClipboardKeysAndUndo) {
  HWND e = Edit("copy me");
  SendMessage(e, EM_SETSEL, 0, 4);
  Chord(VK_CONTROL, 'C');
  EXPECT_EQ(GetClipboardText(), "copy");
  Press(VK_END);
  Chord(VK_SHIFT, VK_INSERT);
  EXPECT_EQ(Text(e), "copy mecopy");
  Chord(VK_SHIFT, VK_HOME);
  Chord(VK_SHIFT, VK_DELETE);
  EXPECT_EQ(Text(e), "");
  EXPECT_EQ(GetClipboardText(), "copy mecopy");
  Chord(VK_CONTROL, 'Z');
  EXPECT_EQ(Text(e), "copy mecopy");
  Chord(VK_CONTROL, 'Z');  // undoing the undo
  EXPECT_EQ(Text(e), "");
  SetClipboardText("one\r\ntwo");
  Chord(VK_CONTROL, 'V');
  EXPECT_EQ(Text(e), "one");  // one line only
  SendMessage(e, EM_SETSEL, 0, -1);
  Chord(VK_CONTROL, VK_INSERT);
  Chord(VK_CONTROL, 'X');
  EXPECT_EQ(Text(e), "");
  EXPECT_EQ(GetClipboardText(), "one");

  // Typing in one run undoes as one step.
  Type("abc");
  Press(VK_LEFT);
  Type("X");
  EXPECT_EQ(Text(e), "abXc");
  SendMessage(e, WM_UNDO, 0, 0);
  EXPECT_EQ(Text(e), "abc");
  EXPECT_TRUE(SendMessage(e, EM_CANUNDO, 0, 0));
  SendMessage(e, EM_EMPTYUNDOBUFFER, 0, 0);
  EXPECT_FALSE(SendMessage(e, EM_CANUNDO, 0, 0));
}

TEST_F(EditTest, LimitReadOnlyNumberAndPassword) {
  HWND e = Edit();
  SendMessage(e, EM_LIMITTEXT, 2, 0);
  int beeps = screen().Beeps();
  Type("123");
  EXPECT_EQ(Text(e), "12");
  EXPECT_EQ(screen().Beeps(), beeps + 1);
  EXPECT_EQ(NoteCount(e, EN_MAXTEXT), 1);
  SetClipboardText("xyz");
  Chord(VK_CONTROL, 'A');
  Chord(VK_CONTROL, 'V');
  EXPECT_EQ(Text(e), "xy");  // the paste is cut at the limit

  SendMessage(e, EM_SETREADONLY, TRUE, 0);
  EXPECT_TRUE(GetWindowLongPtr(e, GWL_STYLE) & ES_READONLY);
  beeps = screen().Beeps();
  Type("q");
  Press(VK_BACK);
  Chord(VK_CONTROL, 'X');
  EXPECT_EQ(Text(e), "xy");
  EXPECT_EQ(screen().Beeps(), beeps + 2);

  HWND digits = Make(WC_EDIT, "", ES_NUMBER, 10, 40, 100, 21, 8);
  SetFocus(digits);
  Type("4a2");
  EXPECT_EQ(Text(digits), "42");

  HWND secret = Make(WC_EDIT, "pass", ES_PASSWORD, 10, 70, 100, 21, 9);
  EXPECT_EQ(SendMessage(secret, EM_GETPASSWORDCHAR, 0, 0), '*');
  SetClipboardText("before");
  SendMessage(secret, EM_SETSEL, 0, -1);
  SendMessage(secret, WM_COPY, 0, 0);
  SendMessage(secret, WM_CUT, 0, 0);
  EXPECT_EQ(GetClipboardText(), "before");  // a password never leaves the box
  EXPECT_EQ(Text(secret), "pass");
}

TEST_F(EditTest, MouseClickDragAndDoubleClick) {
  HWND e = Edit("one two three", 0, 200);
  auto x = [&](int i) { return GET_X_LPARAM(SendMessage(e, EM_POSFROMCHAR, i, 0)); };
  ClickAt(e, x(4) + 1, 8);
  EXPECT_EQ(Sel(e), (std::pair{4, 4}));
  screen().MouseDown(ScreenOfClient(e, x(4), 8));
  screen().MouseMove(ScreenOfClient(e, x(7), 8));
  screen().MouseUp(ScreenOfClient(e, x(7), 8));
  screen().Pump();
  EXPECT_EQ(Sel(e), (std::pair{4, 7}));
  screen().AdvanceClock(1000);
  screen().DoubleClick(ScreenOfClient(e, x(9), 8));
  screen().Pump();
  EXPECT_EQ(Sel(e), (std::pair{8, 13}));
  EXPECT_EQ(SendMessage(e, EM_CHARFROMPOS, 0, MAKELPARAM(x(2), 5)), 2);
}

TEST_F(EditTest, LongTextScrollsToKeepTheCaretInView) {
  HWND e = Edit("", 0, 60);
  Type("a rather long line of text that cannot fit");
  RECT fmt;
  SendMessage(e, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&fmt));
  int caretX = GET_X_LPARAM(SendMessage(e, EM_POSFROMCHAR, 41, 0));
  EXPECT_LT(caretX, fmt.right);
  EXPECT_GE(caretX, fmt.left);
  EXPECT_GT(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  Press(VK_HOME);
  EXPECT_EQ(GET_X_LPARAM(SendMessage(e, EM_POSFROMCHAR, 0, 0)), fmt.left);
}

TEST_F(EditTest, AlignmentPlacesShortText) {
  HWND left = Make(WC_EDIT, "-", ES_LEFT, 10, 10, 69, 22, 1);
  HWND centre = Make(WC_EDIT, "-", ES_CENTER, 10, 40, 69, 22, 2);
  HWND right = Make(WC_EDIT, "-", ES_RIGHT, 10, 70, 69, 22, 3);
  int l = GET_X_LPARAM(SendMessage(left, EM_POSFROMCHAR, 0, 0));
  int c = GET_X_LPARAM(SendMessage(centre, EM_POSFROMCHAR, 0, 0));
  int r = GET_X_LPARAM(SendMessage(right, EM_POSFROMCHAR, 0, 0));
  EXPECT_LT(l, c);
  EXPECT_LT(c, r);
  EXPECT_NEAR(c, 69 / 2 - 2, 3);
}

TEST_F(EditTest, ContextMenuEnablesWhatTheTextAllows) {
  HWND e = Edit("-", ES_CENTER | ES_UPPERCASE);
  SendMessage(e, EM_SETSEL, 1, 1);
  std::vector<UINT> states;
  auto look = [&] {
    HMENU m = GetTrackedMenu();
    if (!m) return false;
    states.clear();
    for (UINT id : {IDM_EDIT_UNDO, IDM_EDIT_CUT, IDM_EDIT_COPY, IDM_EDIT_PASTE, IDM_EDIT_DELETE,
                    IDM_EDIT_SELECTALL})
      states.push_back(GetMenuState(m, id, MF_BYCOMMAND) & MF_GRAYED);
    EndMenu();
    return true;
  };
  screen().SetIdleHandler(look);
  ClickAt(e, 30, 8, 1);
  EXPECT_EQ(states, (std::vector<UINT>{MF_GRAYED, MF_GRAYED, MF_GRAYED, 0, MF_GRAYED, 0}));

  // After an edit Undo is offered; with a selection Cut, Copy and Delete.
  Type("7");
  SendMessage(e, EM_SETSEL, 0, 1);
  ClickAt(e, 30, 8, 1);
  EXPECT_EQ(states, (std::vector<UINT>{0, 0, 0, 0, 0, 0}));
  SendMessage(e, EM_SETREADONLY, TRUE, 0);
  SendMessage(e, EM_SETSEL, 0, -1);
  ClickAt(e, 30, 8, 1);
  EXPECT_EQ(states, (std::vector<UINT>{MF_GRAYED, MF_GRAYED, 0, MF_GRAYED, MF_GRAYED, MF_GRAYED}));

  // A command chosen from the menu reaches the edit as its message.
  SendMessage(e, EM_SETREADONLY, FALSE, 0);
  SendMessage(e, EM_SETSEL, 0, 0);
  screen().SetIdleHandler(nullptr);
  screen().Click(ScreenOfClient(e, 30, 8), 1);
  // "Select &All" by its mnemonic, whatever the interface language.
  const std::string selectAll = EditMenuCaption(IDM_EDIT_SELECTALL);
  const size_t amp = selectAll.find('&');
  ASSERT_NE(amp, std::string::npos);
  screen().KeyPress(std::toupper(static_cast<unsigned char>(selectAll[amp + 1])));
  screen().Pump();
  EXPECT_EQ(Sel(e), (std::pair{0, int(Text(e).size())}));
}

LRESULT g_edit;
LRESULT DigitsOnly(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CHAR && wp >= 'a' && wp <= 'z') return 0;
  return CallWindowProc(reinterpret_cast<WNDPROC>(g_edit), h, msg, wp, lp);
}

TEST_F(EditTest, ASubclassSeesTheKeysFirst) {
  HWND e = Edit();
  g_edit = SetWindowLongPtr(e, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DigitsOnly));
  Type("a1b2");
  EXPECT_EQ(Text(e), "12");
}

TEST_F(EditTest, AnswersToKeysSelectionLinesAndEmptyPastes) {
  HWND e = Edit("line");
  SendMessage(e, EM_SETSEL, 4, 4);
  EXPECT_EQ(SendMessage(e, WM_CHAR, 'x', 0), 1);
  EXPECT_EQ(SendMessage(e, WM_CHAR, 0x07, 0), 1);  // not taken, still answered 1
  EXPECT_EQ(SendMessage(e, WM_KEYDOWN, VK_HOME, 0), 1);
  EXPECT_EQ(SendMessage(e, WM_KEYDOWN, VK_F7, 0), 1);
  EXPECT_EQ(SendMessage(e, EM_SETSEL, 1, 3), 1);
  EXPECT_EQ(SendMessage(e, EM_SETSEL, WPARAM(-1), 0), 1);
  // A single-line edit has one line, whatever line is asked for.
  char buf[16] = {};
  *reinterpret_cast<std::uint16_t*>(buf) = sizeof buf;
  EXPECT_EQ(SendMessage(e, EM_GETLINE, 3, reinterpret_cast<LPARAM>(buf)), 5);
  EXPECT_EQ(std::string(buf, 5), "linex");
  *reinterpret_cast<std::uint16_t*>(buf) = 2;
  EXPECT_EQ(SendMessage(e, EM_GETLINE, WPARAM(-1), reinterpret_cast<LPARAM>(buf)), 2);

  // Pasting an empty clipboard over a selection: a password edit loses the
  // selected characters (undoably), a plain edit keeps them.
  SetClipboardText("");
  SendMessage(e, EM_SETSEL, 1, 3);
  SendMessage(e, WM_PASTE, 0, 0);
  EXPECT_EQ(Text(e), "linex");
  HWND secret = Make(WC_EDIT, "pass", ES_PASSWORD, 10, 70, 100, 21, 9);
  SendMessage(secret, EM_SETSEL, 1, 3);
  SendMessage(secret, WM_PASTE, 0, 0);
  EXPECT_EQ(Text(secret), "ps");
  EXPECT_EQ(Sel(secret), (std::pair{1, 1}));
  SendMessage(secret, WM_UNDO, 0, 0);
  EXPECT_EQ(Text(secret), "pass");
  SendMessage(secret, EM_SETSEL, 2, 2);
  SendMessage(secret, WM_PASTE, 0, 0);  // no selection: nothing happens
  EXPECT_EQ(Text(secret), "pass");
}

// A window class built on the edit asks for the formatting rectangle as
// each creation message is answered.
WNDPROC g_editProc = nullptr;
std::vector<std::pair<UINT, RECT>> g_rects;

LRESULT ProbingEdit(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT r = CallWindowProc(g_editProc, h, msg, wp, lp);
  if (msg == WM_NCCREATE || msg == WM_CREATE) {
    RECT rc{-1, -1, -1, -1};
    SendMessage(h, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rc));
    g_rects.emplace_back(msg, rc);
  }
  return r;
}

TEST_F(EditTest, TheFormattingRectangleIsEmptyUntilTheEditIsCreated) {
  WNDCLASS wc;
  ASSERT_TRUE(GetClassInfo(WC_EDIT, &wc));
  g_editProc = wc.lpfnWndProc;
  wc.lpfnWndProc = ProbingEdit;
  wc.lpszClassName = "ProbingEdit";
  ASSERT_NE(RegisterClass(&wc), 0);
  g_rects.clear();
  HWND e = Make("ProbingEdit", "text", 0, 10, 10, 100, 21, 8);
  RECT formatted{};
  SendMessage(e, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&formatted));
  EXPECT_FALSE(formatted.IsEmpty());
  const struct {
    UINT msg;
    bool empty;
  } expected[] = {{WM_NCCREATE, true}, {WM_CREATE, false}};
  for (const auto& want : expected) {
    auto seen = std::find_if(g_rects.begin(), g_rects.end(),
                             [&](const auto& got) { return got.first == want.msg; });
    ASSERT_NE(seen, g_rects.end()) << want.msg;
    if (want.empty)
      EXPECT_EQ(seen->second, RECT{}) << want.msg;
    else
      EXPECT_EQ(seen->second, formatted) << want.msg;
  }
}

TEST_F(EditTest, BadInputIsHandled) {
  HWND e = Edit();
  std::string big(2'000'000, 'x');
  big[10] = '\n';
  big[20] = '\t';
  big[30] = '\0';
  SetWindowText(e, big.c_str());
  EXPECT_EQ(Text(e).size(), 30u);
  std::string huge(300'000, 'y');
  SetWindowText(e, huge.c_str());
  EXPECT_EQ(GetWindowTextLength(e), 300000);
  screen().Pump();
  Press(VK_END);
  Type("z");
  EXPECT_EQ(GetWindowTextLength(e), 300000);  // the default limit holds typing
  SendMessage(e, EM_SETSEL, WPARAM(-5), 1'000'000);
  EXPECT_EQ(Sel(e), (std::pair{300000, 300000}));
  SendMessage(e, EM_SETSEL, 7, 1'000'000'000);
  EXPECT_EQ(Sel(e).second, 300000);
  EXPECT_EQ(SendMessage(e, EM_GETLINE, 0, 0), 0);
  EXPECT_EQ(SendMessage(e, EM_POSFROMCHAR, 5'000'000, 0), -1);
  SendMessage(e, EM_REPLACESEL, TRUE, 0);
  SendMessage(e, WM_GETTEXT, 0, 0);
  SendMessage(e, WM_SETTEXT, 0, 0);
  EXPECT_EQ(Text(e), "");
  SendMessage(e, WM_CHAR, 0x07, 0);  // control characters type nothing
  SendMessage(e, WM_CHAR, '\r', 0);
  EXPECT_EQ(Text(e), "");
  SetWindowText(e, "a\x01\x02z");
  screen().Pump();
  EXPECT_EQ(Text(e), "a\x01\x02z");
}

}  // namespace
}  // namespace platform::test
