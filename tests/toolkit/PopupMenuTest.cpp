// Popup menus: stored with nested items, opened at a point with the chosen
// item clicked, opened by a right click or the context-menu key on the
// control that names them, and references that end with the menu or the
// control. Also the application's hint colour.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "ToolkitFixture.h"
#include "component/Reader.h"
#include "platform/controls/Controls.h"
#include "platform/controls/EditMenuCaption.h"
#include "platform/menu/Menu.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Label.h"
#include "toolkit/PopupMenu.h"

using namespace toolkit;
namespace p = platform;

namespace {

constexpr const char* kPopupForm =
    "object Popups: TForm\n"
    "  Left = 100\n"
    "  Top = 100\n"
    "  Width = 400\n"
    "  Height = 300\n"
    "  object Label1: TLabel\n"
    "    Left = 10\n"
    "    Top = 10\n"
    "    Width = 80\n"
    "    Height = 20\n"
    "    AutoSize = False\n"
    "    Caption = 'Lane'\n"
    "    PopupMenu = PopupMenu1\n"  // declared further down
    "  end\n"
    "  object PopupMenu1: TPopupMenu\n"
    "    Alignment = paRight\n"
    "    AutoPopup = False\n"
    "    object miOpen: TMenuItem\n"
    "      Caption = '&Open'\n"
    "      ShortCut = 16463\n"  // Ctrl+O
    "    end\n"
    "    object miLine: TMenuItem\n"
    "      Caption = '-'\n"
    "    end\n"
    "    object miMore: TMenuItem\n"
    "      Caption = '&More'\n"
    "      object miDeep: TMenuItem\n"
    "        Caption = '&Deep'\n"
    "        Checked = True\n"
    "      end\n"
    "      object miOff: TMenuItem\n"
    "        Caption = 'O&ff'\n"
    "        Enabled = False\n"
    "      end\n"
    "    end\n"
    "    object miHidden: TMenuItem\n"
    "      Caption = 'Hidden'\n"
    "      Visible = False\n"
    "    end\n"
    "  end\n"
    "end\n";

std::string MenuString(p::HMENU menu, int position) {
  char text[64] = {};
  p::GetMenuString(menu, p::UINT(position), text, sizeof text, p::MF_BYPOSITION);
  return text;
}

}  // namespace

class PopupMenus : public ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    form = new TForm(app.get());
    component::ReadDescription(*form, kPopupForm, "Popups.sdesc");
    menu = Find<TPopupMenu>("PopupMenu1");
    label = Find<TLabel>("Label1");
    for (const char* name : {"miOpen", "miMore", "miDeep", "miOff"}) {
      Find<TMenuItem>(name)->OnClick = [this](component::TObject* sender) {
        clicked.push_back(static_cast<TMenuItem*>(sender)->Name());
      };
    }
    menu->OnPopup = [this](component::TObject*) { ++popups; };
    form->Show();
    Flush();
  }
  template <class T>
  T* Find(const char* name) {
    auto* c = dynamic_cast<T*>(form->FindComponent(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
  }
  POINT ScreenOf(TControl* c, int x, int y) { return c->ClientToScreen(POINT{x, y}); }
  // Runs `step` each time an open menu waits for input; once it returns
  // false the menu is closed if still open.
  void WhileOpen(std::function<bool(p::HMENU tracked)> step) {
    screen->SetIdleHandler([step]() {
      p::HMENU tracked = p::GetTrackedMenu();
      if (!tracked) return false;
      if (!step(tracked)) p::EndMenu();
      return true;
    });
  }
  // The item's centre on the screen while its menu is open.
  POINT ItemCentre(p::HMENU tracked, int position) {
    RECT r{};
    EXPECT_TRUE(p::GetMenuItemRect(form->Handle(), tracked, p::UINT(position), &r));
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  // Opens the menu with a right click on the control and closes it unused;
  // true when a menu opened.
  bool RightClickOpens(TControl* c) {
    bool opened = false;
    WhileOpen([&](p::HMENU) { return !(opened = true); });
    screen->Click(ScreenOf(c, 5, 5), 1);
    Flush();
    screen->SetIdleHandler(nullptr);
    return opened;
  }

  TForm* form = nullptr;
  TPopupMenu* menu = nullptr;
  TLabel* label = nullptr;
  std::vector<std::string> clicked;
  int popups = 0;
};

TEST_F(PopupMenus, StoredWithNestedItemsAndMadeIntoAPlatformMenu) {
  EXPECT_EQ(menu->Alignment(), paRight);
  EXPECT_FALSE(menu->AutoPopup());
  EXPECT_EQ(label->PopupMenu(), menu);
  ASSERT_EQ(menu->Items()->Count(), 4);
  auto* more = Find<TMenuItem>("miMore");
  auto* deep = Find<TMenuItem>("miDeep");
  EXPECT_EQ(menu->Items()->Items(2), more);
  ASSERT_EQ(more->Count(), 2);
  EXPECT_EQ(deep->Parent(), more);
  EXPECT_EQ(deep->Menu(), menu);
  EXPECT_EQ(Find<TMenuItem>("miOpen")->GetParentComponent(), menu);
  EXPECT_EQ(deep->GetParentComponent(), more);

  p::HMENU h = menu->Handle();
  ASSERT_EQ(p::GetMenuItemCount(h), 3);  // the hidden item is left out
  EXPECT_EQ(MenuString(h, 0), "&Open\tCtrl+O");
  EXPECT_TRUE(p::GetMenuState(h, 1, p::MF_BYPOSITION) & p::MF_SEPARATOR);
  p::HMENU sub = p::GetSubMenu(h, 2);
  ASSERT_EQ(p::GetMenuItemCount(sub), 2);
  EXPECT_TRUE(p::GetMenuState(sub, 0, p::MF_BYPOSITION) & p::MF_CHECKED);
  EXPECT_TRUE(p::GetMenuState(sub, 1, p::MF_BYPOSITION) & p::MF_GRAYED);

  // A change rebuilds the menu already made.
  deep->SetCaption("&Deeper");
  EXPECT_EQ(MenuString(p::GetSubMenu(menu->Handle(), 2), 0), "&Deeper");
  EXPECT_FALSE(p::IsMenu(h));
}

TEST_F(PopupMenus, PopupClicksTheChosenItemSubmenusIncluded) {
  // By mouse: "More", then "Deep" in the submenu that opens.
  const std::string picture = ::testing::TempDir() + "sprintara-popup-menu.png";
  WhileOpen([&, step = 0](p::HMENU tracked) mutable {
    if (step == 0) {
      screen->Click(ItemCentre(tracked, 2));
    } else if (step == 1) {
      screen->MouseMove(ItemCentre(tracked, 0));
    } else if (step == 2) {
      screen->CaptureScreen(picture);
      screen->Click(ItemCentre(tracked, 0));
    }
    return ++step <= 3;
  });
  menu->Popup(300, 200);
  EXPECT_EQ(clicked, (std::vector<std::string>{"miDeep"}));
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(menu->PopupPoint(), (POINT{300, 200}));
  screen->SetIdleHandler(nullptr);

  // By keyboard: mnemonics, then the arrows and Enter.
  screen->KeyPress('M');
  screen->KeyPress('D');
  menu->Popup(300, 200);
  screen->KeyPress(p::VK_DOWN);
  screen->KeyPress(p::VK_RETURN);
  menu->Popup(300, 200);
  EXPECT_EQ(clicked, (std::vector<std::string>{"miDeep", "miDeep", "miOpen"}));
  // Cancelled, or the disabled item chosen: nothing is clicked.
  screen->KeyPress(p::VK_ESCAPE);
  menu->Popup(300, 200);
  screen->KeyPress('M');
  screen->KeyPress('F');
  menu->Popup(300, 200);
  Flush();
  EXPECT_EQ(clicked.size(), 3u);
  EXPECT_EQ(popups, 5);
}

TEST_F(PopupMenus, OnPopupChangesTheItemsBeforeTheyShow) {
  auto* open = Find<TMenuItem>("miOpen");
  menu->OnPopup = [&](component::TObject* sender) {
    EXPECT_EQ(sender, menu);
    open->SetEnabled(false);
    open->SetCaption("&Open lane");
  };
  p::UINT state = 0;
  std::string caption;
  WhileOpen([&](p::HMENU tracked) {
    state = p::GetMenuState(tracked, 0, p::MF_BYPOSITION);
    caption = MenuString(tracked, 0);
    return false;
  });
  menu->Popup(300, 200);
  EXPECT_TRUE(state & p::MF_GRAYED);
  EXPECT_EQ(caption, "&Open lane\tCtrl+O");
  screen->SetIdleHandler(nullptr);
  screen->KeyPress('O');  // the disabled item's mnemonic
  menu->Popup(300, 200);
  EXPECT_TRUE(clicked.empty());
}

TEST_F(PopupMenus, AlignmentPlacesTheMenuAgainstThePoint) {
  RECT first{};
  WhileOpen([&](p::HMENU tracked) {
    p::GetMenuItemRect(form->Handle(), tracked, 0, &first);
    return false;
  });
  menu->SetAlignment(paLeft);
  menu->Popup(600, 300);
  EXPECT_GE(first.left, 600);
  EXPECT_LE(first.left, 610);
  menu->SetAlignment(paRight);
  menu->Popup(600, 300);
  EXPECT_LE(first.right, 600);
  EXPECT_GE(first.right, 590);
  menu->SetAlignment(paCenter);
  menu->Popup(600, 300);
  EXPECT_NEAR((first.left + first.right) / 2, 600, 2);
  EXPECT_GE(first.top, 300);
}

TEST_F(PopupMenus, RightClickOnAGraphicControlOpensItsMenu) {
  // AutoPopup off: the right click opens nothing.
  EXPECT_FALSE(RightClickOpens(label));
  EXPECT_EQ(popups, 0);
  menu->SetAutoPopup(true);
  EXPECT_TRUE(RightClickOpens(label));
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(menu->PopupComponent(), label);
  EXPECT_EQ(menu->PopupPoint(), ScreenOf(label, 5, 5));

  // Without a menu of its own the control leaves the request to its
  // parent, which may have one.
  auto* bare = new TLabel(form);
  bare->SetParent(form);
  bare->SetAutoSize(false);
  bare->SetBounds(10, 40, 80, 20);
  EXPECT_FALSE(RightClickOpens(bare));
  form->SetPopupMenu(menu);
  EXPECT_TRUE(RightClickOpens(bare));
  EXPECT_EQ(menu->PopupComponent(), form);
  // The left button opens nothing.
  WhileOpen([&](p::HMENU) { return ++popups, false; });
  screen->Click(ScreenOf(label, 5, 5));
  Flush();
  EXPECT_EQ(popups, 2);
}

TEST_F(PopupMenus, WindowedControlsOpenTheirMenuByMouseAndKey) {
  menu->SetAutoPopup(true);
  menu->SetAlignment(paLeft);
  auto* group = new TGroupBox(form);
  group->SetParent(form);
  group->SetBounds(150, 10, 200, 100);
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  edit->SetBounds(10, 150, 120, 22);
  edit->SetText("Rex");
  Flush();

  EXPECT_FALSE(RightClickOpens(group));
  group->SetPopupMenu(menu);
  EXPECT_TRUE(RightClickOpens(group));
  EXPECT_EQ(menu->PopupComponent(), group);

  // An edit without a menu of its own keeps the platform's.
  std::string first;
  WhileOpen([&](p::HMENU tracked) { return first = MenuString(tracked, 0), false; });
  screen->Click(ScreenOf(edit, 5, 5), 1);
  Flush();
  EXPECT_EQ(first, p::EditMenuCaption(p::IDM_EDIT_UNDO));
  EXPECT_EQ(popups, 1);
  edit->SetPopupMenu(menu);
  screen->Click(ScreenOf(edit, 5, 5), 1);
  Flush();
  EXPECT_EQ(first, "&Open\tCtrl+O");
  EXPECT_EQ(menu->PopupComponent(), edit);

  // The context-menu key opens it at the control's top-left corner.
  edit->SetFocus();
  Flush();
  screen->KeyPress(p::VK_APPS);
  Flush();
  EXPECT_EQ(popups, 3);
  EXPECT_EQ(menu->PopupPoint(), ScreenOf(edit, 0, 0));
  screen->SetIdleHandler(nullptr);

  // Shortcuts of the focused control's menu work without opening it.
  screen->KeyDown(p::VK_CONTROL);
  screen->KeyPress('O');
  screen->KeyUp(p::VK_CONTROL);
  Flush();
  EXPECT_EQ(clicked, (std::vector<std::string>{"miOpen"}));
  EXPECT_EQ(popups, 3);
}

TEST_F(PopupMenus, ReferencesEndWithTheMenuOrTheControl) {
  menu->SetAutoPopup(true);
  ASSERT_TRUE(RightClickOpens(label));
  ASSERT_EQ(menu->PopupComponent(), label);
  // The label lets go of the menu and is then freed: the menu hears of it
  // all the same.
  label->SetPopupMenu(nullptr);
  delete label;
  EXPECT_EQ(menu->PopupComponent(), nullptr);

  auto* other = new TLabel(form);
  other->SetPopupMenu(menu);
  form->SetPopupMenu(menu);
  delete menu;
  EXPECT_EQ(other->PopupMenu(), nullptr);
  EXPECT_EQ(form->PopupMenu(), nullptr);
  EXPECT_EQ(Find<TMenuItem>("miDeep")->Menu(), nullptr);  // the items stay with the form
}

TEST_F(PopupMenus, AMenuFreedWhileOpenOrByItsItemClosesSafely) {
  // Freed by a handler that runs while it is open.
  WhileOpen([&](p::HMENU) {
    delete menu;
    menu = nullptr;
    return true;
  });
  TPopupMenu* open = menu;
  open->Popup(300, 200);
  EXPECT_EQ(menu, nullptr);
  EXPECT_FALSE(p::GetTrackedMenu());
  EXPECT_TRUE(clicked.empty());
  screen->SetIdleHandler(nullptr);

  // Freed by the click of its own item.
  auto* again = new TPopupMenu(form);
  auto* item = new TMenuItem(form);
  item->SetCaption("&Close");
  again->Items()->Add(item);
  item->OnClick = [&](component::TObject*) { delete again; };
  screen->KeyPress('C');
  again->Popup(300, 200);
  EXPECT_EQ(item->Parent(), nullptr);
}

TEST_F(PopupMenus, OwnerDrawnItemsAreMeasuredAndDrawnByTheirHandlers) {
  auto* open = Find<TMenuItem>("miOpen");
  auto* more = Find<TMenuItem>("miMore");
  std::vector<std::string> drawn;
  open->OnMeasureItem = [](component::TObject*, TCanvas* canvas, int& w, int& h) {
    EXPECT_NE(canvas, nullptr);
    w = 140;
    h = 27;
  };
  open->OnAdvancedDrawItem = [&](component::TObject*, TCanvas* canvas, RECT r,
                                 TOwnerDrawState state) {
    EXPECT_EQ(r.Height(), 27);
    canvas->Brush()->SetColor(state.Contains(odSelected) ? clRed : clBlue);
    canvas->FillRect(r);
    drawn.push_back(state.Contains(odSelected) ? "open selected" : "open");
  };
  more->OnDrawItem = [&](component::TObject*, TCanvas*, RECT, bool selected) {
    drawn.push_back(selected ? "more selected" : "more");
  };

  // Handlers alone change nothing while the menu is not owner-drawn.
  p::HMENU h = menu->Handle();
  EXPECT_FALSE(p::GetMenuState(h, 0, p::MF_BYPOSITION) & p::MF_OWNERDRAW);
  menu->SetOwnerDraw(true);
  h = menu->Handle();
  EXPECT_TRUE(p::GetMenuState(h, 0, p::MF_BYPOSITION) & p::MF_OWNERDRAW);
  EXPECT_TRUE(p::GetMenuState(h, 1, p::MF_BYPOSITION) & p::MF_SEPARATOR);
  EXPECT_EQ(MenuString(h, 0), "&Open\tCtrl+O");  // kept for the mnemonics
  EXPECT_FALSE(p::GetMenuState(h, 2, p::MF_BYPOSITION) & p::MF_DEFAULT);
  more->SetDefault(true);
  h = menu->Handle();
  EXPECT_TRUE(p::GetMenuState(h, 2, p::MF_BYPOSITION) & p::MF_DEFAULT);

  RECT openRect{};
  WhileOpen([&, step = 0](p::HMENU tracked) mutable {
    if (step == 0) {
      EXPECT_TRUE(p::GetMenuItemRect(form->Handle(), tracked, 0, &openRect));
      screen->MouseMove(ItemCentre(tracked, 0));
    }
    return ++step < 3;
  });
  menu->Popup(300, 200);
  screen->SetIdleHandler(nullptr);
  EXPECT_EQ(openRect.Height(), 27);
  EXPECT_GE(openRect.Width(), 140);
  EXPECT_NE(std::find(drawn.begin(), drawn.end(), "open"), drawn.end());
  EXPECT_NE(std::find(drawn.begin(), drawn.end(), "open selected"), drawn.end());
  EXPECT_NE(std::find(drawn.begin(), drawn.end(), "more"), drawn.end());

  // The mnemonic still chooses the item.
  screen->KeyPress('O');
  menu->Popup(300, 200);
  EXPECT_EQ(clicked, (std::vector<std::string>{"miOpen"}));

  // A freed item's late request finds nothing.
  const std::uint16_t command = open->Command();
  EXPECT_EQ(TMenuItem::FromCommand(command), open);
  delete open;
  EXPECT_EQ(TMenuItem::FromCommand(command), nullptr);

  menu->SetOwnerDraw(false);
  EXPECT_FALSE(p::GetMenuState(menu->Handle(), 0, p::MF_BYPOSITION) & p::MF_OWNERDRAW);
}

TEST_F(ToolkitTest, TheApplicationsHintColour) {
  EXPECT_EQ(app->HintColor(), clInfoBk);
  app->SetHintColor(clLime);
  EXPECT_EQ(app->HintColor(), clLime);
  app->SetHintColor(0x00F0CAA6);
  EXPECT_EQ(app->HintColor(), 0x00F0CAA6);
}
