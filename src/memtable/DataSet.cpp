#include "memtable/DataSet.h"

#include <strings.h>

#include <algorithm>
#include <cstring>

#include "component/ScopeGuards.h"
#include "memtable/DataSource.h"
#include "memtable/StoredDefs.h"
#include "platform/base/LocaleServices.h"

namespace memtable {

using component::TScopeFail;

TDataSet::TDataSet(component::TComponent* owner) : component::TComponent(owner) {}

TDataSet::~TDataSet() {
  // Concrete datasets close themselves in their destructors; the sources left
  // are told the dataset is gone without calling back into it.
  for (TDataSource* src : std::vector<TDataSource*>(dataSources_)) src->DataSetDestroyed();
}

void TDataSet::EndLoad() {
  if (!loading_) return;
  loading_ = false;
  if (streamedActive_ && ActivateOnLoad()) SetActive(true);
}

void TDataSet::Loaded() {
  component::TComponent::Loaded();
  loading_ = true;
  EndLoad();
}

TStoredFieldDefs* TDataSet::StoredFieldDefs() {
  if (!storedFieldDefs_) storedFieldDefs_ = std::make_unique<TStoredFieldDefs>(this);
  return storedFieldDefs_.get();
}

void TDataSet::CheckActive() const {
  if (state_ == dsInactive) Error(SDataSetClosed);
}

void TDataSet::CheckInactive() const {
  if (Active()) Error("Cannot perform this operation on an open dataset");
}

// --- notifications ----------------------------------------------------------

void TDataSet::DispatchDataEvent(TDataEvent event, std::intptr_t info) {
  TField* changed = nullptr;
  if (event == deFieldChange) {
    changed = reinterpret_cast<TField*>(info);
    if (changed && (changed->FieldKind() == fkData || changed->FieldKind() == fkInternalCalc))
      modified_ = true;
    // The links then show the calculated fields as they now are.
    if (changed && hasCalcFields_) AutoCalc(changed);
  }
  if (!dataSources_.empty() && !NotificationsBlocked()) {
    bool send = true;
    if (disableCount_ != 0) {
      if (event == deUpdateState) {
        event = deDisabledStateChange;
        info = Active() ? 1 : 0;
      } else {
        if (event == deLayoutChange) enableEvent_ = deLayoutChange;
        send = false;
      }
    } else if (state_ == dsBlockRead) {
      send = false;
    }
    if (send)
      for (TDataSource* src : std::vector<TDataSource*>(dataSources_)) src->DataEvent(event, info);
  } else if (disableCount_ != 0 && event == deLayoutChange) {
    enableEvent_ = deLayoutChange;
  }
  if (changed && changed->OnChange) changed->OnChange(changed);
}

void TDataSet::DisableControls() {
  if (disableCount_ == 0) {
    disableState_ = state_;
    enableEvent_ = deDataSetChange;
  }
  ++disableCount_;
}

void TDataSet::EnableControls() {
  if (disableCount_ == 0) Error(SUnbalancedEnable);
  if (--disableCount_ == 0) {
    if (disableState_ != state_) DataEvent(deUpdateState, state_ != dsInactive);
    if (disableState_ != dsInactive && state_ != dsInactive) DataEvent(enableEvent_);
  }
}

void TDataSet::SetState(TDataSetState value) {
  if (state_ != value) {
    state_ = value;
    modified_ = false;
    DataEvent(deUpdateState);
  }
}

TDataSetState TDataSet::SetTempState(TDataSetState value) {
  TDataSetState old = state_;
  state_ = value;
  ++disableCount_;
  // The flag is cleared while the temporary state lasts and given back after:
  // a filter or lookup run in the middle of an edit must not turn the edit's
  // implicit post into a cancel.
  tempModified_.push_back(modified_);
  modified_ = false;
  return old;
}

void TDataSet::RestoreState(TDataSetState value) {
  state_ = value;
  --disableCount_;
  modified_ = tempModified_.empty() ? false : tempModified_.back();
  if (!tempModified_.empty()) tempModified_.pop_back();
}

// --- open and close ---------------------------------------------------------

void TDataSet::SetActive(bool value) {
  if (Loading()) {
    streamedActive_ = value;
    return;
  }
  if (value == Active()) return;
  if (value) {
    DoBeforeOpen();
    {
      TScopeFail undo([this] { CloseCursorAfterFailedOpen(); });
      OpenCursor();
      undo.Done();
    }
    SetState(dsBrowse);
    DoAfterOpen();
  } else {
    if (!destroying_) DoBeforeClose();
    SetState(dsInactive);
    CloseCursor();
    if (!destroying_) DoAfterClose();
  }
}

void TDataSet::CloseCursorAfterFailedOpen() {
  if (state_ != dsInactive) SetState(dsInactive);
  try {
    CloseCursor();
  } catch (...) {
    // The open's own error is the one reported.
  }
}

void TDataSet::OpenCursor() {
  defaultFields_ = fields_.Count() == 0;
  InternalOpen();
  internalOpenComplete_ = true;
  UpdateBufferCount();
  bof_ = true;
}

void TDataSet::CloseCursor() {
  internalOpenComplete_ = false;
  FreeFieldBuffers();
  ClearBuffers();
  for (auto& b : buffers_) FreeRecordBuffer(b);
  buffers_.clear();
  bufferCount_ = 0;
  InternalClose();
}

void TDataSet::CreateFields() {
  // Children of structured definitions get fields too, numbered in record
  // order.
  for (const TFlatFieldDef& flat : FlattenFieldDefs(fieldDefs_)) {
    const TFieldDef& def = *flat.def;
    if (def.DataType() == ftUnknown || (def.Attributes() & faHiddenCol)) continue;
    auto field = CreateFieldForType(def.DataType(), def.Size(), flat.name, def.Precision());
    field->SetRequired(def.Required());
    field->SetReadOnly((def.Attributes() & faReadonly) != 0);
    if ((def.Attributes() & faFixed) || def.DataType() == ftFixedChar) field->SetFixedLength(true);
    if (def.InternalCalcField()) field->SetFieldKind(fkInternalCalc);
    field->Bind(this, flat.fieldNo);
    fields_.Add(std::move(field));
  }
  InvalidateFieldCache();
}

void TDataSet::DestroyDefaultFields() {
  if (defaultFields_) {
    fields_.Clear();
    InvalidateFieldCache();
  }
}

TField* TDataSet::AddField(std::unique_ptr<TField> field) {
  // An open table has laid out its records; a new field has no place in them.
  if (Active()) Error("Cannot perform this operation on an open dataset");
  field->Bind(this, field->FieldNo());
  TField* f = fields_.Add(std::move(field));
  InvalidateFieldCache();
  DataEvent(deLayoutChange);
  return f;
}

void TDataSet::BindFields(bool binding) {
  const std::vector<TFlatFieldDef> flatDefs =
      binding ? FlattenFieldDefs(fieldDefs_) : std::vector<TFlatFieldDef>{};
  hasCalcFields_ = false;
  hasLookupFields_ = false;
  for (TField* f : fields_) {
    if (!binding) continue;
    if (f->IsCalculated()) hasCalcFields_ = true;
    if (f->FieldKind() == fkLookup) {
      hasLookupFields_ = true;
      // A lookup dataset destroyed first must not be left behind in the field.
      if (f->LookupDataSet()) f->LookupDataSet()->FreeNotification(this);
    }
    if (f->FieldKind() == fkData || f->FieldKind() == fkInternalCalc) {
      int fieldNo = 0;
      for (const TFlatFieldDef& flat : flatDefs)
        if (flat.name == f->FieldName()) fieldNo = flat.fieldNo;
      f->Bind(this, fieldNo);
    } else {
      f->Bind(this, -1);
    }
  }
}

// --- fields -----------------------------------------------------------------

void TDataSet::SetFieldChars(TField* field, const char* text, std::size_t n) {
  std::vector<char> native(std::max(field->DataSize(), 1), '\0');
  std::memcpy(native.data(), text, std::min(n, native.size() - 1));
  SetFieldData(field, native.data());
}

std::string TDataSet::GetFieldChars(TField* field) {
  std::vector<char> native(std::max(field->DataSize(), 1));
  if (!GetFieldData(field, native.data())) return {};
  return std::string(native.data(), strnlen(native.data(), native.size() - 1));
}

TField* TDataSet::FindField(std::string_view name) {
  auto it = fieldCache_.find(std::string(name));
  if (it != fieldCache_.end()) return it->second;
  TField* found = nullptr;
  for (TField* f : fields_) {
    const std::string& fn = f->FieldName();
    int r = platform::CompareStringA(platform::LOCALE_USER_DEFAULT, platform::NORM_IGNORECASE,
                                     fn.data(), static_cast<int>(fn.size()), name.data(),
                                     static_cast<int>(name.size()));
    // Should the platform fail to compare, names still match ignoring ASCII case.
    bool equal =
        r == platform::CSTR_EQUAL || (r == 0 && fn.size() == name.size() &&
                                      strncasecmp(fn.data(), name.data(), name.size()) == 0);
    if (equal) {
      found = f;
      break;
    }
  }
  // Only hits are remembered: a miss may become a hit when fields are added.
  if (found) fieldCache_.emplace(std::string(name), found);
  return found;
}

TField* TDataSet::FieldByName(std::string_view name) {
  TField* f = FindField(name);
  if (!f) Error(Format(SFieldNotFound, std::string(name).c_str()));
  return f;
}

TField* TDataSet::FieldByNumber(int fieldNo) {
  for (TField* f : fields_)
    if (f->FieldNo() == fieldNo) return f;
  return nullptr;
}

// --- editing cycle ----------------------------------------------------------

void TDataSet::FinishPendingChanges() {
  CheckActive();
  DataEvent(deCheckBrowseMode);
  switch (state_) {
    case dsEdit:
    case dsInsert:
      UpdateRecord();
      if (modified_)
        Post();
      else
        Cancel();
      break;
    case dsSetKey:
      Post();
      break;
    default:
      break;
  }
}

void TDataSet::UpdateRecord() {
  if (state_ != dsEdit && state_ != dsInsert && state_ != dsSetKey) Error(SNotEditing);
  DataEvent(deUpdateRecord);
}

void TDataSet::HandleOperationError(EDatabaseError& e, const TDataSetErrorEvent& handler) {
  if (!handler) throw;
  TDataAction action = daFail;
  handler(this, e, action);
  if (action == daFail) throw;
  if (action == daAbort) throw EAbort();
}

void TDataSet::BeginInsertAppend() {
  CheckBrowseMode();
  if (!CanModify()) Error(SDataSetReadOnly);
  DoBeforeInsert();
  DoBeforeScroll();
}

void TDataSet::DoOnNewRecord() {
  Call(OnNewRecord);
}

void TDataSet::EndInsertAppend() {
  SetState(dsInsert);
  {
    // A new record its handler refused is dropped: back to browsing.
    TScopeFail undo([this] {
      UpdateCursorPos();
      FreeFieldBuffers();
      SetState(dsBrowse);
      Resync(0);
    });
    DoOnNewRecord();
    undo.Done();
  }
  modified_ = false;
  DataEvent(deDataSetChange);
  DoAfterInsert();
  DoAfterScroll();
}

void TDataSet::Append() {
  BeginInsertAppend();
  ClearBuffers();
  TRecordBuffer buffer = buffers_[0];
  InitRecord(buffer);
  SetBookmarkFlag(buffer, bfEOF);
  recordCount_ = 1;
  bof_ = false;
  GetPriorRecords();
  InternalInsert();
  EndInsertAppend();
}

void TDataSet::Insert() {
  BeginInsertAppend();
  TBookmark oldCurrent = GetBookmark();
  MoveBuffer(recordCount_, activeRecord_);
  TRecordBuffer buffer = buffers_[activeRecord_];
  InitRecord(buffer);
  if (recordCount_ == 0)
    SetBookmarkFlag(buffer, bfBOF);
  else
    SetBookmarkData(buffer, oldCurrent);
  if (recordCount_ < bufferCount_) ++recordCount_;
  CursorPosChanged();
  InternalInsert();
  EndInsertAppend();
}

void TDataSet::Edit() {
  if (state_ == dsEdit || state_ == dsInsert) return;
  if (recordCount_ == 0) {
    Insert();
    return;
  }
  CheckBrowseMode();
  if (!CanModify()) Error(SDataSetReadOnly);
  DoBeforeEdit();
  CheckOperation([this] { InternalEdit(); }, OnEditError);
  GetCalcFields(ActiveBuffer());
  SetState(dsEdit);
  DataEvent(deRecordChange);
  DoAfterEdit();
}

void TDataSet::CheckRequiredFields() {
  for (TField* f : fields_) {
    if (f->Required() && !f->ReadOnly() && f->FieldKind() == fkData && f->IsNull())
      DatabaseError(Format(SFieldRequired, f->DisplayName().c_str()));
  }
}

void TDataSet::Post() {
  UpdateRecord();
  if (state_ != dsEdit && state_ != dsInsert) return;
  DataEvent(deCheckBrowseMode);
  DoBeforePost();
  CheckOperation([this] { InternalPost(); }, OnPostError);
  FreeFieldBuffers();
  SetState(dsBrowse);
  Resync(0);
  DoAfterPost();
}

void TDataSet::Cancel() {
  if (state_ != dsEdit && state_ != dsInsert) return;
  DataEvent(deCheckBrowseMode);
  DoBeforeCancel();
  bool doScroll = state_ == dsInsert;
  if (doScroll) DoBeforeScroll();
  UpdateCursorPos();
  InternalCancel();
  FreeFieldBuffers();
  SetState(dsBrowse);
  Resync(0);
  DoAfterCancel();
  if (doScroll) DoAfterScroll();
}

void TDataSet::Delete() {
  CheckActive();
  if (state_ == dsInsert || state_ == dsSetKey) {
    Cancel();
    return;
  }
  if (recordCount_ == 0) Error(SDataSetEmpty);
  DataEvent(deCheckBrowseMode);
  DoBeforeDelete();
  DoBeforeScroll();
  CheckOperation([this] { InternalDelete(); }, OnDeleteError);
  FreeFieldBuffers();
  SetState(dsBrowse);
  Resync(0);
  DoAfterDelete();
  DoAfterScroll();
}

// --- bookmarks --------------------------------------------------------------

TBookmark TDataSet::GetBookmark() {
  TRecordBuffer b = ActiveBuffer();
  if (!b || recordCount_ == 0 || GetBookmarkFlag(b) != bfCurrent) return {};
  return GetBookmarkData(b);
}

void TDataSet::GotoBookmark(const TBookmark& bookmark) {
  // An empty bookmark still posts a pending edit and fires the scroll events;
  // the position stays where it is.
  CheckBrowseMode();
  DoBeforeScroll();
  InternalGotoBookmark(bookmark);
  Resync(rmExact | rmCenter);
  DoAfterScroll();
}

void TDataSet::SetFiltered(bool v) {
  if (filtered_ == v) return;
  filtered_ = v;
  if (Active()) {
    CheckBrowseMode();
    InternalRefresh();
    First();
  }
}

}  // namespace memtable
