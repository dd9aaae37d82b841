#include "memtable/DataSet.h"

#include <strings.h>

#include <algorithm>
#include <cstring>

#include "component/ScopeGuards.h"
#include "memtable/DataSource.h"
#include "memtable/StoredDefs.h"
#include "platform/base/LocaleServices.h"

namespace memtable {

using component::TScopeExit;
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

// --- buffers ----------------------------------------------------------------

TRecordBuffer TDataSet::OtherActiveBuffer() const {
  switch (state_) {
    case dsEdit:
    case dsInsert:
    case dsNewValue:
    case dsCurValue:
    case dsBlockRead:
      return buffers_.empty() ? nullptr : buffers_[activeRecord_];
    case dsSetKey:
      return keyBuffer_;
    case dsCalcFields:
      return calcBuffer_;
    case dsFilter:
      return filterBuffer_;
    default:
      return nullptr;
  }
}

void TDataSet::SetBufListSize(int value) {
  if (value == bufferCount_ && !buffers_.empty()) return;
  int oldSize = static_cast<int>(buffers_.size());
  if (value + 1 > oldSize) {
    buffers_.resize(value + 1, nullptr);
    for (int i = oldSize; i <= value; ++i) buffers_[i] = AllocRecordBuffer();
  } else {
    // Keep the active record inside the smaller window.
    int delta = activeRecord_ - (value - 1);
    if (delta > 0 && recordCount_ > 0) {
      std::rotate(buffers_.begin(), buffers_.begin() + delta, buffers_.begin() + oldSize);
      recordCount_ -= delta;
      activeRecord_ -= delta;
    }
    if (recordCount_ > value) recordCount_ = value;
    for (int i = value + 1; i < oldSize; ++i) FreeRecordBuffer(buffers_[i]);
    buffers_.resize(value + 1);
  }
  bufferCount_ = value;
  currentRecord_ = -1;
}

void TDataSet::UpdateBufferCount() {
  if (!IsCursorOpen()) return;
  int wanted = 1;
  for (TDataSource* src : dataSources_) wanted = std::max(wanted, src->MaxBufferCount());
  if (wanted == bufferCount_ && !buffers_.empty()) return;
  bool grow = wanted > bufferCount_;
  SetBufListSize(wanted);
  if (grow && recordCount_ > 0) {
    GetNextRecords();
    GetPriorRecords();
  }
}

void TDataSet::ClearBuffers() {
  recordCount_ = 0;
  activeRecord_ = 0;
  currentRecord_ = -1;
  bof_ = true;
  eof_ = true;
}

void TDataSet::ActivateBuffers() {
  recordCount_ = 1;
  activeRecord_ = 0;
  currentRecord_ = 0;
  bof_ = false;
  eof_ = false;
}

void TDataSet::RotateBuffers(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  TRecordBuffer b = buffers_[curIndex];
  if (curIndex < newIndex) {
    std::move(buffers_.begin() + curIndex + 1, buffers_.begin() + newIndex + 1,
              buffers_.begin() + curIndex);
  } else {
    std::move_backward(buffers_.begin() + newIndex, buffers_.begin() + curIndex,
                       buffers_.begin() + curIndex + 1);
  }
  buffers_[newIndex] = b;
}

void TDataSet::SetCurrentRecord(int index) {
  if (currentRecord_ != index) {
    InternalSetToRecord(buffers_[index]);
    currentRecord_ = index;
  }
}

void TDataSet::UpdateCursorPos() {
  if (recordCount_ > 0) SetCurrentRecord(activeRecord_);
}

inline bool TDataSet::GetNextRecord() {
  if (recordCount_ > 0) SetCurrentRecord(recordCount_ - 1);
  bool ok = GetRecord(buffers_[recordCount_], gmNext, true) == grOK;
  if (ok) {
    if (recordCount_ == 0) {
      ActivateBuffers();
    } else if (recordCount_ < bufferCount_) {
      ++recordCount_;
    } else {
      MoveBuffer(0, recordCount_);
    }
    currentRecord_ = recordCount_ - 1;
  } else {
    CursorPosChanged();
  }
  return ok;
}

bool TDataSet::GetPriorRecord() {
  if (recordCount_ > 0) SetCurrentRecord(0);
  bool ok = GetRecord(buffers_[recordCount_], gmPrior, true) == grOK;
  if (ok) {
    if (recordCount_ == 0) {
      ActivateBuffers();
    } else {
      MoveBuffer(recordCount_, 0);
      if (recordCount_ < bufferCount_) {
        ++recordCount_;
        ++activeRecord_;
      }
    }
    currentRecord_ = 0;
  } else {
    CursorPosChanged();
  }
  return ok;
}

int TDataSet::GetNextRecords() {
  int n = 0;
  while (recordCount_ < bufferCount_ && GetNextRecord()) ++n;
  return n;
}

int TDataSet::GetPriorRecords() {
  int n = 0;
  while (recordCount_ < bufferCount_ && GetPriorRecord()) ++n;
  return n;
}

void TDataSet::InitRecord(TRecordBuffer buffer) {
  InternalInitRecord(buffer);
  ClearCalcFields(buffer);
  SetBookmarkFlag(buffer, bfInserted);
}

void TDataSet::GetCalcFields(TRecordBuffer buffer) {
  if (!CalcFieldsWanted()) return;
  TTempState calc(*this, dsCalcFields, calcBuffer_, buffer);
  CalculateFields(buffer);
}

void TDataSet::Resync(unsigned mode) {
  if (mode & rmExact) {
    CursorPosChanged();
    if (GetRecord(buffers_[recordCount_], gmCurrent, true) != grOK) Error(SRecordNotFound);
  } else if (GetRecord(buffers_[recordCount_], gmCurrent, false) != grOK &&
             GetRecord(buffers_[recordCount_], gmNext, false) != grOK &&
             GetRecord(buffers_[recordCount_], gmPrior, false) != grOK) {
    ClearBuffers();
    DataEvent(deDataSetChange);
    return;
  }
  int count = (mode & rmCenter) ? (bufferCount_ - 1) / 2 : activeRecord_;
  MoveBuffer(recordCount_, 0);
  ActivateBuffers();
  // The links hear of the new window however far it was filled.
  auto notify = [this] { DataEvent(deDataSetChange); };
  TScopeFail failed(notify);
  while (count > 0 && GetPriorRecord()) --count;
  GetNextRecords();
  GetPriorRecords();
  failed.Done();
  notify();
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

// --- navigation -------------------------------------------------------------

void TDataSet::First() {
  CheckBrowseMode();
  DoBeforeScroll();
  ClearBuffers();
  TScopeExit done([this] {
    bof_ = true;
    DataEvent(deDataSetChange);
    DoAfterScroll();
  });
  InternalFirst();
  GetNextRecord();
  GetNextRecords();
}

void TDataSet::Last() {
  CheckBrowseMode();
  DoBeforeScroll();
  ClearBuffers();
  TScopeExit done([this] {
    eof_ = true;
    DataEvent(deDataSetChange);
    DoAfterScroll();
  });
  InternalLast();
  GetPriorRecord();
  GetPriorRecords();
}

int TDataSet::MoveBy(int distance) {
  CheckBrowseMode();
  DoBeforeScroll();
  // The common walk: one step on from the last record of a full window, with
  // no link to tell of it.
  if (distance == 1 && !eof_ && dataSources_.empty() && recordCount_ > 0 &&
      recordCount_ == bufferCount_ && activeRecord_ == recordCount_ - 1)
    return StepForward();
  return MoveWindow(distance);
}

int TDataSet::StepForward() {
  bof_ = false;
  TScopeFail failed([this] { DoAfterScroll(); });
  if (!GetNextRecord()) eof_ = true;
  failed.Done();
  DoAfterScroll();
  return eof_ ? 0 : 1;
}

int TDataSet::MoveWindow(int distance) {
  if ((distance > 0 && eof_) || (distance < 0 && bof_) || distance == 0) return 0;
  int result = 0;
  bof_ = false;
  eof_ = false;
  int oldRecordCount = recordCount_;
  int scrollCount = 0;
  // However the move ends, the links hear of it and AfterScroll fires.
  auto finish = [&] {
    if (recordCount_ != oldRecordCount)
      DataEvent(deDataSetChange);
    else
      DataEvent(deDataSetScroll, scrollCount);
    DoAfterScroll();
  };
  TScopeFail failed(finish);
  while (distance > 0) {
    if (activeRecord_ < recordCount_ - 1) {
      ++activeRecord_;
    } else {
      int shift = recordCount_ < bufferCount_ ? 0 : 1;
      if (GetNextRecord()) {
        scrollCount -= shift;
        if (activeRecord_ < recordCount_ - 1) ++activeRecord_;
      } else {
        eof_ = true;
        break;
      }
    }
    --distance;
    ++result;
  }
  while (distance < 0) {
    if (activeRecord_ > 0) {
      --activeRecord_;
    } else {
      int shift = recordCount_ < bufferCount_ ? 0 : 1;
      if (GetPriorRecord()) {
        scrollCount += shift;
        if (shift == 0 && activeRecord_ > 0) --activeRecord_;
      } else {
        bof_ = true;
        break;
      }
    }
    ++distance;
    --result;
  }
  failed.Done();
  finish();
  return result;
}

void TDataSet::Refresh() {
  Call(BeforeRefresh);
  CheckBrowseMode();
  UpdateCursorPos();
  InternalRefresh();
  Resync(0);
  Call(AfterRefresh);
}

int TDataSet::RecordCount() {
  CheckActive();
  return 0;
}

int TDataSet::RecNo() {
  return -1;
}

void TDataSet::SetRecNo(int) {}

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
