#include "graphics/PixelBitmap.h"

#include <algorithm>
#include <cstring>
#include <istream>
#include <mutex>
#include <ostream>
#include <sstream>
#include <streambuf>

#include "component/ClassBuilder.h"
#include "graphics/Blend.h"
#include "graphics/Graphic.h"
#include "platform/gdi/DcGuards.h"

namespace graphics {

using namespace component;
namespace p = platform;

const TEnumInfo& EnumInfo(TDrawMode) {
  static const TEnumInfo info("TDrawMode", {"dmOpaque", "dmBlend", "dmCustom"});
  return info;
}
const TEnumInfo& EnumInfo(TCombineMode) {
  static const TEnumInfo info("TCombineMode", {"cmBlend", "cmMerge"});
  return info;
}
const TEnumInfo& EnumInfo(TStretchFilter) {
  static const TEnumInfo info("TStretchFilter", {"sfNearest", "sfDraft", "sfLinear", "sfCosine",
                                                 "sfSpline", "sfLanczos", "sfMitchell"});
  return info;
}

const TClassInfo& TPixelBitmap::StaticClassInfo() {
  using T = TPixelBitmap;
  static const TClassInfo info =
      TClassBuilder<TPixelBitmap, TCustomPixelMap>("TPixelBitmap")
          .Property("DrawMode", &T::DrawMode, &T::SetDrawMode)
          .Property("CombineMode", &T::CombineMode, &T::SetCombineMode)
          .Property("MasterAlpha", &T::MasterAlpha, &T::SetMasterAlpha)
          .Property("OuterColor", &T::OuterColor, &T::SetOuterColor)
          .Property("StretchFilter", &T::StretchFilter, &T::SetStretchFilter)
          .Property("Data", &T::Data, &T::SetData)
          .Stored([](const T&) { return false; })  // written below
          .Event("OnHandleChanged", &T::OnHandleChanged)
          .Event("OnPixelCombine", &T::OnPixelCombine)
          // The picture, unless there is none or the default object has the
          // same one.
          .DefineProperties([](const T& bitmap, const T* ancestor, TPropertyFiler& filer) {
            if (bitmap.Empty()) return;
            TBytes data = bitmap.Data();
            if (ancestor && !ancestor->Empty() && ancestor->Data() == data) return;
            filer.Write("Data", TPropertyKind::Binary, std::move(data));
          })
          .Build();
  return info;
}

namespace {

// Shared by every bitmap: the font put back into a context when a bitmap
// lets its own go, and a small context that measures text for bitmaps that
// have none.
p::HGDIOBJ StockFont() {
  static const p::HGDIOBJ font = p::GetStockObject(p::SYSTEM_FONT);
  return font;
}

struct MeasureBitmap {
  std::mutex lock;
  p::HBITMAP bitmap;
  p::HDC dc;
  MeasureBitmap() {
    p::BITMAPINFO bi;
    bi.bmiHeader.biWidth = 8;
    bi.bmiHeader.biHeight = -8;
    void* bits = nullptr;
    bitmap = p::CreateDIBSection(p::HDC{}, &bi, p::DIB_RGB_COLORS, &bits);
    dc = p::CreateCompatibleDC(p::HDC{});
    p::SelectObject(dc, bitmap);
  }
};

MeasureBitmap& Measurer() {
  static MeasureBitmap m;
  return m;
}

// Reads a block of memory as a stream without copying it.
class BlockBuf : public std::streambuf {
 public:
  explicit BlockBuf(std::span<const std::uint8_t> block) {
    char* b = reinterpret_cast<char*>(const_cast<std::uint8_t*>(block.data()));
    setg(b, b, b + block.size());
  }
};

}  // namespace

TPixelBitmap::TPixelBitmap() : font_(std::make_unique<toolkit::TFont>()) {
  font_->OnChange = [this](toolkit::TGraphicsObject*) { FontChanged(); };
}

TPixelBitmap::~TPixelBitmap() {
  BeginUpdate();
  Lock();
  // Nobody hears of the destruction: the owner may be going away too.
  OnResize = nullptr;
  OnHandleChanged = nullptr;
  canvas_.reset();
  SetSize(0, 0);
  font_.reset();
  Unlock();
}

// --- properties -----------------------------------------------------------------

void TPixelBitmap::SetDrawMode(TDrawMode v) {
  if (v == drawMode_) return;
  drawMode_ = v;
  Changed();
}

void TPixelBitmap::SetCombineMode(TCombineMode v) {
  if (v == combineMode_) return;
  combineMode_ = v;
  Changed();
}

void TPixelBitmap::SetMasterAlpha(std::uint32_t v) {
  v = std::min<std::uint32_t>(v, 255);
  if (v == masterAlpha_) return;
  masterAlpha_ = v;
  Changed();
}

void TPixelBitmap::SetOuterColor(TPixelColor v) {
  if (v == outerColor_) return;
  outerColor_ = v;
  Changed();
}

void TPixelBitmap::SetStretchFilter(TStretchFilter v) {
  if (v == stretchFilter_) return;
  stretchFilter_ = v;
  Changed();
}

// --- store --------------------------------------------------------------------------

bool TPixelBitmap::Empty() const {
  return bits_ == nullptr || width_ == 0 || height_ == 0;
}

TPixelColor* TPixelBitmap::RowPointer(int y) const {
  return bits_ ? bits_ + std::ptrdiff_t(y) * width_ : nullptr;
}

TPixelColor* TPixelBitmap::PixelPointer(int x, int y) const {
  return bits_ ? bits_ + std::ptrdiff_t(y) * width_ + x : nullptr;
}

toolkit::TCanvas* TPixelBitmap::Canvas() {
  if (!canvas_) {
    canvas_ = std::make_unique<toolkit::TCanvas>();
    canvas_->SetHandle(dc_);
  }
  return canvas_.get();
}

void TPixelBitmap::SetClipRect(const RECT& r) {
  clipRect_ = RECT{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, width_),
                   std::min(r.bottom, height_)};
  if (clipRect_.right < clipRect_.left) clipRect_.right = clipRect_.left;
  if (clipRect_.bottom < clipRect_.top) clipRect_.bottom = clipRect_.top;
}

void TPixelBitmap::ReleaseHandles() {
  FontChanged();
  canvas_.reset();
  if (dc_) p::DeleteDC(dc_);
  if (bitmap_) p::DeleteObject(bitmap_);
  dc_ = {};
  bitmap_ = {};
  bits_ = nullptr;
}

void TPixelBitmap::ChangeSize(std::int32_t width, std::int32_t height) {
  ReleaseHandles();
  const char* failure = nullptr;
  if (width > 0 && height > 0) {
    p::BITMAPINFO bi;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    void* bits = nullptr;
    bitmap_ = p::CreateDIBSection(p::HDC{}, &bi, p::DIB_RGB_COLORS, &bits);
    if (!bitmap_ || !bits) {
      if (bitmap_) p::DeleteObject(bitmap_);
      bitmap_ = {};
      failure = "Can't allocate the DIB handle";
    } else {
      dc_ = p::CreateCompatibleDC(p::HDC{});
      if (!dc_) {
        p::DeleteObject(bitmap_);
        bitmap_ = {};
        failure = "Can't create compatible DC";
      } else if (!p::SelectObject(dc_, bitmap_)) {
        p::DeleteDC(dc_);
        p::DeleteObject(bitmap_);
        dc_ = {};
        bitmap_ = {};
        failure = "Can't select an object into DC";
      } else {
        bits_ = static_cast<TPixelColor*>(bits);
      }
    }
  }
  // After a failure the bitmap is empty and says so: a size kept without a
  // store would send later drawing outside the pixels.
  if (failure) width = height = 0;
  width_ = width;
  height_ = height;
  clipRect_ = RECT{0, 0, width_, height_};
  HandleChanged();
  if (failure) throw EBitmapError(failure);
}

void TPixelBitmap::HandleChanged() {
  if (canvas_) canvas_->SetHandle(dc_);
  if (OnHandleChanged) OnHandleChanged(this);
}

// --- fills and lines ----------------------------------------------------------------

void TPixelBitmap::Clear(TPixelColor color) {
  if (Empty()) return;
  std::fill_n(bits_, std::size_t(width_) * std::size_t(height_), color);
  Changed();
}

void TPixelBitmap::FillRect(int x1, int y1, int x2, int y2, TPixelColor color) {
  if (!Empty()) {
    x1 = std::max(x1, 0), y1 = std::max(y1, 0);
    x2 = std::min(x2, width_), y2 = std::min(y2, height_);
    for (int y = y1; y < y2 && x1 < x2; ++y)
      std::fill(RowPointer(y) + x1, RowPointer(y) + x2, color);
  }
  Changed();
}

void TPixelBitmap::FillRectClipped(int x1, int y1, int x2, int y2, TPixelColor color) {
  const RECT& c = clipRect_;
  if (x1 >= x2 || y1 >= y2 || x2 <= c.left || x1 >= c.right || y2 <= c.top || y1 >= c.bottom)
    return;
  FillRect(std::max(x1, int(c.left)), std::max(y1, int(c.top)), std::min(x2, int(c.right)),
           std::min(y2, int(c.bottom)), color);
}

template <class Op>
void TPixelBitmap::CombineSpan(TPixelColor* px, std::ptrdiff_t step, int count, TPixelColor color) {
  for (int i = 0; i < count; ++i, px += step) Op()(color, *px);
}

namespace {
struct BlendOp {
  void operator()(TPixelColor c, TPixelColor& px) const { BlendPixelInPlace(c, px); }
};
struct MergeOp {
  void operator()(TPixelColor c, TPixelColor& px) const { MergePixelInPlace(c, px); }
};
}  // namespace

void TPixelBitmap::HorzLineBlend(int x1, int y, int x2, TPixelColor color) {
  if (x2 < x1 || Empty() || y < 0 || y >= height_) return;
  x1 = std::max(x1, 0);
  x2 = std::min(x2, width_ - 1);
  if (x2 < x1) return;
  if (combineMode_ == cmBlend)
    CombineSpan<BlendOp>(PixelPointer(x1, y), 1, x2 - x1 + 1, color);
  else
    CombineSpan<MergeOp>(PixelPointer(x1, y), 1, x2 - x1 + 1, color);
}

void TPixelBitmap::VertLineBlend(int x, int y1, int y2, TPixelColor color) {
  if (y2 < y1 || Empty() || x < 0 || x >= width_) return;
  y1 = std::max(y1, 0);
  y2 = std::min(y2, height_ - 1);
  if (y2 < y1) return;
  if (combineMode_ == cmBlend)
    CombineSpan<BlendOp>(PixelPointer(x, y1), width_, y2 - y1 + 1, color);
  else
    CombineSpan<MergeOp>(PixelPointer(x, y1), width_, y2 - y1 + 1, color);
}

void TPixelBitmap::HorzLineBlendClipped(int x1, int y, int x2, TPixelColor color) {
  if (y < clipRect_.top || y >= clipRect_.bottom) return;
  if (x2 < x1) std::swap(x1, x2);
  x1 = std::max(x1, int(clipRect_.left));
  x2 = std::min(x2, int(clipRect_.right) - 1);
  if (x2 >= x1) HorzLineBlend(x1, y, x2, color);
}

void TPixelBitmap::VertLineBlendClipped(int x, int y1, int y2, TPixelColor color) {
  if (x < clipRect_.left || x >= clipRect_.right) return;
  if (y2 < y1) std::swap(y1, y2);
  y1 = std::max(y1, int(clipRect_.top));
  y2 = std::min(y2, int(clipRect_.bottom) - 1);
  if (y2 >= y1) VertLineBlend(x, y1, y2, color);
}

void TPixelBitmap::DrawBevel(int x1, int y1, int x2, int y2, int contrast) {
  const RECT& c = clipRect_;
  if (!(x1 < x2 && y1 < y2 && x1 < c.right && y1 < c.bottom && x2 > c.left && y2 > c.top)) return;
  if (contrast == 0) {
    Changed();
    return;
  }
  // 64-bit products: a contrast far outside -100..100 must not overflow.
  auto level = [](long long k, long long scale) {
    return int(std::clamp(k * scale / 100, 0ll, 255ll));
  };
  TPixelColor light, dark;
  if (contrast > 0) {
    light = SetAlpha(clWhite32, level(contrast, 512));
    dark = SetAlpha(clBlack32, level(contrast, 255));
  } else {
    const long long k = -static_cast<long long>(contrast);
    light = SetAlpha(clBlack32, level(k, 255));
    dark = SetAlpha(clWhite32, level(k, 512));
  }
  HorzLineBlendClipped(x1, y1, x2 - 1, light);
  HorzLineBlendClipped(x1, y2 - 1, x2 - 1, dark);
  VertLineBlendClipped(x1, y1 + 1, y2 - 2, light);
  VertLineBlendClipped(x2 - 1, y1 + 1, y2 - 2, dark);
  Changed();
}

void TPixelBitmap::ResetAlpha(int alpha) {
  if (!Empty()) {
    const TPixelColor a = TPixelColor(std::clamp(alpha, 0, 255)) << 24;
    TPixelColor* px = bits_;
    for (std::size_t i = 0, n = std::size_t(width_) * std::size_t(height_); i < n; ++i)
      px[i] = (px[i] & 0x00FFFFFF) | a;
  }
  Changed();
}

// --- text ---------------------------------------------------------------------------

void TPixelBitmap::UpdateFont() {
  if (!dc_) return;
  if (!selectedFont_) selectedFont_ = font_->Handle();
  p::SelectObject(dc_, selectedFont_);
  p::SetTextColor(dc_, p::ResolveColor(p::COLORREF(font_->Color())));
  p::SetBkMode(dc_, p::TRANSPARENT);
}

void TPixelBitmap::FontChanged() {
  if (!selectedFont_) return;
  if (dc_) p::SelectObject(dc_, StockFont());
  selectedFont_ = {};
}

SIZE TPixelBitmap::TextExtent(std::string_view text) {
  SIZE size{0, 0};
  if (dc_) {
    UpdateFont();
    p::GetTextExtentPoint32(dc_, text, &size);
    return size;
  }
  MeasureBitmap& m = Measurer();
  std::lock_guard g(m.lock);
  p::TSelectedObject font(m.dc, p::HGDIOBJ(font_->Handle()));
  p::GetTextExtentPoint32(m.dc, text, &size);
  return size;
}

void TPixelBitmap::TextOut(const RECT& r, unsigned flags, std::string_view text) {
  if (Empty()) return;
  UpdateFont();
  RECT copy = r;
  p::DrawText(dc_, text, &copy, flags);
  Changed();
}

// --- transfers ----------------------------------------------------------------------

void TPixelBitmap::DrawToDevice(p::HDC dc, int x, int y) const {
  if (Empty()) return;
  p::BitBlt(dc, x, y, width_, height_, dc_, 0, 0, p::SRCCOPY);
}

void TPixelBitmap::DrawToBitmap(TPixelBitmap& dest, const RECT& destRect) {
  if (Empty() || dest.Empty()) return;
  TransferRect(dest, destRect, dest.ClipRect(), *this, RECT{0, 0, width_, height_}, stretchFilter_,
               drawMode_, OnPixelCombine);
  dest.Changed();
}

// --- assigning ----------------------------------------------------------------------

void TPixelBitmap::Assign(std::nullptr_t) {
  TUpdateScope update(*this);
  SetSize(0, 0);
}

void TPixelBitmap::Assign(const TPersistent& source) {
  if (&source == this) return;
  TUpdateScope update(*this);
  if (auto* b = dynamic_cast<const TPixelBitmap*>(&source))
    AssignBitmap(*b);
  else if (auto* pb = dynamic_cast<const TPlatformBitmap*>(&source))
    AssignPlatformBitmap(*pb);
  else if (auto* g = dynamic_cast<const TGraphic*>(&source))
    AssignGraphic(*g);
  else
    TCustomPixelMap::Assign(source);  // fails with EConvertError
}

void TPixelBitmap::AssignBitmap(const TPixelBitmap& source) {
  SetSize(source.Width(), source.Height());
  if (Empty() || source.Empty()) return;
  std::memcpy(bits_, source.bits_, std::size_t(width_) * std::size_t(height_) * 4);
  drawMode_ = source.drawMode_;
  masterAlpha_ = source.masterAlpha_;
  outerColor_ = source.outerColor_;
  stretchFilter_ = source.stretchFilter_;
}

void TPixelBitmap::AssignPlatformBitmap(const TPlatformBitmap& source) {
  p::Surface s = p::GetBitmapSurface(source.Handle());
  if (s.IsEmpty()) {
    SetSize(0, 0);
    return;
  }
  SetSize(s.width, s.height);
  if (Empty()) return;
  for (int y = 0; y < height_; ++y) std::memcpy(RowPointer(y), s.Row(y), std::size_t(width_) * 4);
  const std::size_t n = std::size_t(width_) * std::size_t(height_);
  if (source.BitsPerPixel() < 32)
    for (std::size_t i = 0; i < n; ++i) bits_[i] |= 0xFF000000u;
  if (source.Transparent()) {
    const TPixelColor key = p::ColorToPixel(p::ResolveColor(source.TransparentColor())) & 0xFFFFFF;
    for (std::size_t i = 0; i < n; ++i)
      if ((bits_[i] & 0xFFFFFF) == key) bits_[i] &= 0x00FFFFFF;
  }
}

void TPixelBitmap::AssignGraphic(const TGraphic& source) {
  SetSize(source.Width(), source.Height());
  if (Empty()) return;
  const RECT r{0, 0, width_, height_};
  const std::size_t n = std::size_t(width_) * std::size_t(height_);
  if (!source.LeavesGaps()) {
    source.Draw(dc_, r);
    for (std::size_t i = 0; i < n; ++i) bits_[i] |= 0xFF000000u;
    return;
  }
  // What the picture leaves untouched shows as white on one and red on the
  // other; pixels it paints are the same on both.
  TPixelBitmap scratch;
  scratch.SetSize(width_, height_);
  std::fill_n(bits_, n, 0xFFFFFFFFu);
  std::fill_n(scratch.bits_, n, 0xFFFF0000u);
  source.Draw(dc_, r);
  source.Draw(scratch.dc_, r);
  for (std::size_t i = 0; i < n; ++i) {
    if ((bits_[i] & 0xFFFFFF) == (scratch.bits_[i] & 0xFFFFFF))
      bits_[i] |= 0xFF000000u;
    else
      bits_[i] &= 0x00FFFFFF;
  }
}

// --- stored form --------------------------------------------------------------------

void TPixelBitmap::ReadData(std::istream& stream) {
  // Whatever was read, even in part, is announced.
  TChangedScope changed(*this);
  unsigned char header[8];
  if (!stream.read(reinterpret_cast<char*>(header), 8)) throw EStreamError();
  auto word = [&](int at) {
    return std::int32_t(std::uint32_t(header[at]) | std::uint32_t(header[at + 1]) << 8 |
                        std::uint32_t(header[at + 2]) << 16 | std::uint32_t(header[at + 3]) << 24);
  };
  SetSize(word(0), word(4));
  if (!Empty()) {
    const std::streamsize bytes = std::streamsize(width_) * height_ * 4;
    if (!stream.read(reinterpret_cast<char*>(bits_), bytes)) throw EStreamError();
  }
}

void TPixelBitmap::WriteData(std::ostream& stream) const {
  const std::int32_t size[2] = {width_, height_};
  stream.write(reinterpret_cast<const char*>(size), sizeof size);
  if (!Empty())
    stream.write(reinterpret_cast<const char*>(bits_), std::streamsize(width_) * height_ * 4);
}

TBytes TPixelBitmap::Data() const {
  if (Empty()) return {};
  std::ostringstream out;
  WriteData(out);
  const std::string s = std::move(out).str();
  return TBytes(s.begin(), s.end());
}

void TPixelBitmap::SetData(std::span<const std::uint8_t> block) {
  BlockBuf buf(block);
  std::istream in(&buf);
  ReadData(in);
}

}  // namespace graphics
