// Fonts and canvas, the speed button's group logic, label sizing, menus.
#include <gtest/gtest.h>

#include "ToolkitFixture.h"
#include "component/Exception.h"
#include "platform/menu/Menu.h"
#include "toolkit/Canvas.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Menus.h"
#include "toolkit/SpeedButton.h"

using namespace toolkit;
namespace p = platform;

TEST(Font, PointsAndPixelsAtNinetySixDotsPerInch) {
  TFont f;
  EXPECT_EQ(f.Height(), -11);
  EXPECT_EQ(f.Size(), 8);
  f.SetSize(12);
  EXPECT_EQ(f.Height(), -16);
  f.SetHeight(-21);
  EXPECT_EQ(f.Size(), 16);
}

TEST(Font, ChangesRemakeTheHandleAndTellTheOwnerOnce) {
  TFont f;
  int changes = 0;
  f.OnChange = [&](TGraphicsObject*) { ++changes; };
  p::HFONT first = f.Handle();
  ASSERT_TRUE(first);
  EXPECT_EQ(f.Handle(), first);  // kept while nothing changes
  f.SetName("MS Sans Serif");    // the same value: no change
  EXPECT_EQ(changes, 0);
  f.SetStyle(TFontStyles{fsBold});
  EXPECT_EQ(changes, 1);
  p::LOGFONT lf;
  ASSERT_NE(p::GetObject(f.Handle(), sizeof lf, &lf), 0);
  EXPECT_EQ(lf.lfWeight, p::FW_BOLD);
  EXPECT_EQ(lf.lfHeight, -11);

  TFont other;
  other.SetName("Arial");
  other.SetHeight(-32);
  other.SetColor(clLime);
  f.Assign(other);
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(f.SameAs(other));
  TBrush brush;
  EXPECT_THROW(f.Assign(brush), component::EConvertError);
}

TEST(Canvas, DrawsWithItsBrushAndPen) {
  p::HDC dc = p::CreateCompatibleDC(p::HDC{});
  p::HBITMAP bmp = p::CreateCompatibleBitmap(dc, 20, 20);
  p::HGDIOBJ old = p::SelectObject(dc, bmp);
  {
    TCanvas c;
    c.SetHandle(dc);
    c.Brush()->SetColor(clRed);
    c.FillRect(p::RECT{0, 0, 20, 20});
    c.Brush()->SetStyle(bsClear);
    c.Pen()->SetColor(clBlue);
    c.Rectangle(5, 5, 15, 15);  // outline only
    EXPECT_EQ(c.Pixel(0, 0), clRed);
    EXPECT_EQ(c.Pixel(5, 5), clBlue);
    EXPECT_EQ(c.Pixel(10, 10), clRed);
    EXPECT_GT(c.TextWidth("Hello"), c.TextWidth("Hi"));
    EXPECT_GT(c.TextHeight("Hello"), 0);
  }
  p::SelectObject(dc, old);
  p::DeleteObject(bmp);
  p::DeleteDC(dc);
}

class Widgets : public ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    form = new TForm(app.get());
    form->SetBounds(50, 50, 300, 200);
    form->Show();
    Flush();
  }
  void ClickOn(TControl* c) {
    screen->Click(c->ClientToScreen(POINT{3, 3}));
    Flush();
  }
  TForm* form = nullptr;
};

TEST_F(Widgets, SpeedButtonsOfAGroupLatchOneAtATime) {
  auto* a = new TSpeedButton(form);
  auto* b = new TSpeedButton(form);
  auto* loose = new TSpeedButton(form);
  for (TSpeedButton* x : {a, b, loose}) x->SetParent(form);
  a->SetBounds(10, 10, 30, 30);
  b->SetBounds(50, 10, 30, 30);
  loose->SetBounds(90, 10, 30, 30);
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  int clicks = 0;
  loose->OnClick = [&](component::TObject*) { ++clicks; };

  ClickOn(a);
  EXPECT_TRUE(a->Down());
  EXPECT_EQ(a->State(), bsExclusive);
  ClickOn(b);
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  ClickOn(b);  // without AllowAllUp the last one stays down
  EXPECT_TRUE(b->Down());
  b->SetAllowAllUp(true);
  ClickOn(b);
  EXPECT_FALSE(b->Down());

  ClickOn(loose);  // without a group it never stays down
  EXPECT_FALSE(loose->Down());
  EXPECT_EQ(loose->State(), bsUp);
  EXPECT_EQ(clicks, 1);
  // Released one row below the bottom edge still counts as inside.
  screen->MouseDown(loose->ClientToScreen(POINT{3, 3}));
  screen->MouseUp(loose->ClientToScreen(POINT{3, loose->Height()}));
  Flush();
  EXPECT_EQ(clicks, 2);

  loose->SetEnabled(false);
  ClickOn(loose);
  EXPECT_EQ(clicks, 2);
}

TEST_F(Widgets, LabelsSizeThemselvesToTheirText) {
  auto* label = new TLabel(form);
  label->SetParent(form);
  label->SetCaption("Hi");
  int narrow = label->Width();
  label->SetCaption("A much longer caption");
  EXPECT_GT(label->Width(), narrow);
  EXPECT_GT(label->Height(), 0);

  auto* right = new TLabel(form);
  right->SetParent(form);
  right->SetAutoSize(false);
  right->SetBounds(100, 100, 80, 20);
  right->SetAlignment(taRightJustify);
  right->SetAutoSize(true);
  EXPECT_EQ(right->Left() + right->Width(), 180);  // keeps its right edge
  right->SetCaption("wider and wider text");
  EXPECT_EQ(right->Left() + right->Width(), 180);
}

TEST_F(Widgets, MenuTreesAndShortcuts) {
  auto* menu = new TMainMenu(form);
  auto* file = new TMenuItem(form);
  auto* open = new TMenuItem(form);
  auto* hidden = new TMenuItem(form);
  auto* inside = new TMenuItem(form);
  file->SetCaption("&File");
  open->SetCaption("&Open");
  menu->Items()->Add(file);
  file->Add(open);
  file->Add(hidden);
  hidden->Add(inside);
  open->SetShortCut(scCtrl | 'O');
  inside->SetShortCut(scCtrl | 'I');
  hidden->SetVisible(false);
  form->SetMenu(menu);
  int opened = 0, insides = 0;
  open->OnClick = [&](component::TObject*) { ++opened; };
  inside->OnClick = [&](component::TObject*) { ++insides; };

  EXPECT_THROW(inside->Add(file), component::EInvalidOperation);         // a loop
  EXPECT_THROW(menu->Items()->Add(open), component::EInvalidOperation);  // twice

  screen->KeyDown(p::VK_CONTROL);
  screen->KeyPress('O');
  screen->KeyPress('I');  // under a hidden item: not reachable
  screen->KeyUp(p::VK_CONTROL);
  Flush();
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(insides, 0);

  // The form shows the visible items as its menu bar; the bar reports
  // commands back to the items.
  p::HMENU bar = p::GetMenu(form->Handle());
  ASSERT_TRUE(bar);
  ASSERT_EQ(p::GetMenuItemCount(bar), 1);
  p::HMENU drop = p::GetSubMenu(bar, 0);
  EXPECT_EQ(p::GetMenuItemCount(drop), 1);  // the hidden branch is left out
  char text[64] = {};
  p::GetMenuString(drop, 0, text, sizeof text, p::MF_BYPOSITION);
  EXPECT_STREQ(text, "&Open\tCtrl+O");
  p::PostMessage(form->Handle(), p::WM_COMMAND, open->Command(), 0);
  Flush();
  EXPECT_EQ(opened, 2);
  hidden->SetVisible(true);  // rebuilt
  EXPECT_EQ(p::GetMenuItemCount(p::GetSubMenu(p::GetMenu(form->Handle()), 0)), 2);

  delete file;  // its items leave the tree with it
  EXPECT_EQ(menu->Items()->Count(), 0);
  EXPECT_EQ(open->Parent(), nullptr);
  delete menu;
  EXPECT_EQ(form->Menu(), nullptr);
  EXPECT_FALSE(p::GetMenu(form->Handle()));
}
