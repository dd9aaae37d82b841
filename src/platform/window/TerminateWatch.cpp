#include "platform/window/TerminateWatch.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "platform/window/Window.h"

namespace platform {

namespace {

// The signal handler may do almost nothing: it writes one byte into the
// pipe, and the watcher thread, asleep on the other end, turns it into a
// message. A full pipe means a close is already on its way.
volatile sig_atomic_t g_writeEnd = -1;
struct sigaction g_oldTerm, g_oldInt;

constexpr char kSignalled = 'T', kStop = 'Q';

void OnSignal(int) {
  const int saved = errno;
  if (g_writeEnd >= 0) {
    const char c = kSignalled;
    [[maybe_unused]] ssize_t n = write(g_writeEnd, &c, 1);
  }
  errno = saved;
}

}  // namespace

TerminateWatch::TerminateWatch() {
  if (::pipe2(pipe_, O_CLOEXEC) != 0) return;
  fcntl(pipe_[1], F_SETFL, O_NONBLOCK);
  g_writeEnd = pipe_[1];
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &sa, &g_oldTerm);
  sigaction(SIGINT, &sa, &g_oldInt);
  watcher_ = std::thread([this] { Watch(); });
}

TerminateWatch::~TerminateWatch() {
  if (pipe_[0] < 0) return;
  sigaction(SIGTERM, &g_oldTerm, nullptr);
  sigaction(SIGINT, &g_oldInt, nullptr);
  g_writeEnd = -1;
  const char c = kStop;
  // Blocking is fine here: the watcher drains the pipe.
  fcntl(pipe_[1], F_SETFL, 0);
  [[maybe_unused]] ssize_t n = write(pipe_[1], &c, 1);
  watcher_.join();
  close(pipe_[0]);
  close(pipe_[1]);
}

void TerminateWatch::SetTarget(HWND window) {
  std::lock_guard lock(mutex_);
  target_ = window;
  if (pending_ && target_) PostMessage(target_, WM_SYSCOMMAND, SC_CLOSE, 0);
  pending_ = false;
}

void TerminateWatch::QuitWithoutTarget() {
  std::lock_guard lock(mutex_);
  quitWithoutTarget_ = true;
  if (pending_) PostQuitMessage(1);
  pending_ = false;
}

void TerminateWatch::Watch() {
  for (;;) {
    char c;
    ssize_t n = read(pipe_[0], &c, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0 || c == kStop) return;
    // Posting is safe from any thread; the loop wakes for it. Every signal
    // asks again, in case the window refused the first time.
    std::lock_guard lock(mutex_);
    if (target_)
      PostMessage(target_, WM_SYSCOMMAND, SC_CLOSE, 0);
    else if (quitWithoutTarget_)
      PostQuitMessage(1);
    else
      pending_ = true;
  }
}

}  // namespace platform
