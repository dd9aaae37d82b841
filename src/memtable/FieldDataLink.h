// The field data link: binds one editor to one field of a data source's
// dataset. It finds the field by name, follows the dataset's notifications,
// remembers whether the editor's text was changed since the field was last
// shown, and asks the editor to write that text back before every commit.
#pragma once

#include <functional>
#include <string>

#include "memtable/DataLink.h"

namespace component {
class TComponent;
}

namespace memtable {

class TField;

class TFieldDataLink : public TDataLink {
 public:
  TFieldDataLink() = default;

  // The owning editor; its name prefixes a "field not found" error.
  component::TComponent* Control() const { return control_; }
  void SetControl(component::TComponent* control) { control_ = control; }

  const std::string& FieldName() const { return fieldName_; }
  // Looks the field up again at once when the link is active.
  void SetFieldName(const std::string& name);
  // The bound field, or null (inactive link, or no name).
  TField* Field() const { return field_; }

  // The editor's text was changed since the field was last shown.
  bool IsModified() const { return modified_; }
  void Modified() { modified_ = true; }
  // Shows the field again and forgets a typed change.
  void Reset() { RecordChanged(nullptr); }

  // The link's own editing: the base's Editing and the field can be modified.
  bool Editing() const { return editing_; }
  // A data field, not read-only itself, of a dataset that can be modified,
  // and a link that is not read-only.
  bool CanModify() const;
  // Asks for edit state when the field can be modified; true when editing.
  bool Edit();

  // Served by the editor.
  std::function<void()> OnDataChange;
  std::function<void()> OnEditingChange;
  std::function<void()> OnUpdateData;
  std::function<void()> OnActiveChange;
  // Moves the focus to the editor, when it can take it.
  std::function<void()> OnFocus;

 protected:
  void ActiveChanged() override;
  void EditingChanged() override;
  void LayoutChanged() override;
  void RecordChanged(TField* field) override;
  void UpdateData() override;
  void FocusControl(TField** field) override;
  bool VisualControl() const override { return true; }

 private:
  void UpdateField();
  void SetEditing(bool value);

  component::TComponent* control_ = nullptr;
  std::string fieldName_;
  TField* field_ = nullptr;
  bool modified_ = false;
  bool editing_ = false;
};

// Whether a field takes a typed character: text fields take every one,
// whole-number fields a sign and the digits, fractional ones also the
// decimal point and an exponent.
bool IsValidChar(const TField& field, char ch);

}  // namespace memtable
