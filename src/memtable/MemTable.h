// The memory table: a dataset whose records live in memory, in a record store
// that it owns or shares with other tables.
//
// The class is built from parts, each in its own files: key search and
// comparison (MemTableSearch), attachment to a shared store
// (MemTableSharing), and record versions with transactions
// (MemTableVersions); its indexes are kept in MemTableIndexes.cpp, posting
// and deleting in MemTablePosting.cpp, field data in MemTableFieldData.cpp
// and the rest (opening, reading, bookmarks) in MemTable.cpp. What it only
// keeps for stored descriptions is gathered in MemTableStoredProperties.h.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "memtable/BooleanField.h"
#include "memtable/DataSet.h"
#include "memtable/DateTimeField.h"
#include "memtable/FloatField.h"
#include "memtable/IndexDef.h"
#include "memtable/IntegerField.h"
#include "memtable/MemIndex.h"
#include "memtable/MemTableSearch.h"
#include "memtable/MemTableSharing.h"
#include "memtable/MemTableStore.h"
#include "memtable/MemTableStoredProperties.h"
#include "memtable/MemTableStreamFormat.h"
#include "memtable/StoredDefs.h"
#include "memtable/StringField.h"

namespace memtable {

class TDataSource;

class TCustomMemTable : public TDataSet, public TMemTableStoredProperties {
 public:
  TCustomMemTable();
  ~TCustomMemTable() override;

  bool ActivateOnLoad() const override { return designActivation_; }

  // Storage.
  bool DesignActivation() const { return designActivation_; }
  void SetDesignActivation(bool v) { designActivation_ = v; }
  std::int32_t AutoIncMinValue() const { return store_->autoIncMin; }
  void SetAutoIncMinValue(std::int32_t v);
  TMemTablePerformance Performance() const { return store_->performance; }
  void SetPerformance(TMemTablePerformance v) { store_->performance = v; }
  bool EnableVersioning() const { return store_->enableVersioning; }
  void SetEnableVersioning(bool v) { store_->enableVersioning = v; }
  TMemTableVersioningMode VersioningMode() const { return store_->versioningMode; }
  void SetVersioningMode(TMemTableVersioningMode v) { store_->versioningMode = v; }
  TMemTableStore* Store() const { return store_; }

  // Attachment (MemTableSharing).
  TCustomMemTable* AttachedTo() const { return sharing_.AttachedTo(); }
  void SetAttachedTo(TCustomMemTable* table) { sharing_.AttachTo(table); }
  int AttachMaxCount() const { return store_->attachMaxCount; }
  void SetAttachMaxCount(int v) { sharing_.SetMaxCount(v); }
  bool AttachedAutoRefresh() const { return sharing_.AutoRefresh(); }
  void SetAttachedAutoRefresh(bool v) { sharing_.SetAutoRefresh(v); }
  bool Standalone() const { return store_->standalone; }
  void SetStandalone(bool v) { sharing_.SetStandalone(v); }

  // Locale.
  std::int32_t LanguageID() const { return store_->languageID; }
  void SetLanguageID(std::int32_t v);
  std::int32_t SubLanguageID() const { return store_->subLanguageID; }
  void SetSubLanguageID(std::int32_t v);
  std::int32_t SortID() const { return store_->sortID; }
  void SetSortID(std::int32_t v);
  std::int32_t LocaleID() const { return store_->localeID; }
  void SetLocaleID(std::int32_t v);

  // Indexes (MemTableIndexes.cpp).
  bool EnableIndexes() const { return enableIndexes_; }
  void SetEnableIndexes(bool v) { enableIndexes_ = v; }
  bool AutoAddIndexes() const { return autoAddIndexes_; }
  void SetAutoAddIndexes(bool v) { autoAddIndexes_ = v; }
  bool AutoReposition() const { return autoReposition_; }
  void SetAutoReposition(bool v) { autoReposition_ = v; }
  TIndexDefs& IndexDefs() { return indexDefs_; }
  // IndexDefs as a collection of the component layer, for stored descriptions.
  TStoredIndexDefs* StoredIndexDefs();
  TMemIndexes& Indexes() { return indexes_; }
  TMemIndex* CurrentIndex() const { return currentIndex_; }
  const std::string& IndexName() const { return indexName_; }
  void SetIndexName(const std::string& name);
  const std::string& IndexFieldNames() const { return indexFieldNames_; }
  void SetIndexFieldNames(const std::string& names);
  // Adds a sorted index now (the table must be open to fill it).
  TMemIndex* AddIndex(const std::string& name, const std::string& fields,
                      TMemTableCompareOptions options);
  void DeleteIndex(const std::string& name);
  void UpdateIndexes();
  bool RecalcOnIndex() const { return recalcOnIndex_; }
  void SetRecalcOnIndex(bool v) { recalcOnIndex_ = v; }
  bool RecalcOnFetch() const { return recalcOnFetch_; }
  void SetRecalcOnFetch(bool v) { recalcOnFetch_ = v; }

  // The master source: records are not filtered by it, but a data source
  // refuses a link that would run round through it.
  TDataSource* MasterSource() const { return masterSource_; }
  void SetMasterSource(TDataSource* src);
  TDataSource* MasterDataSource() const override { return masterSource_; }

  // Saving and loading (MemTablePersistence.cpp). Without a format argument
  // the table's DefaultFormat is used, or the binary format when it has
  // none. A load replaces the records (and, into a closed table without
  // definitions, takes the saved definitions); a file or stream that cannot
  // be read fails with EMemTableFormatError naming it and what is wrong, and
  // leaves the table as it was. Files are replaced safely (SafeFile.h).
  void SaveToFile(const std::string& path, TMemTableStreamFormat* format = nullptr);
  void LoadFromFile(const std::string& path, TMemTableStreamFormat* format = nullptr);
  void SaveToStream(std::ostream& stream, TMemTableStreamFormat* format = nullptr);
  void LoadFromStream(std::istream& stream, TMemTableStreamFormat* format = nullptr);
  std::string SaveToString(TMemTableStreamFormat* format = nullptr);
  // `source` names the data in messages.
  void LoadFromString(std::string_view data, TMemTableStreamFormat* format = nullptr,
                      const std::string& source = "the data");
  // The table as an image, and an image into the table (which must fit its
  // fields when it has any).
  TTableImage SaveToImage(TMemTableFormatOptions options);
  void LoadFromImage(const TTableImage& image);

  // The records a stored description keeps when StoreDataOnForm is set (its
  // binary "Data"), in the FormFormat or the binary format. Set while the
  // description loads, they are loaded when the table opens.
  component::TBytes FormData() const { return formData_; }
  void SetFormData(component::TBytes data);
  component::TBytes SaveFormData();

  // Persistence properties.
  bool Persistent = false;
  std::string PersistentFile;
  bool PersistentBackup = false;
  std::string PersistentBackupExt = "bak";
  bool StoreDataOnForm = false;
  int LoadLimit = -1;
  int SaveLimit = -1;
  bool LoadedCompletely = false;
  bool SavedCompletely = false;
  // The formats saving and loading use when given none (forgotten when they
  // go): the default one, the one of the persistent file, and the one of the
  // records kept in the description.
  component::TComponent* DefaultFormat() const { return formats_[0]; }
  void SetDefaultFormat(component::TComponent* c) { SetFormat(0, c); }
  component::TComponent* PersistentFormat() const { return formats_[1]; }
  void SetPersistentFormat(component::TComponent* c) { SetFormat(1, c); }
  component::TComponent* FormFormat() const { return formats_[2]; }
  void SetFormFormat(component::TComponent* c) { SetFormat(2, c); }
  TMemTableProgressCodes ProgressFlags() const { return progressFlags_; }
  void SetProgressFlags(TMemTableProgressCodes v) { progressFlags_ = v; }

  // Holds the store's lock for the caller (nestable); while it is held the
  // table sends no notification at all.
  void Lock();
  void Unlock();

  // Sorting: a sorted index over the named fields becomes the current order.
  const std::string& SortFields() const { return sortFields_; }
  void SetSortFields(std::string v) { sortFields_ = std::move(v); }
  TMemTableCompareOptions SortOptions() const { return sortOptions_; }
  void SetSortOptions(TMemTableCompareOptions v) { sortOptions_ = v; }
  void SortOn(const std::string& fields, TMemTableCompareOptions options);
  void Sort(TMemTableCompareOptions options) { SortOn(sortFields_, options); }

  // Versioning and transactions (MemTableVersions).
  void StartTransaction();
  void Commit();
  void Rollback();
  int TransactionLevel() const { return store_->transactionLevel; }
  // Drops every kept version and deleted record; statuses become unmodified.
  void CheckPoint();
  // Empties every table sharing the store.
  void EmptyTable();

  // Dataset overrides.
  int RecordCount() override;
  int RecNo() override;
  void SetRecNo(int value) override;
  bool BookmarkValid(const TBookmark& bookmark) override;
  int CompareBookmarks(const TBookmark& a, const TBookmark& b) override;
  bool Locate(const std::string& keyFields, const TVariant& keyValues,
              TLocateOptions options = 0) override;
  TVariant Lookup(const std::string& keyFields, const TVariant& keyValues,
                  const std::string& resultFields) override;
  TUpdateStatus UpdateStatus() override;
  bool GetFieldData(TField* field, void* dest) override;
  void SetFieldData(TField* field, const void* src) override;
  std::string GetFieldChars(TField* field) override;
  void SetFieldChars(TField* field, const char* text, std::size_t n) override;
  bool GetBlobData(TField* field, std::string& out) override;
  void SetBlobData(TField* field, const std::string* bytes) override;
  bool IsCursorOpen() const override { return cursorOpen_; }

  // Comparison, also used by the indexes (MemTableSearch).
  int CompareFields(const void* a, const void* b, int lenA, int lenB, const TMemKeyField& f,
                    TIndexFieldOptions options, bool& fullCompare) {
    return search_.CompareFields(a, b, lenA, lenB, f, options, fullCompare);
  }
  int CompareRecords(const TMemRecord* a, const TMemRecord* b, const TMemFieldList& list, int count,
                     int mode, bool partial, bool skipNullA) {
    return search_.CompareRecords(a, b, list, count, mode, partial, skipNullA);
  }
  // Fills a field list from "A;B:C" names; fails as locate does.
  TMemFieldList BuildFieldList(const std::string& names, bool /*forIndex*/) {
    return search_.BuildFieldList(names);
  }
  bool PassesFilter(TMemRecord* rec);
  bool PassesIndexFilter(TMemIndex* index, TMemRecord* rec);
  void DoProgress(int percent, TMemTableProgressCode code);

  // Events.
  std::function<void(TCustomMemTable*, int percent, TMemTableProgressCode code)> OnProgress;
  std::function<void(TCustomMemTable*, TField* field, const void* keyField, const void* aField,
                     TFieldType fieldType, TIndexFieldOptions options, bool& fullCompare,
                     int& result)>
      OnCompareFields;
  std::function<void(TCustomMemTable*, TMemIndex*, bool& accept)> OnFilterIndex;
  std::function<void(TCustomMemTable*, const TFieldDef&, std::uint8_t& flags)> OnSetupField;
  std::function<void(TCustomMemTable*, std::string& data)> OnCompressField;
  std::function<void(TCustomMemTable*, std::string& data)> OnDecompressField;
  std::function<void(TCustomMemTable*)> OnLoadRecord, OnLoadField, OnSaveRecord, OnSaveField,
      OnSave, OnLoad;

 protected:
  void InternalOpen() override;
  void InternalClose() override;
  void InternalFirst() override { position_ = -1; }
  void InternalLast() override;
  TGetResult GetRecord(TRecordBuffer buffer, TGetMode mode, bool doCheck) override;
  void InternalInitRecord(TRecordBuffer buffer) override;
  TRecordBuffer AllocRecordBuffer() override;
  void FreeRecordBuffer(TRecordBuffer& buffer) override;
  TBookmark GetBookmarkData(TRecordBuffer buffer) override;
  void SetBookmarkData(TRecordBuffer buffer, const TBookmark& bookmark) override;
  TBookmarkFlag GetBookmarkFlag(TRecordBuffer buffer) override;
  void SetBookmarkFlag(TRecordBuffer buffer, TBookmarkFlag flag) override;
  void InternalGotoBookmark(const TBookmark& bookmark) override;
  void InternalSetToRecord(TRecordBuffer buffer) override;
  void InternalPost() override;
  void InternalDelete() override;
  void InternalInsert() override { store_->ClearModifiedMarks(); }
  void InternalEdit() override { Materialize(reinterpret_cast<TMemRecord*>(ActiveBuffer())); }
  void InternalCancel() override { store_->ClearModifiedMarks(); }
  void InternalRefresh() override;
  void FreeFieldBuffers() override;
  void ClearCalcFields(TRecordBuffer buffer) override;

  void DoBeforeInsert() override;
  void DoBeforePost() override;
  void DoAfterPost() override;
  void DoAfterDelete() override;
  void DoBeforeClose() override;
  void DoAfterOpen() override;
  void DoOnNewRecord() override;
  bool NotificationsBlocked() const override { return tableLockCount_ > 0; }
  void Notification(component::TComponent* component, component::TOperation operation) override;

 private:
  friend class TMemIndex;
  friend class TMemTableSearch;
  friend class TMemTableSharing;

  // Reading.
  TMemIndex* EnsureCurrent();
  void CopyToBuffer(TMemRecord* buffer, TMemRecord* rec);
  TGetResult StepFiltered(TGetMode mode, const std::vector<TMemRecord*>& refs);
  TMemRecord* StoredRecordOf(const TMemRecord* buffer) const;
  // A browsing buffer may read through to its stored record (marked in the
  // header's reserved field); these give it its own copy, or find the data.
  static constexpr std::uint16_t kLazyBuffer = 1;
  void Materialize(TMemRecord* buffer) {
    if (buffer->reserved == kLazyBuffer) MaterializeLazy(buffer);
  }
  void MaterializeLazy(TMemRecord* buffer);
  const TMemRecord* DataRecordOf(const TMemRecord* rec) const {
    if (rec->reserved == kLazyBuffer) return store_->BookmarkRecord(rec, attachIndex_);
    return rec;
  }
  // The data area a stored record or a buffer reads from.
  const std::uint8_t* RecordData(const TMemRecord* rec) const { return DataRecordOf(rec)->Data(); }

  // Editing.
  void AutoIncReset();
  void AddRecordToStore(TMemRecord* buffer);
  void WriteBackRecord(TMemRecord* buffer);
  void CheckUnique(const TMemRecord* rec, const TMemRecord* except);
  void EmptyStore();

  // Field data.
  // Bytes the calculated and lookup fields need; BindCalcFields gives each
  // its place in the record's calculated area.
  int CalcFieldsSize() const;
  void BindCalcFields();
  bool GetCalcFieldData(TField* field, TMemRecord* rec, void* dest);
  bool GetVarFieldData(TField* field, TMemRecord* rec, void* dest);
  bool GetFieldDataSlow(TField* field, void* dest);
  // The record a read addresses in the current state (null when none).
  TMemRecord* ReadRecordFor(const TField* field);
  // The buffer reads go to (the oldest version while showing old values).
  TMemRecord* ReadBuffer();
  // The state and read-only checks of a write, then the field's OnValidate
  // with the pending value; false when the cursor is closed.
  bool BeginFieldWrite(TField* field, const void* pending);
  // The variable-length block a read takes: the buffer's own or its stored
  // record's; null with the field null.
  const TVarBlock* VarBlockFor(TMemRecord* rec, int offset);
  void StoreVarBytes(TField* field, TMemRecord* rec, std::string bytes);
  void SetVarFieldData(TField* field, TMemRecord* rec, const void* src);
  void SetFieldDataSlow(TField* field, const void* src);
  // The buffer a read of a fixed-width field takes its value from in the
  // states that address the active record; null sends the read the long way.
  TRecordBuffer PlainReadBuffer(const TField* field) const {
    if (!cursorOpen_ || field->varLength_ || field->FieldNo() < 1) return nullptr;
    switch (State()) {
      case dsBrowse:
      case dsEdit:
      case dsInsert:
        return ActiveBuffer();
      default:
        return nullptr;
    }
  }
  // The record buffer a write of a fixed-width data field goes straight into:
  // editing, writable, nothing to validate. Null sends the write the long way,
  // which also raises whatever error applies.
  TMemRecord* PlainWriteTarget(const TField* field) const {
    if (!cursorOpen_ || (State() != dsInsert && State() != dsEdit) || ReadOnly() ||
        field->ReadOnly() || field->FieldKind() != fkData || field->varLength_ ||
        field->OnValidate || field->FieldNo() < 1)
      return nullptr;
    return reinterpret_cast<TMemRecord*>(ActiveBuffer());
  }
  // A native value copy; the common widths need no call.
  static void CopyNative(void* dest, const void* src, int width) {
    switch (width) {
      case 2:
        std::memcpy(dest, src, 2);
        break;
      case 4:
        std::memcpy(dest, src, 4);
        break;
      case 8:
        std::memcpy(dest, src, 8);
        break;
      default:
        std::memcpy(dest, src, width);
        break;
    }
  }

  // Persistence (MemTablePersistence.cpp).
  TMemTableStreamFormat* FormatFor(TMemTableStreamFormat* given, component::TComponent* preferred);
  std::vector<TField*> SavedFields();
  // The table as an image; `notify` gives the events, notices and limits of a save.
  TTableImage MakeImage(TMemTableFormatOptions options, bool notify);
  // An image without rows; `fields` are the fields whose values the rows hold.
  TTableImage ImageHead(TMemTableFormatOptions options, bool notify, std::vector<TField*>& fields);
  // The saved rows, value by value, into a sink (MemTablePersistence.cpp).
  template <class Sink>
  void EmitRows(TMemTableFormatOptions options, bool notify, const std::vector<TField*>& fields,
                Sink& sink);
  void ReadStoredValue(TField* field, const TMemRecord* rec, std::string& out, bool& null);
  void WriteLoadedValue(TField* field, TMemRecord* buffer, std::string_view value);
  void LoadIntoOpenTable(const TTableImage& image);
  void ApplyImage(const TTableImage& image, const std::vector<TField*>& targets, bool loading);
  void LoadPersistentFile();
  void LoadFormData();
  void SavePersistentFile();
  std::unique_ptr<TMemTableStreamFormat> builtinFormat_;
  component::TBytes formData_;
  bool persistentUnread_ = false;

  void SetFormat(int which, component::TComponent* c) {
    if (c) c->FreeNotification(this);
    formats_[which] = c;
  }
  component::TComponent* formats_[3] = {};

  // Indexes.
  void CreateIndexesFromDefs();
  void MarkIndexesOutOfDate();
  void RebuildIndexes();
  void ResetPositionsAfterRebuild();

  // Where the records are: the store (the table's own or a shared one) and
  // the table's entry among the tables sharing it.
  TMemTableStore* store_ = nullptr;
  int attachIndex_ = 0;
  // The parts. sharing_ holds the table's own store: declared before the
  // indexes and the rest, it outlives them.
  TMemTableSharing sharing_{*this};
  TMemTableSearch search_{*this};

  bool designActivation_ = true;
  bool cursorOpen_ = false;
  TMemIndexes indexes_;
  TMemIndex* currentIndex_ = nullptr;
  TIndexDefs indexDefs_;
  std::string indexName_;
  std::string indexFieldNames_;
  bool enableIndexes_ = true;
  bool autoAddIndexes_ = false;
  bool autoReposition_ = false;
  bool recalcOnIndex_ = false;
  bool recalcOnFetch_ = true;
  TDataSource* masterSource_ = nullptr;
  TMemTableProgressCodes progressFlags_ = 0;
  int position_ = -1;
  int pendingPos_ = -1;
  int rememberedRecNo_ = -1;
  TField* autoIncField_ = nullptr;
  bool inAfterOpen_ = false;
  // 16-byte pieces of a record that field reads touched; prefetched while
  // walking records that do not lie in memory order.
  std::uint64_t hotPieces_ = 0;
  // The hot pieces as byte offsets of a record to prefetch, remade when they
  // change.
  static constexpr int kMaxPrefetch = 24;
  std::int16_t prefetchOffsets_[kMaxPrefetch];
  int prefetchCount_ = 0;
  std::uint64_t offsetsMadeFor_ = ~std::uint64_t(0);
  void MakePrefetchOffsets();
  int tableLockCount_ = 0;
  std::string sortFields_;
  TMemTableCompareOptions sortOptions_ = 0;
  static constexpr int kAhead = 6;
  std::unique_ptr<TStoredIndexDefs> storedIndexDefs_;
};

// The published memory table.
class TMemTable : public TCustomMemTable {
 public:
  COMPONENT_CLASS_INFO()

  TMemTable() = default;
  explicit TMemTable(component::TComponent* owner) {
    if (owner) owner->InsertComponent(this);
  }
  explicit TMemTable(std::string name) { SetName(std::move(name)); }
  ~TMemTable() override;
};

}  // namespace memtable
