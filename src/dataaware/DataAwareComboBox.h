// The data-aware behaviour of a drop-down list, over any combo box class:
// it selects the entry that equals its field's text (ignoring letter case),
// asks for edit state before a key or the opened list can change the
// selection, marks every change of the selection and writes the selected
// entry's text back when it is left or the dataset commits.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dataaware/DataAwareControl.h"
#include "dataaware/DataAwareEdit.h"
#include "memtable/Field.h"
#include "memtable/FieldDataLink.h"
#include "platform/controls/Controls.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Window.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Messages.h"
#include "toolkit/Strings.h"

namespace dataaware {

// The first entry equal to `text` ignoring letter case (a to z against A to
// Z); -1 when none or the text is empty.
int IndexOfIgnoringCase(toolkit::TStrings& items, std::string_view text);

template <class Base>
class TDataAwareComboBox : public TDataAwareControl<Base> {
  using TDataAwareControl<Base>::link_;

 public:
  explicit TDataAwareComboBox(component::TComponent* owner) : TDataAwareControl<Base>(owner) {
    link_.OnDataChange = [this] { DataChange(); };
    link_.OnUpdateData = [this] { link_.Field()->SetText(ComboText()); };
    this->SetStyle(toolkit::csDropDownList);
  }

  bool ReadOnly() const { return link_.ReadOnly(); }
  // A read-only editor also refuses the operator's input.
  void SetReadOnly(bool v) {
    link_.SetReadOnly(v);
    Base::SetReadOnly(v);
  }

  // The selected entry's text, empty when nothing is selected.
  std::string ComboText() {
    const int i = this->ItemIndex();
    return i < 0 || i >= this->Items()->Count() ? std::string() : this->Items()->Strings(i);
  }

 protected:
  void KeyDown(std::uint16_t& key, toolkit::TShiftState shift) override {
    Base::KeyDown(key, shift);
    if (key == platform::VK_BACK || (key >= 32 && key <= 255)) {
      // Without edit state the arrows may not move the selection.
      if (!link_.Edit() && (key == platform::VK_UP || key == platform::VK_DOWN)) key = 0;
    }
  }

  void KeyPress(char& key) override {
    Base::KeyPress(key);
    EditorKeyPress(link_, key);
  }

  void Change() override {
    link_.Edit();
    Base::Change();
    link_.Modified();
  }

  void WndProc(toolkit::TMessage& m) override {
    namespace p = platform;
    switch (m.Msg) {
      case toolkit::CN_COMMAND:
        if (p::HIWORD(m.WParam) == p::CBN_DROPDOWN) {
          link_.Edit();
        } else if (p::HIWORD(m.WParam) == p::CBN_SELCHANGE && !link_.Edit()) {
          // A field that cannot be modified keeps what it holds.
          DataChange();
          return;
        }
        break;
      case p::WM_KILLFOCUS:
        this->WriteOnLeaving(m, [] {});
        break;
      default:
        break;
    }
    Base::WndProc(m);
  }

 private:
  void DataChange() {
    if (this->DroppedDown()) return;
    memtable::TField* f = link_.Field();
    const std::string text = f ? f->Text() : std::string();
    if (text == ComboText()) return;
    this->SetItemIndex(IndexOfIgnoringCase(*this->Items(), text));
  }
};

}  // namespace dataaware
