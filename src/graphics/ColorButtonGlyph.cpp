#include "graphics/ColorButtonGlyph.h"

#include <algorithm>

#include "graphics/ButtonGlyphCache.h"
#include "toolkit/ButtonGlyph.h"

namespace graphics {

namespace p = platform;
namespace tk = toolkit;

TColorButtonGlyph::TColorButtonGlyph() {
  TButtonGlyphCache::AddUser();
  glyph_.OnChange = [this](component::TObject*) { Changed(); };
}

TColorButtonGlyph::~TColorButtonGlyph() {
  ReleaseImages();
  TButtonGlyphCache::RemoveUser();
}

void TColorButtonGlyph::Changed() {
  ReleaseImages();
  if (OnChange) OnChange();
}

void TColorButtonGlyph::ReleaseImages() {
  if (list_) {
    // States that show the up image share its index: delete each once.
    std::array<int, 5> seen = indexes_;
    std::sort(seen.begin(), seen.end());
    for (std::size_t i = 0; i < seen.size(); ++i)
      if (seen[i] >= 0 && (i == 0 || seen[i] != seen[i - 1])) list_->Delete(seen[i]);
    if (TButtonGlyphCache* cache = TButtonGlyphCache::Instance()) cache->ReturnList(list_);
  }
  list_ = nullptr;
  indexes_.fill(-1);
}

void TColorButtonGlyph::SetNumGlyphs(int v) {
  v = std::clamp(v, 1, 5);
  if (v == numGlyphs_) return;
  numGlyphs_ = v;
  Changed();
}

void TColorButtonGlyph::SetGrayedInactive(bool v) {
  if (v == grayedInactive_) return;
  grayedInactive_ = v;
  Changed();
}

void TColorButtonGlyph::SetGrayNewStyle(bool v) {
  if (v == grayNewStyle_) return;
  grayNewStyle_ = v;
  Changed();
}

p::SIZE TColorButtonGlyph::ImageSize() const {
  const int w = glyph_.Width() / numGlyphs_;
  if (w == 0 || glyph_.Height() == 0) return p::SIZE{0, 0};
  return p::SIZE{w, glyph_.Height()};
}

int TColorButtonGlyph::MakeImage(TColorButtonState state) {
  int& index = indexes_[std::size_t(state)];
  if (index >= 0) return index;
  if (!list_) {
    const p::SIZE size = ImageSize();
    list_ = TButtonGlyphCache::Instance()->GetList(size.cx, size.cy);
  }
  const int own = int(state);
  if (own < numGlyphs_) {
    index = list_->Add(tk::ReadView(tk::CutImage(glyph_, numGlyphs_, own)));
    return index;
  }
  const p::SurfaceBuffer up = tk::CutImage(glyph_, numGlyphs_, 0);
  if (state == cbsDisabled) {
    index = list_->Add(tk::ReadView(tk::EmbossedImage(tk::ReadView(up))));
  } else if (state == cbsInactive && grayedInactive_) {
    index = list_->Add(tk::ReadView(grayNewStyle_ ? tk::GrayImage(tk::ReadView(up))
                                                  : tk::EmbossedImage(tk::ReadView(up))));
  } else {
    index = MakeImage(cbsUp);
  }
  return index;
}

void TColorButtonGlyph::Draw(p::HDC dc, int x, int y, TColorButtonState state) {
  if (Empty()) return;
  const int index = MakeImage(state);
  list_->Draw(dc, index, x, y);
}

}  // namespace graphics
