#include "skin/data/Gradient.h"

#include "skin/data/SkinText.h"

namespace skin {

namespace {
std::int32_t WordValue(std::string_view word) {
  return ParseSkinInteger(word).value_or(0);
}
}  // namespace

TSkinGradArray ParseGradientData(std::string_view text) {
  // Every word between single ";" counts, an empty one too (as 0), so the
  // groups of five fall where every reader of the skin puts them.
  const std::vector<std::string_view> words = SplitExactly(text, ';');
  TSkinGradArray bands(words.size() / 5);
  for (std::size_t i = 0; i < bands.size(); ++i) {
    const auto* w = &words[i * 5];
    bands[i].Color1 = WordValue(w[0]);
    bands[i].Color2 = WordValue(w[1]);
    bands[i].Percent = static_cast<std::uint8_t>(WordValue(w[2]));
    bands[i].Mode = WordValue(w[3]);
  }
  return bands;
}

}  // namespace skin
