#include "toolkit/Bitmap.h"

#include <fstream>
#include <iterator>

#include "component/ClassBuilder.h"
#include "platform/gdi/Bmp.h"
#include "platform/gdi/DcGuards.h"

namespace toolkit {

using namespace component;
namespace p = platform;

const TClassInfo& TBitmap::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TBitmap, TPersistent>("TBitmap")
                                     .Property("Data", &TBitmap::Data, &TBitmap::SetData)
                                     .Build();
  return info;
}

void TBitmap::Changed() {
  if (OnChange) OnChange(this);
}

void TBitmap::SetSize(int width, int height, std::uint32_t fill) {
  if (width <= 0 || height <= 0) width = height = 0;
  if (std::int64_t(width) * height > p::kMaxPicturePixels)
    throw EInvalidGraphic("Bitmap image is not valid: the picture is too large");
  pixels_.Resize(width, height, fill);
  data_.clear();
  Changed();
}

std::uint32_t TBitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return 0;
  return pixels_.At(x, y);
}

void TBitmap::SetPixel(int x, int y, std::uint32_t argb) {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return;
  pixels_.At(x, y) = argb;
  data_.clear();
  Changed();
}

p::Surface TBitmap::View() const {
  return ReadView(pixels_);
}

bool TBitmap::HasAlpha() const {
  const std::uint32_t* px = pixels_.Pixels();
  for (std::size_t i = 0, n = std::size_t(Width()) * Height(); i < n; ++i)
    if ((px[i] >> 24) != 0xFF) return true;
  return false;
}

TColor TBitmap::TransparentColor() const {
  if (Empty()) return 0;
  return TColor(p::PixelToColor(pixels_.At(0, Height() - 1)));
}

p::SurfaceBuffer TBitmap::MaskedPixels() const {
  p::SurfaceBuffer out = pixels_;
  std::uint32_t* px = out.Pixels();
  const std::size_t n = std::size_t(Width()) * Height();
  if (HasAlpha()) {
    // Half covered or more counts as part of the picture.
    for (std::size_t i = 0; i < n; ++i)
      px[i] = (px[i] >> 24) >= 0x80 ? (px[i] | 0xFF000000u) : (px[i] & 0x00FFFFFFu);
  } else if (n) {
    const std::uint32_t key = pixels_.At(0, Height() - 1) & 0x00FFFFFFu;
    for (std::size_t i = 0; i < n; ++i)
      if ((px[i] & 0x00FFFFFFu) == key) px[i] = key;
  }
  return out;
}

void TBitmap::LoadFromMemory(std::span<const std::uint8_t> data) {
  if (data.empty()) {
    Clear();
    return;
  }
  // Bitmaps stored by older descriptions carry the file's length in front.
  std::span<const std::uint8_t> file = data;
  if (data.size() >= 4) {
    const std::uint32_t length = std::uint32_t(data[0]) | std::uint32_t(data[1]) << 8 |
                                 std::uint32_t(data[2]) << 16 | std::uint32_t(data[3]) << 24;
    if (length == data.size() - 4 && p::IsBmpData(data.subspan(4))) file = data.subspan(4);
  }
  p::SurfaceBuffer decoded;
  std::string error;
  bool ok;
  if (p::IsBmpData(file))
    ok = p::ReadBmp(file, &decoded, &error);
  else if (p::IsPngData(file))
    ok = p::ReadPngData(file, &decoded, &error);
  else
    ok = false, error = "unknown picture format";
  if (!ok) throw EInvalidGraphic("Bitmap image is not valid: " + error);
  pixels_ = std::move(decoded);
  data_.assign(data.begin(), data.end());
  Changed();
}

void TBitmap::LoadFromFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EFOpenError("Cannot open file \"" + path + "\"");
  std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
  if (in.bad()) throw EFOpenError("Cannot read file \"" + path + "\"");
  LoadFromMemory(bytes);
}

TBytes TBitmap::Data() const {
  if (Empty()) return {};
  if (!data_.empty()) return data_;
  return p::WriteBmp(View());
}

void TBitmap::Assign(const TPersistent& source) {
  if (auto* b = dynamic_cast<const TBitmap*>(&source)) {
    if (b == this) return;
    pixels_ = b->pixels_;
    data_ = b->data_;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

void DrawPixels(p::HDC dc, int x, int y, const p::Surface& pixels) {
  if (pixels.IsEmpty()) return;
  // Only the part the context can show is worked on: a large picture on a
  // small face costs no more than the face.
  p::RECT part{x, y, x + pixels.width, y + pixels.height}, visible;
  if (p::GetClipBox(dc, &visible) == p::RGN_ERROR || !p::IntersectRect(&part, part, visible))
    return;
  const int w = part.right - part.left, h = part.bottom - part.top;
  // What lies under the picture is read, blended in memory and put back in
  // one copy, so the context's clipping decides what changes.
  p::TMemoryDC memory(dc);
  p::TScopedObject bitmap(p::CreateCompatibleBitmap(dc, w, h));
  p::TSelectedObject select(memory, bitmap.Get());
  p::BitBlt(memory, 0, 0, w, h, dc, part.left, part.top, p::SRCCOPY);
  const p::Surface under = p::GetBitmapSurface(bitmap);
  if (!under.IsEmpty()) {
    for (int row = 0; row < h; ++row) {
      const std::uint32_t* src = pixels.Row(part.top - y + row) + (part.left - x);
      std::uint32_t* dst = under.Row(row);
      for (int col = 0; col < w; ++col) {
        const std::uint32_t s = src[col], a = s >> 24;
        if (a == 0xFF) {
          dst[col] = s;
        } else if (a != 0) {
          const std::uint32_t d = dst[col];
          std::uint32_t r = 0xFF000000u;
          for (int shift = 0; shift < 24; shift += 8) {
            const std::uint32_t sc = (s >> shift) & 0xFF, dc8 = (d >> shift) & 0xFF;
            r |= ((sc * a + dc8 * (255 - a) + 127) / 255) << shift;
          }
          dst[col] = r;
        }
      }
    }
    p::BitBlt(dc, part.left, part.top, w, h, memory, 0, 0, p::SRCCOPY);
  }
}

}  // namespace toolkit
