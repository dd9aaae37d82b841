#include "skin/data/SkinIni.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "skin/data/SkinLookup.h"
#include "skin/data/SkinText.h"

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

// Inherited values of a skin file's sections: a missing value is looked
// for in the PARENTCLASS section, and in its parent, until a section has
// none, names itself, or the chain returns to a section already asked.
// Resolved for all sections at once, key by key, each section visited once
// per key: deep chains of thousands of sections load at once.
class InheritedValues {
 public:
  explicit InheritedValues(const TIniText& ini) : ini_(ini), parent_(ini.Sections.size(), -1) {
    std::unordered_map<std::string, int> byName;
    for (std::size_t i = 0; i < ini.Sections.size(); ++i)
      byName.try_emplace(UpperCase(ini.Sections[i].Name), int(i));
    for (std::size_t i = 0; i < ini.Sections.size(); ++i) {
      const std::string parent = ParentOf(ini.Sections[i]);
      if (parent.empty() || SameText(parent, ini.Sections[i].Name)) continue;
      if (const auto it = byName.find(UpperCase(parent)); it != byName.end())
        parent_[i] = it->second;
    }
  }

  std::optional<std::int32_t> Int(int section, std::string_view key) const {
    const int from = Provider(key, true)[std::size_t(section)];
    return from < 0 ? std::nullopt : GivenInt(&ini_.Sections[std::size_t(from)], key);
  }
  std::optional<std::string> Str(int section, std::string_view key) const {
    const int from = Provider(key, false)[std::size_t(section)];
    return from < 0 ? std::nullopt : GivenStr(&ini_.Sections[std::size_t(from)], key);
  }

 private:
  // For every section, the first section along its chain that gives the
  // key, or -1. A chain is followed until it meets a section already
  // answered, ends, or closes a loop; every section passed on the way did
  // not give the key and takes the same answer (none, for a loop, since
  // none of its sections gives it).
  const std::vector<int>& Provider(std::string_view key, bool integer) const {
    std::vector<int>& out = providers_[std::string(key) + (integer ? "#" : "$")];
    const std::size_t n = ini_.Sections.size();
    if (out.size() == n) return out;
    constexpr int kOpen = -2;
    out.assign(n, kOpen);
    std::vector<char> onPath(n, 0);
    std::vector<int> path;
    const auto gives = [&](int s) {
      const TIniSection* section = &ini_.Sections[std::size_t(s)];
      return integer ? GivenInt(section, key).has_value() : GivenStr(section, key).has_value();
    };
    for (int start = 0; start < int(n); ++start) {
      if (out[std::size_t(start)] != kOpen) continue;
      path.clear();
      int s = start;
      while (s >= 0 && out[std::size_t(s)] == kOpen && !onPath[std::size_t(s)]) {
        if (gives(s)) {
          out[std::size_t(s)] = s;
          break;
        }
        onPath[std::size_t(s)] = 1;
        path.push_back(s);
        s = parent_[std::size_t(s)];
      }
      const int answer = s < 0 || onPath[std::size_t(s)] ? -1 : out[std::size_t(s)];
      for (const int p : path) {
        out[std::size_t(p)] = answer;
        onPath[std::size_t(p)] = 0;
      }
    }
    return out;
  }

  const TIniText& ini_;
  std::vector<int> parent_;  // index of each section's PARENTCLASS section, or -1
  mutable std::unordered_map<std::string, std::vector<int>> providers_;
};

// One section's view of the inherited values.
class SkinFileValues {
 public:
  SkinFileValues(const InheritedValues& all, const TIniSection& section, int index)
      : all_(all), section_(section), index_(index) {}
  std::optional<std::int32_t> Int(std::string_view key) const { return all_.Int(index_, key); }
  std::optional<std::string> Str(std::string_view key) const { return all_.Str(index_, key); }
  std::optional<std::int32_t> Own(std::string_view key) const { return GivenInt(&section_, key); }

 private:
  const InheritedValues& all_;
  const TIniSection& section_;
  int index_;
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

void AppendCommonSections(std::string_view common, const TSkinIniOptions& options,
                          TSkinGeneralDataArray& sections, std::vector<TSkinNamedPiece>& pieces,
                          std::vector<std::string>* rejected, std::vector<std::string>* problems) {
  const TIniText ini = ParseIniText(common);
  if (problems)
    for (const std::string& p : ini.Problems) problems->push_back("CommonSections " + p);
  for (const auto& section : ini.Sections)
    if (!SameText(section.Name, "GLOBALINFO"))
      ReadSectionPieces(section, options, pieces, rejected);
  // The first record of each name, as FindSection would answer.
  std::unordered_map<std::string, std::size_t> byName;
  for (std::size_t i = 0; i < sections.size(); ++i)
    byName.try_emplace(UpperCase(sections[i].SectionName), i);
  for (const auto& section : ini.Sections) {
    const std::string parentName = ParentOf(section);
    const auto parent = parentName.empty() ? byName.end() : byName.find(UpperCase(parentName));
    const TSkinGeneralData base =
        parent != byName.end() ? sections[parent->second] : TSkinGeneralData{};
    sections.push_back(BuildRecord(section, OwnValues(section), base));
    byName.try_emplace(sections.back().SectionName, sections.size() - 1);
  }
}

TSkinIniContent ReadSkinIni(std::string_view skinIni, const TSkinIniOptions& options) {
  TSkinIniContent content;
  const TIniText ini = ParseIniText(skinIni);
  for (const std::string& p : ini.Problems) content.Problems.push_back("Skin.ini " + p);
  if (ini.Sections.empty()) {
    content.Error = TSkinIniError::NoSections;
    content.Message = "Skin.ini holds no sections";
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
  const InheritedValues inherited(ini);
  content.Sections.reserve(ini.Sections.size());
  for (std::size_t i = 0; i < ini.Sections.size(); ++i)
    content.Sections.push_back(
        BuildRecord(ini.Sections[i], SkinFileValues(inherited, ini.Sections[i], int(i)), defaults));
  if (!options.CommonSections.empty())
    AppendCommonSections(options.CommonSections, options, content.Sections, content.Pieces,
                         &content.RejectedPieces, &content.Problems);
  return content;
}

}  // namespace skin
