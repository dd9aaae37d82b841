// Where a piece's pixels are: a rectangle of the master bitmap with the
// piece's frame count and mask layout, or a picture of its own laid out as
// three frames side by side, picture over mask.
#pragma once

#include "skin/data/SkinTables.h"
#include "skin/paint/PaintPixels.h"

namespace skin {

struct TPieceSource {
  Surface Picture;
  RECT R{};
  int Frames = 0;
  int MaskType = 0;
  int BorderWidth = 0;
};

// False when the piece has nothing to draw: no frames, a mask layout other
// than 0 or 1, an empty rectangle or no picture to read.
inline bool ResolvePiece(const TSkinTables& tables, const TSkinMaskData& piece, TPieceSource& s) {
  if (piece.Bitmap) {
    s.Picture = ReadView(*piece.Bitmap);
    s.R = s.Picture.Bounds();
    s.Frames = 3;
    s.MaskType = 1;
  } else {
    s.Picture = ReadView(tables.Master);
    s.R = piece.R;
    s.Frames = piece.ImageCount;
    s.MaskType = piece.MaskType;
  }
  s.BorderWidth = piece.BorderWidth > 0 ? piece.BorderWidth : 0;
  return s.Frames >= 1 && (s.MaskType == 0 || s.MaskType == 1) && !s.Picture.IsEmpty() &&
         s.R.right > s.R.left && s.R.bottom > s.R.top;
}

}  // namespace skin
