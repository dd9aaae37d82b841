// Which instruction-set extensions this processor has, for choosing the
// fastest pixel blend.
#pragma once

#include "platform/base/Types.h"

namespace platform {

constexpr DWORD PF_MMX_INSTRUCTIONS_AVAILABLE = 3;
constexpr DWORD PF_XMMI_INSTRUCTIONS_AVAILABLE = 6;  // SSE
constexpr DWORD PF_3DNOW_INSTRUCTIONS_AVAILABLE = 7;
constexpr DWORD PF_XMMI64_INSTRUCTIONS_AVAILABLE = 10;  // SSE2
constexpr DWORD PF_SSE3_INSTRUCTIONS_AVAILABLE = 13;
constexpr DWORD PF_SSSE3_INSTRUCTIONS_AVAILABLE = 36;
constexpr DWORD PF_SSE4_1_INSTRUCTIONS_AVAILABLE = 37;
constexpr DWORD PF_SSE4_2_INSTRUCTIONS_AVAILABLE = 38;
constexpr DWORD PF_AVX_INSTRUCTIONS_AVAILABLE = 39;
constexpr DWORD PF_AVX2_INSTRUCTIONS_AVAILABLE = 40;

// FALSE for unknown features and on processors without them. The variable
// SPRINTARA_NO_SIMD=1 makes every SIMD feature report FALSE, so the plain
// code paths can be exercised on any machine.
BOOL IsProcessorFeaturePresent(DWORD feature);

}  // namespace platform
