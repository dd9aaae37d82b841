// The data-aware behaviour of an edit box, over any edit class (the plain
// one or the skinned one): it shows its field of the data source's current
// record, stays read-only until the dataset is editing, asks for edit state
// before a key changes the text, and writes the text back through the
// field's text conversion when it is left or the dataset commits.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dataaware/DataAwareControl.h"
#include "memtable/DataSet.h"
#include "memtable/Field.h"
#include "memtable/FieldDataLink.h"
#include "platform/controls/Controls.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Window.h"
#include "toolkit/Edit.h"
#include "toolkit/Messages.h"
#include "toolkit/Types.h"

namespace dataaware {

// A character typed into an editor of `link`'s field: one the field does not
// take is refused with a beep; text, Backspace, Ctrl+V and Ctrl+X ask for
// edit state; Escape puts the field's value back. Refused and Escape keys
// are used up (key := 0); true for Escape.
bool EditorKeyPress(memtable::TFieldDataLink& link, char& key);

template <class Base>
class TDataAwareEdit : public TDataAwareControl<Base> {
  using TDataAwareControl<Base>::link_;

 public:
  explicit TDataAwareEdit(component::TComponent* owner) : TDataAwareControl<Base>(owner) {
    link_.OnDataChange = [this] { DataChange(); };
    link_.OnEditingChange = [this] { Base::SetReadOnly(!link_.Editing()); };
    link_.OnUpdateData = [this] { UpdateData(); };
    link_.OnActiveChange = [this] { ResetMaxLength(); };
    Base::SetReadOnly(true);
    this->SetAutoSize(false);
  }
  // The link's read-only: the editor may not change data.
  bool ReadOnly() const { return link_.ReadOnly(); }
  void SetReadOnly(bool v) { link_.SetReadOnly(v); }
  // The edit box's own read-only state (true while the link is not editing).
  bool EditReadOnly() const { return Base::ReadOnly(); }
  // Marked focused on entering, unmarked on leaving within the window.
  bool EditorFocused() const { return focused_; }

 protected:
  void KeyDown(std::uint16_t& key, toolkit::TShiftState shift) override {
    Base::KeyDown(key, shift);
    if (key == platform::VK_DELETE ||
        (key == platform::VK_INSERT && shift.Contains(toolkit::ssShift)))
      link_.Edit();
  }

  void KeyPress(char& key) override {
    Base::KeyPress(key);
    if (EditorKeyPress(link_, key)) this->SelectAll();
  }

  void Change() override {
    link_.Modified();
    Base::Change();
  }

  void WndProc(toolkit::TMessage& m) override {
    namespace p = platform;
    switch (m.Msg) {
      case p::WM_PASTE:
      case p::WM_CUT:
      case p::WM_UNDO:
      case p::EM_UNDO:
        link_.Edit();
        break;
      case p::WM_SETFOCUS:
        SetFocused(true);
        break;
      case p::WM_KILLFOCUS:
        if (this->WriteOnLeaving(m, [this] { this->SelectAll(); })) SetFocused(false);
        break;
      default:
        break;
    }
    Base::WndProc(m);
  }

 private:
  void SetFocused(bool v) {
    if (focused_ == v) return;
    focused_ = v;
    // Showing the field again would throw away a text not yet written (a
    // default put in by program code, say); such a text stays.
    if (!link_.IsModified()) link_.Reset();
  }

  void DataChange() {
    memtable::TField* f = link_.Field();
    if (!f) {
      this->SetText("");
      return;
    }
    if (f->DataType() == memtable::ftString && this->MaxLength() == 0)
      this->SetMaxLength(f->Size());
    this->SetText(focused_ && link_.CanModify() ? f->Text() : f->DisplayText());
  }

  void UpdateData() { link_.Field()->SetText(this->Text()); }

  void ResetMaxLength() {
    memtable::TDataSet* ds = link_.DataSet();
    if (this->MaxLength() > 0 && ds && !ds->Active()) this->SetMaxLength(0);
  }

  bool focused_ = false;
};

}  // namespace dataaware
