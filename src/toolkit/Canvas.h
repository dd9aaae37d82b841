// TCanvas: drawing with a font, a brush and a pen on a device context that
// its owner hands it (a window's paint context, a memory context). The
// canvas selects its objects into the context before each operation, so the
// caller may change them freely between calls.
#pragma once

#include <memory>
#include <string_view>

#include "component/Persistent.h"
#include "platform/gdi/Gdi.h"
#include "toolkit/Brush.h"
#include "toolkit/Font.h"
#include "toolkit/Pen.h"

namespace toolkit {

using platform::POINT;
using platform::RECT;

class TCanvas : public component::TPersistent {
 public:
  COMPONENT_CLASS_INFO()

  TCanvas();
  ~TCanvas() override;

  platform::HDC Handle() const { return dc_; }
  // The context to draw on; null detaches (the previous objects are put back).
  void SetHandle(platform::HDC dc);
  bool HandleAllocated() const { return static_cast<bool>(dc_); }

  TFont* Font() { return font_.get(); }
  TBrush* Brush() { return brush_.get(); }
  TPen* Pen() { return pen_.get(); }

  void FillRect(const RECT& r);
  void FrameRect(const RECT& r);
  // Alternate pixels of a and b, a where x + y is even: the face of a
  // latched-down button.
  void FillChecker(const RECT& r, TColor a, TColor b);
  void Rectangle(int left, int top, int right, int bottom);
  void Rectangle(const RECT& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Polyline(const POINT* points, int count);
  void Polygon(const POINT* points, int count);
  void Ellipse(int left, int top, int right, int bottom);
  void DrawFocusRect(const RECT& r);
  // Text in the font's colour; the background is filled with the brush
  // unless the brush is clear.
  void TextOut(int x, int y, std::string_view text);
  void TextRect(const RECT& r, int x, int y, std::string_view text);
  // Formatted text (DT_ flags); returns the height drawn.
  int DrawText(std::string_view text, RECT& r, unsigned format);
  platform::SIZE TextExtent(std::string_view text);
  int TextWidth(std::string_view text) { return TextExtent(text).cx; }
  int TextHeight(std::string_view text) { return TextExtent(text).cy; }
  TColor Pixel(int x, int y);
  void SetPixel(int x, int y, TColor c);
  // Copies a rectangle of another context.
  void CopyRect(const RECT& dest, platform::HDC source, const RECT& src);

 private:
  void Prepare(bool font, bool pen, bool brush);
  void Restore();

  platform::HDC dc_;
  std::unique_ptr<TFont> font_;
  std::unique_ptr<TBrush> brush_;
  std::unique_ptr<TPen> pen_;
  platform::HGDIOBJ oldFont_, oldPen_, oldBrush_;
  bool saved_ = false;
};

}  // namespace toolkit
