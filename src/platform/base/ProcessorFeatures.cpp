#include "platform/base/ProcessorFeatures.h"

#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

bool SimdDisabled() {
  static const bool off = [] {
    const char* v = std::getenv("SPRINTARA_NO_SIMD");
    return v && *v && std::strcmp(v, "0") != 0;
  }();
  return off;
}

}  // namespace

BOOL IsProcessorFeaturePresent(DWORD feature) {
  if (SimdDisabled()) return FALSE;
#if defined(__x86_64__) || defined(__i386__)
  __builtin_cpu_init();
  switch (feature) {
    case PF_MMX_INSTRUCTIONS_AVAILABLE:
      return __builtin_cpu_supports("mmx");
    case PF_XMMI_INSTRUCTIONS_AVAILABLE:
      return __builtin_cpu_supports("sse");
    case PF_XMMI64_INSTRUCTIONS_AVAILABLE:
      return __builtin_cpu_supports("sse2");
    case PF_SSE3_INSTRUCTIONS_AVAILABLE:
      return __builtin_cpu_supports("sse3");
    case PF_SSSE3_INSTRUCTIONS_AVAILABLE:
      return __builtin_cpu_supports("ssse3");
    case PF_SSE4_1_INSTRUCTIONS_AVAILABLE:
      return __builtin_cpu_supports("sse4.1");
    case PF_SSE4_2_INSTRUCTIONS_AVAILABLE:
      return __builtin_cpu_supports("sse4.2");
    case PF_AVX_INSTRUCTIONS_AVAILABLE:
      return __builtin_cpu_supports("avx");
    case PF_AVX2_INSTRUCTIONS_AVAILABLE:
      return __builtin_cpu_supports("avx2");
  }
#else
  (void)feature;
#endif
  return FALSE;
}

}  // namespace platform
