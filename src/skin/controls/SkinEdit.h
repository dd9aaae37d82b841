// TSkinEdit: the single-line edit painted from the skin. Its frame and, while
// it is not being edited, its text come from a cached picture of its
// section; while it is focused the platform edit draws the text area with
// its caret inside the skinned 2-pixel frame. Without a section it is the
// plain edit.
#pragma once

#include <memory>
#include <string>

#include "skin/controls/SkinBoxControl.h"
#include "toolkit/Edit.h"

namespace skin {

class TSkinEdit : public TSkinBoxControl<toolkit::TEdit> {
 public:
  COMPONENT_CLASS_INFO()

  explicit TSkinEdit(component::TComponent* owner);
  ~TSkinEdit() override;

  // The state the cache is painted in: 1 while active, else 0.
  int PaintState() const;
  // Paints the cache now (the text as it is shown when not focused).
  void PaintCache() override;

 protected:
  void WndProc(toolkit::TMessage& message) override;
  bool HandleSkinMessage(toolkit::TMessage& m) override;
  // Invalidates the client area and the frame.
  void Redraw() override;

 private:
  // Whether hovering makes the control active: the section says so.
  bool HoverAllowed() const;
  // The text as the cache shows it: password characters in its place.
  std::string ShownText() const;
  void PaintWindow(toolkit::TMessage& m);
  void PaintFrame();
  // A new window for the unskinned look, keeping focus and selection.
  void RecreateKeepingState();
};

}  // namespace skin
