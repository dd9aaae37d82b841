// A section's gradient: bands of colour, each running from Color1 to Color2
// over Percent of the painted extent.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace skin {

struct TSkinGradRecord {
  std::int32_t Color1 = 0;
  std::int32_t Color2 = 0;
  std::int32_t Percent = 0;  // held in 8 bits: 0..255
  std::int32_t Mode = 0;     // of the first band: 0 top to bottom, 1 left to right
  std::int32_t Reserved = 0;
  friend bool operator==(const TSkinGradRecord&, const TSkinGradRecord&) = default;
};

using TSkinGradArray = std::vector<TSkinGradRecord>;

// Words between ";" in groups of five (colour 1, colour 2, percent, mode and
// a fifth word that is not read); an incomplete last group is ignored. A
// word that is no number counts as 0, so one bad word spoils only its own
// field and the bands stay aligned. Empty words and blanks around words are
// skipped, so " " means no gradient.
TSkinGradArray ParseGradientData(std::string_view text);

}  // namespace skin
