// Versions of stored records, transactions over them and check points: the
// store's history, and the table operations that open, close and drop it.
#include "memtable/MemTableVersions.h"

#include <vector>

#include "memtable/MemTable.h"

namespace memtable {

// --- the store's history ----------------------------------------------------

bool TMemTableVersions::KeepsEditOf(const TMemRecord* rec) const {
  return store_.enableVersioning &&
         (store_.versioningMode == mtvmAllSinceCheckPoint || !rec->previousVersion ||
          rec->previousVersion->transactionLevel < store_.transactionLevel);
}

void TMemTableVersions::Keep(TMemRecord* rec) {
  TMemRecord* copy = store_.DuplicateRecord(rec);
  copy->previousVersion = rec->previousVersion;
  copy->flags |= 1;
  rec->previousVersion = copy;
}

void TMemTableVersions::Commit() {
  int level = store_.transactionLevel;
  if (level <= 0) return;
  for (TMemRecord* rec : store_.slots) {
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
      store_.FreeRecord(drop);
    }
  }
  --store_.transactionLevel;
}

bool TMemTableVersions::Rollback() {
  int level = store_.transactionLevel;
  if (level <= 0) return false;
  for (std::size_t s = 0; s < store_.slots.size(); ++s) {
    TMemRecord* rec = store_.slots[s];
    while (rec && rec->transactionLevel >= level) {
      TMemRecord* prev = rec->previousVersion;
      if (rec->updateStatus == usDeleted) --store_.deletedCount;
      if (prev) {
        prev->slot = rec->slot;
        prev->serial = rec->serial;
        store_.slots[s] = prev;
        rec->previousVersion = nullptr;
        store_.FreeRecord(rec);
        rec = prev;
        if (rec->updateStatus == usDeleted) ++store_.deletedCount;
      } else if (rec->updateStatus == usInserted) {
        store_.slots[s] = nullptr;
        store_.freeSlots.push_back(static_cast<std::int32_t>(s));
        store_.FreeRecord(rec);
        rec = nullptr;
      } else {
        break;
      }
    }
  }
  --store_.transactionLevel;
  return true;
}

void TMemTableVersions::CheckPoint() {
  for (std::size_t s = 0; s < store_.slots.size(); ++s) {
    TMemRecord* rec = store_.slots[s];
    if (!rec) continue;
    if (rec->previousVersion) {
      store_.FreeRecord(rec->previousVersion);
      rec->previousVersion = nullptr;
    }
    if (rec->updateStatus == usDeleted) {
      store_.StoreRemove(rec);
      continue;
    }
    rec->updateStatus = usUnmodified;
  }
  store_.deletedCount = 0;
}

// --- the table's transactions -----------------------------------------------

void TCustomMemTable::StartTransaction() {
  if (!Active() || !store_->enableVersioning || store_->versioningMode != mtvmAllSinceCheckPoint)
    throw EMemTableError(STransactionVersioning);
  TStoreLock lock(store_);
  TMemTableVersions(*store_).Begin();
}

void TCustomMemTable::Commit() {
  TStoreLock lock(store_);
  TMemTableVersions(*store_).Commit();
}

void TCustomMemTable::Rollback() {
  CheckActive();
  if (State() == dsEdit || State() == dsInsert) Cancel();
  {
    TStoreLock lock(store_);
    if (!TMemTableVersions(*store_).Rollback()) return;
    sharing_.RebuildIndexes();
  }
  sharing_.RefreshAll();
}

void TCustomMemTable::CheckPoint() {
  CheckActive();
  CheckBrowseMode();
  {
    TStoreLock lock(store_);
    DoProgress(0, mtpcCheckPoint);
    TMemTableVersions(*store_).CheckPoint();
    sharing_.RebuildIndexes();
    DoProgress(100, mtpcCheckPoint);
  }
  sharing_.RefreshAll();
}

}  // namespace memtable
