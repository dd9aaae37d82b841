#include "graphics/BlendSimd.h"

#include "platform/base/ProcessorFeatures.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define SPRINTARA_X86 1
#endif

namespace graphics::simd {

#ifdef SPRINTARA_X86
namespace {

// Per pixel in 16-bit lanes (s, d: the pixels' channels; a: the source alpha
// in every lane of its pixel). Every intermediate fits 16 unsigned bits, so
// wrapping lane arithmetic gives the exact integer results:
//   MMX:   (d << 8) + (s - d) * a + 128 = d*(256 - a) + s*a + 128 <= 65408
//   plain: s*a + 128 <= 65153 and d*(255 - a) + 128 <= 65153

template <TBlendForm Form>
inline __m128i Mix128(__m128i s, __m128i d, __m128i a) {
  const __m128i bias = _mm_set1_epi16(128);
  if constexpr (Form == TBlendForm::Mmx) {
    __m128i n = _mm_add_epi16(_mm_slli_epi16(d, 8), _mm_mullo_epi16(_mm_sub_epi16(s, d), a));
    return _mm_srli_epi16(_mm_add_epi16(n, bias), 8);
  } else {
    __m128i fg = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(s, a), bias), 8);
    __m128i inv = _mm_sub_epi16(_mm_set1_epi16(255), a);
    __m128i bg = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(d, inv), bias), 8);
    return _mm_add_epi16(fg, bg);
  }
}

template <TBlendForm Form>
inline __m128i Blend4(__m128i s, __m128i d) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i alphaMask = _mm_set1_epi32(int(0xFF000000u));
  const __m128i alpha = _mm_and_si128(s, alphaMask);
  const __m128i transparent = _mm_cmpeq_epi32(alpha, zero);
  const __m128i opaque = _mm_cmpeq_epi32(alpha, alphaMask);
  __m128i slo = _mm_unpacklo_epi8(s, zero), shi = _mm_unpackhi_epi8(s, zero);
  __m128i dlo = _mm_unpacklo_epi8(d, zero), dhi = _mm_unpackhi_epi8(d, zero);
  __m128i alo = _mm_shufflehi_epi16(_mm_shufflelo_epi16(slo, 0xFF), 0xFF);
  __m128i ahi = _mm_shufflehi_epi16(_mm_shufflelo_epi16(shi, 0xFF), 0xFF);
  __m128i r = _mm_packus_epi16(Mix128<Form>(slo, dlo, alo), Mix128<Form>(shi, dhi, ahi));
  r = _mm_or_si128(_mm_and_si128(opaque, s), _mm_andnot_si128(opaque, r));
  return _mm_or_si128(_mm_and_si128(transparent, d), _mm_andnot_si128(transparent, r));
}

template <TBlendForm Form>
void Row4(const TPixelColor* src, TPixelColor* dst, int count) {
  const __m128i alphaMask = _mm_set1_epi32(int(0xFF000000u));
  int i = 0;
  for (; i + 4 <= count; i += 4) {
    __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    __m128i alpha = _mm_and_si128(s, alphaMask);
    int zeroMask = _mm_movemask_epi8(_mm_cmpeq_epi32(alpha, _mm_setzero_si128()));
    if (zeroMask == 0xFFFF) continue;
    int fullMask = _mm_movemask_epi8(_mm_cmpeq_epi32(alpha, alphaMask));
    __m128i* out = reinterpret_cast<__m128i*>(dst + i);
    if (fullMask == 0xFFFF) {
      _mm_storeu_si128(out, s);
      continue;
    }
    _mm_storeu_si128(out, Blend4<Form>(s, _mm_loadu_si128(out)));
  }
  BlendRowScalarIn(Form, src + i, dst + i, count - i);
}

template <TBlendForm Form>
__attribute__((target("avx2"))) inline __m256i Mix256(__m256i s, __m256i d, __m256i a) {
  const __m256i bias = _mm256_set1_epi16(128);
  if constexpr (Form == TBlendForm::Mmx) {
    __m256i n =
        _mm256_add_epi16(_mm256_slli_epi16(d, 8), _mm256_mullo_epi16(_mm256_sub_epi16(s, d), a));
    return _mm256_srli_epi16(_mm256_add_epi16(n, bias), 8);
  } else {
    __m256i fg = _mm256_srli_epi16(_mm256_add_epi16(_mm256_mullo_epi16(s, a), bias), 8);
    __m256i inv = _mm256_sub_epi16(_mm256_set1_epi16(255), a);
    __m256i bg = _mm256_srli_epi16(_mm256_add_epi16(_mm256_mullo_epi16(d, inv), bias), 8);
    return _mm256_add_epi16(fg, bg);
  }
}

template <TBlendForm Form>
__attribute__((target("avx2"))) void Row8(const TPixelColor* src, TPixelColor* dst, int count) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i alphaMask = _mm256_set1_epi32(int(0xFF000000u));
  // Within each 128-bit half, the alpha word of every pixel into all four of
  // its lanes.
  const __m256i spreadAlpha =
      _mm256_setr_epi8(6, 7, 6, 7, 6, 7, 6, 7, 14, 15, 14, 15, 14, 15, 14, 15, 6, 7, 6, 7, 6, 7, 6,
                       7, 14, 15, 14, 15, 14, 15, 14, 15);
  int i = 0;
  for (; i + 8 <= count; i += 8) {
    __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
    __m256i alpha = _mm256_and_si256(s, alphaMask);
    __m256i transparent = _mm256_cmpeq_epi32(alpha, zero);
    if (_mm256_movemask_epi8(transparent) == -1) continue;
    __m256i opaque = _mm256_cmpeq_epi32(alpha, alphaMask);
    __m256i* out = reinterpret_cast<__m256i*>(dst + i);
    if (_mm256_movemask_epi8(opaque) == -1) {
      _mm256_storeu_si256(out, s);
      continue;
    }
    __m256i d = _mm256_loadu_si256(out);
    __m256i slo = _mm256_unpacklo_epi8(s, zero), shi = _mm256_unpackhi_epi8(s, zero);
    __m256i dlo = _mm256_unpacklo_epi8(d, zero), dhi = _mm256_unpackhi_epi8(d, zero);
    __m256i alo = _mm256_shuffle_epi8(slo, spreadAlpha);
    __m256i ahi = _mm256_shuffle_epi8(shi, spreadAlpha);
    __m256i r = _mm256_packus_epi16(Mix256<Form>(slo, dlo, alo), Mix256<Form>(shi, dhi, ahi));
    r = _mm256_blendv_epi8(r, s, opaque);
    r = _mm256_blendv_epi8(r, d, transparent);
    _mm256_storeu_si256(out, r);
  }
  Row4<Form>(src + i, dst + i, count - i);
}

}  // namespace
#endif

RowBlender BestRowBlender(TBlendForm form) {
#ifdef SPRINTARA_X86
  namespace p = platform;
  static const bool avx2 = p::IsProcessorFeaturePresent(p::PF_AVX2_INSTRUCTIONS_AVAILABLE);
  static const bool sse2 = p::IsProcessorFeaturePresent(p::PF_XMMI64_INSTRUCTIONS_AVAILABLE);
  if (avx2) return form == TBlendForm::Mmx ? &Row8<TBlendForm::Mmx> : &Row8<TBlendForm::Plain>;
  if (sse2) return form == TBlendForm::Mmx ? &Row4<TBlendForm::Mmx> : &Row4<TBlendForm::Plain>;
#else
  (void)form;
#endif
  return nullptr;
}

}  // namespace graphics::simd
