#include "PieceTable.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "component/Description.h"
#include "component/Exception.h"
#include "platform/base/AsciiCase.h"

namespace skinart {

namespace {

using component::TDescriptionItem;
using component::TDescriptionProperty;
using component::TDescriptionValueType;

template <typename List>
const TDescriptionProperty* Find(const List& properties, std::string_view name) {
  for (const auto& p : properties)
    if (platform::SameText(p.path, name)) return &p;
  return nullptr;
}

std::string Where(std::string_view fileName, int line) {
  return std::string(fileName) + "(" + std::to_string(line) + ")";
}

std::string Text(const TDescriptionItem& item, const char* name, std::string_view fileName) {
  const auto* p = Find(item.properties, name);
  if (!p || p->value.type != TDescriptionValueType::String)
    throw TSkinArtError(Where(fileName, item.line) + ": image item has no text " + name);
  return p->value.text;
}

int Number(const TDescriptionItem& item, const char* name, std::string_view fileName) {
  const auto* p = Find(item.properties, name);
  if (!p || p->value.type != TDescriptionValueType::Integer || p->value.integer < -100000 ||
      p->value.integer > 100000)
    throw TSkinArtError(Where(fileName, item.line) + ": image item has no usable number " + name);
  return int(p->value.integer);
}

}  // namespace

std::vector<TPiece> ReadPieces(std::string_view skinText, std::string_view fileName) {
  // The text is one property; an object around it makes it a description.
  // The object's header shares the first line, so line numbers stay right.
  const std::string wrapped = "object Skin: TSkinManager " + std::string(skinText) + "\nend\n";
  component::TDescriptionObject root;
  try {
    root = component::ParseDescription(wrapped, fileName);
  } catch (const component::Exception& e) {
    throw TSkinArtError(e.Message());
  }
  const auto* skins = Find(root.properties, "InternalSkins");
  if (!skins || skins->value.type != TDescriptionValueType::Collection ||
      skins->value.items.empty())
    throw TSkinArtError(std::string(fileName) +
                        " holds no stored skin (InternalSkins = < item ...)");
  const TDescriptionItem& skin = skins->value.items.front();
  const auto* images = Find(skin.properties, "Images");
  if (!images || images->value.type != TDescriptionValueType::Collection)
    throw TSkinArtError(Where(fileName, skin.line) + ": the stored skin has no Images");
  std::vector<TPiece> pieces;
  for (const TDescriptionItem& item : images->value.items) {
    TPiece p;
    p.section = Text(item, "SectionName", fileName);
    p.property = Text(item, "PropertyName", fileName);
    p.left = Number(item, "Left", fileName);
    p.top = Number(item, "Top", fileName);
    p.right = Number(item, "Right", fileName);
    p.bottom = Number(item, "Bottom", fileName);
    p.imageCount = Number(item, "ImageCount", fileName);
    p.maskType = Number(item, "MaskType", fileName);
    p.borderWidth = Number(item, "BorderWidth", fileName);
    p.line = item.line;
    pieces.push_back(std::move(p));
  }
  return pieces;
}

std::string ReadFile(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) throw TSkinArtError("cannot read " + path);
  std::ifstream in(path, std::ios::binary);
  if (!in) throw TSkinArtError("cannot read " + path);
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) throw TSkinArtError("cannot read " + path);
  return text.str();
}

}  // namespace skinart
