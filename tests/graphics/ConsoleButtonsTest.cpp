// START, PLACE, the F-key buttons and the place entries in the real console
// on the headless screen: where they sit, how they answer the mouse, the
// keyboard and the Tab key.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "app/ConsoleWindow.h"
#include "app/Program.h"
#include "graphics/ColorSpeedButton.h"
#include "graphics/ExtEdit.h"
#include "platform/dialog/MessageBox.h"
#include "platform/testing/HeadlessScreen.h"
#include "platform/testing/MessageBoxAnswers.h"
#include "toolkit/Application.h"
#include "toolkit/SpeedButton.h"

using namespace app;
using graphics::TColorSpeedButton;
using graphics::TExtEdit;
namespace p = platform;
namespace tk = toolkit;

class ConsoleButtons : public ::testing::Test {
 protected:
  void SetUp() override {
    screen = &p::UseHeadlessScreen();
    RegisterClasses();
    p::AnswerMessageBoxes(*screen, [](const p::MessageBoxInfo& box) {
      return box.ids.empty() ? p::IDOK : box.ids.front();
    });
    application = std::make_unique<tk::TApplication>();
    ASSERT_TRUE(CreateWindows());
    Main->Show();
    Flush();
  }
  void TearDown() override {
    application.reset();
    p::AnswerMessageBoxes(*screen, nullptr);
  }
  void Flush() {
    application->ProcessMessages();
    screen->Pump();
  }
  template <class T>
  T* Find(const std::string& name) {
    return dynamic_cast<T*>(Main->FindComponent(name));
  }
  std::uint32_t At(tk::TControl* c, int x, int y) {
    const p::POINT s = c->ClientToScreen(p::POINT{x, y});
    return screen->ScreenPixel(s.x, s.y) & 0xFFFFFF;
  }
  static std::uint32_t Rgb(tk::TColor c) {
    const p::COLORREF v = p::ResolveColor(tk::ColorToRGB(c));
    return (v & 0xFF) << 16 | (v & 0xFF00) | (v >> 16 & 0xFF);
  }

  p::HeadlessScreen* screen = nullptr;
  std::unique_ptr<tk::TApplication> application;
};

TEST_F(ConsoleButtons, SitWhereTheLayoutPutsThem) {
  auto* start = Find<TColorSpeedButton>("ColorSpeedButton1");
  auto* place = Find<TColorSpeedButton>("ColorSpeedButton2");
  ASSERT_TRUE(start && place);
  EXPECT_EQ(start->BoundsRect(), (p::RECT{624, 360, 697, 389}));
  EXPECT_EQ(place->BoundsRect(), (p::RECT{708, 360, 781, 389}));
  EXPECT_EQ(start->Caption(), "START");
  EXPECT_EQ(place->Caption(), "PLACE");
  EXPECT_EQ(start->Color(), tk::clLime);
  EXPECT_EQ(place->Color(), tk::TColor(0x00F0CAA6));
  EXPECT_EQ(start->Font()->Height(), -16);
  EXPECT_TRUE(start->Font()->Style().Contains(tk::fsBold));
  EXPECT_TRUE(start->HotTrackFont()->Style().Empty());
  EXPECT_FALSE(start->HotTrack());

  const int keyTops[] = {9, 47, 84, 122, 159, 197, 234, 272, 309, 347};
  const char* keyNames[] = {"SpeedButton1",  "SpeedButton2", "SpeedButton4", "SpeedButton3",
                            "SpeedButton6",  "SpeedButton7", "SpeedButton8", "SpeedButton5",
                            "SpeedButton10", "SpeedButton9"};
  const int entryTops[] = {11, 48, 85, 123, 160, 198, 235, 273, 310, 348};
  auto* board = Main->FindComponent("PixelImage1");
  for (int lane = 0; lane < 10; ++lane) {
    SCOPED_TRACE(lane + 1);
    auto* key = Find<tk::TSpeedButton>(keyNames[lane]);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->Parent(), board);
    EXPECT_EQ(key->BoundsRect(), (p::RECT{322, keyTops[lane], 353, keyTops[lane] + 25}));
    EXPECT_EQ(key->Caption(), "F" + std::to_string(lane + 1));
    EXPECT_TRUE(key->Flat());
    EXPECT_TRUE(key->Transparent());
    EXPECT_EQ(key->Font()->Color(), tk::clRed);

    auto* entry = Find<TExtEdit>("ExtEdit" + std::to_string(lane + 1));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->Parent(), board);
    EXPECT_EQ(entry->BoundsRect(), (p::RECT{449, entryTops[lane], 518, entryTops[lane] + 22}));
    EXPECT_EQ(entry->Text(), "-");
    EXPECT_EQ(entry->Alignment(), tk::taCenter);
    EXPECT_EQ(entry->CharCase(), tk::ecUpperCase);
    EXPECT_EQ(entry->BorderStyle(), tk::bsNone);
    EXPECT_EQ(entry->BevelKind(), graphics::bkFlat);
    EXPECT_EQ(entry->TabStop(), lane >= 8);
    EXPECT_EQ(entry->TabOrder(), lane);
    EXPECT_EQ(entry->ClientWidth(), 65);
    EXPECT_EQ(entry->ClientHeight(), 18);
  }
}

TEST_F(ConsoleButtons, TabReachesOnlyTheHiddenLanes) {
  auto* nine = Find<TExtEdit>("ExtEdit9");
  auto* ten = Find<TExtEdit>("ExtEdit10");
  ASSERT_TRUE(nine && ten);
  EXPECT_TRUE(nine->Focused());
  screen->KeyPress(p::VK_TAB);
  Flush();
  EXPECT_TRUE(ten->Focused());
  for (int i = 1; i <= 8; ++i) {
    screen->KeyPress(p::VK_TAB);
    Flush();
    for (int lane = 1; lane <= 8; ++lane)
      EXPECT_FALSE(Find<TExtEdit>("ExtEdit" + std::to_string(lane))->Focused());
  }
}

TEST_F(ConsoleButtons, StartPressesAndClicksOnReleaseJustBelow) {
  auto* start = Find<TColorSpeedButton>("ColorSpeedButton1");
  ASSERT_NE(start, nullptr);
  int clicks = 0;
  start->OnClick = [&](component::TObject*) { ++clicks; };
  const std::uint32_t frame = Rgb(tk::clWindowFrame);
  const std::uint32_t restTop = At(start, 10, 0);
  EXPECT_EQ(restTop, 0x40FF40u);
  // Hovering changes nothing: no hot tracking.
  screen->MouseMove(start->ClientToScreen(p::POINT{30, 10}));
  Flush();
  EXPECT_EQ(At(start, 10, 0), restTop);
  EXPECT_EQ(At(start, 72, 10), frame);

  screen->MouseDown(start->ClientToScreen(p::POINT{30, 10}));
  Flush();
  EXPECT_EQ(At(start, 10, 0), frame);
  EXPECT_EQ(At(start, 72, 10), 0x40FF40u);
  EXPECT_EQ(At(start, 10, 1), 0x00BF00u);
  if (const char* dir = std::getenv("SPRINTARA_SHOT_DIR"))
    screen->CaptureScreen(std::string(dir) + "/console-start-pressed.png");
  screen->MouseUp(start->ClientToScreen(p::POINT{30, 29}));
  Flush();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(At(start, 10, 0), 0x40FF40u);
  EXPECT_EQ(At(start, 72, 10), frame);
}

TEST_F(ConsoleButtons, FKeyShowsAnEdgeOnlyUnderTheMouse) {
  auto* key = Find<tk::TSpeedButton>("SpeedButton1");
  ASSERT_NE(key, nullptr);
  const std::uint32_t topLeft = At(key, 10, 0), bottomRight = At(key, 30, 24);
  const std::uint32_t light = Rgb(tk::clBtnHighlight), dark = Rgb(tk::clBtnShadow);
  ASSERT_NE(topLeft, light);

  screen->MouseMove(key->ClientToScreen(p::POINT{15, 12}));
  Flush();
  EXPECT_EQ(At(key, 10, 0), light);
  EXPECT_EQ(At(key, 30, 24), dark);

  screen->MouseDown(key->ClientToScreen(p::POINT{15, 12}));
  Flush();
  EXPECT_EQ(At(key, 10, 0), dark);
  EXPECT_EQ(At(key, 30, 24), light);
  if (const char* dir = std::getenv("SPRINTARA_SHOT_DIR"))
    screen->CaptureScreen(std::string(dir) + "/console-fkey-pressed.png");
  screen->MouseUp(key->ClientToScreen(p::POINT{15, 12}));
  Flush();
  EXPECT_EQ(At(key, 10, 0), light);

  // Leaving shows the lane picture again.
  screen->MouseMove(key->ClientToScreen(p::POINT{-150, 12}));
  Flush();
  EXPECT_EQ(At(key, 10, 0), topLeft);
  EXPECT_EQ(At(key, 30, 24), bottomRight);
}

TEST_F(ConsoleButtons, TypingIntoAPlaceEntryGivesCapitals) {
  auto* entry = Find<TExtEdit>("ExtEdit1");
  ASSERT_NE(entry, nullptr);
  screen->Click(entry->ClientToScreen(p::POINT{30, 8}));
  Flush();
  entry->SelectAll();
  screen->TypeText("1a");
  Flush();
  EXPECT_EQ(entry->Text(), "1A");
}
