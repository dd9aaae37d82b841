// A headless window system with a parent window that records what its
// controls tell it, and helpers to drive controls the way a user does.
#pragma once

#include <string>
#include <vector>

#include "../window/WindowTestSupport.h"
#include "platform/controls/Controls.h"
#include "platform/dialog/MessageBox.h"
#include "platform/gdi/Gdi.h"
#include "platform/testing/MessageBoxAnswers.h"

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

  // An error box in the middle of a click, as a control's handler raises
  // it; the operator lets go of the mouse at `release` while it is up.
  void BoxWhileReleasing(POINT release) {
    AnswerMessageBoxes(screen(), [](const MessageBoxInfo&) { return IDOK; });
    screen().MouseUp(release);
    MessageBox(parent_, "Bad value", "Error", MB_OK);
    ++boxes;
  }
  // A window that refuses to let the focus go while `refuse` is set, as an
  // editor with a value that cannot be written: it takes the focus back
  // and reports.
  HWND RefusingEditor(POINT release) {
    HWND editor = CreateWindowEx(0, "Recorder", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 300, 200,
                                 60, 20, parent_, HMENU{});
    Handlers()[editor.value] = [this, editor, release](HWND, UINT m, WPARAM wp,
                                                       LPARAM) -> std::optional<LRESULT> {
      // Only a move to another control of the window counts as leaving.
      const HWND next{std::uint32_t(wp)};
      if (m == WM_KILLFOCUS && refuse && next && IsChild(parent_, next)) {
        SetFocus(editor);
        BoxWhileReleasing(release);
      }
      return std::nullopt;
    };
    SetFocus(editor);
    screen().Pump();
    return editor;
  }
  bool refuse = true;
  int boxes = 0;

  // Pictures go where a person can look at them.
  std::string PicturePath(const std::string& name) {
    return ::testing::TempDir() + "sprintara-" + name + ".png";
  }

 private:
  HWND parent_;
};

}  // namespace platform::test
