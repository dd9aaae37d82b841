// The program on a dense display (SPRINTARA_SCALE=2 on a private X server):
// the native window is twice the window's size in each direction, at twice
// its place, and a click at a display position lands on the control drawn
// there. Skipped only when Xvfb or the X tools are not installed.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <string>

#include "DesktopProgram.h"
#include "app/CompetitorsDialog.h"
#include "app/ConsoleWindow.h"
#include "platform/window/Window.h"
#include "support/XServer.h"
#include "toolkit/Application.h"
#include "toolkit/Timer.h"
#include "toolkit/WinControl.h"

namespace {

namespace p = platform;
using namespace std::chrono_literals;

class DesktopScale : public ::testing::Test {
 protected:
  void SetUp() override {
    auto ready = server_.StartForTest(2560, 1600, {"xdotool", "xwininfo"});
    if (ready.skip) GTEST_SKIP() << ready.why;
    ASSERT_TRUE(ready.why.empty()) << ready.why;
    ASSERT_NO_FATAL_FAILURE(testsupport::StartDesktopProgram("2", application_));
  }

  void TearDown() override {
    testsupport::StopDesktopProgram(application_);
    server_.Stop();
  }

  // Runs the program's loop, calling `step` every 40 ms until it answers
  // true (then the console is closed) or 20 seconds pass.
  bool RunUntil(std::function<bool()> step) {
    bool done = false;
    auto deadline = std::chrono::steady_clock::now() + 20s;
    toolkit::TTimer driver(app::Main);
    driver.SetInterval(40);
    driver.SetOnTimer([&](component::TObject*) {
      if (!done && !step() && std::chrono::steady_clock::now() < deadline) return;
      done = true;
      driver.SetEnabled(false);
      p::PostMessage(app::Main->Handle(), p::WM_CLOSE, 0, 0);
    });
    application_->Run();
    return std::chrono::steady_clock::now() < deadline;
  }

  testsupport::XServer server_;
  std::unique_ptr<toolkit::TApplication> application_;
};

TEST_F(DesktopScale, TheWindowIsDoubledAndAClickAtADoubledPlaceHitsItsControl) {
  // Our screen is the display in our own pixels.
  p::RECT screen;
  p::GetWindowRect(p::GetDesktopWindow(), &screen);
  EXPECT_EQ(screen.right - screen.left, 1280);
  EXPECT_EQ(screen.bottom - screen.top, 800);

  component::TComponent* entry = app::Main->FindComponent("ExtEdit1");
  ASSERT_NE(entry, nullptr);
  p::HWND target = dynamic_cast<toolkit::TWinControl*>(entry)->Handle();

  enum { kAppear, kClick, kFocused } phase = kAppear;
  std::future<int> pending;
  bool sized = false;
  const bool inTime = RunUntil([&] {
    p::RECT r;
    p::GetWindowRect(app::Main->Handle(), &r);
    switch (phase) {
      case kAppear: {
        // The native window with twice the size at twice the place. The X
        // tools run beside the loop, which must stay idle enough to present.
        if (!pending.valid()) {
          const std::string geometry = std::to_string(2 * (r.right - r.left)) + "x" +
                                       std::to_string(2 * (r.bottom - r.top)) + "+" +
                                       std::to_string(2 * r.left) + "+" + std::to_string(2 * r.top);
          const std::string line = "xwininfo -root -tree | grep -qF ' " + geometry + " '";
          pending = std::async(std::launch::async, [this, line] { return server_.Run(line); });
          return false;
        }
        if (pending.wait_for(0s) != std::future_status::ready) return false;
        sized = pending.get() == 0;
        if (sized && p::GetActiveWindow() == app::Main->Handle()) phase = kClick;
        return false;
      }
      case kClick: {
        p::RECT c;
        p::GetWindowRect(target, &c);
        const std::string line = "xdotool mousemove " + std::to_string(c.left + c.right) + " " +
                                 std::to_string(c.top + c.bottom) + " click 1";
        pending = std::async(std::launch::async, [this, line] { return server_.Run(line); });
        phase = kFocused;
        return false;
      }
      case kFocused:
        if (pending.valid() && pending.wait_for(0s) != std::future_status::ready) return false;
        return p::GetFocus() == target;
    }
    return false;
  });
  if (pending.valid()) pending.wait();
  EXPECT_TRUE(sized) << "no native window of twice the console's size at twice its place";
  EXPECT_TRUE(inTime) << "the click at the doubled place did not focus the lane's entry";
  EXPECT_EQ(p::GetFocus(), target);
}

}  // namespace
