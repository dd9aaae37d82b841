// How much processor a program takes that only runs a one-second timer:
// the message loop must sleep between ticks. The loop runs on real time
// (SPRINTARA_IDLE_SECONDS, default 10); the counters report the share of
// one core used, next to a plain sleep of the same length.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/testing/HeadlessScreen.h"
#include "platform/window/Window.h"

namespace {

using namespace platform;

double CpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

int Seconds() {
  const char* s = std::getenv("SPRINTARA_IDLE_SECONDS");
  int n = s ? std::atoi(s) : 10;
  return n > 0 ? n : 10;
}

int g_ticks = 0, g_wanted = 0;
void OnTick(HWND, UINT, std::uintptr_t, DWORD) {
  if (++g_ticks >= g_wanted) PostQuitMessage(0);
}

void BM_Idle_OneSecondTimer(benchmark::State& state) {
  HeadlessOptions options;
  options.virtualClock = false;
  UseHeadlessScreen(options);
  for (auto _ : state) {
    g_ticks = 0;
    g_wanted = Seconds();
    auto wall0 = std::chrono::steady_clock::now();
    double cpu0 = CpuSeconds();
    std::uintptr_t id = SetTimer(HWND{}, 0, 1000, &OnTick);
    MSG msg;
    while (GetMessage(&msg, HWND{}, 0, 0) > 0) DispatchMessage(&msg);
    KillTimer(HWND{}, id);
    double cpu = CpuSeconds() - cpu0;
    double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
    state.SetIterationTime(wall);
    state.counters["cpu_percent"] = 100.0 * cpu / wall;
    state.counters["ticks"] = g_ticks;
  }
}
BENCHMARK(BM_Idle_OneSecondTimer)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

void BM_Idle_PlainSleep(benchmark::State& state) {
  for (auto _ : state) {
    auto wall0 = std::chrono::steady_clock::now();
    double cpu0 = CpuSeconds();
    for (int i = 0; i < Seconds(); ++i) std::this_thread::sleep_for(std::chrono::seconds(1));
    double cpu = CpuSeconds() - cpu0;
    double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
    state.SetIterationTime(wall);
    state.counters["cpu_percent"] = 100.0 * cpu / wall;
  }
}
BENCHMARK(BM_Idle_PlainSleep)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
