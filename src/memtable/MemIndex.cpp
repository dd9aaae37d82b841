#include "memtable/MemIndex.h"

#include <strings.h>
#include <algorithm>

#include "memtable/MemTable.h"

#include <cstring>

namespace memtable {

namespace {
std::string Trim(const std::string& s) {
  std::size_t a = s.find_first_not_of(" \t");
  if (a == std::string::npos) return {};
  std::size_t b = s.find_last_not_of(" \t");
  return s.substr(a, b - a + 1);
}
}  // namespace

std::vector<TParsedKeyName> ParseFieldNames(const std::string& text) {
  std::vector<TParsedKeyName> out;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(';', start);
    if (end == std::string::npos) end = text.size();
    std::string part = Trim(text.substr(start, end - start));
    if (!part.empty()) {
      TParsedKeyName k;
      std::size_t colon = part.find(':');
      if (colon != std::string::npos) {
        for (char c : part.substr(colon + 1)) {
          switch (c) {
            case 'C':
            case 'c':
              k.options |= mtifoCaseInsensitive;
              break;
            case 'D':
            case 'd':
              k.options |= mtifoDescending;
              break;
            case 'N':
            case 'n':
              k.options |= mtifoIgnoreNull;
              break;
            case 'P':
            case 'p':
              k.options |= mtifoPartial;
              break;
            case 'L':
            case 'l':
              k.options |= mtifoIgnoreLocale;
              break;
            default:
              break;
          }
        }
        part = Trim(part.substr(0, colon));
      }
      k.name = part;
      out.push_back(k);
    }
    start = end + 1;
  }
  return out;
}

TMemIndex::TMemIndex(TCustomMemTable* table, std::string name, std::string fieldNames,
                     TMemTableCompareOptions options, bool rowOrder)
    : table_(table),
      name_(std::move(name)),
      fieldNames_(std::move(fieldNames)),
      options_(options),
      rowOrder_(rowOrder) {}

void TMemIndex::BindFields() {
  fieldList_.clear();
  if (rowOrder_) return;
  fieldList_ = table_->BuildFieldList(fieldNames_, true);
  TIndexFieldOptions extra = 0;
  if (options_ & mtcoDescending) extra |= mtifoDescending;
  if (options_ & mtcoCaseInsensitive) extra |= mtifoCaseInsensitive;
  if (options_ & mtcoPartialKey) extra |= mtifoPartial;
  if (options_ & mtcoIgnoreNullKey) extra |= mtifoIgnoreNull;
  if (options_ & mtcoIgnoreLocale) extra |= mtifoIgnoreLocale;
  for (auto& f : fieldList_) f.options |= extra;
  keyCache_ = false;
  if (!fieldList_.empty() && !fieldList_[0].varLength &&
      !(fieldList_[0].options & mtifoIgnoreNull)) {
    switch (fieldList_[0].type) {
      case ftInteger:
      case ftAutoInc:
      case ftDate:
      case ftTime:
      case ftSmallint:
      case ftWord:
      case ftBoolean:
        keyCache_ = true;
        break;
      default:
        break;
    }
  }
  keys_.clear();
}

std::int64_t TMemIndex::Ordinal(const TMemRecord* rec) const {
  const TMemKeyField& f = fieldList_[0];
  const std::uint8_t* p = table_->DataRecordOf(rec)->Data() + f.offset;
  bool desc = f.options & mtifoDescending;
  if (p[0] == 0) return desc ? INT64_MAX : INT64_MIN;
  std::int64_t v;
  switch (f.type) {
    case ftSmallint: {
      std::int16_t x;
      std::memcpy(&x, p + 1, 2);
      v = x;
      break;
    }
    case ftWord: {
      std::uint16_t x;
      std::memcpy(&x, p + 1, 2);
      v = x;
      break;
    }
    case ftBoolean: {
      std::uint16_t x;
      std::memcpy(&x, p + 1, 2);
      v = x != 0;
      break;
    }
    default: {
      std::int32_t x;
      std::memcpy(&x, p + 1, 4);
      v = x;
      break;
    }
  }
  return desc ? -v : v;
}

void TMemIndex::RebuildKeys() {
  keys_.clear();
  slotKeys_.clear();
  if (rowOrder_) {
    TMemTableStore::Reserve(slotKeys_, refs_.size());
    for (TMemRecord* r : refs_) slotKeys_.push_back(r->slot);
    return;
  }
  if (!keyCache_) return;
  keys_.reserve(refs_.size());
  for (TMemRecord* r : refs_) keys_.push_back(Ordinal(r));
}

bool TMemIndex::Shows(TMemRecord* rec) {
  if (!(updateStatuses_ & StatusBit(rec->updateStatus))) return false;
  return table_->PassesIndexFilter(this, rec);
}

int TMemIndex::CompareRecords(const TMemRecord* a, const TMemRecord* b) const {
  return table_->CompareRecords(a, b, fieldList_, 0, 0, false, false);
}

void TMemIndex::Rebuild() {
  TMemTableStore* store = table_->Store();
  refs_.clear();
  TMemTableStore::Reserve(refs_, store->slots.size());
  for (TMemRecord* r : store->slots) {
    if (!r) continue;
    if (r->updateStatus == usDeleted && !store->enableVersioning) continue;
    if (!Shows(r)) continue;
    refs_.push_back(r);
  }
  if (!rowOrder_) {
    // Calculated keys are sorted by their values as they are now.
    bool calculatedKey = std::any_of(fieldList_.begin(), fieldList_.end(),
                                     [](const TMemKeyField& f) { return f.fieldNo < 1; });
    if (calculatedKey && table_->RecalcOnIndex() && table_->CalcFieldsWanted())
      for (TMemRecord* r : refs_) table_->GetCalcFields(reinterpret_cast<TRecordBuffer>(r));
    table_->DoProgress(0, mtpcSort);
    std::stable_sort(refs_.begin(), refs_.end(),
                     [this](TMemRecord* a, TMemRecord* b) { return CompareRecords(a, b) < 0; });
    table_->DoProgress(100, mtpcSort);
    if (options_ & mtcoUnique) {
      for (std::size_t i = 1; i < refs_.size(); ++i)
        if (CompareRecords(refs_[i - 1], refs_[i]) == 0) {
          refs_.clear();
          upToDate_ = false;
          throw EMemTableDupKey(SDupKey);
        }
    }
  }
  RebuildKeys();
  upToDate_ = true;
}

namespace {

// std::lower_bound without a branch per step: on a large index the
// comparisons' outcomes are random, and each mispredicted jump costs more
// than the step. The halving loop runs a fixed number of times for a size.
int FirstNotBelow(const std::vector<std::int64_t>& keys, std::int64_t o) {
  const std::int64_t* base = keys.data();
  std::size_t n = keys.size();
  if (n == 0) return 0;
  while (n > 1) {
    const std::size_t half = n / 2;
    // Both places the next step may look at, asked for before this one's
    // answer is known: the wait for memory overlaps the comparison.
    __builtin_prefetch(base + half / 2);
    __builtin_prefetch(base + half + half / 2);
    base = base[half - 1] < o ? base + half : base;
    n -= half;
  }
  return static_cast<int>(base - keys.data()) + (*base < o ? 1 : 0);
}

}  // namespace

int TMemIndex::LowerBound(const TMemRecord* key, const TMemFieldList& list, int count,
                          bool& exact) {
  int lo = 0, hi = static_cast<int>(refs_.size());
  if (keyCache_ && !table_->OnCompareFields && !list.empty() && keys_.size() == refs_.size() &&
      list[0].fieldNo == fieldList_[0].fieldNo &&
      (list[0].options & mtifoDescending) == (fieldList_[0].options & mtifoDescending) &&
      table_->DataRecordOf(key)->Data()[list[0].offset] != 0) {
    std::int64_t o = Ordinal(key);
    lo = FirstNotBelow(keys_, o);
    if (list.size() == 1 || count == 1) {
      exact = lo < static_cast<int>(keys_.size()) && keys_[std::size_t(lo)] == o;
      return lo;
    }
    int end =
        static_cast<int>(std::upper_bound(keys_.begin() + lo, keys_.end(), o) - keys_.begin());
    hi = end;
    if (lo == hi) {
      exact = false;
      return lo;
    }
  }
  while (lo < hi) {
    int mid = lo + (hi - lo) / 2;
    if (table_->CompareRecords(key, refs_[mid], list, count, 0, false, false) > 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  exact = lo < static_cast<int>(refs_.size()) &&
          table_->CompareRecords(key, refs_[lo], list, count, 0, false, false) == 0;
  return lo;
}

bool TMemIndex::HasEqualKey(const TMemRecord* rec, const TMemRecord* except) {
  bool exact;
  int i = LowerBound(rec, fieldList_, 0, exact);
  for (int n = static_cast<int>(refs_.size()); i < n; ++i) {
    if (table_->CompareRecords(rec, refs_[i], fieldList_, 0, 0, false, false) != 0) break;
    if (refs_[i] != except) return true;
  }
  return false;
}

int TMemIndex::FindRecord(const TMemRecord* rec) {
  int n = static_cast<int>(refs_.size());
  if (rowOrder_ && upToDate_) {
    // Without deletions the position is the slot number.
    if (rec->slot >= 0 && rec->slot < n && refs_[rec->slot] == rec) return rec->slot;
    // Usually in ascending slot order; try that, then descending.
    bool cached = slotKeys_.size() == refs_.size();
    for (int dir = 0; dir < 2; ++dir) {
      int lo = 0, hi = n - 1;
      while (lo <= hi) {
        int mid = lo + (hi - lo) / 2;
        int s = cached ? slotKeys_[mid] : refs_[mid]->slot;
        if (s == rec->slot) {
          if (refs_[mid] == rec) return mid;
          break;
        }
        bool goRight = dir == 0 ? s < rec->slot : s > rec->slot;
        if (goRight)
          lo = mid + 1;
        else
          hi = mid - 1;
      }
    }
  } else if (!rowOrder_ && upToDate_ && n > 5) {
    bool exact;
    int i = LowerBound(rec, fieldList_, 0, exact);
    for (; i < n; ++i) {
      if (refs_[i] == rec) return i;
      if (CompareRecords(rec, refs_[i]) != 0) break;
    }
  }
  for (int i = 0; i < n; ++i)
    if (refs_[i] == rec) return i;
  return -1;
}

int TMemIndex::InsertRecord(TMemRecord* rec, int rowOrderPos) {
  int pos;
  if (rowOrder_) {
    pos = rowOrderPos >= 0 ? std::min(rowOrderPos, static_cast<int>(refs_.size()))
                           : static_cast<int>(refs_.size());
  } else {
    TUpdateStatus shown = rec->updateStatus == usUnmodified ? usInserted : rec->updateStatus;
    if (!(updateStatuses_ & StatusBit(shown)) || !table_->PassesIndexFilter(this, rec)) return -1;
    bool exact;
    pos = LowerBound(rec, fieldList_, 0, exact);
  }
  TMemTableStore::Reserve(refs_, refs_.size() + 1);
  refs_.insert(refs_.begin() + pos, rec);
  if (rowOrder_ && slotKeys_.size() + 1 == refs_.size()) {
    TMemTableStore::Reserve(slotKeys_, refs_.size());
    slotKeys_.insert(slotKeys_.begin() + pos, rec->slot);
  } else if (!rowOrder_ && keyCache_ && keys_.size() + 1 == refs_.size()) {
    keys_.insert(keys_.begin() + pos, Ordinal(rec));
  } else {
    RebuildKeys();
  }
  upToDate_ = true;
  return pos;
}

int TMemIndex::RemoveRecord(const TMemRecord* rec) {
  int pos = FindRecord(rec);
  if (pos >= 0) {
    refs_.erase(refs_.begin() + pos);
    if (keyCache_ && keys_.size() == refs_.size() + 1) keys_.erase(keys_.begin() + pos);
    if (slotKeys_.size() == refs_.size() + 1) slotKeys_.erase(slotKeys_.begin() + pos);
  }
  upToDate_ = true;
  return pos;
}

TMemIndex* TMemIndexes::Add(std::unique_ptr<TMemIndex> index) {
  TMemIndex* p = index.get();
  if (p->IsRowOrder() && !rowOrder_) rowOrder_ = p;
  items_.push_back(std::move(index));
  return p;
}

TMemIndex* TMemIndexes::Find(const std::string& name) const {
  for (auto& i : items_)
    if (strcasecmp(i->Name().c_str(), name.c_str()) == 0) return i.get();
  return nullptr;
}

void TMemIndexes::Remove(TMemIndex* index) {
  if (index == rowOrder_) return;
  items_.erase(
      std::remove_if(items_.begin(), items_.end(), [&](const auto& p) { return p.get() == index; }),
      items_.end());
}

void TMemIndexes::ClearSorted() {
  items_.erase(std::remove_if(items_.begin(), items_.end(),
                              [&](const auto& p) { return p.get() != rowOrder_; }),
               items_.end());
}

}  // namespace memtable
