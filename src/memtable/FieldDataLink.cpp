#include "memtable/FieldDataLink.h"

#include "component/Component.h"
#include "memtable/DataSet.h"
#include "memtable/Field.h"

namespace memtable {

void TFieldDataLink::SetFieldName(const std::string& name) {
  if (fieldName_ == name) return;
  fieldName_ = name;
  UpdateField();
}

bool TFieldDataLink::CanModify() const {
  if (ReadOnly() || !field_ || field_->FieldKind() != fkData || field_->ReadOnly()) return false;
  TDataSet* ds = field_->DataSet();
  return ds && ds->CanModify();
}

bool TFieldDataLink::Edit() {
  if (CanModify()) TDataLink::Edit();
  return editing_;
}

void TFieldDataLink::UpdateField() {
  field_ = nullptr;
  if (Active() && !fieldName_.empty()) {
    TDataSet* ds = DataSet();
    TField* found = ds ? ds->FindField(fieldName_) : nullptr;
    if (!found) {
      std::string text = Format(SFieldNotFound, fieldName_.c_str());
      DatabaseError(text, control_ ? control_->Name() : std::string());
    }
    field_ = found;
  }
  EditingChanged();
  RecordChanged(nullptr);
}

void TFieldDataLink::SetEditing(bool value) {
  if (editing_ == value) return;
  editing_ = value;
  modified_ = false;
  if (OnEditingChange) OnEditingChange();
}

void TFieldDataLink::ActiveChanged() {
  UpdateField();
  if (OnActiveChange) OnActiveChange();
}

void TFieldDataLink::EditingChanged() {
  SetEditing(TDataLink::Editing() && CanModify());
}

void TFieldDataLink::LayoutChanged() {
  UpdateField();
}

void TFieldDataLink::RecordChanged(TField* field) {
  if (field && field != field_) return;
  if (OnDataChange) OnDataChange();
  modified_ = false;
}

void TFieldDataLink::UpdateData() {
  if (!modified_) return;
  // A failing write leaves the change marked, to be written next time.
  if (field_ && OnUpdateData) OnUpdateData();
  modified_ = false;
}

void TFieldDataLink::FocusControl(TField** field) {
  if (!field || !*field || *field != field_) return;
  if (!OnFocus) return;
  *field = nullptr;
  OnFocus();
}

bool IsValidChar(const TField& field, char ch) {
  const auto c = static_cast<unsigned char>(ch);
  const bool digitOrSign = (c >= '0' && c <= '9') || c == '+' || c == '-';
  switch (field.DataType()) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
    case ftLargeint:
      return digitOrSign;
    case ftFloat:
    case ftCurrency:
      return digitOrSign || c == '.' || c == ',' || c == 'e' || c == 'E';
    default:
      return true;
  }
}

}  // namespace memtable
