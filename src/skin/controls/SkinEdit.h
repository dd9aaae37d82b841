// TSkinEdit: the single-line edit painted from the skin. Its frame and, while
// it is not being edited, its text come from a cached picture of its
// section; while it is focused the platform edit draws the text area with
// its caret inside the skinned 2-pixel frame. Without a section it is the
// plain edit.
#pragma once

#include <memory>
#include <string>

#include "skin/controls/SkinBoundLabel.h"
#include "skin/link/SkinCommonData.h"
#include "skin/paint/DisabledLook.h"
#include "toolkit/Edit.h"

namespace skin {

class TSkinEdit : public toolkit::TEdit {
 public:
  COMPONENT_CLASS_INFO()

  explicit TSkinEdit(component::TComponent* owner);
  ~TSkinEdit() override;

  TSkinCommonData* SkinData() const { return skinData_.get(); }
  TSkinDisabledKind DisabledKind() const { return disabledKind_; }
  void SetDisabledKind(TSkinDisabledKind v);

  TSkinBoundLabel* BoundLabel() const { return boundLabel_.get(); }

  void Loaded() override;
  void SetParent(toolkit::TWinControl* parent) override;

  // The state the cache is painted in: 1 while active, else 0.
  int PaintState() const;
  // Paints the cache now (the text as it is shown when not focused).
  void PaintCache();

 protected:
  void WndProc(toolkit::TMessage& message) override;
  void BoundsChanged() override;

 private:
  bool HandleSkinMessage(toolkit::TMessage& m);
  // Whether hovering makes the control active: the section says so.
  bool HoverAllowed() const;
  // The text as the cache shows it: password characters in its place.
  std::string ShownText() const;
  void PaintWindow(toolkit::TMessage& m);
  void PaintFrame();
  // Invalidates the client area and the frame.
  void Redraw();
  // A new window for the unskinned look, keeping focus and selection.
  void RecreateKeepingState();

  std::unique_ptr<TSkinCommonData> skinData_;
  std::unique_ptr<TSkinBoundLabel> boundLabel_;
  TSkinDisabledKind disabledKind_{dkBlended};
};

}  // namespace skin
