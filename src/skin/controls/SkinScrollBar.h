// TSkinScrollBar: a vertical scroll bar window of its own, painted from the
// skin's scroll sections (track SCROLLBAR1V, arrow buttons SCROLLBTNTOP and
// SCROLLBTNBOTTOM, thumb SCROLLSLIDERV) or plainly when there is no skin.
// The position runs from Min to Max; PageSize only sizes the thumb. Arrow
// buttons step by SmallChange, clicks on the track by LargeChange, both
// repeating on a timer while held; the thumb can be dragged. Every change of
// position the user makes is reported through OnChange.
#pragma once

#include <algorithm>
#include <memory>

#include "graphics/PixelBitmap.h"
#include "skin/link/SkinCommonData.h"
#include "toolkit/GraphicControl.h"

namespace skin {

class TSkinScrollBar : public toolkit::TCustomControl {
 public:
  COMPONENT_CLASS_INFO()

  explicit TSkinScrollBar(component::TComponent* owner);
  ~TSkinScrollBar() override;

  // --- published
  TSkinCommonData* SkinData() const { return skinData_.get(); }
  int Min() const { return min_; }
  void SetMin(int v) { SetParams(position_, v, std::max(v, max_)); }
  int Max() const { return max_; }
  void SetMax(int v) { SetParams(position_, std::min(min_, v), v); }
  int Position() const { return position_; }
  void SetPosition(int v) { SetParams(v, min_, max_); }
  int PageSize() const { return pageSize_; }
  void SetPageSize(int v);
  int LargeChange() const { return largeChange_; }
  void SetLargeChange(int v) { largeChange_ = std::max(1, v); }
  int SmallChange() const { return smallChange_; }
  void SetSmallChange(int v) { smallChange_ = std::max(1, v); }

  // All three at once; the range is put in order (max below min is raised
  // to min) and the position kept inside it. Reports nothing.
  void SetParams(int position, int min, int max);

  // The user moved the position.
  toolkit::TNotifyEvent OnChange;

  void Loaded() override;

  // The parts along the bar, in client coordinates.
  enum TPart { spNone, spLineUp, spLineDown, spPageUp, spPageDown, spThumb };
  struct TLayout {
    RECT up{}, down{}, track{}, thumb{};
  };
  TLayout Layout() const;
  TPart PartAt(POINT p) const;

 protected:
  void WndProc(toolkit::TMessage& message) override;
  void PaintWindow(platform::HDC dc) override;
  void EraseBackground(platform::HDC) override {}

 private:
  void RepaintCache();
  void PaintSkinned(const TLayout& l);
  void PaintPlain(const TLayout& l);
  int PartState(TPart part) const;
  // Moves to `v` (clamped), repaints and reports when it changed.
  void MoveTo(int v);
  void ThumbMoved(const RECT& was);
  void Step();  // one step of the held part
  void MouseDownAt(POINT p);
  void MouseMoveTo(POINT p);
  void StopTracking();
  void SetHot(TPart part);

  std::unique_ptr<TSkinCommonData> skinData_;
  int min_ = 0, max_ = 100, position_ = 0, pageSize_ = 0;
  int largeChange_ = 1, smallChange_ = 1;
  TPart pressed_ = spNone;  // the part held with the mouse
  TPart hot_ = spNone;
  bool pressedInside_ = false;  // the pointer is still over the held part
  int grab_ = 0;                // pointer offset into the thumb while dragging
  POINT lastPoint_{};
  graphics::TPixelBitmap base_;  // the track and arrows without the thumb
  bool baseStale_ = true;
  int baseUp_ = -1, baseDown_ = -1;  // the arrows' states in base_
};

}  // namespace skin
