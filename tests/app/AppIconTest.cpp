// The application icon: every size the desktop asks for is drawn square,
// clear at the corners and solid in the middle; the program carries the
// sizes its windows need, and the console's title bar shows the icon.
#include <gtest/gtest.h>

#include <string>

#include "ProgramFixture.h"
#include "app/ConsoleWindow.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/ApplicationIcon.h"
#include "platform/window/Window.h"

namespace {

namespace p = platform;

TEST(AppIcon, EverySizeIsDrawnSquareWithClearCornersAndASolidMiddle) {
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    const std::string path =
        std::string(SPRINTARA_ICON_DIR) + "/sprintara-" + std::to_string(size) + ".png";
    p::SurfaceBuffer icon;
    ASSERT_TRUE(p::ReadPng(path, &icon)) << path;
    EXPECT_EQ(icon.Width(), size) << path;
    EXPECT_EQ(icon.Height(), size) << path;
    EXPECT_EQ(icon.At(0, 0) >> 24, 0u) << path << ": the rounded corner is clear";
    EXPECT_EQ(icon.At(size - 1, size - 1) >> 24, 0u) << path;
    EXPECT_EQ(icon.At(size / 2, size / 2) >> 24, 255u) << path;
    // Not one flat colour: the picture has a face and its marks.
    int colours = 0;
    std::uint32_t first = icon.At(size / 2, size / 2);
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x)
        colours += (icon.At(x, y) >> 24) == 255 && icon.At(x, y) != first;
    EXPECT_GT(colours, size * size / 8) << path;
  }
}

using ConsoleIcon = Program;

TEST_F(ConsoleIcon, TheProgramCarriesItsIconAndTheTitleBarShowsIt) {
  // The sizes a window asks for, the nearest larger one, the largest.
  EXPECT_EQ(p::ApplicationIcon(16).width, 16);
  EXPECT_EQ(p::ApplicationIcon(20).width, 24);
  EXPECT_EQ(p::ApplicationIcon(48).width, 48);
  EXPECT_EQ(p::ApplicationIcon(512).width, 64);

  app::Main->Show();
  application->ProcessMessages();
  p::Surface window = p::GetWindowSurface(app::Main->Handle());
  const p::Surface icon = p::ApplicationIcon(16);
  // Somewhere in the title strip every solid pixel of the icon shows as it is.
  bool found = false;
  for (int top = 0; top + icon.height <= 40 && !found; ++top)
    for (int left = 0; left + icon.width <= 60 && !found; ++left) {
      bool all = true;
      for (int y = 0; y < icon.height && all; ++y)
        for (int x = 0; x < icon.width && all; ++x)
          if ((icon.At(x, y) >> 24) == 255)
            all = (window.At(left + x, top + y) & 0xFFFFFF) == (icon.At(x, y) & 0xFFFFFF);
      found = all;
    }
  EXPECT_TRUE(found) << "the console's title bar does not show the application icon";
}

}  // namespace
