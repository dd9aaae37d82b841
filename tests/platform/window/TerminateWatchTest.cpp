// Ending from outside: SIGTERM becomes a close of the target window through
// the message loop, each signal asks again, a signal before there is a
// target waits for it (or, when none will come, ends the error box that
// waits), and the watch leaves the signal as it found it.
#include <signal.h>

#include <chrono>
#include <thread>

#include "WindowTestSupport.h"
#include "platform/dialog/MessageBox.h"
#include "platform/window/TerminateWatch.h"

namespace platform::test {
namespace {

class TerminateWatchTest : public WindowTest {
 protected:
  // Runs the loop until `w` has been asked to close `n` times in all, or two
  // seconds pass; the request comes from another thread, on real time.
  bool ClosesReach(HWND w, int n) {
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (Count(w, WM_CLOSE) < n && std::chrono::steady_clock::now() < until) {
      screen().Run(10);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return Count(w, WM_CLOSE) == n;
  }
  // The window refuses to close, so it stays to be asked again.
  HWND Stubborn() {
    HWND w = Top(0, 0, 100, 100);
    Handlers()[w.value] = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (m == WM_CLOSE) return 0;
      return std::nullopt;
    };
    return w;
  }
};

TEST_F(TerminateWatchTest, EachSignalAsksTheTargetToCloseAsItsUserWould) {
  HWND w = Stubborn();
  TerminateWatch watch;
  watch.SetTarget(w);
  raise(SIGTERM);
  ASSERT_TRUE(ClosesReach(w, 1));
  EXPECT_EQ(Last(w, WM_SYSCOMMAND)->wp, SC_CLOSE);
  raise(SIGTERM);
  EXPECT_TRUE(ClosesReach(w, 2)) << "the window refused once; a second signal asks again";
  EXPECT_TRUE(IsWindow(w));
}

TEST_F(TerminateWatchTest, ASignalBeforeThereIsATargetClosesItWhenItComes) {
  HWND w = Stubborn();
  TerminateWatch watch;
  raise(SIGTERM);
  EXPECT_FALSE(ClosesReach(w, 1));
  watch.SetTarget(w);
  EXPECT_TRUE(ClosesReach(w, 1));
}

TEST_F(TerminateWatchTest, WithNoTargetToComeASignalEndsTheErrorBoxThatWaits) {
  TerminateWatch watch;
  raise(SIGTERM);  // before the start failed: the box ends as soon as it shows
  watch.QuitWithoutTarget();
  EXPECT_EQ(MessageBox(HWND{}, "The start failed.", "Application Error", MB_OK), 0);
  MSG quit;  // the box passes the quit on to the loop around it
  ASSERT_TRUE(PeekMessage(&quit, HWND{}, 0, 0, PM_REMOVE));
  ASSERT_EQ(quit.message, WM_QUIT);
  std::thread later([] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    raise(SIGTERM);
  });
  EXPECT_EQ(MessageBox(HWND{}, "The start failed.", "Application Error", MB_OK), 0);
  later.join();
}

void Mark(int) {}

TEST_F(TerminateWatchTest, TheSignalsHandlersAreGivenBackAfterward) {
  struct sigaction mine {
  }, seen{};
  mine.sa_handler = Mark;
  sigaction(SIGTERM, &mine, nullptr);
  { TerminateWatch watch; }
  sigaction(SIGTERM, nullptr, &seen);
  EXPECT_EQ(seen.sa_handler, &Mark);
  signal(SIGTERM, SIG_DFL);
}

}  // namespace
}  // namespace platform::test
