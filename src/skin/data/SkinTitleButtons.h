// Extra title-bar buttons and the replacement window icon of a skinned
// frame, as they are stored.
#pragma once

#include <memory>
#include <string>

#include "component/Collection.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Types.h"

namespace skin {

class TSkinTitleButton : public component::TCollectionItem {
 public:
  COMPONENT_CLASS_INFO()
  explicit TSkinTitleButton(component::TCollection* collection);
  ~TSkinTitleButton() override;

  bool Enabled = true;
  std::string Name;
  bool UseSkinData = true;
  toolkit::TBitmap* Glyph() const { return glyph_.get(); }
  toolkit::TNotifyEvent OnMouseDown;
  toolkit::TNotifyEvent OnMouseUp;
  std::string DisplayName() const override { return Name; }

 private:
  std::unique_ptr<toolkit::TBitmap> glyph_;
};

class TSkinTitleButtons : public component::TOwnedCollection<TSkinTitleButton> {
 public:
  COMPONENT_CLASS_INFO()
  using TOwnedCollection::TOwnedCollection;
};

class TSkinTitleIcon : public component::TPersistent {
 public:
  COMPONENT_CLASS_INFO()
  TSkinTitleIcon();
  ~TSkinTitleIcon() override;

  toolkit::TBitmap* Glyph() const { return glyph_.get(); }
  std::int32_t Height = 0;  // 0: the small icon size
  std::int32_t Width = 0;

 private:
  std::unique_ptr<toolkit::TBitmap> glyph_;
};

}  // namespace skin
