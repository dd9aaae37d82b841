// The coloured speed button: colour derivation, rings and frames drawn into
// a memory context, caption shortening, and the button on a form (picture at
// rest and pressed, clicks, groups, the repeat timer, bad sizes and captions).
#include <gtest/gtest.h>

#include "GraphicsFixture.h"
#include "graphics/ColorSpeedButton.h"
#include "platform/gdi/Gdi.h"
#include "toolkit/Application.h"
#include "toolkit/PopupMenu.h"

using namespace graphics;
namespace p = platform;
namespace tk = toolkit;

namespace {

// 0xRRGGBB of a colour, system colours resolved.
std::uint32_t Rgb(tk::TColor c) {
  const p::COLORREF v = p::ResolveColor(tk::ColorToRGB(c));
  return (v & 0xFF) << 16 | (v & 0xFF00) | (v >> 16 & 0xFF);
}

// A canvas over a memory picture of its own.
class Picture {
 public:
  Picture(int w, int h) {
    dc_ = p::CreateCompatibleDC(p::HDC{});
    bitmap_ = p::CreateCompatibleBitmap(dc_, w, h);
    old_ = p::SelectObject(dc_, bitmap_);
    canvas.SetHandle(dc_);
  }
  ~Picture() {
    canvas.SetHandle(p::HDC{});
    p::SelectObject(dc_, old_);
    p::DeleteObject(bitmap_);
    p::DeleteDC(dc_);
  }
  std::uint32_t At(int x, int y) { return Rgb(tk::TColor(p::GetPixel(dc_, x, y))); }
  tk::TCanvas canvas;

 private:
  p::HDC dc_;
  p::HBITMAP bitmap_, old_;
};

}  // namespace

TEST(ColorDerivation, MovesEachChannelBy64WithinRange) {
  EXPECT_EQ(Rgb(ButtonHighlightColor(tk::clLime)), 0x40FF40u);
  EXPECT_EQ(Rgb(ButtonShadowColor(tk::clLime)), 0x00BF00u);
  EXPECT_EQ(Rgb(ButtonHighlightColor(tk::clSkyBlue)), 0xE6FFFFu);
  EXPECT_EQ(Rgb(ButtonShadowColor(tk::clSkyBlue)), 0x668AB0u);
  EXPECT_EQ(Rgb(ButtonHighlightColor(tk::clWhite)), 0xFFFFFFu);
  EXPECT_EQ(Rgb(ButtonShadowColor(tk::clWhite)), 0xBFBFBFu);
  EXPECT_EQ(Rgb(ButtonHighlightColor(tk::clBlack)), 0x404040u);
  EXPECT_EQ(Rgb(ButtonShadowColor(tk::clBlack)), 0x000000u);
  // A system colour is resolved before the shift, never shifted as a code.
  const std::uint32_t face = Rgb(tk::clBtnFace);
  EXPECT_EQ(Rgb(ButtonShadowColor(tk::clBtnFace)),
            std::uint32_t(std::max(0, int(face >> 16) - 64)) << 16 |
                std::uint32_t(std::max(0, int(face >> 8 & 0xFF) - 64)) << 8 |
                std::uint32_t(std::max(0, int(face & 0xFF) - 64)));
}

TEST(DrawRing, FarCornersBelongToTheBottomRightColour) {
  Picture pic(10, 8);
  RECT r{0, 0, 10, 8};
  DrawRing(&pic.canvas, r, tk::clRed, tk::clBlue);
  EXPECT_EQ(r, (RECT{1, 1, 9, 7}));
  EXPECT_EQ(pic.At(0, 0), 0xFF0000u);
  EXPECT_EQ(pic.At(8, 0), 0xFF0000u);
  EXPECT_EQ(pic.At(9, 0), 0x0000FFu);  // top-right
  EXPECT_EQ(pic.At(0, 6), 0xFF0000u);
  EXPECT_EQ(pic.At(0, 7), 0x0000FFu);  // bottom-left
  EXPECT_EQ(pic.At(9, 7), 0x0000FFu);
  EXPECT_EQ(pic.At(4, 4), 0x000000u);  // inside untouched

  // Nothing to draw on, but the rectangle still shrinks.
  RECT empty{3, 3, 3, 3};
  DrawRing(&pic.canvas, empty, tk::clRed, tk::clBlue);
  EXPECT_EQ(pic.At(3, 3), 0x000000u);
  EXPECT_EQ(empty, (RECT{4, 4, 2, 2}));
  Picture tiny(2, 2);
  EXPECT_EQ(PaintButtonFrame(&tiny.canvas, RECT{0, 0, 2, 2}, false, tk::clLime, bsNew, false),
            (RECT{3, 3, -1, -1}));
}

TEST(PaintButtonFrame, EveryCaseOnA73By29Face) {
  const std::uint32_t h = 0x40FF40, s = 0x00BF00, c = 0x00FF00, f = Rgb(tk::clWindowFrame);
  struct Case {
    bool down;
    TButtonStyle style;
    bool flat;
    std::uint32_t outerTL, outerBR;
    int inner;  // inset of the returned rectangle
    std::uint32_t secondTL, secondBR;
  };
  const std::uint32_t sh = Rgb(tk::clBtnShadow);
  const Case cases[] = {
      {false, bsNew, false, h, f, 3, c, s},   {false, bsNew, true, h, s, 2, c, c},
      {false, bsWin31, false, f, f, 3, h, s}, {false, bsWin31, true, h, f, 2, c, c},
      {true, bsNew, false, f, h, 3, s, c},    {true, bsNew, true, s, h, 2, c, c},
      {true, bsWin31, false, f, f, 2, sh, c}, {true, bsWin31, true, f, h, 2, c, c},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message()
                 << "down " << k.down << " style " << k.style << " flat " << k.flat);
    Picture pic(73, 29);
    pic.canvas.Brush()->SetColor(tk::clLime);
    pic.canvas.FillRect(RECT{0, 0, 73, 29});
    const RECT inner =
        PaintButtonFrame(&pic.canvas, RECT{0, 0, 73, 29}, k.down, tk::clLime, k.style, k.flat);
    EXPECT_EQ(inner, (RECT{k.inner, k.inner, 73 - k.inner, 29 - k.inner}));
    EXPECT_EQ(pic.At(10, 0), k.outerTL);
    EXPECT_EQ(pic.At(0, 10), k.outerTL);
    EXPECT_EQ(pic.At(72, 10), k.outerBR);
    EXPECT_EQ(pic.At(10, 28), k.outerBR);
    EXPECT_EQ(pic.At(10, 1), k.secondTL);
    EXPECT_EQ(pic.At(1, 10), k.secondTL);
    if (!(k.down && k.style == bsWin31 && !k.flat)) {
      EXPECT_EQ(pic.At(71, 10), k.secondBR);
      EXPECT_EQ(pic.At(10, 27), k.secondBR);
    }
  }
  // Auto-detect takes the new look.
  Picture a(73, 29), n(73, 29);
  PaintButtonFrame(&a.canvas, RECT{0, 0, 73, 29}, false, tk::clLime, bsAutoDetect, false);
  PaintButtonFrame(&n.canvas, RECT{0, 0, 73, 29}, false, tk::clLime, bsNew, false);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(a.At(i, 10), n.At(i, 10));
}

TEST(ShortenCaption, CutsWithEllipsisUntilTheLineFits) {
  Picture pic(10, 10);
  pic.canvas.Font()->SetName("Arial");
  pic.canvas.Font()->SetHeight(-16);
  EXPECT_EQ(ShortenCaption(&pic.canvas, "START", 200), "START");
  const std::string cut = ShortenCaption(&pic.canvas, "A rather long caption", 60);
  EXPECT_LE(pic.canvas.TextWidth(cut), 60);
  ASSERT_GE(cut.size(), 3u);
  EXPECT_EQ(cut.substr(cut.size() - 3), "...");
  EXPECT_EQ(cut.substr(0, cut.size() - 3),
            std::string("A rather long caption").substr(0, cut.size() - 3));
  // Nothing fits: the cuts stop after the line's length, no endless loop.
  EXPECT_EQ(ShortenCaption(&pic.canvas, "AB", 0), "...");
  EXPECT_EQ(ShortenCaption(&pic.canvas, "", 0), "");
}

class ColorButtonTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    button = new TColorSpeedButton(form);
    button->SetParent(form);
    button->SetBounds(20, 20, 73, 29);
    button->SetColor(tk::clLime);
    button->SetCaption("START");
    button->Font()->SetName("Arial");
    button->Font()->SetHeight(-16);
    button->Font()->SetStyle(tk::TFontStyles{tk::fsBold});
    button->OnClick = [this](component::TObject*) { ++clicks; };
    form->Show();
    Flush();
  }
  p::POINT Screen(int x, int y) { return button->ClientToScreen(p::POINT{x, y}); }
  // Pixels of the caption's colour (black) inside a rectangle of the button.
  int Black(const RECT& r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += At(button, x, y) == 0;
    return n;
  }

  TColorSpeedButton* button = nullptr;
  int clicks = 0;
};

TEST_F(ColorButtonTest, CreationDefaults) {
  TColorSpeedButton b(nullptr);
  EXPECT_EQ(b.Width(), 25);
  EXPECT_EQ(b.Height(), 25);
  EXPECT_EQ(b.Color(), tk::clBtnFace);
  EXPECT_EQ(b.Layout(), tk::blGlyphTop);
  EXPECT_EQ(b.Alignment(), tk::taCenter);
  EXPECT_EQ(b.Margin(), -1);
  EXPECT_EQ(b.Spacing(), 1);
  EXPECT_EQ(b.InitPause(), 500);
  EXPECT_EQ(b.RepeatInterval(), 100);
  EXPECT_TRUE(b.MarkDropDown());
  EXPECT_TRUE(b.GrayedInactive());
  EXPECT_TRUE(b.DoubleBuffered());
  EXPECT_TRUE(b.ShowHint());
  EXPECT_FALSE(b.ParentShowHint());
  EXPECT_EQ(b.HotTrackOptions()->Color(), 13811126);
  EXPECT_EQ(b.HotTrackOptions()->FrameColor(), 6956042);
  EXPECT_EQ(b.HotTrackFontOptions(),
            (TTrackFontOptions{hoFollowFont, hoPreserveColor, hoPreserveStyle}));
  b.SetNumGlyphs(9);
  EXPECT_EQ(b.NumGlyphs(), 5);
  b.SetNumGlyphs(0);
  EXPECT_EQ(b.NumGlyphs(), 1);
}

TEST_F(ColorButtonTest, HotTrackFontFollowsTheFontButKeepsColourAndStyle) {
  button->HotTrackFont()->SetColor(tk::clRed);
  button->Font()->SetName("Courier New");
  button->Font()->SetHeight(-20);
  EXPECT_EQ(button->HotTrackFont()->Name(), "Courier New");
  EXPECT_EQ(button->HotTrackFont()->Height(), -20);
  EXPECT_EQ(button->HotTrackFont()->Color(), tk::clRed);
  EXPECT_TRUE(button->HotTrackFont()->Style().Empty());
}

TEST_F(ColorButtonTest, AtRestAndPressed) {
  const std::uint32_t f = Rgb(tk::clWindowFrame);
  EXPECT_EQ(At(button, 5, 0), 0x40FF40u);
  EXPECT_EQ(At(button, 72, 5), f);
  EXPECT_EQ(At(button, 5, 1), 0x00FF00u);
  EXPECT_EQ(At(button, 71, 5), 0x00BF00u);
  EXPECT_EQ(At(button, 5, 27), 0x00BF00u);
  EXPECT_EQ(At(button, 3, 3), 0x00FF00u);
  const int caption = Black(RECT{3, 3, 70, 26});
  EXPECT_GT(caption, 30);
  // Centred: as much ink left of the middle as right of it, within a column.
  const int left = Black(RECT{3, 3, 36, 26}), right = Black(RECT{37, 3, 70, 26});
  EXPECT_NEAR(left, right, caption / 5);
  const p::POINT rest = button->CaptionOrigin();
  // Exactly: (inner width div 2) - (caption width div 2) from the inner
  // corner (3, 3), and the same down the 67 x 23 inner rectangle.
  Picture measure(10, 10);
  measure.canvas.Font()->Assign(*button->Font());
  const p::SIZE text = measure.canvas.TextExtent("START");
  EXPECT_EQ(rest.x, 3 + 67 / 2 - text.cx / 2);
  EXPECT_EQ(rest.y, 3 + 23 / 2 - text.cy / 2);

  screen->MouseDown(Screen(30, 10));
  Flush();
  EXPECT_EQ(button->State(), cbsDown);
  EXPECT_EQ(At(button, 5, 0), f);
  EXPECT_EQ(At(button, 72, 5), 0x40FF40u);
  EXPECT_EQ(At(button, 5, 1), 0x00BF00u);
  EXPECT_EQ(At(button, 71, 5), 0x00FF00u);
  EXPECT_EQ(button->CaptionOrigin().x, rest.x + 1);
  EXPECT_EQ(button->CaptionOrigin().y, rest.y + 1);

  // Out and back in while held: up, then down again.
  screen->MouseMove(Screen(30, 60));
  Flush();
  EXPECT_EQ(button->State(), cbsUp);
  EXPECT_EQ(At(button, 5, 0), 0x40FF40u);
  screen->MouseMove(Screen(30, 29));  // the row just below counts as inside
  Flush();
  EXPECT_EQ(button->State(), cbsDown);
  screen->MouseUp(Screen(30, 29));
  Flush();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(button->State(), cbsUp);
  EXPECT_EQ(At(button, 5, 0), 0x40FF40u);
  EXPECT_FALSE(button->Down());
}

TEST_F(ColorButtonTest, ReleaseOutsideIsNoClick) {
  screen->MouseDown(Screen(30, 10));
  screen->MouseUp(Screen(30, 30));
  screen->MouseDown(Screen(30, 10));
  screen->MouseUp(Screen(73, 10));
  Flush();
  EXPECT_EQ(clicks, 0);
  // The right button presses nothing.
  screen->MouseDown(Screen(30, 10), 1);
  Flush();
  EXPECT_EQ(button->State(), cbsUp);
  screen->MouseUp(Screen(30, 10), 1);
  Flush();
  EXPECT_EQ(clicks, 0);
}

TEST_F(ColorButtonTest, ClickSetsTheFormsModalResult) {
  button->SetModalResult(tk::mrOk);
  screen->Click(Screen(30, 10));
  Flush();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(form->ModalResult(), tk::mrOk);
}

TEST_F(ColorButtonTest, GroupLatchesOneButtonDown) {
  auto* other = new TColorSpeedButton(form);
  other->SetParent(form);
  other->SetBounds(120, 20, 73, 29);
  button->SetGroupIndex(1);
  other->SetGroupIndex(1);
  screen->Click(Screen(30, 10));
  Flush();
  EXPECT_TRUE(button->Down());
  EXPECT_EQ(button->State(), cbsExclusive);
  screen->Click(other->ClientToScreen(p::POINT{30, 10}));
  Flush();
  EXPECT_TRUE(other->Down());
  EXPECT_FALSE(button->Down());
  // Without AllowAllUp a click does not raise the one that is down.
  screen->Click(other->ClientToScreen(p::POINT{30, 10}));
  Flush();
  EXPECT_TRUE(other->Down());
  // The latched face shows the checker pattern.
  const std::uint32_t a = At(other, 10, 10), b = At(other, 11, 10);
  EXPECT_NE(a, b);
}

TEST_F(ColorButtonTest, RepeatTimerClicksWhileHeld) {
  button->SetAllowTimer(true);
  screen->MouseDown(Screen(30, 10));
  screen->Run(450);
  EXPECT_EQ(clicks, 0);  // the first pause is 500 ms
  screen->Run(300);      // 500, 600, 700
  EXPECT_EQ(clicks, 3);
  screen->MouseUp(Screen(30, 10));
  Flush();
  const int total = clicks;
  EXPECT_EQ(total, 4);  // and the release inside
  screen->Run(500);
  EXPECT_EQ(clicks, total);
}

TEST_F(ColorButtonTest, BadSizesCaptionsAndDisabledPaintSafely) {
  // A caption far wider than the face stays inside the frame.
  button->SetCaption("A caption far wider than this button could ever show");
  Flush();
  // The second ring (row 1 and 27, column 1) keeps its colours: no ink.
  for (int x = 1; x < 72; ++x) {
    EXPECT_NE(At(button, x, 1), 0u) << x;
    EXPECT_NE(At(button, x, 27), 0u) << x;
  }
  for (int y = 2; y < 27; ++y) EXPECT_NE(At(button, 1, y), 0u) << y;

  button->SetCaption("");
  Flush();
  EXPECT_EQ(Black(RECT{3, 3, 70, 26}), 0);

  button->SetCaption("START");
  button->SetEnabled(false);
  Flush();
  EXPECT_EQ(button->State(), cbsDisabled);
  EXPECT_EQ(Black(RECT{3, 3, 70, 26}), 0);  // embossed in system greys
  screen->Click(Screen(30, 10));
  Flush();
  EXPECT_EQ(clicks, 0);
  button->SetEnabled(true);
  Flush();
  EXPECT_EQ(button->State(), cbsUp);

  for (auto [w, h] : {std::pair{0, 0}, {1, 1}, {2, 5}, {5, 2}}) {
    button->SetBounds(20, 20, w, h);
    Flush();
  }
  button->SetFlat(true);
  button->SetTransparent(true);
  button->SetBounds(20, 20, 3, 3);
  Flush();
}

TEST_F(ColorButtonTest, FlatButtonFramesOnlyUnderTheMouse) {
  button->SetFlat(true);
  Flush();
  EXPECT_EQ(At(button, 5, 0), 0x00FF00u);  // no frame at rest
  screen->MouseMove(Screen(30, 10));
  Flush();
  EXPECT_TRUE(button->MouseInside());
  EXPECT_EQ(At(button, 5, 0), 0x40FF40u);
  EXPECT_EQ(At(button, 72, 5), 0x00BF00u);
  screen->MouseMove(Screen(300, 300));
  Flush();
  EXPECT_EQ(At(button, 5, 0), 0x00FF00u);
}

TEST_F(ColorButtonTest, DropDownMenuClicksTheChosenItem) {
  auto* menu = new tk::TPopupMenu(form);
  auto* first = new tk::TMenuItem(form);
  auto* second = new tk::TMenuItem(form);
  first->SetCaption("&First");
  second->SetCaption("&Second");
  menu->Items()->Add(first);
  menu->Items()->Add(second);
  int chosen = 0, popups = 0;
  second->OnClick = [&](component::TObject*) { ++chosen; };
  menu->OnPopup = [&](component::TObject*) { ++popups; };
  button->SetDropDownMenu(menu);
  screen->Click(Screen(30, 10));
  screen->KeyPress('S');
  Flush();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(chosen, 1);
  EXPECT_EQ(menu->PopupComponent(), button);
  // Below the button by default, right of it with dmpRight.
  EXPECT_EQ(menu->PopupPoint(), Screen(0, button->Height()));
  button->SetMenuPosition(dmpRight);
  screen->Click(Screen(30, 10));
  screen->KeyPress(platform::VK_ESCAPE);
  Flush();
  EXPECT_EQ(menu->PopupPoint(), Screen(button->Width(), 0));
  EXPECT_EQ(chosen, 1);
  // A menu freed first is forgotten, not used.
  delete menu;
  EXPECT_EQ(button->DropDownMenu(), nullptr);
  screen->Click(Screen(30, 10));
  Flush();
  EXPECT_EQ(clicks, 3);
}

TEST_F(ColorButtonTest, HintColourIsTheButtonsWhileTheMouseIsInside) {
  const tk::TColor before = tk::Application->HintColor();
  button->SetHintColor(tk::clYellow);
  screen->MouseMove(Screen(30, 10));
  Flush();
  EXPECT_EQ(tk::Application->HintColor(), tk::clYellow);
  screen->MouseMove(Screen(300, 200));
  Flush();
  EXPECT_EQ(tk::Application->HintColor(), before);
  // A button freed under the mouse gives the colour back too.
  screen->MouseMove(Screen(30, 10));
  Flush();
  delete button;
  button = nullptr;
  EXPECT_EQ(tk::Application->HintColor(), before);
}

TEST_F(ColorButtonTest, EnterAndLeaveFireOnlyAsTheInsideFlagChanges) {
  int enters = 0, leaves = 0;
  button->OnMouseEnter = [&](component::TObject*) { ++enters; };
  button->OnMouseLeave = [&](component::TObject*) { ++leaves; };
  screen->MouseMove(Screen(30, 10));
  Flush();
  EXPECT_EQ(enters, 1);
  // Pressed, dragged out and released there: it has left once.
  screen->MouseDown(Screen(30, 10));
  screen->MouseMove(Screen(30, 60));
  screen->MouseUp(Screen(30, 60));
  Flush();
  EXPECT_FALSE(button->MouseInside());
  EXPECT_EQ(leaves, 1);
  // Released under the pointer: left and entered again.
  screen->MouseMove(Screen(30, 10));
  screen->Click(Screen(30, 10));
  Flush();
  EXPECT_EQ(enters, 3);
  EXPECT_EQ(leaves, 2);
  EXPECT_TRUE(button->MouseInside());
  screen->MouseMove(Screen(300, 300));
  Flush();
  EXPECT_EQ(leaves, 3);
  // Disabled by the program under the mouse, then left: no event,
  // but neither the flat frame nor the hint colour stays behind.
  const tk::TColor hint = tk::Application->HintColor();
  button->SetHintColor(tk::clYellow);
  button->SetFlat(true);
  screen->MouseMove(Screen(30, 10));
  Flush();
  EXPECT_EQ(enters, 4);
  EXPECT_EQ(tk::Application->HintColor(), tk::clYellow);
  button->SetEnabled(false);
  screen->MouseMove(Screen(300, 300));
  Flush();
  EXPECT_EQ(leaves, 3);
  EXPECT_FALSE(button->MouseInside());
  EXPECT_EQ(tk::Application->HintColor(), hint);
  button->SetEnabled(true);
  Flush();
  EXPECT_EQ(At(button, 5, 0), 0x00FF00u);  // no frame: the mouse is elsewhere
  // A disabled button is never entered.
  button->SetEnabled(false);
  screen->MouseMove(Screen(30, 10));
  screen->MouseMove(Screen(300, 300));
  Flush();
  EXPECT_EQ(enters, 4);
  EXPECT_EQ(leaves, 3);
  EXPECT_FALSE(button->MouseInside());
}

TEST_F(ColorButtonTest, DoubleClickAlreadyQueuedAtThePressIsDropped) {
  int doubles = 0;
  button->OnDblClick = [&](component::TObject*) { ++doubles; };
  // Both clicks wait while the program is busy: the second one is dropped.
  screen->DoubleClick(Screen(30, 10));
  screen->AdvanceClock(50);
  Flush();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(doubles, 0);
  EXPECT_EQ(button->State(), cbsUp);
  EXPECT_FALSE(button->Pressing());
  // A double click that comes after the first press was handled presses again.
  screen->AdvanceClock(1000);
  screen->Click(Screen(30, 10));
  Flush();
  screen->Click(Screen(30, 10));
  Flush();
  EXPECT_EQ(clicks, 3);
  EXPECT_EQ(doubles, 1);
}
