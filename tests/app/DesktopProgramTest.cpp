// The real program on the desktop backend, on a private X server with no
// window manager, driven by real keys and clicks (xdotool) as a user drives
// it: the dialog opens and closes from the keyboard again and again, the
// console stays painted behind the open dialog, and text typed under a
// non-US keyboard layout arrives exactly as typed, and the native window is
// cut to the window region. Skipped only when Xvfb or
// the X tools are not installed.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DesktopProgram.h"
#include "app/CompetitorsDialog.h"
#include "app/ConsoleWindow.h"
#include "graphics/ExtEdit.h"
#include "platform/base/LocaleServices.h"
#include "platform/base/RegionalFormats.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/Window.h"
#include "support/XServer.h"
#include "toolkit/Application.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Timer.h"

// The session bus library that SDL2 talks to keeps a buffer it never frees;
// that is not ours to fix, so the leak checker is told to pass over it.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libdbus-1.so\n";
}

namespace {

namespace p = platform;
using namespace std::chrono_literals;

// One thing the user does (an X command line, run while the program's loop
// goes on) and what must then hold.
struct Step {
  std::string what;
  // The command line, made when the step starts (places on the screen are
  // known only then); null: nothing to do but wait for `done`.
  std::function<std::string()> command;
  std::function<bool()> done;
  std::function<void()> before;  // run on the program's thread first
};

std::function<std::string()> Command(std::string line) {
  return [line] { return line; };
}

class DesktopProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    auto ready = server_.StartForTest(1280, 800, {"xdotool", "setxkbmap", "import"});
    if (ready.skip) GTEST_SKIP() << ready.why;
    ASSERT_TRUE(ready.why.empty()) << ready.why;
    ASSERT_EQ(server_.Run("setxkbmap us"), 0);
    // The user's locale file lives in a folder of the test's own; the clock
    // follows its time format alone.
    config_ = ::testing::TempDir() + "desktop_program_config_" + std::to_string(getpid());
    mkdir(config_.c_str(), 0700);
    setenv("XDG_CONFIG_HOME", config_.c_str(), 1);
    if (const char* all = std::getenv("LC_ALL")) lcAll_ = all;
    unsetenv("LC_ALL");
    unsetenv("LC_TIME");
    ASSERT_NO_FATAL_FAILURE(testsupport::StartDesktopProgram(nullptr, application_));
  }

  void TearDown() override {
    testsupport::StopDesktopProgram(application_);
    server_.Stop();
    std::remove((config_ + "/locale.conf").c_str());
    rmdir(config_.c_str());
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("LC_TIME");
    if (lcAll_) setenv("LC_ALL", lcAll_->c_str(), 1);
    p::ResetLocaleCache();
    p::ReloadUserRegionalFormats();
  }

  // Runs the program's own loop while the steps are played one after the
  // other; a step that does not come true in time fails and ends the run.
  void Play(std::vector<Step> steps) {
    std::size_t current = 0;
    bool started = false;
    std::future<int> pending;
    auto deadline = std::chrono::steady_clock::now();
    toolkit::TTimer driver(app::Main);
    driver.SetInterval(40);
    driver.SetOnTimer([&](component::TObject*) {
      if (current >= steps.size()) return;
      Step& step = steps[current];
      if (!started) {
        started = true;
        deadline = std::chrono::steady_clock::now() + 15s;
        if (step.before) step.before();
        if (step.command)
          pending = std::async(std::launch::async,
                               [this, cmd = step.command()] { return server_.Run(cmd); });
        return;
      }
      bool commandDone = !pending.valid() || pending.wait_for(0s) == std::future_status::ready;
      if (commandDone && step.done()) {
        if (pending.valid()) {
          EXPECT_EQ(pending.get(), 0) << step.what;
        }
        ++current;
        started = false;
      } else if (std::chrono::steady_clock::now() > deadline) {
        ADD_FAILURE() << "the program did not follow: " << step.what;
        current = steps.size();
      }
      if (current == steps.size()) {
        if (app::Competitors->Visible()) app::Competitors->Close();
        p::PostMessage(app::Main->Handle(), p::WM_CLOSE, 0, 0);
      }
    });
    application_->Run();
    if (pending.valid()) pending.wait();
  }

  graphics::TExtEdit* Entry(const char* name) {
    return dynamic_cast<graphics::TExtEdit*>(app::Main->FindComponent(name));
  }

  // Clicks into the middle of a control, by its place on the screen.
  static std::string ClickInto(p::HWND hwnd) {
    p::RECT r;
    p::GetWindowRect(hwnd, &r);
    return "xdotool mousemove " + std::to_string((r.left + r.right) / 2) + " " +
           std::to_string((r.top + r.bottom) / 2) + " click 1";
  }

  // Every pixel of the console that the dialog (when open) leaves visible
  // shows on the real screen as the console painted it. The clock may tick between the
  // picture and the check, so a few tries are allowed.
  bool ConsoleShowsAsPainted() {
    std::string path =
        ::testing::TempDir() + "desktop_program_" + std::to_string(server_.Display()) + ".png";
    if (!server_.Screenshot(path)) return false;
    p::SurfaceBuffer shot;
    bool read = p::ReadPng(path, &shot);
    std::remove(path.c_str());
    if (!read) return false;
    p::HWND console = app::Main->Handle();
    p::Surface picture = p::GetWindowSurface(console);
    p::RECT main, dialog;
    p::GetWindowRect(console, &main);
    if (app::Competitors->Visible())
      p::GetWindowRect(app::Competitors->Handle(), &dialog);
    else
      dialog = p::RECT{};
    long compared = 0, wrong = 0;
    for (int y = main.top; y < main.bottom; ++y) {
      for (int x = main.left; x < main.right; ++x) {
        if (x < 0 || y < 0 || x >= shot.Width() || y >= shot.Height()) continue;
        if (p::PtInRect(dialog, p::POINT{x, y})) continue;
        std::uint32_t want = picture.Row(y - main.top)[x - main.left] & 0xFFFFFF;
        ++compared;
        wrong += (shot.At(x, y) & 0xFFFFFF) != want;
      }
    }
    lastWrong_ = wrong;
    return compared > 100000 && wrong == 0;
  }

  testsupport::XServer server_;
  std::unique_ptr<toolkit::TApplication> application_;
  long lastWrong_ = 0;
  std::string config_;
  std::optional<std::string> lcAll_;
};

TEST_F(DesktopProgram, KeyboardPaintingAndTypedTextHoldOnARealDisplay) {
  graphics::TExtEdit* lane1 = Entry("ExtEdit1");
  ASSERT_NE(lane1, nullptr);
  auto dialogOpen = [] { return app::Competitors->Visible(); };
  auto dialogClosed = [] { return !app::Competitors->Visible(); };
  auto consoleActive = [] { return p::GetActiveWindow() == app::Main->Handle(); };
  auto laneText = [lane1](std::string want) {
    return [lane1, want] { return lane1->Text() == want; };
  };
  int paintTries = 0;
  Play({
      // Keys typed before the window is on the screen reach nobody.
      {"the console comes up active and on the screen", nullptr,
       [&] { return consoleActive() && ConsoleShowsAsPainted(); }, nullptr},
      // The window region reaches the display: the top corners are cut
      // round, so what lies behind shows there.
      {"the console's native window carries its rounded shape",
       [] {
         p::RECT r;
         p::GetWindowRect(app::Main->Handle(), &r);
         const std::string geometry = std::to_string(r.right - r.left) + "x" +
                                      std::to_string(r.bottom - r.top) + "+" +
                                      std::to_string(r.left) + "+" + std::to_string(r.top);
         return "id=$(xwininfo -root -tree | grep -F ' " + geometry +
                " ' | grep -oE '0x[0-9a-f]+' | head -1) && "
                "xwininfo -id \"$id\" -shape | grep -q 'Window shape extents'";
       },
       [] { return true; }, nullptr},
      // The desktop's regional settings write the user's locale file.
      {"a new time format in the user's locale file reaches the clock",
       [this] { return "printf 'LC_TIME=de_DE.UTF-8\\n' >" + config_ + "/locale.conf"; },
       [] {
         const std::string& clock = app::Main->lblTime->Caption();
         return clock.find('/') == std::string::npos && clock.find('.') != std::string::npos;
       },
       nullptr},
      {"Ctrl+D opens the dialog", Command("sleep 0.3; xdotool key ctrl+d"), dialogOpen, nullptr},
      {"the console is painted behind the dialog", nullptr,
       [&] { return ConsoleShowsAsPainted() || ++paintTries > 30; }, nullptr},
      {"Alt+F4 closes the dialog", Command("sleep 0.3; xdotool key alt+F4"), dialogClosed, nullptr},
      {"the console is active again", nullptr, consoleActive, nullptr},
      {"Ctrl+D opens the dialog a second time", Command("sleep 0.3; xdotool key ctrl+d"),
       dialogOpen, nullptr},
      // Alt still held when the console gets the focus back: its release
      // must not open the console's menu.
      {"Alt+F4 closes it again, Alt let go late",
       Command("sleep 0.3; xdotool keydown alt key F4 sleep 0.4 keyup alt"), dialogClosed, nullptr},
      {"typing into a clicked lane entry",
       [lane1] { return ClickInto(lane1->Handle()) + " sleep 0.2 type ab1"; }, laneText("AB1"),
       [lane1] { lane1->SetText(""); }},
      {"German layout: umlauts arrive once each", Command("setxkbmap de && xdotool type äöü"),
       laneText("\xC4\xD6\xDC"), [lane1] { lane1->SetText(""); }},
      {"nothing more arrives afterwards", Command("sleep 0.5"), laneText("\xC4\xD6\xDC"), nullptr},
      {"a character the code page lacks is refused", Command("xdotool type łz"),
       laneText("\xC4\xD6\xDC"
                "Z"),
       nullptr},
      // AltGr is the right Alt key here: it types, and opens no menu.
      {"AltGr types the euro sign and the at sign", Command("xdotool type '€@'"),
       laneText("\xC4\xD6\xDC"
                "Z\x80@"),
       nullptr},
      {"Ctrl+D still opens the dialog under the German layout",
       Command("sleep 0.3; xdotool key ctrl+d"), dialogOpen, nullptr},
      {"and Alt+F4 closes it", Command("sleep 0.3; xdotool key alt+F4"), dialogClosed, nullptr},
      // The list is a window of its own that the display focuses when it
      // is clicked; once it is gone, the keys must come back to the console.
      {"a drop-down list opens on a click",
       [] {
         auto* screens = app::Main->FindComponent("skComboBox2");
         return ClickInto(dynamic_cast<toolkit::TWinControl*>(screens)->Handle());
       },
       [] {
         return dynamic_cast<toolkit::TCustomComboBox*>(app::Main->FindComponent("skComboBox2"))
             ->DroppedDown();
       },
       nullptr},
      {"Escape closes it", Command("sleep 0.3; xdotool key Escape"),
       [] {
         return !dynamic_cast<toolkit::TCustomComboBox*>(app::Main->FindComponent("skComboBox2"))
                     ->DroppedDown();
       },
       [lane1] { lane1->SetText(""); }},
      {"typing reaches a lane entry clicked afterwards",
       [lane1] { return "sleep 0.3; " + ClickInto(lane1->Handle()) + " sleep 0.2 type q"; },
       laneText("Q"), nullptr},
  });
  EXPECT_LE(paintTries, 30) << lastWrong_ << " console pixels differ on the screen";
  EXPECT_EQ(lane1->Text(), "Q");
}

}  // namespace
