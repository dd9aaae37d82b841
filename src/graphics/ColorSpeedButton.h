// TColorSpeedButton: a speed button whose face, frame and shading all come
// from its own Color. It paints its whole area into an off-screen picture
// copied in one step, so the face never flickers; it can latch down in a
// group, repeat its click while held, drop down a menu and close a modal
// window with its ModalResult.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "component/Set.h"
#include "graphics/ColorButtonGlyph.h"
#include "toolkit/Canvas.h"
#include "toolkit/GraphicControl.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/Timer.h"

namespace graphics {

using toolkit::RECT;
using toolkit::TColor;

enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };
enum TTrackFontOption {
  hoFollowFont,
  hoPreserveCharSet,
  hoPreserveColor,
  hoPreserveHeight,
  hoPreserveName,
  hoPreservePitch,
  hoPreserveStyle
};
using TTrackFontOptions = component::TSet<TTrackFontOption>;
enum TDropDownMenuPos { dmpBottom, dmpRight };
const component::TEnumInfo& EnumInfo(TButtonStyle);
const component::TEnumInfo& EnumInfo(TTrackFontOption);
const component::TEnumInfo& EnumInfo(TDropDownMenuPos);

// Each of red, green and blue moved by 64 and kept within 0..255; system
// colours are resolved first.
TColor ButtonHighlightColor(TColor c);
TColor ButtonShadowColor(TColor c);

// One ring: the top row and left column (short of the far corners) in
// topLeft, the right column and bottom row in bottomRight; r then shrinks by 1.
void DrawRing(toolkit::TCanvas* canvas, RECT& r, TColor topLeft, TColor bottomRight);

// The button frame for a face of `color`; returns the rectangle inside it.
RECT PaintButtonFrame(toolkit::TCanvas* canvas, RECT r, bool down, TColor color, TButtonStyle style,
                      bool flat);

// Cuts the line down to width with a trailing "..." (at most length cuts).
std::string ShortenCaption(toolkit::TCanvas* canvas, std::string line, int width);

// Non-windowed controls with mouse tracking of their own; the intermediate
// levels of the button's class tree.
class TGraphicControlEx : public toolkit::TGraphicControl {
 public:
  COMPONENT_CLASS_INFO()
  explicit TGraphicControlEx(component::TComponent* owner) : TGraphicControl(owner) {}
};

class TExtGraphicControl : public TGraphicControlEx {
 public:
  COMPONENT_CLASS_INFO()
  explicit TExtGraphicControl(component::TComponent* owner) : TGraphicControlEx(owner) {}
};

class TColorSpeedButtonHotTrackOptions : public component::TPersistent {
 public:
  COMPONENT_CLASS_INFO()

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v) { enabled_ = v; }
  TColor Color() const { return color_; }
  void SetColor(TColor v) { color_ = v; }
  TColor FrameColor() const { return frameColor_; }
  void SetFrameColor(TColor v) { frameColor_ = v; }
  void Assign(const component::TPersistent& source) override;

 private:
  bool enabled_ = false;
  TColor color_ = 13811126;
  TColor frameColor_ = 6956042;
};

class TCustomColorSpeedButton : public TExtGraphicControl {
 public:
  COMPONENT_CLASS_INFO()

  explicit TCustomColorSpeedButton(component::TComponent* owner);
  ~TCustomColorSpeedButton() override;

  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool v);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int v);
  bool Down() const { return down_; }
  void SetDown(bool v);
  bool AllowTimer() const { return allowTimer_; }
  void SetAllowTimer(bool v);
  std::uint16_t InitPause() const { return initPause_; }
  void SetInitPause(std::uint16_t v) { initPause_ = v; }
  std::uint16_t RepeatInterval() const { return repeatInterval_; }
  void SetRepeatInterval(std::uint16_t v) { repeatInterval_ = v; }
  bool Flat() const { return flat_; }
  void SetFlat(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  TButtonStyle Style() const { return style_; }
  void SetStyle(TButtonStyle v);
  toolkit::TButtonLayout Layout() const { return layout_; }
  void SetLayout(toolkit::TButtonLayout v);
  toolkit::TAlignment Alignment() const { return alignment_; }
  void SetAlignment(toolkit::TAlignment v);
  int Margin() const { return margin_; }
  void SetMargin(int v);
  int Spacing() const { return spacing_; }
  void SetSpacing(int v);
  int NumGlyphs() const { return glyph_.NumGlyphs(); }
  void SetNumGlyphs(int v);  // kept within 1..5
  // The picture beside the caption, and the one shown instead while the
  // button is hot (when it has one).
  toolkit::TBitmap* Glyph() { return glyph_.Glyph(); }
  toolkit::TBitmap* HotTrackGlyph() { return hotTrackGlyph_.Glyph(); }
  TColorButtonGlyph* GlyphObject() { return &glyph_; }
  TColorButtonGlyph* HotTrackGlyphObject() { return &hotTrackGlyph_; }
  bool GrayedInactive() const { return grayedInactive_; }
  void SetGrayedInactive(bool v);
  bool GrayNewStyle() const { return grayNewStyle_; }
  void SetGrayNewStyle(bool v);
  bool DoubleBuffered() const { return doubleBuffered_; }
  void SetDoubleBuffered(bool v) { doubleBuffered_ = v; }
  bool HotTrack() const { return hotTrack_; }
  void SetHotTrack(bool v);
  toolkit::TFont* HotTrackFont() const { return hotTrackFont_.get(); }
  TTrackFontOptions HotTrackFontOptions() const { return hotTrackFontOptions_; }
  void SetHotTrackFontOptions(TTrackFontOptions v);
  TColorSpeedButtonHotTrackOptions* HotTrackOptions() const { return hotTrackOptions_.get(); }
  // The menu dropped down below (or right of) the button after a click.
  // Kept by reference; forgotten when the menu is freed.
  toolkit::TPopupMenu* DropDownMenu() const { return dropDownMenu_; }
  void SetDropDownMenu(toolkit::TPopupMenu* v);
  bool MarkDropDown() const { return markDropDown_; }
  void SetMarkDropDown(bool v);
  TDropDownMenuPos MenuPosition() const { return menuPosition_; }
  void SetMenuPosition(TDropDownMenuPos v) { menuPosition_ = v; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int v) { modalResult_ = v; }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  TColor HintColor() const { return hintColor_; }
  void SetHintColor(TColor v) { hintColor_ = v; }

  TColorButtonState State() const { return state_; }
  bool MouseInside() const { return mouseInside_; }
  // Being held down by the left button.
  bool Pressing() const { return pressing_; }
  // Where the content starts after the last paint (the caption's top-left).
  toolkit::POINT CaptionOrigin() const { return captionOrigin_; }
  // The glyph's top-left after the last paint that drew one.
  toolkit::POINT GlyphOrigin() const { return glyphOrigin_; }

  void Click() override;

 protected:
  void Paint() override;
  // Draws the picture of the button onto canvas (the button's own size).
  void PaintButton(toolkit::TCanvas* canvas);
  void MouseDown(toolkit::TMouseButton button, toolkit::TShiftState shift, int x, int y) override;
  void MouseMove(toolkit::TShiftState shift, int x, int y) override;
  void MouseUp(toolkit::TMouseButton button, toolkit::TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void Changed(platform::UINT cm) override;
  void WndProc(toolkit::TMessage& message) override;
  void Notification(component::TComponent* component, component::TOperation operation) override;
  // Pressing: the row just below the button still counts as inside.
  bool Inside(int x, int y) const { return x >= 0 && x < Width() && y >= 0 && y <= Height(); }

 private:
  void AdjustState();
  void UpdateExclusive();
  void FollowFont();
  void TimerTick();
  void StopTimer();
  void DrawCaption(toolkit::TCanvas* canvas, const RECT& inner, int offset);
  void DrawGlyphAndCaption(toolkit::TCanvas* canvas, TColorButtonGlyph& glyph, const RECT& inner,
                           int offset, TColorButtonState glyphState);
  // Each line cut to width; returns the text and its extent under flags.
  std::string FitCaption(toolkit::TCanvas* canvas, int width, unsigned flags,
                         platform::SIZE& extent);
  unsigned CaptionFlags() const;
  void DrawCaptionText(toolkit::TCanvas* canvas, const std::string& text, const RECT& inner, int x,
                       int y, platform::SIZE extent, unsigned flags);
  void DrawDropDownMark(toolkit::TCanvas* canvas, const RECT& inner, int offset);
  void DropDown();

  bool allowAllUp_ = false;
  int groupIndex_ = 0;
  bool down_ = false;
  bool allowTimer_ = false;
  std::uint16_t initPause_ = 500;
  std::uint16_t repeatInterval_ = 100;
  bool flat_ = false;
  bool transparent_ = false;
  TButtonStyle style_ = bsAutoDetect;
  toolkit::TButtonLayout layout_ = toolkit::blGlyphTop;
  toolkit::TAlignment alignment_ = toolkit::taCenter;
  int margin_ = -1;
  int spacing_ = 1;
  bool grayedInactive_ = true;
  bool grayNewStyle_ = true;
  bool doubleBuffered_ = true;
  bool hotTrack_ = false;
  std::unique_ptr<toolkit::TFont> hotTrackFont_;
  TTrackFontOptions hotTrackFontOptions_;
  std::unique_ptr<TColorSpeedButtonHotTrackOptions> hotTrackOptions_;
  toolkit::TPopupMenu* dropDownMenu_ = nullptr;
  bool markDropDown_ = true;
  TDropDownMenuPos menuPosition_ = dmpBottom;
  int modalResult_ = 0;
  bool wordWrap_ = false;
  TColor hintColor_ = toolkit::clInfoBk;
  TColor savedHintColor_ = toolkit::clInfoBk;  // the application's, while the mouse is inside
  TColorButtonGlyph glyph_, hotTrackGlyph_;
  std::unique_ptr<toolkit::TTimer> repeatTimer_;

  TColorButtonState state_ = cbsUp;
  bool mouseInside_ = false;
  bool pressing_ = false;
  // When the last left press was handled, for dropping a double click that
  // was already queued by then.
  platform::DWORD pressTime_ = 0;
  bool pressArmed_ = false;
  toolkit::POINT captionOrigin_{0, 0};
  toolkit::POINT glyphOrigin_{0, 0};
};

class TColorSpeedButton : public TCustomColorSpeedButton {
 public:
  COMPONENT_CLASS_INFO()
  explicit TColorSpeedButton(component::TComponent* owner) : TCustomColorSpeedButton(owner) {}
};

}  // namespace graphics
