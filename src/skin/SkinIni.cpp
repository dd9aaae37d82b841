#include "skin/SkinIni.h"

#include <algorithm>
#include <optional>

#include "skin/SkinLookup.h"
#include "skin/SkinText.h"

namespace skin {

namespace {

// In a skin text -1 and "?" both mean "not given here".
std::optional<std::int32_t> GivenInt(const TIniSection* section, std::string_view key) {
  if (section == nullptr) return std::nullopt;
  const std::string* value = section->Find(key);
  if (value == nullptr) return std::nullopt;
  const auto number = ParseSkinInteger(*value);
  if (!number || *number == -1) return std::nullopt;
  return number;
}

std::optional<std::string> GivenStr(const TIniSection* section, std::string_view key) {
  if (section == nullptr) return std::nullopt;
  const std::string* value = section->Find(key);
  if (value == nullptr || *value == "?") return std::nullopt;
  return *value;
}

std::string ParentOf(const TIniSection& section) {
  return GivenStr(&section, "PARENTCLASS").value_or("");
}

// Values of a skin file section: a missing value is looked for in the
// PARENTCLASS section, and in its parent, until a section has none, names
// itself, or the chain returns to a section already asked.
class SkinFileValues {
 public:
  SkinFileValues(const TIniText& ini, const TIniSection& section) : ini_(ini), section_(section) {}

  std::optional<std::int32_t> Int(std::string_view key) const {
    return Walk([&](const TIniSection* s) { return GivenInt(s, key); });
  }
  std::optional<std::string> Str(std::string_view key) const {
    return Walk([&](const TIniSection* s) { return GivenStr(s, key); });
  }
  std::optional<std::int32_t> Own(std::string_view key) const { return GivenInt(&section_, key); }

 private:
  template <class Read>
  auto Walk(Read read) const -> decltype(read(nullptr)) {
    std::vector<const TIniSection*> asked;
    const TIniSection* section = &section_;
    while (section != nullptr) {
      if (auto value = read(section)) return value;
      asked.push_back(section);
      const std::string parent = ParentOf(*section);
      if (parent.empty() || SameText(parent, section->Name)) break;
      section = ini_.Find(parent);
      if (std::find(asked.begin(), asked.end(), section) != asked.end()) break;
    }
    return std::nullopt;
  }

  const TIniText& ini_;
  const TIniSection& section_;
};

// Values of a CommonSections section: only its own, the rest from a base
// record (its parent's, or the defaults).
class OwnValues {
 public:
  explicit OwnValues(const TIniSection& section) : section_(section) {}
  std::optional<std::int32_t> Int(std::string_view key) const { return GivenInt(&section_, key); }
  std::optional<std::string> Str(std::string_view key) const { return GivenStr(&section_, key); }
  std::optional<std::int32_t> Own(std::string_view key) const { return GivenInt(&section_, key); }

 private:
  const TIniSection& section_;
};

template <class Values>
TSkinGeneralData BuildRecord(const TIniSection& section, const Values& v,
                             const TSkinGeneralData& base) {
  const auto flag = [&](std::string_view key, bool fallback) {
    const auto text = v.Str(key);
    return text ? SameText(*text, "TRUE") : fallback;
  };
  TSkinGeneralData d;
  d.SectionName = UpperCase(section.Name);
  d.ParentClass = UpperCase(ParentOf(section));
  d.Color = v.Int("COLOR").value_or(base.Color);
  d.Bevel = static_cast<std::uint8_t>(v.Int("BEVEL").value_or(base.Bevel));
  d.ShadowBlur = v.Int("SHADOWBLUR").value_or(base.ShadowBlur);
  d.ShadowOffset = v.Int("SHADOWOFFSET").value_or(base.ShadowOffset);
  d.ShadowColor = v.Own("SHADOWCOLOR").value_or(base.ShadowColor);
  d.ShadowTransparency = v.Int("SHADOWTRANSPARENCY").value_or(base.ShadowTransparency);
  d.ShadowEnabled = flag("SHADOWENABLED", base.ShadowEnabled);
  d.ReservedBoolean = flag("RESERVEDBOOLEAN", base.ReservedBoolean);
  static constexpr std::string_view kContours[] = {"TCLEFT", "TCTOP", "TCRIGHT", "TCBOTTOM"};
  static constexpr std::string_view kHotContours[] = {"HOTTCLEFT", "HOTTCTOP", "HOTTCRIGHT",
                                                      "HOTTCBOTTOM"};
  d.Font.FontColor = v.Int("FONTCOLOR").value_or(base.Font.FontColor);
  d.HotFont.FontColor = v.Int("HOTFONTCOLOR").value_or(base.HotFont.FontColor);
  for (std::size_t i = 0; i < 4; ++i) {
    d.Font.Contours[i] = v.Int(kContours[i]).value_or(base.Font.Contours[i]);
    d.HotFont.Contours[i] = v.Int(kHotContours[i]).value_or(base.HotFont.Contours[i]);
  }
  d.Transparency = v.Int("TRANSPARENCY").value_or(base.Transparency);
  d.GradientPercent = v.Int("GRADIENTPERCENT").value_or(base.GradientPercent);
  d.ImagePercent = v.Int("IMAGEPERCENT").value_or(base.ImagePercent);
  d.GradientData = v.Str("GRADIENTDATA").value_or(base.GradientData);
  d.Gradient = ParseGradientData(d.GradientData);
  d.ShowFocus = flag("SHOWFOCUS", base.ShowFocus);
  d.FadingEnabled = flag("FADINGENABLED", base.FadingEnabled);
  d.FadingIntervalIn = v.Int("FADINGINTERVALIN").value_or(base.FadingIntervalIn);
  d.FadingIntervalOut = v.Int("FADINGINTERVALOUT").value_or(base.FadingIntervalOut);
  d.FadingIterations = v.Int("FADINGITERATIONS").value_or(base.FadingIterations);
  d.HotColor = v.Int("HOTCOLOR").value_or(base.HotColor);
  d.HotTransparency = v.Int("HOTTRANSPARENCY").value_or(base.HotTransparency);
  d.HotBevel = static_cast<std::uint8_t>(v.Int("HOTBEVEL").value_or(base.HotBevel));
  d.HotGradientPercent = v.Int("HOTGRADIENTPERCENT").value_or(base.HotGradientPercent);
  d.HotGradientData = v.Str("HOTGRADIENTDATA").value_or(base.HotGradientData);
  d.HotGradient = ParseGradientData(d.HotGradientData);
  d.HotImagePercent = v.Int("HOTIMAGEPERCENT").value_or(base.HotImagePercent);
  d.BorderColor1 = v.Int("BORDERCOLOR1").value_or(base.BorderColor1);
  d.BorderColor2 = v.Int("BORDERCOLOR2").value_or(base.BorderColor2);
  return d;
}

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

std::int16_t To16(std::int32_t value, std::int32_t least) {
  return static_cast<std::int16_t>(std::clamp<std::int32_t>(value, least, 32767));
}

// Words are separated by blanks and parentheses, but blanks inside a pair
// of parentheses separate numbers, not words: "(78, 198, 132, 216)" is one.
std::vector<std::string_view> PieceWords(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t start = 0;
  bool inside = false;
  const auto cut = [&](std::size_t end) {
    if (end > start) words.push_back(text.substr(start, end - start));
    start = end + 1;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '(' || c == ')') {
      cut(i);
      inside = c == '(';
    } else if (c == ' ' && !inside) {
      cut(i);
    }
  }
  cut(text.size());
  return words;
}

// "<anything> (Left,Top,Right,Bottom) (ImageCount,MaskType[,BorderWidth])",
// the numbers in each group between commas or blanks.
bool ReadRectanglePiece(std::string_view text, TSkinNamedPiece& piece) {
  auto words = PieceWords(text);
  // A group of blanks only is no word.
  std::erase_if(words, [](std::string_view w) { return TrimBlanks(w).empty(); });
  if (words.size() < 3) return false;
  const auto rect = SplitWords(words[1], ", ");
  const auto counts = SplitWords(words[2], ", ");
  if (rect.size() != 4 || counts.size() < 2 || counts.size() > 3) return false;
  std::int32_t r[4], c[3] = {0, 0, 0};
  for (std::size_t i = 0; i < 4; ++i) {
    const auto n = ParseSkinInteger(rect[i]);
    if (!n) return false;
    r[i] = *n;
  }
  for (std::size_t i = 0; i < counts.size(); ++i) {
    const auto n = ParseSkinInteger(counts[i]);
    if (!n) return false;
    c[i] = *n;
  }
  piece.Rect = {r[0], r[1], r[2], r[3]};
  piece.ImageCount = To16(c[0], 1);
  piece.MaskType = To16(c[1], 0);
  piece.BorderWidth = To16(c[2], 0);
  return true;
}

}  // namespace

void ReadSectionPieces(const TIniSection& section, const TSkinIniOptions& options,
                       std::vector<TSkinNamedPiece>& pieces, std::vector<std::string>* rejected) {
  for (const auto& [key, value] : section.Values) {
    TSkinNamedPiece piece;
    piece.SectionName = UpperCase(section.Name);
    piece.PropertyName = UpperCase(key);
    const std::string upper = UpperCase(value);
    if (Contains(value, "#") && value != "#" && options.MasterBitmapLoaded) {
      if (!ReadRectanglePiece(value, piece)) {
        if (rejected) rejected->push_back(piece.SectionName + "." + piece.PropertyName);
        continue;
      }
    } else if (Contains(upper, ".BMP") || Contains(upper, ".JPG") || Contains(upper, ".JPEG")) {
      piece.Source =
          Contains(upper, ".BMP") ? TSkinPieceSource::BitmapFile : TSkinPieceSource::PictureFile;
      piece.ImageCount = 0;
      piece.FileName = Contains(value, ":") ? value : options.SkinFolder + value;
    } else {
      continue;
    }
    pieces.push_back(std::move(piece));
  }
}

std::string RemoveCommonSectionBlanks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool lineStart = true, comment = false;
  for (const char c : text) {
    if (lineStart) comment = c == ';';
    lineStart = c == '\n';
    if (c != ' ' || comment) out += c;
  }
  return out;
}

std::string AppendCommonSections(std::string_view common, const TSkinIniOptions& options,
                                 TSkinGeneralDataArray& sections,
                                 std::vector<TSkinNamedPiece>& pieces,
                                 std::vector<std::string>* rejected) {
  const TIniText ini = ParseIniText(common);
  if (!ini.Ok()) return "CommonSections: " + ini.Error;
  for (const auto& section : ini.Sections)
    if (!SameText(section.Name, "GLOBALINFO"))
      ReadSectionPieces(section, options, pieces, rejected);
  for (const auto& section : ini.Sections) {
    const std::string parentName = ParentOf(section);
    const int parent = parentName.empty() ? -1 : FindSection(sections, parentName);
    const TSkinGeneralData base = parent >= 0 ? sections[std::size_t(parent)] : TSkinGeneralData{};
    sections.push_back(BuildRecord(section, OwnValues(section), base));
  }
  return {};
}

TSkinIniContent ReadSkinIni(std::string_view skinIni, const TSkinIniOptions& options) {
  TSkinIniContent content;
  const TIniText ini = ParseIniText(skinIni);
  if (!ini.Ok()) {
    content.Error = TSkinIniError::Malformed;
    content.Message = "Skin.ini: " + ini.Error;
    return content;
  }
  if (const TIniSection* global = ini.Find("GLOBALINFO")) {
    if (const auto* version = global->Find("VERSION"))
      content.Info.Version = ParseSkinFloat(*version).value_or(0);
    content.Info.Author = GivenStr(global, "AUTHOR").value_or("");
    content.Info.Description = GivenStr(global, "DESCRIPTION").value_or("");
    content.Info.MasterBitmap = GivenStr(global, "MASTERBITMAP").value_or("");
  }
  if (ini.Find("TSKINEDIT") != nullptr) {
    content.Error = TSkinIniError::OldFormat;
    content.Message =
        "You use old version of skin (for Veltrix 3), please download latest skins from the " +
        std::string(kSkinPublisherAddress) + "!";
    return content;
  }
  for (const auto& section : ini.Sections)
    ReadSectionPieces(section, options, content.Pieces, &content.RejectedPieces);
  const TSkinGeneralData defaults;
  for (const auto& section : ini.Sections)
    content.Sections.push_back(BuildRecord(section, SkinFileValues(ini, section), defaults));
  if (!options.CommonSections.empty()) {
    auto error = AppendCommonSections(options.CommonSections, options, content.Sections,
                                      content.Pieces, &content.RejectedPieces);
    if (!error.empty()) {
      content = {};
      content.Error = TSkinIniError::Malformed;
      content.Message = std::move(error);
    }
  }
  return content;
}

}  // namespace skin
