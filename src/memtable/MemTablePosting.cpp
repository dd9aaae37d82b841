// Posting and deleting: new records go into the store and every maintained
// index of the tables sharing it; edited ones are written back in place.
#include "memtable/MemTable.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "memtable/MemTableVersions.h"

namespace memtable {

namespace {
TMemRecord* Rec(TRecordBuffer b) {
  return reinterpret_cast<TMemRecord*>(b);
}
}  // namespace

// --- editing hooks ----------------------------------------------------------

void TCustomMemTable::DoBeforeInsert() {
  rememberedRecNo_ = RecNo();
  TDataSet::DoBeforeInsert();
}

void TCustomMemTable::DoOnNewRecord() {
  for (TField* f : Fields())
    if (!f->DefaultExpression().empty() && f->DataType() != ftLargeint)
      f->SetAsString(f->DefaultExpression());
  TDataSet::DoOnNewRecord();
  if (autoIncField_ && !Loading()) {
    TStoreLock lock(store_);
    // Past the largest number every further one would repeat an earlier one.
    if (store_->autoIncMax >= INT32_MAX)
      throw EMemTableError(Format(SAutoIncExhausted, autoIncField_->FieldName().c_str()));
    TMemRecord* b = Rec(ActiveBuffer());
    std::int32_t v = static_cast<std::int32_t>(store_->autoIncMax + 1);
    std::uint8_t* p = b->Data() + autoIncField_->offset_;
    p[0] = 2;
    std::memcpy(p + 1, &v, 4);
  }
}

void TCustomMemTable::DoBeforePost() {
  TDataSet::DoBeforePost();
  if (autoIncField_) {
    TStoreLock lock(store_);
    TMemRecord* b = Rec(ActiveBuffer());
    const std::uint8_t* p = b->Data() + autoIncField_->offset_;
    if (p[0] != 0) {
      std::int32_t v;
      std::memcpy(&v, p + 1, 4);
      if (v > store_->autoIncMax) store_->autoIncMax = v;
    }
  }
}

void TCustomMemTable::InternalPost() {
  CheckRequiredFields();
  TStoreLock lock(store_);
  TMemRecord* buffer = Rec(ActiveBuffer());
  // Indexes over calculated fields place the record by its values as they are now.
  if (recalcOnIndex_) GetCalcFields(reinterpret_cast<TRecordBuffer>(buffer));
  pendingPos_ = -1;
  if (State() == dsInsert)
    AddRecordToStore(buffer);
  else
    WriteBackRecord(buffer);
}

void TCustomMemTable::CheckUnique(const TMemRecord* rec, const TMemRecord* except) {
  for (TCustomMemTable* t : store_->attachedTables) {
    if (!t || !t->cursorOpen_) continue;
    for (auto& idx : t->indexes_) {
      if (idx->IsRowOrder() || !(idx->Options() & mtcoUnique) ||
          (idx->Options() & mtcoNonMaintained) || !idx->Enabled() || !t->enableIndexes_)
        continue;
      if (!idx->UpToDate()) idx->Rebuild();
      if (idx->HasEqualKey(rec, except)) throw EMemTableDupKey(SDupKey);
    }
  }
}

void TCustomMemTable::AddRecordToStore(TMemRecord* buffer) {
  CheckUnique(buffer, nullptr);
  bool append = GetBookmarkFlag(reinterpret_cast<TRecordBuffer>(buffer)) == bfEOF;
  TMemRecord* rec = store_->DuplicateRecord(buffer);
  TMemTableStore::FreeVarBlocks(*store_, buffer);
  rec->position = -1;
  rec->updateStatus = usUnmodified;
  bool ok = store_->StoreAdd(rec);
  if (!ok) throw EMemTableFatalError(SBookmarkOutOfRange);
  rec->transactionLevel = store_->transactionLevel;
  for (TCustomMemTable* t : store_->attachedTables) {
    if (!t || !t->cursorOpen_) continue;
    for (auto& idx : t->indexes_) {
      bool posting = t == this && idx.get() == currentIndex_;
      bool takes = !(idx->Options() & mtcoNonMaintained) && t->enableIndexes_ && idx->Enabled();
      if (!takes) {
        idx->SetUpToDate(false);
        continue;
      }
      if (!idx->UpToDate()) {
        idx->Rebuild();
        if (posting) pendingPos_ = rec->position = idx->FindRecord(rec);
        continue;
      }
      int rowPos = -1;
      if (idx->IsRowOrder() && posting && !append) rowPos = std::max(0, rememberedRecNo_ - 1);
      int pos = idx->InsertRecord(rec, rowPos);
      if (posting) {
        pendingPos_ = pos;
        rec->position = pos;
      }
    }
  }
  store_->dataModified = true;
  store_->ClearModifiedMarks();
  // The cursor follows the new record so the re-read shows it.
  if (currentIndex_->IsRowOrder() && pendingPos_ >= 0) position_ = pendingPos_;
}

void TCustomMemTable::WriteBackRecord(TMemRecord* buffer) {
  TMemRecord* rec = store_->BookmarkRecord(buffer, attachIndex_);
  if (!rec || !store_->IsStored(rec, rec->slot, rec->serial)) Error(SRecordNotFound);
  CheckUnique(buffer, rec);
  if (Modified()) {
    if (rec->updateStatus != usInserted) rec->updateStatus = usModified;
    TMemTableVersions versions(*store_);
    if (versions.KeepsEditOf(rec)) versions.Keep(rec);
    store_->dataModified = true;
  }
  // Sorted indexes must see the old key to find the record, so remove first.
  struct Touch {
    TCustomMemTable* table;
    TMemIndex* index;
  };
  std::vector<Touch> reinsert;
  for (TCustomMemTable* t : store_->attachedTables) {
    if (!t || !t->cursorOpen_) continue;
    for (auto& idx : t->indexes_) {
      if (idx->IsRowOrder()) continue;
      bool takes = !(idx->Options() & mtcoNonMaintained) && t->enableIndexes_ && idx->Enabled();
      if (!takes || !idx->UpToDate()) {
        idx->SetUpToDate(false);
        continue;
      }
      if (idx->CompareRecords(rec, buffer) != 0 ||
          !(idx->UpdateStatuses() & StatusBit(usModified))) {
        idx->RemoveRecord(rec);
        reinsert.push_back({t, idx.get()});
      }
    }
  }
  // Copy the new values in, keeping the store's own header fields.
  std::int32_t slot = rec->slot;
  std::uint32_t serial = rec->serial;
  TUpdateStatus status = rec->updateStatus;
  TMemRecord* prev = rec->previousVersion;
  std::vector<TVarBlock*> oldBlocks;
  for (int fieldNo : store_->VarFields())
    oldBlocks.push_back(TMemTableStore::GetVarBlock(rec, store_->DataOffset(fieldNo)));
  std::memcpy(rec, buffer, store_->StoredSize());
  rec->slot = slot;
  rec->serial = serial;
  rec->updateStatus = status;
  rec->previousVersion = prev;
  rec->position = -1;
  for (std::size_t k = 0; k < store_->VarFields().size(); ++k) {
    int off = store_->DataOffset(store_->VarFields()[k]);
    TVarBlock* own = TMemTableStore::GetVarBlock(buffer, off);
    if (own) {
      std::free(oldBlocks[k]);
      TMemTableStore::SetVarBlock(buffer, off, nullptr);
    } else if (rec->Data()[off] == 0) {
      std::free(oldBlocks[k]);
    } else {
      own = oldBlocks[k];
    }
    TMemTableStore::SetVarBlock(rec, off, own);
  }
  rec->flags |= 1;
  rec->transactionLevel = store_->transactionLevel;
  for (auto& t : reinsert) {
    if (!t.index->Shows(rec)) continue;
    int pos = t.index->InsertRecord(rec, -1);
    if (t.table == this && t.index == currentIndex_) pendingPos_ = pos;
  }
  store_->ClearModifiedMarks();
}

void TCustomMemTable::InternalDelete() {
  TStoreLock lock(store_);
  TMemIndex* cur = EnsureCurrent();
  if (position_ < 0 || position_ >= cur->Count()) Error(SRecordNotFound);
  TMemRecord* rec = cur->References()[position_];
  bool keep = store_->enableVersioning;
  for (TCustomMemTable* t : store_->attachedTables) {
    if (!t || !t->cursorOpen_) continue;
    for (auto& idx : t->indexes_) {
      bool posting = t == this && idx.get() == currentIndex_;
      bool takes = !(idx->Options() & mtcoNonMaintained) &&
                   ((t->enableIndexes_ && idx->Enabled()) || posting);
      if (!takes) {
        idx->SetUpToDate(false);
        continue;
      }
      if (keep && (idx->UpdateStatuses() & StatusBit(usDeleted))) continue;
      int pos = idx->RemoveRecord(rec);
      if (posting) pendingPos_ = pos;
    }
  }
  if (keep) {
    TMemTableVersions(*store_).Keep(rec);
    rec->updateStatus = usDeleted;
    rec->transactionLevel = store_->transactionLevel;
    ++store_->deletedCount;
  } else {
    store_->StoreRemove(rec);
  }
  store_->dataModified = true;
}

void TCustomMemTable::DoAfterPost() {
  sharing_.RefreshOthers();
  if (autoReposition_ && pendingPos_ >= 0) {
    position_ = pendingPos_;
    Resync(0);
  }
  TDataSet::DoAfterPost();
}

void TCustomMemTable::DoAfterDelete() {
  sharing_.RefreshOthers();
  TDataSet::DoAfterDelete();
}

void TCustomMemTable::InternalRefresh() {
  if (!currentIndex_->UpToDate()) EnsureCurrent();
  int count = currentIndex_->Count();
  if (position_ > count) position_ = count;
}

}  // namespace memtable
