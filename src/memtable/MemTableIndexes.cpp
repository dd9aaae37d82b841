// The table's indexes: the ones it keeps up to date, the current order it
// reads in, and sorting.
#include <memory>

#include "memtable/MemTable.h"

namespace memtable {

void TCustomMemTable::CreateIndexesFromDefs() {
  indexes_.RowOrder()->BindFields();
  for (int i = 0; i < indexDefs_.Count(); ++i) {
    const TIndexDef& def = indexDefs_[i];
    if (def.Fields.empty() || def.Name.empty()) throw EMemTableError(SMissingIndexFields);
    auto idx =
        std::make_unique<TMemIndex>(this, def.Name, def.Fields, CompareOptionsOf(def), false);
    idx->BindFields();
    indexes_.Add(std::move(idx));
  }
}

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

}  // namespace memtable
