// Menus: the item store, the bar with its drop-downs under mouse and keys,
// owner-drawn items, popup menus and accelerators.
#include <map>

#include "../window/WindowTestSupport.h"
#include "platform/menu/Menu.h"

namespace platform::test {
namespace {

constexpr UINT kCompetitors = 100;
constexpr UINT kDisabled = 101;
constexpr UINT kInner = 110;
constexpr UINT kHelp = 200;

class MenuTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    main_ = Top(100, 100, 400, 300);
    bar_ = CreateMenu();
    db_ = CreatePopupMenu();
    more_ = CreatePopupMenu();
    AppendMenu(db_, MF_STRING, kCompetitors, "&Competitors\tCtrl+D");
    AppendMenu(db_, MF_SEPARATOR, 0, nullptr);
    AppendMenu(db_, MF_STRING | MF_GRAYED, kDisabled, "&Disabled");
    AppendMenu(more_, MF_STRING, kInner, "&Inner");
    AppendMenu(db_, MF_POPUP, more_.value, "&More");
    AppendMenu(bar_, MF_POPUP, db_.value, "&Database");
    AppendMenu(bar_, MF_STRING, kHelp, "&Help");
    SetMenu(main_, bar_);
    SetActiveWindow(main_);
    screen().Pump();
    Log().clear();
  }

  POINT BarItem(int i) {
    RECT r;
    GetMenuItemRect(main_, bar_, UINT(i), &r);
    return POINT{r.left + 4, r.top + 4};
  }
  std::vector<WPARAM> Commands() {
    std::vector<WPARAM> out;
    for (const Logged& l : Log())
      if (l.hwnd == main_ && l.msg == WM_COMMAND) out.push_back(l.wp);
    return out;
  }

  HWND main_;
  HMENU bar_, db_, more_;
};

TEST_F(MenuTest, ItemsKeepTheirStateAndBadHandlesAreRefused) {
  EXPECT_EQ(GetMenuItemCount(db_), 4);
  EXPECT_EQ(GetMenuItemID(db_, 0), kCompetitors);
  EXPECT_EQ(GetMenuItemID(db_, 3), UINT(-1));
  EXPECT_EQ(GetSubMenu(db_, 3), more_);
  EXPECT_EQ(GetMenuState(bar_, kInner, MF_BYCOMMAND), UINT(MF_STRING));  // found in a submenu
  EXPECT_EQ(EnableMenuItem(bar_, kCompetitors, MF_GRAYED), int(MF_ENABLED));
  EXPECT_EQ(GetMenuState(db_, 0, MF_BYPOSITION) & MF_GRAYED, MF_GRAYED);
  EXPECT_EQ(CheckMenuItem(db_, kCompetitors, MF_CHECKED), DWORD(MF_UNCHECKED));
  EXPECT_TRUE(GetMenuState(db_, kCompetitors, 0) & MF_CHECKED);
  char text[64];
  EXPECT_EQ(GetMenuString(db_, 0, text, sizeof text, MF_BYPOSITION), 19);
  EXPECT_STREQ(text, "&Competitors\tCtrl+D");
  MENUITEMINFO info;
  info.fMask = MIIM_DATA | MIIM_FTYPE;
  info.fType = MFT_OWNERDRAW;
  info.dwItemData = 77;
  EXPECT_TRUE(SetMenuItemInfo(db_, kCompetitors, FALSE, &info));
  MENUITEMINFO back;
  back.fMask = MIIM_DATA | MIIM_FTYPE;
  EXPECT_TRUE(GetMenuItemInfo(db_, 0, TRUE, &back));
  EXPECT_EQ(back.dwItemData, 77u);
  EXPECT_EQ(back.fType, MFT_OWNERDRAW);

  EXPECT_FALSE(AppendMenu(more_, MF_POPUP, db_.value, "loop"));  // db_ holds more_
  EXPECT_FALSE(AppendMenu(HMENU{0x12345}, MF_STRING, 1, "x"));
  EXPECT_EQ(GetMenuItemCount(HMENU{}), -1);
  EXPECT_EQ(GetMenuState(db_, 99, MF_BYPOSITION), UINT(-1));
  EXPECT_EQ(EnableMenuItem(db_, 999, MF_GRAYED), -1);
  EXPECT_FALSE(DeleteMenu(db_, 17, MF_BYPOSITION));

  EXPECT_TRUE(DestroyMenu(bar_));
  EXPECT_FALSE(IsMenu(db_));
  EXPECT_FALSE(IsMenu(more_));
  EXPECT_FALSE(GetMenu(main_));
  EXPECT_FALSE(DestroyMenu(bar_));
}

TEST_F(MenuTest, ClickingTheBarOpensTheDropDownAndAClickChooses) {
  HMENU seen;
  screen().SetIdleHandler([&] {
    seen = GetTrackedMenu();
    return false;
  });
  screen().Click(BarItem(0));
  // The drop-down opens below the bar item; its first item is chosen.
  screen().SetIdleHandler([&] {
    if (seen) return false;
    seen = GetTrackedMenu();
    RECT r;
    GetMenuItemRect(main_, db_, 0, &r);
    screen().Click(POINT{r.left + 10, r.top + 5});
    return true;
  });
  screen().Pump();
  EXPECT_EQ(seen, db_);
  EXPECT_EQ(Commands(), (std::vector<WPARAM>{kCompetitors}));
  EXPECT_EQ(Count(main_, WM_INITMENU), 1);
  EXPECT_EQ(Count(main_, WM_INITMENUPOPUP), 1);
  EXPECT_EQ(Count(main_, WM_EXITMENULOOP), 1);
  EXPECT_FALSE(GetTrackedMenu());
  EXPECT_NE(Count(main_, WM_MENUSELECT), 0);
}

TEST_F(MenuTest, KeyboardNavigation) {
  // Alt alone selects the bar; Down opens the first drop-down; Down skips
  // the separator; Right opens the submenu; Enter chooses.
  screen().KeyPress(VK_MENU);
  screen().KeyPress(VK_DOWN);
  screen().KeyPress(VK_DOWN);  // over the separator to the disabled item
  screen().KeyPress(VK_DOWN);
  screen().KeyPress(VK_RIGHT);
  screen().KeyPress(VK_RETURN);
  screen().Pump();
  EXPECT_EQ(Commands(), (std::vector<WPARAM>{kInner}));

  // Alt+D opens "Database"; a disabled item does not run; Escape twice leaves.
  Log().clear();
  screen().KeyDown(VK_MENU);
  screen().KeyPress('D');
  screen().KeyUp(VK_MENU);
  screen().KeyPress('D');  // "&Disabled": greyed, the menu closes without a command
  screen().Pump();
  EXPECT_TRUE(Commands().empty());
  EXPECT_FALSE(GetTrackedMenu());

  screen().KeyDown(VK_MENU);
  screen().KeyPress('D');
  screen().KeyUp(VK_MENU);
  screen().KeyPress(VK_ESCAPE);
  screen().KeyPress(VK_RIGHT);  // the bar item "Help", still closed
  screen().KeyPress(VK_RETURN);
  screen().Pump();
  EXPECT_EQ(Commands(), (std::vector<WPARAM>{kHelp}));

  // A letter that no bar item marks beeps and opens nothing.
  int beeps = screen().Beeps();
  screen().KeyDown(VK_MENU);
  screen().KeyPress('Q');
  screen().KeyUp(VK_MENU);
  screen().Pump();
  EXPECT_EQ(screen().Beeps(), beeps + 1);
  EXPECT_FALSE(GetTrackedMenu());
}

TEST_F(MenuTest, OwnerDrawnItemsAreMeasuredAndDrawnByTheWindow) {
  std::map<UINT, int> measured, drawn;
  std::vector<UINT> selectedDraws;
  Handlers()[main_.value] = [&](HWND, UINT m, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
    if (m == WM_MEASUREITEM) {
      auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
      EXPECT_EQ(mi->CtlType, ODT_MENU);
      ++measured[mi->itemID];
      mi->itemWidth += 40;
      return TRUE;
    }
    if (m == WM_DRAWITEM) {
      auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
      ++drawn[d->itemID];
      if (d->itemState & ODS_SELECTED) selectedDraws.push_back(d->itemID);
      return TRUE;
    }
    return std::nullopt;
  };
  MENUITEMINFO od;
  od.fMask = MIIM_FTYPE;
  od.fType = MFT_OWNERDRAW;
  SetMenuItemInfo(bar_, kHelp, FALSE, &od);
  SetMenuItemInfo(db_, kCompetitors, FALSE, &od);
  SetWindowPos(main_, HWND{}, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  screen().Pump();
  EXPECT_GT(measured[kHelp], 0);
  EXPECT_GT(drawn[kHelp], 0);
  RECT help, database;
  GetMenuItemRect(main_, bar_, 1, &help);
  GetMenuItemRect(main_, bar_, 0, &database);
  EXPECT_EQ(help.left, database.right);
  EXPECT_EQ(help.Height(), GetSystemMetrics(SM_CYMENU) - 1);

  screen().KeyPress(VK_MENU);
  screen().KeyPress(VK_RIGHT);  // Help, drawn selected by its owner
  screen().KeyPress(VK_LEFT);
  screen().KeyPress(VK_DOWN);  // the drop-down: Competitors measured and drawn
  int drawnWhileOpen = 0;
  screen().SetIdleHandler([&] {
    drawnWhileOpen = drawn[kCompetitors];
    return EndMenu();
  });
  screen().Pump();
  EXPECT_GT(measured[kCompetitors], 0);
  EXPECT_GT(drawnWhileOpen, 0);
  EXPECT_NE(std::find(selectedDraws.begin(), selectedDraws.end(), kHelp), selectedDraws.end());
}

// A program may rebuild its menus whenever it is told about them.
TEST_F(MenuTest, AnOwnerChangingTheMenuWhileItRunsIsSafe) {
  Handlers()[main_.value] = [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_MENUSELECT || m == WM_INITMENUPOPUP) {
      while (GetMenuItemCount(db_) > 0) DeleteMenu(db_, 0, MF_BYPOSITION);
      for (int i = 0; i < 40; ++i) AppendMenu(db_, MF_STRING, 300 + i, "&Rebuilt");
    }
    return std::nullopt;
  };
  screen().KeyDown(VK_MENU);
  screen().KeyPress('D');
  screen().KeyUp(VK_MENU);
  screen().KeyPress(VK_DOWN);
  screen().KeyPress('R');
  screen().KeyPress(VK_RETURN);
  screen().Pump();
  EXPECT_FALSE(GetTrackedMenu());
  screen().Click(BarItem(0));
  screen().SetIdleHandler([&] { return EndMenu() != FALSE; });
  screen().Pump();
  EXPECT_FALSE(GetTrackedMenu());
}

TEST_F(MenuTest, PopupMenusReturnOrPostTheCommand) {
  HMENU popup = CreatePopupMenu();
  AppendMenu(popup, MF_STRING, 1, "&Restore");
  AppendMenu(popup, MF_STRING, 2, "&Move");
  AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
  AppendMenu(popup, MF_STRING, 3, "&Close");
  screen().KeyPress(VK_UP);  // wraps to the last item
  screen().KeyPress(VK_RETURN);
  EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD, 150, 150, 0, main_, nullptr), 3);
  screen().KeyPress('M');
  EXPECT_EQ(TrackPopupMenu(popup, 0, 150, 150, 0, main_, nullptr), TRUE);
  screen().Pump();
  EXPECT_EQ(Commands(), (std::vector<WPARAM>{2}));
  screen().KeyPress(VK_ESCAPE);
  EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD, 150, 150, 0, main_, nullptr), 0);
  // A click outside the menu cancels it.
  screen().Click(POINT{700, 600});
  EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD, 150, 150, 0, main_, nullptr), 0);
  // A menu near the screen's edge is moved onto the screen.
  screen().SetIdleHandler([&] {
    RECT r;
    GetMenuItemRect(main_, popup, 3, &r);
    EXPECT_LE(r.bottom, 760);
    EXPECT_LE(r.right, 1280);
    EndMenu();
    return true;
  });
  EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD, 1270, 790, 0, main_, nullptr), 0);
  screen().SetIdleHandler(nullptr);
  EnableWindow(main_, FALSE);
  EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD, 150, 150, 0, main_, nullptr), 0);
  DestroyMenu(popup);
}

TEST_F(MenuTest, AcceleratorsReachTheCommandWhileTheWindowIsEnabled) {
  ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'D', std::uint16_t(kCompetitors)},
                  {FVIRTKEY | FCONTROL | FSHIFT, 'X', std::uint16_t(kDisabled)}};
  HACCEL table = CreateAcceleratorTable(keys, 2);
  ASSERT_TRUE(table);
  int translated = 0;
  auto pump = [&] {
    MSG msg;
    while (PeekMessage(&msg, HWND{}, 0, 0, PM_REMOVE)) {
      if (TranslateAccelerator(main_, table, &msg)) {
        ++translated;
        continue;
      }
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  };
  screen().KeyDown(VK_CONTROL);
  screen().KeyPress('D');
  screen().KeyUp(VK_CONTROL);
  pump();
  EXPECT_EQ(Commands(), (std::vector<WPARAM>{MAKEWPARAM(kCompetitors, 1)}));
  screen().KeyPress('D');  // without Ctrl
  pump();
  EXPECT_EQ(Commands().size(), 1u);
  // The command of a greyed item is not sent.
  screen().KeyDown(VK_CONTROL);
  screen().KeyDown(VK_SHIFT);
  screen().KeyPress('X');
  screen().KeyUp(VK_SHIFT);
  screen().KeyUp(VK_CONTROL);
  pump();
  EXPECT_EQ(Commands().size(), 1u);
  // Nor anything while the window is disabled (a modal dialog is open).
  HWND dialog = Top(150, 150, 200, 100, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, main_);
  EnableWindow(main_, FALSE);
  SetActiveWindow(dialog);
  MSG msg;
  msg.hwnd = main_;
  msg.message = WM_KEYDOWN;
  msg.wParam = 'D';
  screen().KeyDown(VK_CONTROL);
  screen().Pump();
  EXPECT_FALSE(TranslateAccelerator(main_, table, &msg));
  screen().KeyUp(VK_CONTROL);
  screen().Pump();
  EXPECT_EQ(Commands().size(), 1u);
  EXPECT_TRUE(DestroyAcceleratorTable(table));
  EXPECT_FALSE(TranslateAccelerator(main_, table, &msg));
}

}  // namespace
}  // namespace platform::test
