// Geometry: coordinates, SetWindowPos and z-order, showing, minimising and
// maximising, enabling, window regions.
#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/window/WindowSystem.h"

namespace platform {

namespace {

bool OwnedBy(const WindowSystem& ws, HWND h, HWND owner) {
  for (WindowRec* w = ws.Get(h); w && w->owner; w = ws.Get(w->owner))
    if (w->owner == owner) return true;
  return false;
}

void Reorder(WindowRec& w, HWND after, UINT flags) {
  auto& ws = WS();
  WindowRec* p = ws.Get(w.parent);
  if (!p) return;
  auto& list = p->children;
  std::erase(list, w.hwnd);
  bool top = p->hwnd == ws.desktop;
  if (top && after == HWND_TOPMOST) w.exStyle |= WS_EX_TOPMOST;
  if (top && (after == HWND_NOTOPMOST || after == HWND_BOTTOM)) w.exStyle &= ~WS_EX_TOPMOST;
  auto groupStart = [&]() {
    auto it = list.begin();
    if (top && !(w.exStyle & WS_EX_TOPMOST))
      while (it != list.end() && ws.Get(*it) && (ws.Get(*it)->exStyle & WS_EX_TOPMOST)) ++it;
    return it;
  };
  if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
    list.insert(groupStart(), w.hwnd);
  } else if (after == HWND_BOTTOM) {
    list.push_back(w.hwnd);
  } else {
    auto it = std::find(list.begin(), list.end(), after);
    if (it == list.end())
      list.insert(groupStart(), w.hwnd);
    else
      list.insert(std::next(it), w.hwnd);
  }
  if (!top || (flags & SWP_NOOWNERZORDER)) return;
  // Owned windows stay above their owners.
  std::vector<HWND> owned;
  for (HWND t : list)
    if (OwnedBy(ws, t, w.hwnd)) owned.push_back(t);
  if (!owned.empty()) {
    std::erase_if(list, [&](HWND t) { return OwnedBy(ws, t, w.hwnd); });
    auto it = std::find(list.begin(), list.end(), w.hwnd);
    list.insert(it, owned.begin(), owned.end());
  }
  if (w.owner) {
    auto self = std::find(list.begin(), list.end(), w.hwnd);
    auto own = std::find(list.begin(), list.end(), w.owner);
    if (own != list.end() && own < self) {
      list.erase(self);
      own = std::find(list.begin(), list.end(), w.owner);
      list.insert(own, w.hwnd);
    }
  }
}

void SyncPicture(WindowRec& w) {
  auto& ws = WS();
  if (!ws.IsTopLevel(w)) return;
  int cx = std::max(0, w.window.Width()), cy = std::max(0, w.window.Height());
  if (w.picture.Width() != cx || w.picture.Height() != cy) {
    w.picture.Resize(cx, cy, 0xFF000000u);
    w.dirty = RECT{0, 0, cx, cy};
  }
}

RECT MaximizedRect(WindowRec& w) {
  auto& ws = WS();
  MINMAXINFO mmi = GetMinMax(w.hwnd);
  RECT base = ws.IsTopLevel(w) ? ws.backend().WorkArea() : RECT{0, 0, 0, 0};
  return RECT{base.left + mmi.ptMaxPosition.x, base.top + mmi.ptMaxPosition.y,
              base.left + mmi.ptMaxPosition.x + mmi.ptMaxSize.x,
              base.top + mmi.ptMaxPosition.y + mmi.ptMaxSize.y};
}

void PlaceAt(HWND h, const RECT& r) {
  SetWindowPos(h, HWND{}, r.left, r.top, r.Width(), r.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Minimize(WindowRec& w) {
  if (w.style & WS_MINIMIZE) return;
  if (w.style & WS_MAXIMIZE)
    w.restoreToMaximized = true;
  else
    w.normal = w.window, w.restoreToMaximized = false;
  w.style = (w.style | WS_MINIMIZE) & ~WS_MAXIMIZE;
  PlaceAt(w.hwnd, RECT{-32000, -32000, -32000 + GetSystemMetrics(SM_CXMINIMIZED),
                       -32000 + GetSystemMetrics(SM_CYMINIMIZED)});
}

void Maximize(WindowRec& w) {
  if (w.style & WS_MAXIMIZE) return;
  if (!(w.style & WS_MINIMIZE)) w.normal = w.window;
  w.style = (w.style | WS_MAXIMIZE) & ~WS_MINIMIZE;
  PlaceAt(w.hwnd, MaximizedRect(w));
}

void Restore(WindowRec& w) {
  if (!(w.style & (WS_MINIMIZE | WS_MAXIMIZE))) return;
  if ((w.style & WS_MINIMIZE) && w.restoreToMaximized) {
    w.style &= ~WS_MINIMIZE;
    w.restoreToMaximized = false;
    w.style |= WS_MAXIMIZE;
    PlaceAt(w.hwnd, MaximizedRect(w));
    return;
  }
  w.style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
  PlaceAt(w.hwnd, w.normal);
}

}  // namespace

int FrameThickness(DWORD style, DWORD exStyle) {
  if (style & WS_THICKFRAME) return GetSystemMetrics(SM_CXFRAME);
  if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
    return GetSystemMetrics(SM_CXDLGFRAME);
  if (style & WS_BORDER) return GetSystemMetrics(SM_CXBORDER);
  return 0;
}

RECT FrameInsets(DWORD style, DWORD exStyle, bool hasMenu) {
  int b = FrameThickness(style, exStyle);
  RECT in{b, b, b, b};
  if ((style & WS_CAPTION) == WS_CAPTION)
    in.top += GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
  if (hasMenu && !(style & WS_CHILD)) in.top += GetSystemMetrics(SM_CYMENU);
  int edge = 0;
  if (exStyle & WS_EX_CLIENTEDGE) edge += GetSystemMetrics(SM_CXEDGE);
  if (exStyle & WS_EX_STATICEDGE) edge += GetSystemMetrics(SM_CXBORDER);
  in.left += edge, in.top += edge, in.right += edge, in.bottom += edge;
  if (style & WS_VSCROLL) in.right += GetSystemMetrics(SM_CXVSCROLL);
  if (style & WS_HSCROLL) in.bottom += GetSystemMetrics(SM_CYHSCROLL);
  return in;
}

BOOL AdjustWindowRectEx(RECT* r, DWORD style, BOOL menu, DWORD exStyle) {
  if (!r) return FALSE;
  if (!(style & (WS_CHILD | WS_POPUP))) style |= WS_CAPTION;
  RECT in = FrameInsets(style & ~(WS_VSCROLL | WS_HSCROLL), exStyle, menu);
  r->left -= in.left, r->top -= in.top, r->right += in.right, r->bottom += in.bottom;
  return TRUE;
}

void RecalcClient(WindowRec& w) {
  RECT r = w.window;
  Send(&w, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&r));
  if (!WS().Find(w.hwnd)) return;
  // The client area always lies inside the window.
  r.left = std::clamp(r.left, w.window.left, w.window.right);
  r.right = std::clamp(r.right, r.left, w.window.right);
  r.top = std::clamp(r.top, w.window.top, w.window.bottom);
  r.bottom = std::clamp(r.bottom, r.top, w.window.bottom);
  w.client = r;
  SyncPicture(w);
}

MINMAXINFO GetMinMax(HWND h) {
  auto& ws = WS();
  MINMAXINFO mmi;
  WindowRec* w = ws.Get(h);
  if (!w) return mmi;
  RECT work = ws.backend().WorkArea();
  RECT in = FrameInsets(w->style, w->exStyle, false);
  RECT area = ws.IsTopLevel(*w) ? work : RECT{0, 0, w->window.Width(), w->window.Height()};
  if (WindowRec* p = ws.Get(w->parent); p && !ws.IsTopLevel(*w))
    area = RECT{0, 0, p->client.Width(), p->client.Height()};
  // Maximised windows put their sizing border just outside the area.
  int bx = (w->style & WS_THICKFRAME) ? in.left : 0;
  int by = (w->style & WS_THICKFRAME) ? in.bottom : 0;
  mmi.ptMaxSize = POINT{area.Width() + 2 * bx, area.Height() + 2 * by};
  mmi.ptMaxPosition = POINT{-bx, -by};
  mmi.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
  mmi.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
  if (w->created) {
    Send(w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  }
  mmi.ptMaxTrackSize.x = std::max(mmi.ptMaxTrackSize.x, mmi.ptMinTrackSize.x);
  mmi.ptMaxTrackSize.y = std::max(mmi.ptMaxTrackSize.y, mmi.ptMinTrackSize.y);
  return mmi;
}

// ---------------------------------------------------------------- coordinates

BOOL GetWindowRect(HWND h, RECT* out) {
  auto& ws = WS();
  WindowRec* w = ws.Get(h);
  if (!w || !out) return FALSE;
  *out = ws.ScreenWindowRect(*w);
  return TRUE;
}

BOOL GetClientRect(HWND h, RECT* out) {
  WindowRec* w = WS().Get(h);
  if (!w || !out) return FALSE;
  *out = RECT{0, 0, w->client.Width(), w->client.Height()};
  return TRUE;
}

BOOL GetNormalRect(HWND h, RECT* out) {
  WindowRec* w = WS().Get(h);
  if (!w || !out) return FALSE;
  *out = (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) ? w->normal : w->window;
  return TRUE;
}

BOOL ClientToScreen(HWND h, POINT* p) {
  auto& ws = WS();
  WindowRec* w = ws.Get(h);
  if (!w || !p) return FALSE;
  POINT o = ws.ClientOrigin(*w);
  p->x += o.x, p->y += o.y;
  return TRUE;
}

BOOL ScreenToClient(HWND h, POINT* p) {
  auto& ws = WS();
  WindowRec* w = ws.Get(h);
  if (!w || !p) return FALSE;
  POINT o = ws.ClientOrigin(*w);
  p->x -= o.x, p->y -= o.y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
  auto& ws = WS();
  POINT a{}, b{};
  if (from) {
    WindowRec* w = ws.Get(from);
    if (!w) return 0;
    a = ws.ClientOrigin(*w);
  }
  if (to) {
    WindowRec* w = ws.Get(to);
    if (!w) return 0;
    b = ws.ClientOrigin(*w);
  }
  int dx = a.x - b.x, dy = a.y - b.y;
  if (points)
    for (UINT i = 0; i < count; ++i) points[i].x += dx, points[i].y += dy;
  return int((unsigned(dx) & 0xFFFF) | ((unsigned(dy) & 0xFFFF) << 16));
}

// ---------------------------------------------------------------- positioning

namespace {

// What one SetWindowPos call changes, gathered as it goes so each step reads
// the state the earlier ones left.
struct PosChange {
  HWND h;
  UINT flags = 0;
  bool topLevel = false;
  RECT oldWindow, oldClient, newWindow;
  bool oldVisible = false, visible = false;
  bool moved = false, sized = false, frame = false, zChanged = false;
  Region oldArea;  // what the window covered in its parent's window coordinates
};

// A window handle to insert after must be a sibling; inserting after itself
// leaves the order alone.
bool CheckInsertAfter(const WindowRec& w, HWND after, UINT& flags) {
  bool special =
      after == HWND_TOP || after == HWND_BOTTOM || after == HWND_TOPMOST || after == HWND_NOTOPMOST;
  if ((flags & SWP_NOZORDER) || special) return true;
  WindowRec* a = WS().Get(after);
  if (!a || a->parent != w.parent) return false;
  if (after == w.hwnd) flags |= SWP_NOZORDER;
  return true;
}

WINDOWPOS RequestedPos(const WindowRec& w, HWND after, int x, int y, int cx, int cy, UINT flags) {
  WINDOWPOS wp;
  wp.hwnd = w.hwnd;
  wp.hwndInsertAfter = after;
  wp.x = (flags & SWP_NOMOVE) ? w.window.left : x;
  wp.y = (flags & SWP_NOMOVE) ? w.window.top : y;
  wp.cx = (flags & SWP_NOSIZE) ? w.window.Width() : cx;
  wp.cy = (flags & SWP_NOSIZE) ? w.window.Height() : cy;
  wp.flags = flags;
  return wp;
}

// Keeps every later rectangle within the range regions can hold.
void ClampPos(WINDOWPOS& wp) {
  constexpr int kMax = Region::kLimit / 4;
  wp.cx = std::clamp(wp.cx, 0, kMax);
  wp.cy = std::clamp(wp.cy, 0, kMax);
  wp.x = std::clamp(wp.x, -kMax, kMax);
  wp.y = std::clamp(wp.y, -kMax, kMax);
}

RECT TargetRect(const RECT& old, const WINDOWPOS& wp, UINT flags) {
  RECT r = old;
  if (!(flags & SWP_NOMOVE)) OffsetRect(&r, wp.x - old.left, wp.y - old.top);
  if (!(flags & SWP_NOSIZE)) {
    r.right = r.left + wp.cx;
    r.bottom = r.top + wp.cy;
  }
  return r;
}

Region CoveredArea(const WindowRec& w, const RECT& window) {
  if (!w.shape) return Region(window);
  Region area = *w.shape;
  area.Offset(window.left, window.top);
  return area;
}

// Sets the new window rectangle and the client area inside it: asked of the
// window when the size or frame changed, carried along on a plain move.
// False when the window went away while asked.
bool ApplyGeometry(WindowRec& w, PosChange& c, WINDOWPOS& wp) {
  w.window = c.newWindow;
  if (c.sized || c.frame) {
    NCCALCSIZE_PARAMS p;
    p.rgrc[0] = c.newWindow;
    p.rgrc[1] = c.oldWindow;
    p.rgrc[2] = c.oldClient;
    p.lppos = &wp;
    Send(&w, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&p));
    if (!WS().Find(c.h)) return false;
    RECT r = p.rgrc[0];
    r.left = std::clamp(r.left, c.newWindow.left, c.newWindow.right);
    r.right = std::clamp(r.right, r.left, c.newWindow.right);
    r.top = std::clamp(r.top, c.newWindow.top, c.newWindow.bottom);
    r.bottom = std::clamp(r.bottom, r.top, c.newWindow.bottom);
    w.client = r;
  } else if (c.moved) {
    OffsetRect(&w.client, c.newWindow.left - c.oldWindow.left, c.newWindow.top - c.oldWindow.top);
  }
  return true;
}

// Whether the sibling order really changed.
bool ApplyZOrder(WindowRec& w, HWND after, UINT flags) {
  WindowRec* p = WS().Get(w.parent);
  std::vector<HWND> before = p ? p->children : std::vector<HWND>{};
  Reorder(w, after, flags);
  return p && before != p->children;
}

// The window repaints whole when it changed shape or came into view (or, as
// a child, moved among its siblings); the parent repaints what it uncovered.
void InvalidateChanged(WindowRec& w, const PosChange& c) {
  UINT flags = c.flags;
  if ((flags & SWP_NOREDRAW) && !(flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))) return;
  bool whole = c.sized || c.frame || (c.visible && !c.oldVisible) ||
               (!c.topLevel && (c.moved || c.zChanged));
  if (c.visible && whole)
    InvalidateWindowArea(w, Region(0, 0, c.newWindow.Width(), c.newWindow.Height()),
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  if (!c.topLevel && c.oldVisible && (c.moved || c.sized || !c.visible)) {
    if (WindowRec* p = WS().Get(w.parent)) {
      Region area = c.oldArea;
      area.Offset(p->client.left - p->window.left, p->client.top - p->window.top);
      InvalidateWindowArea(*p, area, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
  }
}

// A hidden window hands activation and focus on; a shown top-level one takes
// activation unless told not to or unable to.
void UpdateActivation(const WindowRec& w, const PosChange& c) {
  auto& ws = WS();
  if (c.oldVisible && !c.visible) {
    if (ws.active == c.h) ActivateNext(c.h);
    if (!c.topLevel && ws.focus && ws.IsDescendant(c.h, ws.focus)) SetFocus(w.parent);
  } else if (c.topLevel && c.visible && !(c.flags & SWP_NOACTIVATE) && !(w.style & WS_DISABLED) &&
             !(w.exStyle & WS_EX_NOACTIVATE)) {
    SetActive(c.h, false, !(c.flags & SWP_NOZORDER));
  }
}

// WM_WINDOWPOSCHANGED with the final place and flags saying what did not
// change, from which DefWindowProc decides on WM_MOVE and WM_SIZE.
void ReportChanged(WindowRec& w, const PosChange& c, WINDOWPOS& wp) {
  if (!c.moved) wp.flags |= SWP_NOMOVE;
  if (!c.sized) wp.flags |= SWP_NOSIZE;
  if (w.client.left - w.window.left == c.oldClient.left - c.oldWindow.left &&
      w.client.top - w.window.top == c.oldClient.top - c.oldWindow.top && !c.moved)
    wp.flags |= kNoClientMove;
  if (w.client.Width() == c.oldClient.Width() && w.client.Height() == c.oldClient.Height() &&
      !c.frame)
    wp.flags |= kNoClientSize;
  wp.x = w.window.left, wp.y = w.window.top;
  wp.cx = w.window.Width(), wp.cy = w.window.Height();
  Send(&w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
}

}  // namespace

BOOL SetWindowPos(HWND h, HWND after, int x, int y, int cx, int cy, UINT flags) {
  auto& ws = WS();
  auto w = ws.Find(h);
  if (!w || h == ws.desktop) return FALSE;
  if (!CheckInsertAfter(*w, after, flags)) return FALSE;
  if ((flags & SWP_SHOWWINDOW) && (w->style & WS_VISIBLE)) flags &= ~SWP_SHOWWINDOW;
  if ((flags & SWP_HIDEWINDOW) && !(w->style & WS_VISIBLE)) flags &= ~SWP_HIDEWINDOW;

  WINDOWPOS wp = RequestedPos(*w, after, x, y, cx, cy, flags);
  if (!(flags & SWP_NOSENDCHANGING)) {
    Send(w.get(), WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
    if (!ws.Find(h)) return FALSE;
    flags = wp.flags;
  }
  ClampPos(wp);

  PosChange c;
  c.h = h, c.flags = flags, c.topLevel = ws.IsTopLevel(*w);
  c.oldWindow = w->window, c.oldClient = w->client, c.oldVisible = ws.ReallyVisible(*w);
  c.newWindow = TargetRect(c.oldWindow, wp, flags);
  c.moved = c.newWindow.left != c.oldWindow.left || c.newWindow.top != c.oldWindow.top;
  c.sized =
      c.newWindow.Width() != c.oldWindow.Width() || c.newWindow.Height() != c.oldWindow.Height();
  c.frame = flags & SWP_FRAMECHANGED;
  if (c.oldVisible && !c.topLevel) c.oldArea = CoveredArea(*w, c.oldWindow);

  if (!ApplyGeometry(*w, c, wp)) return FALSE;
  if (!(flags & SWP_NOZORDER)) c.zChanged = ApplyZOrder(*w, after, flags);
  if (flags & SWP_SHOWWINDOW) w->style |= WS_VISIBLE;
  if (flags & SWP_HIDEWINDOW) w->style &= ~WS_VISIBLE;
  SyncPicture(*w);
  c.visible = ws.ReallyVisible(*w);

  InvalidateChanged(*w, c);
  RefreshOpenDCs();
  UpdateActivation(*w, c);
  if (!ws.Find(h)) return TRUE;
  ReportChanged(*w, c, wp);
  return TRUE;
}

BOOL MoveWindow(HWND h, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(h, HWND{}, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND h) {
  return SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL ShowWindow(HWND h, int command) {
  auto& ws = WS();
  auto w = ws.Find(h);
  if (!w || h == ws.desktop) return FALSE;
  bool wasVisible = w->style & WS_VISIBLE;
  bool topLevel = ws.IsTopLevel(*w);
  bool activate = topLevel;
  switch (command) {
    case SW_HIDE:
      if (!wasVisible) return FALSE;
      Send(w.get(), WM_SHOWWINDOW, FALSE, 0);
      SetWindowPos(h, HWND{}, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return TRUE;
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case SW_SHOWMINIMIZED:
      Minimize(*w);
      activate = command == SW_SHOWMINIMIZED && topLevel;
      if (!activate && ws.active == h) ActivateNext(h);
      break;
    case SW_SHOWMAXIMIZED:
      Maximize(*w);
      break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
      Restore(*w);
      break;
    case SW_SHOW:
      break;
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE:
      activate = false;
      break;
    default:
      return FALSE;
  }
  if (!ws.Find(h)) return wasVisible;
  if (!wasVisible) {
    Send(w.get(), WM_SHOWWINDOW, TRUE, 0);
    if (!ws.Find(h)) return FALSE;
    UINT f = SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE;
    if (!activate) f |= SWP_NOACTIVATE | SWP_NOZORDER;
    SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, f);
  } else if (activate && (command != SW_MINIMIZE && command != SW_SHOWMINNOACTIVE)) {
    SetActive(h, false, true);
  }
  return wasVisible;
}

BOOL EnableWindow(HWND h, BOOL enable) {
  auto& ws = WS();
  auto w = ws.Find(h);
  if (!w || h == ws.desktop) return FALSE;
  bool wasDisabled = w->style & WS_DISABLED;
  if (enable && wasDisabled) {
    w->style &= ~WS_DISABLED;
    Send(w.get(), WM_ENABLE, TRUE, 0);
  } else if (!enable && !wasDisabled) {
    Send(w.get(), WM_CANCELMODE, 0, 0);
    if (!ws.Find(h)) return FALSE;
    w->style |= WS_DISABLED;
    // A disabled window keeps neither focus nor capture.
    if (ws.focus && ws.IsDescendant(h, ws.focus)) SetFocus(HWND{});
    if (ws.capture && ws.IsDescendant(h, ws.capture)) ReleaseCapture();
    Send(w.get(), WM_ENABLE, FALSE, 0);
  }
  return wasDisabled;
}

// ---------------------------------------------------------------- window regions

int SetWindowRgn(HWND h, HRGN region, BOOL redraw) {
  auto& ws = WS();
  auto w = ws.Find(h);
  if (!w || h == ws.desktop) return 0;
  std::unique_ptr<Region> shape;
  if (region) {
    const Region* r = GetRegion(region);
    if (!r) return 0;
    shape = std::make_unique<Region>(*r);
    DeleteObject(region);  // the window owns it now
  }
  bool visible = ws.ReallyVisible(*w);
  Region old = w->shape ? *w->shape : Region(0, 0, w->window.Width(), w->window.Height());
  w->shape = std::move(shape);
  if (visible) {
    if (!ws.IsTopLevel(*w)) {
      if (WindowRec* p = ws.Get(w->parent)) {
        Region area = old;
        area.Offset(w->window.left + p->client.left - p->window.left,
                    w->window.top + p->client.top - p->window.top);
        InvalidateWindowArea(*p, area, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      }
    } else {
      AddDirty(*w, RECT{0, 0, w->window.Width(), w->window.Height()});
    }
    if (redraw)
      InvalidateWindowArea(*w, Region(0, 0, w->window.Width(), w->window.Height()),
                           RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  RefreshOpenDCs();
  return 1;
}

int GetWindowRgn(HWND h, HRGN out) {
  WindowRec* w = WS().Get(h);
  if (!w || !w->shape || !GetRegion(out)) return RGN_ERROR;
  HRGN tmp = CreateRegionObject(*w->shape);
  int kind = CombineRgn(out, tmp, HRGN{}, RGN_COPY);
  DeleteObject(tmp);
  return kind;
}

}  // namespace platform
