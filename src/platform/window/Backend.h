// What a display backend does for the window system. The core keeps every
// piece of window state; a backend only shows top-level pictures, reports
// input and time, and talks to the clipboard.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/base/Types.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/Surface.h"

namespace platform {

// One visible top-level window as the backend should show it.
struct TopLevelView {
  HWND hwnd;
  RECT rect;                      // screen coordinates
  Surface picture;                // the window's retained picture, window-sized
  const Region* shape = nullptr;  // window coordinates; null: the whole rectangle
  RECT dirty{};                   // window coordinates: changed since the last Present
  std::string_view title;         // Windows-1252
  bool popup = false;             // menus and lists: no task-bar entry, never focused
  bool taskbar = false;           // has a task-bar entry
  bool minimized = false;
  bool active = false;
};

class Backend {
 public:
  virtual ~Backend() = default;

  virtual const char* Name() const = 0;
  virtual RECT ScreenRect() const = 0;
  virtual RECT WorkArea() const = 0;
  // Milliseconds on the backend's clock (virtual for the headless screen).
  virtual std::uint64_t NowMs() = 0;

  // Hands pending native events to the window system's input queue.
  virtual void Poll() = 0;
  // Sleeps until input may have arrived, Wake() was called, or the clock
  // reached the deadline. Never spins.
  virtual void Wait(std::optional<std::uint64_t> deadlineMs) = 0;
  // May be called from any thread.
  virtual void Wake() = 0;

  // Every visible top-level window, topmost first.
  virtual void Present(std::span<const TopLevelView> views) = 0;
  // The screen surface the desktop context draws into, and the notice that
  // it drew there (the move/size outline).
  virtual Surface ScreenSurface() = 0;
  virtual void ScreenDrawn(const RECT& /*screenRect*/) {}

  virtual void SetCursorShape(unsigned /*cursorId*/) {}
  virtual void MoveCursor(POINT /*screen*/) {}
  virtual void Beep() {}
  // Windows-1252 text; the desktop converts to UTF-8 at its edge.
  virtual bool SetClipboardText(const std::string& text) = 0;
  virtual std::optional<std::string> GetClipboardText() = 0;
  // Called when the application title changes (the task-bar caption).
  virtual void SetApplicationTitle(const std::string& /*title*/) {}
};

// Replaces the window system with a fresh one on `backend` (old windows are
// destroyed first). Programs start through StartWindowSystem, which also
// installs the standard controls.
void InstallBackend(std::unique_ptr<Backend> backend);

// "headless" or "desktop": the backend in use; "none" before one is installed.
const char* InstalledBackendName();

}  // namespace platform
