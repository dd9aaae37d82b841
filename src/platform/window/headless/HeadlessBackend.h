// A screen in memory: top-level windows composed by z-order and window
// region, a clock that moves only when told to (or the real one), input
// injected by tests, and pictures of the screen or a window as PNG files.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/Surface.h"
#include "platform/window/Backend.h"
#include "platform/window/Window.h"

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
  // With the virtual clock an idle loop jumps the clock to the next timer.
  void Wait(std::optional<std::uint64_t> deadlineMs) override;
  void Wake() override;
  void Present(std::span<const TopLevelView> views) override;
  Surface ScreenSurface() override { return screen_.View(); }
  bool SetClipboardText(const std::string& text) override;
  std::optional<std::string> GetClipboardText() override;
  void Beep() override { ++beeps_; }

  // ---- for tests

  int Beeps() const { return beeps_; }

  // Called whenever a message loop has nothing to do and would wait (a
  // modal loop or a menu inside the code under test). It may queue input or
  // close what waits; returning true makes the loop look again at once
  // instead of waiting. Null removes it.
  void SetIdleHandler(std::function<bool()> handler) { idle_ = std::move(handler); }

  // Moves the virtual clock forward without running anything.
  void AdvanceClock(std::uint64_t ms);
  // Dispatches every waiting message (input, posted, paint, due timers)
  // without waiting, then presents. Returns how many were dispatched; stops
  // at WM_QUIT, which QuitSeen() then reports.
  int Pump();
  // Runs the loop for `ms` of virtual time: every timer falling due in that
  // span ticks at its moment.
  void Run(std::uint64_t ms);
  bool QuitSeen() const { return quitSeen_; }
  int QuitCode() const { return quitCode_; }

  // Input at screen points; it goes through hit testing like real input.
  void MouseMove(POINT p);
  void MouseDown(POINT p, int button = 0);
  void MouseUp(POINT p, int button = 0);
  void Click(POINT p, int button = 0);
  void DoubleClick(POINT p);
  void KeyDown(int vk);
  void KeyUp(int vk);
  void KeyPress(int vk);  // down and up
  // Types text through key presses (with Shift where needed); characters
  // without a key arrive as characters.
  void TypeText(std::string_view text);

  // The composed screen, brought up to date.
  const SurfaceBuffer& Screen();
  std::uint32_t ScreenPixel(int x, int y);
  bool CaptureScreen(const std::string& pngPath);
  // The window's own picture (a top-level window, or the part of its root
  // picture that a child covers), even where other windows hide it.
  bool CaptureWindow(HWND hwnd, const std::string& pngPath);

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
  std::function<bool()> idle_;
  bool inIdle_ = false;
  bool quitSeen_ = false;
  int quitCode_ = 0;
};

// Installs a fresh window system on a new headless screen (old windows are
// destroyed) and returns that screen.
HeadlessBackend& UseHeadlessBackend(const HeadlessOptions& options = {});

}  // namespace platform
