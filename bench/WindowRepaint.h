// The peer that window benchmarks measure against: a window laid out as the
// competitors dialog, twenty standard controls, repainted whole (frame,
// background and every child) through the message loop.
#pragma once

#include <benchmark/benchmark.h>

#include "platform/testing/HeadlessScreen.h"
#include "platform/window/Window.h"

namespace bench {

struct DialogWindow {
  platform::HeadlessScreen* screen;
  platform::HWND main, edit;
  DialogWindow();
};

// The body of BM_Window_FullRepaint.
void RunFullRepaint(benchmark::State& state);

}  // namespace bench
