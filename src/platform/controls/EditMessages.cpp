// How the single-line edit answers its messages: focus, keys, mouse, the
// context menu, clipboard and undo, and the EM_ messages.
#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/controls/ControlProc.h"
#include "platform/controls/EditContextMenu.h"
#include "platform/controls/EditState.h"

namespace platform {

namespace controls::edit {

namespace {

// ---------------------------------------------------------------- keys

int PrevWord(const std::string& t, int i) {
  while (i > 0 && t[std::size_t(i - 1)] == ' ') --i;
  while (i > 0 && t[std::size_t(i - 1)] != ' ') --i;
  return i;
}

int NextWord(const std::string& t, int i) {
  int n = int(t.size());
  while (i < n && t[std::size_t(i)] != ' ') ++i;
  while (i < n && t[std::size_t(i)] == ' ') ++i;
  return i;
}

// A key or character the edit cannot take.
LRESULT Refuse() {
  MessageBeep(0);
  return 0;
}

LRESULT OnKeyDown(HWND h, EditState& s, WPARAM vk) {
  bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
  int n = int(s.text.size());
  auto move = [&](int to, bool collapseLeft, bool collapseRight) {
    if (!shift && s.HasSel() && (collapseLeft || collapseRight))
      to = collapseLeft ? s.SelStart() : s.SelEnd();
    SetSel(h, s, shift ? s.anchor : to, to);
  };
  switch (int(vk)) {
    case VK_LEFT:
      move(ctrl ? PrevWord(s.text, s.caret) : s.caret - 1, !ctrl, false);
      break;
    case VK_RIGHT:
      move(ctrl ? NextWord(s.text, s.caret) : s.caret + 1, false, !ctrl);
      break;
    case VK_HOME:
      move(0, false, false);
      break;
    case VK_END:
      move(n, false, false);
      break;
    case VK_INSERT:
      if (shift && !ctrl)
        SendMessage(h, WM_PASTE, 0, 0);
      else if (ctrl && !shift)
        SendMessage(h, WM_COPY, 0, 0);
      break;
    case VK_DELETE:
      if (shift && !ctrl) {
        SendMessage(h, WM_CUT, 0, 0);
        break;
      }
      if (ReadOnly(h)) {
        MessageBeep(0);
        break;
      }
      if (!s.HasSel()) {
        int to = ctrl ? NextWord(s.text, s.caret) : s.caret + 1;
        if (s.caret >= n) break;
        s.anchor = s.caret;
        s.caret = std::min(to, n);
      }
      DeleteSel(h, s);
      break;
  }
  return 0;
}

LRESULT OnChar(HWND h, EditState& s, WPARAM wp) {
  unsigned char ch = static_cast<unsigned char>(wp & 0xFF);
  switch (ch) {
    case 1:  // Ctrl+A
      SetSel(h, s, 0, int(s.text.size()));
      return 0;
    case 3:
      SendMessage(h, WM_COPY, 0, 0);
      return 0;
    case 0x16:
      SendMessage(h, WM_PASTE, 0, 0);
      return 0;
    case 0x18:
      SendMessage(h, WM_CUT, 0, 0);
      return 0;
    case 0x1A:
      SendMessage(h, WM_UNDO, 0, 0);
      return 0;
    case 8:
      if (ReadOnly(h)) return Refuse();
      if (!s.HasSel()) {
        if (s.caret == 0) return 0;
        s.anchor = s.caret - 1;
      }
      DeleteSel(h, s);
      return 0;
  }
  // Other control characters (Enter, Tab, Escape, ...) mean nothing to a
  // single-line edit.
  if (ch < 32 || ch == 0x7F) return 0;
  if (ReadOnly(h)) return Refuse();
  if ((Style(h) & ES_NUMBER) && !(ch >= '0' && ch <= '9')) return Refuse();
  char c = char(ch);
  ReplaceSel(h, s, std::string_view(&c, 1), true, true);
  return 0;
}

// ---------------------------------------------------------------- window messages

void InitFromStyle(HWND h, EditState& s) {
  if (Style(h) & ES_PASSWORD) s.password = '*';
}

void RemeasureForFont(HWND h, EditState& s) {
  s.widthsValid = false;
  Measure(h, s);
  if (s.focused) FocusCaret(h, s);
}

LRESULT OnCreate(HWND h, EditState& s, LPARAM lp) {
  auto* cs = reinterpret_cast<const CREATESTRUCT*>(lp);
  s.text = ConvertCase(h, cs && cs->lpszName ? cs->lpszName : "");
  s.created = true;
  Measure(h, s);
  return 0;
}

LRESULT OnSize(HWND h, EditState& s) {
  ScrollToCaret(h, s);
  Redraw(h);
  return 0;
}

LRESULT OnSetText(HWND h, EditState& s, WPARAM wp, LPARAM lp) {
  DefWindowProc(h, WM_SETTEXT, wp, lp);
  SetText(h, s, TextParam(lp));
  return TRUE;
}

LRESULT OnSetFocus(HWND h, EditState& s) {
  s.focused = true;
  FocusCaret(h, s);
  if (s.HasSel()) Redraw(h);
  Notify(h, EN_SETFOCUS);
  return 0;
}

LRESULT OnKillFocus(HWND h, EditState& s) {
  s.focused = false;
  s.typingRun = false;
  DestroyCaret();
  if (s.HasSel()) Redraw(h);
  Notify(h, EN_KILLFOCUS);
  return 0;
}

LRESULT OnLookChanged(HWND h) {
  Redraw(h);
  return 0;
}

// Alt+Backspace undoes, as Ctrl+Z does.
LRESULT OnSysKeyDown(HWND h, WPARAM wp, LPARAM lp) {
  if (wp == WPARAM(VK_BACK) && (lp & (LPARAM(1) << 29))) {
    SendMessage(h, WM_UNDO, 0, 0);
    return 0;
  }
  return DefWindowProc(h, WM_SYSKEYDOWN, wp, lp);
}

LRESULT OnButtonDown(HWND h, WPARAM wp, LPARAM lp) {
  if (GetFocus() != h) SetFocus(h);
  EditState* s = S(h);
  if (!s || GetFocus() != h) return 0;
  int i = IndexAt(h, *s, GET_X_LPARAM(lp));
  SetSel(h, *s, (wp & MK_SHIFT) ? s->anchor : i, i);
  s->tracking = true;
  SetCapture(h);
  return 0;
}

// A double click selects the word under the mouse, or the one just before
// it when the mouse is on a space.
LRESULT OnDoubleClick(HWND h, EditState& s, LPARAM lp) {
  int i = IndexAt(h, s, GET_X_LPARAM(lp));
  int a = i, b = i, n = int(s.text.size());
  auto space = [&](int k) { return s.text[std::size_t(k)] == ' '; };
  if (i < n && !space(i)) {
    while (a > 0 && !space(a - 1)) --a;
    while (b < n && !space(b)) ++b;
  } else if (i > 0 && !space(i - 1)) {
    while (a > 0 && !space(a - 1)) --a;
  }
  SetSel(h, s, a, b);
  return 0;
}

LRESULT OnMouseMove(HWND h, EditState& s, LPARAM lp) {
  if (s.tracking) SetSel(h, s, s.anchor, IndexAt(h, s, GET_X_LPARAM(lp)));
  return 0;
}

LRESULT OnButtonUp(EditState& s) {
  if (s.tracking) ReleaseCapture();
  return 0;
}

LRESULT OnCaptureChanged(EditState& s) {
  s.tracking = false;
  return 0;
}

LRESULT OnRightButtonDown(HWND h) {
  if (GetFocus() != h) SetFocus(h);
  return 0;
}

// Opens at the mouse, or under the caret when asked from the keyboard.
LRESULT OnContextMenu(HWND h, EditState& s, LPARAM lp) {
  if (GetFocus() != h) SetFocus(h);
  if (!S(h)) return 0;
  POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  if (lp == -1 || (pt.x == -1 && pt.y == -1)) {
    RECT f = FormatRect(h, s);
    pt = POINT{XOf(h, s, s.caret), f.bottom};
    ClientToScreen(h, &pt);
  }
  bool readOnly = ReadOnly(h);
  bool sel = s.HasSel();
  bool all = s.SelStart() == 0 && s.SelEnd() == int(s.text.size());
  EditCommands enabled;
  enabled.undo = s.canUndo && !readOnly;
  enabled.cut = sel && !readOnly && !s.password;
  enabled.copy = sel && !s.password;
  enabled.paste = !readOnly;
  enabled.clear = sel && !readOnly;
  enabled.selectAll = !s.text.empty() && !all;
  RunEditContextMenu(h, pt, enabled);
  return 0;
}

// ---------------------------------------------------------------- clipboard and undo

LRESULT OnCopy(EditState& s) {
  Copy(s);
  return 0;
}

LRESULT OnCut(HWND h, EditState& s) {
  if (ReadOnly(h) || s.password) return 0;
  Copy(s);
  DeleteSel(h, s);
  return 0;
}

LRESULT OnClear(HWND h, EditState& s) {
  if (!ReadOnly(h)) DeleteSel(h, s);
  return 0;
}

LRESULT OnPaste(HWND h, EditState& s) {
  if (ReadOnly(h)) return 0;
  std::string t = PasteText();
  // A password edit takes even nothing over its selection.
  if (t.empty() && !(s.password && s.HasSel())) return 0;
  if ((Style(h) & ES_NUMBER) && !OnlyDigits(t)) return Refuse();
  ReplaceSel(h, s, t, true, false);
  return 0;
}

LRESULT OnUndo(HWND h, EditState& s) {
  if (ReadOnly(h) || !s.canUndo) return FALSE;
  Undo(h, s);
  return TRUE;
}

LRESULT OnEmptyUndoBuffer(EditState& s) {
  s.canUndo = false;
  s.undoText.clear();
  return 0;
}

// ---------------------------------------------------------------- edit messages

LRESULT OnGetSel(const EditState& s, WPARAM wp, LPARAM lp) {
  if (auto* p = reinterpret_cast<DWORD*>(wp)) *p = DWORD(s.SelStart());
  if (auto* p = reinterpret_cast<DWORD*>(lp)) *p = DWORD(s.SelEnd());
  return LRESULT(MAKELPARAM(std::min(s.SelStart(), 0xFFFF), std::min(s.SelEnd(), 0xFFFF)) &
                 0xFFFFFFFF);
}

LRESULT OnSetSel(HWND h, EditState& s, WPARAM wp, LPARAM lp) {
  int n = int(s.text.size());
  long long a = (long long)std::intptr_t(wp), b = (long long)lp;
  if (a == -1) {
    SetSel(h, s, s.caret, s.caret);
    return 1;
  }
  if (b < 0) b = n;
  if (a < 0) a = n;
  SetSel(h, s, int(std::min<long long>(a, n)), int(std::min<long long>(b, n)));
  return 1;
}

LRESULT OnReplaceSel(HWND h, EditState& s, WPARAM wp, LPARAM lp) {
  if (!ReplaceSel(h, s, TextParam(lp), wp != 0, false) && S(h)) ScrollToCaret(h, *S(h));
  return 0;
}

LRESULT OnLimitText(EditState& s, WPARAM wp) {
  s.limit = (wp == 0 || wp > WPARAM(kNoLimit)) ? kNoLimit : int(wp);
  return 0;
}

LRESULT OnSetModify(EditState& s, WPARAM wp) {
  s.modified = wp != 0;
  return 0;
}

LRESULT OnSetReadOnly(HWND h, WPARAM wp) {
  DWORD style = Style(h);
  SetWindowLongPtr(h, GWL_STYLE, wp ? (style | ES_READONLY) : (style & ~ES_READONLY));
  Redraw(h);
  return TRUE;
}

LRESULT OnSetPasswordChar(HWND h, EditState& s, WPARAM wp) {
  s.password = static_cast<unsigned char>(wp & 0xFF);
  DWORD style = Style(h);
  SetWindowLongPtr(h, GWL_STYLE, s.password ? (style | ES_PASSWORD) : (style & ~ES_PASSWORD));
  Measure(h, s);
  ScrollToCaret(h, s);
  Redraw(h);
  return 0;
}

LRESULT OnSetMargins(HWND h, EditState& s, WPARAM wp, LPARAM lp) {
  if (wp & EC_LEFTMARGIN) s.marginLeft = wp == EC_USEFONTINFO ? 1 : std::max(0, int(LOWORD(lp)));
  if (wp & EC_RIGHTMARGIN) s.marginRight = wp == EC_USEFONTINFO ? 1 : std::max(0, int(HIWORD(lp)));
  ScrollToCaret(h, s);
  Redraw(h);
  return 0;
}

LRESULT OnGetRect(HWND h, const EditState& s, LPARAM lp) {
  // Before WM_CREATE there is no formatting rectangle yet.
  if (auto* r = reinterpret_cast<RECT*>(lp)) *r = s.created ? FormatRect(h, s) : RECT{};
  return 0;
}

LRESULT OnScrollCaret(HWND h, EditState& s) {
  ScrollToCaret(h, s);
  return TRUE;
}

LRESULT OnPosFromChar(HWND h, const EditState& s, WPARAM wp) {
  if (wp >= s.text.size()) return -1;
  return MAKELPARAM(XOf(h, s, int(wp)), FormatRect(h, s).top);
}

// The single line's "first visible line" is its first visible character.
LRESULT FirstVisibleChar(const EditState& s) {
  return std::upper_bound(s.x.begin(), s.x.end(), s.scroll) - s.x.begin() - 1;
}

// The buffer's first word holds its size in bytes.
// The only line is given whatever line is asked for.
LRESULT OnGetLine(const EditState& s, LPARAM lp) {
  auto* buf = reinterpret_cast<char*>(lp);
  if (!buf) return 0;
  std::size_t size = std::size_t(*reinterpret_cast<std::uint16_t*>(buf));
  std::size_t n = std::min(size, s.text.size());
  std::copy_n(s.text.data(), n, buf);
  return LRESULT(n);
}

LRESULT EditMessage(HWND h, EditState& s, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case EM_CANUNDO:
      return s.canUndo;
    case EM_EMPTYUNDOBUFFER:
      return OnEmptyUndoBuffer(s);
    case EM_GETSEL:
      return OnGetSel(s, wp, lp);
    case EM_SETSEL:
      return OnSetSel(h, s, wp, lp);
    case EM_REPLACESEL:
      return OnReplaceSel(h, s, wp, lp);
    case EM_LIMITTEXT:
      return OnLimitText(s, wp);
    case EM_GETLIMITTEXT:
      return s.limit;
    case EM_GETMODIFY:
      return s.modified;
    case EM_SETMODIFY:
      return OnSetModify(s, wp);
    case EM_SETREADONLY:
      return OnSetReadOnly(h, wp);
    case EM_SETPASSWORDCHAR:
      return OnSetPasswordChar(h, s, wp);
    case EM_GETPASSWORDCHAR:
      return s.password;
    case EM_SETMARGINS:
      return OnSetMargins(h, s, wp, lp);
    case EM_GETMARGINS:
      return MAKELPARAM(s.marginLeft, s.marginRight);
    case EM_GETRECT:
      return OnGetRect(h, s, lp);
    case EM_SCROLLCARET:
      return OnScrollCaret(h, s);
    case EM_POSFROMCHAR:
      return OnPosFromChar(h, s, wp);
    case EM_CHARFROMPOS:
      return MAKELPARAM(IndexAt(h, s, GET_X_LPARAM(lp)), 0);
    case EM_GETLINECOUNT:
      return 1;
    case EM_LINEINDEX:
      return (std::intptr_t(wp) == -1 || wp == 0) ? 0 : -1;
    case EM_LINELENGTH:
      return LRESULT(s.text.size());
    case EM_LINEFROMCHAR:
      return 0;
    case EM_GETFIRSTVISIBLELINE:
      return FirstVisibleChar(s);
    case EM_GETLINE:
      return OnGetLine(s, lp);
  }
  return DefWindowProc(h, msg, wp, lp);
}

LRESULT WindowMessage(HWND h, EditState& s, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      return OnCreate(h, s, lp);
    case WM_SIZE:
      return OnSize(h, s);
    case WM_SETTEXT:
      return OnSetText(h, s, wp, lp);
    case WM_GETTEXT:
      return CopyOut(s.text, reinterpret_cast<char*>(lp), std::size_t(wp));
    case WM_GETTEXTLENGTH:
      return LRESULT(s.text.size());
    case WM_GETDLGCODE:
      return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_SETFOCUS:
      return OnSetFocus(h, s);
    case WM_KILLFOCUS:
      return OnKillFocus(h, s);
    case WM_ENABLE:
    case WM_STYLECHANGED:
      return OnLookChanged(h);
    // Keys and characters are answered 1, taken or not.
    case WM_KEYDOWN:
      OnKeyDown(h, s, wp);
      return 1;
    case WM_CHAR:
      OnChar(h, s, wp);
      return 1;
    case WM_SYSKEYDOWN:
      return OnSysKeyDown(h, wp, lp);
    case WM_LBUTTONDOWN:
      return OnButtonDown(h, wp, lp);
    case WM_LBUTTONDBLCLK:
      return OnDoubleClick(h, s, lp);
    case WM_MOUSEMOVE:
      return OnMouseMove(h, s, lp);
    case WM_LBUTTONUP:
      return OnButtonUp(s);
    case WM_CAPTURECHANGED:
      return OnCaptureChanged(s);
    case WM_RBUTTONDOWN:
      return OnRightButtonDown(h);
    case WM_CONTEXTMENU:
      return OnContextMenu(h, s, lp);
    case WM_COPY:
      return OnCopy(s);
    case WM_CUT:
      return OnCut(h, s);
    case WM_CLEAR:
      return OnClear(h, s);
    case WM_PASTE:
      return OnPaste(h, s);
    case WM_UNDO:
    case EM_UNDO:
      return OnUndo(h, s);
  }
  return EditMessage(h, s, msg, wp, lp);
}

struct EditControl {
  using State = EditState;
  static constexpr auto Created = InitFromStyle;
  static constexpr auto FontChanged = RemeasureForFont;
  static constexpr auto Paint = PaintEdit;
  static constexpr auto Message = WindowMessage;
};

}  // namespace

}  // namespace controls::edit

LRESULT EditWindowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  return controls::ControlProc<controls::edit::EditControl>(h, msg, wp, lp);
}

}  // namespace platform
