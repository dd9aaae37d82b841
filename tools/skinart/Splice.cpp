#include "Splice.h"

#include <sstream>

#include "PieceTable.h"

namespace skinart {

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
  }
  return lines;
}

// The indentation of a line whose text starts with `marker`, or npos.
std::size_t MarkerIndent(const std::string& line, const std::string& marker) {
  const std::size_t at = line.find_first_not_of(" \t");
  if (at == std::string::npos || line.compare(at, marker.size(), marker) != 0)
    return std::string::npos;
  return at;
}

int CountMarkers(const std::vector<std::string>& lines, const std::string& marker) {
  int n = 0;
  for (const auto& line : lines) n += MarkerIndent(line, marker) != std::string::npos;
  return n;
}

void RequireOne(const std::vector<std::string>& lines, const std::string& marker,
                const std::string& name) {
  const int n = CountMarkers(lines, marker);
  if (n == 0) throw TSkinArtError(name + " has no line \"" + marker + " ...\"");
  if (n > 1) throw TSkinArtError(name + " has more than one line \"" + marker + " ...\"");
}

const std::string kMasterMarker = "// MasterBitmap.Data:";
const std::string kImageMarker = "// Image.Data:";
const std::string kSkinMarker = "// InternalSkins:";

}  // namespace

std::string HexBlock(const std::string& name, const std::vector<std::uint8_t>& bytes,
                     const std::string& indent) {
  static const char* hex = "0123456789ABCDEF";
  std::string out = indent + name + " = {";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i % 64 == 0) out += "\n" + indent + "  ";
    out += hex[bytes[i] >> 4];
    out += hex[bytes[i] & 15];
  }
  return out + "}";
}

std::string FillSkin(const std::string& skin, const std::vector<std::uint8_t>& data,
                     const std::string& skinName) {
  const std::vector<std::string> lines = Lines(skin);
  RequireOne(lines, kMasterMarker, skinName);
  RequireOne(lines, kImageMarker, skinName);
  std::size_t first = 0;
  while (first < lines.size() && MarkerIndent(lines[first], "InternalSkins") == std::string::npos)
    ++first;
  if (first == lines.size())
    throw TSkinArtError(skinName + " has no line starting \"InternalSkins = <\"");
  std::size_t last = lines.size();
  while (last > first && lines[last - 1].find_first_not_of(" \t") == std::string::npos) --last;
  std::string out;
  for (std::size_t i = first; i < last; ++i) {
    const std::string& line = lines[i];
    if (const std::size_t at = MarkerIndent(line, kMasterMarker); at != std::string::npos)
      out += HexBlock("MasterBitmap.Data", data, line.substr(0, at));
    else if (const std::size_t at2 = MarkerIndent(line, kImageMarker); at2 != std::string::npos)
      out += HexBlock("Image.Data", data, line.substr(0, at2));
    else
      out += line;
    out += '\n';
  }
  return out;
}

std::string SpliceSkin(const std::string& description, const std::string& filledSkin,
                       const std::string& descriptionName) {
  const std::vector<std::string> lines = Lines(description);
  RequireOne(lines, kSkinMarker, descriptionName);
  std::string out;
  for (const std::string& line : lines) {
    const std::size_t at = MarkerIndent(line, kSkinMarker);
    if (at == std::string::npos) {
      out += line + '\n';
      continue;
    }
    const std::string indent = line.substr(0, at);
    for (const std::string& skinLine : Lines(filledSkin))
      out += (skinLine.empty() ? "" : indent + skinLine) + '\n';
  }
  return out;
}

}  // namespace skinart
