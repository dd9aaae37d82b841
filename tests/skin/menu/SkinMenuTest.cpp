// The skin manager's menu object on real windows: menus become owner-drawn
// while a skin is loaded and go back when it is removed, items with their
// own handlers keep them, popup menus follow SkinnedPopups, and a skin
// change while a menu is open is survived.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "SkinFixture.h"
#include "platform/gdi/Gdi.h"
#include "platform/menu/Menu.h"
#include "skin/SkinManager.h"
#include "toolkit/Canvas.h"
#include "toolkit/Form.h"
#include "toolkit/PopupMenu.h"

using namespace skin;
using namespace toolkit;
namespace p = platform;

namespace {

class SkinMenus : public SkinTest {
 protected:
  void SetUp() override {
    SkinTest::SetUp();
    form = new TForm(app.get());
    form->SetBounds(100, 100, 400, 300);
    bar = new TMainMenu(form);
    database = Item(bar->Items(), "&Database");
    competitors = Item(database, "&Competitors");
    competitors->SetShortCut(ShortCut('D', TShiftState{ssCtrl}));
    Item(database, "-");
    Item(database, "-Lanes-");
    exitItem = Item(database, "E&xit");
    form->SetMenu(bar);
    popup = new TPopupMenu(form);
    open = Item(popup->Items(), "&Open");
    Item(popup->Items(), "Clo&se");

    manager = new TSkinManager(form);
    TStoredSkin* stored = manager->InternalSkins()->Add();
    stored->Name = "Test";
    for (const char* name : {"MENUITEM", "MENULINE", "MAINMENU"}) {
      TSkinGeneral* s = stored->GeneralData()->Add();
      s->SectionName = name;
      s->Transparency = std::string(name) == "MAINMENU" ? 0 : 100;
      s->HotColor = 0x9A760A;
    }
    form->Show();
    app->ProcessMessages();
  }
  void TearDown() override {
    screen->SetIdleHandler(nullptr);
    delete form;
    SkinTest::TearDown();
  }
  TMenuItem* Item(TMenuItem* parent, const char* caption) {
    auto* item = new TMenuItem(form);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
  }
  static bool OwnerDrawn(p::HMENU menu, int position) {
    return p::GetMenuState(menu, p::UINT(position), p::MF_BYPOSITION) & p::MF_OWNERDRAW;
  }
  void WhileOpen(std::function<bool(p::HMENU tracked)> step) {
    screen->SetIdleHandler([step]() {
      p::HMENU tracked = p::GetTrackedMenu();
      if (!tracked) return false;
      if (!step(tracked)) p::EndMenu();
      return true;
    });
  }

  TForm* form = nullptr;
  TMainMenu* bar = nullptr;
  TPopupMenu* popup = nullptr;
  TSkinManager* manager = nullptr;
  TMenuItem *database = nullptr, *competitors = nullptr, *exitItem = nullptr, *open = nullptr;
};

TEST_F(SkinMenus, OwnerDrawComesAndGoesWithTheSkin) {
  EXPECT_FALSE(OwnerDrawn(bar->Handle(), 0));
  manager->SetSkinName("Test");
  EXPECT_EQ(bar->Painter(), &manager->SkinMenu());
  EXPECT_EQ(popup->Painter(), &manager->SkinMenu());
  EXPECT_TRUE(OwnerDrawn(bar->Handle(), 0));
  const p::HMENU list = p::GetSubMenu(bar->Handle(), 0);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(OwnerDrawn(list, i)) << i;
  // The separator stays one for the keyboard, and the texts stay for the
  // mnemonics.
  EXPECT_TRUE(p::GetMenuState(list, 1, p::MF_BYPOSITION) & p::MF_SEPARATOR);
  char text[32] = {};
  p::GetMenuString(list, 0, text, sizeof text, p::MF_BYPOSITION);
  EXPECT_EQ(std::string(text), "&Competitors\tCtrl+D");

  // The bar is measured by the skin: one pixel lower than the platform's row.
  form->Invalidate();
  p::RedrawWindow(form->Handle(), nullptr, {}, p::RDW_FRAME | p::RDW_INVALIDATE | p::RDW_UPDATENOW);
  RECT r{};
  ASSERT_TRUE(p::GetMenuItemRect(form->Handle(), bar->Handle(), 0, &r));
  EXPECT_EQ(r.Height(), p::GetSystemMetrics(p::SM_CYMENU) - 1);

  manager->SetActive(false);
  EXPECT_EQ(bar->Painter(), nullptr);
  EXPECT_EQ(popup->Painter(), nullptr);
  EXPECT_FALSE(OwnerDrawn(bar->Handle(), 0));
  EXPECT_FALSE(OwnerDrawn(p::GetSubMenu(bar->Handle(), 0), 0));

  // Without SkinnedPopups only the bar is skinned.
  manager->SetSkinnedPopups(false);
  manager->SetActive(true);
  EXPECT_EQ(bar->Painter(), &manager->SkinMenu());
  EXPECT_EQ(popup->Painter(), nullptr);
}

TEST_F(SkinMenus, AFramePaintsItsBarItemsIntoItsOwnPicture) {
  manager->SetSkinName("Test");
  const p::SIZE size = manager->SkinMenu().BarItemSize(*database, p::SIZE{10, 5});
  EXPECT_EQ(size.cy, p::GetSystemMetrics(p::SM_CYMENU) - 1);
  EXPECT_GT(size.cx, 10);
  EXPECT_EQ(manager->SkinMenu().BarItemSize(*database, p::SIZE{500, 5}).cx, 500);

  SurfaceBuffer frame(200, 60, 0xFF123456u);
  const RECT at{20, 30, 20 + size.cx, 30 + size.cy};
  manager->SkinMenu().PaintBarItemOnFrame(*database, frame.View(), at, false);
  // MENUITEM is see-through: the frame shows at the item's corners, the
  // caption is drawn inside.
  EXPECT_EQ(frame.At(at.left, at.top), 0xFF123456u);
  int inked = 0;
  for (int y = at.top; y < at.bottom; ++y)
    for (int x = at.left; x < at.right; ++x) inked += frame.At(x, y) != 0xFF123456u;
  EXPECT_GT(inked, 0);
  manager->SkinMenu().PaintBarItemOnFrame(*database, frame.View(), at, true);
  EXPECT_EQ(frame.At(at.left, at.top), 0xFF0A769Au);
  EXPECT_EQ(frame.At(at.left - 1, at.top), 0xFF123456u);
  // A rectangle that leaves the picture paints nothing.
  manager->SkinMenu().PaintBarItemOnFrame(*database, frame.View(), RECT{190, 0, 210, 18}, true);
  EXPECT_EQ(frame.At(195, 5), 0xFF123456u);
}

TEST_F(SkinMenus, DropDownItemsAreMeasuredWithTheirOwnPicture) {
  manager->SetSkinName("Test");
  TMenuItem* pictured = Item(popup->Items(), "&Open");
  pictured->Bitmap()->SetSize(40, 36);
  p::HDC dc = p::GetDC(p::HWND{});
  toolkit::TCanvas canvas;
  canvas.SetHandle(dc);
  int plainW = 0, plainH = 0, picturedW = 0, picturedH = 0;
  manager->SkinMenu().MeasureItem(open, &canvas, plainW, plainH);
  manager->SkinMenu().MeasureItem(pictured, &canvas, picturedW, picturedH);
  canvas.SetHandle({});
  p::ReleaseDC(p::HWND{}, dc);
  EXPECT_EQ(picturedW - plainW, 2 * (40 - 16));  // the glyph column, twice
  EXPECT_EQ(picturedH, 36 + 2 * 4);              // taller than a line of text
  EXPECT_LT(plainH, picturedH);
}

TEST_F(SkinMenus, ItemsWithTheirOwnHandlersKeepThem) {
  std::vector<std::string> drawnByOwn, drawnBySkin;
  open->OnMeasureItem = [](component::TObject*, TCanvas*, int& w, int& h) { w = 150, h = 31; };
  open->OnAdvancedDrawItem = [&](component::TObject* sender, TCanvas*, RECT, TOwnerDrawState) {
    drawnByOwn.push_back(static_cast<TMenuItem*>(sender)->Caption());
  };
  manager->OnDrawMenuItem = [&](TMenuItem* item, TCanvas* canvas, TSkinMenuItemKind kind) {
    EXPECT_NE(canvas, nullptr);
    EXPECT_EQ(kind, TSkinMenuItemKind::PopupItem);
    drawnBySkin.push_back(item->Caption());
  };
  manager->SetSkinName("Test");
  RECT openRect{}, closeRect{};
  WhileOpen([&, step = 0](p::HMENU tracked) mutable {
    p::GetMenuItemRect(form->Handle(), tracked, 0, &openRect);
    p::GetMenuItemRect(form->Handle(), tracked, 1, &closeRect);
    return ++step < 3;
  });
  popup->Popup(300, 200);
  EXPECT_EQ(openRect.Height(), 31);
  EXPECT_GE(openRect.Width(), 150);
  EXPECT_GT(closeRect.Height(), 0);
  EXPECT_NE(closeRect.Height(), 31);
  ASSERT_FALSE(drawnByOwn.empty());
  EXPECT_EQ(drawnByOwn.front(), "&Open");
  ASSERT_FALSE(drawnBySkin.empty());
  for (const std::string& c : drawnBySkin) EXPECT_EQ(c, "Clo&se");
  // The list picture was made once for the list and kept between paints.
  EXPECT_EQ(manager->SkinMenu().ListBackgrounds().Count(), 1);
  const int painted = manager->SkinMenu().ListBackgrounds().Painted();
  WhileOpen([step = 0](p::HMENU) mutable { return ++step < 2; });
  popup->Popup(300, 200);
  EXPECT_EQ(manager->SkinMenu().ListBackgrounds().Painted(), painted);
  // A new skin paints it anew.
  manager->SetSkinName("Test");
  EXPECT_EQ(manager->SkinMenu().ListBackgrounds().Count(), 0);
  popup->Popup(300, 200);
  EXPECT_EQ(manager->SkinMenu().ListBackgrounds().Painted(), painted + 1);
}

TEST_F(SkinMenus, ASkinChangeWhileAMenuIsOpenIsSurvived) {
  manager->SetSkinName("Test");
  std::vector<std::string> clicked;
  open->OnClick = [&](component::TObject*) { clicked.push_back("open"); };
  WhileOpen([&, step = 0](p::HMENU tracked) mutable {
    if (step == 0) manager->SetSkinName("Test");
    if (step == 1) manager->SetActive(false);
    if (step == 2) manager->SetActive(true);
    if (step == 3) screen->MouseMove(POINT{310, 210});
    (void)tracked;
    return ++step < 5;
  });
  popup->Popup(300, 200);
  EXPECT_FALSE(p::GetTrackedMenu());
  // The bar's list open while the skin goes away and comes back.
  int steps = 0;
  WhileOpen([&](p::HMENU) {
    if (steps == 1) manager->SetActive(false);
    if (steps == 2) manager->SetActive(true);
    return ++steps < 5;
  });
  RECT item{};
  ASSERT_TRUE(p::GetMenuItemRect(form->Handle(), bar->Handle(), 0, &item));
  screen->Click(POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2});
  app->ProcessMessages();
  EXPECT_GE(steps, 3);
  EXPECT_FALSE(p::GetTrackedMenu());
  EXPECT_TRUE(clicked.empty());
}

}  // namespace
