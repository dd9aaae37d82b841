// How many display pixels one of our pixels takes on the desktop: a whole
// factor, so the 96-dpi design is enlarged without blur on dense displays.
#pragma once

#include <cstdio>

namespace platform {

// `requested` is SPRINTARA_SCALE (null when unset): a whole number 1 to 4
// decides; anything else is ignored with one line on `err`. Otherwise the
// display's horizontal DPI (0 when unknown) decides, rounded down unless
// it is within a quarter of the next step.
int ChooseDisplayScale(const char* requested, float dpi, std::FILE* err);

}  // namespace platform
