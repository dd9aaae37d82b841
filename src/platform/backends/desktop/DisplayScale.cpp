#include "platform/backends/desktop/DisplayScale.h"

#include <cmath>
#include <cstring>

namespace platform {

namespace {

constexpr int kMaxScale = 4;

}  // namespace

int ChooseDisplayScale(const char* requested, float dpi, std::FILE* err) {
  if (requested && *requested) {
    if (std::strlen(requested) == 1 && requested[0] >= '1' && requested[0] <= '0' + kMaxScale)
      return requested[0] - '0';
    if (err)
      std::fprintf(err,
                   "sprintara: SPRINTARA_SCALE=%s ignored: it must be a whole number from 1 to "
                   "%d\n",
                   requested, kMaxScale);
  }
  if (!(dpi > 0) || !std::isfinite(dpi)) return 1;
  const int factor = int(std::floor(dpi / 96.0f + 0.25f));
  return factor < 1 ? 1 : factor > kMaxScale ? kMaxScale : factor;
}

}  // namespace platform
