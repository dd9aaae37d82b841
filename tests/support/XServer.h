// A private X server (Xvfb) for tests of the desktop backend: started on a
// display it picks itself (so runs side by side never share one), with
// DISPLAY pointing at it while it lives, and helpers to run the X tools of
// the machine against it.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>

namespace testsupport {

// The full path of a program on PATH, or empty.
inline std::string FindProgram(const char* name) {
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= dirs.size()) {
    std::size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    std::filesystem::path candidate = std::filesystem::path(dirs.substr(start, end - start)) / name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate.string();
    start = end + 1;
  }
  return {};
}

class XServer {
 public:
  XServer() = default;
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;
  ~XServer() { Stop(); }

  // For a test's set-up: starts the server when Xvfb and the tools named are
  // installed. `why` is empty when it runs; `skip` says the reason is a
  // missing program (the test is skipped) rather than a fault.
  struct Readiness {
    bool skip = false;
    std::string why;
  };
  Readiness StartForTest(int width, int height, std::initializer_list<const char*> tools) {
    for (const char* tool : tools)
      if (FindProgram(tool).empty()) return {true, std::string(tool) + " is not installed"};
    std::string why;
    if (Start(width, height, &why)) return {};
    return {why == "Xvfb is not installed", why};
  }

  // Starts Xvfb with one screen of the given size; false (with the reason)
  // when it cannot.
  bool Start(int width, int height, std::string* why) {
    std::string xvfb = FindProgram("Xvfb");
    if (xvfb.empty()) {
      *why = "Xvfb is not installed";
      return false;
    }
    int fds[2];
    if (pipe(fds) != 0) {
      *why = "no pipe";
      return false;
    }
    std::string size = std::to_string(width) + "x" + std::to_string(height) + "x24";
    pid_ = fork();
    if (pid_ < 0) {
      *why = "cannot fork";
      return false;
    }
    if (pid_ == 0) {
      close(fds[0]);
      std::string fd = std::to_string(fds[1]);
      execl(xvfb.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", size.c_str(),
            "-nolisten", "tcp", "-br", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (number.empty()) {
      *why = "Xvfb did not start";
      return false;
    }
    display_ = std::atoi(number.c_str());
    name_ = ":" + number;
    setenv("DISPLAY", name_.c_str(), 1);
    // The private server has no sound card: the silent driver takes the
    // beeps, so no sound system's libraries and threads come into the test.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    return true;
  }

  void Stop() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
      pid_ = -1;
    }
  }

  int Display() const { return display_; }
  const std::string& Name() const { return name_; }

  // Runs a command line with DISPLAY set to this server; its exit status.
  int Run(const std::string& command) const {
    std::string line = "export DISPLAY=" + name_ + "; (" + command + ") >/dev/null 2>&1";
    return std::system(line.c_str());
  }

  // A picture of the whole screen, written to `pngPath` (ImageMagick's import).
  bool Screenshot(const std::string& pngPath) const {
    return Run("import -window root " + pngPath) == 0;
  }

 private:
  pid_t pid_ = -1;
  int display_ = 0;
  std::string name_;
};

}  // namespace testsupport
