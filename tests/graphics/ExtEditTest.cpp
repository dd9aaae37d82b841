// The extended edit: the lane entry's look (bevel, centred capitals), the
// shared context menu's enabling rules, clipboard commands, the pixel limit,
// the placeholder and the disabled colours.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "GraphicsFixture.h"
#include "graphics/ExtEdit.h"
#include "platform/controls/Controls.h"
#include "platform/controls/EditMenuCaption.h"
#include "platform/menu/Menu.h"

using namespace graphics;
namespace p = platform;
namespace tk = toolkit;

class ExtEditTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    edit = new TExtEdit(form);
    edit->SetParent(form);
    edit->SetBounds(20, 20, 69, 22);
    edit->SetAutoSize(false);
    edit->SetAlignment(tk::taCenter);
    edit->SetCharCase(tk::ecUpperCase);
    edit->SetBorderStyle(tk::bsNone);
    edit->SetBevelKind(bkFlat);
    edit->Font()->SetName("Arial");
    edit->Font()->SetHeight(-16);
    edit->SetText("-");
    form->Show();
    Flush();
  }
  // Opens the context menu with a right click and reads which items are on.
  std::vector<bool> MenuStates() {
    screen->SetIdleHandler([] {
      if (!p::GetTrackedMenu()) return false;
      p::EndMenu();
      return true;
    });
    screen->Click(edit->ClientToScreen(p::POINT{30, 8}), 1);
    Flush();
    screen->SetIdleHandler(nullptr);
    std::vector<bool> on;
    for (int i = 0; i < TEditContextMenu::ItemCount; ++i)
      on.push_back(EditContextMenu().Enabled(TEditContextMenu::Item(i)));
    return on;
  }

  TExtEdit* edit = nullptr;
};

TEST_F(ExtEditTest, Defaults) {
  TExtEdit e(nullptr);
  EXPECT_EQ(e.BevelKind(), bkNone);
  EXPECT_EQ(e.BevelInner(), bvRaised);
  EXPECT_EQ(e.BevelOuter(), bvLowered);
  EXPECT_EQ(e.ClipboardCommands(), (TClipboardCommands{caCopy, caCut, caPaste, caUndo}));
  EXPECT_TRUE(e.UseFixedPopup());
  EXPECT_EQ(e.DisabledColor(), tk::clWindow);
  EXPECT_EQ(e.DisabledTextColor(), tk::clGrayText);
  EXPECT_EQ(e.EmptyFontColor(), tk::clGrayText);
  EXPECT_EQ(e.GroupIndex(), -1);
  EXPECT_EQ(e.MaxPixel()->Length(), 0);
  EXPECT_FALSE(e.ReadOnly());
}

TEST_F(ExtEditTest, FlatBevelLeavesA65By18TextArea) {
  EXPECT_EQ(edit->BevelWidths(), (p::RECT{2, 2, 2, 2}));
  EXPECT_EQ(edit->ClientWidth(), 65);
  EXPECT_EQ(edit->ClientHeight(), 18);
  p::RECT client{};
  p::GetClientRect(edit->Handle(), &client);
  EXPECT_EQ(client.right - client.left, 65);
  EXPECT_EQ(client.bottom - client.top, 18);
  // The bevel's outer line is drawn in the window's own picture.
  const p::POINT corner = edit->ClientToScreen(p::POINT{0, 0});
  EXPECT_EQ(screen->ScreenPixel(corner.x - 2 + 10, corner.y - 2) & 0xFFFFFF,
            screen->ScreenPixel(corner.x - 2, corner.y - 2 + 10) & 0xFFFFFF);
  EXPECT_NE(screen->ScreenPixel(corner.x + 10, corner.y - 2) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(ExtEditTest, TypedLettersBecomeCapitalsCentred) {
  edit->SetFocus();
  edit->SelectAll();
  screen->TypeText("1a");
  Flush();
  EXPECT_EQ(edit->Text(), "1A");
  // The ink sits around the middle of the text area.
  int left = 65, right = -1;
  for (int y = 0; y < 18; ++y)
    for (int x = 0; x < 65; ++x)
      if ((At(edit, x, y) & 0xFF) < 0x80) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
  ASSERT_LE(left, right);
  EXPECT_NEAR((left + right) / 2, 65 / 2, 3);
}

TEST_F(ExtEditTest, ContextMenuEnablesByTheRules) {
  edit->SetFocus();
  edit->SetSelStart(1);
  // Undo, Cut, Copy, Paste, Delete, Select All.
  EXPECT_EQ(MenuStates(), (std::vector<bool>{false, false, false, true, false, true}));
  screen->TypeText("7");
  Flush();
  edit->SelectAll();
  EXPECT_EQ(MenuStates(), (std::vector<bool>{true, true, true, true, true, false}));
  // Without Undo and Paste in the allowed commands those stay grey.
  edit->SetClipboardCommands(TClipboardCommands{caCopy, caCut});
  EXPECT_EQ(MenuStates(), (std::vector<bool>{false, true, true, false, true, false}));
  EXPECT_EQ(EditContextMenu().Caption(TEditContextMenu::SelectAll),
            platform::EditMenuCaption(platform::IDM_EDIT_SELECTALL));
}

TEST_F(ExtEditTest, CopyOnlyMakesTheEntryReadOnly) {
  edit->SetClipboardCommands(TClipboardCommands{caCopy});
  EXPECT_TRUE(edit->ReadOnly());
  edit->SelectAll();
  EXPECT_EQ(MenuStates(), (std::vector<bool>{false, false, true, false, false, false}));
  // A paste message is refused when Paste is not allowed.
  edit->SetReadOnly(false);
  edit->SetClipboardCommands(TClipboardCommands{caCopy, caCut});
  p::SendMessage(edit->Handle(), p::WM_PASTE, 0, 0);
  EXPECT_EQ(edit->Text(), "-");
}

TEST_F(ExtEditTest, MaxPixelCutsTheTextAfterAChange) {
  int changes = 0;
  edit->OnChange = [&](component::TObject*) { ++changes; };
  edit->MaxPixel()->SetLength(30);
  edit->SetFocus();
  edit->SelectAll();
  screen->TypeText("WWWWWWWW");
  Flush();
  EXPECT_LT(edit->Text().size(), 8u);
  EXPECT_FALSE(edit->Text().empty());
  EXPECT_GT(changes, 0);
}

TEST_F(ExtEditTest, PlaceholderAndDisabledColours) {
  edit->SetEmptyValue("none");
  edit->SetEmptyFontColor(tk::clRed);
  edit->SetText("");
  form->SetFocus();
  Flush();
  int red = 0;
  for (int y = 0; y < 18; ++y)
    for (int x = 0; x < 65; ++x) red += At(edit, x, y) == 0xFF0000;
  EXPECT_GT(red, 5);

  edit->SetEmptyValue("");
  edit->SetText("-");
  edit->SetDisabledColor(tk::clYellow);
  edit->SetEnabled(false);
  Flush();
  EXPECT_EQ(At(edit, 3, 3), 0xFFFF00u);
}

TEST_F(ExtEditTest, DisabledTextTakesItsColourWhereTheAlignmentPutsIt) {
  edit->SetText("MM");
  Flush();
  // Where the enabled entry puts its (black on white) text.
  int inkLeft = 65, inkRight = -1;
  for (int y = 0; y < 18; ++y)
    for (int x = 0; x < 65; ++x)
      if ((At(edit, x, y) & 0xFF) < 0x80) {
        inkLeft = std::min(inkLeft, x);
        inkRight = std::max(inkRight, x);
      }
  edit->SetDisabledColor(tk::clYellow);
  edit->SetDisabledTextColor(tk::clRed);
  edit->SetEnabled(false);
  Flush();
  if (const char* dir = std::getenv("SPRINTARA_SHOT_DIR"))
    screen->CaptureWindow(form->Handle(), std::string(dir) + "/ext-edit-disabled.png");
  // Red on yellow keeps full red and no blue in every pixel, smoothed edges
  // included; any other ink (the platform's grey) breaks that.
  int left = 65, right = -1, other = 0;
  for (int y = 0; y < 18; ++y)
    for (int x = 0; x < 65; ++x) {
      const std::uint32_t c = At(edit, x, y);
      if ((c >> 16) != 0xFF || (c & 0xFF) != 0) {
        ++other;
      } else if ((c >> 8 & 0xFF) < 0x80) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
    }
  EXPECT_EQ(other, 0);
  ASSERT_LE(left, right);
  EXPECT_NEAR(left + right, 64, 3);  // centred
  EXPECT_NEAR(left, inkLeft, 1);
  EXPECT_NEAR(right, inkRight, 1);
  // Enabled again: the window colours are back.
  edit->SetEnabled(true);
  Flush();
  EXPECT_EQ(At(edit, 3, 3), 0xFFFFFFu);
}
