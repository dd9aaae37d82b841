#include "skin/BorderMask.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "skin/PictureCopy.h"
#include "skin/PieceSource.h"

namespace skin {

namespace {

constexpr Coord kUnbounded = std::numeric_limits<int>::max();

// Cells of `cell` from `start` while below `loopEnd`, then one last piece up
// to `lastEnd`, at most `lastMax` long. Only pieces that meet the visible
// range [0, visible) are handed to emit(position, length).
template <class Emit>
void Run(Coord start, Coord loopEnd, Coord cell, Coord lastEnd, Coord lastMax, Coord visible,
         Emit emit) {
  const Coord count = loopEnd > start ? (loopEnd - start + cell - 1) / cell : 0;
  const Coord skipped = start + cell <= 0 ? std::min(count, -start / cell) : 0;
  for (Coord i = skipped; i < count; ++i) {
    const Coord pos = start + i * cell;
    if (pos >= visible) return;
    emit(pos, cell);
  }
  const Coord pos = start + count * cell;
  if (pos < lastEnd && pos < visible) {
    const Coord length = std::min(lastMax, lastEnd - pos);
    if (pos + length > 0) emit(pos, length);
  }
}

enum class TPart { Corner, Edge };

struct TNineSlice {
  const Surface& target;
  const TPieceSource& src;
  const TParentBackground* bg;
  std::vector<RECT>* cuts;  // set when shaping a window region
  Coord maskOffset = 0;

  void Copy(TPart part, Coord sx, Coord sy, Coord w, Coord h, Coord dx, Coord dy) const {
    const TParentBackground* behind = part == TPart::Corner ? bg : nullptr;
    if (src.MaskType == 1) {
      CopyMasked(target, dx, dy, src.Picture, sx, sy, w, h, maskOffset, behind, cuts);
    } else if (part == TPart::Corner && !cuts) {
      CopyKeyed(target, dx, dy, src.Picture, sx, sy, w, h, behind);
    } else {
      CopyOpaque(target, dx, dy, src.Picture, sx, sy, w, h);
    }
  }

  void Draw(const RECT& d, bool filling, int state) const {
    const Coord dw = Coord(d.right) - d.left, dh = Coord(d.bottom) - d.top;
    if (dw <= 1 || dh <= 1) return;
    const Coord rw = Coord(src.R.right) - src.R.left, rh = Coord(src.R.bottom) - src.R.top;
    const Coord n = src.Frames, m = src.MaskType, b = src.BorderWidth;
    const Coord s = std::clamp<Coord>(state, 0, n - 1);
    const Coord w = rw / (3 * n), h = rh / (3 * m + 3), H = rh / (m + 1);
    if (w < 1 || h < 1) return;
    const Coord x0 = src.R.left + s * rw / n, y0 = src.R.top;
    // Narrower than two cells: the corners meet in the middle.
    const Coord q = dw < 2 * w ? dw / 2 : 0, p = dh < 2 * h ? dh / 2 : 0;
    Coord cl = q < 1 ? w : q, ct = p < 1 ? h : p;
    if (b != 0) cl = std::min(cl, b), ct = std::min(ct, b);
    const Coord cr = cl + (q >= 1 && dw % 2 ? 1 : 0), cb = ct + (p >= 1 && dh % 2 ? 1 : 0);
    const Coord L = d.left, T = d.top, R = d.right, B = d.bottom;
    const Coord rightCol = x0 + 3 * w - cr;
    const Coord visW = target.width, visH = target.height;

    if (src.MaskType == 1) {
      auto rows = [&](auto emit) { Run(T + h, B - 2 * h, h, B - h, H - 2 * h, visH, emit); };
      auto cols = [&](auto emit) { Run(L + w, R - 2 * w, w, R - w, w, visW, emit); };
      Copy(TPart::Corner, x0, y0, cl, ct, L, T);
      rows([&](Coord y, Coord len) { Copy(TPart::Edge, x0, y0 + h, cl, len, L, y); });
      cols([&](Coord x, Coord len) { Copy(TPart::Edge, x0 + w, y0, len, ct, x, T); });
      Copy(TPart::Corner, x0, y0 + H - cb, cl, cb, L, B - cb);
      cols([&](Coord x, Coord len) { Copy(TPart::Edge, x0 + w, y0 + H - cb, len, cb, x, B - cb); });
      Copy(TPart::Corner, rightCol, y0 + H - cb, cr, cb, R - cr, B - cb);
      Copy(TPart::Corner, rightCol, y0, cr, ct, R - cr, T);
      rows([&](Coord y, Coord len) { Copy(TPart::Edge, rightCol, y0 + h, cr, len, R - cr, y); });
      if (filling)
        rows([&](Coord y, Coord ly) {
          cols([&](Coord x, Coord lx) { Copy(TPart::Edge, x0 + w, y0 + h, lx, ly, x, y); });
        });
      return;
    }
    // A plain picture: the edges fill the whole gap between the corners.
    auto rows = [&](auto emit) { Run(T + ct, B - 2 * h, h, B - ct, kUnbounded, visH, emit); };
    auto cols = [&](auto emit) { Run(L + cl, R - 2 * w, w, R - cl, kUnbounded, visW, emit); };
    Copy(TPart::Corner, x0, y0, cl, ct, L, T);
    rows([&](Coord y, Coord len) { Copy(TPart::Edge, x0, y0 + h, cl, len, L, y); });
    cols([&](Coord x, Coord len) { Copy(TPart::Edge, x0 + w, y0, len, ct, x, T); });
    Copy(TPart::Corner, x0, y0 + H - cb, cl, cb, L, B - cb);
    cols([&](Coord x, Coord len) { Copy(TPart::Edge, x0 + w, y0 + H - cb, len, cb, x, B - cb); });
    Copy(TPart::Corner, rightCol, y0 + H - cb, cr, cb, R - cr, B - cb);
    Copy(TPart::Corner, rightCol, y0, cr, ct, R - cr, T);
    rows([&](Coord y, Coord len) { Copy(TPart::Edge, rightCol, y0 + h, cr, len, R - cr, y); });
    if (filling && b == 0)
      Run(T + h, B - 2 * h, h, B - h, H - 2 * h, visH, [&](Coord y, Coord ly) {
        Run(L + w, R - 2 * w, w, R - w, w, visW,
            [&](Coord x, Coord lx) { Copy(TPart::Edge, x0 + w, y0 + h, lx, ly, x, y); });
      });
  }
};

void Draw(const TSkinTables& tables, const Surface& target, const RECT& d, bool filling, int state,
          int maskIndex, const TParentBackground& bg, std::vector<RECT>* cuts) {
  if (target.IsEmpty() || !tables.ValidMask(maskIndex)) return;
  TPieceSource src;
  if (!ResolvePiece(tables, tables.Masks[std::size_t(maskIndex)], src)) return;
  const Coord maskOffset = (Coord(src.R.bottom) - src.R.top) / 2;
  TNineSlice{target, src, &bg, cuts, maskOffset}.Draw(d, filling, state);
}

}  // namespace

void DrawBorderMask(const TSkinTables& tables, const Surface& target, const RECT& d, bool filling,
                    int state, int maskIndex, const TParentBackground& bg) {
  Draw(tables, target, d, filling, state, maskIndex, bg, nullptr);
}

platform::Region DrawBorderRegion(const TSkinTables& tables, const Surface& target, const RECT& d,
                                  bool filling, int state, int maskIndex,
                                  const TParentBackground& bg) {
  std::vector<RECT> cuts;
  Draw(tables, target, d, filling, state, maskIndex, bg, &cuts);
  platform::Region region(target.Bounds());
  if (!cuts.empty()) region -= platform::Region::FromRects(cuts);
  return region;
}

}  // namespace skin
