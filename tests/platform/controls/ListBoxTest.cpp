// The list box: items, selection by keys and mouse, notifications, scroll
// state, owner drawing and bad indexes.
#include <cstdlib>
#include <functional>
#include <optional>

#include "ControlTestSupport.h"
#include "platform/base/LocaleServices.h"

namespace platform::test {
namespace {

class ListBoxTest : public ControlTest {
 protected:
  HWND List(DWORD style = LBS_NOTIFY, int count = 5) {
    HWND l = Make(WC_LISTBOX, "", style | WS_TABSTOP, 10, 10, 150, 13 * 4, 5, WS_EX_CLIENTEDGE);
    const char* names[] = {"Rex", "Dina", "Mr.Big", "Kiki", "Sharik", "Bolt", "Nemo", "Alf"};
    for (int i = 0; i < count; ++i)
      SendMessage(l, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(names[i % 8]));
    return l;
  }
  std::string ItemText(HWND l, int i) {
    LRESULT n = SendMessage(l, LB_GETTEXTLEN, WPARAM(i), 0);
    if (n < 0) return "<err>";
    std::string t(std::size_t(n) + 1, '\0');
    SendMessage(l, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(t.data()));
    t.resize(std::size_t(n));
    return t;
  }
};

TEST_F(ListBoxTest, ItemsAreAddedInsertedFoundAndDeleted) {
  HWND l = List();
  EXPECT_EQ(SendMessage(l, LB_GETCOUNT, 0, 0), 5);
  EXPECT_EQ(SendMessage(l, LB_INSERTSTRING, 1, reinterpret_cast<LPARAM>("New Dog")), 1);
  EXPECT_EQ(ItemText(l, 1), "New Dog");
  EXPECT_EQ(ItemText(l, 2), "Dina");
  EXPECT_EQ(SendMessage(l, LB_FINDSTRING, WPARAM(-1), reinterpret_cast<LPARAM>("ki")), 4);
  EXPECT_EQ(SendMessage(l, LB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>("MR.BIG")), 3);
  EXPECT_EQ(SendMessage(l, LB_FINDSTRING, WPARAM(-1), reinterpret_cast<LPARAM>("zz")), LB_ERR);
  SendMessage(l, LB_SETITEMDATA, 2, 42);
  EXPECT_EQ(SendMessage(l, LB_GETITEMDATA, 2, 0), 42);
  SendMessage(l, LB_SETCURSEL, 4, 0);
  EXPECT_EQ(SendMessage(l, LB_DELETESTRING, 1, 0), 5);
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 3);  // the selection follows its item
  EXPECT_EQ(SendMessage(l, LB_GETITEMDATA, 1, 0), 42);
  SendMessage(l, LB_DELETESTRING, 3, 0);
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), LB_ERR);
  SendMessage(l, LB_RESETCONTENT, 0, 0);
  EXPECT_EQ(SendMessage(l, LB_GETCOUNT, 0, 0), 0);

  HWND sorted = Make(WC_LISTBOX, "", LBS_SORT, 200, 10, 100, 60, 6);
  for (const char* t : {"b", "C", "a"})
    SendMessage(sorted, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
  EXPECT_EQ(ItemText(sorted, 0) + ItemText(sorted, 1) + ItemText(sorted, 2), "abC");
}

TEST_F(ListBoxTest, OutOfRangeIndexesAnswerWithAnError) {
  HWND l = List();
  char buf[64] = "untouched";
  EXPECT_EQ(SendMessage(l, LB_GETTEXT, 1000, reinterpret_cast<LPARAM>(buf)), LB_ERR);
  EXPECT_STREQ(buf, "untouched");
  EXPECT_EQ(SendMessage(l, LB_GETTEXT, 0, 0), LB_ERR);
  EXPECT_EQ(SendMessage(l, LB_GETTEXTLEN, WPARAM(-3), 0), LB_ERR);
  EXPECT_EQ(SendMessage(l, LB_SETCURSEL, 1000, 0), LB_ERR);
  EXPECT_EQ(SendMessage(l, LB_GETITEMDATA, 5, 0), LB_ERR);
  EXPECT_EQ(SendMessage(l, LB_SETITEMDATA, 5, 1), LB_ERR);
  EXPECT_EQ(SendMessage(l, LB_DELETESTRING, 5, 0), LB_ERR);
  EXPECT_EQ(SendMessage(l, LB_INSERTSTRING, 99, reinterpret_cast<LPARAM>("x")), LB_ERR);
  EXPECT_EQ(SendMessage(l, LB_SETTOPINDEX, 77, 0), LB_ERR);
  RECT r;
  EXPECT_EQ(SendMessage(l, LB_GETITEMRECT, 9, reinterpret_cast<LPARAM>(&r)), LB_ERR);
  EXPECT_EQ(SendMessage(l, LB_SETITEMHEIGHT, 0, 0), LB_ERR);
  EXPECT_EQ(SendMessage(l, LB_GETCOUNT, 0, 0), 5);
  // Text with control characters is kept as it is.
  SendMessage(l, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("tab\there\r\n"));
  EXPECT_EQ(ItemText(l, 5), "tab\there\r\n");
  SendMessage(l, LB_ADDSTRING, 0, 0);
  EXPECT_EQ(ItemText(l, 6), "");
  screen().Pump();
}

TEST_F(ListBoxTest, KeysAndClicksSelectAndOnlyTheUserIsAnnounced) {
  HWND l = List(LBS_NOTIFY, 8);
  SendMessage(l, LB_SETCURSEL, 0, 0);
  SetFocus(l);
  screen().Pump();
  EXPECT_EQ(NoteCount(l, LBN_SELCHANGE), 0);
  Press(VK_DOWN);
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 1);
  Press(VK_NEXT);  // four rows shown: a page moves three
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 4);
  EXPECT_EQ(SendMessage(l, LB_GETTOPINDEX, 0, 0), 1);
  Press(VK_END);
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 7);
  EXPECT_EQ(SendMessage(l, LB_GETTOPINDEX, 0, 0), 4);
  Press(VK_DOWN);  // already at the end: no change, no notice
  Press(VK_HOME);
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(NoteCount(l, LBN_SELCHANGE), 4);
  ClickAt(l, 20, 13 * 2 + 5);
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(NoteCount(l, LBN_SELCHANGE), 5);
  ClickAt(l, 20, 13 * 2 + 5);  // the same row again
  EXPECT_EQ(NoteCount(l, LBN_SELCHANGE), 5);
  EXPECT_EQ(NoteCount(l, LBN_DBLCLK), 1);
  SendMessage(l, LB_SETCURSEL, 3, 0);
  EXPECT_EQ(NoteCount(l, LBN_SELCHANGE), 5);
}

TEST_F(ListBoxTest, TypeAheadFindsByPrefixAndRestartsAfterAPause) {
  HWND l = List(LBS_NOTIFY, 8);  // Rex Dina Mr.Big Kiki Sharik Bolt Nemo Alf
  SetFocus(l);
  Type("n");
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 6);
  screen().AdvanceClock(600);
  Type("s");
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 4);
  screen().AdvanceClock(600);
  Type("m");
  screen().AdvanceClock(100);
  Type("r");
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 2);
}

TEST_F(ListBoxTest, ScrollStateIsKeptWithoutABar) {
  HWND l = List(LBS_NOTIFY, 8);
  SendMessage(l, LB_SETTOPINDEX, 3, 0);
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(l, SB_VERT, &si));
  EXPECT_EQ(si.nMin, 0);
  EXPECT_EQ(si.nMax, 7);
  EXPECT_EQ(si.nPage, 4u);
  EXPECT_EQ(si.nPos, 3);
  EXPECT_FALSE(GetWindowLongPtr(l, GWL_STYLE) & WS_VSCROLL);
  SendMessage(l, LB_SETTOPINDEX, 7, 0);  // never past the last full page
  EXPECT_EQ(SendMessage(l, LB_GETTOPINDEX, 0, 0), 4);
  SendMessage(l, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(SendMessage(l, LB_GETTOPINDEX, 0, 0), 1);

  HWND barred = Make(WC_LISTBOX, "", WS_VSCROLL, 200, 10, 100, 13 * 4 + 4, 6, WS_EX_CLIENTEDGE);
  EXPECT_FALSE(GetWindowLongPtr(barred, GWL_STYLE) & WS_VSCROLL);  // not needed yet
  for (int i = 0; i < 9; ++i) SendMessage(barred, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("x"));
  EXPECT_TRUE(GetWindowLongPtr(barred, GWL_STYLE) & WS_VSCROLL);
  SendMessage(barred, WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(SendMessage(barred, LB_GETTOPINDEX, 0, 0), 3);
}

// The user's locale for one test, then the one before it.
class UserLocale {
 public:
  explicit UserLocale(const char* name) {
    if (const char* old = std::getenv("LC_ALL")) saved_ = old;
    setenv("LC_ALL", name, 1);
    ResetLocaleCache();
  }
  ~UserLocale() {
    if (saved_)
      setenv("LC_ALL", saved_->c_str(), 1);
    else
      unsetenv("LC_ALL");
    ResetLocaleCache();
  }

 private:
  std::optional<std::string> saved_;
};

TEST_F(ListBoxTest, SortedListsOrderByTheUsersLocaleAndFindBracketedEntries) {
  UserLocale english("en_US.UTF-8");
  HWND sorted = Make(WC_LISTBOX, "", LBS_SORT, 200, 10, 100, 60, 6);
  // Windows-1252: \xD8 is "O" with a stroke, \xCD and \xED "I" with an acute.
  for (const char* t : {"Zorro", "\xD8rsted", "Pia", "Ivan", "\xCDmola", "Jana",
                        "\xED"
                        "caro",
                        "Nina", "hans"})
    SendMessage(sorted, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
  std::string order;
  for (int i = 0; i < 9; ++i) order += ItemText(sorted, i) + ",";
  EXPECT_EQ(order,
            "hans,\xED"
            "caro,\xCDmola,Ivan,Jana,Nina,\xD8rsted,Pia,Zorro,");
  // Equal texts keep the order they came in.
  EXPECT_EQ(SendMessage(sorted, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("IVAN")), 4);

  HWND l = Make(WC_LISTBOX, "", 0, 10, 10, 150, 60, 7);
  for (const char* t : {"[abc]", "[-abd-]", "x[abe]", "-abf", "[[abg", "[--abh", "abd"})
    SendMessage(l, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
  auto find = [&](const char* t, UINT msg = LB_FINDSTRING, WPARAM from = WPARAM(-1)) {
    return SendMessage(l, msg, from, reinterpret_cast<LPARAM>(t));
  };
  EXPECT_EQ(find("abc"), 0);
  EXPECT_EQ(find("ABD"), 1);
  EXPECT_EQ(find("abd", LB_FINDSTRING, 1), 6);  // on from the start, wrapping
  EXPECT_EQ(find("[ab"), 0);
  EXPECT_EQ(find("[-"), 1);
  // Only one bracket and one hyphen at the very start are passed over.
  for (const char* t : {"abe", "abf", "abg", "abh"}) EXPECT_EQ(find(t), LB_ERR) << t;
  EXPECT_EQ(find("abc", LB_FINDSTRINGEXACT), LB_ERR);
  EXPECT_EQ(find("abc", LB_SELECTSTRING), 0);
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 0);
}

// An exact search matches the whole text ignoring letter case only: the
// brackets and hyphens a prefix search passes over count here.
TEST_F(ListBoxTest, AnExactSearchMatchesTheWholeTextIgnoringCaseOnly) {
  UserLocale english("en_US.UTF-8");
  HWND l = Make(WC_LISTBOX, "", LBS_SORT, 200, 10, 100, 60, 6);
  for (const char* t : {"[-abc-]", "[abc]", "abc", "a-bc", "ABC-", "ab"})
    SendMessage(l, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
  std::string order;
  for (int i = 0; i < 6; ++i) order += ItemText(l, i) + ",";
  const struct {
    const char* text;
    const char* found;  // null: none
  } cases[] = {{"abc", "abc"},         {"ABC", "abc"},   {"[abc]", "[abc]"}, {"[ABC]", "[abc]"},
               {"[-abc-]", "[-abc-]"}, {"abc-", "ABC-"}, {"a-bc", "a-bc"},   {"ab", "ab"},
               {"abc]", nullptr},      {"a", nullptr},   {"", nullptr},      {"abcd", nullptr}};
  for (const auto& c : cases) {
    for (WPARAM from : {WPARAM(-1), WPARAM(0), WPARAM(2), WPARAM(5), WPARAM(99)}) {
      LRESULT i = SendMessage(l, LB_FINDSTRINGEXACT, from, reinterpret_cast<LPARAM>(c.text));
      EXPECT_EQ(i < 0 ? std::string("none") : ItemText(l, int(i)), c.found ? c.found : "none")
          << c.text << " from " << std::intptr_t(from) << " in " << order;
    }
  }
  // Items placed by index in a sorted list stay where they were put.
  HWND placed = Make(WC_LISTBOX, "", LBS_SORT, 200, 80, 100, 60, 7);
  for (const char* t : {"abc", "[abc]", "[-abc-]"})
    SendMessage(placed, LB_INSERTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(t));
  for (WPARAM from : {WPARAM(-1), WPARAM(0), WPARAM(1), WPARAM(2)})
    EXPECT_EQ(SendMessage(placed, LB_FINDSTRINGEXACT, from, reinterpret_cast<LPARAM>("abc")), 0);
}

// Under a Turkish user locale i and I are one letter differing by case, so
// they sort together and equal texts keep the order they came in.
TEST_F(ListBoxTest, SortedListsUnderATurkishLocaleKeepIAndITogether) {
  UserLocale turkish("tr_TR.UTF-8");
  HWND sorted = Make(WC_LISTBOX, "", LBS_SORT, 200, 10, 100, 60, 6);
  for (const char* t : {"irmak", "Izmir", "Irmak", "Ada", "ilk", "Hasan"})
    SendMessage(sorted, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
  std::string order;
  for (int i = 0; i < 6; ++i) order += ItemText(sorted, i) + ",";
  EXPECT_EQ(order, "Ada,Hasan,ilk,irmak,Irmak,Izmir,");
}

TEST_F(ListBoxTest, LosingTheFocusMidClickEndsTheClick) {
  HWND l = List(LBS_NOTIFY, 8);
  HWND other = Make(WC_BUTTON, "Other", WS_TABSTOP, 200, 10, 75, 25, 3);
  screen().MouseDown(ScreenOfClient(l, 20, 13 * 2 + 5));
  screen().Pump();
  ASSERT_EQ(GetCapture(), l);
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(NoteCount(l, LBN_SELCHANGE), 1);
  SetFocus(other);
  screen().Pump();
  EXPECT_NE(GetCapture(), l);
  EXPECT_EQ(NoteCount(l, LBN_SELCHANGE), 2);
  EXPECT_EQ(NoteCount(l, LBN_KILLFOCUS), 1);
  // The mouse no longer drags the selection.
  screen().MouseMove(ScreenOfClient(l, 20, 13 * 3 + 5));
  screen().MouseUp(ScreenOfClient(l, 20, 13 * 3 + 5));
  screen().Pump();
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(NoteCount(l, LBN_SELCHANGE), 2);
}

TEST_F(ListBoxTest, ABoxRaisedMidClickEndsTheClick) {
  HWND l = List(LBS_NOTIFY, 8);
  const POINT row2 = ScreenOfClient(l, 20, 13 * 2 + 5);
  // Raised by the control that will not give up the focus: no row is
  // selected, and the mouse moving over the list afterwards selects none.
  HWND editor = RefusingEditor(row2);
  screen().MouseDown(row2);
  screen().Pump();
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(GetFocus(), editor);
  EXPECT_NE(GetCapture(), l);
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), -1);
  screen().MouseMove(ScreenOfClient(l, 20, 13 * 3 + 5));
  screen().Pump();
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), -1);
  EXPECT_EQ(NoteCount(l, LBN_SELCHANGE), 0);

  // Raised by whoever hears of the selection: the row stays selected, the
  // press is over.
  refuse = false;
  Handlers()[parent().value] = [&](HWND, UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_COMMAND && HIWORD(wp) == LBN_SELCHANGE && boxes == 1) BoxWhileReleasing(row2);
    return std::nullopt;
  };
  screen().MouseDown(row2);
  screen().Pump();
  EXPECT_EQ(boxes, 2);
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 2);
  EXPECT_NE(GetCapture(), l);
  screen().MouseMove(ScreenOfClient(l, 20, 13 * 3 + 5));
  screen().Pump();
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(NoteCount(l, LBN_SELCHANGE), 1);
  EXPECT_EQ(boxes, 2);
  // The next click is the operator's own again.
  ClickAt(l, 20, 13 * 1 + 5);
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 1);
  EXPECT_NE(GetCapture(), l);
}

TEST_F(ListBoxTest, ANoSelectionListKeepsACurrentItemItNeverHighlights) {
  HWND l = List(LBS_NOTIFY | LBS_NOSEL, 8);
  SetFocus(l);
  screen().Pump();
  const int row = int(SendMessage(l, LB_GETITEMHEIGHT, 0, 0));
  auto send = [&](UINT msg, WPARAM wp, LRESULT answer) {
    return [=, this] {
      EXPECT_EQ(SendMessage(l, msg, wp, reinterpret_cast<LPARAM>("Dina")), answer) << msg;
    };
  };
  const struct {
    const char* what;
    std::function<void()> act;
    int current;
  } steps[] = {
      {"set", send(LB_SETCURSEL, 1, 1), 1},
      {"down", [&] { Press(VK_DOWN); }, 2},
      {"click", [&] { ClickAt(l, 20, 3 * row + 2); }, 3},
      {"end", [&] { Press(VK_END); }, 7},
      {"up", [&] { Press(VK_UP); }, 6},
      {"typing", [&] { Type("k"); }, 6},  // type-ahead does not move it
      {"select string", send(LB_SELECTSTRING, WPARAM(-1), LB_ERR), 6},
      {"set none", send(LB_SETCURSEL, WPARAM(-1), LB_ERR), -1},
      {"home", [&] { Press(VK_HOME); }, 0},
  };
  for (const auto& step : steps) {
    step.act();
    screen().Pump();
    EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), step.current) << step.what;
    if (step.current >= 0) {
      EXPECT_EQ(SendMessage(l, LB_GETSEL, WPARAM(step.current), 0), 1) << step.what;
      EXPECT_EQ(SendMessage(l, LB_GETCARETINDEX, 0, 0), step.current) << step.what;
    }
    EXPECT_EQ(SendMessage(l, LB_GETSEL, 5, 0), step.current == 5 ? 1 : 0) << step.what;
    for (int r = 0; r < 3; ++r) {
      POINT p = ScreenOfClient(l, 120, row * r + row / 2);
      EXPECT_NE(screen().ScreenPixel(p.x, p.y), ColorToPixel(GetSysColor(COLOR_HIGHLIGHT)))
          << step.what << " row " << r;
    }
  }
  // The user's moves are announced, the program's are not.
  EXPECT_EQ(NoteCount(l, LBN_SELCHANGE), 5);
}

TEST_F(ListBoxTest, PointsAndRectanglesOffTheShownRows) {
  HWND l = List(LBS_NOTIFY, 8);  // four rows shown
  SendMessage(l, LB_SETTOPINDEX, 2, 0);
  auto at = [&](int x, int y) { return SendMessage(l, LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y)); };
  EXPECT_EQ(at(20, 13 + 2), MAKELPARAM(3, 0));
  EXPECT_EQ(at(20, -5), MAKELPARAM(2, 1));           // above: the top row
  EXPECT_EQ(at(20, 13 * 4 + 30), MAKELPARAM(5, 1));  // below: the last row shown
  EXPECT_EQ(at(-5, 13 + 2), MAKELPARAM(3, 1));
  HWND few = List(LBS_NOTIFY, 2);
  EXPECT_EQ(SendMessage(few, LB_ITEMFROMPOINT, 0, MAKELPARAM(20, 13 * 3)), MAKELPARAM(1, 1));

  // Rows of 12 in a list 54 high: four and a half rows shown.
  HWND half = Make(WC_LISTBOX, "", LBS_NOINTEGRALHEIGHT, 200, 10, 150, 54, 8);
  for (int i = 0; i < 8; ++i) SendMessage(half, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("x"));
  SendMessage(half, LB_SETITEMHEIGHT, 0, 12);
  const struct {
    int top, x, y;
    int item;
    bool outside;
  } points[] = {
      {1, 20, 5, 1, false},  {1, 20, 50, 5, false},  // the half row
      {1, 20, 54, 5, true},  {1, 20, 300, 5, true},  // below: the half row too
      {1, 20, -4, 1, true},  {1, -3, 14, 2, true},
      {1, 150, 14, 2, true}, {4, 20, 60, 7, true},  // no item for the half row: the last item
      {0, 20, 60, 4, true},
  };
  for (const auto& p : points) {
    SendMessage(half, LB_SETTOPINDEX, WPARAM(p.top), 0);
    EXPECT_EQ(SendMessage(half, LB_ITEMFROMPOINT, 0, MAKELPARAM(p.x, p.y)),
              MAKELPARAM(p.item, p.outside ? 1 : 0))
        << "top " << p.top << " at " << p.x << "," << p.y;
  }

  const int row = int(SendMessage(l, LB_GETITEMHEIGHT, 0, 0));
  RECT r{};
  EXPECT_EQ(SendMessage(l, LB_GETITEMRECT, 5, reinterpret_cast<LPARAM>(&r)), 1);
  EXPECT_EQ(r, (RECT{0, 3 * row, 150 - 4, 4 * row}));
  EXPECT_EQ(SendMessage(l, LB_GETITEMRECT, 6, reinterpret_cast<LPARAM>(&r)), 0);  // hidden below
  EXPECT_EQ(SendMessage(l, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r)), 1);
  EXPECT_EQ(r.top, -2 * row);
  EXPECT_EQ(SendMessage(l, LB_SETITEMDATA, 0, 7), TRUE);
  // Item heights outside a byte are refused.
  for (LPARAM bad : {LPARAM(0), LPARAM(-3), LPARAM(256), LPARAM(1) << 40})
    EXPECT_EQ(SendMessage(l, LB_SETITEMHEIGHT, 0, bad), LB_ERR);
  EXPECT_EQ(SendMessage(l, LB_GETITEMHEIGHT, 0, 0), row);
}

struct Drawn {
  UINT id, state;
  ULONG_PTR data;
  RECT rc;
};
std::vector<Drawn> g_drawn;

TEST_F(ListBoxTest, OwnerDrawnRowsAreMeasuredAndDrawnByTheParent) {
  ClassHandler() = [](HWND, UINT m, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
    if (m == WM_MEASUREITEM) {
      reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemHeight = 16;
      return TRUE;
    }
    if (m == WM_DRAWITEM) {
      auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
      g_drawn.push_back({d->itemID, d->itemState, d->itemData, d->rcItem});
      return TRUE;
    }
    return std::nullopt;
  };
  g_drawn.clear();
  HWND l = Make(WC_LISTBOX, "", LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, 10, 10, 197, 237, 5);
  EXPECT_EQ(SendMessage(l, LB_GETITEMHEIGHT, 0, 0), 16);
  for (int i = 0; i < 20; ++i) {
    int at = int(SendMessage(l, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("dog")));
    SendMessage(l, LB_SETITEMDATA, WPARAM(at), 100 + i);
  }
  SendMessage(l, LB_SETCURSEL, 1, 0);
  g_drawn.clear();
  InvalidateRect(l, nullptr, FALSE);
  screen().Pump();
  ASSERT_EQ(g_drawn.size(), 15u);  // 237 / 16 rows, the last one partly
  EXPECT_EQ(g_drawn[1].state & ODS_SELECTED, ODS_SELECTED);
  EXPECT_EQ(g_drawn[0].state & ODS_SELECTED, 0u);
  EXPECT_EQ(g_drawn[1].data, 101u);
  EXPECT_EQ(g_drawn[2].rc, (RECT{0, 32, 197, 48}));
}

}  // namespace
}  // namespace platform::test
