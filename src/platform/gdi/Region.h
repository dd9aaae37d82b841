// An area of the plane made of rectangles: clip regions, update and visible
// regions of windows, window shapes.
//
// The rectangles are kept y-x banded: sorted by top, then left; rectangles of
// one band share top and bottom and neither touch nor overlap; vertically
// adjacent bands with the same spans are merged. So two equal areas always
// have the same rectangle list, and equality is a plain comparison.
#pragma once

#include <span>
#include <vector>

#include "platform/base/Types.h"

namespace platform {

// The classic region kinds, also the results of CombineRgn and friends.
constexpr int RGN_ERROR = 0;  // ERROR
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

class Region {
 public:
  enum class Op { And, Or, Xor, Diff };

  Region() = default;
  explicit Region(const RECT& r);
  Region(int left, int top, int right, int bottom) : Region(RECT{left, top, right, bottom}) {}
  // The union of any rectangles, in any order, overlapping or not.
  static Region FromRects(std::span<const RECT> rects);

  bool IsEmpty() const { return rects_.empty(); }
  bool IsRect() const { return rects_.size() == 1; }
  int Kind() const;  // NULLREGION, SIMPLEREGION or COMPLEXREGION
  const RECT& Bounds() const { return bounds_; }
  const std::vector<RECT>& Rects() const { return rects_; }

  bool Contains(int x, int y) const;
  bool Contains(POINT p) const { return Contains(p.x, p.y); }
  bool Intersects(const RECT& r) const;  // shares at least one pixel with r

  void Clear();
  void SetRect(const RECT& r);
  void Offset(int dx, int dy);

  static Region Combine(const Region& a, const Region& b, Op op);
  Region Intersected(const RECT& r) const { return Combine(*this, Region(r), Op::And); }
  Region& operator|=(const Region& o) { return *this = Combine(*this, o, Op::Or); }
  Region& operator&=(const Region& o) { return *this = Combine(*this, o, Op::And); }
  Region& operator-=(const Region& o) { return *this = Combine(*this, o, Op::Diff); }
  Region& operator^=(const Region& o) { return *this = Combine(*this, o, Op::Xor); }
  friend Region operator|(const Region& a, const Region& b) { return Combine(a, b, Op::Or); }
  friend Region operator&(const Region& a, const Region& b) { return Combine(a, b, Op::And); }
  friend Region operator-(const Region& a, const Region& b) { return Combine(a, b, Op::Diff); }
  friend Region operator^(const Region& a, const Region& b) { return Combine(a, b, Op::Xor); }
  friend bool operator==(const Region& a, const Region& b) { return a.rects_ == b.rects_; }

  // Coordinates are kept within this range so arithmetic never overflows;
  // anything farther out is far off every surface anyway.
  static constexpr int kLimit = 1 << 27;

 private:
  void UpdateBounds();

  std::vector<RECT> rects_;
  RECT bounds_{};
};

// Rectangle helpers shared by the drawing code.
bool IntersectRect(RECT* out, const RECT& a, const RECT& b);  // false (and empty) when disjoint
bool UnionRect(RECT* out, const RECT& a, const RECT& b);
bool PtInRect(const RECT& r, POINT p);
bool OffsetRect(RECT* r, int dx, int dy);
bool InflateRect(RECT* r, int dx, int dy);
bool SetRect(RECT* r, int left, int top, int right, int bottom);
bool SetRectEmpty(RECT* r);
bool IsRectEmpty(const RECT& r);
bool EqualRect(const RECT& a, const RECT& b);
bool SubtractRect(RECT* out, const RECT& a, const RECT& b);

}  // namespace platform
