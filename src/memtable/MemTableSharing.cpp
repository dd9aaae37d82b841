// Attachment of tables to a shared store, index management, versioning and
// transactions.
#include <algorithm>

#include "memtable/MemTable.h"

namespace memtable {

// --- indexes ----------------------------------------------------------------

void TCustomMemTable::MarkIndexesOutOfDate() {
  for (auto& idx : indexes_) idx->SetUpToDate(false);
}

void TCustomMemTable::RebuildIndexes() {
  for (auto& idx : indexes_)
    if (!idx->UpToDate()) idx->Rebuild();
  ResetPositionsAfterRebuild();
}

void TCustomMemTable::ResetPositionsAfterRebuild() {
  int count = currentIndex_->Count();
  if (position_ >= count) position_ = count - 1;
}

void TCustomMemTable::UpdateIndexes() {
  CheckActive();
  MarkIndexesOutOfDate();
  RebuildIndexes();
}

TMemIndex* TCustomMemTable::AddIndex(const std::string& name, const std::string& fields,
                                     TMemTableCompareOptions options) {
  if (name.empty() || fields.empty()) throw EMemTableError(SMissingIndexFields);
  if (TMemIndex* existing = indexes_.Find(name)) {
    if (existing == currentIndex_) currentIndex_ = indexes_.RowOrder();
    indexes_.Remove(existing);
  }
  auto idx = std::make_unique<TMemIndex>(this, name, fields, options, false);
  if (cursorOpen_) {
    idx->BindFields();
    idx->Rebuild();
  }
  return indexes_.Add(std::move(idx));
}

void TCustomMemTable::DeleteIndex(const std::string& name) {
  TMemIndex* idx = indexes_.Find(name);
  if (!idx || idx->IsRowOrder()) return;
  if (idx == currentIndex_) {
    currentIndex_ = indexes_.RowOrder();
    if (Active()) {
      CheckBrowseMode();
      First();
    }
  }
  indexes_.Remove(idx);
}

void TCustomMemTable::SetIndexName(const std::string& name) {
  indexName_ = name;
  if (!name.empty()) indexFieldNames_.clear();
  if (!cursorOpen_) return;
  TMemIndex* idx = name.empty() ? indexes_.RowOrder() : indexes_.Find(name);
  if (!idx) Error(Format(SIndexNotFound, name.c_str()));
  if (Active() && State() != dsBrowse) CheckBrowseMode();
  currentIndex_ = idx;
  if (!idx->UpToDate()) idx->Rebuild();
  position_ = -1;
  if (Active() && !inAfterOpen_) First();
}

void TCustomMemTable::SetIndexFieldNames(const std::string& names) {
  indexFieldNames_ = names;
  if (!names.empty()) indexName_.clear();
  if (!cursorOpen_) return;
  TMemIndex* idx = indexes_.RowOrder();
  if (!names.empty()) {
    idx = nullptr;
    for (auto& i : indexes_)
      if (!i->IsRowOrder() && i->FieldNames() == names) idx = i.get();
    if (!idx) {
      auto created = std::make_unique<TMemIndex>(this, kAutoIndexPrefix + names, names, 0, false);
      created->BindFields();
      created->Rebuild();
      idx = indexes_.Add(std::move(created));
    }
  }
  if (Active() && State() != dsBrowse) CheckBrowseMode();
  currentIndex_ = idx;
  if (!idx->UpToDate()) idx->Rebuild();
  position_ = -1;
  if (Active() && !inAfterOpen_) First();
}

void TCustomMemTable::SortOn(const std::string& fields, TMemTableCompareOptions options) {
  CheckActive();
  CheckBrowseMode();
  if (fields.empty()) throw EMemTableError(SMissingIndexFields);
  DoProgress(0, mtpcSort);
  AddIndex("__MT__SORT", fields, options);
  DoProgress(100, mtpcSort);
  SetIndexName("__MT__SORT");
}

void TCustomMemTable::Lock() {
  store_->Lock();
  ++tableLockCount_;
}

void TCustomMemTable::Unlock() {
  if (tableLockCount_ == 0) return;
  --tableLockCount_;
  store_->Unlock();
}

// --- attachment -------------------------------------------------------------

void TCustomMemTable::CheckSharingClosed() const {
  for (TCustomMemTable* t : store_->attachedTables)
    if (t && t->Active()) throw EMemTableError(STableMustBeClosed);
}

void TCustomMemTable::TakeFreshStore() {
  ownStore_ = std::make_unique<TMemTableStore>(this);
  store_ = ownStore_.get();
  attachIndex_ = 0;
}

void TCustomMemTable::DetachFromStore() {
  if (!attachedTo_) return;
  auto& list = store_->attachedTables;
  if (attachIndex_ >= 0 && attachIndex_ < static_cast<int>(list.size()) &&
      list[attachIndex_] == this)
    list[attachIndex_] = nullptr;
  attachedTo_ = nullptr;
}

void TCustomMemTable::SetAttachedTo(TCustomMemTable* table) {
  if (table == attachedTo_) return;
  if (table == this) throw EMemTableError(SAttachToSelf);
  Close();
  if (attachedTo_) {
    DetachFromStore();
    TakeFreshStore();
  }
  if (!table) return;
  if (table->attachedTo_) throw EMemTableError(SAttachToAttached);
  if (store_->attachedTables.size() > 1 &&
      std::any_of(store_->attachedTables.begin() + 1, store_->attachedTables.end(),
                  [](TCustomMemTable* t) { return t != nullptr; }))
    throw EMemTableError(SChildrenAttached);
  TMemTableStore* target = table->store_;
  auto& list = target->attachedTables;
  auto empty = std::find(list.begin(), list.end(), nullptr);
  int index;
  if (empty != list.end()) {
    index = static_cast<int>(empty - list.begin());
  } else {
    for (TCustomMemTable* t : list)
      if (t && t->Active()) throw EMemTableError(STableMustBeClosed);
    list.push_back(nullptr);
    index = static_cast<int>(list.size()) - 1;
    target->attachMaxCount = std::max<int>(target->attachMaxCount, static_cast<int>(list.size()));
  }
  if (index >= target->attachMaxCount) target->attachMaxCount = index + 1;
  list[index] = this;
  ownStore_.reset();
  store_ = target;
  attachIndex_ = index;
  attachedTo_ = table;
  FieldDefs() = table->FieldDefs();
  for (TField* f : table->Fields()) {
    if (FindField(f->FieldName())) continue;
    auto copy = CreateFieldForType(f->DataType(), f->Size(), f->FieldName());
    copy->SetRequired(f->Required());
    copy->SetReadOnly(f->ReadOnly());
    copy->SetFieldKind(f->FieldKind());
    AddField(std::move(copy));
  }
}

void TCustomMemTable::SetAttachMaxCount(int v) {
  if (v <= 0) throw ERangeError(SInvalidArgument);
  TStoreLock lock(store_);
  CheckSharingClosed();
  store_->attachMaxCount = v;
  // Entries in use are kept so no attached table loses its place.
  int used = 0;
  for (int i = 0; i < static_cast<int>(store_->attachedTables.size()); ++i)
    if (store_->attachedTables[i]) used = i + 1;
  store_->attachedTables.resize(std::max(v, used), nullptr);
  if (store_->attachMaxCount < used) store_->attachMaxCount = used;
}

void TCustomMemTable::SetStandalone(bool v) {
  TStoreLock lock(store_);
  if (store_->standalone == v) return;
  if (Active()) throw EMemTableError(STableMustBeClosed);
  if (attachedTo_) throw EMemTableError(SIsAttached);
  int entries = 0;
  for (TCustomMemTable* t : store_->attachedTables)
    if (t) ++entries;
  if (entries > 1) throw EMemTableError(SChildrenAttached);
  store_->standalone = v;
}

// --- versioning and transactions --------------------------------------------

void TCustomMemTable::StartTransaction() {
  if (!Active() || !store_->enableVersioning || store_->versioningMode != mtvmAllSinceCheckPoint)
    throw EMemTableError(STransactionVersioning);
  TStoreLock lock(store_);
  ++store_->transactionLevel;
}

void TCustomMemTable::Commit() {
  TStoreLock lock(store_);
  int level = store_->transactionLevel;
  if (level <= 0) return;
  for (TMemRecord* rec : store_->slots) {
    if (!rec) continue;
    for (TMemRecord* r = rec; r; r = r->previousVersion)
      if (r->transactionLevel >= level) r->transactionLevel = level - 1;
    // Versions made inside the committed level are no longer needed: the outer
    // level rolls back to the state before its own first change.
    TMemRecord* keep = rec;
    while (keep->previousVersion && keep->previousVersion->transactionLevel == level - 1 &&
           level - 1 > 0) {
      TMemRecord* drop = keep->previousVersion;
      keep->previousVersion = drop->previousVersion;
      drop->previousVersion = nullptr;
      store_->FreeRecord(drop);
    }
  }
  --store_->transactionLevel;
}

void TCustomMemTable::Rollback() {
  CheckActive();
  if (State() == dsEdit || State() == dsInsert) Cancel();
  {
    TStoreLock lock(store_);
    int level = store_->transactionLevel;
    if (level <= 0) return;
    for (std::size_t s = 0; s < store_->slots.size(); ++s) {
      TMemRecord* rec = store_->slots[s];
      while (rec && rec->transactionLevel >= level) {
        TMemRecord* prev = rec->previousVersion;
        if (rec->updateStatus == usDeleted) --store_->deletedCount;
        if (prev) {
          prev->slot = rec->slot;
          prev->serial = rec->serial;
          store_->slots[s] = prev;
          rec->previousVersion = nullptr;
          store_->FreeRecord(rec);
          rec = prev;
          if (rec->updateStatus == usDeleted) ++store_->deletedCount;
        } else if (rec->updateStatus == usInserted) {
          store_->slots[s] = nullptr;
          store_->freeSlots.push_back(static_cast<std::int32_t>(s));
          store_->FreeRecord(rec);
          rec = nullptr;
        } else {
          break;
        }
      }
    }
    --store_->transactionLevel;
    for (TCustomMemTable* t : store_->attachedTables)
      if (t && t->cursorOpen_) {
        t->MarkIndexesOutOfDate();
        t->RebuildIndexes();
      }
  }
  for (TCustomMemTable* t : std::vector<TCustomMemTable*>(store_->attachedTables))
    if (t && t->Active()) t->Refresh();
}

void TCustomMemTable::CheckPoint() {
  CheckActive();
  CheckBrowseMode();
  {
    TStoreLock lock(store_);
    DoProgress(0, mtpcCheckPoint);
    for (std::size_t s = 0; s < store_->slots.size(); ++s) {
      TMemRecord* rec = store_->slots[s];
      if (!rec) continue;
      if (rec->previousVersion) {
        store_->FreeRecord(rec->previousVersion);
        rec->previousVersion = nullptr;
      }
      if (rec->updateStatus == usDeleted) {
        store_->StoreRemove(rec);
        continue;
      }
      rec->updateStatus = usUnmodified;
    }
    store_->deletedCount = 0;
    for (TCustomMemTable* t : store_->attachedTables)
      if (t && t->cursorOpen_) {
        t->MarkIndexesOutOfDate();
        t->RebuildIndexes();
      }
    DoProgress(100, mtpcCheckPoint);
  }
  for (TCustomMemTable* t : std::vector<TCustomMemTable*>(store_->attachedTables))
    if (t && t->Active()) t->Refresh();
}

}  // namespace memtable
