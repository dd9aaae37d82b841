#include "toolkit/Canvas.h"

#include "component/ClassBuilder.h"

namespace toolkit {

using namespace component;
namespace p = platform;

const TClassInfo& TCanvas::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TCanvas, TPersistent>("TCanvas").Build();
  return info;
}

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()),
      brush_(std::make_unique<TBrush>()),
      pen_(std::make_unique<TPen>()) {}

TCanvas::~TCanvas() {
  SetHandle({});
}

void TCanvas::SetHandle(p::HDC dc) {
  if (dc == dc_) return;
  Restore();
  dc_ = dc;
}

void TCanvas::Restore() {
  if (dc_ && saved_) {
    // Put the context's own objects back before ours may be deleted.
    p::SelectObject(dc_, oldFont_);
    p::SelectObject(dc_, oldPen_);
    p::SelectObject(dc_, oldBrush_);
  }
  saved_ = false;
}

void TCanvas::Prepare(bool font, bool pen, bool brush) {
  if (!dc_) return;
  if (!saved_) {
    oldFont_ = p::GetCurrentObject(dc_, p::OBJ_FONT);
    oldPen_ = p::GetCurrentObject(dc_, p::OBJ_PEN);
    oldBrush_ = p::GetCurrentObject(dc_, p::OBJ_BRUSH);
    saved_ = true;
  }
  if (font) {
    p::SelectObject(dc_, font_->Handle());
    p::SetTextColor(dc_, ColorToRGB(font_->Color()));
  }
  if (pen) {
    p::SelectObject(dc_, pen_->Handle());
    p::SetROP2(dc_, pen_->Rop2());
  }
  if (brush) {
    p::SelectObject(dc_, brush_->Handle());
    if (brush_->Style() == bsClear) {
      p::SetBkMode(dc_, p::TRANSPARENT);
    } else {
      p::SetBkMode(dc_, p::OPAQUE);
      p::SetBkColor(dc_, ColorToRGB(brush_->Color()));
    }
  }
}

void TCanvas::FillRect(const RECT& r) {
  Prepare(false, false, true);
  if (dc_ && brush_->Style() != bsClear) p::FillRect(dc_, &r, brush_->Handle());
}

void TCanvas::FrameRect(const RECT& r) {
  Prepare(false, false, true);
  if (dc_) p::FrameRect(dc_, &r, brush_->Handle());
}

void TCanvas::FillChecker(const RECT& r, TColor a, TColor b) {
  if (!dc_) return;
  const p::COLORREF ca = ColorToRGB(a), cb = ColorToRGB(b);
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) p::SetPixel(dc_, x, y, ((x + y) & 1) ? cb : ca);
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  Prepare(false, true, true);
  if (dc_) p::Rectangle(dc_, left, top, right, bottom);
}

void TCanvas::MoveTo(int x, int y) {
  if (dc_) p::MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  Prepare(false, true, true);
  if (dc_) p::LineTo(dc_, x, y);
}

void TCanvas::Polyline(const POINT* points, int count) {
  Prepare(false, true, true);
  if (dc_) p::Polyline(dc_, points, count);
}

void TCanvas::Polygon(const POINT* points, int count) {
  Prepare(false, true, true);
  if (dc_) p::Polygon(dc_, points, count);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
  Prepare(false, true, true);
  if (dc_) p::Ellipse(dc_, left, top, right, bottom);
}

void TCanvas::DrawFocusRect(const RECT& r) {
  Prepare(true, false, true);
  if (dc_) p::DrawFocusRect(dc_, &r);
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
  Prepare(true, false, true);
  if (dc_) p::TextOut(dc_, x, y, text);
}

void TCanvas::TextRect(const RECT& r, int x, int y, std::string_view text) {
  Prepare(true, false, true);
  if (!dc_) return;
  p::UINT options = p::ETO_CLIPPED;
  if (brush_->Style() != bsClear) options |= p::ETO_OPAQUE;
  p::ExtTextOut(dc_, x, y, options, &r, text, nullptr);
}

int TCanvas::DrawText(std::string_view text, RECT& r, unsigned format) {
  Prepare(true, false, true);
  return dc_ ? p::DrawText(dc_, text, &r, format) : 0;
}

p::SIZE TCanvas::TextExtent(std::string_view text) {
  Prepare(true, false, false);
  p::SIZE s;
  if (dc_) p::GetTextExtentPoint32(dc_, text, &s);
  return s;
}

TColor TCanvas::Pixel(int x, int y) {
  return dc_ ? TColor(p::GetPixel(dc_, x, y)) : TColor(-1);
}

void TCanvas::SetPixel(int x, int y, TColor c) {
  if (dc_) p::SetPixel(dc_, x, y, ColorToRGB(c));
}

void TCanvas::CopyRect(const RECT& dest, p::HDC source, const RECT& src) {
  if (!dc_) return;
  if (dest.Width() == src.Width() && dest.Height() == src.Height())
    p::BitBlt(dc_, dest.left, dest.top, dest.Width(), dest.Height(), source, src.left, src.top,
              p::SRCCOPY);
  else
    p::StretchBlt(dc_, dest.left, dest.top, dest.Width(), dest.Height(), source, src.left, src.top,
                  src.Width(), src.Height(), p::SRCCOPY);
}

}  // namespace toolkit
