// Attachment: memory tables that share one record store.
//
// A store's first entry is the table that owns it; attached tables take the
// entries after it and keep theirs (and with it their place in the bookmark
// entries of every record buffer) until they detach, so a freed entry is
// reused before the list grows. A table attaches only to an owner, never to
// a table that is itself attached, and only while the tables are closed. When
// the owner goes, each attached table is closed and given a store of its own.
#pragma once

#include <memory>

#include "memtable/MemTableStore.h"

namespace memtable {

class TCustomMemTable;

class TMemTableSharing {
 public:
  explicit TMemTableSharing(TCustomMemTable& table) : table_(table) {}
  TMemTableSharing(const TMemTableSharing&) = delete;
  TMemTableSharing& operator=(const TMemTableSharing&) = delete;

  TCustomMemTable* AttachedTo() const { return attachedTo_; }
  bool AutoRefresh() const { return autoRefresh_; }
  void SetAutoRefresh(bool v) { autoRefresh_ = v; }

  // Gives the table a new, empty store of its own.
  void TakeFreshStore();
  // Closes the table and moves it to the store of owner (null: back to a
  // store of its own).
  void AttachTo(TCustomMemTable* owner);
  void SetMaxCount(int v);
  void SetStandalone(bool v);
  // On the table's going: it leaves the store it is attached to, or, owning
  // its store, gives each table attached to it a store of its own.
  void Leave();

  // The other tables browsing the store see a post or delete made here
  // (when auto-refresh is on and there are others).
  void RefreshOthers();
  // Every open table sharing the store rebuilds its indexes, after records
  // changed under all of them.
  void RebuildIndexes();
  // Every active table sharing the store refreshes its records.
  void RefreshAll();

 private:
  void Detach();
  void CheckClosed() const;

  TCustomMemTable& table_;
  std::unique_ptr<TMemTableStore> ownStore_;
  TCustomMemTable* attachedTo_ = nullptr;
  bool autoRefresh_ = true;
};

}  // namespace memtable
