// The single-line edit ("EDIT"): text with a caret and one selection,
// keyboard and mouse selection, clipboard, one level of undo, alignment,
// case conversion, password display, a length limit, horizontal scrolling,
// change notifications and the edit context menu. Its messages are
// answered in EditMessages.cpp.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/controls/EditState.h"

namespace platform::controls::edit {

namespace {

int TextWidth(const EditState& s) {
  return s.x.empty() ? 0 : s.x.back();
}

// Screen x (client) where the text starts, by alignment and scrolling.
int Origin(HWND h, const EditState& s) {
  RECT f = FormatRect(h, s);
  int width = TextWidth(s);
  if (width < f.Width()) {
    DWORD align = Style(h) & (ES_CENTER | ES_RIGHT);
    if (align == ES_CENTER) return f.left + (f.Width() - width) / 2;
    if (align == ES_RIGHT) return f.right - width - 1;
    return f.left;
  }
  return f.left - s.scroll;
}

void PlaceCaret(HWND h, EditState& s) {
  if (!s.focused) return;
  RECT f = FormatRect(h, s);
  int x = std::clamp(XOf(h, s, s.caret), f.left, std::max(f.left, f.right - 1));
  SetCaretPos(x, f.top);
}

// Everything from character `from` on may have moved; what lies before it
// stays where it was when the text starts at the left (scrolling, which
// ScrollToCaret handles, moves it all). Half a line of room on the left
// takes in a new character's stroke that reaches back over its neighbour.
void TextChanged(HWND h, EditState& s, int from = 0) {
  Notify(h, EN_UPDATE);
  if (!S(h)) return;
  Measure(h, s);
  if (from > 0 && !(Style(h) & (ES_CENTER | ES_RIGHT))) {
    RECT r;
    GetClientRect(h, &r);
    r.left = std::max<int>(r.left, Origin(h, s) + s.x[std::size_t(from)] - s.lineHeight / 2);
    InvalidateRect(h, &r, FALSE);
  } else {
    Redraw(h);
  }
  ScrollToCaret(h, s);
  Notify(h, EN_CHANGE);
}

void SaveUndo(EditState& s) {
  s.canUndo = true;
  s.undoText = s.text;
  s.undoAnchor = s.anchor;
  s.undoCaret = s.caret;
}

}  // namespace

EditState* S(HWND h) {
  return StateOf<EditState>(h);
}

DWORD Style(HWND h) {
  return DWORD(GetWindowLongPtr(h, GWL_STYLE));
}

bool ReadOnly(HWND h) {
  return Style(h) & ES_READONLY;
}

// Widths are asked of the font only for characters the text holds: a font
// measures a character by loading its outline, and most edits hold a few.
void Measure(HWND h, EditState& s) {
  constexpr int kUnknown = -1;
  HDC dc{};
  HFONT old{};
  auto select = [&] {
    if (dc) return;
    dc = GetDC(h);
    old = SelectObject(dc, UsableFont(s.font));
  };
  if (!s.widthsValid) {
    std::fill(std::begin(s.charWidths), std::end(s.charWidths), kUnknown);
    select();
    s.lineHeight = LineHeight(dc);
    s.widthsValid = true;
  }
  s.x.resize(s.text.size() + 1);
  s.x[0] = 0;
  for (std::size_t i = 0; i < s.text.size(); ++i) {
    unsigned char c = s.password ? s.password : static_cast<unsigned char>(s.text[i]);
    if (s.charWidths[c] == kUnknown) {
      select();
      if (!GetCharWidth32(dc, c, c, &s.charWidths[c])) s.charWidths[c] = 0;
    }
    s.x[i + 1] = s.x[i] + s.charWidths[c];
  }
  if (dc) {
    SelectObject(dc, old);
    ReleaseDC(h, dc);
  }
}

RECT FormatRect(HWND h, const EditState& s) {
  RECT rc;
  GetClientRect(h, &rc);
  rc.left += s.marginLeft;
  rc.right = std::max(rc.left, rc.right - s.marginRight);
  int top = std::max(0, (rc.Height() - s.lineHeight) / 2);
  rc.top += top;
  rc.bottom = std::min(rc.bottom, rc.top + s.lineHeight);
  return rc;
}

int XOf(HWND h, const EditState& s, int index) {
  return Origin(h, s) + s.x[std::size_t(std::clamp(index, 0, int(s.text.size())))];
}

int IndexAt(HWND h, const EditState& s, int clientX) {
  int rel = clientX - Origin(h, s);
  auto it = std::lower_bound(s.x.begin(), s.x.end(), rel);
  int i = int(it - s.x.begin());
  if (i >= int(s.x.size())) return int(s.text.size());
  if (i > 0 && rel - s.x[std::size_t(i - 1)] < s.x[std::size_t(i)] - rel) --i;
  return i;
}

// Keeps the caret inside the formatting rectangle, scrolling by a quarter
// of the width at a time as the classic edit does.
void ScrollToCaret(HWND h, EditState& s) {
  RECT f = FormatRect(h, s);
  int width = TextWidth(s), view = std::max(1, f.Width());
  int old = s.scroll;
  if (width < view) {
    s.scroll = 0;
  } else {
    int cx = s.x[std::size_t(s.caret)];
    if (cx < s.scroll) s.scroll = std::max(0, cx - view / 4);
    if (cx >= s.scroll + view) s.scroll = cx - view + view / 4;
    s.scroll = std::clamp(s.scroll, 0, std::max(0, width - view + 1));
  }
  if (old != s.scroll) InvalidateRect(h, nullptr, FALSE);
  PlaceCaret(h, s);
}

void Redraw(HWND h) {
  InvalidateRect(h, nullptr, FALSE);
}

void SetSel(HWND h, EditState& s, int anchor, int caret) {
  int n = int(s.text.size());
  anchor = std::clamp(anchor, 0, n);
  caret = std::clamp(caret, 0, n);
  if (anchor == s.anchor && caret == s.caret) return;
  bool visible = s.focused || (Style(h) & ES_NOHIDESEL);
  bool repaint = visible && (s.HasSel() || anchor != caret);
  s.anchor = anchor;
  s.caret = caret;
  s.typingRun = false;
  if (repaint) Redraw(h);
  ScrollToCaret(h, s);
}

std::string ConvertCase(HWND h, std::string_view in) {
  std::string out(in);
  DWORD style = Style(h);
  for (char& c : out) {
    auto u = static_cast<unsigned char>(c);
    if (style & ES_UPPERCASE)
      c = char(UpperChar(u));
    else if (style & ES_LOWERCASE)
      c = char(LowerChar(u));
  }
  return out;
}

// Puts `insert` in place of the selection. Returns false when nothing could
// change (the limit was reached).
bool ReplaceSel(HWND h, EditState& s, std::string_view insert, bool undoable, bool typing) {
  std::string in = ConvertCase(h, insert);
  int start = s.SelStart(), end = s.SelEnd();
  long long room = (long long)s.limit - ((long long)s.text.size() - (end - start));
  if (room < (long long)in.size()) {
    in.resize(std::size_t(std::max(0LL, room)));
    Notify(h, EN_MAXTEXT);
    if (!S(h)) return false;
    if (in.empty() && start == end) {
      MessageBeep(0);
      return false;
    }
  }
  if (in.empty() && start == end) return false;
  if (undoable && !(typing && s.typingRun)) SaveUndo(s);
  s.text.replace(std::size_t(start), std::size_t(end - start), in);
  s.anchor = s.caret = start + int(in.size());
  s.typingRun = typing;
  s.modified = true;
  TextChanged(h, s, start);
  if (S(h)) S(h)->typingRun = typing;
  return true;
}

void DeleteSel(HWND h, EditState& s) {
  if (s.HasSel()) ReplaceSel(h, s, "", true, false);
}

void PaintEdit(HWND h, EditState& s, HDC dc, const PAINTSTRUCT&) {
  bool enabled = IsWindowEnabled(h);
  UINT ctl = (!enabled || ReadOnly(h)) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
  HBRUSH bg = ControlColors(h, dc, ctl);
  if (!S(h)) return;
  RECT rc;
  GetClientRect(h, &rc);
  FillRect(dc, &rc, bg);
  HFONT old = SelectObject(dc, UsableFont(s.font));
  RECT f = FormatRect(h, s);
  IntersectClipRect(dc, f.left, rc.top, f.right, rc.bottom);
  COLORREF textColor = enabled ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT);
  SetBkMode(dc, TRANSPARENT);
  std::string shown = s.password ? std::string(s.text.size(), char(s.password)) : s.text;
  int origin = Origin(h, s);
  // Only the characters that can be seen are drawn, so long texts stay cheap.
  int first = int(std::upper_bound(s.x.begin(), s.x.end(), f.left - origin) - s.x.begin()) - 1;
  int last = int(std::lower_bound(s.x.begin(), s.x.end(), f.right - origin) - s.x.begin());
  first = std::clamp(first, 0, int(shown.size()));
  last = std::clamp(last, first, int(shown.size()));
  std::vector<int> dx(std::size_t(last - first));
  for (int i = first; i < last; ++i)
    dx[std::size_t(i - first)] = s.x[std::size_t(i + 1)] - s.x[std::size_t(i)];
  auto run = [&](int a, int b, COLORREF color) {
    a = std::max(a, first), b = std::min(b, last);
    if (a >= b) return;
    SetTextColor(dc, color);
    ExtTextOut(dc, origin + s.x[std::size_t(a)], f.top, 0, nullptr,
               std::string_view(shown).substr(std::size_t(a), std::size_t(b - a)),
               dx.data() + (a - first));
  };
  bool showSel = s.HasSel() && (s.focused || (Style(h) & ES_NOHIDESEL));
  if (!showSel) {
    run(first, last, textColor);
  } else {
    int a = s.SelStart(), b = s.SelEnd();
    run(first, a, textColor);
    RECT sel{origin + s.x[std::size_t(a)], f.top, origin + s.x[std::size_t(b)], f.bottom};
    FillRect(dc, &sel, GetSysColorBrush(COLOR_HIGHLIGHT));
    run(a, b, GetSysColor(COLOR_HIGHLIGHTTEXT));
    run(b, last, textColor);
  }
  SelectObject(dc, old);
}

void Copy(EditState& s) {
  if (!s.HasSel() || s.password) return;
  SetClipboardText(
      s.text.substr(std::size_t(s.SelStart()), std::size_t(s.SelEnd() - s.SelStart())));
}

// What may be pasted: one line, as the single-line edit holds only one.
std::string PasteText() {
  std::string t = GetClipboardText();
  std::size_t cut = t.find_first_of("\r\n");
  if (cut != std::string::npos) t.resize(cut);
  return t;
}

bool OnlyDigits(std::string_view t) {
  return std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void Undo(HWND h, EditState& s) {
  if (!s.canUndo) return;
  std::swap(s.text, s.undoText);
  std::swap(s.anchor, s.undoAnchor);
  std::swap(s.caret, s.undoCaret);
  int n = int(s.text.size());
  s.anchor = std::clamp(s.anchor, 0, n);
  s.caret = std::clamp(s.caret, 0, n);
  s.typingRun = false;
  s.modified = true;
  TextChanged(h, s);
}

void SetText(HWND h, EditState& s, std::string_view text) {
  s.text = ConvertCase(h, text);
  s.anchor = s.caret = 0;
  s.scroll = 0;
  s.modified = false;
  s.canUndo = false;
  s.typingRun = false;
  TextChanged(h, s);
}

void FocusCaret(HWND h, EditState& s) {
  CreateCaret(h, HBITMAP{}, 1, s.lineHeight);
  PlaceCaret(h, s);
  ShowCaret(h);
}

}  // namespace platform::controls::edit
