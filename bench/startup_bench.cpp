// Start-up time: from process start to the first painted picture on the
// headless screen, for the race console and for the floor, a program that
// only opens one empty window on the same backend. Each run is a fresh
// process (this program started again with --child); the parent times it
// until the child reports its picture on a pipe. Reported: the median of
// each over SPRINTARA_STARTUP_RUNS runs (default 21) and their ratio.
//
// Idle: the console with its clock timer on real time for
// SPRINTARA_IDLE_SECONDS (default 5); reported as the share of one core.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/ConsoleWindow.h"
#include "app/Program.h"
#include "platform/testing/HeadlessScreen.h"
#include "platform/window/Window.h"
#include "toolkit/Application.h"
#include "toolkit/Timer.h"

namespace {

namespace p = platform;

std::string g_self;

int EnvInt(const char* name, int fallback) {
  const char* s = std::getenv(name);
  int n = s ? std::atoi(s) : 0;
  return n > 0 ? n : fallback;
}

// --- the children ----------------------------------------------------------------

void Report(int fd) {
  char done = 1;
  if (::write(fd, &done, 1) != 1) std::_Exit(3);
}

void Drain(p::HeadlessScreen& screen) {
  p::MSG msg;
  while (p::PeekMessage(&msg, p::HWND{}, 0, 0, p::PM_REMOVE)) {
    p::TranslateMessage(&msg);
    p::DispatchMessage(&msg);
  }
  screen.Screen();  // composed: the picture is there
}

int ConsoleChild(int fd) {
  p::HeadlessOptions options;
  options.virtualClock = false;
  auto& screen = p::UseHeadlessScreen(options);
  app::RegisterClasses();
  toolkit::TApplication application;
  application.Initialize();
  if (!app::CreateWindows()) return 1;
  app::Main->Show();
  Drain(screen);
  Report(fd);
  std::_Exit(0);  // the picture is all that is timed
}

p::LRESULT EmptyProc(p::HWND h, p::UINT m, p::WPARAM w, p::LPARAM l) {
  return p::DefWindowProc(h, m, w, l);
}

int FloorChild(int fd) {
  p::HeadlessOptions options;
  options.virtualClock = false;
  auto& screen = p::UseHeadlessScreen(options);
  p::WNDCLASS wc;
  wc.lpfnWndProc = &EmptyProc;
  wc.lpszClassName = "Empty";
  wc.hbrBackground = p::HBRUSH{std::uint32_t(p::COLOR_BTNFACE + 1)};
  p::RegisterClass(&wc);
  p::HWND h = p::CreateWindow("Empty", "Empty", p::WS_OVERLAPPEDWINDOW, 112, 96, 799, 448,
                              p::HWND{}, p::HMENU{});
  p::ShowWindow(h, p::SW_SHOW);
  p::UpdateWindow(h);
  Drain(screen);
  Report(fd);
  std::_Exit(0);
}

// --- the parent -------------------------------------------------------------------

// Milliseconds from starting a child of that kind to its picture.
double TimeChild(const char* kind) {
  int fds[2];
  if (::pipe(fds) != 0) return -1;
  auto start = std::chrono::steady_clock::now();
  pid_t pid = ::fork();
  if (pid == 0) {
    ::close(fds[0]);
    std::string fd = std::to_string(fds[1]);
    ::execl(g_self.c_str(), g_self.c_str(), "--child", kind, fd.c_str(), nullptr);
    std::_Exit(4);
  }
  ::close(fds[1]);
  char byte = 0;
  ssize_t n = ::read(fds[0], &byte, 1);
  auto end = std::chrono::steady_clock::now();
  ::close(fds[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (n != 1) return -1;
  return std::chrono::duration<double, std::milli>(end - start).count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

void BM_Startup_ConsoleAgainstEmptyWindow(benchmark::State& state) {
  const int runs = EnvInt("SPRINTARA_STARTUP_RUNS", 21);
  for (auto _ : state) {
    std::vector<double> console, floor;
    for (int i = 0; i < runs; ++i) {
      // Alternating, so both see the same machine load.
      floor.push_back(TimeChild("floor"));
      console.push_back(TimeChild("console"));
    }
    if (std::count(console.begin(), console.end(), -1.0) ||
        std::count(floor.begin(), floor.end(), -1.0)) {
      state.SkipWithError("a child did not report its picture");
      return;
    }
    double c = Median(console), f = Median(floor);
    state.SetIterationTime((c + f) / 1000.0);
    state.counters["console_median_ms"] = c;
    state.counters["empty_window_median_ms"] = f;
    state.counters["ratio"] = c / f;
  }
}
BENCHMARK(BM_Startup_ConsoleAgainstEmptyWindow)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

double CpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

void BM_Idle_ConsoleWithClock(benchmark::State& state) {
  const int seconds = EnvInt("SPRINTARA_IDLE_SECONDS", 5);
  for (auto _ : state) {
    p::HeadlessOptions options;
    options.virtualClock = false;
    p::UseHeadlessScreen(options);
    app::RegisterClasses();
    toolkit::TApplication application;
    application.Initialize();
    if (!app::CreateWindows()) {
      state.SkipWithError("start-up failed");
      return;
    }
    int ticks = 0;
    toolkit::TNotifyEvent clock = app::Main->tmrTime->OnTimer();
    app::Main->tmrTime->SetOnTimer([&](component::TObject* s) {
      ++ticks;
      clock(s);
    });
    toolkit::TTimer stop(&application);
    stop.SetInterval(std::uint32_t(seconds) * 1000 + 300);
    stop.SetOnTimer([&](component::TObject*) { application.Terminate(); });
    auto wall0 = std::chrono::steady_clock::now();
    double cpu0 = CpuSeconds();
    application.Run();
    double cpu = CpuSeconds() - cpu0;
    double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
    state.SetIterationTime(wall);
    state.counters["cpu_percent"] = 100.0 * cpu / wall;
    state.counters["clock_ticks"] = ticks;
  }
}
BENCHMARK(BM_Idle_ConsoleWithClock)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--child") == 0) {
    int fd = std::atoi(argv[3]);
    return std::strcmp(argv[2], "console") == 0 ? ConsoleChild(fd) : FloorChild(fd);
  }
  char path[4096];
  ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  g_self = n > 0 ? std::string(path, std::size_t(n)) : argv[0];
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
