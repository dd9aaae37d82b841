// The dataset base: a cursor over records made of typed fields, the state
// machine of browsing, inserting and editing, named events around every
// operation, and notifications to the data sources that follow it.
//
// Record access is delegated to hooks that a concrete dataset implements on
// top of its storage.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "component/Component.h"
#include "component/ScopeGuards.h"
#include "memtable/DBTypes.h"
#include "memtable/DatabaseError.h"
#include "memtable/Field.h"
#include "memtable/FieldDef.h"
#include "memtable/Variant.h"

namespace memtable {

class TDataSource;

// A record buffer of the dataset window; the concrete dataset gives it shape.
using TRecordBuffer = std::uint8_t*;

// Identifies a stored record; empty when no record was current.
struct TBookmark {
  const void* record = nullptr;
  std::uint32_t storeId = 0;
  std::int32_t slot = -1;
  std::uint32_t serial = 0;
  bool present = false;
  explicit operator bool() const { return present; }
  friend bool operator==(const TBookmark&, const TBookmark&) = default;
};

class TDataSet;
using TDataSetNotifyEvent = std::function<void(TDataSet*)>;
using TDataSetErrorEvent = std::function<void(TDataSet*, EDatabaseError&, TDataAction&)>;
using TFilterRecordEvent = std::function<void(TDataSet*, bool& accept)>;

class TStoredFieldDefs;

// A component: a window owns its tables, and its stored description creates
// them. The component name prefixes the dataset's error messages.
class TDataSet : public component::TComponent {
 public:
  COMPONENT_CLASS_INFO()

  explicit TDataSet(component::TComponent* owner = nullptr);
  ~TDataSet() override;

  // Stored-description loading: while loading, setting Active records the
  // wish. The reader's loading state counts as well; Loaded() ends it.
  void BeginLoad() { loading_ = true; }
  void EndLoad();
  bool Loading() const { return loading_ || ComponentState().Contains(component::csLoading); }
  void Loaded() override;

  // FieldDefs as a collection of the component layer, for stored descriptions.
  TStoredFieldDefs* StoredFieldDefs();

  TDataSetState State() const { return state_; }
  bool Active() const { return state_ != dsInactive && state_ != dsOpening; }
  void SetActive(bool value);
  void Open() { SetActive(true); }
  void Close() { SetActive(false); }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v) { readOnly_ = v; }
  bool Modified() const { return modified_; }
  bool Found() const { return found_; }
  bool Eof() const { return eof_; }
  bool Bof() const { return bof_; }
  bool IsEmpty() const { return recordCount_ == 0; }
  virtual bool CanModify() const { return !readOnly_; }

  // Editing cycle.
  void Append();
  void Insert();
  void Edit();
  void Post();
  void Cancel();
  void Delete();
  void CheckBrowseMode() {
    // Browsing with nobody to tell: nothing to check or finish.
    if (state_ == dsBrowse && dataSources_.empty()) return;
    FinishPendingChanges();
  }
  void UpdateRecord();

  // Navigation.
  void First();
  void Last();
  void Next() { MoveBy(1); }
  void Prior() { MoveBy(-1); }
  int MoveBy(int distance);
  void Refresh();

  virtual int RecordCount();
  virtual int RecNo();
  virtual void SetRecNo(int value);

  // Fields.
  TFieldDefs& FieldDefs() { return fieldDefs_; }
  TFields& Fields() { return fields_; }
  int FieldCount() const { return fields_.Count(); }
  TField* FieldByName(std::string_view name);
  TField* FindField(std::string_view name);
  TField* FieldByNumber(int fieldNo);
  // Adds a persistent field; the dataset owns it.
  TField* AddField(std::unique_ptr<TField> field);
  bool DefaultFields() const { return defaultFields_; }

  // Bookmarks.
  TBookmark GetBookmark();
  void GotoBookmark(const TBookmark& bookmark);
  virtual bool BookmarkValid(const TBookmark& bookmark) = 0;
  virtual int CompareBookmarks(const TBookmark& a, const TBookmark& b) = 0;

  // Notification suspension.
  void DisableControls();
  void EnableControls();
  bool ControlsDisabled() const { return disableCount_ != 0; }
  class TControlsDisabled;

  // Search.
  virtual bool Locate(const std::string& keyFields, const TVariant& keyValues,
                      TLocateOptions options = 0) = 0;
  virtual TVariant Lookup(const std::string& keyFields, const TVariant& keyValues,
                          const std::string& resultFields) = 0;

  virtual TUpdateStatus UpdateStatus() = 0;
  // The master source of a detail dataset (none here by default).
  virtual TDataSource* MasterDataSource() const { return nullptr; }

  // Filtering.
  bool Filtered() const { return filtered_; }
  void SetFiltered(bool v);
  const std::string& Filter() const { return filterText_; }
  void SetFilter(std::string v) { filterText_ = std::move(v); }
  TFilterOptions FilterOptions() const { return filterOptions_; }
  void SetFilterOptions(TFilterOptions v) { filterOptions_ = v; }

  // When set, writing a data field while editing recomputes the calculated
  // and lookup fields of the record.
  bool AutoCalcFields() const { return autoCalcFields_; }
  void SetAutoCalcFields(bool v) { autoCalcFields_ = v; }
  // Whether the dataset has calculated or lookup fields, and whether computing
  // them does anything (a handler or a lookup to run).
  bool HasCalcFields() const { return hasCalcFields_; }
  bool CalcFieldsWanted() const { return hasLookupFields_ || static_cast<bool>(OnCalcFields); }

  // Buffers wanted by the links; the window holds this many records.
  int BufferCount() const { return bufferCount_; }
  int ActiveRecord() const { return activeRecord_; }
  int WindowRecordCount() const { return recordCount_; }
  void UpdateBufferCount();

  // Events.
  TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose, BeforeInsert, AfterInsert,
      BeforeEdit, AfterEdit, BeforePost, AfterPost, BeforeCancel, AfterCancel, BeforeDelete,
      AfterDelete, BeforeScroll, AfterScroll, BeforeRefresh, AfterRefresh, OnCalcFields,
      OnNewRecord;
  TFilterRecordEvent OnFilterRecord;
  TDataSetErrorEvent OnPostError, OnEditError, OnDeleteError;

  // Notification to the data sources (also used by fields). With no source
  // attached only the dataset's own bookkeeping remains to be done.
  void DataEvent(TDataEvent event, std::intptr_t info = 0) {
    if (dataSources_.empty()) {
      if (event == deFieldChange) {
        NoteFieldChange(reinterpret_cast<TField*>(info));
        return;
      }
      if (event != deLayoutChange) return;
    }
    DispatchDataEvent(event, info);
  }

  // Field value hooks, called by fields.
  virtual bool GetFieldData(TField* field, void* dest) = 0;
  virtual void SetFieldData(TField* field, const void* src) = 0;
  // An 8-bit text value up to its first NUL (see TField::GetChars).
  virtual std::string GetFieldChars(TField* field);
  virtual void SetFieldChars(TField* field, const char* text, std::size_t n);
  // The whole value of a blob field, which has no fixed-width native form:
  // false when null. A null `bytes` writes null.
  virtual bool GetBlobData(TField* field, std::string& out) {
    out.clear();
    return GetFieldData(field, nullptr);
  }
  virtual void SetBlobData(TField* field, const std::string* bytes) {
    SetFieldData(field, bytes ? bytes->c_str() : nullptr);
  }
  // The buffer field access addresses in the current state (null when none).
  TRecordBuffer ActiveBuffer() const {
    if (state_ == dsBrowse) return recordCount_ == 0 ? nullptr : buffers_[activeRecord_];
    if ((state_ == dsInsert || state_ == dsEdit) && !buffers_.empty())
      return buffers_[activeRecord_];
    return OtherActiveBuffer();
  }

 protected:
  friend class TDataSource;

  // Hooks implemented by the concrete dataset.
  virtual void InternalOpen() = 0;
  virtual void InternalClose() = 0;
  virtual void InternalFirst() = 0;
  virtual void InternalLast() = 0;
  virtual TGetResult GetRecord(TRecordBuffer buffer, TGetMode mode, bool doCheck) = 0;
  virtual void InternalInitRecord(TRecordBuffer buffer) = 0;
  virtual TRecordBuffer AllocRecordBuffer() = 0;
  virtual void FreeRecordBuffer(TRecordBuffer& buffer) = 0;
  virtual TBookmark GetBookmarkData(TRecordBuffer buffer) = 0;
  virtual void SetBookmarkData(TRecordBuffer buffer, const TBookmark& bookmark) = 0;
  virtual TBookmarkFlag GetBookmarkFlag(TRecordBuffer buffer) = 0;
  virtual void SetBookmarkFlag(TRecordBuffer buffer, TBookmarkFlag flag) = 0;
  virtual void InternalGotoBookmark(const TBookmark& bookmark) = 0;
  virtual void InternalSetToRecord(TRecordBuffer buffer) = 0;
  virtual void InternalPost() = 0;
  virtual void InternalDelete() = 0;
  virtual void InternalInsert() {}
  virtual void InternalEdit() {}
  virtual void InternalCancel() {}
  virtual void InternalRefresh() {}
  virtual void ClearCalcFields(TRecordBuffer) {}
  virtual void FreeFieldBuffers() {}
  virtual bool IsCursorOpen() const = 0;

  // Overridable steps around operations.
  virtual void DoBeforeOpen() { Call(BeforeOpen); }
  virtual void DoAfterOpen() { Call(AfterOpen); }
  virtual void DoBeforeClose() { Call(BeforeClose); }
  virtual void DoAfterClose() { Call(AfterClose); }
  virtual void DoBeforeInsert() { Call(BeforeInsert); }
  virtual void DoAfterInsert() { Call(AfterInsert); }
  virtual void DoBeforeEdit() { Call(BeforeEdit); }
  virtual void DoAfterEdit() { Call(AfterEdit); }
  virtual void DoBeforePost() { Call(BeforePost); }
  virtual void DoAfterPost() { Call(AfterPost); }
  virtual void DoBeforeCancel() { Call(BeforeCancel); }
  virtual void DoAfterCancel() { Call(AfterCancel); }
  virtual void DoBeforeDelete() { Call(BeforeDelete); }
  virtual void DoAfterDelete() { Call(AfterDelete); }
  virtual void DoBeforeScroll() { Call(BeforeScroll); }
  virtual void DoAfterScroll() { Call(AfterScroll); }
  virtual void DoOnNewRecord();
  virtual void DoOnCalcFields() { Call(OnCalcFields); }
  // Whether notifications may be sent at all (the memory table's own lock).
  virtual bool NotificationsBlocked() const { return false; }
  // Whether a stored Active of True takes effect when loading ends.
  virtual bool ActivateOnLoad() const { return true; }

  void Call(const TDataSetNotifyEvent& e) {
    if (e) e(this);
  }

  [[noreturn]] void Error(const std::string& text) const { DatabaseError(text, Name()); }
  void CheckActive() const;
  void CheckInactive() const;
  void SetState(TDataSetState value);
  TDataSetState SetTempState(TDataSetState value);
  void RestoreState(TDataSetState value);
  class TTempState;
  void ClearBuffers();
  void ActivateBuffers();
  bool GetNextRecord();
  bool GetPriorRecord();
  int GetNextRecords();
  int GetPriorRecords();
  void SetCurrentRecord(int index);
  void UpdateCursorPos();
  void CursorPosChanged() { currentRecord_ = -1; }
  // MoveBy's two ways once the scroll has begun.
  int StepForward();
  int MoveWindow(int distance);
  void MoveBuffer(int curIndex, int newIndex) {
    // Walking a one-record window swaps the record and the scratch buffer.
    if (newIndex == curIndex + 1 || newIndex == curIndex - 1)
      std::swap(buffers_[curIndex], buffers_[newIndex]);
    else
      RotateBuffers(curIndex, newIndex);
  }
  void InitRecord(TRecordBuffer buffer);
  // Computes the calculated and lookup fields of a record in the calc-fields
  // state; CalculateFields does it in that state already set.
  void GetCalcFields(TRecordBuffer buffer);
  void CalculateFields(TRecordBuffer buffer);
  void CalcLookupFields();
  void Notification(component::TComponent* component, component::TOperation operation) override;
  enum ResyncMode : unsigned { rmExact = 1, rmCenter = 2 };
  void Resync(unsigned mode);
  // Runs a post, edit or delete hook under the error protocol.
  template <typename Op>
  void CheckOperation(Op&& op, const TDataSetErrorEvent& handler) {
    for (;;) {
      try {
        UpdateCursorPos();
        op();
        return;
      } catch (EDatabaseError& e) {
        HandleOperationError(e, handler);
      }
    }
  }
  void OpenCursor();
  void CloseCursor();
  void CreateFields();
  void DestroyDefaultFields();
  void BindFields(bool binding);
  void CheckRequiredFields();
  void BeginInsertAppend();
  void EndInsertAppend();
  bool FilteringInForce() const { return filtered_ && static_cast<bool>(OnFilterRecord); }
  void SetFound(bool v) { found_ = v; }
  TRecordBuffer Buffer(int index) const { return buffers_[index]; }
  void InvalidateFieldCache() { fieldCache_.clear(); }
  // Buffers addressed by the temporary states.
  TRecordBuffer calcBuffer_ = nullptr;
  TRecordBuffer filterBuffer_ = nullptr;
  TRecordBuffer keyBuffer_ = nullptr;
  bool destroying_ = false;
  bool defaultFields_ = false;
  // Set when the fields are bound (open).
  bool hasCalcFields_ = false;
  bool hasLookupFields_ = false;
  bool internalOpenComplete_ = false;

 private:
  void SetBufListSize(int value);
  void RotateBuffers(int curIndex, int newIndex);
  void DispatchDataEvent(TDataEvent event, std::intptr_t info);
  void FinishPendingChanges();
  // A written field marks the record modified and calls its OnChange.
  void NoteFieldChange(TField* changed) {
    if (!changed) return;
    if (changed->FieldKind() == fkData || changed->FieldKind() == fkInternalCalc) modified_ = true;
    if (hasCalcFields_) AutoCalc(changed);
    if (changed->OnChange) changed->OnChange(changed);
  }
  // A data field written while editing: the record's calculated fields follow.
  void AutoCalc(TField* changed);
  bool inLookupCalc_ = false;
  TRecordBuffer OtherActiveBuffer() const;
  // Asks the error handler what to do: returns to retry, rethrows the error
  // being handled or aborts otherwise.
  void HandleOperationError(EDatabaseError& e, const TDataSetErrorEvent& handler);
  void CloseCursorAfterFailedOpen();

  TDataSetState state_ = dsInactive;
  bool loading_ = false;
  bool streamedActive_ = false;
  bool readOnly_ = false;
  bool modified_ = false;
  bool found_ = false;
  bool eof_ = true;
  bool bof_ = true;
  bool filtered_ = false;
  bool autoCalcFields_ = true;
  std::string filterText_;
  TFilterOptions filterOptions_ = 0;
  TFieldDefs fieldDefs_;
  TFields fields_;
  std::vector<TDataSource*> dataSources_;
  std::vector<TRecordBuffer> buffers_;
  int bufferCount_ = 0;
  int recordCount_ = 0;
  int activeRecord_ = 0;
  int currentRecord_ = -1;
  int disableCount_ = 0;
  TDataSetState disableState_ = dsInactive;
  TDataEvent enableEvent_ = deDataSetChange;
  std::vector<bool> tempModified_;
  // Names looked up by FieldByName, remembered until the field list changes.
  std::unordered_map<std::string, TField*> fieldCache_;
  std::unique_ptr<TStoredFieldDefs> storedFieldDefs_;
};

// DisableControls() for a scope, EnableControls() on leaving it. Enabling
// may notify, and so raise: leaving normally that goes to the caller; leaving
// by an exception, the error already leaving is the one reported.
class TDataSet::TControlsDisabled {
 public:
  explicit TControlsDisabled(TDataSet& dataSet)
      : dataSet_(dataSet), pending_(std::uncaught_exceptions()) {
    dataSet_.DisableControls();
  }
  ~TControlsDisabled() noexcept(false) {
    component::FinishScope(pending_, [this] { dataSet_.EnableControls(); });
  }
  TControlsDisabled(const TControlsDisabled&) = delete;
  TControlsDisabled& operator=(const TControlsDisabled&) = delete;

 private:
  TDataSet& dataSet_;
  int pending_;
};

// A temporary state for one record read out of turn (a filter, a lookup, the
// calculated fields): the record's buffer goes into the slot that state reads
// (filterBuffer_, calcBuffer_) and the state is set; on leaving, the state
// and then the slot are given back.
class TDataSet::TTempState {
 public:
  TTempState(TDataSet& dataSet, TDataSetState state, TRecordBuffer& slot, TRecordBuffer buffer)
      : dataSet_(dataSet), slot_(slot), savedBuffer_(slot) {
    slot_ = buffer;
    savedState_ = dataSet_.SetTempState(state);
  }
  ~TTempState() {
    dataSet_.RestoreState(savedState_);
    slot_ = savedBuffer_;
  }
  TTempState(const TTempState&) = delete;
  TTempState& operator=(const TTempState&) = delete;

 private:
  TDataSet& dataSet_;
  TRecordBuffer& slot_;
  TRecordBuffer savedBuffer_;
  TDataSetState savedState_;
};

}  // namespace memtable
