// The button ("BUTTON"): push buttons (normal and default), check boxes,
// radio buttons and the group box, in the classic look.
#include <algorithm>

#include "platform/controls/ControlProc.h"

namespace platform {

namespace {

using namespace controls;

struct ButtonState {
  bool pushed = false;    // shown pressed
  bool tracking = false;  // the mouse went down on it
  bool space = false;     // the space bar went down on it
  bool focused = false;
  WPARAM check = BST_UNCHECKED;
  HFONT font;
};

ButtonState* S(HWND h) {
  return StateOf<ButtonState>(h);
}

DWORD Style(HWND h) {
  return DWORD(GetWindowLongPtr(h, GWL_STYLE));
}

DWORD Type(HWND h) {
  return Style(h) & BS_TYPEMASK;
}

bool IsCheck(HWND h) {
  DWORD t = Type(h);
  return t == BS_CHECKBOX || t == BS_AUTOCHECKBOX;
}

bool IsRadio(HWND h) {
  DWORD t = Type(h);
  return t == BS_RADIOBUTTON || t == BS_AUTORADIOBUTTON;
}

void Redraw(HWND h) {
  InvalidateRect(h, nullptr, FALSE);
}

UINT TextFormat(HWND h, UINT horizontalDefault) {
  DWORD style = Style(h);
  UINT fmt = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
  switch (style & BS_CENTER) {
    case BS_LEFT:
      fmt |= DT_LEFT;
      break;
    case BS_RIGHT:
      fmt |= DT_RIGHT;
      break;
    case BS_CENTER:
      fmt |= DT_CENTER;
      break;
    default:
      fmt |= horizontalDefault;
  }
  switch (style & BS_VCENTER) {
    case BS_TOP:
      break;
    case BS_BOTTOM:
      fmt |= DT_BOTTOM;
      break;
    default:
      fmt |= DT_VCENTER;
  }
  return fmt;
}

// The caption rectangle the text takes inside `area`, for the focus rectangle.
RECT TextBounds(HDC dc, const std::string& text, RECT area, UINT fmt) {
  RECT calc = area;
  DrawText(dc, text, &calc, fmt | DT_CALCRECT);
  int w = calc.Width(), hgt = calc.Height();
  RECT r = area;
  if (fmt & DT_CENTER)
    r.left = area.left + (area.Width() - w) / 2;
  else if (fmt & DT_RIGHT)
    r.left = area.right - w;
  r.right = r.left + w;
  if (fmt & DT_VCENTER)
    r.top = area.top + (area.Height() - hgt) / 2;
  else if (fmt & DT_BOTTOM)
    r.top = area.bottom - hgt;
  r.bottom = r.top + hgt;
  return r;
}

void DrawCaption(HDC dc, const std::string& text, RECT r, UINT fmt, bool enabled) {
  if (!enabled) return DrawDisabledText(dc, text, r, fmt);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  DrawText(dc, text, &r, fmt);
}

void PaintPush(HWND h, ButtonState& s, HDC dc, RECT rc, const std::string& text, bool enabled) {
  FillRect(dc, &rc, HBRUSH{COLOR_BTNFACE + 1});
  bool def = Type(h) == BS_DEFPUSHBUTTON;
  if (def) {
    FrameRect(dc, &rc, HBRUSH{COLOR_WINDOWFRAME + 1});
    InflateRect(&rc, -1, -1);
  }
  RECT face = rc;
  if (s.pushed && def) {
    // A pressed default button shows a flat shadow frame.
    FrameRect(dc, &face, HBRUSH{COLOR_BTNSHADOW + 1});
    InflateRect(&face, -2, -2);
  } else {
    DrawFrameControl(dc, &face, DFC_BUTTON,
                     DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (s.pushed ? DFCS_PUSHED : 0));
  }
  RECT tr = face;
  if (s.pushed) OffsetRect(&tr, 1, 1);
  UINT fmt = TextFormat(h, DT_CENTER);
  DrawCaption(dc, text, tr, fmt, enabled);
  if (s.focused) {
    RECT focus = rc;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(dc, &focus);
  }
}

void PaintCheck(HWND h, ButtonState& s, HDC dc, RECT rc, const std::string& text, bool enabled) {
  HBRUSH bg = ControlColors(h, dc, WM_CTLCOLORSTATIC);
  FillRect(dc, &rc, bg);
  int box = 13;
  RECT b{rc.left, rc.top + (rc.Height() - box) / 2, rc.left + box, 0};
  b.bottom = b.top + box;
  COLORREF mark = enabled ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT);
  HBRUSH inside = GetSysColorBrush((s.pushed || !enabled) ? COLOR_BTNFACE : COLOR_WINDOW);
  if (IsRadio(h)) {
    HGDIOBJ oldBrush = SelectObject(dc, inside);
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HPEN oldPen = SelectObject(dc, pen);
    Ellipse(dc, b.left, b.top, b.right - 1, b.bottom - 1);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    if (s.check == BST_CHECKED) {
      // A round dot: a 4 x 4 square with its middle rows one pixel wider.
      HBRUSH dot = CreateSolidBrush(mark);
      RECT d{b.left + 4, b.top + 3, b.left + 8, b.top + 9};
      RECT wide{b.left + 3, b.top + 4, b.left + 9, b.top + 8};
      FillRect(dc, &d, dot);
      FillRect(dc, &wide, dot);
      DeleteObject(dot);
    }
    SelectObject(dc, HBRUSH(oldBrush));
  } else {
    RECT e = b;
    DrawEdge(dc, &e, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    FillRect(dc, &e, inside);
    if (s.check != BST_UNCHECKED) {
      HPEN pen = CreatePen(PS_SOLID, 1, mark);
      HPEN old = SelectObject(dc, pen);
      int x = e.left + 1, y = e.top + 3;
      for (int d = 0; d < 3; ++d) {
        MoveToEx(dc, x, y + 2 + d, nullptr);
        LineTo(dc, x + 2, y + 4 + d);
        LineTo(dc, x + 7, y - 1 + d);
      }
      SelectObject(dc, old);
      DeleteObject(pen);
    }
  }
  RECT tr{b.right + 4, rc.top, rc.right, rc.bottom};
  UINT fmt = TextFormat(h, DT_LEFT);
  DrawCaption(dc, text, tr, fmt, enabled);
  if (s.focused && !text.empty()) {
    RECT f = TextBounds(dc, text, tr, fmt);
    InflateRect(&f, 1, 1);
    DrawFocusRect(dc, &f);
  }
}

void PaintGroup(HWND h, HDC dc, RECT rc, const std::string& text, bool enabled) {
  HBRUSH bg = ControlColors(h, dc, WM_CTLCOLORSTATIC);
  SIZE ts{0, 0};
  RECT calc{0, 0, 0, 0};
  if (!text.empty()) DrawText(dc, text, &calc, DT_SINGLELINE | DT_CALCRECT);
  ts = SIZE{calc.Width(), calc.Height()};
  if (text.empty()) GetTextExtentPoint32(dc, "W", &ts), ts.cx = 0;
  RECT frame = rc;
  frame.top += ts.cy / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (text.empty()) return;
  RECT cap{rc.left + 8, rc.top, std::min(int(rc.right), rc.left + 8 + ts.cx + 4), rc.top + ts.cy};
  FillRect(dc, &cap, bg);
  RECT tr = cap;
  tr.left += 2;
  if (!enabled) return DrawDisabledText(dc, text, tr, DT_SINGLELINE | DT_LEFT);
  SetBkMode(dc, TRANSPARENT);
  DrawText(dc, text, &tr, DT_SINGLELINE | DT_LEFT);
}

void PaintButton(HWND h, ButtonState& s, HDC dc, const PAINTSTRUCT&) {
  RECT rc;
  GetClientRect(h, &rc);
  std::string text = GetWindowTextString(h);
  bool enabled = IsWindowEnabled(h);
  HFONT old = SelectObject(dc, UsableFont(s.font));
  if (Type(h) == BS_OWNERDRAW) {
    DRAWITEMSTRUCT d;
    d.CtlType = ODT_BUTTON;
    d.CtlID = UINT(GetDlgCtrlID(h));
    d.itemAction = ODA_DRAWENTIRE;
    d.itemState =
        (s.pushed ? ODS_SELECTED : 0) | (s.focused ? ODS_FOCUS : 0) | (enabled ? 0 : ODS_DISABLED);
    d.hwndItem = h;
    d.hDC = dc;
    d.rcItem = rc;
    if (HWND p = GetParent(h)) SendMessage(p, WM_DRAWITEM, d.CtlID, reinterpret_cast<LPARAM>(&d));
  } else if (Type(h) == BS_GROUPBOX) {
    PaintGroup(h, dc, rc, text, enabled);
  } else if (IsCheck(h) || IsRadio(h)) {
    PaintCheck(h, s, dc, rc, text, enabled);
  } else {
    ControlColors(h, dc, WM_CTLCOLORBTN);
    PaintPush(h, s, dc, rc, text, enabled);
  }
  SelectObject(dc, old);
}

void SetPushed(HWND h, ButtonState& s, bool pushed) {
  if (s.pushed == pushed) return;
  s.pushed = pushed;
  Redraw(h);
}

void Click(HWND h, ButtonState& s) {
  DWORD type = Type(h);
  if (type == BS_AUTOCHECKBOX) {
    s.check = s.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
    Redraw(h);
  } else if (type == BS_AUTORADIOBUTTON) {
    // The other radio buttons of the group let go.
    if (HWND parent = GetParent(h)) {
      EnumChildWindows(parent, [&](HWND c) {
        if (c != h && GetParent(c) == parent &&
            (GetWindowLongPtr(c, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
          SendMessage(c, BM_SETCHECK, BST_UNCHECKED, 0);
        return true;
      });
    }
    s.check = BST_CHECKED;
    Redraw(h);
  }
  Notify(h, BN_CLICKED);
}

// ---------------------------------------------------------------- messages

// A group box lets the mouse through to the controls inside it.
LRESULT OnNcHitTest(HWND h, WPARAM wp, LPARAM lp) {
  if (Type(h) == BS_GROUPBOX) return HTTRANSPARENT;
  return DefWindowProc(h, WM_NCHITTEST, wp, lp);
}

LRESULT OnSetText(HWND h, WPARAM wp, LPARAM lp) {
  DefWindowProc(h, WM_SETTEXT, wp, lp);
  Redraw(h);
  return TRUE;
}

LRESULT OnLookChanged(HWND h) {
  Redraw(h);
  return 0;
}

LRESULT DialogCode(HWND h) {
  switch (Type(h)) {
    case BS_GROUPBOX:
      return DLGC_STATIC;
    case BS_DEFPUSHBUTTON:
      return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_PUSHBUTTON:
      return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return DLGC_BUTTON | DLGC_RADIOBUTTON;
  }
  return DLGC_BUTTON;
}

LRESULT OnSetFocus(HWND h, ButtonState& s) {
  s.focused = true;
  Redraw(h);
  if (Style(h) & BS_NOTIFY) Notify(h, BN_SETFOCUS);
  return 0;
}

LRESULT OnKillFocus(HWND h, ButtonState& s) {
  s.focused = false;
  s.space = false;
  if (s.tracking && GetCapture() == h) ReleaseCapture();
  SetPushed(h, s, false);
  Redraw(h);
  if (Style(h) & BS_NOTIFY) Notify(h, BN_KILLFOCUS);
  return 0;
}

LRESULT OnButtonDown(HWND h) {
  if (Type(h) == BS_GROUPBOX) return 0;
  ButtonState* s = S(h);
  if (!s) return 0;
  // Captured before the focus moves: a box that the focus change raises
  // takes the mouse and so ends the press, instead of the button holding
  // it afterwards and swallowing the next click.
  s->tracking = true;
  SetCapture(h);
  if (GetFocus() != h) SetFocus(h);
  if (!(s = S(h)) || !s->tracking) return 0;
  SetPushed(h, *s, true);
  return 0;
}

// While the mouse holds the button it shows pressed only with the mouse on it.
LRESULT OnMouseMove(HWND h, ButtonState& s, LPARAM lp) {
  if (s.tracking) {
    RECT rc;
    GetClientRect(h, &rc);
    SetPushed(h, s, PtInRect(rc, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}));
  }
  return 0;
}

LRESULT OnButtonUp(HWND h, ButtonState* s) {
  if (s->tracking) {
    bool inside = s->pushed;
    s->tracking = false;
    ReleaseCapture();
    if (!(s = S(h))) return 0;
    SetPushed(h, *s, false);
    if (inside) Click(h, *s);
  }
  return 0;
}

LRESULT OnCaptureChanged(HWND h, ButtonState& s) {
  if (s.tracking) {
    s.tracking = false;
    SetPushed(h, s, false);
  }
  return 0;
}

// Another window takes the input (a box opens): the press ends unclicked.
LRESULT OnCancelMode(HWND h, ButtonState& s) {
  if (!s.tracking) return 0;
  s.tracking = false;
  if (GetCapture() == h) ReleaseCapture();
  if (S(h)) SetPushed(h, s, false);
  return 0;
}

LRESULT OnKeyDown(HWND h, ButtonState& s, WPARAM wp, LPARAM lp) {
  if (wp == WPARAM(VK_SPACE) && Type(h) != BS_GROUPBOX && !s.tracking) {
    s.space = true;
    SetPushed(h, s, true);
    return 0;
  }
  return DefWindowProc(h, WM_KEYDOWN, wp, lp);
}

LRESULT OnKeyUp(HWND h, ButtonState& s, WPARAM wp, LPARAM lp) {
  if (wp == WPARAM(VK_SPACE) && s.space) {
    s.space = false;
    SetPushed(h, s, false);
    Click(h, s);
    return 0;
  }
  return DefWindowProc(h, WM_KEYUP, wp, lp);
}

LRESULT OnClick(HWND h, ButtonState& s) {
  if (IsWindowEnabled(h) && Type(h) != BS_GROUPBOX) Click(h, s);
  return 0;
}

LRESULT OnSetCheck(HWND h, ButtonState& s, WPARAM wp) {
  if (IsCheck(h) || IsRadio(h)) {
    s.check = wp == BST_INDETERMINATE ? BST_INDETERMINATE : wp ? BST_CHECKED : BST_UNCHECKED;
    Redraw(h);
  }
  return 0;
}

LRESULT StateBits(const ButtonState& s) {
  return LRESULT(s.check) | (s.pushed ? BST_PUSHED : 0) | (s.focused ? BST_FOCUS : 0);
}

LRESULT OnSetState(HWND h, ButtonState& s, WPARAM wp) {
  SetPushed(h, s, wp != 0);
  return 0;
}

LRESULT OnSetStyle(HWND h, WPARAM wp, LPARAM lp) {
  DWORD style = Style(h);
  SetWindowLongPtr(h, GWL_STYLE, (style & ~BS_TYPEMASK) | (DWORD(wp) & BS_TYPEMASK));
  if (lp) Redraw(h);
  return 0;
}

LRESULT ButtonMessage(HWND h, ButtonState& s, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_NCHITTEST:
      return OnNcHitTest(h, wp, lp);
    case WM_SETTEXT:
      return OnSetText(h, wp, lp);
    case WM_ENABLE:
    case WM_STYLECHANGED:
      return OnLookChanged(h);
    case WM_GETDLGCODE:
      return DialogCode(h);
    case WM_SETFOCUS:
      return OnSetFocus(h, s);
    case WM_KILLFOCUS:
      return OnKillFocus(h, s);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return OnButtonDown(h);
    case WM_MOUSEMOVE:
      return OnMouseMove(h, s, lp);
    case WM_LBUTTONUP:
      return OnButtonUp(h, &s);
    case WM_CAPTURECHANGED:
      return OnCaptureChanged(h, s);
    case WM_CANCELMODE:
      return OnCancelMode(h, s);
    case WM_KEYDOWN:
      return OnKeyDown(h, s, wp, lp);
    case WM_KEYUP:
      return OnKeyUp(h, s, wp, lp);
    case WM_CHAR:
      return 0;
    case BM_CLICK:
      return OnClick(h, s);
    case BM_GETCHECK:
      return LRESULT(s.check);
    case BM_SETCHECK:
      return OnSetCheck(h, s, wp);
    case BM_GETSTATE:
      return StateBits(s);
    case BM_SETSTATE:
      return OnSetState(h, s, wp);
    case BM_SETSTYLE:
      return OnSetStyle(h, wp, lp);
  }
  return DefWindowProc(h, msg, wp, lp);
}

struct ButtonControl {
  using State = ButtonState;
  static constexpr auto Paint = PaintButton;
  static constexpr auto Message = ButtonMessage;
};

}  // namespace

LRESULT ButtonWindowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  return ControlProc<ButtonControl>(h, msg, wp, lp);
}

}  // namespace platform
