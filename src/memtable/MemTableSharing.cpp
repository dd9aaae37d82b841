// Attachment of memory tables to a shared record store, and the work that
// spans every table sharing one.
#include "memtable/MemTableSharing.h"

#include <algorithm>
#include <vector>

#include "memtable/MemTable.h"

namespace memtable {

void TMemTableSharing::CheckClosed() const {
  for (TCustomMemTable* t : table_.store_->attachedTables)
    if (t && t->Active()) throw EMemTableError(STableMustBeClosed);
}

void TMemTableSharing::TakeFreshStore() {
  ownStore_ = std::make_unique<TMemTableStore>(&table_);
  table_.store_ = ownStore_.get();
  table_.attachIndex_ = 0;
}

void TMemTableSharing::Detach() {
  if (!attachedTo_) return;
  auto& list = table_.store_->attachedTables;
  const int index = table_.attachIndex_;
  if (index >= 0 && index < static_cast<int>(list.size()) && list[index] == &table_)
    list[index] = nullptr;
  attachedTo_ = nullptr;
}

void TMemTableSharing::Leave() {
  if (attachedTo_) {
    Detach();
    return;
  }
  // Tables sharing this store lose it: close them and give them their own.
  for (TCustomMemTable* t : std::vector<TCustomMemTable*>(table_.store_->attachedTables)) {
    if (!t || t == &table_) continue;
    try {
      t->Close();
    } catch (...) {
      // A table going cannot fail; the other is moved off the store anyway.
    }
    t->sharing_.attachedTo_ = nullptr;
    t->sharing_.TakeFreshStore();
  }
}

void TMemTableSharing::AttachTo(TCustomMemTable* owner) {
  if (owner == attachedTo_) return;
  if (owner == &table_) throw EMemTableError(SAttachToSelf);
  table_.Close();
  if (attachedTo_) {
    Detach();
    TakeFreshStore();
  }
  if (!owner) return;
  if (owner->sharing_.attachedTo_) throw EMemTableError(SAttachToAttached);
  const auto& mine = table_.store_->attachedTables;
  if (mine.size() > 1 &&
      std::any_of(mine.begin() + 1, mine.end(), [](TCustomMemTable* t) { return t != nullptr; }))
    throw EMemTableError(SChildrenAttached);
  TMemTableStore* target = owner->store_;
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
  list[index] = &table_;
  ownStore_.reset();
  table_.store_ = target;
  table_.attachIndex_ = index;
  attachedTo_ = owner;
  table_.FieldDefs() = owner->FieldDefs();
  for (TField* f : owner->Fields()) {
    if (table_.FindField(f->FieldName())) continue;
    const TFieldDef* def = table_.FieldDefs().Find(f->FieldName());
    auto copy =
        CreateFieldForType(f->DataType(), f->Size(), f->FieldName(), def ? def->Precision() : 0);
    copy->SetRequired(f->Required());
    copy->SetReadOnly(f->ReadOnly());
    copy->SetFieldKind(f->FieldKind());
    copy->SetLookupDataSet(f->LookupDataSet());
    copy->SetKeyFields(f->KeyFields());
    copy->SetLookupKeyFields(f->LookupKeyFields());
    copy->SetLookupResultField(f->LookupResultField());
    table_.AddField(std::move(copy));
  }
}

void TMemTableSharing::SetMaxCount(int v) {
  if (v <= 0) throw ERangeError(SInvalidArgument);
  TMemTableStore* store = table_.store_;
  TStoreLock lock(store);
  CheckClosed();
  store->attachMaxCount = v;
  // Entries in use are kept so no attached table loses its place.
  int used = 0;
  for (int i = 0; i < static_cast<int>(store->attachedTables.size()); ++i)
    if (store->attachedTables[i]) used = i + 1;
  store->attachedTables.resize(std::max(v, used), nullptr);
  if (store->attachMaxCount < used) store->attachMaxCount = used;
}

void TMemTableSharing::SetStandalone(bool v) {
  TMemTableStore* store = table_.store_;
  TStoreLock lock(store);
  if (store->standalone == v) return;
  if (table_.Active()) throw EMemTableError(STableMustBeClosed);
  if (attachedTo_) throw EMemTableError(SIsAttached);
  int entries = 0;
  for (TCustomMemTable* t : store->attachedTables)
    if (t) ++entries;
  if (entries > 1) throw EMemTableError(SChildrenAttached);
  store->standalone = v;
}

void TMemTableSharing::RefreshOthers() {
  const auto& list = table_.store_->attachedTables;
  if (!autoRefresh_ || list.size() <= 1) return;
  for (TCustomMemTable* t : std::vector<TCustomMemTable*>(list))
    if (t && t != &table_ && t->Active() && t->State() == dsBrowse) t->Refresh();
}

void TMemTableSharing::RebuildIndexes() {
  for (TCustomMemTable* t : table_.store_->attachedTables)
    if (t && t->cursorOpen_) {
      t->MarkIndexesOutOfDate();
      t->RebuildIndexes();
    }
}

void TMemTableSharing::RefreshAll() {
  for (TCustomMemTable* t : std::vector<TCustomMemTable*>(table_.store_->attachedTables))
    if (t && t->Active()) t->Refresh();
}

}  // namespace memtable
