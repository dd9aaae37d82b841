#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/gdi/Gdi.h"

namespace p = platform;
namespace fs = std::filesystem;

namespace {

struct SnapshotRun {
  int status = -1;
  fs::path dir;
};

SnapshotRun Snapshot(const std::string& name, const std::string& steps) {
  SnapshotRun r;
  r.dir = fs::temp_directory_path() / ("sprintara-e2e-" + std::to_string(::getpid()) + "-" + name);
  fs::remove_all(r.dir);
  std::string cmd =
      std::string(SNAPSHOT_EXE) + " --out " + r.dir.string() + " " + steps + " > /dev/null";
  r.status = std::system(cmd.c_str());
  return r;
}

p::COLORREF At(const p::SurfaceBuffer& s, int x, int y) {
  return p::PixelToColor(s.At(x, y)) & 0xFFFFFF;
}

// The console is 799 x 448 and centred on the tool's 1024 x 640 screen.
constexpr int kLeft = (1024 - 799) / 2, kTop = (640 - 448) / 2;

}  // namespace

TEST(Snapshot, ConsoleWindowAtStart) {
  SnapshotRun r = Snapshot("start", "wait:1100 shot:console");
  ASSERT_EQ(r.status, 0);
  p::SurfaceBuffer s;
  ASSERT_TRUE(p::ReadPng((r.dir / "console.png").string(), &s));
  ASSERT_EQ(s.Width(), 1024);
  // Inside the frame, right of the clock bar: the skin's gradient, which
  // runs from left to right, so the column has one colour from the client
  // down through the bottom border's inner edge.
  EXPECT_EQ(At(s, kLeft + 622, kTop + 417), p::RGB(228, 205, 145));
  EXPECT_EQ(At(s, kLeft + 622, kTop + 440), p::RGB(228, 205, 145));
  // The title bar: the skin's title, its corners cut round to the desktop.
  EXPECT_EQ(At(s, kLeft, kTop), p::RGB(0, 128, 128));
  EXPECT_NE(At(s, kLeft + 4, kTop), p::RGB(0, 128, 128));
  // The title banner is navy with lime text somewhere along its middle.
  EXPECT_EQ(At(s, kLeft + 20, kTop + 50), p::RGB(0, 0, 128));
  bool lime = false;
  for (int x = kLeft + 150; x < kLeft + 650 && !lime; ++x)
    for (int y = kTop + 40; y < kTop + 70 && !lime; ++y) lime = At(s, x, y) == p::RGB(0, 255, 0);
  EXPECT_TRUE(lime);
  // Outside the window: the desktop.
  EXPECT_EQ(At(s, 5, 5), p::RGB(0, 128, 128));
  fs::remove_all(r.dir);
}

TEST(Snapshot, CtrlDOpensTheDialogAndAltF4ClosesIt) {
  SnapshotRun r =
      Snapshot("dialog", "wait:1100 key:ctrl+d wait:1500 shot:open key:alt+f4 wait:300 shot:shut");
  ASSERT_EQ(r.status, 0);
  p::SurfaceBuffer open, shut;
  ASSERT_TRUE(p::ReadPng((r.dir / "open.png").string(), &open));
  ASSERT_TRUE(p::ReadPng((r.dir / "shut.png").string(), &shut));
  // The dialog (534 x 384, centred) covers the middle of the title banner.
  const int dx = (1024 - 534) / 2 + 100, dy = (640 - 384) / 2 + 100;
  // Its client shows the skin's left-to-right gradient: above the list, and
  // between the list and the find box.
  EXPECT_EQ(At(open, dx, dy - 45), p::RGB(205, 183, 117));
  EXPECT_EQ(At(open, dx, dy + 200), p::RGB(205, 183, 117));
  // Over the console's banner, just above the dialog's Delete button.
  EXPECT_EQ(At(open, kLeft + 300, kTop + 56), p::RGB(223, 205, 148));
  EXPECT_EQ(At(shut, kLeft + 20, kTop + 50), p::RGB(0, 0, 128));
  EXPECT_NE(At(shut, kLeft + 300, kTop + 60), p::RGB(210, 183, 125));
  fs::remove_all(r.dir);
}

TEST(Snapshot, RejectsAMalformedScript) {
  SnapshotRun r = Snapshot("bad", "jump:3");
  EXPECT_NE(r.status, 0);
  fs::remove_all(r.dir);
}
