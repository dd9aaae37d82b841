// Pictures of every control in its classic look, written where a person can
// look at them, with checks of the colours the classic look defines.
#include "ControlTestSupport.h"
#include "platform/backends/headless/ScreenCompositor.h"
#include "platform/menu/Menu.h"

namespace platform::test {
namespace {

class LookTest : public ControlTest {
 protected:
  std::uint32_t Pixel(HWND h, int x, int y) {
    POINT p = ScreenOfClient(h, x, y);
    return screen().ScreenPixel(p.x, p.y);
  }
  static std::uint32_t Sys(int index) { return ColorToPixel(GetSysColor(index)); }
};

TEST_F(LookTest, ControlsDrawTheClassicLook) {
  SetClassLongPtr(parent(), GCLP_HBRBACKGROUND, COLOR_BTNFACE + 1);
  MoveWindow(parent(), 20, 20, 560, 330, TRUE);
  HWND edit = Make(WC_EDIT, "Selected text", WS_TABSTOP, 10, 10, 150, 21, 1, WS_EX_CLIENTEDGE);
  HWND disabled = Make(WC_EDIT, "Disabled", WS_DISABLED, 10, 40, 150, 21, 2, WS_EX_CLIENTEDGE);
  HWND readOnly = Make(WC_EDIT, "Read-only", ES_READONLY, 10, 70, 150, 21, 3, WS_EX_CLIENTEDGE);
  HWND password = Make(WC_EDIT, "secret", ES_PASSWORD, 10, 100, 150, 21, 4, WS_EX_CLIENTEDGE);
  HWND centred = Make(WC_EDIT, "-", ES_CENTER | ES_UPPERCASE, 10, 130, 69, 22, 5, WS_EX_CLIENTEDGE);
  HWND list = Make(WC_LISTBOX, "", LBS_NOTIFY | WS_VSCROLL, 180, 10, 150, 110, 6, WS_EX_CLIENTEDGE);
  for (const char* t :
       {"Rex (Malenko, Boris)", "Dina (Brenner, Lukas)", "Mr.Big (Quintero, Mateo)",
        "Kiki (Whitley, Oscar)", "Sharik (Sokolov, Pavel)", "Six", "Seven", "Eight", "Nine", "Ten"})
    SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
  SendMessage(list, LB_SETCURSEL, 1, 0);
  HWND combo = Make(WC_COMBOBOX, "", CBS_DROPDOWNLIST | WS_TABSTOP, 180, 130, 150, 21, 7);
  for (const char* t : {"4:3", "16:9"})
    SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
  SendMessage(combo, CB_SETCURSEL, 0, 0);
  HWND push = Make(WC_BUTTON, "&New", BS_PUSHBUTTON | WS_TABSTOP, 350, 10, 75, 25, 8);
  HWND def = Make(WC_BUTTON, "&Close", BS_DEFPUSHBUTTON | WS_TABSTOP, 350, 40, 75, 25, 9);
  HWND off = Make(WC_BUTTON, "&Open", BS_PUSHBUTTON | WS_DISABLED, 350, 70, 75, 25, 10);
  Make(WC_BUTTON, "Check", BS_AUTOCHECKBOX, 440, 10, 90, 20, 11);
  SendMessage(GetDlgItem(parent(), 11), BM_SETCHECK, BST_CHECKED, 0);
  Make(WC_BUTTON, "Radio", BS_AUTORADIOBUTTON, 440, 35, 90, 20, 12);
  SendMessage(GetDlgItem(parent(), 12), BM_SETCHECK, BST_CHECKED, 0);
  HWND group = Make(WC_BUTTON, "Round Setup", BS_GROUPBOX, 10, 170, 253, 49, 13);
  Make(WC_STATIC, "Dog &Breed:", SS_RIGHT, 280, 170, 90, 13, 14);
  Make(WC_STATIC, "Disabled label", WS_DISABLED, 280, 190, 90, 13, 15);
  SetFocus(edit);
  SendMessage(edit, EM_SETSEL, 0, 8);
  screen().Pump();
  ASSERT_TRUE(screen().CaptureWindow(parent(), PicturePath("controls")));

  // Selection in the highlight colours while focused.
  POINT sel{10, 2};
  EXPECT_EQ(Pixel(edit, sel.x, sel.y), Sys(COLOR_HIGHLIGHT));
  // The read-only and disabled edits stand on the dialog face colour.
  EXPECT_EQ(Pixel(readOnly, 140, 2), Sys(COLOR_BTNFACE));
  EXPECT_EQ(Pixel(disabled, 140, 2), Sys(COLOR_BTNFACE));
  EXPECT_EQ(Pixel(password, 140, 2), Sys(COLOR_WINDOW));
  EXPECT_EQ(Pixel(centred, 1, 1), Sys(COLOR_WINDOW));
  // The list's selected row is highlighted even without the focus.
  EXPECT_EQ(Pixel(list, 120, 13 + 6), Sys(COLOR_HIGHLIGHT));
  EXPECT_EQ(Pixel(list, 120, 6), Sys(COLOR_WINDOW));
  // A default button carries a dark outline; a plain one starts with its light edge.
  EXPECT_EQ(Pixel(def, 0, 12), Sys(COLOR_WINDOWFRAME));
  EXPECT_EQ(Pixel(push, 1, 12), Sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(Pixel(push, 74, 12), Sys(COLOR_3DDKSHADOW));
  (void)off;
  (void)group;

  // The combo box dropped, and a focused button.
  SetFocus(combo);
  SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
  screen().Pump();
  ASSERT_TRUE(screen().CaptureScreen(PicturePath("combo-dropped")));
  RECT dropped;
  SendMessage(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  EXPECT_EQ(screen().ScreenPixel(dropped.left + 20, dropped.top + 1 + 6), Sys(COLOR_HIGHLIGHT));
  SendMessage(combo, CB_SHOWDROPDOWN, FALSE, 0);
  SetFocus(push);
  screen().Pump();
  ASSERT_TRUE(screen().CaptureWindow(parent(), PicturePath("controls-focus")));
}

TEST_F(LookTest, MenuBarAndDropDown) {
  HMENU bar = CreateMenu();
  HMENU db = CreatePopupMenu();
  AppendMenu(db, MF_STRING, 100, "&Competitors\tCtrl+D");
  AppendMenu(db, MF_STRING | MF_CHECKED, 101, "C&hecked");
  AppendMenu(db, MF_SEPARATOR, 0, nullptr);
  AppendMenu(db, MF_STRING | MF_GRAYED, 102, "&Disabled");
  HMENU more = CreatePopupMenu();
  AppendMenu(more, MF_STRING, 110, "Inner");
  AppendMenu(db, MF_POPUP, more.value, "&More");
  AppendMenu(bar, MF_POPUP, db.value, "&Database");
  AppendMenu(bar, MF_STRING, 200, "&Help");
  SetMenu(parent(), bar);
  screen().Pump();
  RECT item;
  ASSERT_TRUE(GetMenuItemRect(parent(), bar, 0, &item));
  bool looked = false;
  screen().SetIdleHandler([&] {
    if (looked) return false;
    looked = true;
    screen().CaptureScreen(PicturePath("menu"));
    EXPECT_EQ(GetTrackedMenu(), db);
    EndMenu();
    return true;
  });
  screen().Click(POINT{item.left + 5, item.top + 5});
  screen().KeyPress(VK_DOWN);
  screen().Pump();
  EXPECT_TRUE(looked);
  EXPECT_FALSE(GetTrackedMenu());
}

TEST_F(LookTest, EditContextMenu) {
  HWND edit = Make(WC_EDIT, "-", ES_CENTER, 10, 10, 69, 22, 1, WS_EX_CLIENTEDGE);
  bool looked = false;
  screen().SetIdleHandler([&] {
    if (looked) return false;
    looked = true;
    screen().CaptureScreen(PicturePath("edit-context-menu"));
    // Greyed items are drawn embossed; enabled ones in the menu text colour.
    return EndMenu() != FALSE;
  });
  ClickAt(edit, 30, 8, 1);
  EXPECT_TRUE(looked);
}

// Typing recomposes only what the edit redrew; the screen must still be
// what composing every window afresh gives.
TEST_F(LookTest, TheScreenAfterTypingMatchesAFreshComposition) {
  HWND other = Top(300, 200, 300, 200);
  HWND edit = Make(WC_EDIT, "", ES_CENTER, 10, 10, 150, 21, 1, WS_EX_CLIENTEDGE);
  SetActiveWindow(parent());
  SetFocus(edit);
  Type("typed into the edit");
  Chord(VK_SHIFT, VK_HOME);
  const SurfaceBuffer& shown = screen().Screen();
  std::vector<TopLevelView> views;
  for (HWND h : {parent(), other}) {
    TopLevelView v;
    v.hwnd = h;
    GetWindowRect(h, &v.rect);
    v.picture = GetWindowSurface(h);
    views.push_back(v);
  }
  std::swap(views[0], views[1]);  // z-order: the later window is on top
  if (GetTopWindow(HWND{}) == parent()) std::swap(views[0], views[1]);
  SurfaceBuffer fresh(shown.Width(), shown.Height());
  ComposeScreen(fresh.View(), views);
  int differing = 0;
  for (int y = 0; y < shown.Height(); ++y)
    for (int x = 0; x < shown.Width(); ++x) differing += shown.At(x, y) != fresh.At(x, y);
  EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace platform::test
