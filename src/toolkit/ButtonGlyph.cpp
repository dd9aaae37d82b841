#include "toolkit/ButtonGlyph.h"

#include <algorithm>

namespace toolkit {

namespace p = platform;

TGlyphPlacement CalcButtonLayout(SIZE client, SIZE glyph, SIZE caption, TButtonLayout layout,
                                 int margin, int spacing) {
  TGlyphPlacement out;
  const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
  // Across the direction of the layout both are centred.
  if (horizontal) {
    out.glyph.y = (client.cy - glyph.cy + 1) / 2;
    out.caption.y = (client.cy - caption.cy + 1) / 2;
  } else {
    out.glyph.x = (client.cx - glyph.cx + 1) / 2;
    out.caption.x = (client.cx - caption.cx + 1) / 2;
  }
  const int room = horizontal ? client.cx : client.cy;
  const int glyphLength = horizontal ? glyph.cx : glyph.cy;
  const int captionLength = horizontal ? caption.cx : caption.cy;
  if (glyphLength == 0 || captionLength == 0) spacing = 0;
  if (margin == -1) {
    if (spacing == -1) {
      margin = (room - glyphLength - captionLength) / 3;
      spacing = margin;
    } else {
      margin = (room - (glyphLength + spacing + captionLength) + 1) / 2;
    }
  } else if (spacing == -1) {
    spacing = (room - (margin + glyphLength) - captionLength) / 2;
  }
  switch (layout) {
    case blGlyphLeft:
      out.glyph.x = margin;
      out.caption.x = margin + glyph.cx + spacing;
      break;
    case blGlyphRight:
      out.glyph.x = client.cx - margin - glyph.cx;
      out.caption.x = out.glyph.x - spacing - caption.cx;
      break;
    case blGlyphTop:
      out.glyph.y = margin;
      out.caption.y = margin + glyph.cy + spacing;
      break;
    case blGlyphBottom:
      out.glyph.y = client.cy - margin - glyph.cy;
      out.caption.y = out.glyph.y - spacing - caption.cy;
      break;
  }
  return out;
}

namespace {

std::uint32_t SystemPixel(TColor c) {
  return p::ColorToPixel(p::ResolveColor(ColorToRGB(c)));
}

bool Ink(std::uint32_t pixel) {
  return (pixel >> 24) != 0 && (pixel & 0x00FFFFFFu) != 0x00FFFFFFu;
}

}  // namespace

p::SurfaceBuffer EmbossedImage(const p::Surface& image) {
  p::SurfaceBuffer out(image.width, image.height, 0);
  if (image.IsEmpty()) return out;
  const std::uint32_t highlight = SystemPixel(clBtnHighlight), shadow = SystemPixel(clBtnShadow);
  for (int y = 0; y + 1 < image.height; ++y)
    for (int x = 0; x + 1 < image.width; ++x)
      if (Ink(image.At(x, y))) out.At(x + 1, y + 1) = highlight;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (Ink(image.At(x, y))) out.At(x, y) = shadow;
  return out;
}

p::SurfaceBuffer GrayImage(const p::Surface& image) {
  p::SurfaceBuffer out(image.width, image.height, 0);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const std::uint32_t s = image.At(x, y);
      const std::uint32_t r = (s >> 16) & 0xFF, g = (s >> 8) & 0xFF, b = s & 0xFF;
      const std::uint32_t l = (r * 77 + g * 151 + b * 28 + 128) >> 8;  // weights sum to 256
      out.At(x, y) = (s & 0xFF000000u) | l << 16 | l << 8 | l;
    }
  return out;
}

p::SurfaceBuffer CutImage(const TBitmap& glyph, int count, int index) {
  const int w = count > 0 ? glyph.Width() / count : 0, h = glyph.Height();
  p::SurfaceBuffer out(w, h, 0);
  if (w == 0 || h == 0 || index < 0 || index >= count) return out;
  const p::SurfaceBuffer masked = glyph.MaskedPixels();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out.At(x, y) = masked.At(index * w + x, y);
  return out;
}

TButtonGlyph::TButtonGlyph() {
  glyph_.OnChange = [this](TObject*) { Changed(); };
}

void TButtonGlyph::Changed() {
  for (auto& image : images_) image.reset();
  if (OnChange) OnChange();
}

void TButtonGlyph::SetNumGlyphs(int v) {
  v = std::clamp(v, 1, 4);
  if (v == numGlyphs_) return;
  numGlyphs_ = v;
  Changed();
}

SIZE TButtonGlyph::ImageSize() const {
  const int w = glyph_.Width() / numGlyphs_;
  if (w == 0) return SIZE{0, 0};
  return SIZE{w, glyph_.Height()};
}

const p::SurfaceBuffer& TButtonGlyph::Image(TButtonState state) {
  const int index = std::clamp(int(state), 0, 3);
  std::optional<p::SurfaceBuffer>& slot = images_[std::size_t(index)];
  if (!slot) {
    if (index < numGlyphs_)
      slot = CutImage(glyph_, numGlyphs_, index);
    else if (state == bsDisabled)
      slot = EmbossedImage(ReadView(Image(bsUp)));
    else
      slot = Image(bsUp);
  }
  return *slot;
}

void TButtonGlyph::DrawGlyph(p::HDC dc, int x, int y, TButtonState state) {
  if (Empty()) return;
  DrawPixels(dc, x, y, ReadView(Image(state)));
}

}  // namespace toolkit
