// Invalidation and update regions, WM_PAINT and WM_NCPAINT, the contexts
// handed out for windows and the screen, and presenting top-level pictures.
#include <algorithm>

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/WindowSystem.h"

namespace platform {

namespace {

RECT ClientInWindow(const WindowRec& w) {
  int x = w.client.left - w.window.left, y = w.client.top - w.window.top;
  return RECT{x, y, x + w.client.Width(), y + w.client.Height()};
}

// Asked of every window each time the loop looks for one to paint, so the
// usual answers (nothing pending, or pending well inside or outside the
// client area) come without building a region.
bool NeedsPaint(const WindowRec& w) {
  if (w.internalPaint) return true;
  if (w.update.IsEmpty()) return false;
  const RECT c = ClientInWindow(w);
  RECT both;
  if (!IntersectRect(&both, w.update.Bounds(), c)) return false;
  if (w.update.IsRect()) return true;
  return !(w.update & Region(c)).IsEmpty();
}

// Screen position of a window's top-left corner.
POINT WindowOrigin(const WindowRec& w) {
  RECT r = WS().ScreenWindowRect(w);
  return POINT{r.left, r.top};
}

void SendNcPaint(HWND h) {
  auto& ws = WS();
  WindowRec* w = ws.Get(h);
  if (!w) return;
  w->ncPaint = false;
  Region frame = w->update - Region(ClientInWindow(*w));
  w->update &= Region(ClientInWindow(*w));
  if (frame.IsEmpty()) frame = Region(0, 0, w->window.Width(), w->window.Height());
  POINT o = WindowOrigin(*w);
  frame.Offset(o.x, o.y);
  HRGN rgn = CreateRegionObject(frame);
  Send(w, WM_NCPAINT, WPARAM(rgn.value), 0);
  DeleteObject(rgn);
}

bool Target(const SurfaceDCInfo& info, Surface* surface, POINT* origin, Region* visible) {
  auto& ws = WS();
  if (!info.hwnd) {
    *surface = ws.backend().ScreenSurface();
    *origin = POINT{0, 0};
    *visible = Region(surface->Bounds());
    if (info.hasExtra) {
      if (info.flags & DCX_INTERSECTRGN) *visible &= info.extra;
      if (info.flags & DCX_EXCLUDERGN) *visible -= info.extra;
    }
    return true;
  }
  WindowRec* w = ws.Get(info.hwnd);
  if (!w) return false;
  WindowRec* root = ws.Root(w);
  if (!root || root->hwnd == ws.desktop) return false;
  *surface = root->picture.View();
  bool window = info.flags & DCX_WINDOW;
  WindowRec* clipOwner = w;
  if ((info.flags & DCX_PARENTCLIP) && !ws.IsTopLevel(*w)) clipOwner = ws.Get(w->parent);
  bool clipChildren = (info.flags & DCX_CLIPCHILDREN) || (clipOwner->style & WS_CLIPCHILDREN);
  *visible = ws.VisibleRegion(*clipOwner, !window && clipOwner == w, clipChildren);
  POINT off = ws.OffsetInRoot(*w);
  if (!window) {
    RECT c = ClientInWindow(*w);
    off.x += c.left, off.y += c.top;
  }
  *origin = off;
  if (info.hasExtra) {
    Region extra = info.extra;
    POINT ro = WindowOrigin(*root);
    extra.Offset(-ro.x, -ro.y);
    if (info.flags & DCX_INTERSECTRGN) *visible &= extra;
    if (info.flags & DCX_EXCLUDERGN) *visible -= extra;
  }
  return true;
}

HDC MakeDC(const SurfaceDCInfo& info) {
  Surface s;
  POINT origin;
  Region visible;
  if (!Target(info, &s, &origin, &visible)) return HDC{};
  HDC dc = CreateSurfaceDC(s, origin, visible);
  if (dc) WS().dcs[dc.value] = info;
  return dc;
}

void UpdateNow(HWND h, bool children) {
  auto& ws = WS();
  WindowRec* w = ws.Get(h);
  if (!w || !ws.ReallyVisible(*w)) return;
  if (h != ws.desktop) {
    if (w->ncPaint) SendNcPaint(h);
    w = ws.Get(h);
    if (w && NeedsPaint(*w)) Send(w, WM_PAINT);
    w = ws.Get(h);
    if (!w) return;
  }
  if (!children) return;
  std::vector<HWND> kids = w->children;
  for (HWND c : kids) UpdateNow(c, true);
}

// The area of a RedrawWindow call in window coordinates.
Region RedrawArea(const WindowRec& w, const RECT* rect, HRGN rgn, UINT flags) {
  RECT c = ClientInWindow(w);
  Region area;
  if (rgn) {
    if (const Region* r = GetRegion(rgn)) area = *r;
    area.Offset(c.left, c.top);
  } else if (rect) {
    RECT r = *rect;
    OffsetRect(&r, c.left, c.top);
    area = Region(r);
  } else {
    area = (flags & RDW_FRAME) ? Region(0, 0, w.window.Width(), w.window.Height()) : Region(c);
  }
  return area;
}

}  // namespace

void InvalidateWindowArea(WindowRec& w, const Region& area, UINT flags) {
  auto& ws = WS();
  if (!ws.ReallyVisible(w)) return;
  bool isDesktop = w.hwnd == ws.desktop;
  RECT client = ClientInWindow(w);
  Region full(0, 0, w.window.Width(), w.window.Height());
  if (!isDesktop && !w.redrawOff) {
    if (flags & RDW_INVALIDATE) {
      Region a = area & full;
      if (!(flags & RDW_FRAME)) a &= Region(client);
      if (!a.IsEmpty()) {
        w.update |= a;
        if ((flags & RDW_ERASE) && !(flags & RDW_NOERASE)) w.erase = true;
        if (!(a - Region(client)).IsEmpty()) w.ncPaint = true;
      }
      if (flags & RDW_INTERNALPAINT) w.internalPaint = true;
    } else if (flags & RDW_VALIDATE) {
      Region a = area;
      if (!(flags & RDW_FRAME)) a &= Region(client);
      w.update -= a;
      if ((w.update - Region(client)).IsEmpty()) w.ncPaint = false;
      if (w.update.IsEmpty()) w.erase = false;
      if (flags & RDW_NOINTERNALPAINT) w.internalPaint = false;
    }
  }
  bool children = (flags & RDW_ALLCHILDREN) ||
                  (!(flags & RDW_NOCHILDREN) && !(w.style & WS_CLIPCHILDREN)) || isDesktop;
  if (!children) return;
  Region inClient = isDesktop ? area : (area & Region(client));
  if (inClient.IsEmpty()) return;
  std::vector<HWND> kids = w.children;
  for (HWND c : kids) {
    WindowRec* child = ws.Get(c);
    if (!child || !(child->style & WS_VISIBLE)) continue;
    Region ca = inClient;
    ca.Offset(-(client.left + child->window.left), -(client.top + child->window.top));
    if (isDesktop) {
      ca = area;
      ca.Offset(-child->window.left, -child->window.top);
    }
    // What the parent paints over, the child must paint again, frame and all.
    InvalidateWindowArea(*child, ca, flags | RDW_FRAME);
  }
}

HWND NextWindowToPaint(HWND filter) {
  auto& ws = WS();
  // Parents before children, so children paint over what their parent drew.
  std::vector<HWND> stack;
  std::vector<HWND> tops = ws.TopLevels();
  for (auto it = tops.rbegin(); it != tops.rend(); ++it) stack.push_back(*it);
  while (!stack.empty()) {
    HWND h = stack.back();
    stack.pop_back();
    WindowRec* w = ws.Get(h);
    if (!w || !(w->style & WS_VISIBLE)) continue;
    bool wanted = !filter || h == filter || IsChild(filter, h);
    if (wanted && w->ncPaint && !NeedsPaint(*w)) {
      SendNcPaint(h);
      w = ws.Get(h);
      if (!w) continue;
    }
    if (wanted && NeedsPaint(*w)) return h;
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) stack.push_back(*it);
  }
  return HWND{};
}

void AddDirty(WindowRec& root, const RECT& r) {
  if (r.IsEmpty()) return;
  RECT clipped;
  if (!IntersectRect(&clipped, r, RECT{0, 0, root.window.Width(), root.window.Height()})) return;
  if (root.dirty.IsEmpty())
    root.dirty = clipped;
  else
    UnionRect(&root.dirty, root.dirty, clipped);
}

void RefreshOpenDCs() {
  auto& ws = WS();
  for (auto& [value, info] : ws.dcs) {
    Surface s;
    POINT origin;
    Region visible;
    HDC dc{value};
    if (Target(info, &s, &origin, &visible)) {
      // Drawing done so far belongs to the old place; present it first.
      RECT d = TakeDirtyRect(dc);
      if (WindowRec* w = ws.Get(info.hwnd)) AddDirty(*ws.Root(w), d);
      SetSurfaceDC(dc, s, origin, visible);
    } else {
      SetSurfaceDC(dc, Surface{}, POINT{}, Region());
    }
  }
}

void PresentAll() {
  auto& ws = WS();
  for (auto& [value, info] : ws.dcs) {
    RECT d = TakeDirtyRect(HDC{value});
    if (d.IsEmpty()) continue;
    if (!info.hwnd)
      ws.backend().ScreenDrawn(d);
    else if (WindowRec* w = ws.Get(info.hwnd))
      AddDirty(*ws.Root(w), d);
  }
  std::vector<TopLevelView> views;
  std::vector<WindowRec*> shown;
  for (HWND t : ws.TopLevels()) {
    WindowRec* w = ws.Get(t);
    if (!w || !(w->style & WS_VISIBLE)) continue;
    TopLevelView v;
    v.hwnd = t;
    v.rect = w->window;
    v.picture = w->picture.View();
    v.shape = w->shape.get();
    v.dirty = w->dirty;
    v.title = (!w->owner && !ws.applicationTitle.empty()) ? std::string_view(ws.applicationTitle)
                                                          : std::string_view(w->text);
    v.popup = (w->style & WS_POPUP) && (w->style & WS_CAPTION) != WS_CAPTION &&
              (w->exStyle & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
    v.taskbar = (w->exStyle & WS_EX_APPWINDOW) ||
                (!w->owner && !(w->exStyle & WS_EX_TOOLWINDOW) && !v.popup);
    v.minimized = w->style & WS_MINIMIZE;
    v.active = ws.active == t;
    views.push_back(v);
    shown.push_back(w);
  }
  ws.backend().Present(views);
  for (WindowRec* w : shown) w->dirty = RECT{};
}

// ---------------------------------------------------------------- public

BOOL RedrawWindow(HWND h, const RECT* rect, HRGN rgn, UINT flags) {
  auto& ws = WS();
  if (!h) h = ws.desktop;
  WindowRec* w = ws.Get(h);
  if (!w) return FALSE;
  if (rgn && !GetRegion(rgn)) return FALSE;
  if (flags & (RDW_INVALIDATE | RDW_VALIDATE | RDW_INTERNALPAINT | RDW_NOINTERNALPAINT)) {
    UINT f = flags;
    if ((flags & RDW_INTERNALPAINT) && !(flags & RDW_INVALIDATE) && !(flags & RDW_VALIDATE))
      f |= RDW_INVALIDATE, rect = nullptr, rgn = HRGN{};
    Region area = (flags & RDW_INTERNALPAINT) && !(flags & (RDW_INVALIDATE | RDW_VALIDATE))
                      ? Region()
                      : RedrawArea(*w, rect, rgn, flags);
    if (h == ws.desktop) area = Region(w->window);
    InvalidateWindowArea(*w, area, f);
  }
  if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) UpdateNow(h, !(flags & RDW_NOCHILDREN));
  return TRUE;
}

BOOL InvalidateRect(HWND h, const RECT* rect, BOOL erase) {
  if (!h)
    return RedrawWindow(HWND{}, nullptr, HRGN{}, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  if (!IsWindow(h)) return FALSE;
  return RedrawWindow(h, rect, HRGN{}, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL InvalidateRgn(HWND h, HRGN rgn, BOOL erase) {
  if (!IsWindow(h)) return FALSE;
  return RedrawWindow(h, nullptr, rgn, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND h, const RECT* rect) {
  if (!IsWindow(h)) return FALSE;
  return RedrawWindow(h, rect, HRGN{}, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL ValidateRgn(HWND h, HRGN rgn) {
  if (!IsWindow(h)) return FALSE;
  return RedrawWindow(h, nullptr, rgn, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL UpdateWindow(HWND h) {
  if (!IsWindow(h)) return FALSE;
  return RedrawWindow(h, nullptr, HRGN{}, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

BOOL GetUpdateRect(HWND h, RECT* out, BOOL erase) {
  WindowRec* w = WS().Get(h);
  if (!w) return FALSE;
  RECT c = ClientInWindow(*w);
  Region u = w->update & Region(c);
  if (erase && w->erase && !u.IsEmpty()) {
    HDC dc = GetDCEx(h, HRGN{}, 0);
    w->erase = !Send(w, WM_ERASEBKGND, WPARAM(dc.value), 0);
    ReleaseDC(h, dc);
  }
  RECT b = u.IsEmpty() ? RECT{} : u.Bounds();
  if (!u.IsEmpty()) OffsetRect(&b, -c.left, -c.top);
  if (out) *out = b;
  return u.IsEmpty() ? FALSE : TRUE;
}

int GetUpdateRgn(HWND h, HRGN out, BOOL erase) {
  WindowRec* w = WS().Get(h);
  if (!w || !GetRegion(out)) return RGN_ERROR;
  RECT unused;
  GetUpdateRect(h, &unused, erase);
  w = WS().Get(h);
  if (!w) return RGN_ERROR;
  RECT c = ClientInWindow(*w);
  Region u = w->update & Region(c);
  u.Offset(-c.left, -c.top);
  HRGN tmp = CreateRegionObject(u);
  int kind = CombineRgn(out, tmp, HRGN{}, RGN_COPY);
  DeleteObject(tmp);
  return kind;
}

HDC BeginPaint(HWND h, PAINTSTRUCT* ps) {
  auto& ws = WS();
  WindowRec* w = ws.Get(h);
  if (!w || !ps || h == ws.desktop) return HDC{};
  if (w->ncPaint) SendNcPaint(h);
  w = ws.Get(h);
  if (!w) return HDC{};
  HideCaretForPaint(h);
  RECT c = ClientInWindow(*w);
  Region update = w->update & Region(c);
  bool erase = w->erase;
  w->update.Clear();
  w->erase = w->internalPaint = w->ncPaint = false;
  ++w->paints;
  SurfaceDCInfo info;
  info.hwnd = h;
  info.paint = true;
  info.flags = DCX_INTERSECTRGN;
  info.hasExtra = true;
  info.extra = update;
  POINT o = WindowOrigin(*w);
  info.extra.Offset(o.x, o.y);
  *ps = PAINTSTRUCT{};
  HDC dc = MakeDC(info);
  ps->hdc = dc;
  if (!update.IsEmpty()) {
    ps->rcPaint = update.Bounds();
    OffsetRect(&ps->rcPaint, -c.left, -c.top);
  }
  if (dc && erase) ps->fErase = Send(w, WM_ERASEBKGND, WPARAM(dc.value), 0) ? FALSE : TRUE;
  return dc;
}

BOOL EndPaint(HWND h, const PAINTSTRUCT* ps) {
  if (!ps || !IsWindow(h)) return FALSE;
  ReleaseDC(h, ps->hdc);
  ShowCaretAfterPaint(h);
  return TRUE;
}

HDC GetDCEx(HWND h, HRGN clip, DWORD flags) {
  auto& ws = WS();
  SurfaceDCInfo info;
  info.flags = flags;
  if (h && h != ws.desktop) {
    if (!ws.Get(h)) return HDC{};
    info.hwnd = h;
  }
  if ((flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN)) && clip) {
    const Region* r = GetRegion(clip);
    if (!r) return HDC{};
    info.extra = *r;
    info.hasExtra = true;
  }
  return MakeDC(info);
}

HDC GetDC(HWND h) {
  return GetDCEx(h, HRGN{}, 0);
}
HDC GetWindowDC(HWND h) {
  return GetDCEx(h, HRGN{}, DCX_WINDOW);
}

int ReleaseDC(HWND, HDC dc) {
  auto& ws = WS();
  auto it = ws.dcs.find(dc.value);
  if (!dc || it == ws.dcs.end()) return 0;
  RECT d = TakeDirtyRect(dc);
  if (!it->second.hwnd)
    ws.backend().ScreenDrawn(d);
  else if (WindowRec* w = ws.Get(it->second.hwnd))
    AddDirty(*ws.Root(w), d);
  DestroySurfaceDC(dc);
  ws.dcs.erase(dc.value);
  return 1;
}

HWND WindowFromDC(HDC dc) {
  auto& ws = WS();
  auto it = ws.dcs.find(dc.value);
  if (it == ws.dcs.end()) return HWND{};
  return it->second.hwnd ? it->second.hwnd : ws.desktop;
}

Surface GetWindowSurface(HWND h) {
  auto& ws = WS();
  WindowRec* w = ws.Get(h);
  if (!w || !ws.IsTopLevel(*w)) return Surface{};
  return w->picture.View();
}

}  // namespace platform
