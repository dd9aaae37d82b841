// The skins a program carries inside its window description: the skin
// manager's InternalSkins, each with its sections (GeneralData), image
// pieces (Images), compressed patterns (Patterns) and master bitmap.
//
//   InternalSkins = <
//     item
//       Name = 'Golden (internal)'
//       GeneralData = <item SectionName = 'FORM' ... end ...>
//       Images = <item SectionName = 'FORM' PropertyName = 'BORDERSMASK' ... end ...>
//       Patterns = <>
//       MasterBitmap.Data = {...}
//     end>
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "component/ClassInfo.h"
#include "component/Collection.h"
#include "component/Persistent.h"
#include "skin/data/SkinGeneral.h"
#include "toolkit/Bitmap.h"

namespace skin {

const component::TEnumInfo& EnumInfo(TSkinControlBevel);

// One section, every property stored.
class TSkinGeneral : public component::TCollectionItem, public TSkinGeneralValues {
 public:
  COMPONENT_CLASS_INFO()
  explicit TSkinGeneral(component::TCollection* collection) : TCollectionItem(collection) {}
  std::string DisplayName() const override { return SectionName; }
};

class TSkinGenerals : public component::TOwnedCollection<TSkinGeneral> {
 public:
  COMPONENT_CLASS_INFO()
  using TOwnedCollection::TOwnedCollection;
};

// One image piece: a rectangle of the master bitmap with ImageCount frames
// side by side, or (ImageCount 0) a picture of its own in Image.
class TSkinImage : public component::TCollectionItem {
 public:
  COMPONENT_CLASS_INFO()
  explicit TSkinImage(component::TCollection* collection);

  std::string SectionName;
  std::string PropertyName;
  std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  std::int32_t ImageCount = 1;
  std::int32_t MaskType = 0;
  std::int32_t BorderWidth = 0;
  std::string Name;

  toolkit::TBitmap* Image() const { return image_.get(); }
  std::string DisplayName() const override { return SectionName + "." + PropertyName; }

 private:
  std::unique_ptr<toolkit::TBitmap> image_;
};

class TSkinImages : public component::TOwnedCollection<TSkinImage> {
 public:
  COMPONENT_CLASS_INFO()
  using TOwnedCollection::TOwnedCollection;
};

// A compressed (JPEG) picture as its stored bytes; decoded when a skin loads.
class TSkinJpegImage : public component::TPersistent {
 public:
  COMPONENT_CLASS_INFO()
  const component::TBytes& Data() const { return data_; }
  void SetData(std::span<const std::uint8_t> data) { data_.assign(data.begin(), data.end()); }
  bool Empty() const { return data_.empty(); }

 private:
  component::TBytes data_;
};

class TSkinPattern : public component::TCollectionItem {
 public:
  COMPONENT_CLASS_INFO()
  explicit TSkinPattern(component::TCollection* collection);

  std::string SectionName;
  std::string PropertyName;
  std::string Name;
  TSkinJpegImage* Image() const { return image_.get(); }

 private:
  std::unique_ptr<TSkinJpegImage> image_;
};

class TSkinPatterns : public component::TOwnedCollection<TSkinPattern> {
 public:
  COMPONENT_CLASS_INFO()
  using TOwnedCollection::TOwnedCollection;
};

class TStoredSkin : public component::TCollectionItem {
 public:
  COMPONENT_CLASS_INFO()
  explicit TStoredSkin(component::TCollection* collection);
  ~TStoredSkin() override;

  std::string Name;  // compared with SkinName letter for letter
  TSkinGenerals* GeneralData() const { return general_.get(); }
  TSkinImages* Images() const { return images_.get(); }
  TSkinPatterns* Patterns() const { return patterns_.get(); }
  // Stored as a 4-byte length followed by the BMP file.
  toolkit::TBitmap* MasterBitmap() const { return master_.get(); }
  std::string DisplayName() const override { return Name; }

 private:
  std::unique_ptr<TSkinGenerals> general_;
  std::unique_ptr<TSkinImages> images_;
  std::unique_ptr<TSkinPatterns> patterns_;
  std::unique_ptr<toolkit::TBitmap> master_;
};

class TStoredSkins : public component::TOwnedCollection<TStoredSkin> {
 public:
  COMPONENT_CLASS_INFO()
  using TOwnedCollection::TOwnedCollection;
  // The skin named exactly `name`, or null.
  TStoredSkin* Find(std::string_view name) const;
};

}  // namespace skin
