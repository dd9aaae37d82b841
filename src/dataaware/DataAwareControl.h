// TDataAwareControl: what every data-aware editor shares, over any control
// class: its link to a field of a data source, the stored DataSource and
// DataField, and writing the field back when the focus leaves for another
// control of the same window.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "component/ClassBuilder.h"
#include "memtable/DataSource.h"
#include "memtable/Field.h"
#include "memtable/FieldDataLink.h"
#include "platform/window/Window.h"
#include "toolkit/Messages.h"

namespace dataaware {

// True when `next` (the window taking the focus) lies in the same top-level
// window as `self`: only such a move counts as leaving an editor.
bool FocusStaysInWindow(platform::HWND self, platform::HWND next);

template <class Base>
class TDataAwareControl : public Base {
 public:
  explicit TDataAwareControl(component::TComponent* owner) : Base(owner) {
    link_.SetControl(this);
    link_.OnFocus = [this] {
      if (this->CanFocus()) this->SetFocus();
    };
  }
  ~TDataAwareControl() override {
    // The link outlives the editor's own part of the object: it must call
    // back no more.
    link_.OnDataChange = link_.OnEditingChange = link_.OnUpdateData = link_.OnActiveChange =
        link_.OnFocus = nullptr;
    link_.SetDataSource(nullptr);
  }

  memtable::TDataSource* DataSource() const { return link_.DataSource(); }
  void SetDataSource(memtable::TDataSource* v) { link_.SetDataSource(v); }
  std::string DataField() const { return link_.FieldName(); }
  void SetDataField(std::string_view v) { link_.SetFieldName(std::string(v)); }
  memtable::TField* Field() const { return link_.Field(); }
  memtable::TFieldDataLink* DataLink() { return &link_; }

 protected:
  // On WM_KILLFOCUS: when the focus stays in the window, the record takes
  // the editor's value. A value the field refuses keeps the focus here
  // (after `refused` has run) and the error goes on. True when written.
  template <class Refused>
  bool WriteOnLeaving(const toolkit::TMessage& m, Refused refused) {
    namespace p = platform;
    if (!this->HandleAllocated() ||
        !FocusStaysInWindow(this->Handle(), p::HWND{std::uint32_t(m.WParam)}))
      return false;
    try {
      link_.UpdateRecord();
    } catch (...) {
      refused();
      p::SetFocus(this->Handle());
      throw;
    }
    return true;
  }

  memtable::TFieldDataLink link_;
};

// The class description of a data-aware editor: its parent's, with the
// stored DataField, DataSource and ReadOnly.
template <class T, class Parent>
component::TClassInfo DataAwareClassInfo(const char* name) {
  return component::TClassBuilder<T, Parent>(name)
      .Property("DataField", &T::DataField, &T::SetDataField)
      .Property("DataSource", &T::DataSource, &T::SetDataSource)
      .Property("ReadOnly", &T::ReadOnly, &T::SetReadOnly)
      .Build();
}

}  // namespace dataaware
