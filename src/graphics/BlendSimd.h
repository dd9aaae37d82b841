// Vector row blends (SSE2, AVX2), bit-identical to the scalar formulas of
// Blend.h. Internal to the blend module.
#pragma once

#include "graphics/Blend.h"

namespace graphics::simd {

using RowBlender = void (*)(const TPixelColor* source, TPixelColor* destination, int count);

// The fastest row blender of that form this processor runs; null when only
// the scalar code applies (no SIMD, or SPRINTARA_NO_SIMD=1).
RowBlender BestRowBlender(TBlendForm form);

}  // namespace graphics::simd
