#include "platform/gdi/Region.h"

#include <algorithm>

namespace platform {

namespace {

int Clamp(long long v) {
  if (v < -Region::kLimit) return -Region::kLimit;
  if (v > Region::kLimit) return Region::kLimit;
  return int(v);
}

RECT ClampRect(const RECT& r) {
  return RECT{Clamp(r.left), Clamp(r.top), Clamp(r.right), Clamp(r.bottom)};
}

struct Span {
  int left, right;
  friend bool operator==(const Span&, const Span&) = default;
};

// Combines two sorted, disjoint span lists of one band.
void CombineSpans(const std::vector<Span>& a, const std::vector<Span>& b, Region::Op op,
                  std::vector<Span>& out) {
  out.clear();
  std::size_t ia = 0, ib = 0;
  int x = std::min(a.empty() ? Region::kLimit : a[0].left, b.empty() ? Region::kLimit : b[0].left);
  // Sweep across every x boundary; inside each piece both memberships are fixed.
  while (ia < a.size() || ib < b.size()) {
    while (ia < a.size() && a[ia].right <= x) ++ia;
    while (ib < b.size() && b[ib].right <= x) ++ib;
    if (ia >= a.size() && ib >= b.size()) break;
    bool inA = ia < a.size() && a[ia].left <= x;
    bool inB = ib < b.size() && b[ib].left <= x;
    int next = Region::kLimit;
    if (ia < a.size()) next = std::min(next, inA ? a[ia].right : a[ia].left);
    if (ib < b.size()) next = std::min(next, inB ? b[ib].right : b[ib].left);
    bool in = false;
    switch (op) {
      case Region::Op::And:
        in = inA && inB;
        break;
      case Region::Op::Or:
        in = inA || inB;
        break;
      case Region::Op::Xor:
        in = inA != inB;
        break;
      case Region::Op::Diff:
        in = inA && !inB;
        break;
    }
    if (in && next > x) {
      if (!out.empty() && out.back().right == x)
        out.back().right = next;
      else
        out.push_back({x, next});
    }
    x = next;
  }
}

// Reads the spans of the band of `rects` covering row interval [y0, y1);
// `i` walks forward through the bands as y0 grows.
void BandSpans(const std::vector<RECT>& rects, std::size_t& i, int y0, std::vector<Span>& out) {
  out.clear();
  while (i < rects.size() && rects[i].bottom <= y0) ++i;
  if (i >= rects.size() || rects[i].top > y0) return;
  int top = rects[i].top;
  for (std::size_t j = i; j < rects.size() && rects[j].top == top; ++j)
    out.push_back({rects[j].left, rects[j].right});
}

}  // namespace

Region::Region(const RECT& r) {
  SetRect(r);
}

Region Region::FromRects(std::span<const RECT> rects) {
  // Halves joined pairwise: many small rectangles (a shaped window's cut-outs,
  // one row each) cost n log n rather than n squared.
  if (rects.empty()) return Region();
  if (rects.size() == 1) return Region(rects[0]);
  std::size_t half = rects.size() / 2;
  return Combine(FromRects(rects.first(half)), FromRects(rects.subspan(half)), Op::Or);
}

int Region::Kind() const {
  if (rects_.empty()) return NULLREGION;
  return rects_.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

bool Region::Contains(int x, int y) const {
  if (x < bounds_.left || x >= bounds_.right || y < bounds_.top || y >= bounds_.bottom)
    return false;
  auto it = std::partition_point(rects_.begin(), rects_.end(),
                                 [y](const RECT& r) { return r.bottom <= y; });
  for (; it != rects_.end() && it->top <= y; ++it)
    if (x >= it->left && x < it->right) return true;
  return false;
}

bool Region::Intersects(const RECT& r) const {
  RECT c = ClampRect(r);
  if (c.IsEmpty() || c.right <= bounds_.left || c.left >= bounds_.right ||
      c.bottom <= bounds_.top || c.top >= bounds_.bottom)
    return false;
  auto it = std::partition_point(rects_.begin(), rects_.end(),
                                 [&c](const RECT& q) { return q.bottom <= c.top; });
  for (; it != rects_.end() && it->top < c.bottom; ++it)
    if (it->left < c.right && it->right > c.left) return true;
  return false;
}

void Region::Clear() {
  rects_.clear();
  bounds_ = RECT{};
}

void Region::SetRect(const RECT& r) {
  rects_.clear();
  RECT c = ClampRect(r);
  if (!c.IsEmpty()) rects_.push_back(c);
  UpdateBounds();
}

void Region::Offset(int dx, int dy) {
  if (rects_.empty()) return;
  // Moving by a huge amount may squash rectangles against the limit; rebuild
  // from scratch in that case so the banding stays valid.
  bool squash = false;
  for (RECT& r : rects_) {
    RECT m{Clamp((long long)r.left + dx), Clamp((long long)r.top + dy),
           Clamp((long long)r.right + dx), Clamp((long long)r.bottom + dy)};
    if (m.Width() != r.Width() || m.Height() != r.Height()) squash = true;
    r = m;
  }
  if (squash) {
    std::vector<RECT> copy;
    copy.swap(rects_);
    *this = FromRects(copy);
    return;
  }
  UpdateBounds();
}

void Region::UpdateBounds() {
  if (rects_.empty()) {
    bounds_ = RECT{};
    return;
  }
  bounds_ =
      RECT{rects_.front().left, rects_.front().top, rects_.front().right, rects_.back().bottom};
  for (const RECT& r : rects_) {
    bounds_.left = std::min(bounds_.left, r.left);
    bounds_.right = std::max(bounds_.right, r.right);
  }
}

Region Region::Combine(const Region& a, const Region& b, Op op) {
  // Quick answers that keep the common cases cheap.
  if (op == Op::And) {
    if (a.IsEmpty() || b.IsEmpty()) return Region();
    if (a.IsRect() && b.IsRect()) {
      RECT r;
      IntersectRect(&r, a.rects_[0], b.rects_[0]);
      return Region(r);
    }
  } else if (op == Op::Diff) {
    if (a.IsEmpty()) return Region();
    if (b.IsEmpty() || !b.Intersects(a.bounds_)) return a;
  } else {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
  }

  std::vector<int> ys;
  ys.reserve((a.rects_.size() + b.rects_.size()) * 2);
  for (const RECT& r : a.rects_) ys.insert(ys.end(), {r.top, r.bottom});
  for (const RECT& r : b.rects_) ys.insert(ys.end(), {r.top, r.bottom});
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

  Region out;
  std::vector<Span> sa, sb, sc, prev;
  std::size_t ia = 0, ib = 0;
  std::size_t prevStart = 0;  // index in out.rects_ of the previous band
  int prevBottom = 0;
  bool havePrev = false;
  for (std::size_t k = 0; k + 1 < ys.size(); ++k) {
    int y0 = ys[k], y1 = ys[k + 1];
    BandSpans(a.rects_, ia, y0, sa);
    BandSpans(b.rects_, ib, y0, sb);
    CombineSpans(sa, sb, op, sc);
    if (sc.empty()) {
      havePrev = false;
      continue;
    }
    if (havePrev && prevBottom == y0 && sc == prev) {
      for (std::size_t j = prevStart; j < out.rects_.size(); ++j) out.rects_[j].bottom = y1;
    } else {
      prevStart = out.rects_.size();
      for (const Span& s : sc) out.rects_.push_back(RECT{s.left, y0, s.right, y1});
      prev = sc;
      havePrev = true;
    }
    prevBottom = y1;
  }
  out.UpdateBounds();
  return out;
}

bool IntersectRect(RECT* out, const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  if (r.IsEmpty()) {
    if (out) *out = RECT{};
    return false;
  }
  if (out) *out = r;
  return true;
}

bool UnionRect(RECT* out, const RECT& a, const RECT& b) {
  RECT r;
  if (a.IsEmpty())
    r = b.IsEmpty() ? RECT{} : b;
  else if (b.IsEmpty())
    r = a;
  else
    r = RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
             std::max(a.bottom, b.bottom)};
  if (out) *out = r;
  return !r.IsEmpty();
}

bool PtInRect(const RECT& r, POINT p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

bool OffsetRect(RECT* r, int dx, int dy) {
  if (!r) return false;
  r->left += dx;
  r->right += dx;
  r->top += dy;
  r->bottom += dy;
  return true;
}

bool InflateRect(RECT* r, int dx, int dy) {
  if (!r) return false;
  r->left -= dx;
  r->right += dx;
  r->top -= dy;
  r->bottom += dy;
  return true;
}

bool SetRect(RECT* r, int left, int top, int right, int bottom) {
  if (!r) return false;
  *r = RECT{left, top, right, bottom};
  return true;
}

bool SetRectEmpty(RECT* r) {
  if (!r) return false;
  *r = RECT{};
  return true;
}

bool IsRectEmpty(const RECT& r) {
  return r.IsEmpty();
}

bool EqualRect(const RECT& a, const RECT& b) {
  return a == b;
}

bool SubtractRect(RECT* out, const RECT& a, const RECT& b) {
  // Only a whole side can be cut off; otherwise the result is a itself.
  RECT r = a;
  RECT i;
  if (IntersectRect(&i, a, b)) {
    if (i.top == a.top && i.bottom == a.bottom) {
      if (i.left == a.left)
        r.left = i.right;
      else if (i.right == a.right)
        r.right = i.left;
    } else if (i.left == a.left && i.right == a.right) {
      if (i.top == a.top)
        r.top = i.bottom;
      else if (i.bottom == a.bottom)
        r.bottom = i.top;
    }
  }
  if (r.IsEmpty()) r = RECT{};
  if (out) *out = r;
  return !r.IsEmpty();
}

}  // namespace platform
