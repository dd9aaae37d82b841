// TPixelBitmap: the in-memory picture. Width x Height ARGB pixels
// (TPixelColor), rows top-down and contiguous, in a 32-bit platform bitmap
// selected into a memory device context, so that the platform can draw text
// into it and copy it to a window. Fills, blended lines and bevels work on
// the pixels directly; DrawToBitmap copies, blends or scales it into another
// bitmap.
//
// Its stored form, the block "Data": width and height (32-bit signed,
// little-endian), then the pixels, top row first.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <span>
#include <string_view>

#include "component/ClassInfo.h"
#include "component/Exception.h"
#include "graphics/CustomPixelMap.h"
#include "graphics/PixelColor.h"
#include "platform/gdi/Gdi.h"
#include "toolkit/Canvas.h"
#include "toolkit/Font.h"

namespace graphics {

using platform::RECT;
using platform::SIZE;

enum TDrawMode { dmOpaque, dmBlend, dmCustom };
enum TCombineMode { cmBlend, cmMerge };
enum TStretchFilter { sfNearest, sfDraft, sfLinear, sfCosine, sfSpline, sfLanczos, sfMitchell };
const component::TEnumInfo& EnumInfo(TDrawMode);
const component::TEnumInfo& EnumInfo(TCombineMode);
const component::TEnumInfo& EnumInfo(TStretchFilter);

// Combines one foreground pixel into a background pixel with a master alpha.
using TPixelCombineEvent =
    std::function<void(TPixelColor foreground, TPixelColor& background, unsigned masterAlpha)>;

// A platform bitmap, its store or its device context could not be made.
class EBitmapError : public component::Exception {
 public:
  using Exception::Exception;
};

// A stored block ended before the size its header gives.
class EStreamError : public component::Exception {
 public:
  EStreamError() : Exception("Stream read error") {}
};

class TGraphic;
class TPlatformBitmap;

class TPixelBitmap : public TCustomPixelMap {
 public:
  COMPONENT_CLASS_INFO()

  TPixelBitmap();
  ~TPixelBitmap() override;

  // --- published
  TDrawMode DrawMode() const { return drawMode_; }
  void SetDrawMode(TDrawMode v);
  TCombineMode CombineMode() const { return combineMode_; }
  void SetCombineMode(TCombineMode v);
  std::uint32_t MasterAlpha() const { return masterAlpha_; }
  void SetMasterAlpha(std::uint32_t v);  // above 255 is stored as 255
  TPixelColor OuterColor() const { return outerColor_; }
  void SetOuterColor(TPixelColor v);
  TStretchFilter StretchFilter() const { return stretchFilter_; }
  void SetStretchFilter(TStretchFilter v);

  toolkit::TNotifyEvent OnHandleChanged;
  TPixelCombineEvent OnPixelCombine;

  // --- store and platform objects
  bool Empty() const override;
  TPixelColor* Bits() const { return bits_; }
  // Addresses in the store; null when there is none. Not range-checked.
  TPixelColor* RowPointer(int y) const;
  TPixelColor* PixelPointer(int x, int y) const;
  TPixelColor Pixel(int x, int y) const { return *PixelPointer(x, y); }
  platform::HDC Handle() const { return dc_; }
  platform::HBITMAP BitmapHandle() const { return bitmap_; }
  // A canvas over the device context, made on first request, freed when the
  // size changes.
  toolkit::TCanvas* Canvas();
  toolkit::TFont* Font() const { return font_.get(); }

  // The operations marked "clipped" stay inside it; (0, 0, Width, Height)
  // after every size change. Set values are cut to the bitmap.
  const RECT& ClipRect() const { return clipRect_; }
  void SetClipRect(const RECT& r);

  // --- drawing (rectangles exclude right and bottom; line ends are inclusive)
  void Clear(TPixelColor color);
  // Fills without looking at ClipRect (but never outside the bitmap).
  void FillRect(int x1, int y1, int x2, int y2, TPixelColor color);
  void FillRectClipped(int x1, int y1, int x2, int y2, TPixelColor color);
  // CombineMode's operation with `color` on pixels x1..x2 of row y (nothing
  // when x2 < x1); no Changed. Kept inside the bitmap.
  void HorzLineBlend(int x1, int y, int x2, TPixelColor color);
  void VertLineBlend(int x, int y1, int y2, TPixelColor color);
  void HorzLineBlendClipped(int x1, int y, int x2, TPixelColor color);
  void VertLineBlendClipped(int x, int y1, int y2, TPixelColor color);
  // A raised (contrast > 0) or sunken (< 0) one-pixel frame inside the
  // rectangle, in translucent white and black.
  void DrawBevel(int x1, int y1, int x2, int y2, int contrast);
  void DrawBevel(const RECT& r, int contrast) {
    DrawBevel(r.left, r.top, r.right, r.bottom, contrast);
  }
  void ResetAlpha(int alpha = 255);

  // --- text, with Font (colour included) through the platform's text drawing
  SIZE TextExtent(std::string_view text);
  // The DT_ layout flags; pixels outside the glyphs keep their values.
  void TextOut(const RECT& r, unsigned flags, std::string_view text);

  // --- transfers
  // The whole store 1:1 at (x, y), alpha ignored.
  void DrawToDevice(platform::HDC dc, int x, int y) const;
  // Into `dest`'s destRect by DrawMode and StretchFilter, inside dest's
  // ClipRect.
  void DrawToBitmap(TPixelBitmap& dest, const RECT& destRect);

  // --- copying
  // From another TPixelBitmap (pixels, DrawMode, MasterAlpha, OuterColor,
  // StretchFilter), a TPlatformBitmap or a TGraphic; anything else fails
  // with EConvertError.
  void Assign(const component::TPersistent& source) override;
  // Assigning nothing empties the bitmap.
  void Assign(std::nullptr_t);

  // --- stored form
  void ReadData(std::istream& stream);
  void WriteData(std::ostream& stream) const;
  // The Data block as a property: empty bytes for an empty bitmap.
  component::TBytes Data() const;
  void SetData(std::span<const std::uint8_t> block);

 protected:
  void ChangeSize(std::int32_t width, std::int32_t height) override;
  virtual void HandleChanged();
  void FontChanged();
  void UpdateFont();

 private:
  void AssignBitmap(const TPixelBitmap& source);
  void AssignPlatformBitmap(const TPlatformBitmap& source);
  void AssignGraphic(const TGraphic& source);
  void ReleaseHandles();
  template <class Op>
  void CombineSpan(TPixelColor* p, std::ptrdiff_t step, int count, TPixelColor color);

  TPixelColor* bits_ = nullptr;
  platform::HBITMAP bitmap_;
  platform::HDC dc_;
  platform::HFONT selectedFont_;
  std::unique_ptr<toolkit::TFont> font_;
  std::unique_ptr<toolkit::TCanvas> canvas_;
  RECT clipRect_{0, 0, 0, 0};
  TDrawMode drawMode_ = dmOpaque;
  TCombineMode combineMode_ = cmBlend;
  std::uint32_t masterAlpha_ = 255;
  TPixelColor outerColor_ = 0;
  TStretchFilter stretchFilter_ = sfNearest;
};

// Draws srcRect of `src` into dstRect of `dest`, inside dstClip, with the
// filter and draw mode given (the master alpha is src's). The caller makes
// sure both bitmaps are non-empty and srcRect lies inside src; an empty
// srcRect or clip draws nothing.
void TransferRect(TPixelBitmap& dest, RECT dstRect, RECT dstClip, const TPixelBitmap& src,
                  const RECT& srcRect, TStretchFilter filter, TDrawMode mode,
                  const TPixelCombineEvent& combine);

}  // namespace graphics
