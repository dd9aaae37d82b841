// The edit context menu's captions in the user interface language: which
// variable decides, the texts of each language, and the edit's own menu
// showing them.
#include <cctype>
#include <cstdlib>
#include <optional>
#include <set>

#include "ControlTestSupport.h"
#include "platform/base/Codepage.h"
#include "platform/controls/EditMenuCaption.h"
#include "platform/menu/Menu.h"

namespace platform::test {
namespace {

constexpr UINT kCommands[] = {IDM_EDIT_UNDO,  IDM_EDIT_CUT,    IDM_EDIT_COPY,
                              IDM_EDIT_PASTE, IDM_EDIT_DELETE, IDM_EDIT_SELECTALL};

// Sets the locale variables for one test and puts the old ones back.
class LocaleVariables {
 public:
  LocaleVariables(const char* all, const char* messages, const char* lang) {
    for (int i = 0; i < 3; ++i) {
      const char* old = std::getenv(kNames[i]);
      saved_[i] = old ? std::optional<std::string>(old) : std::nullopt;
    }
    Set(all, messages, lang);
  }
  ~LocaleVariables() {
    for (int i = 0; i < 3; ++i) Put(kNames[i], saved_[i] ? saved_[i]->c_str() : nullptr);
  }
  void Set(const char* all, const char* messages, const char* lang) {
    Put("LC_ALL", all);
    Put("LC_MESSAGES", messages);
    Put("LANG", lang);
  }

 private:
  static void Put(const char* name, const char* value) {
    if (value)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  static constexpr const char* kNames[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  std::optional<std::string> saved_[3];
};

TEST(EditMenuCaption, TheFirstVariableSetNamesTheLanguage) {
  LocaleVariables env(nullptr, nullptr, nullptr);
  EXPECT_EQ(UserInterfaceLanguage(), "en");
  env.Set(nullptr, nullptr, "de_DE.UTF-8");
  EXPECT_EQ(UserInterfaceLanguage(), "de");
  env.Set(nullptr, "fr_CA@euro", "de_DE.UTF-8");
  EXPECT_EQ(UserInterfaceLanguage(), "fr");
  env.Set("it_IT", "fr_FR", "de_DE");
  EXPECT_EQ(UserInterfaceLanguage(), "it");
  // An empty variable counts as unset; "C" and "POSIX" as English, even
  // above a LANG of another language.
  env.Set("", "", "NL_nl.ISO-8859-1");
  EXPECT_EQ(UserInterfaceLanguage(), "nl");
  env.Set("C", nullptr, "de_DE.UTF-8");
  EXPECT_EQ(UserInterfaceLanguage(), "en");
  env.Set(nullptr, "POSIX", "es_ES");
  EXPECT_EQ(UserInterfaceLanguage(), "en");
  env.Set(nullptr, nullptr, "C.UTF-8");
  EXPECT_EQ(UserInterfaceLanguage(), "en");
}

TEST(EditMenuCaption, GermanTextsAndTheEnglishFallback) {
  LocaleVariables env(nullptr, nullptr, "de_DE.UTF-8");
  // Written here in UTF-8; the window system's text is Windows-1252.
  EXPECT_EQ(EditMenuCaption(IDM_EDIT_UNDO), Utf8ToCp1252("&Rückgängig"));
  EXPECT_EQ(EditMenuCaption(IDM_EDIT_PASTE), Utf8ToCp1252("E&infügen"));
  EXPECT_EQ(EditMenuCaption(IDM_EDIT_DELETE), Utf8ToCp1252("&Löschen"));
  EXPECT_EQ(EditMenuCaption(IDM_EDIT_SELECTALL), "Alles &markieren");
  EXPECT_EQ(EditMenuCaption(IDM_EDIT_UNDO).size(), 11u);  // one byte per letter

  env.Set("C", nullptr, nullptr);
  EXPECT_EQ(EditMenuCaption(IDM_EDIT_UNDO), "&Undo");
  EXPECT_EQ(EditMenuCaption(IDM_EDIT_SELECTALL), "Select &All");
  env.Set(nullptr, nullptr, "xx_YY.UTF-8");  // a language without texts
  EXPECT_EQ(EditMenuCaption(IDM_EDIT_CUT), "Cu&t");
  EXPECT_EQ(EditMenuCaption(IDM_EDIT_COPY, "fr"), "&Copier");
  EXPECT_EQ(EditMenuCaption(IDM_EDIT_SELECTALL, "fr"), Utf8ToCp1252("Sélec&tionner tout"));
  EXPECT_EQ(EditMenuCaption(IDM_EDIT_COPY, "nl"), Utf8ToCp1252("&Kopiëren"));
  EXPECT_EQ(EditMenuCaption(IDM_EDIT_PASTE, "it"), "I&ncolla");
  EXPECT_EQ(EditMenuCaption(IDM_EDIT_UNDO, "es"), "&Deshacer");
  // Not an edit command.
  EXPECT_EQ(EditMenuCaption(0), "");
  EXPECT_EQ(EditMenuCaption(IDM_EDIT_UNDO + 100, "de"), "");
}

// Every language's six captions: one mnemonic each, a letter, none twice;
// text that survives the trip through Unicode (real Windows-1252).
TEST(EditMenuCaption, EachLanguageHasDistinctMnemonics) {
  for (const char* language : {"en", "de", "fr", "es", "it", "nl", "pt"}) {
    SCOPED_TRACE(language);
    std::set<unsigned char> mnemonics;
    for (UINT command : kCommands) {
      const std::string caption = EditMenuCaption(command, language);
      ASSERT_FALSE(caption.empty());
      EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(caption)), caption);
      const auto amp = caption.find('&');
      ASSERT_NE(amp, std::string::npos) << caption;
      EXPECT_EQ(caption.find('&', amp + 1), std::string::npos) << caption;
      ASSERT_LT(amp + 1, caption.size());
      const unsigned char letter = std::toupper(static_cast<unsigned char>(caption[amp + 1]));
      EXPECT_TRUE(letter >= 'A' && letter <= 'Z') << caption;
      EXPECT_TRUE(mnemonics.insert(letter).second) << caption;
    }
    if (std::string(language) != "en") {
      EXPECT_NE(EditMenuCaption(IDM_EDIT_UNDO, language), "&Undo");
    }
  }
}

class EditMenuTest : public ControlTest {
 protected:
  // The captions of the menu the edit shows on a right click.
  std::vector<std::string> ShownCaptions(HWND edit, bool picture = false) {
    std::vector<std::string> shown;
    screen().SetIdleHandler([&] {
      HMENU m = GetTrackedMenu();
      if (!m) return false;
      for (int i = 0; i < GetMenuItemCount(m); ++i) {
        char text[64] = {};
        GetMenuString(m, UINT(i), text, sizeof text, MF_BYPOSITION);
        shown.push_back(text);
      }
      if (picture) screen().CaptureScreen(PicturePath("edit-menu-de"));
      EndMenu();
      return true;
    });
    ClickAt(edit, 20, 8, 1);
    screen().SetIdleHandler(nullptr);
    return shown;
  }
};

TEST_F(EditMenuTest, TheEditsOwnMenuSpeaksTheUserInterfaceLanguage) {
  HWND e = Make(WC_EDIT, "Hund", 0, 20, 20, 160, 22, 1, WS_EX_CLIENTEDGE);
  LocaleVariables env(nullptr, nullptr, "de_DE.UTF-8");
  EXPECT_EQ(ShownCaptions(e, true),
            (std::vector<std::string>{Utf8ToCp1252("&Rückgängig"), "", "&Ausschneiden", "&Kopieren",
                                      Utf8ToCp1252("E&infügen"), Utf8ToCp1252("&Löschen"), "",
                                      "Alles &markieren"}));
  // The mnemonic of the German caption chooses the command.
  screen().Click(ScreenOfClient(e, 20, 8), 1);
  screen().KeyPress('M');  // "Alles &markieren"
  screen().Pump();
  EXPECT_EQ(SendMessage(e, EM_GETSEL, 0, 0), MAKELPARAM(0, 4));

  env.Set(nullptr, nullptr, nullptr);
  EXPECT_EQ(ShownCaptions(e).front(), "&Undo");
}

}  // namespace
}  // namespace platform::test
