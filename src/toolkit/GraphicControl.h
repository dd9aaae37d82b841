// Controls without a window of their own, which their parent paints
// (TGraphicControl), and windowed controls that paint themselves (TCustomControl);
// both draw in Paint() on their Canvas.
#pragma once

#include "toolkit/Canvas.h"
#include "toolkit/Control.h"
#include "toolkit/WinControl.h"

namespace toolkit {

class TGraphicControl : public TControl {
 public:
  COMPONENT_CLASS_INFO()

  explicit TGraphicControl(component::TComponent* owner);

  TCanvas* Canvas() { return &canvas_; }

 protected:
  // Draws the control; the canvas's origin is the control's top-left corner.
  virtual void Paint() {}
  void WndProc(TMessage& message) override;

 private:
  TCanvas canvas_;
};

class TCustomControl : public TWinControl {
 public:
  COMPONENT_CLASS_INFO()

  explicit TCustomControl(component::TComponent* owner);

  TCanvas* Canvas() { return &canvas_; }

 protected:
  virtual void Paint() {}
  void PaintWindow(platform::HDC dc) override;

 private:
  TCanvas canvas_;
};

}  // namespace toolkit
