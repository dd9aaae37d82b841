// A headless window system with a parent window that records what its
// controls tell it, and helpers to drive controls the way a user does.
#pragma once

#include <string>
#include <vector>

#include "../window/WindowTestSupport.h"
#include "platform/controls/Controls.h"
#include "platform/gdi/Gdi.h"

namespace platform::test {

class ControlTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    parent_ = Top(100, 100, 400, 300, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    screen().Pump();
  }

  HWND parent() const { return parent_; }

  HWND Make(const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id,
            DWORD ex = 0) {
    HWND c = CreateWindowEx(ex, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent_,
                            HMENU{std::uint32_t(id)});
    screen().Pump();
    return c;
  }

  // The notification codes a control sent its parent, in order.
  static std::vector<UINT> Notes(HWND control) {
    std::vector<UINT> out;
    for (const Logged& l : Log())
      if (l.msg == WM_COMMAND && l.lp == LPARAM(control.value)) out.push_back(HIWORD(l.wp));
    return out;
  }
  static int NoteCount(HWND control, UINT code) {
    int n = 0;
    for (UINT c : Notes(control)) n += c == code;
    return n;
  }

  void ClickAt(HWND h, int x, int y, int button = 0) {
    screen().Click(ScreenOfClient(h, x, y), button);
    screen().Pump();
  }
  void Type(std::string_view text) {
    screen().TypeText(text);
    screen().Pump();
  }
  void Press(int vk) {
    screen().KeyPress(vk);
    screen().Pump();
  }
  void Chord(int modifier, int vk) {
    screen().KeyDown(modifier);
    screen().KeyPress(vk);
    screen().KeyUp(modifier);
    screen().Pump();
  }

  std::string Text(HWND h) { return GetWindowTextString(h); }

  // Pictures go where a person can look at them.
  std::string PicturePath(const std::string& name) {
    return ::testing::TempDir() + "sprintara-" + name + ".png";
  }

 private:
  HWND parent_;
};

}  // namespace platform::test
