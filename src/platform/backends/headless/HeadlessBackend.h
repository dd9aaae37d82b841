// A screen in memory: top-level windows composed by z-order and window
// region, and a clock that moves only when told to (or the real one). It
// receives no input of its own; tests and tools drive it from above (see
// platform/testing/HeadlessScreen.h).
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/Surface.h"
#include "platform/window/Backend.h"

namespace platform {

struct HeadlessOptions {
  int width = 1280;
  int height = 800;
  int taskbarHeight = 40;    // the work area ends above this strip
  bool virtualClock = true;  // false: real milliseconds, for running the program
};

class HeadlessBackend : public Backend {
 public:
  explicit HeadlessBackend(const HeadlessOptions& options = {});

  const char* Name() const override { return "headless"; }
  RECT ScreenRect() const override;
  RECT WorkArea() const override;
  std::uint64_t NowMs() override;
  void Poll() override {}
  // With the virtual clock a wait with a deadline jumps the clock to it.
  void Wait(std::optional<std::uint64_t> deadlineMs) override;
  void Wake() override;
  void Present(std::span<const TopLevelView> views) override;
  Surface ScreenSurface() override { return screen_.View(); }
  bool SetClipboardText(const std::string& text) override;
  std::optional<std::string> GetClipboardText() override;
  void Beep() override { ++beeps_; }

  // ---- what the screen's driver reads and moves

  int Beeps() const { return beeps_; }
  // Moves the virtual clock forward without running anything.
  void AdvanceClock(std::uint64_t ms);
  // The composed screen as last presented.
  const SurfaceBuffer& ScreenBuffer() const { return screen_; }

 private:
  struct Shown {
    HWND hwnd;
    RECT rect;
    const void* pixels;
    bool shaped;
    Region shape;
    friend bool operator==(const Shown&, const Shown&) = default;
  };

  HeadlessOptions options_;
  SurfaceBuffer screen_;
  std::uint64_t clock_ = 0;
  std::uint64_t realStart_ = 0;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool woken_ = false;
  std::vector<Shown> shown_;
  std::optional<std::string> clipboard_;
  int beeps_ = 0;
};

}  // namespace platform
