// A fresh headless window system per test, and a window class whose
// procedure records every message and lets a test answer any of them.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/testing/HeadlessScreen.h"
#include "platform/window/Window.h"

namespace platform::test {

struct Logged {
  HWND hwnd;
  UINT msg;
  WPARAM wp;
  LPARAM lp;
};

using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

inline std::vector<Logged>& Log() {
  static std::vector<Logged> log;
  return log;
}

inline std::map<std::uint32_t, Handler>& Handlers() {
  static std::map<std::uint32_t, Handler> handlers;
  return handlers;
}

// Answers for any window of the class, before the per-window handlers.
inline Handler& ClassHandler() {
  static Handler h;
  return h;
}

inline LRESULT RecordingProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  Log().push_back(Logged{h, m, wp, lp});
  if (auto it = Handlers().find(h.value); it != Handlers().end() && it->second)
    if (auto r = it->second(h, m, wp, lp)) return *r;
  if (ClassHandler())
    if (auto r = ClassHandler()(h, m, wp, lp)) return *r;
  return DefWindowProc(h, m, wp, lp);
}

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    screen_ = &UseHeadlessScreen();
    Log().clear();
    Handlers().clear();
    ClassHandler() = nullptr;
    WNDCLASS wc;
    wc.lpfnWndProc = RecordingProc;
    wc.lpszClassName = "Recorder";
    wc.cbWndExtra = 16;
    wc.hbrBackground = HBRUSH{6};  // COLOR_WINDOW + 1
    ASSERT_NE(RegisterClass(&wc), 0);
    wc.lpszClassName = "DblRecorder";
    wc.style = CS_DBLCLKS;
    ASSERT_NE(RegisterClass(&wc), 0);
  }
  void TearDown() override {
    Handlers().clear();
    ClassHandler() = nullptr;
    UseHeadlessScreen();
  }

  HeadlessScreen& screen() { return *screen_; }

  HWND Top(int x, int y, int w, int h, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, DWORD ex = 0,
           HWND owner = HWND{}, const char* cls = "Recorder") {
    return CreateWindowEx(ex, cls, "Top", style, x, y, w, h, owner, HMENU{});
  }
  HWND Child(HWND parent, int x, int y, int w, int h, DWORD style = WS_CHILD | WS_VISIBLE,
             int id = 0, const char* cls = "Recorder") {
    return CreateWindowEx(0, cls, "Child", style, x, y, w, h, parent, HMENU{std::uint32_t(id)});
  }

  // Messages logged for one window, in order.
  static std::vector<UINT> MessagesOf(HWND h) {
    std::vector<UINT> out;
    for (const Logged& l : Log())
      if (l.hwnd == h) out.push_back(l.msg);
    return out;
  }
  static int Count(HWND h, UINT msg) {
    int n = 0;
    for (const Logged& l : Log()) n += l.hwnd == h && l.msg == msg;
    return n;
  }
  static std::optional<Logged> Last(HWND h, UINT msg) {
    std::optional<Logged> out;
    for (const Logged& l : Log())
      if (l.hwnd == h && l.msg == msg) out = l;
    return out;
  }
  // Position of the first `msg` to any window in the log, -1 when absent.
  static int IndexOf(HWND h, UINT msg) {
    for (std::size_t i = 0; i < Log().size(); ++i)
      if (Log()[i].hwnd == h && Log()[i].msg == msg) return int(i);
    return -1;
  }
  static POINT ScreenOfClient(HWND h, int x, int y) {
    POINT p{x, y};
    ClientToScreen(h, &p);
    return p;
  }

 private:
  HeadlessScreen* screen_ = nullptr;
};

}  // namespace platform::test
