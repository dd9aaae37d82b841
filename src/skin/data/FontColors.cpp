#include "skin/data/FontColors.h"

#include "skin/data/SkinText.h"

namespace skin {

TSkinFontColors ParseFontColors(std::string_view text) {
  // Exactly five words between single blanks, as the skins are written: a
  // doubled or leading blank makes another (empty) word and the text reads
  // as no colours, as everywhere else the skin is read.
  const auto words = SplitExactly(text, ' ');
  if (words.size() != 5) return {};
  std::array<std::int32_t, 5> values{};
  for (std::size_t i = 0; i < values.size(); ++i) {
    const auto value = ParseSkinInteger(words[i]);
    if (!value) return {};
    values[i] = *value;
  }
  TSkinFontColors colors;
  colors.FontColor = values[0];
  for (std::size_t i = 0; i < 4; ++i) colors.Contours[i] = values[i + 1];
  return colors;
}

}  // namespace skin
