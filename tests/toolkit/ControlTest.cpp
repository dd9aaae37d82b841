#include <gtest/gtest.h>

#include "ToolkitFixture.h"
#include "platform/gdi/Gdi.h"
#include "toolkit/Form.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Label.h"
#include "toolkit/SpeedButton.h"

using namespace toolkit;
namespace p = platform;

namespace {

// A windowed control that records what reaches it.
class TProbe : public TCustomControl {
 public:
  explicit TProbe(component::TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
  int paints = 0;

 protected:
  void Paint() override {
    ++paints;
    Canvas()->Brush()->SetColor(clRed);
    Canvas()->FillRect(ClientRect());
  }
};

std::uint32_t Pixel(TColor c) {
  return p::ColorToPixel(p::ResolveColor(ColorToRGB(c)));
}

}  // namespace

class Controls : public ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    form = new TForm(app.get());
    form->SetBounds(100, 100, 400, 300);
    form->SetColor(0x7DB7D2);
  }
  POINT ScreenOf(TControl* c, int x, int y) { return c->ClientToScreen(POINT{x, y}); }
  TForm* form = nullptr;
};

TEST_F(Controls, ParentFontAndColourFollowTheParentUntilSetByHand) {
  auto* group = new TGroupBox(form);
  group->SetParent(form);
  auto* inherits = new TLabel(form);
  inherits->SetParent(group);
  auto* own = new TLabel(form);
  own->SetParent(group);
  own->Font()->SetName("Arial");
  EXPECT_FALSE(own->ParentFont());

  form->Font()->SetHeight(-16);
  EXPECT_EQ(group->Font()->Height(), -16);
  EXPECT_EQ(inherits->Font()->Height(), -16);
  EXPECT_EQ(own->Font()->Height(), -11);
  EXPECT_EQ(own->Font()->Name(), "Arial");

  EXPECT_TRUE(inherits->ParentColor());
  EXPECT_EQ(inherits->Color(), TColor(0x7DB7D2));
  form->SetColor(clWhite);
  EXPECT_EQ(inherits->Color(), clWhite);
  inherits->SetColor(clNavy);
  form->SetColor(clBlack);
  EXPECT_EQ(inherits->Color(), clNavy);
}

TEST_F(Controls, GraphicChildrenArePaintedByTheirParent) {
  auto* label = new TLabel(form);
  label->SetParent(form);
  label->SetAutoSize(false);
  label->SetBounds(10, 10, 60, 20);
  label->SetColor(clNavy);
  label->SetCaption("");
  auto* probe = new TProbe(form);
  probe->SetParent(form);
  probe->SetBounds(100, 10, 30, 30);
  form->Show();
  Flush();
  POINT l = ScreenOf(label, 5, 5), c = ScreenOf(form, 200, 200), w = ScreenOf(probe, 3, 3);
  EXPECT_EQ(screen->ScreenPixel(l.x, l.y), Pixel(clNavy));
  EXPECT_EQ(screen->ScreenPixel(c.x, c.y), Pixel(0x7DB7D2));
  EXPECT_EQ(screen->ScreenPixel(w.x, w.y), Pixel(clRed));
  EXPECT_GE(probe->paints, 1);

  // Hiding the label lets the form's colour through again.
  label->Hide();
  Flush();
  EXPECT_EQ(screen->ScreenPixel(l.x, l.y), Pixel(0x7DB7D2));
}

TEST_F(Controls, MouseReachesGraphicControlsWithEnterLeaveAndClick) {
  auto* button = new TSpeedButton(form);
  button->SetParent(form);
  button->SetBounds(20, 20, 40, 30);
  auto* probe = new TProbe(form);
  probe->SetParent(form);
  probe->SetBounds(200, 20, 50, 50);
  std::vector<std::string> log;
  button->OnMouseEnter = [&](component::TObject*) { log.push_back("button enter"); };
  button->OnMouseLeave = [&](component::TObject*) { log.push_back("button leave"); };
  button->OnClick = [&](component::TObject*) { log.push_back("button click"); };
  probe->OnMouseEnter = [&](component::TObject*) { log.push_back("probe enter"); };
  probe->OnMouseLeave = [&](component::TObject*) { log.push_back("probe leave"); };
  form->OnMouseEnter = [&](component::TObject*) { log.push_back("form enter"); };
  form->OnMouseLeave = [&](component::TObject*) { log.push_back("form leave"); };
  form->Show();
  Flush();

  screen->MouseMove(ScreenOf(form, 150, 150));
  Flush();
  screen->MouseMove(ScreenOf(button, 5, 5));
  Flush();
  screen->Click(ScreenOf(button, 10, 10));
  Flush();
  screen->MouseMove(ScreenOf(probe, 10, 10));
  Flush();
  screen->MouseMove(ScreenOf(form, 150, 150));
  Flush();
  EXPECT_EQ(log,
            (std::vector<std::string>{"form enter", "form leave", "button enter", "button click",
                                      "button leave", "probe enter", "probe leave", "form enter"}));

  // Pressed inside and released outside: no click.
  log.clear();
  screen->MouseDown(ScreenOf(button, 5, 5));
  Flush();
  EXPECT_EQ(button->State(), bsDown);
  screen->MouseMove(ScreenOf(form, 150, 150));
  screen->MouseUp(ScreenOf(form, 150, 150));
  Flush();
  EXPECT_EQ(button->State(), bsUp);
  EXPECT_EQ(std::count(log.begin(), log.end(), "button click"), 0);
}

TEST_F(Controls, TabOrderSkipsNonStopsAndWraps) {
  auto* a = new TProbe(form);
  auto* b = new TProbe(form);
  auto* c = new TProbe(form);
  for (TProbe* x : {a, b, c}) x->SetParent(form);
  a->SetBounds(0, 0, 10, 10);
  b->SetBounds(20, 0, 10, 10);
  c->SetBounds(40, 0, 10, 10);
  c->SetTabOrder(0);  // c, a, b
  form->Show();       // only a showing form's controls can take the focus
  Flush();
  EXPECT_EQ(c->TabOrder(), 0);
  EXPECT_EQ(a->TabOrder(), 1);
  EXPECT_EQ(form->FindNextControl(nullptr, true, true, false), c);
  EXPECT_EQ(form->FindNextControl(c, true, true, false), a);
  a->SetTabStop(false);
  EXPECT_EQ(form->FindNextControl(c, true, true, false), b);
  b->SetEnabled(false);
  EXPECT_EQ(form->FindNextControl(c, true, true, false), nullptr);  // only c is left
  b->SetEnabled(true);
  EXPECT_EQ(form->FindNextControl(b, true, true, false), c);   // wraps
  EXPECT_EQ(form->FindNextControl(c, false, true, false), b);  // backwards
  a->SetTabStop(true);
  EXPECT_TRUE(c->Focused());  // first tab stop on activation
  screen->KeyPress(p::VK_TAB);
  Flush();
  EXPECT_TRUE(a->Focused());
  screen->KeyDown(p::VK_SHIFT);
  screen->KeyPress(p::VK_TAB);
  screen->KeyUp(p::VK_SHIFT);
  Flush();
  EXPECT_TRUE(c->Focused());
  EXPECT_EQ(form->ActiveControl(), c);
  screen->KeyDown(p::VK_SHIFT);
  screen->KeyPress(p::VK_TAB);
  screen->KeyUp(p::VK_SHIFT);
  Flush();
  EXPECT_TRUE(b->Focused());  // backwards from the first wraps to the last
}

namespace {
p::WNDPROC previousProc = nullptr;
int subclassedPaints = 0;
p::LRESULT CountingProc(p::HWND h, p::UINT msg, p::WPARAM wp, p::LPARAM lp) {
  if (msg == p::WM_PAINT) ++subclassedPaints;
  return p::CallWindowProc(previousProc, h, msg, wp, lp);
}
}  // namespace

TEST_F(Controls, WindowProcedureCanBeSubclassedAndChained) {
  auto* probe = new TProbe(form);
  probe->SetParent(form);
  probe->SetBounds(10, 10, 50, 50);
  form->Show();
  Flush();
  subclassedPaints = 0;
  previousProc = reinterpret_cast<p::WNDPROC>(p::SetWindowLongPtr(
      probe->Handle(), p::GWLP_WNDPROC, reinterpret_cast<p::LONG_PTR>(&CountingProc)));
  ASSERT_NE(previousProc, nullptr);
  int before = probe->paints;
  probe->Invalidate();
  Flush();
  EXPECT_EQ(subclassedPaints, 1);
  EXPECT_EQ(probe->paints, before + 1);  // the control still paints behind the subclass

  // The toolkit-level hook chains the same way.
  int seen = 0;
  TWndMethod old = probe->WindowProc;
  probe->WindowProc = [&](TMessage& m) {
    if (m.Msg == p::WM_PAINT) ++seen;
    old(m);
  };
  probe->Invalidate();
  Flush();
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(probe->paints, before + 2);
  p::SetWindowLongPtr(probe->Handle(), p::GWLP_WNDPROC,
                      reinterpret_cast<p::LONG_PTR>(previousProc));
}

TEST_F(Controls, FreeingAChildTakesItsWindowAndItsPlace) {
  auto* group = new TGroupBox(form);
  group->SetParent(form);
  auto* inner = new TProbe(form);
  inner->SetParent(group);
  form->Show();
  Flush();
  p::HWND innerWindow = inner->Handle();
  ASSERT_TRUE(p::IsWindow(innerWindow));
  delete group;  // frees the controls it holds
  EXPECT_FALSE(p::IsWindow(innerWindow));
  EXPECT_EQ(form->ControlCount(), 0);
  EXPECT_EQ(form->ComponentCount(), 0);
}
