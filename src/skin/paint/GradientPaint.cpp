#include "skin/paint/GradientPaint.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "skin/paint/PaintPixels.h"
#include "skin/paint/PictureCopy.h"

namespace skin {

namespace {

// The colour of a band of `length` steps from Color1 to Color2, one line at
// a time. Per channel the real value c1 + i * (c2 - c1) / length is kept
// exactly: t = 2 * (c1 * length + i * (c2 - c1)) + length is held as
// q * 2 * length + e (0 <= e < 2 * length), so q is the value rounded half
// up, and e == 0 marks an exact half, which goes to the even neighbour.
struct TBandChannel {
  Coord q, e, dq, de;
};

TBandChannel BandChannel(std::int32_t from, std::int32_t to, int shift, Coord length) {
  const Coord c1 = from >> shift & 0xFF, d = Coord(to >> shift & 0xFF) - c1;
  const Coord dq = d >= 0 ? d / length : -((-d + length - 1) / length);
  return TBandChannel{c1, length, dq, 2 * (d - dq * length)};
}

// Blue, green and red in the order of the pixel's bytes; colour values hold
// red in the low byte.
constexpr int kShifts[3] = {16, 8, 0};

class TBandColor {
 public:
  TBandColor(std::int32_t from, std::int32_t to, Coord length) : twice_(2 * length) {
    for (int i = 0; i < 3; ++i) c_[i] = BandChannel(from, to, kShifts[i], length);
  }
  std::uint32_t Pixel() const {
    std::uint32_t pixel = kOpaque;
    for (int i = 0; i < 3; ++i) {
      const Coord v = c_[i].q - (c_[i].e == 0 ? c_[i].q & 1 : 0);
      pixel |= std::uint32_t(v & 0xFF) << (8 * i);
    }
    return pixel;
  }
  void Next() {
    for (TBandChannel& c : c_) {
      c.q += c.dq;
      c.e += c.de;
      if (c.e >= twice_) c.e -= twice_, ++c.q;
    }
  }

 private:
  Coord twice_;
  TBandChannel c_[3];
};

// `count` pixels of a band from its start. With vector registers, each
// channel of four neighbouring pixels steps side by side (four lines a step).
void FillBand(std::uint32_t* out, Coord count, std::int32_t from, std::int32_t to, Coord length) {
#if defined(__SSE2__)
  if (length < (Coord(1) << 27)) {
    const Coord twice = 2 * length;
    __m128i q[3], e[3], dq[3], de[3];
    for (int i = 0; i < 3; ++i) {
      TBandChannel c = BandChannel(from, to, kShifts[i], length);
      const Coord step = c.dq, carry = c.de;
      alignas(16) std::int32_t qs[4], es[4];
      for (int lane = 0; lane < 4; ++lane) {
        qs[lane] = std::int32_t(c.q), es[lane] = std::int32_t(c.e);
        c.q += step, c.e += carry;
        if (c.e >= twice) c.e -= twice, ++c.q;
      }
      q[i] = _mm_load_si128(reinterpret_cast<const __m128i*>(qs));
      e[i] = _mm_load_si128(reinterpret_cast<const __m128i*>(es));
      dq[i] = _mm_set1_epi32(std::int32_t(4 * step + 4 * carry / twice));
      de[i] = _mm_set1_epi32(std::int32_t(4 * carry % twice));
    }
    const __m128i wrap = _mm_set1_epi32(std::int32_t(twice));
    const __m128i below = _mm_set1_epi32(std::int32_t(twice - 1));
    const __m128i one = _mm_set1_epi32(1), zero = _mm_setzero_si128();
    const __m128i alpha = _mm_set1_epi32(std::int32_t(kOpaque));
    for (Coord x = 0; x < count; x += 4) {
      __m128i v[3];
      for (int i = 0; i < 3; ++i) {
        v[i] = _mm_sub_epi32(q[i],
                             _mm_and_si128(_mm_cmpeq_epi32(e[i], zero), _mm_and_si128(q[i], one)));
        q[i] = _mm_add_epi32(q[i], dq[i]);
        e[i] = _mm_add_epi32(e[i], de[i]);
        const __m128i carry = _mm_cmpgt_epi32(e[i], below);
        e[i] = _mm_sub_epi32(e[i], _mm_and_si128(carry, wrap));
        q[i] = _mm_sub_epi32(q[i], carry);
      }
      const __m128i pixels = _mm_or_si128(_mm_or_si128(v[0], _mm_slli_epi32(v[1], 8)),
                                          _mm_or_si128(_mm_slli_epi32(v[2], 16), alpha));
      if (count - x >= 4) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), pixels);
      } else {
        alignas(16) std::uint32_t last[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(last), pixels);
        std::copy_n(last, count - x, out + x);
      }
    }
    return;
  }
#endif
  TBandColor color(from, to, length);
  for (Coord i = 0; i < count; ++i, color.Next()) out[i] = color.Pixel();
}

// One row of pixels into another. The library's block copy moves the widest
// words the processor has; a loop of 16-byte moves measured a third slower.
void CopyRow(std::uint32_t* to, const std::uint32_t* from, Coord count) {
  std::memcpy(to, from, std::size_t(count) * sizeof(std::uint32_t));
}

// The first of `rows` contiguous rows of `width` pixels copied into all the
// others. On x86 a forward string move whose source trails its destination
// by one row repeats that row through the block (the move is defined byte by
// byte), and the processor writes whole cache lines without reading them
// first: a fifth faster than a block copy per row, which reads every line it
// writes. Rows shorter than a cache line would fall back to byte steps in the
// processor, so those are copied row by row.
void RepeatFirstRow(std::uint32_t* first, Coord width, Coord rows) {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
  if (width * Coord(sizeof(std::uint32_t)) >= 64) {
    std::size_t bytes = std::size_t(width) * std::size_t(rows - 1) * sizeof(std::uint32_t);
    void* to = first + width;
    const void* from = first;
    asm volatile("rep movsb" : "+D"(to), "+S"(from), "+c"(bytes) : : "memory");
    return;
  }
#endif
  for (Coord row = 1; row < rows; ++row) CopyRow(first + row * width, first, width);
}

Coord BandLength(const TSkinGradRecord& band, Coord extent) {
  return Coord(band.Percent & 0xFF) * extent / 100;
}

void TopToBottom(const Surface& p, const RECT& r, const TSkinGradArray& bands) {
  const Coord height = Coord(r.bottom) - r.top, last = Coord(p.height) - 1;
  Coord y = r.top;
  for (std::size_t i = 0; i < bands.size(); ++i) {
    const Coord s = y;
    const bool isLast = i + 1 == bands.size();
    y = isLast ? last : s + BandLength(bands[i], height);
    if (y - s <= 0) continue;
    if (isLast || y > last) y = std::min<Coord>(Coord(r.bottom) - 1, last);
    if (y - s <= 0) break;
    TBandColor color(bands[i].Color1, bands[i].Color2, y - s);
    for (Coord row = s; row <= y && row < r.bottom; ++row, color.Next()) {
      std::uint32_t* line = p.Row(int(row));
      std::fill(line + r.left, line + r.right, color.Pixel());
    }
  }
}

void LeftToRight(const Surface& p, const RECT& r, const TSkinGradArray& bands) {
  // Every row is the same: work out one and copy it.
  const Coord width = Coord(r.right) - r.left;
  std::uint32_t* first = p.Row(r.top) + r.left;
  Coord x = r.left;
  for (std::size_t i = 0; i < bands.size(); ++i) {
    const Coord s = x;
    x = i + 1 == bands.size() ? Coord(p.width) - 1 : s + BandLength(bands[i], width);
    if (x - s <= 0 || s >= r.right) continue;
    FillBand(first + (s - r.left), std::min<Coord>(x, Coord(r.right) - 1) - s + 1, bands[i].Color1,
             bands[i].Color2, x - s);
  }
  if (r.left == 0 && width == p.width && p.stride == width * Coord(sizeof(std::uint32_t))) {
    RepeatFirstRow(first, width, Coord(r.bottom) - r.top);
    return;
  }
  for (int row = r.top + 1; row < r.bottom; ++row) CopyRow(p.Row(row) + r.left, first, width);
}

}  // namespace

void PaintGradient(const Surface& picture, const RECT& r, const TSkinGradArray& gradient) {
  const RECT c = ClipToPicture(r, picture);
  if (c.IsEmpty() || gradient.empty()) return;
  if (gradient.front().Mode == 0) {
    TopToBottom(picture, c, gradient);
  } else if (gradient.front().Mode == 1) {
    LeftToRight(picture, c, gradient);
  }
}

}  // namespace skin
