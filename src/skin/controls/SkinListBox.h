// TSkinBaseListBox / TSkinListBox: the list box painted from the skin. It is
// always owner-drawn; its rows are drawn over its cached picture (the
// section's background and border), a 3-pixel frame around them is copied
// from the same picture, and its vertical range is shown by a separate
// TSkinScrollBar laid over its right edge on the same parent. Without a
// usable section it paints as the plain list box.
#pragma once

#include <memory>

#include "graphics/PixelBitmap.h"
#include "skin/controls/SkinBoundLabel.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/link/SkinCommonData.h"
#include "skin/paint/DisabledLook.h"
#include "toolkit/ListBox.h"

namespace skin {

class TSkinBaseListBox : public toolkit::TCustomListBox {
 public:
  COMPONENT_CLASS_INFO()

  // The frame around the rows, on every side.
  static constexpr int kFrame = 3;

  explicit TSkinBaseListBox(component::TComponent* owner);
  ~TSkinBaseListBox() override;

  // --- published
  TSkinCommonData* SkinData() const { return skinData_.get(); }
  TSkinDisabledKind DisabledKind() const { return disabledKind_; }
  void SetDisabledKind(TSkinDisabledKind v);
  TSkinBoundLabel* BoundLabel() const { return boundLabel_.get(); }

  // The bar, once it was first needed; null before.
  TSkinScrollBar* ScrollBar() const { return bar_; }
  // The first visible row.
  int TopIndex();

  // The user scrolled the list with its bar.
  toolkit::TNotifyEvent OnVScroll;

  void Loaded() override;
  void SetParent(toolkit::TWinControl* parent) override;

 protected:
  void CreateParams(toolkit::TCreateParams& params) override;
  void CreateWindowHandle(const toolkit::TCreateParams& params) override;
  void WndProc(toolkit::TMessage& message) override;
  void DrawItem(int index, RECT rect, toolkit::TOwnerDrawState state) override;
  void BoundsChanged() override;
  void Notification(component::TComponent* component, component::TOperation operation) override;

 private:
  bool SkinnedNow() const;
  void UpdateCache();
  // The cache as the frame shows it: with the disabled look when disabled.
  const graphics::TPixelBitmap& ShownCache() const;
  std::int32_t ParentRGB() const;
  void NcCalcSize(toolkit::TMessage& m);
  void NcPaint(platform::HRGN area);
  void PaintBelowItems();
  void FrameChanged();
  // A fresh cache, the frame and every row.
  void RepaintAll();
  // Reads the list window's scroll state and shows, hides or moves the bar.
  void UpdateScrollBar();
  void BarMoved();
  void AfterMessage();
  void SkinMessage(toolkit::TMessage& m);

  std::unique_ptr<TSkinCommonData> skinData_;
  std::unique_ptr<TSkinBoundLabel> boundLabel_;
  TSkinDisabledKind disabledKind_{dkBlended};
  TSkinScrollBar* bar_ = nullptr;    // owned as a component, parented beside the list
  graphics::TPixelBitmap item_;      // one row while it is drawn
  graphics::TPixelBitmap disabled_;  // the cache with the disabled look
  bool updatingBar_ = false;
  bool barScrolling_ = false;  // the bar itself moves the list
  bool rowsMovable_ = true;    // rows look the same at any height
  int lastTop_ = 0;
};

class TSkinListBox : public TSkinBaseListBox {
 public:
  COMPONENT_CLASS_INFO()
  explicit TSkinListBox(component::TComponent* owner) : TSkinBaseListBox(owner) {}
};

}  // namespace skin
