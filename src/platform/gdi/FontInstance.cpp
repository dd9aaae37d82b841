#include "platform/gdi/FontInstance.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>

#include "platform/base/AsciiCase.h"
#include "platform/base/Codepage.h"

namespace platform {

namespace {

FT_Library Library() {
  static FT_Library lib = [] {
    FT_Library l = nullptr;
    if (FT_Init_FreeType(&l) != 0) l = nullptr;
    return l;
  }();
  return lib;
}

struct Match {
  std::string file;
  int index = 0;
  std::string family;
  int weight = FC_WEIGHT_REGULAR;
  int slant = FC_SLANT_ROMAN;
};

Match MatchFace(const std::string& family, bool bold, bool italic) {
  Match m;
  static const bool ready = [] {
    FcInit();
    // Fontconfig keeps its configuration until told to let go.
    std::atexit(FcFini);
    return true;
  }();
  (void)ready;
  FcPattern* pat = FcPatternCreate();
  FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pat, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pat, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pat, FcMatchPattern);
  FcDefaultSubstitute(pat);
  FcResult result;
  FcPattern* found = FcFontMatch(nullptr, pat, &result);
  if (found) {
    FcChar8* s = nullptr;
    if (FcPatternGetString(found, FC_FILE, 0, &s) == FcResultMatch)
      m.file = reinterpret_cast<char*>(s);
    if (FcPatternGetString(found, FC_FAMILY, 0, &s) == FcResultMatch)
      m.family = reinterpret_cast<char*>(s);
    FcPatternGetInteger(found, FC_INDEX, 0, &m.index);
    FcPatternGetInteger(found, FC_WEIGHT, 0, &m.weight);
    FcPatternGetInteger(found, FC_SLANT, 0, &m.slant);
    FcPatternDestroy(found);
  }
  FcPatternDestroy(pat);
  return m;
}

// Fonts that differ only in size or decoration share a face; a match costs
// about as much as opening the face, so each is asked for once.
Match FindFace(const std::string& family, bool bold, bool italic) {
  static std::map<std::string, Match> found;
  std::string key = family;
  key += bold ? "|b" : "|";
  key += italic ? "i" : "";
  auto it = found.find(key);
  if (it == found.end()) it = found.emplace(std::move(key), MatchFace(family, bold, italic)).first;
  return it->second;
}

long Round(double v) {
  return std::lround(v);
}

}  // namespace

// The classic dialog face sets its letters closer than its stand-in at the
// same height: the stand-in's advances are taken at this share, so texts
// keep the widths they were laid out for. The letters themselves are drawn
// as they are, crisp.
constexpr double kClassicSansAdvance = 0.95;

std::string SubstituteFamily(std::string_view requested) {
  // The faces the program asks for by name, and the installed faces that
  // match them best: same metrics where a metric-compatible face exists.
  // clang-format off
  static const std::map<std::string, std::string> aliases = {
      {"arial", "Liberation Sans"},
      {"helvetica", "Liberation Sans"},
      {"ms sans serif", "Liberation Sans"},
      {"ms shell dlg", "Liberation Sans"},
      {"ms shell dlg 2", "Liberation Sans"},
      {"system", "Liberation Sans"},
      {"tahoma", "DejaVu Sans Condensed"},
      {"verdana", "DejaVu Sans"},
      {"segoe ui", "DejaVu Sans"},
      {"times new roman", "Liberation Serif"},
      {"times", "Liberation Serif"},
      {"ms serif", "Liberation Serif"},
      {"courier new", "Liberation Mono"},
      {"courier", "Liberation Mono"},
      {"fixedsys", "Liberation Mono"},
      {"terminal", "Liberation Mono"},
      {"lucida console", "Liberation Mono"},
  };
  // clang-format on
  std::string key = LowerCase(requested);
  auto it = aliases.find(key);
  if (it != aliases.end()) return it->second;
  if (key.empty()) return "Liberation Sans";
  return std::string(requested);
}

std::shared_ptr<FontInstance> FontInstance::Get(const LOGFONT& lf) {
  static std::map<std::string, std::shared_ptr<FontInstance>> cache;
  std::string key =
      LowerCase(std::string_view(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE))) + "|" +
      std::to_string(lf.lfHeight) + "|" + std::to_string(lf.lfWidth) + "|" +
      std::to_string(lf.lfWeight) + "|" + std::to_string(lf.lfItalic ? 1 : 0) +
      std::to_string(lf.lfUnderline ? 1 : 0) + std::to_string(lf.lfStrikeOut ? 1 : 0) + "|" +
      std::to_string(lf.lfQuality == NONANTIALIASED_QUALITY ? 1 : 0);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  std::shared_ptr<FontInstance> f(new FontInstance());
  f->Open(lf);
  cache.emplace(key, f);
  return f;
}

FontInstance::~FontInstance() {
  if (face_) FT_Done_Face(static_cast<FT_Face>(face_));
}

void FontInstance::Open(const LOGFONT& lf) {
  std::string requested(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
  bool bold = lf.lfWeight >= FW_SEMIBOLD;
  bool italic = lf.lfItalic != 0;
  underline_ = lf.lfUnderline != 0;
  strikeOut_ = lf.lfStrikeOut != 0;
  mono_ = lf.lfQuality == NONANTIALIASED_QUALITY;
  advanceShare_ =
      LowerCase(requested) == "ms sans serif" && lf.lfWidth == 0 ? kClassicSansAdvance : 1.0;

  Match m = FindFace(SubstituteFamily(requested), bold, italic);
  FT_Face face = nullptr;
  FT_Library lib = Library();
  if (lib && !m.file.empty() && FT_New_Face(lib, m.file.c_str(), m.index, &face) != 0)
    face = nullptr;
  if (!face && lib) {
    m = FindFace("sans-serif", bold, italic);
    if (!m.file.empty() && FT_New_Face(lib, m.file.c_str(), m.index, &face) != 0) face = nullptr;
  }
  face_ = face;
  family_ = face && face->family_name ? face->family_name : m.family;
  synthBold_ = bold && m.weight < FC_WEIGHT_DEMIBOLD;
  synthItalic_ = italic && m.slant == FC_SLANT_ROMAN;

  TEXTMETRIC& tm = metrics_;
  tm.tmWeight = lf.lfWeight == FW_DONTCARE ? FW_NORMAL : lf.lfWeight;
  tm.tmItalic = italic ? 1 : 0;
  tm.tmUnderlined = underline_ ? 1 : 0;
  tm.tmStruckOut = strikeOut_ ? 1 : 0;
  if (!face) {
    int h = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight > 0 ? lf.lfHeight : 16;
    tm.tmHeight = h;
    tm.tmAscent = h * 4 / 5;
    tm.tmDescent = h - tm.tmAscent;
    return;
  }

  double upem = face->units_per_EM ? face->units_per_EM : 2048;
  double asc = face->ascender, desc = -face->descender;
  double lineGap = face->height - (face->ascender - face->descender);
  double avg = 0, strikePos = 0, strikeSize = 0;
  if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
      os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
    lineGap = std::max(0.0, (face->ascender - face->descender + lineGap) -
                                double(os2->usWinAscent + os2->usWinDescent));
    asc = os2->usWinAscent;
    desc = os2->usWinDescent;
    avg = os2->xAvgCharWidth;
    strikePos = os2->yStrikeoutPosition;
    strikeSize = os2->yStrikeoutSize;
  }
  // Negative heights are the character (em) height, positive ones the cell.
  double ppem = lf.lfHeight < 0   ? -double(lf.lfHeight)
                : lf.lfHeight > 0 ? double(lf.lfHeight) * upem / (asc + desc)
                                  : 16.0 * upem / (asc + desc);
  ppem = std::clamp(ppem, 1.0, 2048.0);
  double scale = ppem / upem;
  int py = int(Round(ppem));
  if (py < 1) py = 1;
  int px = py;
  if (lf.lfWidth > 0 && avg > 0)
    px = int(std::clamp(Round(py * lf.lfWidth / (avg * scale)), 1l, 4096l));
  FT_Set_Pixel_Sizes(face, FT_UInt(px), FT_UInt(py));

  tm.tmAscent = int(Round(asc * scale));
  tm.tmDescent = int(Round(desc * scale));
  tm.tmHeight = tm.tmAscent + tm.tmDescent;
  tm.tmInternalLeading = std::max(0, tm.tmHeight - py);
  tm.tmExternalLeading = int(Round(lineGap * scale));
  tm.tmMaxCharWidth = int(std::ceil(face->max_advance_width * scale * px / py));
  tm.tmPitchAndFamily = std::uint8_t((FT_IS_FIXED_WIDTH(face) ? 0 : 1) | 0x02 | 0x04 |
                                     (FT_IS_FIXED_WIDTH(face) ? FF_MODERN : FF_SWISS));
  if (synthBold_) boldStrength_ = std::max(32, int(ppem * 64 / 24));

  underlineHeight_ = std::max(1, int(Round(face->underline_thickness * scale)));
  underlineTop_ = std::max(1, int(Round(-face->underline_position * scale)) - underlineHeight_ / 2);
  underlineTop_ = std::min(underlineTop_, std::max(1, tm.tmDescent - underlineHeight_));
  strikeHeight_ =
      std::max(1, int(Round((strikeSize > 0 ? strikeSize : face->underline_thickness) * scale)));
  strikeTop_ = -int(Round((strikePos > 0 ? strikePos : asc * 0.3) * scale));

  // The average width the classic way: from the face's table, else from 'x'.
  tm.tmAveCharWidth = avg > 0 ? int(Round(avg * scale * px / py)) : Advance('x');
  if (tm.tmAveCharWidth <= 0) tm.tmAveCharWidth = std::max(1, py / 2);
  tm.tmOverhang = 0;
}

void FontInstance::Load(unsigned char c, bool render) {
  state_[c] = render ? kRendered : kMeasured;
  Glyph& g = glyphs_[c];
  FT_Face face = static_cast<FT_Face>(face_);
  if (!face) {
    g.advance = std::max(1, metrics_.tmHeight / 2);
    return;
  }
  FT_UInt index = FT_Get_Char_Index(face, Cp1252ToUnicode(c));
  FT_Int32 flags = FT_LOAD_DEFAULT | (mono_ ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
  if (FT_Load_Glyph(face, index, flags) != 0 && FT_Load_Glyph(face, 0, flags) != 0) {
    state_[c] = kRendered;  // nothing to draw either
    return;
  }
  FT_GlyphSlot slot = face->glyph;
  int extra = 0;
  if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    if (synthBold_) {
      FT_Outline_Embolden(&slot->outline, boldStrength_);
      extra = (boldStrength_ + 32) >> 6;
    }
    if (synthItalic_) {
      FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};
      FT_Outline_Transform(&slot->outline, &shear);
    }
  }
  g.advance = advanceShare_ == 1.0
                  ? int((slot->advance.x + 32) >> 6) + extra
                  : int(Round(slot->linearHoriAdvance / 65536.0 * advanceShare_)) + extra;
  if (!render) return;
  if (FT_Render_Glyph(slot, mono_ ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) return;
  const FT_Bitmap& bm = slot->bitmap;
  g.left = slot->bitmap_left;
  g.top = slot->bitmap_top;
  g.width = int(bm.width);
  g.rows = int(bm.rows);
  g.coverage.assign(std::size_t(g.width) * g.rows, 0);
  for (int y = 0; y < g.rows; ++y) {
    const unsigned char* src = bm.buffer + std::ptrdiff_t(y) * bm.pitch;
    std::uint8_t* dst = g.coverage.data() + std::size_t(y) * g.width;
    if (bm.pixel_mode == FT_PIXEL_MODE_MONO) {
      for (int x = 0; x < g.width; ++x) dst[x] = (src[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
    } else if (bm.pixel_mode == FT_PIXEL_MODE_GRAY) {
      int levels = bm.num_grays > 1 ? bm.num_grays - 1 : 255;
      for (int x = 0; x < g.width; ++x) dst[x] = std::uint8_t(src[x] * 255 / levels);
    }
  }
}

}  // namespace platform
