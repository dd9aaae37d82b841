// Static text ("STATIC"): a label with an underlined mnemonic letter, and
// etched lines and frames.
#include "platform/controls/ControlProc.h"

namespace platform {

namespace {

using namespace controls;

struct StaticState {
  HFONT font;
};

void PaintStatic(HWND h, StaticState& s, HDC dc, const PAINTSTRUCT&) {
  DWORD style = DWORD(GetWindowLongPtr(h, GWL_STYLE));
  RECT rc;
  GetClientRect(h, &rc);
  DWORD type = style & SS_TYPEMASK;
  if (type == SS_ETCHEDHORZ || type == SS_ETCHEDVERT || type == SS_ETCHEDFRAME) {
    UINT sides = type == SS_ETCHEDHORZ ? BF_TOP : type == SS_ETCHEDVERT ? BF_LEFT : BF_RECT;
    DrawEdge(dc, &rc, EDGE_ETCHED, sides);
    return;
  }
  HBRUSH bg = ControlColors(h, dc, WM_CTLCOLORSTATIC);
  FillRect(dc, &rc, bg);
  if (style & SS_SUNKEN) DrawEdge(dc, &rc, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  HFONT old = SelectObject(dc, UsableFont(s.font));
  UINT fmt = DT_EXPANDTABS;
  switch (type) {
    case SS_CENTER:
      fmt |= DT_CENTER | DT_WORDBREAK;
      break;
    case SS_RIGHT:
      fmt |= DT_RIGHT | DT_WORDBREAK;
      break;
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP:
      fmt |= DT_LEFT | DT_SINGLELINE;
      break;
    default:
      fmt |= DT_LEFT | DT_WORDBREAK;
  }
  if (style & SS_NOPREFIX) fmt |= DT_NOPREFIX;
  if (style & SS_CENTERIMAGE) fmt = (fmt & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
  if (style & SS_ENDELLIPSIS) fmt |= DT_END_ELLIPSIS;
  std::string text = GetWindowTextString(h);
  if (!IsWindowEnabled(h)) {
    DrawDisabledText(dc, text, rc, fmt);
  } else {
    SetBkMode(dc, TRANSPARENT);
    DrawText(dc, text, &rc, fmt);
  }
  SelectObject(dc, old);
}

bool Notifies(HWND h) {
  return GetWindowLongPtr(h, GWL_STYLE) & SS_NOTIFY;
}

// Without SS_NOTIFY the mouse goes through to what lies below.
LRESULT OnNcHitTest(HWND h, WPARAM wp, LPARAM lp) {
  if (!Notifies(h)) return HTTRANSPARENT;
  return DefWindowProc(h, WM_NCHITTEST, wp, lp);
}

LRESULT OnSetText(HWND h, WPARAM wp, LPARAM lp) {
  DefWindowProc(h, WM_SETTEXT, wp, lp);
  InvalidateRect(h, nullptr, FALSE);
  return TRUE;
}

LRESULT OnLookChanged(HWND h) {
  InvalidateRect(h, nullptr, FALSE);
  return 0;
}

LRESULT OnClick(HWND h, UINT code) {
  if (Notifies(h)) Notify(h, code);
  return 0;
}

LRESULT StaticMessage(HWND h, StaticState&, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_NCHITTEST:
      return OnNcHitTest(h, wp, lp);
    case WM_SETTEXT:
      return OnSetText(h, wp, lp);
    case WM_ENABLE:
    case WM_STYLECHANGED:
      return OnLookChanged(h);
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case WM_LBUTTONDOWN:
      return OnClick(h, STN_CLICKED);
    case WM_LBUTTONDBLCLK:
      return OnClick(h, STN_DBLCLK);
  }
  return DefWindowProc(h, msg, wp, lp);
}

struct StaticControl {
  using State = StaticState;
  static constexpr auto Paint = PaintStatic;
  static constexpr auto Message = StaticMessage;
};

}  // namespace

LRESULT StaticWindowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  return ControlProc<StaticControl>(h, msg, wp, lp);
}

}  // namespace platform
