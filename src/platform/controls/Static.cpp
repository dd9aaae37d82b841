// Static text ("STATIC"): a label with an underlined mnemonic letter, and
// etched lines and frames.
#include "platform/controls/ControlSupport.h"

namespace platform {

namespace {

using namespace controls;

struct StaticState {
  HFONT font;
};

void Paint(HWND h, StaticState& s) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  DWORD style = DWORD(GetWindowLongPtr(h, GWL_STYLE));
  RECT rc;
  GetClientRect(h, &rc);
  DWORD type = style & SS_TYPEMASK;
  if (type == SS_ETCHEDHORZ || type == SS_ETCHEDVERT || type == SS_ETCHEDFRAME) {
    UINT sides = type == SS_ETCHEDHORZ ? BF_TOP : type == SS_ETCHEDVERT ? BF_LEFT : BF_RECT;
    DrawEdge(dc, &rc, EDGE_ETCHED, sides);
    EndPaint(h, &ps);
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
  EndPaint(h, &ps);
}

}  // namespace

LRESULT StaticWindowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  auto* s = StateOf<StaticState>(h);
  if (!s) {
    if (msg == WM_NCCREATE) SetState(h, new StaticState);
    return DefWindowProc(h, msg, wp, lp);
  }
  switch (msg) {
    case WM_NCDESTROY:
      SetState<StaticState>(h, nullptr);
      delete s;
      return DefWindowProc(h, msg, wp, lp);
    case WM_NCHITTEST:
      if (!(GetWindowLongPtr(h, GWL_STYLE) & SS_NOTIFY)) return HTTRANSPARENT;
      break;
    case WM_PAINT:
      Paint(h, *s);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETFONT:
      s->font = HFONT{std::uint32_t(wp)};
      if (lp) InvalidateRect(h, nullptr, FALSE);
      return 0;
    case WM_GETFONT:
      return LRESULT(s->font.value);
    case WM_SETTEXT:
    case WM_ENABLE:
    case WM_STYLECHANGED:
      if (msg == WM_SETTEXT) DefWindowProc(h, msg, wp, lp);
      InvalidateRect(h, nullptr, FALSE);
      return msg == WM_SETTEXT ? TRUE : 0;
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case WM_LBUTTONDOWN:
      if (GetWindowLongPtr(h, GWL_STYLE) & SS_NOTIFY) Notify(h, STN_CLICKED);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (GetWindowLongPtr(h, GWL_STYLE) & SS_NOTIFY) Notify(h, STN_DBLCLK);
      return 0;
  }
  return DefWindowProc(h, msg, wp, lp);
}

}  // namespace platform
