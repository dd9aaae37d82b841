// A font description resolved to an installed face at one pixel size, with
// its metrics and a cache of rendered glyphs. Internal to the drawing library;
// every call happens under the drawing lock.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/Gdi.h"

namespace platform {

// One rendered character: anti-aliased coverage (0..255) placed relative to
// the pen position on the baseline.
struct Glyph {
  int left = 0;  // first column, right of the pen position
  int top = 0;   // rows above the baseline
  int width = 0, rows = 0;
  int advance = 0;
  std::vector<std::uint8_t> coverage;  // rows * width
};

// Where a family name leads: the installed family that stands in for it.
std::string SubstituteFamily(std::string_view requested);

class FontInstance {
 public:
  // Shared per distinct description; never fails (falls back to any sans face,
  // and to a face with no glyphs when no font is installed at all).
  static std::shared_ptr<FontInstance> Get(const LOGFONT& lf);
  ~FontInstance();

  const TEXTMETRIC& Metrics() const { return metrics_; }
  const std::string& Family() const { return family_; }
  const Glyph& GlyphOf(unsigned char c) {
    if (state_[c] != kRendered) Load(c, true);
    return glyphs_[c];
  }
  // Measuring renders nothing: an edit measures every character when it
  // takes a font, and draws only those it shows.
  int Advance(unsigned char c) {
    if (state_[c] == kUnknown) Load(c, false);
    return glyphs_[c].advance;
  }
  int Width(std::string_view text) {
    int w = 0;
    for (unsigned char c : text) w += Advance(c);
    return w;
  }
  bool Underline() const { return underline_; }
  bool StrikeOut() const { return strikeOut_; }
  // Rows relative to the baseline (positive = below).
  int UnderlineTop() const { return underlineTop_; }
  int UnderlineHeight() const { return underlineHeight_; }
  int StrikeTop() const { return strikeTop_; }
  int StrikeHeight() const { return strikeHeight_; }

 private:
  FontInstance() = default;
  void Open(const LOGFONT& lf);
  void Load(unsigned char c, bool render);

  void* face_ = nullptr;  // FT_Face
  bool synthBold_ = false, synthItalic_ = false, mono_ = false;
  double advanceShare_ = 1.0;  // advances narrowed for a stand-in face
  int boldStrength_ = 0;       // 26.6
  bool underline_ = false, strikeOut_ = false;
  int underlineTop_ = 1, underlineHeight_ = 1, strikeTop_ = -3, strikeHeight_ = 1;
  std::string family_;
  TEXTMETRIC metrics_;
  std::array<Glyph, 256> glyphs_;
  enum : std::uint8_t { kUnknown, kMeasured, kRendered };
  std::array<std::uint8_t, 256> state_{};
};

}  // namespace platform
