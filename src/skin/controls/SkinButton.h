// TSkinButton: a push button painted from the skin's BUTTON section. It
// keeps its picture in the cache of its TSkinCommonData, shapes its window
// to the border piece, shows pressed, hot (focused, hovered, or the form's
// default button while no other skinned button has the focus) and normal
// looks, and fades between normal and hot when the section asks for it.
// Without a valid section it is the toolkit's plain button.
#pragma once

#include <memory>

#include "graphics/PixelBitmap.h"
#include "skin/link/SkinnedControl.h"
#include "skin/paint/FadeTimer.h"
#include "toolkit/Button.h"

namespace skin {

class TSkinButton : public TSkinnedControl<toolkit::TButton> {
 public:
  COMPONENT_CLASS_INFO()

  static constexpr int kControlKind = 93;

  explicit TSkinButton(component::TComponent* owner);
  ~TSkinButton() override;

  // --- published
  // Space between the caption and its focus dots.
  int FocusMargin() const { return focusMargin_; }
  void SetFocusMargin(int v);
  // Shown pressed for as long as it is set.
  bool Down() const { return down_; }
  void SetDown(bool v);

  // --- run time
  bool Skinned() const { return SectionSkinned(); }
  // Held by the mouse or the space bar.
  bool Pressed() const { return pressed_; }
  // 2 pressed or down, 1 hot, 0 normal.
  int CurrentState() const;
  // Whether a fade is under way (normal and hot pictures being mixed).
  bool Fading() const;
  // The fade timer, while the button has one.
  const TSkinFadeTimer* FadeTimer() const { return fadeTimer_.get(); }
  // Repaints the cache in the current state.
  void PaintCache();

 protected:
  void WndProc(toolkit::TMessage& message) override;
  void DefaultHandler(toolkit::TMessage& message) override;
  void KeyDown(std::uint16_t& key, toolkit::TShiftState shift) override;
  void KeyUp(std::uint16_t& key, toolkit::TShiftState shift) override;

 private:
  bool SkinMessage(toolkit::TMessage& m);
  void PaintMessage(toolkit::TMessage& m);
  void ButtonDown(toolkit::TMessage& m);
  void ButtonUp(toolkit::TMessage& m);
  void MouseOver(toolkit::TMessage& m, bool entered);
  void FocusChange(toolkit::TMessage& m, bool gained);
  void RepaintNow();
  void ApplyRegion(const platform::Region& region);
  void RemoveRegion();
  // `shownIsCached`: the cache still holds the picture on the screen.
  void StartFade(TSkinFadeDirection direction, bool shownIsCached);
  void StopFade();
  void FadeEnded();
  void ShowFadeStep(const Surface& picture);
  void RepaintDefaultButtons();
  void HideHints();
  void RestoreHints();
  bool FocusOnOtherSkinButton() const;

  int focusMargin_ = 1;
  bool down_ = false;
  bool pressed_ = false;
  bool mousePressed_ = false;  // pressed by the mouse (else by the space bar)
  bool hintsHidden_ = false;   // this press turned the application's hints off
  bool hintsShown_ = true;     // what they were before
  bool regionChanged_ = true;
  bool regionApplied_ = false;
  std::unique_ptr<TSkinFadeTimer> fadeTimer_;
  // A timer whose fade ended inside its own tick: freed once that tick has
  // returned, never from inside it.
  std::unique_ptr<TSkinFadeTimer> retiredTimer_;
  graphics::TPixelBitmap fadeFrame_;  // one step of a fade, on its way to the window
};

}  // namespace skin
