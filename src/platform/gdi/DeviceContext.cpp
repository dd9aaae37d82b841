// Device contexts: creation, state, origins, clipping, saving and restoring.
#include "platform/gdi/DeviceContext.h"

#include <algorithm>
#include <utility>

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Painter.h"

namespace platform {

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

long long Clamp(long long v) {
  return std::clamp(v, -(long long)Region::kLimit, (long long)Region::kLimit);
}

// Logical rectangle to device coordinates (origins applied, put in order).
RECT LogicalToDevice(const DcObject& dc, int l, int t, int r, int b) {
  long long ox = (long long)dc.state.viewportOrg.x - dc.state.windowOrg.x;
  long long oy = (long long)dc.state.viewportOrg.y - dc.state.windowOrg.y;
  RECT d{int(Clamp(l + ox)), int(Clamp(t + oy)), int(Clamp(r + ox)), int(Clamp(b + oy))};
  if (d.left > d.right) std::swap(d.left, d.right);
  if (d.top > d.bottom) std::swap(d.top, d.bottom);
  return d;
}

// The area a clip region starts from: the whole surface, in device coordinates.
Region DeviceArea(DcObject& dc) {
  Surface s = SurfaceOf(dc);
  Region r(RECT{0, 0, s.width, s.height});
  r.Offset(-dc.origin.x, -dc.origin.y);
  return r;
}

int ClipKind(DcObject& dc) {
  return ClipOf(dc).Kind();
}

template <class T, class F>
T WithDC(HDC hdc, T failure, F&& f) {
  Lock lock(GdiMutex());
  DcObject* dc = FindDC(hdc);
  return dc ? f(*dc) : failure;
}

void Deselect(HDC hdc, DcObject& dc) {
  if (BitmapObject* b = FindBitmap(dc.state.bitmap); b && b->selectedInto == hdc)
    b->selectedInto = HDC{};
  for (DcState& s : dc.saved)
    if (BitmapObject* b = FindBitmap(s.bitmap); b && b->selectedInto == hdc)
      b->selectedInto = HDC{};
}

}  // namespace

const Region& ClipOf(DcObject& dc) {
  if (!dc.clipStale) return dc.effectiveClip;
  Surface s = SurfaceOf(dc);
  Region r(RECT{0, 0, s.IsEmpty() ? 0 : s.width, s.IsEmpty() ? 0 : s.height});
  if (!dc.memory) r &= dc.visible;
  if (dc.state.clip) {
    Region c = *dc.state.clip;
    c.Offset(dc.origin.x, dc.origin.y);
    r &= c;
  }
  dc.effectiveClip = std::move(r);
  dc.clipStale = false;
  return dc.effectiveClip;
}

HDC CreateCompatibleDC(HDC) {
  Lock lock(GdiMutex());
  auto dc = std::make_unique<DcObject>();
  dc->memory = true;
  InitState(dc->state);
  return HDC{Handles().Add(std::move(dc))};
}

HDC CreateSurfaceDC(const Surface& surface, POINT origin, const Region& visible) {
  Lock lock(GdiMutex());
  auto dc = std::make_unique<DcObject>();
  dc->memory = false;
  dc->surface = surface;
  dc->origin = origin;
  dc->visible = visible;
  InitState(dc->state);
  dc->state.bitmap = HBITMAP{};
  return HDC{Handles().Add(std::move(dc))};
}

BOOL SetSurfaceDC(HDC hdc, const Surface& surface, POINT origin, const Region& visible) {
  return WithDC(hdc, FALSE, [&](DcObject& dc) {
    if (dc.memory) return FALSE;
    dc.surface = surface;
    dc.origin = origin;
    dc.visible = visible;
    dc.clipStale = true;
    return TRUE;
  });
}

BOOL DestroySurfaceDC(HDC hdc) {
  return DeleteDC(hdc);
}

BOOL DeleteDC(HDC hdc) {
  Lock lock(GdiMutex());
  DcObject* dc = FindDC(hdc);
  if (!dc) return FALSE;
  Deselect(hdc, *dc);
  Handles().Remove(hdc.value);
  return TRUE;
}

BOOL ResetDC(HDC hdc) {
  return WithDC(hdc, FALSE, [&](DcObject& dc) {
    Deselect(hdc, dc);
    InitState(dc.state);
    if (!dc.memory) dc.state.bitmap = HBITMAP{};
    dc.saved.clear();
    dc.clipStale = true;
    return TRUE;
  });
}

RECT TakeDirtyRect(HDC hdc) {
  return WithDC(hdc, RECT{}, [&](DcObject& dc) {
    RECT r = dc.dirty;
    dc.dirty = RECT{};
    return r;
  });
}

bool GetDCSurface(HDC hdc, Surface* surface, POINT* origin) {
  return WithDC(hdc, false, [&](DcObject& dc) {
    if (surface) *surface = SurfaceOf(dc);
    if (origin) *origin = dc.origin;
    return true;
  });
}

int GetDeviceCaps(HDC hdc, int index) {
  return WithDC(hdc, 0, [&](DcObject& dc) {
    switch (index) {
      case HORZRES:
        return SurfaceOf(dc).width;
      case VERTRES:
        return SurfaceOf(dc).height;
      case BITSPIXEL:
        return 32;
      case PLANES:
        return 1;
      case NUMCOLORS:
        return -1;
      case LOGPIXELSX:
      case LOGPIXELSY:
        return 96;
      default:
        return 0;
    }
  });
}

int SaveDC(HDC hdc) {
  return WithDC(hdc, 0, [&](DcObject& dc) {
    if (dc.saved.size() >= 4096) return 0;
    dc.saved.push_back(dc.state);
    return int(dc.saved.size());
  });
}

BOOL RestoreDC(HDC hdc, int saved) {
  return WithDC(hdc, FALSE, [&](DcObject& dc) {
    int depth = int(dc.saved.size());
    int target = saved < 0 ? depth + saved + 1 : saved;
    if (saved == 0 || target < 1 || target > depth) return FALSE;
    DcState s = dc.saved[target - 1];
    dc.saved.resize(target - 1);
    // The bitmap comes back only if it is still there and free.
    if (dc.memory && s.bitmap != dc.state.bitmap) {
      BitmapObject* nb = FindBitmap(s.bitmap);
      if (!nb || (nb->selectedInto && nb->selectedInto != hdc)) {
        s.bitmap = dc.state.bitmap;
      } else {
        if (BitmapObject* ob = FindBitmap(dc.state.bitmap); ob && ob->selectedInto == hdc)
          ob->selectedInto = HDC{};
        if (!nb->stock) nb->selectedInto = hdc;
      }
    }
    dc.state = std::move(s);
    dc.clipStale = true;
    return TRUE;
  });
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
  return WithDC(hdc, CLR_INVALID,
                [&](DcObject& dc) { return std::exchange(dc.state.textColor, color); });
}
COLORREF GetTextColor(HDC hdc) {
  return WithDC(hdc, CLR_INVALID, [&](DcObject& dc) { return dc.state.textColor; });
}
COLORREF SetBkColor(HDC hdc, COLORREF color) {
  return WithDC(hdc, CLR_INVALID,
                [&](DcObject& dc) { return std::exchange(dc.state.bkColor, color); });
}
COLORREF GetBkColor(HDC hdc) {
  return WithDC(hdc, CLR_INVALID, [&](DcObject& dc) { return dc.state.bkColor; });
}
int SetBkMode(HDC hdc, int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) return 0;
  return WithDC(hdc, 0, [&](DcObject& dc) { return std::exchange(dc.state.bkMode, mode); });
}
int GetBkMode(HDC hdc) {
  return WithDC(hdc, 0, [&](DcObject& dc) { return dc.state.bkMode; });
}
int SetROP2(HDC hdc, int mode) {
  if (mode < R2_BLACK || mode > R2_WHITE) return 0;
  return WithDC(hdc, 0, [&](DcObject& dc) { return std::exchange(dc.state.rop2, mode); });
}
int GetROP2(HDC hdc) {
  return WithDC(hdc, 0, [&](DcObject& dc) { return dc.state.rop2; });
}
int SetPolyFillMode(HDC hdc, int mode) {
  if (mode != ALTERNATE && mode != WINDING) return 0;
  return WithDC(hdc, 0, [&](DcObject& dc) { return std::exchange(dc.state.polyFillMode, mode); });
}
UINT SetTextAlign(HDC hdc, UINT align) {
  return WithDC(hdc, GDI_ERROR,
                [&](DcObject& dc) { return std::exchange(dc.state.textAlign, align); });
}
UINT GetTextAlign(HDC hdc) {
  return WithDC(hdc, GDI_ERROR, [&](DcObject& dc) { return dc.state.textAlign; });
}

namespace {

BOOL SetPoint(HDC hdc, POINT DcState::*member, int x, int y, bool relative, POINT* previous) {
  return WithDC(hdc, FALSE, [&](DcObject& dc) {
    POINT& p = dc.state.*member;
    if (previous) *previous = p;
    long long nx = relative ? (long long)p.x + x : x;
    long long ny = relative ? (long long)p.y + y : y;
    p = POINT{int(Clamp(nx)), int(Clamp(ny))};
    return TRUE;
  });
}

BOOL GetPoint(HDC hdc, POINT DcState::*member, POINT* out) {
  return WithDC(hdc, FALSE, [&](DcObject& dc) {
    if (!out) return FALSE;
    *out = dc.state.*member;
    return TRUE;
  });
}

}  // namespace

BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* previous) {
  return SetPoint(dc, &DcState::viewportOrg, x, y, false, previous);
}
BOOL GetViewportOrgEx(HDC dc, POINT* out) {
  return GetPoint(dc, &DcState::viewportOrg, out);
}
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* previous) {
  return SetPoint(dc, &DcState::viewportOrg, dx, dy, true, previous);
}
BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* previous) {
  return SetPoint(dc, &DcState::windowOrg, x, y, false, previous);
}
BOOL GetWindowOrgEx(HDC dc, POINT* out) {
  return GetPoint(dc, &DcState::windowOrg, out);
}
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, POINT* previous) {
  return SetPoint(dc, &DcState::windowOrg, dx, dy, true, previous);
}
BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* previous) {
  return SetPoint(dc, &DcState::brushOrg, x, y, false, previous);
}

BOOL LPtoDP(HDC hdc, POINT* points, int count) {
  return WithDC(hdc, FALSE, [&](DcObject& dc) {
    if (!points || count < 0) return FALSE;
    for (int i = 0; i < count; ++i) {
      RECT d = LogicalToDevice(dc, points[i].x, points[i].y, points[i].x, points[i].y);
      points[i] = POINT{d.left, d.top};
    }
    return TRUE;
  });
}

BOOL DPtoLP(HDC hdc, POINT* points, int count) {
  return WithDC(hdc, FALSE, [&](DcObject& dc) {
    if (!points || count < 0) return FALSE;
    long long ox = (long long)dc.state.viewportOrg.x - dc.state.windowOrg.x;
    long long oy = (long long)dc.state.viewportOrg.y - dc.state.windowOrg.y;
    for (int i = 0; i < count; ++i)
      points[i] = POINT{int(Clamp(points[i].x - ox)), int(Clamp(points[i].y - oy))};
    return TRUE;
  });
}

int SelectClipRgn(HDC hdc, HRGN rgn) {
  return ExtSelectClipRgn(hdc, rgn, RGN_COPY);
}

int ExtSelectClipRgn(HDC hdc, HRGN rgn, int mode) {
  return WithDC(hdc, RGN_ERROR, [&](DcObject& dc) {
    RegionObject* r = FindRegion(rgn);
    if (mode < RGN_AND || mode > RGN_COPY) return RGN_ERROR;
    if (!r) {
      // Only RGN_COPY may go without a region: it removes the clip region.
      if (mode != RGN_COPY || rgn.value != 0) return RGN_ERROR;
      dc.state.clip.reset();
    } else if (mode == RGN_COPY) {
      dc.state.clip = r->region;
    } else {
      Region current = dc.state.clip ? *dc.state.clip : DeviceArea(dc);
      static const Region::Op ops[] = {Region::Op::And, Region::Op::Or, Region::Op::Xor,
                                       Region::Op::Diff};
      dc.state.clip = Region::Combine(current, r->region, ops[mode - 1]);
    }
    dc.clipStale = true;
    return ClipKind(dc);
  });
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
  return WithDC(hdc, RGN_ERROR, [&](DcObject& dc) {
    Region r(LogicalToDevice(dc, left, top, right, bottom));
    dc.state.clip = dc.state.clip ? (*dc.state.clip & r) : (DeviceArea(dc) & r);
    dc.clipStale = true;
    return ClipKind(dc);
  });
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
  return WithDC(hdc, RGN_ERROR, [&](DcObject& dc) {
    Region r(LogicalToDevice(dc, left, top, right, bottom));
    dc.state.clip = (dc.state.clip ? *dc.state.clip : DeviceArea(dc)) - r;
    dc.clipStale = true;
    return ClipKind(dc);
  });
}

int OffsetClipRgn(HDC hdc, int dx, int dy) {
  return WithDC(hdc, RGN_ERROR, [&](DcObject& dc) {
    if (dc.state.clip) dc.state.clip->Offset(dx, dy);
    dc.clipStale = true;
    return ClipKind(dc);
  });
}

int GetClipBox(HDC hdc, RECT* out) {
  return WithDC(hdc, RGN_ERROR, [&](DcObject& dc) {
    if (!out) return RGN_ERROR;
    const Region& c = ClipOf(dc);
    RECT b = c.Bounds();
    long long ox = (long long)dc.origin.x + dc.state.viewportOrg.x - dc.state.windowOrg.x;
    long long oy = (long long)dc.origin.y + dc.state.viewportOrg.y - dc.state.windowOrg.y;
    *out = c.IsEmpty() ? RECT{}
                       : RECT{int(Clamp(b.left - ox)), int(Clamp(b.top - oy)),
                              int(Clamp(b.right - ox)), int(Clamp(b.bottom - oy))};
    return c.Kind();
  });
}

int GetClipRgn(HDC hdc, HRGN out) {
  return WithDC(hdc, -1, [&](DcObject& dc) {
    RegionObject* r = FindRegion(out);
    if (!r) return -1;
    if (!dc.state.clip) return 0;
    r->region = *dc.state.clip;
    return 1;
  });
}

BOOL PtVisible(HDC hdc, int x, int y) {
  return WithDC(hdc, FALSE, [&](DcObject& dc) {
    Painter p(dc);
    return p.clip().Contains(p.X(x), p.Y(y)) ? TRUE : FALSE;
  });
}

BOOL RectVisible(HDC hdc, const RECT* r) {
  return WithDC(hdc, FALSE, [&](DcObject& dc) {
    if (!r) return FALSE;
    Painter p(dc);
    RECT s = p.ToSurface(*r);
    if (s.left > s.right) std::swap(s.left, s.right);
    if (s.top > s.bottom) std::swap(s.top, s.bottom);
    return p.clip().Intersects(s) ? TRUE : FALSE;
  });
}

}  // namespace platform
