#include "skin/menu/MenuListBackgrounds.h"

#include "skin/menu/MenuItemPaint.h"

namespace skin {

graphics::TPixelBitmap& TMenuListBackgrounds::For(std::uint16_t key, int width, int height,
                                                  const TSkinTables& tables) {
  std::unique_ptr<graphics::TPixelBitmap>& picture = pictures_[key];
  // A list that grew or shrank since (an item added, a caption changed)
  // would otherwise read past its old picture.
  if (picture && picture->Width() == width && picture->Height() == height) return *picture;
  picture = std::make_unique<graphics::TPixelBitmap>();
  picture->SetSize(width, height);
  PaintMenuListBackground(tables, *picture);
  ++painted_;
  return *picture;
}

}  // namespace skin
