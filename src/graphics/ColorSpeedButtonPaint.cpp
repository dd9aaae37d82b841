// The colour speed button's picture: its frame of rings in the button's own
// colours, its glyph and caption, drawn straight or through a memory
// picture when it is double-buffered.
#include <algorithm>

#include "graphics/ColorSpeedButton.h"
#include "platform/gdi/DcGuards.h"
#include "platform/gdi/Gdi.h"
#include "toolkit/ButtonGlyph.h"

namespace graphics {

namespace p = platform;
namespace tk = toolkit;

namespace {

TColor Shift(TColor c, int delta) {
  const p::COLORREF rgb = p::ResolveColor(tk::ColorToRGB(c));
  auto channel = [delta](int v) { return std::clamp(v + delta, 0, 255); };
  return TColor(channel(rgb & 0xFF) | channel((rgb >> 8) & 0xFF) << 8 |
                channel((rgb >> 16) & 0xFF) << 16);
}

void FillColor(tk::TCanvas* canvas, const RECT& r, TColor c) {
  canvas->Brush()->SetStyle(tk::bsSolid);
  canvas->Brush()->SetColor(c);
  canvas->FillRect(r);
}

}  // namespace

TColor ButtonHighlightColor(TColor c) {
  return Shift(c, 64);
}
TColor ButtonShadowColor(TColor c) {
  return Shift(c, -64);
}

void DrawRing(tk::TCanvas* canvas, RECT& r, TColor topLeft, TColor bottomRight) {
  // An empty rectangle gets no ring but shrinks all the same, so the frame
  // of a tiny button still returns the rectangle its rings would leave.
  if (r.right - r.left > 0 && r.bottom - r.top > 0) {
    const RECT top{r.left, r.top, r.right - 1, r.top + 1};
    const RECT left{r.left, r.top, r.left + 1, r.bottom - 1};
    const RECT right{r.right - 1, r.top, r.right, r.bottom};
    const RECT bottom{r.left, r.bottom - 1, r.right, r.bottom};
    FillColor(canvas, top, topLeft);
    FillColor(canvas, left, topLeft);
    FillColor(canvas, right, bottomRight);
    FillColor(canvas, bottom, bottomRight);
  }
  r = RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
}

RECT PaintButtonFrame(tk::TCanvas* canvas, RECT r, bool down, TColor color, TButtonStyle style,
                      bool flat) {
  // Every platform we run on has the newer look, so auto-detect means new.
  const bool newStyle = style != bsWin31;
  const TColor h = ButtonHighlightColor(color), s = ButtonShadowColor(color);
  const TColor f = tk::clWindowFrame, c = color;
  if (!down) {
    if (newStyle && !flat) {
      DrawRing(canvas, r, h, f);
      DrawRing(canvas, r, c, s);
    } else if (newStyle) {
      DrawRing(canvas, r, h, s);
    } else if (!flat) {
      DrawRing(canvas, r, f, f);
      DrawRing(canvas, r, h, s);
    } else {
      DrawRing(canvas, r, h, f);
    }
  } else {
    if (newStyle && !flat) {
      DrawRing(canvas, r, f, h);
      DrawRing(canvas, r, s, c);
    } else if (newStyle) {
      DrawRing(canvas, r, s, h);
    } else if (!flat) {
      DrawRing(canvas, r, f, f);
      if (r.right > r.left && r.bottom > r.top) {
        FillColor(canvas, RECT{r.left, r.top, r.left + 1, r.bottom}, tk::clBtnShadow);
        FillColor(canvas, RECT{r.left, r.top, r.right, r.top + 1}, tk::clBtnShadow);
      }
    } else {
      DrawRing(canvas, r, f, h);
    }
  }
  return RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
}

std::string ShortenCaption(tk::TCanvas* canvas, std::string line, int width) {
  const int length = int(line.size());
  const std::string original = line;
  for (int i = 1; i <= length && canvas->TextWidth(line) > width; ++i)
    line = original.substr(0, size_t(std::max(0, length - i - 1))) + "...";
  return line;
}

void TCustomColorSpeedButton::Paint() {
  if (width_ <= 0 || height_ <= 0) return;
  p::HDC screen = Canvas()->Handle();
  if (!doubleBuffered_) {
    PaintButton(Canvas());
    return;
  }
  p::TMemoryDC memory(screen);
  p::TScopedObject bitmap(p::CreateCompatibleBitmap(screen, width_, height_));
  p::TSelectedObject select(memory, bitmap.Get());
  // A transparent button starts from what its parent drew behind it.
  if (transparent_) p::BitBlt(memory, 0, 0, width_, height_, screen, 0, 0, p::SRCCOPY);
  {
    tk::TCanvas canvas;
    canvas.SetHandle(memory);
    PaintButton(&canvas);
    canvas.SetHandle(p::HDC{});
  }
  p::BitBlt(screen, 0, 0, width_, height_, memory, 0, 0, p::SRCCOPY);
}

void TCustomColorSpeedButton::PaintButton(tk::TCanvas* canvas) {
  AdjustState();
  // There is no design mode here, so only the mouse decides.
  const TColorButtonState frameState = flat_ && !mouseInside_ ? cbsInactive : state_;
  RECT r{0, 0, width_, height_};
  if (!transparent_) FillColor(canvas, r, Color());
  if (frameState != cbsInactive || state_ == cbsExclusive) {
    r = PaintButtonFrame(canvas, r, state_ == cbsDown || state_ == cbsExclusive, Color(), style_,
                         flat_);
  } else {
    r = RECT{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
  }
  if (state_ == cbsExclusive && !transparent_ && (!flat_ || frameState == cbsInactive)) {
    canvas->FillChecker(RECT{r.left - 1, r.top - 1, r.right + 1, r.bottom + 1}, tk::clBtnFace,
                        tk::clBtnHighlight);
  }
  const int offset = state_ == cbsDown || state_ == cbsExclusive ? 1 : 0;
  const bool hot =
      (hotTrack_ && (mouseInside_ || pressing_)) || (hotTrackOptions_->Enabled() && down_);
  canvas->Font()->Assign(hot ? *hotTrackFont_ : *Font());
  if (hot && hotTrackOptions_->Enabled()) {
    const RECT all{0, 0, width_, height_};
    if (down_)
      canvas->FillChecker(all, hotTrackOptions_->Color(), tk::clWindow);
    else
      FillColor(canvas, all, hotTrackOptions_->Color());
    canvas->Brush()->SetColor(hotTrackOptions_->FrameColor());
    canvas->FrameRect(all);
  }
  // The hot picture stands in for the glyph on the same condition as the font.
  TColorButtonGlyph& glyph = hot && !hotTrackGlyph_.Empty() ? hotTrackGlyph_ : glyph_;
  if (glyph.Empty()) {
    DrawCaption(canvas, r, offset);
  } else {
    // Only an up button that is flat and not under the mouse looks inactive.
    const TColorButtonState glyphState =
        frameState == cbsInactive && state_ == cbsUp ? cbsInactive : state_;
    DrawGlyphAndCaption(canvas, glyph, r, offset, glyphState);
  }
  if (markDropDown_ && dropDownMenu_) DrawDropDownMark(canvas, r, offset);
}

// A small downward triangle at the right of the face.
void TCustomColorSpeedButton::DrawDropDownMark(tk::TCanvas* canvas, const RECT& inner, int offset) {
  const int x = inner.right - 8 + offset, y = (inner.top + inner.bottom) / 2 - 1 + offset;
  if (x - 2 < inner.left) return;
  const TColor c = state_ == cbsDisabled ? tk::clBtnShadow : canvas->Font()->Color();
  for (int i = 0; i < 3; ++i) FillColor(canvas, RECT{x + i, y + i, x + 5 - i, y + i + 1}, c);
}

unsigned TCustomColorSpeedButton::CaptionFlags() const {
  unsigned flags = alignment_ == tk::taLeftJustify    ? p::DT_LEFT
                   : alignment_ == tk::taRightJustify ? p::DT_RIGHT
                                                      : p::DT_CENTER;
  if (wordWrap_) flags |= p::DT_WORDBREAK;
  return flags;
}

std::string TCustomColorSpeedButton::FitCaption(tk::TCanvas* canvas, int width, unsigned flags,
                                                p::SIZE& extent) {
  const std::string& caption = Caption();
  // Each line on its own is cut to the width it may take.
  std::string text;
  for (size_t start = 0; start <= caption.size();) {
    size_t end = caption.find('\n', start);
    if (end == std::string::npos) end = caption.size();
    std::string line = caption.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!text.empty() || start > 0) text += '\n';
    text += ShortenCaption(canvas, line, width);
    start = end + 1;
  }
  RECT r{0, 0, width, 0};
  canvas->DrawText(text, r, flags | p::DT_CALCRECT | p::DT_NOPREFIX);
  extent = p::SIZE{r.right - r.left, r.bottom - r.top};
  return text;
}

void TCustomColorSpeedButton::DrawCaptionText(tk::TCanvas* canvas, const std::string& text,
                                              const RECT& inner, int x, int y, p::SIZE extent,
                                              unsigned flags) {
  captionOrigin_ = tk::POINT{x, y};
  // Never outside the face, whatever the caption's size.
  p::SaveDC(canvas->Handle());
  p::IntersectClipRect(canvas->Handle(), inner.left, inner.top, inner.right, inner.bottom);
  canvas->Brush()->SetStyle(tk::bsClear);
  RECT tr{x, y, x + extent.cx, y + extent.cy};
  if (state_ == cbsDisabled) {
    RECT shadow{tr.left + 1, tr.top + 1, tr.right + 1, tr.bottom + 1};
    canvas->Font()->SetColor(tk::clBtnHighlight);
    canvas->DrawText(text, shadow, flags | p::DT_NOPREFIX);
    canvas->Font()->SetColor(tk::clBtnShadow);
  }
  canvas->DrawText(text, tr, flags | p::DT_NOPREFIX);
  p::RestoreDC(canvas->Handle(), -1);
}

void TCustomColorSpeedButton::DrawCaption(tk::TCanvas* canvas, const RECT& inner, int offset) {
  if (Caption().empty() || inner.right <= inner.left || inner.bottom <= inner.top) return;
  const int innerWidth = inner.right - inner.left, innerHeight = inner.bottom - inner.top;
  const unsigned flags = CaptionFlags();
  p::SIZE extent;
  const std::string text = FitCaption(canvas, innerWidth, flags, extent);
  const int cw = extent.cx, ch = extent.cy;
  int x, y;
  switch (layout_) {
    case tk::blGlyphLeft:
    case tk::blGlyphRight:
      x = alignment_ == tk::taLeftJustify    ? 0
          : alignment_ == tk::taRightJustify ? innerWidth - cw
                                             : (innerWidth - cw) / 2;
      y = (innerHeight - ch) / 2;
      break;
    default:  // vertical layouts: centred in the whole inner rectangle
      x = innerWidth / 2 - cw / 2;
      y = innerHeight / 2 - ch / 2;
      break;
  }
  DrawCaptionText(canvas, text, inner, x + inner.left + offset, y + inner.top + offset, extent,
                  flags);
}

void TCustomColorSpeedButton::DrawGlyphAndCaption(tk::TCanvas* canvas, TColorButtonGlyph& glyph,
                                                  const RECT& inner, int offset,
                                                  TColorButtonState glyphState) {
  const int innerWidth = inner.right - inner.left, innerHeight = inner.bottom - inner.top;
  if (innerWidth <= 0 || innerHeight <= 0) return;
  const p::SIZE image = glyph.ImageSize();
  const bool horizontal = layout_ == tk::blGlyphLeft || layout_ == tk::blGlyphRight;
  const bool hasCaption = !Caption().empty();
  const unsigned flags = CaptionFlags();
  p::SIZE extent{0, 0};
  std::string text;
  if (hasCaption) {
    // Beside the glyph the caption has what the glyph and the spacing leave.
    const int width =
        horizontal ? std::max(0, innerWidth - image.cx - std::max(0, spacing_)) : innerWidth;
    text = FitCaption(canvas, width, flags, extent);
  }
  tk::TGlyphPlacement at = tk::CalcButtonLayout(p::SIZE{innerWidth, innerHeight}, image, extent,
                                                layout_, margin_, spacing_);
  if (horizontal) {
    // A centred block may be pushed to the side that Alignment names.
    if (margin_ == -1 && spacing_ != -1 && alignment_ != tk::taCenter) {
      const int start = std::min(at.glyph.x, hasCaption ? at.caption.x : at.glyph.x);
      const int end = std::max(at.glyph.x + image.cx, hasCaption ? at.caption.x + extent.cx : 0);
      const int shift = alignment_ == tk::taLeftJustify ? -start : innerWidth - end;
      at.glyph.x += shift;
      at.caption.x += shift;
    }
  } else {
    // Across a vertical layout: centred as the caption alone is, or aligned.
    at.glyph.x = innerWidth / 2 - image.cx / 2;
    at.caption.x = alignment_ == tk::taLeftJustify    ? 0
                   : alignment_ == tk::taRightJustify ? innerWidth - extent.cx
                                                      : innerWidth / 2 - extent.cx / 2;
  }
  glyphOrigin_ = tk::POINT{inner.left + at.glyph.x + offset, inner.top + at.glyph.y + offset};
  p::SaveDC(canvas->Handle());
  p::IntersectClipRect(canvas->Handle(), inner.left, inner.top, inner.right, inner.bottom);
  glyph.Draw(canvas->Handle(), glyphOrigin_.x, glyphOrigin_.y, glyphState);
  p::RestoreDC(canvas->Handle(), -1);
  if (hasCaption)
    DrawCaptionText(canvas, text, inner, inner.left + at.caption.x + offset,
                    inner.top + at.caption.y + offset, extent, flags);
}

}  // namespace graphics
