// Ending the program from outside: while a watch lives, SIGTERM (and the
// terminal's SIGINT) closes the target window as if its user had closed it,
// through the message loop, so the program shuts down the way it always
// does and exits with its usual status. A signal that comes before there
// is a target closes the target as soon as it is given; once a start has
// failed and no target will come, a signal ends the message loop that runs
// (the start-up error box waiting for its OK) instead.
#pragma once

#include <mutex>
#include <thread>

#include "platform/window/WindowTypes.h"

namespace platform {

class TerminateWatch {
 public:
  TerminateWatch();
  ~TerminateWatch();
  TerminateWatch(const TerminateWatch&) = delete;
  TerminateWatch& operator=(const TerminateWatch&) = delete;

  void SetTarget(HWND window);
  // No target will come: a signal, or one already received, posts the quit
  // message instead, so an error box nobody can see does not outlive it.
  void QuitWithoutTarget();

 private:
  void Watch();

  int pipe_[2] = {-1, -1};
  std::thread watcher_;
  std::mutex mutex_;
  HWND target_;
  bool pending_ = false;  // signalled before there was a target
  bool quitWithoutTarget_ = false;
};

}  // namespace platform
