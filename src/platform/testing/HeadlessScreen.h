// Drives a program on the headless screen from a test or a tool: installs a
// fresh window system on a new headless backend, runs the message loop on
// the virtual clock, injects keys and mouse input as a user would give
// them, and reads or captures what the screen shows.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/window/Window.h"

namespace platform {

class HeadlessScreen {
 public:
  explicit HeadlessScreen(HeadlessBackend& backend) : backend_(backend) {}

  HeadlessBackend& backend() { return backend_; }
  std::uint64_t NowMs() { return backend_.NowMs(); }
  int Beeps() const { return backend_.Beeps(); }

  // Called whenever a message loop has nothing to do and would wait (a
  // modal loop or a menu inside the code under test). It may queue input or
  // close what waits; returning true makes the loop look again at once
  // instead of waiting. Null removes it.
  void SetIdleHandler(std::function<bool()> handler);

  // Moves the virtual clock forward without running anything.
  void AdvanceClock(std::uint64_t ms) { backend_.AdvanceClock(ms); }
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
  // Types text through key presses of the US layout (with Shift where
  // needed); characters without a key arrive as characters.
  void TypeText(std::string_view text);

  // The composed screen, brought up to date.
  const SurfaceBuffer& Screen();
  std::uint32_t ScreenPixel(int x, int y);
  bool CaptureScreen(const std::string& pngPath);
  // The window's own picture (a top-level window, or the part of its root
  // picture that a child covers), even where other windows hide it.
  bool CaptureWindow(HWND hwnd, const std::string& pngPath);

 private:
  HeadlessBackend& backend_;
  bool quitSeen_ = false;
  int quitCode_ = 0;
};

// Starts a fresh window system (old windows are destroyed) with the
// standard parts on a new headless screen, and returns the screen's driver.
// It stays valid until the next call.
HeadlessScreen& UseHeadlessScreen(const HeadlessOptions& options = {});

}  // namespace platform
