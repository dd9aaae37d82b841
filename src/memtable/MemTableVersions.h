// Versions of stored records and the transaction levels they are kept for.
//
// A record's earlier versions hang from it, newest first; each version and
// each record remembers the transaction level it was made at, so a rollback
// knows what to put back and a commit what is no longer needed. All of it
// lives in the record store, so every table sharing the store sees one
// history; the tables bring their cursors and indexes up to date afterwards.
#pragma once

#include "memtable/MemTableStore.h"

namespace memtable {

class TMemTableVersions {
 public:
  explicit TMemTableVersions(TMemTableStore& store) : store_(store) {}

  // Whether an edit of rec keeps the version it replaces: with versioning
  // on, always while every change since the check point is kept, otherwise
  // only for its first change in a transaction level.
  bool KeepsEditOf(const TMemRecord* rec) const;
  // Hangs a copy of rec, as it is now, in front of its older versions.
  void Keep(TMemRecord* rec);

  // Opens one more transaction level.
  void Begin() { ++store_.transactionLevel; }
  // Merges the innermost level into the one around it; nothing when none is
  // open.
  void Commit();
  // Puts back every record as it was before the innermost level and closes
  // that level; false when none is open.
  bool Rollback();
  // Drops every kept version and deleted record; the records left count as
  // unmodified.
  void CheckPoint();

 private:
  TMemTableStore& store_;
};

}  // namespace memtable
