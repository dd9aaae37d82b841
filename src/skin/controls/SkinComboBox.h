// TSkinComboBox: the drop-down combo box painted from the skin: its section's
// background and border, the selected entry's text and the drop-down arrow
// from the section's GLYPHMASK piece, all from a cached picture. A focused
// drop-down list keeps the platform's highlighted field inside the skinned
// frame. Without a section it is the plain combo box.
#pragma once

#include <memory>

#include "skin/controls/SkinBoxControl.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Types.h"

namespace skin {

class TSkinComboBox : public TSkinBoxControl<toolkit::TComboBox> {
 public:
  COMPONENT_CLASS_INFO()

  explicit TSkinComboBox(component::TComponent* owner);
  ~TSkinComboBox() override;

  toolkit::TAlignment Alignment() const { return alignment_; }
  void SetAlignment(toolkit::TAlignment v);
  // A read-only box shows its entry but the user cannot change it.
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);

  // The drop-down arrow's place in the control: the size of one frame of
  // the section's GLYPHMASK (16 x 16 without one), 2 pixels inside the right
  // edge, centred vertically.
  RECT ButtonRect() const;
  // The arrow frame the cache shows: 2 while the list is open, else 1 while
  // active, else 0.
  int GlyphState() const;
  bool ListDropped() const { return dropped_; }
  void PaintCache() override;

 protected:
  void WndProc(toolkit::TMessage& message) override;
  bool HandleSkinMessage(toolkit::TMessage& m) override;
  void Redraw() override;
  void KeyDown(std::uint16_t& key, toolkit::TShiftState shift) override;
  void KeyPress(char& key) override;

 private:
  int GlyphIndex() const;
  // Messages a read-only box does not let through; true when swallowed.
  bool SwallowedWhileReadOnly(toolkit::TMessage& m);
  void PaintWindow(toolkit::TMessage& m);

  toolkit::TAlignment alignment_ = toolkit::taLeftJustify;
  bool readOnly_ = false;
  bool dropped_ = false;
};

}  // namespace skin
