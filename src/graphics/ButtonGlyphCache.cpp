#include "graphics/ButtonGlyphCache.h"

#include <algorithm>

#include "toolkit/Bitmap.h"

namespace graphics {

namespace p = platform;

namespace {

// A plain pointer, not an owning static: a glyph object freed during the
// process's exit must still find it, or find it gone.
TButtonGlyphCache* cache = nullptr;
int users = 0;

}  // namespace

bool TGlyphList::Valid(int index) const {
  return index >= 0 && index < int(used_.size()) && used_[std::size_t(index)];
}

int TGlyphList::Add(const p::Surface& image) {
  const std::size_t n = std::size_t(width_) * height_;
  std::vector<std::uint32_t> colours(n, 0xFF000000u);
  std::vector<std::uint8_t> mask(n, 0);
  const int w = std::min(width_, image.width), h = std::min(height_, image.height);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::uint32_t s = image.At(x, y);
      colours[std::size_t(y) * width_ + x] = s | 0xFF000000u;
      mask[std::size_t(y) * width_ + x] = std::uint8_t(s >> 24);
    }
  auto free = std::find(used_.begin(), used_.end(), false);
  const int index = int(free - used_.begin());
  if (free == used_.end()) {
    images_.push_back(std::move(colours));
    masks_.push_back(std::move(mask));
    used_.push_back(true);
  } else {
    images_[std::size_t(index)] = std::move(colours);
    masks_[std::size_t(index)] = std::move(mask);
    *free = true;
  }
  ++count_;
  return index;
}

void TGlyphList::Delete(int index) {
  if (!Valid(index)) return;
  used_[std::size_t(index)] = false;
  images_[std::size_t(index)].clear();
  masks_[std::size_t(index)].clear();
  --count_;
}

const std::uint32_t* TGlyphList::Image(int index) const {
  return Valid(index) ? images_[std::size_t(index)].data() : nullptr;
}

const std::uint8_t* TGlyphList::Mask(int index) const {
  return Valid(index) ? masks_[std::size_t(index)].data() : nullptr;
}

void TGlyphList::Draw(p::HDC dc, int index, int x, int y) const {
  if (!Valid(index) || width_ <= 0 || height_ <= 0) return;
  p::SurfaceBuffer pixels(width_, height_);
  const std::uint32_t* colours = Image(index);
  const std::uint8_t* mask = Mask(index);
  for (int i = 0, n = width_ * height_; i < n; ++i)
    pixels.Pixels()[i] = (colours[i] & 0x00FFFFFFu) | std::uint32_t(mask[i]) << 24;
  toolkit::DrawPixels(dc, x, y, pixels.View());
}

TButtonGlyphCache* TButtonGlyphCache::Instance() {
  return cache;
}

void TButtonGlyphCache::AddUser() {
  if (users++ == 0) cache = new TButtonGlyphCache();
}

void TButtonGlyphCache::RemoveUser() {
  if (users > 0 && --users == 0) {
    delete cache;
    cache = nullptr;
  }
}

TGlyphList* TButtonGlyphCache::GetList(int width, int height) {
  for (auto& list : lists_)
    if (list->Width() == width && list->Height() == height) return list.get();
  lists_.push_back(std::make_unique<TGlyphList>(width, height));
  return lists_.back().get();
}

void TButtonGlyphCache::ReturnList(TGlyphList* list) {
  if (!list || list->Count() > 0) return;
  std::erase_if(lists_, [list](const auto& l) { return l.get() == list; });
}

}  // namespace graphics
