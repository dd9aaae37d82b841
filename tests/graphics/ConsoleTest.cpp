// The console's pixel widgets in the real program on the headless screen:
// the title banner, the lane board with its time displays, the clock bar and
// the TV preview, where the console's layout puts them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "app/ConsoleWindow.h"
#include "app/Program.h"
#include "graphics/LcdLabel.h"
#include "graphics/PixelImage.h"
#include "platform/base/DateTime.h"
#include "platform/base/RegionalFormats.h"
#include "platform/dialog/MessageBox.h"
#include "platform/testing/HeadlessScreen.h"
#include "platform/testing/MessageBoxAnswers.h"
#include "toolkit/Application.h"

using namespace app;
using graphics::TLcdLabel;
using graphics::TPixelImage;
namespace p = platform;

class Console : public ::testing::Test {
 protected:
  void SetUp() override {
    screen = &p::UseHeadlessScreen();
    RegisterClasses();
    platform::AnswerMessageBoxes(*screen, [this](const platform::MessageBoxInfo& box) {
      boxes.push_back(box.text);
      return box.ids.empty() ? platform::IDOK : box.ids.front();
    });
    application = std::make_unique<toolkit::TApplication>();
    ASSERT_TRUE(CreateWindows());
    Main->Show();
    screen->Run(1100);  // the first clock tick
    application->ProcessMessages();
    screen->Pump();
  }
  void TearDown() override {
    application.reset();
    platform::AnswerMessageBoxes(*screen, nullptr);
  }
  template <class T>
  T* Find(const char* name) {
    return dynamic_cast<T*>(Main->FindComponent(name));
  }
  // A pixel of the console's client area, as 0xRRGGBB.
  std::uint32_t At(int x, int y) {
    const p::POINT s = Main->ClientToScreen(p::POINT{x, y});
    return screen->ScreenPixel(s.x, s.y) & 0xFFFFFF;
  }
  int Count(const p::RECT& r, std::uint32_t colour) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += At(x, y) == colour;
    return n;
  }

  p::HeadlessScreen* screen = nullptr;
  std::unique_ptr<toolkit::TApplication> application;
  std::vector<std::string> boxes;
};

namespace {
constexpr std::uint32_t kNavy = 0x000080, kLime = 0x00FF00, kWhite = 0xFFFFFF;
constexpr std::uint32_t kGround = 0xE2EBEA;  // 226, 235, 234
// The lane bars' rows in the lane-board picture.
constexpr int kBarTop[] = {5, 43, 81, 118, 155, 193, 231, 268};
}  // namespace

TEST_F(Console, ShowsTheBannerBoardTimesClockAndPreview) {
  if (const char* dir = std::getenv("SPRINTARA_SHOT_DIR"))
    screen->CaptureScreen(std::string(dir) + "/console-graphics.png");
  EXPECT_TRUE(boxes.empty());

  // Title banner: navy across (4, 4, 785, 49) with lime letters.
  auto* banner = Find<TLcdLabel>("LcdLabel12");
  ASSERT_NE(banner, nullptr);
  EXPECT_EQ(banner->BoundsRect(), (p::RECT{4, 4, 785, 49}));
  EXPECT_EQ(At(5, 5), kNavy);
  EXPECT_EQ(At(783, 47), kNavy);
  EXPECT_GT(Count(p::RECT{150, 10, 640, 44}, kLime), 300);

  // Lane board at (260, 52), 527 x 305, showing the picture's top rows.
  auto* board = Find<TPixelImage>("PixelImage1");
  ASSERT_NE(board, nullptr);
  EXPECT_EQ(board->BoundsRect(), (p::RECT{260, 52, 787, 357}));
  EXPECT_EQ(board->Bitmap()->Width(), 527);
  EXPECT_EQ(board->Bitmap()->Height(), 381);
  EXPECT_EQ(board->Buffer()->Width(), 567);
  EXPECT_EQ(board->Buffer()->Height(), 345);
  EXPECT_EQ(At(260 + 2, 52 + 2), kGround);
  EXPECT_EQ(At(260 + 64, 52 + 20), kGround);  // between number box and lane
  for (int lane = 0; lane < 8; ++lane) {
    const int top = 52 + kBarTop[lane];
    // Brown wood at the lane's start, left of its competitor's name.
    const std::uint32_t wood = At(260 + 70, top + 15);
    EXPECT_GT(wood >> 16, (wood >> 8) & 0xFF) << "lane " << lane + 1;
    EXPECT_GT((wood >> 8) & 0xFF, wood & 0xFF) << "lane " << lane + 1;
    // A white number in its box.
    EXPECT_GT(Count(p::RECT{260 + 6, top, 260 + 63, top + 30}, kWhite), 15) << "lane " << lane + 1;
    // Its time display, navy with lime "00:00.00".
    auto* time = Find<TLcdLabel>(("LcdLabel" + std::to_string(lane + 1)).c_str());
    ASSERT_NE(time, nullptr);
    EXPECT_EQ(time->Caption(), "00:00.00");
    const p::RECT t{260 + 356, 52 + time->Top(), 260 + 446, 52 + time->Top() + 22};
    EXPECT_EQ(At(t.left, t.top), kNavy);
    EXPECT_GT(Count(t, kLime), 40) << "lane " << lane + 1;
  }
  // The board ends at row 305 of the picture: lane 9 is not shown.
  EXPECT_NE(At(260 + 100, 52 + 304), At(260 + 100, 52 + 305));

  // Clock bar: the date, two blanks and the time, in lime on navy.
  EXPECT_EQ(Main->lblTime->BoundsRect(), (p::RECT{260, 360, 613, 389}));
  const std::string clock = Main->lblTime->Caption(), now = TMain::ClockText(p::Now());
  ASSERT_NE(clock.find("  "), std::string::npos);
  EXPECT_EQ(clock.substr(0, clock.find("  ")), now.substr(0, now.find("  ")));
  EXPECT_EQ(clock.find("  ", clock.find("  ") + 1), std::string::npos);
  EXPECT_GT(Count(p::RECT{260, 360, 613, 389}, kLime), 150);
  EXPECT_EQ(At(261, 361), kNavy);
  // Company label.
  EXPECT_EQ(At(5, 361), kNavy);
  EXPECT_GT(Count(p::RECT{4, 360, 257, 389}, kLime), 60);

  // TV preview: black, 200 x 150, inside the "TV Output" group.
  auto* tv = Find<TPixelImage>("TvImg");
  ASSERT_NE(tv, nullptr);
  const p::POINT tl = Main->ScreenToClient(tv->ClientToScreen(p::POINT{0, 0}));
  EXPECT_EQ(tl.x, 4 + 26);
  EXPECT_EQ(tl.y, 104 + 20);
  EXPECT_EQ(Count(p::RECT{tl.x, tl.y, tl.x + 200, tl.y + 150}, 0x000000), 200 * 150);
}

TEST_F(Console, TheClockTickRepaintsOnlyTheClockBar) {
  p::RECT r;
  ASSERT_FALSE(p::GetUpdateRect(Main->Handle(), &r, false));
  Main->tmrTimeTimer(nullptr);
  ASSERT_TRUE(p::GetUpdateRect(Main->Handle(), &r, false));
  EXPECT_EQ(r, Main->lblTime->BoundsRect());
  auto* board = Find<TPixelImage>("PixelImage1");
  EXPECT_FALSE(p::GetUpdateRect(board->Handle(), &r, false));
  // The board's buffer is not rebuilt by the ticks.
  screen->Run(3000);
  EXPECT_TRUE(board->BufferValid());
}

TEST_F(Console, TheClockFollowsTheRegionalSettingsWhenAChangeIsAnnounced) {
  double moment = 0;
  ASSERT_TRUE(p::TryEncodeDate(2004, 6, 19, moment));
  moment += (14 * 3600 + 5 * 60 + 9) / 86400.0;
  const char* saved = std::getenv("LC_ALL");
  const std::string keep = saved ? saved : "";
  auto announce = [&](const char* locale) {
    setenv("LC_ALL", locale, 1);
    p::SendMessage(Main->Handle(), p::WM_SETTINGCHANGE, 0, 0);
  };
  announce("de_DE.UTF-8");
  EXPECT_EQ(TMain::ClockText(moment), "19.06.2004  14:05:09");
  announce("en_US.UTF-8");
  EXPECT_EQ(TMain::ClockText(moment), "6/19/2004  2:05:09 PM");
  Main->tmrTimeTimer(nullptr);
  EXPECT_NE(Main->lblTime->Caption().find("M"), std::string::npos);  // AM or PM
  if (saved)
    setenv("LC_ALL", keep.c_str(), 1);
  else
    unsetenv("LC_ALL");
  p::ReloadUserRegionalFormats();
}
