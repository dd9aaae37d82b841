// The race console as the operator meets it: its layout, the tab order into
// the hidden lanes, the upper-case place entries, controls that change
// nothing but themselves, and the competitors dialog opened from the menu.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "ProgramFixture.h"
#include "app/CompetitorsDialog.h"
#include "app/ConsoleWindow.h"
#include "graphics/ExtEdit.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/Window.h"
#include "toolkit/Button.h"
#include "toolkit/ComboBox.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Label.h"
#include "toolkit/Screen.h"

using namespace app;
namespace p = platform;

namespace {

template <class T>
T* Find(const char* name) {
  return dynamic_cast<T*>(Main->FindComponent(name));
}

struct Place {
  const char* name;
  const char* className;
  int left, top, width, height;
  const char* text;
};

// The console's controls as they are laid out (parents' client coordinates).
const Place kPlaces[] = {
    {"skGroupBox1", "TSkinGroupBox", 4, 52, 253, 49, "Round Setup"},
    {"skGroupBox2", "TSkinGroupBox", 4, 104, 253, 253, "TV Output"},
    {"skButton1", "TSkinButton", 8, 16, 75, 25, "New"},
    {"skButton2", "TSkinButton", 90, 16, 75, 25, "Edit"},
    {"skButton3", "TSkinButton", 172, 16, 75, 25, "Reset"},
    {"TvImg", "TPixelImage", 26, 20, 200, 150, ""},
    {"skComboBox1", "TSkinComboBox", 8, 176, 49, 21, "4:3"},
    {"skComboBox2", "TSkinComboBox", 60, 176, 185, 21, "Black Screen"},
    {"skLabel1", "TSkinLabel", 72, 11, 250, 22, "Rex (Malenko, Boris)"},
    {"skLabel2", "TSkinLabel", 72, 48, 250, 22, "Sharik (Sokolov, Pavel)"},
    {"skLabel4", "TSkinLabel", 72, 85, 250, 22, "-"},
    {"skLabel3", "TSkinLabel", 72, 123, 250, 22, "-"},
    {"skLabel8", "TSkinLabel", 72, 160, 250, 22, "-"},
    {"skLabel7", "TSkinLabel", 72, 197, 250, 22, "-"},
    {"skLabel6", "TSkinLabel", 72, 235, 250, 22, "-"},
    {"skLabel5", "TSkinLabel", 72, 272, 250, 22, "-"},
    {"skLabel10", "TSkinLabel", 72, 310, 250, 22, "skLabel1"},
    {"skLabel9", "TSkinLabel", 72, 347, 250, 22, "skLabel1"},
};

}  // namespace

TEST_F(Program, ConsoleLayoutHasEverySkinnedControlInPlace) {
  for (const Place& pl : kPlaces) {
    SCOPED_TRACE(pl.name);
    auto* c = Find<toolkit::TControl>(pl.name);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->ClassName(), pl.className);
    EXPECT_EQ(c->Left(), pl.left);
    EXPECT_EQ(c->Top(), pl.top);
    EXPECT_EQ(c->Width(), pl.width);
    EXPECT_EQ(c->Height(), pl.height);
    EXPECT_EQ(c->Text(), pl.text);
  }
  for (const char* name : {"skLabel1", "skLabel9"}) {
    auto* label = Find<toolkit::TLabel>(name);
    EXPECT_EQ(label->Parent(), Find<toolkit::TWinControl>("PixelImage1"));
    EXPECT_EQ(label->Font()->Name(), "Arial");
    EXPECT_EQ(label->Font()->Height(), -19);
    EXPECT_EQ(label->Font()->Color(), p::RGB(0, 255, 0));
    EXPECT_TRUE(label->Transparent());
    EXPECT_FALSE(label->AutoSize());
  }
  EXPECT_EQ(Find<toolkit::TControl>("skButton2")->Parent(), Find<toolkit::TControl>("skGroupBox1"));
  EXPECT_EQ(Find<toolkit::TControl>("skComboBox2")->Parent(),
            Find<toolkit::TControl>("skGroupBox2"));
  auto* screens = Find<toolkit::TCustomComboBox>("skComboBox2");
  ASSERT_EQ(screens->Items()->Count(), 10);
  EXPECT_EQ(screens->Items()->Strings(5), "False Start / Dog");
  EXPECT_EQ(screens->Items()->Strings(9), "Kelvaro Logo");
  EXPECT_EQ(screens->Style(), toolkit::csDropDownList);
  EXPECT_EQ(screens->ItemHeight(), 13);
  EXPECT_EQ(Find<toolkit::TCustomComboBox>("skComboBox1")->Items()->Count(), 2);
  EXPECT_NE(Main->FindComponent("skGridAdapter1"), nullptr);
  EXPECT_NE(Main->FindComponent("SkinProvider"), nullptr);
}

TEST_F(Program, TabGoesThroughTheHiddenLanesFirst) {
  Main->Show();
  screen->Run(200);
  auto* lane9 = Find<toolkit::TWinControl>("ExtEdit9");
  // The first tab stop holds the focus at start, though it lies below the
  // board's visible part.
  EXPECT_TRUE(lane9->Focused());
  auto* board = Find<toolkit::TWinControl>("PixelImage1");
  EXPECT_GE(lane9->Top(), board->Height());
  EXPECT_GE(Find<toolkit::TControl>("skLabel9")->Top(), board->Height());
  const std::vector<const char*> order = {"ExtEdit10",   "skButton1",   "skButton2", "skButton3",
                                          "skComboBox1", "skComboBox2", "ExtEdit9"};
  for (const char* name : order) {
    screen->KeyPress(p::VK_TAB);
    screen->Run(20);
    EXPECT_TRUE(Find<toolkit::TWinControl>(name)->Focused()) << name;
  }
  // A bigger window leaves the board as it was: lanes 9 and 10 stay hidden.
  p::ShowWindow(Main->Handle(), p::SW_MAXIMIZE);
  screen->Run(50);
  EXPECT_EQ(board->Height(), 305);
  EXPECT_EQ(board->Width(), 527);
}

TEST_F(Program, PlaceEntriesTurnLettersIntoCapitals) {
  Main->Show();
  screen->Run(200);
  auto* entry = Find<graphics::TCustomExtEdit>("ExtEdit3");
  entry->SetFocus();
  entry->SetText("");
  screen->TypeText("ab1");
  screen->Run(20);
  EXPECT_EQ(entry->Text(), "AB1");
}

TEST_F(Program, InertControlsChangeNothingButThemselves) {
  Main->Show();
  screen->Run(300);
  auto texts = [] {
    std::vector<std::string> all;
    for (int i = 0; i < Main->ComponentCount(); ++i)
      if (auto* c = dynamic_cast<toolkit::TControl*>(Main->Components(i)))
        if (c != Main->lblTime) all.push_back(c->Name() + "=" + c->Text());
    return all;
  };
  const auto before = texts();
  const int competitors = Main->Table_Competitors->RecordCount();
  const int results = Main->Table_Results->RecordCount();
  auto click = [&](const char* name) {
    auto* c = Find<toolkit::TControl>(name);
    p::RECT r{};
    p::GetWindowRect(c->Parent()->Handle(), &r);
    screen->Click(
        p::POINT{r.left + c->Left() + c->Width() / 2, r.top + c->Top() + c->Height() / 2});
    screen->Run(50);
  };
  for (const char* name : {"ColorSpeedButton1", "ColorSpeedButton2", "skButton1", "skButton2",
                           "skButton3", "SpeedButton1", "SpeedButton5"})
    click(name);
  EXPECT_EQ(texts(), before);
  // Choosing another entry changes only the list itself.
  auto* ratio = Find<toolkit::TCustomComboBox>("skComboBox1");
  ratio->SetFocus();
  screen->KeyPress(p::VK_DOWN);
  screen->Run(50);
  EXPECT_EQ(ratio->Text(), "16:9");
  auto after = texts();
  for (auto& t : after)
    if (t.rfind("skComboBox1=", 0) == 0) t = "skComboBox1=4:3";
  EXPECT_EQ(after, before);
  EXPECT_EQ(Main->Table_Competitors->RecordCount(), competitors);
  EXPECT_EQ(Main->Table_Results->RecordCount(), results);
  EXPECT_FALSE(Competitors->Visible());
  EXPECT_EQ(toolkit::Screen->FormCount(), 2);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(Program, MenuCommandOpensTheDialogModally) {
  Main->Show();
  screen->Run(200);
  bool shownModal = false;
  Competitors->OnShow = [&](component::TObject*) {
    shownModal = !p::IsWindowEnabled(Main->Handle());
    Competitors->Close();
  };
  Main->mi_Competitors->Click();
  EXPECT_TRUE(shownModal);
  EXPECT_FALSE(Competitors->Visible());
  EXPECT_TRUE(p::IsWindowEnabled(Main->Handle()));
  EXPECT_EQ(Main->mi_Competitors->ShortCut(), 16452);
}

TEST_F(Program, SkinRemovedAndRestoredGivesTheSamePictureBack) {
  Main->Show();
  screen->Run(300);  // before the clock's first tick
  const p::SurfaceBuffer before = screen->Screen();
  Main->SkinManager->SetActive(false);
  screen->Run(50);
  p::SurfaceBuffer plain = screen->Screen();
  Main->SkinManager->SetActive(true);
  screen->Run(50);
  const p::SurfaceBuffer after = screen->Screen();
  ASSERT_EQ(after.Width(), before.Width());
  int changed = 0, differ = 0;
  for (int y = 0; y < before.Height(); ++y)
    for (int x = 0; x < before.Width(); ++x) {
      changed += (plain.At(x, y) & 0xFFFFFF) != (before.At(x, y) & 0xFFFFFF);
      differ += (after.At(x, y) & 0xFFFFFF) != (before.At(x, y) & 0xFFFFFF);
    }
  EXPECT_GT(changed, 10000);  // the plain look is another picture
  EXPECT_EQ(differ, 0);
  if (differ && std::getenv("CONSOLE_DUMP")) {
    screen->CaptureScreen(std::string(std::getenv("CONSOLE_DUMP")) + "/restored.png");
    p::WritePng(std::string(std::getenv("CONSOLE_DUMP")) + "/plain.png", plain.View());
  }
}
