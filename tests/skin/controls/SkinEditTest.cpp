// The skinned edit on a skinned form: what it shows unfocused, focused,
// hovered, disabled and with a password character, through a skin removed
// and restored, at extreme sizes, and read from a window description.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FieldFixture.h"
#include "component/Reader.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/Messages.h"
#include "platform/window/Styles.h"
#include "skin/controls/SkinBoundLabel.h"
#include "skin/controls/SkinDBControls.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinLabel.h"
#include "skin/data/SkinData.h"
#include "skin/link/SkinMessages.h"
#include "skin/paint/PaintPixels.h"
#include "toolkit/Edit.h"

namespace {

namespace p = platform;
using skin::TSkinEdit;

std::uint32_t PixelOfColor(toolkit::TColor c) {
  return skin::SolidPixel(std::int32_t(toolkit::ColorToRGB(c))) & 0xFFFFFFu;
}

class SkinEditTest : public SkinFieldTest {
 protected:
  TSkinEdit* MakeEdit(int x, int y, const std::string& text, int w = 150, int h = 21) {
    auto* edit = new TSkinEdit(form);
    edit->SetParent(form);
    edit->SetBounds(x, y, w, h);
    edit->SetText(text);
    return edit;
  }
  const skin::TSkinGeneralData& Section(TSkinEdit* edit) {
    return skin::ActiveSkin().Sections[std::size_t(edit->SkinData()->SkinIndex)];
  }
  // Whether a point of r in the window shows the colour.
  bool Shows(TSkinEdit* edit, const p::RECT& r, std::uint32_t color) {
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (WindowPixel(edit, x, y) == color) return true;
    return false;
  }
  int FrameDifferences(TSkinEdit* edit) {
    const int w = edit->Width(), h = edit->Height();
    const skin::TSkinCommonData& d = *edit->SkinData();
    return DifferencesFromCache(edit, d, p::RECT{0, 0, w, 2}) +
           DifferencesFromCache(edit, d, p::RECT{0, h - 2, w, h}) +
           DifferencesFromCache(edit, d, p::RECT{0, 0, 2, h}) +
           DifferencesFromCache(edit, d, p::RECT{w - 2, 0, w, h});
  }
};

TEST_F(SkinEditTest, UnfocusedOrHoveredShowsItsPictureWithTheTextInTheSectionColour) {
  TSkinEdit* edit = MakeEdit(20, 20, "Hello");
  Flush();
  Dump("edit-unfocused.png");
  ASSERT_TRUE(edit->SkinData()->Skinned());
  EXPECT_EQ(edit->SkinData()->SkinSection(), "EDIT");
  EXPECT_EQ(edit->PaintState(), 0);
  EXPECT_EQ(DifferencesFromCache(edit, *edit->SkinData(), Whole(edit)), 0);
  const std::uint32_t font = skin::PixelOf(Section(edit).Font.FontColor) & 0xFFFFFFu;
  EXPECT_TRUE(Shows(edit, p::RECT{3, 3, 40, 18}, font));
  // The frame is the skin's, not the platform's sunken edge.
  EXPECT_NE(WindowPixel(edit, 0, 0), PixelOfColor(toolkit::clBtnShadow));

  // EDIT does not react to the mouse: hovering changes nothing.
  ASSERT_FALSE(Section(edit).ReservedBoolean);
  const auto before = WindowPixels(edit);
  screen->MouseMove(ScreenPoint(edit, 40, 8));
  Flush();
  EXPECT_EQ(edit->PaintState(), 0);
  EXPECT_EQ(WindowPixels(edit), before);
}

TEST_F(SkinEditTest, FocusShowsThePlatformTextAreaInsideTheSkinnedFrame) {
  TSkinEdit* edit = MakeEdit(20, 20, "");
  TSkinEdit* other = MakeEdit(20, 60, "");
  // The platform edit fills with the control's colour, the skin with its own.
  edit->SetColor(toolkit::clAqua);
  Flush();
  const std::uint32_t native = PixelOfColor(edit->Color());
  ASSERT_NE(WindowPixel(edit, edit->Width() - 8, 10), native);

  edit->SetFocus();
  Flush();
  screen->TypeText("abc");
  Flush();
  Dump("edit-focused.png");
  EXPECT_EQ(edit->Text(), "abc");
  EXPECT_EQ(edit->SkinData()->HasFocus, 1);
  EXPECT_EQ(edit->PaintState(), 1);
  // The skin's frame, two pixels wide, and inside it the platform's area.
  EXPECT_EQ(FrameDifferences(edit), 0);
  EXPECT_NE(WindowPixel(edit, 0, 0), PixelOfColor(toolkit::clBtnShadow));
  EXPECT_EQ(WindowPixel(edit, 2, 2), native);
  EXPECT_EQ(WindowPixel(edit, edit->Width() - 3, edit->Height() - 3), native);
  bool typed = false;
  for (int x = 3; x < 30 && !typed; ++x)
    for (int y = 4; y < 17; ++y) typed = typed || WindowPixel(edit, x, y) != native;
  EXPECT_TRUE(typed) << "the typed text is not on the screen";

  // Focus elsewhere: the typed text is in the picture again.
  other->SetFocus();
  Flush();
  EXPECT_EQ(edit->PaintState(), 0);
  EXPECT_EQ(DifferencesFromCache(edit, *edit->SkinData(), Whole(edit)), 0);
  EXPECT_TRUE(
      Shows(edit, p::RECT{3, 3, 30, 18}, skin::PixelOf(Section(edit).Font.FontColor) & 0xFFFFFFu));

  // A section that lets the mouse make it active: hovering shows the
  // platform's text area as focus does.
  skin::GlobalSkin().Tables.Sections[std::size_t(edit->SkinData()->SkinIndex)].ReservedBoolean =
      true;
  screen->MouseMove(ScreenPoint(edit, 40, 8));
  Flush();
  EXPECT_EQ(edit->PaintState(), 1);
  EXPECT_EQ(FrameDifferences(edit), 0);
  EXPECT_EQ(WindowPixel(edit, 2, 2), native);
}

TEST_F(SkinEditTest, PasswordCharactersStandForTheText) {
  TSkinEdit* secret = MakeEdit(20, 20, "abc");
  secret->SetPasswordChar("*");
  TSkinEdit* stars = MakeEdit(20, 60, "***");
  TSkinEdit* plain = MakeEdit(20, 100, "abc");
  Flush();
  // Inside its frame the edit is opaque: only the text tells the three apart.
  auto inside = [](TSkinEdit* edit) {
    std::vector<std::uint32_t> out;
    for (int y = 3; y < 18; ++y)
      for (int x = 3; x < 60; ++x) out.push_back(Rgb(edit->SkinData()->CacheBitmap(), x, y));
    return out;
  };
  EXPECT_EQ(inside(secret), inside(stars));
  EXPECT_NE(inside(secret), inside(plain));
  EXPECT_EQ(DifferencesFromCache(secret, *secret->SkinData(), Whole(secret)), 0);
}

TEST_F(SkinEditTest, DisabledIsMixedHalfAndHalfWithTheFormBehind) {
  TSkinEdit* edit = MakeEdit(20, 20, "Hello");
  Flush();
  const graphics::TPixelBitmap& cache = edit->SkinData()->CacheBitmap();
  const std::uint32_t enabled[3] = {Rgb(cache, 0, 0), Rgb(cache, 1, 1), Rgb(cache, 75, 1)};
  edit->SetEnabled(false);
  Flush();
  Dump("edit-disabled.png");
  const skin::TParentBackground bg = edit->SkinData()->ParentBackground();
  ASSERT_TRUE(bg.Valid);
  const int xs[3] = {0, 1, 75}, ys[3] = {0, 1, 1};
  for (int i = 0; i < 3; ++i) {
    const std::uint32_t behind = bg.Bitmap.Row(ys[i] + bg.Y)[xs[i] + bg.X];
    EXPECT_EQ(Rgb(cache, xs[i], ys[i]), skin::MixHalf(behind, enabled[i] | 0xFF000000u) & 0xFFFFFFu)
        << "at " << xs[i] << "," << ys[i];
  }
  EXPECT_EQ(DifferencesFromCache(edit, *edit->SkinData(), Whole(edit)), 0);
}

TEST_F(SkinEditTest, SkinRemovedAndRestoredWhileFocusedAndHovered) {
  TSkinEdit* edit = MakeEdit(20, 20, "");
  auto* plain = new toolkit::TEdit(form);
  plain->SetParent(form);
  plain->SetBounds(20, 60, 150, 21);
  Flush();
  edit->SetFocus();
  screen->MouseMove(ScreenPoint(edit, 40, 8));
  screen->TypeText("abc");
  Flush();

  Manager()->SetActive(false);
  Flush();
  Dump("edit-removed.png");
  EXPECT_FALSE(edit->SkinData()->Skinned());
  EXPECT_TRUE(edit->Focused()) << "the new window lost the focus";
  EXPECT_EQ(edit->Text(), "abc");
  // Unskinned it is the plain edit: the same sunken frame as the one beside it.
  for (int x = 0; x < 150; ++x)
    for (int y : {0, 1, 19, 20}) ASSERT_EQ(WindowPixel(edit, x, y), WindowPixel(plain, x, y));
  screen->TypeText("d");
  Flush();
  EXPECT_EQ(edit->Text(), "abcd");

  Manager()->SetActive(true);
  Flush();
  Dump("edit-restored.png");
  ASSERT_TRUE(edit->SkinData()->Skinned());
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(FrameDifferences(edit), 0) << "the frame was not painted again";
  screen->TypeText("e");
  Flush();
  EXPECT_EQ(edit->Text(), "abcde");
  plain->SetFocus();
  Flush();
  EXPECT_EQ(DifferencesFromCache(edit, *edit->SkinData(), Whole(edit)), 0);
}

TEST_F(SkinEditTest, ZeroHugeAndTinySizesAndOverLongText) {
  TSkinEdit* edit = MakeEdit(20, 20, "Hello");
  Flush();
  for (auto [w, h] : {std::pair{0, 0}, {1, 1}, {4, 4}, {7, 7}, {3000, 2000}, {150, 21}}) {
    edit->SetBounds(20, 20, w, h);
    edit->SetFocus();
    Flush();
    form->SetFocus();
    Flush();
    if (w > 0) {
      EXPECT_EQ(edit->SkinData()->CacheBitmap().Width(), w);
      const int x = std::min(w / 2, 100);
      EXPECT_EQ(WindowPixel(edit, x, 0), Rgb(edit->SkinData()->CacheBitmap(), x, 0));
    }
  }
  // A text far wider than the box stays inside the 3-pixel margin.
  edit->SetText("");
  Flush();
  const graphics::TPixelBitmap& cache = edit->SkinData()->CacheBitmap();
  std::vector<std::uint32_t> margin;
  for (int y = 0; y < 21; ++y)
    for (int x = 147; x < 150; ++x) margin.push_back(Rgb(cache, x, y));
  edit->SetText(std::string(20000, 'W'));
  Flush();
  std::vector<std::uint32_t> after;
  for (int y = 0; y < 21; ++y)
    for (int x = 147; x < 150; ++x) after.push_back(Rgb(cache, x, y));
  EXPECT_EQ(after, margin);
  EXPECT_EQ(DifferencesFromCache(edit, *edit->SkinData(), Whole(edit)), 0);
}

TEST_F(SkinEditTest, BoundLabelFollowsTheEdit) {
  TSkinEdit* edit = MakeEdit(120, 20, "x");
  edit->SetName("NameEdit");
  edit->BoundLabel()->SetActive(true);
  const toolkit::TControl* label = edit->BoundLabel()->Label();
  ASSERT_NE(label, nullptr);
  edit->SetBounds(200, 60, 150, 21);
  EXPECT_EQ(label->Left() + label->Width() + skin::TSkinBoundLabel::kLeftGap, 200);
  EXPECT_EQ(label->Top() + label->Height() / 2, 60 + 21 / 2);
  edit->SetEnabled(false);
  edit->SetVisible(false);
  EXPECT_FALSE(label->Enabled());
  EXPECT_FALSE(label->Visible());
}

TEST_F(SkinEditTest, ReadFromAWindowDescription) {
  const std::string text =
      "object Holder: TComponent\n"
      "  object NameEdit: TSkinDBEdit\n"
      "    DisabledKind = [dkGrayed, dkBlended]\n"
      "    SkinData.SkinSection = 'EDIT'\n"
      "    BoundLabel.Layout = sclTopLeft\n"
      "  end\n"
      "  object SportBox: TSkinDBComboBox\n"
      "    Alignment = taCenter\n"
      "    ReadOnly = True\n"
      "  end\n"
      "end\n";
  component::TComponent root(nullptr);
  component::ReadDescription(root, text, "Edits.sdesc");
  auto* edit = dynamic_cast<skin::TSkinDBEdit*>(root.FindComponent("NameEdit"));
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(edit->DisabledKind().Contains(skin::dkGrayed));
  EXPECT_TRUE(edit->SkinData()->Skinned());
  EXPECT_EQ(edit->BoundLabel()->Layout(), skin::sclTopLeft);
  EXPECT_FALSE(edit->BoundLabel()->Active());
  auto* box = dynamic_cast<skin::TSkinDBComboBox*>(root.FindComponent("SportBox"));
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->SkinData()->SkinSection(), "COMBOBOX");
  EXPECT_EQ(box->Alignment(), toolkit::taCenter);
  EXPECT_TRUE(box->ReadOnly());
  EXPECT_TRUE(TSkinEdit(nullptr).DisabledKind() == skin::TSkinDisabledKind{skin::dkBlended});
}

}  // namespace
