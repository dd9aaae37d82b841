// Which context menu a lane entry shows: the shared EditContextMenu in the
// platform's language, a popup menu of its own, or the platform edit's.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "GraphicsFixture.h"
#include "graphics/ExtEdit.h"
#include "platform/base/Codepage.h"
#include "platform/controls/Controls.h"
#include "platform/menu/Menu.h"
#include "toolkit/PopupMenu.h"

using namespace graphics;
namespace p = platform;
namespace tk = toolkit;

namespace {

// LANG for one test, with LC_ALL and LC_MESSAGES out of the way.
class Language {
 public:
  explicit Language(const char* lang) {
    for (int i = 0; i < 3; ++i) {
      const char* old = std::getenv(kNames[i]);
      if (old) saved_[i] = old;
      unsetenv(kNames[i]);
    }
    setenv("LANG", lang, 1);
  }
  ~Language() {
    for (int i = 0; i < 3; ++i) {
      if (saved_[i])
        setenv(kNames[i], saved_[i]->c_str(), 1);
      else
        unsetenv(kNames[i]);
    }
  }

 private:
  static constexpr const char* kNames[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  std::optional<std::string> saved_[3];
};

}  // namespace

class ExtEditPopupTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    edit = new TExtEdit(form);
    edit->SetParent(form);
    edit->SetBounds(20, 20, 69, 22);
    edit->SetBorderStyle(tk::bsNone);
    edit->SetBevelKind(bkFlat);
    edit->SetText("-");
    form->Show();
    Flush();
  }
  struct Shown {
    std::vector<std::string> captions;
    std::vector<bool> enabled;
  };
  // What the menu that opens during `open` shows; it is closed unused.
  Shown WhileOpen(const std::function<void()>& open, const std::string& picture = "") {
    Shown shown;
    screen->SetIdleHandler([&] {
      const p::HMENU m = p::GetTrackedMenu();
      if (!m) return false;
      for (int i = 0; i < p::GetMenuItemCount(m); ++i) {
        char text[64] = {};
        p::GetMenuString(m, p::UINT(i), text, sizeof text, p::MF_BYPOSITION);
        shown.captions.push_back(text);
        shown.enabled.push_back(!(p::GetMenuState(m, p::UINT(i), p::MF_BYPOSITION) & p::MF_GRAYED));
      }
      if (!picture.empty()) screen->CaptureScreen(::testing::TempDir() + picture);
      p::EndMenu();
      return true;
    });
    open();
    Flush();
    screen->SetIdleHandler(nullptr);
    return shown;
  }
  Shown RightClick() {
    return WhileOpen([&] { screen->Click(edit->ClientToScreen(p::POINT{20, 8}), 1); });
  }

  TExtEdit* edit = nullptr;
};

TEST_F(ExtEditPopupTest, TheSharedMenuTakesThePlatformsCaptions) {
  Language german("de_DE.UTF-8");
  TEditContextMenu menu;  // as the shared one is before it first opens
  EXPECT_EQ(menu.Caption(TEditContextMenu::Undo), "&Undo");
  const p::POINT at = edit->ClientToScreen(p::POINT{0, 22});
  Shown shown = WhileOpen([&] { menu.Popup(*edit, at.x, at.y); }, "sprintara-ext-edit-menu-de.png");
  const std::vector<std::string> german_captions{p::Utf8ToCp1252("&Rückgängig"),
                                                 "",
                                                 "&Ausschneiden",
                                                 "&Kopieren",
                                                 p::Utf8ToCp1252("E&infügen"),
                                                 p::Utf8ToCp1252("&Löschen"),
                                                 "",
                                                 "Alles &markieren"};
  EXPECT_EQ(shown.captions, german_captions);
  // Caption() reports what is shown.
  EXPECT_EQ(menu.Caption(TEditContextMenu::Undo), german_captions[0]);
  EXPECT_EQ(menu.Caption(TEditContextMenu::Paste), german_captions[4]);
  EXPECT_EQ(menu.Caption(TEditContextMenu::SelectAll), "Alles &markieren");
  // The German mnemonic runs the command.
  screen->KeyPress('M');
  menu.Popup(*edit, at.x, at.y);
  EXPECT_EQ(edit->SelLength(), 1);
}

TEST_F(ExtEditPopupTest, AnEntryWithItsOwnPopupMenuShowsThatOne) {
  // Told apart by Paste: the shared menu greys it when the entry does not
  // allow it, the platform edit's menu does not know that rule.
  edit->SetClipboardCommands(TClipboardCommands{caCopy, caCut});
  const int paste = 4;
  Shown shared = RightClick();
  ASSERT_EQ(shared.captions.size(), 8u);
  EXPECT_FALSE(shared.enabled[paste]);

  auto* own = new tk::TPopupMenu(form);
  auto* lane = new tk::TMenuItem(form);
  lane->SetCaption("&Lane");
  own->Items()->Add(lane);
  int popups = 0;
  own->OnPopup = [&](component::TObject*) { ++popups; };
  edit->SetPopupMenu(own);
  EXPECT_EQ(RightClick().captions, (std::vector<std::string>{"&Lane"}));
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(own->PopupComponent(), edit);
  // From the keyboard too, at the entry's corner.
  Shown keyed = WhileOpen([&] {
    p::SendMessage(edit->Handle(), p::WM_CONTEXTMENU, p::WPARAM(edit->Handle().value), -1);
  });
  EXPECT_EQ(keyed.captions, (std::vector<std::string>{"&Lane"}));
  EXPECT_EQ(own->PopupPoint(), edit->ClientToScreen(p::POINT{0, 0}));

  // The menu freed: the shared one is back; without the fixed menu the
  // platform edit's own shows.
  delete own;
  EXPECT_EQ(edit->PopupMenu(), nullptr);
  EXPECT_FALSE(RightClick().enabled[paste]);
  edit->SetUseFixedPopup(false);
  Shown platform_menu = RightClick();
  ASSERT_EQ(platform_menu.captions.size(), 8u);
  EXPECT_TRUE(platform_menu.enabled[paste]);
}
