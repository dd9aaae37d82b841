// Region handles over the Region class.
#include "platform/gdi/GdiObjects.h"

namespace platform {

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

RECT Ordered(int l, int t, int r, int b) {
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  return RECT{l, t, r, b};
}

}  // namespace

HRGN CreateRegionObject(const Region& region) {
  Lock lock(GdiMutex());
  auto r = std::make_unique<RegionObject>();
  r->region = region;
  return HRGN{Handles().Add(std::move(r))};
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  return CreateRegionObject(Region(Ordered(left, top, right, bottom)));
}

HRGN CreateRectRgnIndirect(const RECT* r) {
  if (!r) return HRGN{};
  return CreateRectRgn(r->left, r->top, r->right, r->bottom);
}

int CombineRgn(HRGN dst, HRGN a, HRGN b, int mode) {
  Lock lock(GdiMutex());
  RegionObject* d = FindRegion(dst);
  RegionObject* ra = FindRegion(a);
  if (!d || !ra || mode < RGN_AND || mode > RGN_COPY) return RGN_ERROR;
  if (mode == RGN_COPY) {
    d->region = ra->region;
    return d->region.Kind();
  }
  RegionObject* rb = FindRegion(b);
  if (!rb) return RGN_ERROR;
  static const Region::Op ops[] = {Region::Op::And, Region::Op::Or, Region::Op::Xor,
                                   Region::Op::Diff};
  d->region = Region::Combine(ra->region, rb->region, ops[mode - 1]);
  return d->region.Kind();
}

int OffsetRgn(HRGN rgn, int dx, int dy) {
  Lock lock(GdiMutex());
  RegionObject* r = FindRegion(rgn);
  if (!r) return RGN_ERROR;
  r->region.Offset(dx, dy);
  return r->region.Kind();
}

BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom) {
  Lock lock(GdiMutex());
  RegionObject* r = FindRegion(rgn);
  if (!r) return FALSE;
  r->region.SetRect(Ordered(left, top, right, bottom));
  return TRUE;
}

BOOL PtInRegion(HRGN rgn, int x, int y) {
  Lock lock(GdiMutex());
  RegionObject* r = FindRegion(rgn);
  return r && r->region.Contains(x, y) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN rgn, const RECT* rect) {
  Lock lock(GdiMutex());
  RegionObject* r = FindRegion(rgn);
  if (!r || !rect) return FALSE;
  return r->region.Intersects(Ordered(rect->left, rect->top, rect->right, rect->bottom)) ? TRUE
                                                                                         : FALSE;
}

int GetRgnBox(HRGN rgn, RECT* out) {
  Lock lock(GdiMutex());
  RegionObject* r = FindRegion(rgn);
  if (!r || !out) return RGN_ERROR;
  *out = r->region.Bounds();
  return r->region.Kind();
}

BOOL EqualRgn(HRGN a, HRGN b) {
  Lock lock(GdiMutex());
  RegionObject* ra = FindRegion(a);
  RegionObject* rb = FindRegion(b);
  if (!ra || !rb) return FALSE;
  return ra->region == rb->region ? TRUE : FALSE;
}

const Region* GetRegion(HRGN rgn) {
  Lock lock(GdiMutex());
  RegionObject* r = FindRegion(rgn);
  return r ? &r->region : nullptr;
}

}  // namespace platform
