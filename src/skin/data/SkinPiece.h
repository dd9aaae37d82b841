// An image piece as a skin file names it: a rectangle of the master bitmap
// with its frame count and mask layout, or a picture file of its own.
#pragma once

#include <cstdint>
#include <string>

#include "platform/base/Types.h"

namespace skin {

enum class TSkinPieceSource : std::uint8_t {
  MasterBitmap,  // Rect of the master bitmap
  BitmapFile,    // FileName is a bitmap of its own
  PictureFile,   // FileName is a compressed picture (a pattern or a piece, by its size)
};

struct TSkinNamedPiece {
  std::string SectionName;   // upper-cased
  std::string PropertyName;  // upper-cased
  TSkinPieceSource Source = TSkinPieceSource::MasterBitmap;
  platform::RECT Rect;  // right and bottom exclusive
  std::int16_t ImageCount = 1;
  std::int16_t MaskType = 0;
  std::int16_t BorderWidth = 0;
  std::string FileName;  // own picture, with the skin folder in front unless it holds ":"
};

}  // namespace skin
