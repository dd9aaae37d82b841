// Start-up on the desktop: from exec to the first frame presented on a
// private X server (Xvfb, started here), for the program itself and for
// the floor, a plain SDL program that presents one empty window of the
// console's size on the same server. The program tells the moment on a
// pipe named by SPRINTARA_PRESENTED_FD; the floor (this program started
// again with --child) writes to its pipe once its window surface is on the
// display. Each run is a fresh process, ended once it has reported.
// Reported: the median of each over SPRINTARA_STARTUP_RUNS runs (default
// 21) and their ratio.
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string g_self;
constexpr int kWidth = 799, kHeight = 448;  // the console's size

int EnvInt(const char* name, int fallback) {
  const char* s = std::getenv(name);
  const int n = s ? std::atoi(s) : 0;
  return n > 0 ? n : fallback;
}

// The floor: one borderless window, filled and presented.
int EmptyWindowChild(int fd) {
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_PING, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  SDL_Window* w = SDL_CreateWindow("Empty", 240, 176, kWidth, kHeight,
                                   SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
  if (!w) return 1;
  SDL_ShowWindow(w);
  SDL_Surface* s = SDL_GetWindowSurface(w);
  if (!s) return 1;
  SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 0xD4, 0xD0, 0xC8));
  if (SDL_UpdateWindowSurface(w) != 0) return 1;
  static const char line[] = "presented\n";
  if (::write(fd, line, sizeof line - 1) != sizeof line - 1) return 3;
  std::_Exit(0);
}

// A private X server, its display name found through -displayfd.
class Xvfb {
 public:
  bool Start() {
    int fds[2];
    if (::pipe(fds) != 0) return false;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(fds[0]);
      const std::string fd = std::to_string(fds[1]);
      ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x800x24", "-nolisten",
               "tcp", static_cast<char*>(nullptr));
      std::_Exit(127);
    }
    ::close(fds[1]);
    // The number and its line end may come in separate writes; the server
    // ends if the pipe is closed before the last.
    std::string number;
    char c = 0;
    while (::read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    ::close(fds[0]);
    if (number.empty()) return false;
    display_ = ":" + number;
    return true;
  }
  ~Xvfb() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
  }
  const std::string& Display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

// Milliseconds from exec to the child's report of its first frame; -1 when
// it ends without one.
double TimeChild(const std::string& display, bool console) {
  int fds[2];
  if (::pipe(fds) != 0) return -1;
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(fds[0]);
    const std::string fd = std::to_string(fds[1]);
    setenv("DISPLAY", display.c_str(), 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (console) {
      setenv("SPRINTARA_BACKEND", "desktop", 1);
      setenv("SPRINTARA_PRESENTED_FD", fd.c_str(), 1);
      ::execl(SPRINTARA_PROGRAM, SPRINTARA_PROGRAM, static_cast<char*>(nullptr));
    } else {
      ::execl(g_self.c_str(), g_self.c_str(), "--child", fd.c_str(), static_cast<char*>(nullptr));
    }
    std::_Exit(4);
  }
  ::close(fds[1]);
  // A child that cannot reach the display never reports: 20 s at most.
  pollfd ready{fds[0], POLLIN, 0};
  char byte = 0;
  const ssize_t n = ::poll(&ready, 1, 20000) == 1 ? ::read(fds[0], &byte, 1) : -1;
  const auto end = std::chrono::steady_clock::now();
  ::close(fds[0]);
  ::kill(pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);
  if (n != 1) return -1;
  return std::chrono::duration<double, std::milli>(end - start).count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

void BM_DesktopStartup_ConsoleAgainstEmptyWindow(benchmark::State& state) {
  const int runs = EnvInt("SPRINTARA_STARTUP_RUNS", 21);
  Xvfb server;
  if (!server.Start()) {
    state.SkipWithError("Xvfb did not start");
    return;
  }
  for (auto _ : state) {
    std::vector<double> console, floor;
    for (int i = 0; i < runs; ++i) {
      // Alternating, so both see the same machine load.
      floor.push_back(TimeChild(server.Display(), false));
      console.push_back(TimeChild(server.Display(), true));
    }
    if (std::count(console.begin(), console.end(), -1.0) ||
        std::count(floor.begin(), floor.end(), -1.0)) {
      state.SkipWithError("a child did not report its first frame");
      return;
    }
    const double c = Median(console), f = Median(floor);
    state.SetIterationTime((c + f) / 1000.0);
    state.counters["console_median_ms"] = c;
    state.counters["empty_window_median_ms"] = f;
    state.counters["ratio"] = c / f;
  }
}
BENCHMARK(BM_DesktopStartup_ConsoleAgainstEmptyWindow)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--child") == 0)
    return EmptyWindowChild(std::atoi(argv[2]));
  char path[4096];
  const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  g_self = n > 0 ? std::string(path, std::size_t(n)) : argv[0];
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
