// The colour, gradient and number texts of a skin section.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "skin/data/FontColors.h"
#include "skin/data/Gradient.h"
#include "skin/data/SkinText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  skin::ParseFontColors(text);
  for (const skin::TSkinGradRecord& r : skin::ParseGradientData(text))
    if (r.Percent < 0 || r.Percent > 255) __builtin_trap();  // held in 8 bits
  skin::ParseSkinInteger(text);
  skin::ParseSkinFloat(text);
  return 0;
}
