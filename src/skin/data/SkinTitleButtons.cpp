#include "skin/data/SkinTitleButtons.h"

#include "component/ClassBuilder.h"

namespace skin {

using component::TClassBuilder;
using component::TClassInfo;

TSkinTitleButton::TSkinTitleButton(component::TCollection* collection)
    : TCollectionItem(collection), glyph_(std::make_unique<toolkit::TBitmap>()) {}
TSkinTitleButton::~TSkinTitleButton() = default;

const TClassInfo& TSkinTitleButton::StaticClassInfo() {
  using T = TSkinTitleButton;
  static const TClassInfo info = TClassBuilder<T, component::TCollectionItem>("TSkinTitleButton")
                                     .Field("Enabled", &T::Enabled)
                                     .Property("Glyph", &T::Glyph)
                                     .Field("Name", &T::Name)
                                     .Field("UseSkinData", &T::UseSkinData)
                                     .Event("OnMouseDown", &T::OnMouseDown)
                                     .Event("OnMouseUp", &T::OnMouseUp)
                                     .Build();
  return info;
}

const TClassInfo& TSkinTitleButtons::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TSkinTitleButtons, component::TCollection>("TSkinTitleButtons").Build();
  return info;
}

TSkinTitleIcon::TSkinTitleIcon() : glyph_(std::make_unique<toolkit::TBitmap>()) {}
TSkinTitleIcon::~TSkinTitleIcon() = default;

const TClassInfo& TSkinTitleIcon::StaticClassInfo() {
  using T = TSkinTitleIcon;
  static const TClassInfo info = TClassBuilder<T, component::TPersistent>("TSkinTitleIcon")
                                     .Property("Glyph", &T::Glyph)
                                     .Field("Height", &T::Height)
                                     .Field("Width", &T::Width)
                                     .Build();
  return info;
}

}  // namespace skin
