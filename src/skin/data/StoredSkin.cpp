#include "skin/data/StoredSkin.h"

#include "component/ClassBuilder.h"
#include "toolkit/Types.h"

namespace skin {

using namespace component;
using toolkit::ColorIdents;

const TEnumInfo& EnumInfo(TSkinControlBevel) {
  static const TEnumInfo info("TSkinControlBevel", {"cbNone", "cbRaisedSoft", "cbLoweredSoft",
                                                    "cbRaisedHard", "cbLoweredHard"});
  return info;
}

const TClassInfo& TSkinGeneral::StaticClassInfo() {
  using V = TSkinGeneralValues;
  static const TClassInfo info = TClassBuilder<TSkinGeneral, TCollectionItem>("TSkinGeneral")
                                     .Field("SectionName", &V::SectionName)
                                     .Field("ParentClass", &V::ParentClass)
                                     .Field("Color", &V::Color, ColorIdents())
                                     .Field("Bevel", &V::Bevel)
                                     .Field("ShadowBlur", &V::ShadowBlur)
                                     .Field("ShadowColor", &V::ShadowColor, ColorIdents())
                                     .Field("ShadowDontUse", &V::ShadowDontUse)
                                     .Field("ShadowEnabled", &V::ShadowEnabled)
                                     .Field("ReservedBoolean", &V::ReservedBoolean)
                                     .Field("ShadowOffset", &V::ShadowOffset)
                                     .Field("ShadowTransparency", &V::ShadowTransparency)
                                     .Field("FontColor", &V::FontColor)
                                     .Field("HotFontColor", &V::HotFontColor)
                                     .Field("Transparency", &V::Transparency)
                                     .Field("GradientPercent", &V::GradientPercent)
                                     .Field("GradientData", &V::GradientData)
                                     .Field("ImagePercent", &V::ImagePercent)
                                     .Field("ShowFocus", &V::ShowFocus)
                                     .Field("FadingEnabled", &V::FadingEnabled)
                                     .Field("FadingIntervalIn", &V::FadingIntervalIn)
                                     .Field("FadingIntervalOut", &V::FadingIntervalOut)
                                     .Field("FadingIterations", &V::FadingIterations)
                                     .Field("HotColor", &V::HotColor, ColorIdents())
                                     .Field("HotTransparency", &V::HotTransparency)
                                     .Field("HotBevel", &V::HotBevel)
                                     .Field("HotGradientPercent", &V::HotGradientPercent)
                                     .Field("HotGradientData", &V::HotGradientData)
                                     .Field("HotImagePercent", &V::HotImagePercent)
                                     .Field("BorderColor1", &V::BorderColor1, ColorIdents())
                                     .Field("BorderColor2", &V::BorderColor2, ColorIdents())
                                     .Field("Name", &V::Name)
                                     .Build();
  return info;
}

const TClassInfo& TSkinGenerals::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinGenerals, TCollection>("TSkinGenerals").Build();
  return info;
}

TSkinImage::TSkinImage(TCollection* collection)
    : TCollectionItem(collection), image_(std::make_unique<toolkit::TBitmap>()) {}

const TClassInfo& TSkinImage::StaticClassInfo() {
  using T = TSkinImage;
  static const TClassInfo info = TClassBuilder<T, TCollectionItem>("TSkinImage")
                                     .Field("SectionName", &T::SectionName)
                                     .Field("PropertyName", &T::PropertyName)
                                     .Field("Left", &T::Left)
                                     .Field("Top", &T::Top)
                                     .Field("Right", &T::Right)
                                     .Field("Bottom", &T::Bottom)
                                     .Field("ImageCount", &T::ImageCount)
                                     .Field("MaskType", &T::MaskType)
                                     .Field("BorderWidth", &T::BorderWidth)
                                     .Property("Image", &T::Image)
                                     .Field("Name", &T::Name)
                                     .Build();
  return info;
}

const TClassInfo& TSkinImages::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinImages, TCollection>("TSkinImages").Build();
  return info;
}

const TClassInfo& TSkinJpegImage::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TSkinJpegImage, TPersistent>("TSkinJpegImage")
          .Property("Data", &TSkinJpegImage::Data, &TSkinJpegImage::SetData)
          .Build();
  return info;
}

TSkinPattern::TSkinPattern(TCollection* collection)
    : TCollectionItem(collection), image_(std::make_unique<TSkinJpegImage>()) {}

const TClassInfo& TSkinPattern::StaticClassInfo() {
  using T = TSkinPattern;
  static const TClassInfo info = TClassBuilder<T, TCollectionItem>("TSkinPattern")
                                     .Field("SectionName", &T::SectionName)
                                     .Field("PropertyName", &T::PropertyName)
                                     .Property("Image", &T::Image)
                                     .Field("Name", &T::Name)
                                     .Build();
  return info;
}

const TClassInfo& TSkinPatterns::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinPatterns, TCollection>("TSkinPatterns").Build();
  return info;
}

TStoredSkin::TStoredSkin(TCollection* collection)
    : TCollectionItem(collection),
      general_(std::make_unique<TSkinGenerals>(this)),
      images_(std::make_unique<TSkinImages>(this)),
      patterns_(std::make_unique<TSkinPatterns>(this)),
      master_(std::make_unique<toolkit::TBitmap>()) {}

TStoredSkin::~TStoredSkin() = default;

const TClassInfo& TStoredSkin::StaticClassInfo() {
  using T = TStoredSkin;
  static const TClassInfo info = TClassBuilder<T, TCollectionItem>("TStoredSkin")
                                     .Field("Name", &T::Name)
                                     .Property("GeneralData", &T::GeneralData)
                                     .Property("Images", &T::Images)
                                     .Property("Patterns", &T::Patterns)
                                     .Property("MasterBitmap", &T::MasterBitmap)
                                     .Build();
  return info;
}

const TClassInfo& TStoredSkins::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TStoredSkins, TCollection>("TStoredSkins").Build();
  return info;
}

TStoredSkin* TStoredSkins::Find(std::string_view name) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Name == name) return Items(i);
  return nullptr;
}

}  // namespace skin
