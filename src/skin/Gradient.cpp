#include "skin/Gradient.h"

#include "skin/SkinText.h"

namespace skin {

namespace {
std::int32_t WordValue(std::string_view word) {
  return ParseSkinInteger(word).value_or(0);
}
}  // namespace

TSkinGradArray ParseGradientData(std::string_view text) {
  std::vector<std::string_view> words;
  for (auto word : SplitWords(text, ";")) {
    word = TrimBlanks(word);
    if (!word.empty()) words.push_back(word);
  }
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
