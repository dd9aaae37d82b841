// TSpeedButton: a button painted by its parent, flat or with a push-button
// frame, that can latch down as a member of a group (GroupIndex). A flat
// button shows a raised edge while the mouse is over it and a sunken one
// while pressed; a transparent one lets its parent show through.
#pragma once

#include <memory>

#include "toolkit/GraphicControl.h"

namespace toolkit {

enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
const component::TEnumInfo& EnumInfo(TButtonLayout);

class TBitmap;
class TButtonGlyph;

class TSpeedButton : public TGraphicControl {
 public:
  COMPONENT_CLASS_INFO()

  explicit TSpeedButton(component::TComponent* owner);
  ~TSpeedButton() override;

  bool Down() const { return down_; }
  void SetDown(bool v);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int v) { groupIndex_ = v; }
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool v) { allowAllUp_ = v; }
  bool Flat() const { return flat_; }
  void SetFlat(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout v);
  int Margin() const { return margin_; }
  void SetMargin(int v);
  int Spacing() const { return spacing_; }
  void SetSpacing(int v);
  // The picture beside the caption, NumGlyphs images side by side.
  TBitmap* Glyph() const;
  int NumGlyphs() const;
  void SetNumGlyphs(int v);  // kept within 1..4
  TButtonState State() const { return state_; }
  // Being held down by the left button.
  bool Dragging() const { return dragging_; }

  void Click() override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void Changed(UINT cm) override;
  void WndProc(TMessage& message) override;
  // Inside for pressing: the row just below the button still counts.
  bool Inside(int x, int y) const { return x >= 0 && x < Width() && y >= 0 && y <= Height(); }

 private:
  void UpdateExclusive();
  void DrawCaption(TCanvas* c, const RECT& tr);

  bool down_ = false;
  int groupIndex_ = 0;
  bool allowAllUp_ = false;
  bool flat_ = false;
  bool transparent_ = true;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  std::unique_ptr<TButtonGlyph> glyph_;
  TButtonState state_ = bsUp;
  bool dragging_ = false;
};

}  // namespace toolkit
