// The drop-down list combo box: keys while closed, the dropped list, mouse
// selection, closing, type-ahead and bad input.
#include "ControlTestSupport.h"

namespace platform::test {
namespace {

class ComboBoxTest : public ControlTest {
 protected:
  HWND Combo(int count = 10) {
    HWND c = Make(WC_COMBOBOX, "", CBS_DROPDOWNLIST | WS_TABSTOP, 60, 176, 185, 21, 9);
    const char* screens[] = {"Black Screen",  "Welcome Screen",  "Before Start Screen",
                             "Big Stopwatch", "False Start",     "False Start / Dog",
                             "Best Time",     "Best Time / Dog", "Round Results",
                             "Kelvaro Logo"};
    for (int i = 0; i < count; ++i)
      SendMessage(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(screens[i % 10]));
    SendMessage(c, CB_SETCURSEL, 0, 0);
    SetFocus(c);
    screen().Pump();
    Log().clear();
    return c;
  }
  int Sel(HWND c) { return int(SendMessage(c, CB_GETCURSEL, 0, 0)); }
  bool Dropped(HWND c) { return SendMessage(c, CB_GETDROPPEDSTATE, 0, 0) != 0; }
  RECT ListRect(HWND c) {
    RECT r;
    SendMessage(c, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r;
  }
};

TEST_F(ComboBoxTest, KeysWhileClosedSelectAndAnnounce) {
  HWND c = Combo();
  Press(VK_DOWN);
  EXPECT_EQ(Sel(c), 1);
  EXPECT_EQ(Text(c), "Welcome Screen");
  Press(VK_RIGHT);
  Press(VK_UP);
  EXPECT_EQ(Sel(c), 1);
  Press(VK_END);
  EXPECT_EQ(Sel(c), 9);
  Press(VK_DOWN);  // at the end already
  Press(VK_HOME);
  EXPECT_EQ(Sel(c), 0);
  Press(VK_NEXT);
  EXPECT_EQ(Sel(c), 9);  // a page is the drop-down count less one, cut at the end
  EXPECT_EQ(NoteCount(c, CBN_SELCHANGE), 6);
  EXPECT_FALSE(Dropped(c));
  SendMessage(c, CB_SETCURSEL, 2, 0);
  EXPECT_EQ(NoteCount(c, CBN_SELCHANGE), 6);
}

TEST_F(ComboBoxTest, ClickDropsTheListAndAClickOnAnEntryChoosesIt) {
  HWND c = Combo();
  ClickAt(c, 50, 10);
  ASSERT_TRUE(Dropped(c));
  EXPECT_EQ(NoteCount(c, CBN_DROPDOWN), 1);
  RECT r = ListRect(c);
  EXPECT_EQ(r.Height(), 10 * 13 + 2);
  // Hovering highlights without choosing.
  screen().MouseMove(POINT{r.left + 20, r.top + 1 + 13 * 3 + 5});
  screen().Pump();
  EXPECT_EQ(Sel(c), 0);
  screen().Click(POINT{r.left + 20, r.top + 1 + 13 * 3 + 5});
  screen().Pump();
  EXPECT_FALSE(Dropped(c));
  EXPECT_EQ(Sel(c), 3);
  EXPECT_EQ(Notes(c), (std::vector<UINT>{CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
  EXPECT_EQ(GetFocus(), c);
}

TEST_F(ComboBoxTest, TheListClosesOnEscapeEnterOutsideClicksAndFocusLoss) {
  HWND c = Combo();
  HWND other = Make(WC_BUTTON, "Other", WS_TABSTOP, 10, 10, 75, 25, 3);
  SetFocus(c);
  Chord(VK_MENU, VK_DOWN);
  ASSERT_TRUE(Dropped(c));
  Press(VK_DOWN);  // moves the selection at once
  Press(VK_DOWN);
  EXPECT_EQ(Sel(c), 2);
  // Escape gives back the selection from before the list opened.
  Press(VK_ESCAPE);
  EXPECT_FALSE(Dropped(c));
  EXPECT_EQ(Sel(c), 0);
  Press(VK_F4);
  ASSERT_TRUE(Dropped(c));
  Press(VK_DOWN);
  Press(VK_RETURN);
  EXPECT_FALSE(Dropped(c));
  EXPECT_EQ(Sel(c), 1) << "Enter keeps what the keys chose";
  Press(VK_F4);
  screen().Click(ScreenOfClient(parent(), 380, 280));
  screen().Pump();
  EXPECT_FALSE(Dropped(c));
  EXPECT_EQ(NoteCount(c, CBN_SELENDCANCEL), 2);
  Press(VK_F4);
  SetFocus(other);
  screen().Pump();
  EXPECT_FALSE(Dropped(c));
  EXPECT_FALSE(IsWindowVisible(GetCapture()));
  EXPECT_EQ(NoteCount(c, CBN_CLOSEUP), 4);
}

TEST_F(ComboBoxTest, TheDroppedListShowsSixteenRowsAtMost) {
  HWND c = Combo(20);
  Press(VK_F4);
  EXPECT_EQ(ListRect(c).Height(), 16 * 13 + 2);
  SendMessage(c, CB_SETMINVISIBLE, 4, 0);
  EXPECT_EQ(ListRect(c).Height(), 4 * 13 + 2);
  Press(VK_ESCAPE);
}

TEST_F(ComboBoxTest, TheParentColoursTheDroppedList) {
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  Handlers()[parent().value] = [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_CTLCOLORLISTBOX) return LRESULT(red.value);
    return std::nullopt;
  };
  HWND c = Combo(3);
  Press(VK_F4);
  RECT r = ListRect(c);
  EXPECT_EQ(screen().ScreenPixel(r.right - 3, r.top + 1 + 13 + 6), ColorToPixel(RGB(255, 0, 0)));
  Press(VK_ESCAPE);
  DeleteObject(red);
}

TEST_F(ComboBoxTest, TypeAheadUsesThePrefixTypedSoFar) {
  HWND c = Combo();
  Type("b");
  EXPECT_EQ(Text(c), "Black Screen");
  screen().AdvanceClock(100);
  Type("i");
  EXPECT_EQ(Text(c), "Big Stopwatch");
  screen().AdvanceClock(100);
  Type("x");  // "bix" matches nothing: the selection stays
  EXPECT_EQ(Text(c), "Big Stopwatch");
  screen().AdvanceClock(500);
  Type("f");
  EXPECT_EQ(Text(c), "False Start");
  screen().AdvanceClock(499);
  Type("A");
  EXPECT_EQ(Text(c), "False Start");
  screen().AdvanceClock(500);
  Type("k");
  EXPECT_EQ(Text(c), "Kelvaro Logo");
}

TEST_F(ComboBoxTest, TheClosedBoxIsItsFieldHeightPlusSix) {
  HWND c = Make(WC_COMBOBOX, "", CBS_DROPDOWNLIST, 10, 10, 120, 200, 4);  // 200: the dropped extent
  auto height = [&] {
    RECT r;
    GetWindowRect(c, &r);
    return r.Height();
  };
  EXPECT_EQ(height(), 13 + 6);
  EXPECT_EQ(SendMessage(c, CB_GETITEMHEIGHT, WPARAM(-1), 0), 13);
  EXPECT_EQ(SendMessage(c, CB_SETITEMHEIGHT, WPARAM(-1), 18), CB_OKAY);
  EXPECT_EQ(height(), 24);
  EXPECT_EQ(SendMessage(c, CB_GETITEMHEIGHT, 0, 0), 13);  // the rows keep theirs
  MoveWindow(c, 20, 30, 150, 24, TRUE);
  RECT r;
  GetWindowRect(c, &r);
  EXPECT_EQ(r.Width(), 150);
  EXPECT_EQ(r.Height(), 24);
  for (LPARAM bad : {LPARAM(0), LPARAM(-1), LPARAM(256), LPARAM(1) << 40}) {
    EXPECT_EQ(SendMessage(c, CB_SETITEMHEIGHT, WPARAM(-1), bad), CB_ERR);
    EXPECT_EQ(SendMessage(c, CB_SETITEMHEIGHT, 0, bad), CB_ERR);
  }
  EXPECT_EQ(height(), 24);
  // A simple combo box keeps the height it is given.
  HWND simple = Make(WC_COMBOBOX, "", CBS_SIMPLE, 200, 10, 120, 90, 5);
  GetWindowRect(simple, &r);
  EXPECT_EQ(r.Height(), 90);
}

// Moved to a new height after creation: a drop-down list's field takes it,
// a combo box with an edit keeps its closed box; a rectangle taller than
// the closed box is what CB_GETDROPPEDCONTROLRECT answers from then on.
TEST_F(ComboBoxTest, ANewHeightGoesToTheFieldOrTheDroppedRectangle) {
  const struct {
    DWORD style;
    int height;
    int box, field;
    bool taller;  // the dropped rectangle is the one moved to
  } cases[] = {
      {CBS_DROPDOWNLIST, 30, 30, 24, true},  {CBS_DROPDOWNLIST, 15, 15, 9, false},
      {CBS_DROPDOWNLIST, 19, 19, 13, false}, {CBS_DROPDOWN, 120, 19, 13, true},
      {CBS_DROPDOWN, 10, 19, 13, false},
  };
  for (const auto& c : cases) {
    HWND combo = Make(WC_COMBOBOX, "", c.style, 10, 10, 120, 150, 4);
    for (const char* t : {"One", "Two", "Three"})
      SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
    RECT r;
    SendMessage(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&r));
    const int listHeight = r.Height();  // the creation height does not count
    SetWindowPos(combo, HWND{}, 30, 40, 130, c.height, SWP_NOZORDER);
    RECT box;
    GetWindowRect(combo, &box);
    EXPECT_EQ(box.Height(), c.box) << c.style << " " << c.height;
    EXPECT_EQ(box.Width(), 130);
    EXPECT_EQ(SendMessage(combo, CB_GETITEMHEIGHT, WPARAM(-1), 0), c.field);
    EXPECT_EQ(SendMessage(combo, CB_GETITEMHEIGHT, 0, 0), 13);
    SendMessage(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&r));
    if (c.taller) {
      EXPECT_EQ(r, (RECT{box.left, box.top, box.left + 130, box.top + c.height})) << c.height;
    } else {
      EXPECT_EQ(r.top, box.bottom) << c.height;
      EXPECT_EQ(r.Height(), listHeight);
    }
    DestroyWindow(combo);
  }
}

TEST_F(ComboBoxTest, TheDroppedWidthIsNeverBelowTheBox) {
  HWND c = Combo(3);  // 185 wide
  EXPECT_EQ(SendMessage(c, CB_SETDROPPEDWIDTH, 50, 0), 185);
  EXPECT_EQ(SendMessage(c, CB_SETDROPPEDWIDTH, 260, 0), 260);
  EXPECT_EQ(SendMessage(c, CB_SETDROPPEDWIDTH, 0, 0), 260);  // ignored
  EXPECT_EQ(SendMessage(c, CB_SETDROPPEDWIDTH, WPARAM(-40), 0), 260);
  EXPECT_EQ(SendMessage(c, CB_GETDROPPEDWIDTH, 0, 0), 260);
  EXPECT_EQ(ListRect(c).Width(), 260);
  EXPECT_EQ(SendMessage(c, CB_SETDROPPEDWIDTH, WPARAM(1) << 40, 0), 32767);
}

TEST_F(ComboBoxTest, ColourQuestionsGoToTheParentAndSortingFollowsTheLocale) {
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  std::vector<UINT> asked;
  Handlers()[parent().value] = [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m < WM_CTLCOLORMSGBOX || m > WM_CTLCOLORSTATIC) return std::nullopt;
    asked.push_back(m);
    return LRESULT(red.value);
  };
  HWND c = Combo(2);
  HDC dc = GetDC(c);
  asked.clear();  // the box's own painting asked too
  EXPECT_EQ(SendMessage(c, WM_CTLCOLOREDIT, WPARAM(dc.value), LPARAM(c.value)), LRESULT(red.value));
  EXPECT_EQ(SendMessage(c, WM_CTLCOLORLISTBOX, WPARAM(dc.value), LPARAM(c.value)),
            LRESULT(red.value));
  ReleaseDC(c, dc);
  EXPECT_EQ(asked, (std::vector<UINT>{WM_CTLCOLOREDIT, WM_CTLCOLORLISTBOX}));
  Handlers().erase(parent().value);
  DeleteObject(red);

  HWND sorted = Make(WC_COMBOBOX, "", CBS_DROPDOWNLIST | CBS_SORT, 10, 10, 120, 200, 4);
  for (const char* t : {"Zulu",
                        "\xC9"
                        "cole",
                        "Delta", "Echo", "Foxtrot"})
    SendMessage(sorted, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
  char text[16] = "";
  SendMessage(sorted, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text,
               "\xC9"
               "cole");  // E with an acute, among the E's
}

TEST_F(ComboBoxTest, BadInputIsRefused) {
  HWND c = Combo(2);
  EXPECT_EQ(SendMessage(c, CB_SETCURSEL, 99, 0), CB_ERR);
  EXPECT_EQ(Sel(c), 0);
  char buf[8] = "keep";
  EXPECT_EQ(SendMessage(c, CB_GETLBTEXT, 5, reinterpret_cast<LPARAM>(buf)), CB_ERR);
  EXPECT_STREQ(buf, "keep");
  EXPECT_EQ(SendMessage(c, CB_DELETESTRING, 7, 0), CB_ERR);
  EXPECT_EQ(SendMessage(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("no such")), CB_ERR);
  EXPECT_EQ(SendMessage(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("WELCOME screen")), TRUE);
  EXPECT_EQ(Sel(c), 1);
  SendMessage(c, CB_DELETESTRING, 1, 0);
  EXPECT_EQ(Sel(c), -1);
  EXPECT_EQ(Text(c), "");
  SendMessage(c, CB_RESETCONTENT, 0, 0);
  Press(VK_DOWN);
  Press(VK_F4);
  Press(VK_RETURN);
  EXPECT_EQ(Sel(c), -1);
}

}  // namespace
}  // namespace platform::test
