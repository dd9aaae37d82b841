#include "skin/paint/BorderMask.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "skin/paint/PictureCopy.h"
#include "skin/paint/PieceSource.h"
#include "skin/paint/Tiling.h"

namespace skin {

namespace {

constexpr Coord kUnbounded = std::numeric_limits<int>::max();

// Cells along one side: `count` whole cells of `cell` from `start`, then one
// last piece of `restLen` at `restPos`.
struct TRun {
  Coord start = 0, count = 0, cell = 1, restPos = 0, restLen = 0;
};

// Cells from `start` while below `loopEnd`, then the last piece up to
// `lastEnd`, at most `lastMax` long.
TRun MakeRun(Coord start, Coord loopEnd, Coord cell, Coord lastEnd, Coord lastMax) {
  TRun r{start, loopEnd > start ? (loopEnd - start + cell - 1) / cell : 0, cell};
  r.restPos = start + r.count * cell;
  r.restLen = r.restPos < lastEnd ? std::min(lastMax, lastEnd - r.restPos) : 0;
  return r;
}
TRun Single(Coord pos, Coord length) {
  return TRun{pos, 1, length, pos + length, 0};
}

// A stretch of equal cells: `length` pixels from `pos` in cells of `cell`.
struct TBlock {
  Coord pos, length, cell;
};
template <class F>
void ForBlocks(const TRun& r, F f) {
  if (r.count > 0 && r.cell > 0) f(TBlock{r.start, r.count * r.cell, r.cell});
  if (r.restLen > 0) f(TBlock{r.restPos, r.restLen, r.restLen});
}

// Each cell of a block that meets the visible range [0, visible), as
// emit(position, length).
template <class Emit>
void ForCells(const TBlock& b, Coord visible, Emit emit) {
  const Coord count = b.length / b.cell;
  const Coord skipped = b.pos + b.cell <= 0 ? std::min(count, -b.pos / b.cell) : 0;
  for (Coord i = skipped; i < count; ++i) {
    const Coord pos = b.pos + i * b.cell;
    if (pos >= visible) return;
    emit(pos, b.cell);
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

  // Edge or centre cells from (sx, sy) repeated along the column and row
  // runs. Opaque cells that lie wholly inside the picture are tiled row by
  // row; the others are copied one by one.
  void Cells(const TRun& cols, const TRun& rows, Coord sx, Coord sy) const {
    const Surface& pic = src.Picture;
    ForBlocks(rows, [&](const TBlock& by) {
      ForBlocks(cols, [&](const TBlock& bx) {
        const bool inside =
            sx >= 0 && sy >= 0 && sx + bx.cell <= pic.width && sy + by.cell <= pic.height;
        if (src.MaskType == 0 && inside) {
          const RECT cell{int(sx), int(sy), int(sx + bx.cell), int(sy + by.cell)};
          TileSpan(target, bx.pos, by.pos, bx.pos + bx.length, by.pos + by.length, pic, cell);
          return;
        }
        ForCells(by, target.height, [&](Coord y, Coord ly) {
          ForCells(bx, target.width,
                   [&](Coord x, Coord lx) { Copy(TPart::Edge, sx, sy, lx, ly, x, y); });
        });
      });
    });
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

    // Masked pieces repeat whole cells between cell-sized margins; plain
    // pictures fill the whole gap between the corners, the last piece
    // running on from the same source line.
    const bool masked = src.MaskType == 1;
    const TRun rows = masked ? MakeRun(T + h, B - 2 * h, h, B - h, H - 2 * h)
                             : MakeRun(T + ct, B - 2 * h, h, B - cb, kUnbounded);
    const TRun cols = masked ? MakeRun(L + w, R - 2 * w, w, R - w, w)
                             : MakeRun(L + cl, R - 2 * w, w, R - cr, kUnbounded);
    Copy(TPart::Corner, x0, y0, cl, ct, L, T);
    Cells(Single(L, cl), rows, x0, y0 + h);
    Cells(cols, Single(T, ct), x0 + w, y0);
    Copy(TPart::Corner, x0, y0 + H - cb, cl, cb, L, B - cb);
    Cells(cols, Single(B - cb, cb), x0 + w, y0 + H - cb);
    Copy(TPart::Corner, rightCol, y0 + H - cb, cr, cb, R - cr, B - cb);
    Copy(TPart::Corner, rightCol, y0, cr, ct, R - cr, T);
    Cells(Single(R - cr, cr), rows, rightCol, y0 + h);
    if (filling && (masked || b == 0))
      Cells(MakeRun(L + w, R - 2 * w, w, R - w, w), MakeRun(T + h, B - 2 * h, h, B - h, H - 2 * h),
            x0 + w, y0 + h);
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
