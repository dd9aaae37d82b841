// TSkinGroupBox: a group box painted from the skin's GROUPBOX section: the
// section's background (with the stored skin, the window behind shows
// through), the border piece drawn around it below the caption's middle,
// and the caption on the border. Its cache is the background the controls
// inside it blend over.
#pragma once

#include <memory>

#include "skin/link/SkinnedControl.h"
#include "toolkit/GroupBox.h"

namespace skin {

enum TSkinCaptionLayout { clTopLeft, clTopCenter, clTopRight };
const component::TEnumInfo& EnumInfo(TSkinCaptionLayout);

class TSkinGroupBox : public TSkinnedControl<toolkit::TGroupBox> {
 public:
  COMPONENT_CLASS_INFO()

  static constexpr int kControlKind = 74;

  explicit TSkinGroupBox(component::TComponent* owner);
  ~TSkinGroupBox() override;

  // --- published
  TSkinCaptionLayout CaptionLayout() const { return captionLayout_; }
  void SetCaptionLayout(TSkinCaptionLayout v);
  // Moves the caption (and so the border's top) down by this much.
  int CaptionYOffset() const { return captionYOffset_; }
  void SetCaptionYOffset(int v);

  // --- run time
  bool Skinned() const { return SectionSkinned(); }
  // Where the caption goes, in the cache's font; empty width without text.
  RECT CaptionRect();
  void PaintCache();

 protected:
  void WndProc(toolkit::TMessage& message) override;

 private:
  bool SkinMessage(toolkit::TMessage& m);
  void PaintMessage(toolkit::TMessage& m);
  void TellChildren(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam);
  void Restale();

  TSkinCaptionLayout captionLayout_ = clTopLeft;
  int captionYOffset_ = 0;
};

}  // namespace skin
