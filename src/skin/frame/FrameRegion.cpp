#include "skin/frame/FrameRegion.h"

#include <algorithm>

#include "skin/paint/PieceSource.h"

namespace skin {

namespace {

// Each row of the left and right cells of one cell row of the piece.
void ScanCells(const TPieceSource& p, int cellTop, int windowTop, int width, int height,
               std::vector<RECT>& out) {
  const int w = (p.R.right - p.R.left) / (3 * p.Frames);
  const int h = (p.R.bottom - p.R.top) / (3 * (p.MaskType + 1));
  if (w <= 0 || h <= 0) return;
  for (int row = 0; row < h; ++row) {
    const int py = cellTop + row, wy = windowTop + row;
    if (py < 0 || py >= p.Picture.height || wy < 0 || wy >= height) continue;
    for (int side = 0; side < 2; ++side) {
      const int cellLeft = p.R.left + side * 2 * w;
      const int windowLeft = side == 0 ? 0 : width - w;
      int run = -1;
      for (int c = 0; c <= w; ++c) {
        const int px = cellLeft + c;
        const bool fuchsia = c < w && px >= 0 && px < p.Picture.width &&
                             (p.Picture.At(px, py) & 0xFFFFFFu) == (kFuchsiaPixel & 0xFFFFFFu);
        if (fuchsia && run < 0) run = c;
        if (!fuchsia && run >= 0) {
          const int l = std::max(0, windowLeft + run), r = std::min(width, windowLeft + c);
          if (l < r) out.push_back(RECT{l, wy, r, wy + 1});
          run = -1;
        }
      }
    }
  }
}

}  // namespace

std::vector<RECT> FrameCutouts(const TSkinTables& tables, int frameMask, int titleMask, int width,
                               int height) {
  std::vector<RECT> out;
  if (width <= 0 || height <= 0) return out;
  TPieceSource p;
  if (tables.ValidMask(frameMask) &&
      ResolvePiece(tables, tables.Masks[std::size_t(frameMask)], p)) {
    const int h = (p.R.bottom - p.R.top) / (3 * (p.MaskType + 1));
    ScanCells(p, p.R.top, 0, width, height, out);
    ScanCells(p, p.R.top + 2 * h, height - h, width, height, out);
  }
  if (tables.ValidMask(titleMask) && ResolvePiece(tables, tables.Masks[std::size_t(titleMask)], p))
    ScanCells(p, p.R.top, 0, width, height, out);
  return out;
}

}  // namespace skin
