// Pixel-level drawing through one device context: coordinates turned into
// surface positions, everything cut to the context's clip. Internal.
#pragma once

#include <cstdint>

#include "platform/gdi/GdiObjects.h"

namespace platform {

// The result of a two-operand raster code (R2_xxx) on 24-bit colours; the
// alpha byte is opaque when the result ignores the destination, else kept.
std::uint32_t ApplyRop2(int rop2, std::uint32_t pen, std::uint32_t dst);

class Painter {
 public:
  explicit Painter(DcObject& dc);

  bool CanDraw() const { return !surface_.IsEmpty() && !clip_.IsEmpty(); }
  const Surface& surface() const { return surface_; }
  const Region& clip() const { return clip_; }
  DcObject& dc() { return dc_; }

  // Logical coordinates to surface coordinates, kept within the region limits.
  int X(long long x) const;
  int Y(long long y) const;
  RECT ToSurface(const RECT& logical) const;  // not reordered
  POINT DeviceToSurface(POINT device) const;

  void Fill(const RECT& r, std::uint32_t pixel);
  void FillRop2(const RECT& r, std::uint32_t pixel, int rop2);
  // A brush's fill: solid, the context's brush colour or a pattern; nothing
  // for a null brush.
  void FillBrush(const RECT& r, BrushObject& brush, int rop2 = R2_COPYPEN);
  void Invert(const RECT& r);
  void Plot(int x, int y, std::uint32_t pixel, int rop2);
  // Every clip rectangle's intersection with r, in order; returns the bounds touched.
  template <class F>
  void ForEachClipped(const RECT& r, F&& f) {
    if (r.IsEmpty() || r.right <= clip_.Bounds().left || r.left >= clip_.Bounds().right ||
        r.bottom <= clip_.Bounds().top || r.top >= clip_.Bounds().bottom)
      return;
    for (const RECT& c : clip_.Rects()) {
      if (c.top >= r.bottom) break;
      RECT i;
      if (IntersectRect(&i, c, r)) {
        f(i);
        MarkDirty(dc_, i);
      }
    }
  }

 private:
  DcObject& dc_;
  Surface surface_;
  const Region& clip_;
  long long dx_, dy_;  // logical to surface
};

}  // namespace platform
