// The program itself (the desktop build, in a process of its own) on a
// private X server, driven end to end as an operator drives it: Ctrl+D,
// a letter in the find box, new text in an editor, Tab, the Close button,
// the dialog again, and Alt+F4 on the console, which must end the program
// with exit status 0. What the operator sees is taken from the screen with
// ImageMagick's import and must match, pixel for pixel, the dialog that the
// same input gives on the headless screen (only the focused control, where
// the caret blinks, and the window's cut corners are left out). Run under a
// US and a German keyboard layout. Skipped only when Xvfb or the X tools are
// not installed.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/CompetitorsDialog.h"
#include "app/ConsoleWindow.h"
#include "app/Program.h"
#include "platform/gdi/Gdi.h"
#include "platform/testing/HeadlessScreen.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Window.h"
#include "support/XServer.h"
#include "toolkit/Application.h"

namespace {

namespace p = platform;
using namespace std::chrono_literals;

// A picture of the dialog and the part of it not compared (window
// coordinates).
struct Shot {
  p::SurfaceBuffer picture;
  p::RECT skip{};
};

struct Reference {
  Shot afterTyping, afterReopening;
  p::POINT closeButton{};  // the middle of Close, from the dialog's top-left
};

class DesktopSession : public ::testing::Test {
 protected:
  void SetUp() override {
    auto ready = server_.StartForTest(1280, 800, {"xdotool", "setxkbmap", "import"});
    if (ready.skip) GTEST_SKIP() << ready.why;
    ASSERT_TRUE(ready.why.empty()) << ready.why;
  }

  void TearDown() override {
    if (child_ > 0) {
      kill(child_, SIGKILL);
      waitpid(child_, nullptr, 0);
    }
    server_.Stop();
    if (!suppressions_.empty()) std::remove(suppressions_.c_str());
  }

  static std::string Temp(const std::string& name) {
    return ::testing::TempDir() + "desktop_session_" + std::to_string(getpid()) + "_" + name;
  }

  // The same input on the headless screen, in this process: the pictures
  // the operator must see.
  static Reference HeadlessRun(const std::string& typed) {
    Reference ref;
    p::HeadlessScreen& screen = p::UseHeadlessScreen();
    app::RegisterClasses();
    auto application = std::make_unique<toolkit::TApplication>();
    EXPECT_TRUE(app::CreateWindows());
    auto capture = [&](Shot& shot) {
      p::HWND dialog = app::Competitors->Handle();
      const std::string path = Temp("reference.png");
      EXPECT_TRUE(screen.CaptureWindow(dialog, path));
      EXPECT_TRUE(p::ReadPng(path, &shot.picture));
      std::remove(path.c_str());
      p::RECT window, focus;
      p::GetWindowRect(dialog, &window);
      p::GetWindowRect(p::GetFocus(), &focus);
      shot.skip = {focus.left - window.left - 2, focus.top - window.top - 2,
                   focus.right - window.left + 2, focus.bottom - window.top + 2};
      p::RECT close;
      p::GetWindowRect(app::Competitors->btnClose->Handle(), &close);
      ref.closeButton = {(close.left + close.right) / 2 - window.left,
                         (close.top + close.bottom) / 2 - window.top};
    };
    auto ctrl = [&](int vk) {
      screen.KeyDown(p::VK_CONTROL);
      screen.KeyPress(vk);
      screen.KeyUp(p::VK_CONTROL);
    };
    auto tabs = [&](int n) {
      for (int i = 0; i < n; ++i) screen.KeyPress(p::VK_TAB);
    };
    // One step each time the program waits; time passes in between, so
    // anything that fades has finished.
    std::vector<std::function<void()>> steps = {
        [&] { ctrl('D'); },
        [&] {
          tabs(2);
          screen.TypeText("k");
        },
        [&] {
          tabs(3);
          screen.TypeText(typed);
          tabs(1);
        },
        [&] { capture(ref.afterTyping); },
        [&] {
          p::RECT window;
          p::GetWindowRect(app::Competitors->Handle(), &window);
          screen.Click({window.left + ref.closeButton.x, window.top + ref.closeButton.y});
        },
        [&] { ctrl('D'); },
        [&] {
          tabs(2);
          screen.TypeText("k");
        },
        [&] { capture(ref.afterReopening); },
        [&] {
          app::Competitors->Close();
          p::PostQuitMessage(0);
        },
    };
    std::size_t next = 0;
    screen.SetIdleHandler([&] {
      if (next >= steps.size()) return false;
      screen.AdvanceClock(1000);
      steps[next++]();
      return true;
    });
    application->Run();
    screen.SetIdleHandler(nullptr);
    EXPECT_EQ(next, steps.size());
    application.reset();
    p::UseHeadlessScreen();
    return ref;
  }

  // Starts the program on the X server with the desktop backend.
  void StartProgram() {
    // The session bus library that the desktop backend loads keeps a buffer
    // it never frees; a leak checker in the program is told to pass over it.
    suppressions_ = Temp("lsan.supp");
    std::ofstream(suppressions_) << "leak:libdbus-1.so\n";
    child_ = fork();
    ASSERT_GE(child_, 0);
    if (child_ == 0) {
      setenv("SPRINTARA_BACKEND", "desktop", 1);
      setenv("SDL_VIDEODRIVER", "x11", 1);  // the private server, nothing else
      setenv("LSAN_OPTIONS", ("suppressions=" + suppressions_).c_str(), 1);
      execl(SPRINTARA_PROGRAM, SPRINTARA_PROGRAM, static_cast<char*>(nullptr));
      _exit(127);
    }
  }

  // Waits for the program to end; its exit status, or -1 when it does not.
  int WaitForExit(std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
      int status = 0;
      if (waitpid(child_, &status, WNOHANG) == child_) {
        child_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      std::this_thread::sleep_for(50ms);
    }
    return -1;
  }

  int X(const std::string& command) { return server_.Run(command); }

  // For a failure message: whether the program still runs.
  std::string ProgramState() {
    int status = 0;
    if (child_ <= 0 || waitpid(child_, &status, WNOHANG) != child_) return " (the program runs)";
    child_ = -1;
    return WIFEXITED(status)
               ? " (the program ended with status " + std::to_string(WEXITSTATUS(status)) + ")"
               : " (the program was ended by signal " + std::to_string(WTERMSIG(status)) + ")";
  }

  // Whether a window of that title is on the screen, waiting up to 20 s
  // for it to be (or, with `shown` false, no longer be).
  bool WindowShown(const std::string& title, bool shown) {
    const std::string search = "xdotool search --onlyvisible --name '^" + title + "$'";
    const std::string test = shown ? search : "! " + search;
    return X("for i in $(seq 200); do " + test + " && exit 0; sleep 0.1; done; exit 1") == 0;
  }

  // Ctrl+D until the dialog shows: a key pressed the instant one of the
  // program's windows gains the focus counts as held from before, so the
  // operator, like a user whose key went unnoticed, presses it again.
  bool OpenDialog() {
    for (int tries = 0; tries < 3; ++tries)
      if (X("sleep 0.5; xdotool key ctrl+d") == 0 &&
          X("for i in $(seq 30); do xdotool search --onlyvisible --name "
            "'^Competitors Database$' && exit 0; sleep 0.1; done; exit 1") == 0)
        return true;
    return false;
  }

  // The dialog's place on the screen.
  bool DialogOrigin(p::POINT* at) {
    const std::string file = Temp("geometry");
    if (X("xdotool search --onlyvisible --name '^Competitors Database$' "
          "getwindowgeometry --shell >" +
          file) != 0)
      return false;
    std::ifstream in(file);
    std::string line;
    bool x = false, y = false;
    while (std::getline(in, line)) {
      if (line.rfind("X=", 0) == 0) x = (at->x = std::stoi(line.substr(2)), true);
      if (line.rfind("Y=", 0) == 0) y = (at->y = std::stoi(line.substr(2)), true);
    }
    std::remove(file.c_str());
    return x && y;
  }

  // Takes pictures of the screen until the dialog on it shows as `want`
  // (the program may still be working through the keys); the pixels that
  // differ in the last picture otherwise. The last picture stays in `png`.
  long ScreenShows(const Shot& want, const std::string& png) {
    long wrong = -1;
    for (int tries = 0; tries < 40; ++tries) {
      p::POINT at;
      p::SurfaceBuffer shot;
      if (DialogOrigin(&at) && server_.Screenshot(png) && p::ReadPng(png, &shot)) {
        wrong = 0;
        const int w = want.picture.Width(), h = want.picture.Height();
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x) {
            const bool corner = (x < 8 || x >= w - 8) && (y < 8 || y >= h - 8);
            if (corner || p::PtInRect(want.skip, p::POINT{x, y})) continue;
            const int sx = at.x + x, sy = at.y + y;
            if (sx < 0 || sy < 0 || sx >= shot.Width() || sy >= shot.Height()) {
              ++wrong;
              continue;
            }
            wrong += (shot.At(sx, sy) & 0xFFFFFF) != (want.picture.At(x, y) & 0xFFFFFF);
          }
        if (wrong == 0) return 0;
      }
      std::this_thread::sleep_for(250ms);
    }
    return wrong;
  }

  // The whole session under one keyboard layout; `typed` is the new
  // Start-No as xdotool types it (UTF-8), `expected` as the program holds it.
  void Session(const char* layout, const std::string& typed, const std::string& expected) {
    const Reference ref = HeadlessRun(expected);
    ASSERT_FALSE(HasFailure());
    ASSERT_EQ(X(std::string("setxkbmap ") + layout), 0);
    // No control under the pointer. Right after a layout change the server
    // now and then refuses the first request of a new client: asked again.
    int moved = -1;
    for (int attempt = 0; attempt < 5 && moved != 0; ++attempt) {
      if (attempt > 0) std::this_thread::sleep_for(200ms);
      moved = X("xdotool mousemove 0 0");
    }
    ASSERT_EQ(moved, 0);
    StartProgram();
    if (!WindowShown("Sprintara", true)) {
      // Now and then, just after a layout change, the program finds the
      // server not available and runs on the headless screen (it says so);
      // a second start must succeed.
      std::fprintf(stderr, "the console did not come up%s; starting the program again\n",
                   ProgramState().c_str());
      if (child_ > 0) {
        kill(child_, SIGKILL);
        waitpid(child_, nullptr, 0);
        child_ = -1;
      }
      StartProgram();
      ASSERT_TRUE(WindowShown("Sprintara", true))
          << "the console did not come up" << ProgramState();
    }
    const std::string shot1 = Temp(std::string(layout) + "_typed.png");
    const std::string shot2 = Temp(std::string(layout) + "_reopened.png");

    ASSERT_TRUE(OpenDialog()) << "Ctrl+D did not open the dialog" << ProgramState();
    // A key pressed the instant a window gains the focus counts as one held
    // from before (the Alt of an Alt+F4); the operator waits a moment.
    ASSERT_EQ(X("sleep 0.4; xdotool key Tab Tab type k"), 0);
    ASSERT_EQ(X("xdotool key Tab Tab Tab type --delay 120 '" + typed + "'"), 0);
    ASSERT_EQ(X("xdotool key Tab"), 0);
    EXPECT_EQ(ScreenShows(ref.afterTyping, shot1), 0)
        << "the dialog after typing differs; the screen is in " << shot1;

    p::POINT at;
    ASSERT_TRUE(DialogOrigin(&at));
    ASSERT_EQ(X("xdotool mousemove " + std::to_string(at.x + ref.closeButton.x) + " " +
                std::to_string(at.y + ref.closeButton.y) + " click 1 sleep 0.2 mousemove 0 0"),
              0);
    ASSERT_TRUE(WindowShown("Competitors Database", false))
        << "Close did not close the dialog" << ProgramState();

    ASSERT_TRUE(OpenDialog()) << "the dialog did not open again" << ProgramState();
    ASSERT_EQ(X("sleep 0.4; xdotool key Tab Tab type k"), 0);
    EXPECT_EQ(ScreenShows(ref.afterReopening, shot2), 0)
        << "the dialog shown again differs; the screen is in " << shot2;

    ASSERT_EQ(X("xdotool key alt+F4"), 0);
    ASSERT_TRUE(WindowShown("Competitors Database", false)) << "Alt+F4 did not close the dialog";
    ASSERT_EQ(X("sleep 0.3; xdotool key alt+F4"), 0);
    EXPECT_EQ(WaitForExit(20s), 0) << "closing the console must end the program with status 0";
    if (!HasFailure()) {
      std::remove(shot1.c_str());
      std::remove(shot2.c_str());
    }
  }

  testsupport::XServer server_;
  pid_t child_ = -1;
  std::string suppressions_;
};

TEST_F(DesktopSession, TheDialogFromOpeningToExitUnderAUsLayout) {
  Session("us", "Yz-7 q", "Yz-7 q");
}

TEST_F(DesktopSession, TheDialogFromOpeningToExitUnderAGermanLayout) {
  Session("de", "Yz-\xC3\xBC\xC3\x9F 7", "Yz-\xFC\xDF 7");
}

}  // namespace
