// Blending of non-premultiplied pixels by the foreground's alpha.
//
// Two integer forms exist and give results that differ by one in some
// channels; one is chosen once when the module starts, by whether the
// processor offers MMX:
//   plain: c = (F*a + 128) / 256 + (B*(255 - a) + 128) / 256
//   MMX:   c = (B*256 + (F - B)*a + 128) / 256
// (floor division, every channel including alpha). Alpha 0 keeps the
// background, alpha 255 gives the foreground. Row blends use SSE2 or AVX2
// when the processor has them; their results are bit-identical to the
// per-pixel formulas.
#pragma once

#include <cstdint>

#include "graphics/PixelColor.h"

namespace graphics {

enum class TBlendForm { Plain, Mmx };

// The form chosen at start.
TBlendForm BlendForm();

TPixelColor BlendPixel(TPixelColor foreground, TPixelColor background);
void BlendPixelInPlace(TPixelColor foreground, TPixelColor& pixel);
// Foreground laid over the background weighted by both alphas; the result
// alpha is Fa + Ba - Fa*Ba/255.
void MergePixelInPlace(TPixelColor foreground, TPixelColor& pixel);
// BlendPixelInPlace over `count` pixels, skipping sources of alpha 0.
void BlendRow(const TPixelColor* source, TPixelColor* destination, int count);
// As BlendRow with each source alpha a scaled to ((master + 1) * a) >> 8;
// pixels whose scaled alpha is 0 stay.
void BlendRowMaster(const TPixelColor* source, TPixelColor* destination, int count,
                    unsigned masterAlpha);

// The same in a given form. BlendRowIn may vectorise; BlendRowScalarIn never
// does (it is the reference the vector code is checked against).
TPixelColor BlendPixelIn(TBlendForm form, TPixelColor foreground, TPixelColor background);
void BlendRowIn(TBlendForm form, const TPixelColor* source, TPixelColor* destination, int count);
void BlendRowScalarIn(TBlendForm form, const TPixelColor* source, TPixelColor* destination,
                      int count);

// Four 16-bit lanes of `a`, for a = 0..255; entry 128 is also the rounding
// constant of the MMX form.
std::uint64_t AlphaLanes(int a);

}  // namespace graphics
