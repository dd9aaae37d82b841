// TPen: the lines of a canvas: colour, width, style and drawing mode.
#pragma once

#include "platform/gdi/Gdi.h"
#include "toolkit/GraphicsObject.h"
#include "toolkit/Types.h"

namespace toolkit {

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
const component::TEnumInfo& EnumInfo(TPenStyle);

enum TPenMode {
  pmBlack,
  pmWhite,
  pmNop,
  pmNot,
  pmCopy,
  pmNotCopy,
  pmMergePenNot,
  pmMaskPenNot,
  pmMergeNotPen,
  pmMaskNotPen,
  pmMerge,
  pmNotMerge,
  pmMask,
  pmNotMask,
  pmXor,
  pmNotXor
};
const component::TEnumInfo& EnumInfo(TPenMode);

class TPen : public TGraphicsObject {
 public:
  COMPONENT_CLASS_INFO()

  TPen() = default;
  ~TPen() override { Release(); }

  TColor Color() const { return color_; }
  void SetColor(TColor v);
  int Width() const { return width_; }
  void SetWidth(int v);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle v);
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode v);
  // The platform's raster operation for Mode.
  int Rop2() const;

  platform::HPEN Handle();
  void Assign(const component::TPersistent& source) override;

 private:
  void Release();
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
  TPenMode mode_ = pmCopy;
  platform::HPEN handle_;
};

}  // namespace toolkit
