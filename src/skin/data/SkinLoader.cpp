#include "skin/data/SkinLoader.h"

#include <memory>

#include "platform/gdi/Bmp.h"
#include "platform/gdi/Gdi.h"
#include "skin/data/JpegPicture.h"
#include "skin/data/SkinFolder.h"
#include "skin/data/SkinText.h"
#include "skin/data/StoredSkin.h"

namespace skin {

namespace {

std::shared_ptr<const SurfaceBuffer> OwnPicture(const toolkit::TBitmap& bitmap) {
  if (bitmap.Empty()) return nullptr;
  return std::make_shared<const SurfaceBuffer>(OpaqueCopy(bitmap.View()));
}

std::span<const std::uint8_t> Bytes(const std::string& s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

// A picture file of a skin: a bitmap (BMP or PNG) or a compressed picture.
bool ReadPicture(const std::string& file, bool compressed, SurfaceBuffer* out, std::string* data,
                 std::string* error) {
  const auto text = ReadFileText(file);
  if (!text) {
    *error = "cannot read " + file;
    return false;
  }
  if (data) *data = *text;
  SurfaceBuffer decoded;
  bool ok;
  if (compressed) {
    ok = DecodeJpeg(Bytes(*text), &decoded, error);
  } else {
    toolkit::TBitmap bitmap;
    try {
      bitmap.LoadFromMemory(Bytes(*text));
      decoded = OpaqueCopy(bitmap.View());
      ok = true;
    } catch (const component::Exception& e) {
      *error = e.Message();
      ok = false;
    }
  }
  if (ok && (decoded.View().width == 0 || decoded.View().height == 0)) {
    *error = "empty picture";
    ok = false;
  }
  if (ok) *out = std::move(decoded);
  return ok;
}

void AddPicture(std::string section, std::string property, SurfaceBuffer picture,
                std::vector<std::uint8_t> data, bool compressed, TSkinTables& tables) {
  const Surface view = picture.View();
  const long pixels = long(view.width) * long(view.height);
  auto shared = std::make_shared<const SurfaceBuffer>(std::move(picture));
  if (compressed && pixels >= kPatternMinPixels) {
    tables.Patterns.push_back(TSkinPatternData{std::move(data), std::move(shared),
                                               std::move(section), std::move(property)});
    return;
  }
  TSkinMaskData piece;
  piece.Bitmap = std::move(shared);
  piece.SectionName = std::move(section);
  piece.PropertyName = std::move(property);
  piece.R = RECT{0, 0, view.width, view.height};
  // A bitmap of its own holds the three states over their masks; a small
  // compressed picture is one plain frame.
  piece.ImageCount = compressed ? 1 : 3;
  piece.MaskType = compressed ? 0 : 1;
  tables.Masks.push_back(std::move(piece));
}

}  // namespace

SurfaceBuffer OpaqueCopy(const Surface& picture) {
  SurfaceBuffer copy(picture.width, picture.height);
  const Surface dest = copy.View();
  for (int y = 0; y < dest.height; ++y) {
    const std::uint32_t* from = picture.Row(y);
    std::uint32_t* to = dest.Row(y);
    for (int x = 0; x < dest.width; ++x) to[x] = from[x] | 0xFF000000u;
  }
  return copy;
}

void LoadStoredMasks(const TStoredSkin& skin, TSkinTables& tables) {
  tables.Masks.clear();
  tables.Master.Resize(0, 0);
  if (!skin.MasterBitmap()->Empty()) tables.Master = OpaqueCopy(skin.MasterBitmap()->View());
  const TSkinImages& images = *skin.Images();
  for (int i = 0; i < images.Count(); ++i) {
    const TSkinImage& item = *images.Items(i);
    TSkinMaskData piece;
    if (item.ImageCount == 0) piece.Bitmap = OwnPicture(*item.Image());
    piece.SectionName = UpperCase(item.SectionName);
    piece.PropertyName = UpperCase(item.PropertyName);
    piece.R = RECT{item.Left, item.Top, item.Right, item.Bottom};
    piece.ImageCount = std::int16_t(item.ImageCount);
    piece.MaskType = std::int16_t(item.MaskType);
    piece.BorderWidth = std::int16_t(item.BorderWidth);
    tables.Masks.push_back(std::move(piece));
  }
}

void LoadStoredPatterns(const TStoredSkin& skin, TSkinTables& tables) {
  tables.Patterns.clear();
  const TSkinPatterns& patterns = *skin.Patterns();
  for (int i = 0; i < patterns.Count(); ++i) {
    const TSkinPattern& item = *patterns.Items(i);
    SurfaceBuffer picture;
    std::string error;
    if (!DecodeJpeg(item.Image()->Data(), &picture, &error)) continue;
    AddPicture(UpperCase(item.SectionName), UpperCase(item.PropertyName), std::move(picture),
               item.Image()->Data(), true, tables);
  }
}

void LoadStoredSections(const TStoredSkin& skin, TSkinTables& tables) {
  tables.Sections.clear();
  const TSkinGenerals& generals = *skin.GeneralData();
  tables.Sections.reserve(std::size_t(generals.Count()));
  for (int i = 0; i < generals.Count(); ++i)
    tables.Sections.push_back(MakeGeneralData(*generals.Items(i)));
}

void AddSkinPieces(const std::vector<TSkinNamedPiece>& pieces, TSkinTables& tables,
                   std::vector<std::string>* rejected) {
  for (const TSkinNamedPiece& named : pieces) {
    if (named.Source == TSkinPieceSource::MasterBitmap) {
      TSkinMaskData piece;
      piece.SectionName = named.SectionName;
      piece.PropertyName = named.PropertyName;
      piece.R = named.Rect;
      piece.ImageCount = named.ImageCount;
      piece.MaskType = named.MaskType;
      piece.BorderWidth = named.BorderWidth;
      tables.Masks.push_back(std::move(piece));
      continue;
    }
    const bool compressed = named.Source == TSkinPieceSource::PictureFile;
    SurfaceBuffer picture;
    std::string data, error;
    if (!ReadPicture(named.FileName, compressed, &picture, compressed ? &data : nullptr, &error)) {
      if (rejected)
        rejected->push_back(named.SectionName + "." + named.PropertyName + ": " + error);
      continue;
    }
    AddPicture(named.SectionName, named.PropertyName, std::move(picture),
               std::vector<std::uint8_t>(data.begin(), data.end()), compressed, tables);
  }
}

TSkinFolderLoad LoadFolderSkin(std::string_view skinIni, std::string_view skinPath,
                               TSkinTables& tables) {
  TSkinFolderLoad result;
  // GLOBALINFO names the master bitmap; rectangle pieces count only with it.
  TSkinIniOptions options;
  options.SkinFolder = std::string(skinPath);
  options.MasterBitmapLoaded = false;
  const TSkinIniContent first = ReadSkinIni(skinIni, options);
  if (!first.Ok()) {
    result.OldFormat = first.Error == TSkinIniError::OldFormat;
    result.Message = first.Message;
    return result;
  }
  tables.Masks.clear();
  tables.Patterns.clear();
  tables.Master.Resize(0, 0);
  if (!first.Info.MasterBitmap.empty()) {
    std::string file = first.Info.MasterBitmap;
    if (file.find(':') == std::string::npos) file = std::string(skinPath) + file;
    SurfaceBuffer master;
    std::string error;
    if (FileExists(file) && ReadPicture(file, false, &master, nullptr, &error))
      tables.Master = std::move(master);
    else if (FileExists(file))
      result.Rejected.push_back("GLOBALINFO.MASTERBITMAP: " + error);
  }
  options.MasterBitmapLoaded = tables.Master.Width() > 0;
  TSkinIniContent content = ReadSkinIni(skinIni, options);
  result.Info = content.Info;
  result.Rejected.insert(result.Rejected.end(), content.Problems.begin(), content.Problems.end());
  result.Rejected.insert(result.Rejected.end(), content.RejectedPieces.begin(),
                         content.RejectedPieces.end());
  AddSkinPieces(content.Pieces, tables, &result.Rejected);
  tables.Sections = std::move(content.Sections);
  result.Ok = true;
  return result;
}

void LoadCommonSections(std::string_view common, std::string_view skinPath, TSkinTables& tables,
                        std::vector<std::string>* rejected) {
  if (TrimBlanks(common).empty()) return;
  TSkinIniOptions options;
  options.SkinFolder = std::string(skinPath);
  options.MasterBitmapLoaded = tables.Master.Width() > 0;
  std::vector<TSkinNamedPiece> pieces;
  AppendCommonSections(common, options, tables.Sections, pieces, rejected, rejected);
  AddSkinPieces(pieces, tables, rejected);
}

}  // namespace skin
