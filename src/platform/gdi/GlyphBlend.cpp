#include "platform/gdi/GlyphBlend.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform {

// Text is most of what a list or an edit repaints, and most of a glyph's
// pixels are partly covered. Four pixels go through at once in 16-bit lanes:
// alpha is weighed as a channel whose colour is 255, which gives the same
// value, and y / 255 for y <= 65152 is (y + (y >> 8) + 1) >> 8.
void BlendCoverageRow(std::uint32_t* row, const std::uint8_t* coverage, int count,
                      std::uint32_t color) {
  const std::uint32_t solid = color | 0xFF000000u;
  int x = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const __m128i src = _mm_unpacklo_epi8(_mm_set1_epi32(std::int32_t(solid)), zero);
  const __m128i full = _mm_set1_epi16(255), round = _mm_set1_epi16(127), one = _mm_set1_epi16(1);
  for (; x + 4 <= count; x += 4) {
    std::uint32_t four;
    std::memcpy(&four, coverage + x, 4);
    if (four == 0) continue;
    if (four == 0xFFFFFFFFu) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(row + x), _mm_set1_epi32(std::int32_t(solid)));
      continue;
    }
    // Each pixel's coverage in the four lanes of its channels.
    __m128i c = _mm_unpacklo_epi8(_mm_cvtsi32_si128(std::int32_t(four)), zero);  // c0..c3
    c = _mm_unpacklo_epi16(c, c);                                                // c0 c0 c1 c1 ..
    const __m128i cLo = _mm_unpacklo_epi32(c, c), cHi = _mm_unpackhi_epi32(c, c);
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x));
    auto mix = [&](__m128i pixels, __m128i cov) {
      __m128i y = _mm_add_epi16(_mm_mullo_epi16(src, cov),
                                _mm_mullo_epi16(pixels, _mm_sub_epi16(full, cov)));
      y = _mm_add_epi16(y, round);
      return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(y, _mm_srli_epi16(y, 8)), one), 8);
    };
    const __m128i lo = mix(_mm_unpacklo_epi8(d, zero), cLo);
    const __m128i hi = mix(_mm_unpackhi_epi8(d, zero), cHi);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(row + x), _mm_packus_epi16(lo, hi));
  }
#endif
  for (; x < count; ++x) {
    const unsigned a = coverage[x];
    if (a == 0) continue;
    row[x] = a == 255 ? solid : BlendCoverage(row[x], color, a);
  }
}

}  // namespace platform
