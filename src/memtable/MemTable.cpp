// The memory table's core: properties, opening and closing, reading records
// into buffers, bookmarks and the record count. Posting and deleting live in
// MemTablePosting.cpp, field data in MemTableFieldData.cpp.
#include "memtable/MemTable.h"

#include <algorithm>
#include <cstdlib>

#include "component/ScopeGuards.h"
#include "memtable/DataSource.h"
#include "memtable/MemTableVersions.h"

namespace memtable {

using component::TScopedValue;
using component::TScopeFail;

namespace {
TMemRecord* Rec(TRecordBuffer b) {
  return reinterpret_cast<TMemRecord*>(b);
}
}  // namespace

TCustomMemTable::TCustomMemTable() {
  sharing_.TakeFreshStore();
  auto row = std::make_unique<TMemIndex>(this, kRowOrderIndexName, "", 0, true);
  row->SetInternal(true);
  currentIndex_ = indexes_.Add(std::move(row));
}

TCustomMemTable::~TCustomMemTable() {
  destroying_ = true;
  try {
    // A destructor cannot report a failed save; a caller that must know
    // closes the table first.
    if (Active()) SavePersistentFile();
  } catch (...) {
  }
  try {
    Close();
  } catch (...) {
    // Nothing may fail on the way out; the table goes closed regardless.
  }
  sharing_.Leave();
  search_.FreeKeyRecord();
}

TMemTable::~TMemTable() = default;

// --- properties -------------------------------------------------------------

void TCustomMemTable::SetAutoIncMinValue(std::int32_t v) {
  TStoreLock lock(store_);
  store_->autoIncMin = v;
  if (store_->autoIncMax < v) store_->autoIncMax = std::int64_t{v} - 1;
}

void TCustomMemTable::SetLanguageID(std::int32_t v) {
  TStoreLock lock(store_);
  store_->SetLanguageID(v);
}
void TCustomMemTable::SetSubLanguageID(std::int32_t v) {
  TStoreLock lock(store_);
  store_->SetSubLanguageID(v);
}
void TCustomMemTable::SetSortID(std::int32_t v) {
  TStoreLock lock(store_);
  store_->SetSortID(v);
}
void TCustomMemTable::SetLocaleID(std::int32_t v) {
  TStoreLock lock(store_);
  store_->SetLocaleID(v);
}

void TCustomMemTable::SetMasterSource(TDataSource* src) {
  // Following the masters from the new source must not lead back here.
  for (TDataSource* s = src; s;) {
    TDataSet* ds = s->DataSet();
    if (!ds) break;
    if (ds == this) DatabaseError(SCircularDataLink, Name());
    s = ds->MasterDataSource();
  }
  if (src) src->FreeNotification(this);
  masterSource_ = src;
}

void TCustomMemTable::Notification(component::TComponent* component,
                                   component::TOperation operation) {
  TDataSet::Notification(component, operation);
  if (operation != component::opRemove) return;
  if (component == masterSource_) masterSource_ = nullptr;
  for (auto& f : formats_)
    if (f == component) f = nullptr;
  ForgetStoredComponent(component);
}

component::TComponent* TMemTableStoredProperties::Keep(component::TComponent* c) {
  // Only the memory table derives from the stored properties.
  if (c) c->FreeNotification(static_cast<TCustomMemTable*>(this));
  return c;
}

void TCustomMemTable::DoProgress(int percent, TMemTableProgressCode code) {
  if (OnProgress && (progressFlags_ & ProgressBit(code))) OnProgress(this, percent, code);
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

// --- open and close ---------------------------------------------------------

void TCustomMemTable::AutoIncReset() {
  autoIncField_ = nullptr;
  for (TField* f : Fields())
    if (f->DataType() == ftAutoInc) {
      autoIncField_ = f;
      break;
    }
  store_->autoIncMax = std::int64_t{store_->autoIncMin} - 1;
}

void TCustomMemTable::InternalOpen() {
  TCustomMemTable* attachedTo = AttachedTo();
  if (attachedTo && !attachedTo->Active()) attachedTo->Open();
  TStoreLock lock(store_);
  bool owner = store_->owner == this;
  if (!owner) {
    FieldDefs() = attachedTo->FieldDefs();
  } else if (!defaultFields_) {
    TFieldDefs defs;
    for (TField* f : Fields())
      if (f->FieldKind() == fkData || f->FieldKind() == fkInternalCalc) {
        TFieldDef& d = defs.Add(f->FieldName(), f->DataType(), f->Size(), f->Required());
        d.SetInternalCalcField(f->FieldKind() == fkInternalCalc);
      }
    FieldDefs() = defs;
  }
  if (defaultFields_) {
    if (FieldDefs().Count() == 0) throw EMemTableError(SNoFieldDefs);
    CreateFields();
  }
  if (owner) AutoIncReset();
  if (!owner)
    autoIncField_ =
        attachedTo->autoIncField_ ? FindField(attachedTo->autoIncField_->FieldName()) : nullptr;
  BindFields(true);
  if (owner) {
    store_->LayoutRecord(this, FieldDefs(), CalcFieldsSize());
  } else if (!store_->layoutDone) {
    throw EMemTableError(STableMustBeClosed);
  }
  for (TField* f : Fields())
    if (f->FieldNo() > 0) {
      f->offset_ = store_->DataOffset(f->FieldNo());
      f->width_ = f->DataSize();
      f->varLength_ = (store_->FieldFlags(f->FieldNo()) & mtfVarLength) != 0;
      // Bits for the pieces holding bytes first..last, none past the first
      // kilobyte of a record.
      auto pieces = [](std::size_t first, std::size_t last) {
        std::uint64_t m = 0;
        for (std::size_t piece = first / 16; piece <= last / 16 && piece < 64; ++piece)
          m |= std::uint64_t(1) << piece;
        return m;
      };
      std::size_t at = sizeof(TMemRecord) + f->offset_;
      // Most texts are short: their start is what a read waits for.
      f->flagPieces_ = pieces(at, at + std::min(f->width_, 16));
      f->valuePieces_ = f->varLength_ ? pieces(at, at) : pieces(at, at + f->width_);
    }
  BindCalcFields();
  search_.ForgetKeyFields();
  cursorOpen_ = true;
  position_ = -1;
  pendingPos_ = -1;
  {
    // Indexes half made go again, and the cursor is not open after all.
    TScopeFail undo([this] {
      indexes_.ClearSorted();
      cursorOpen_ = false;
    });
    CreateIndexesFromDefs();
    undo.Done();
  }
  search_.MakeKeyRecord();
  currentIndex_ = indexes_.RowOrder();
}

void TCustomMemTable::DoAfterOpen() {
  if (!inAfterOpen_) {
    TScopedValue<bool> opening(inAfterOpen_, true);
    MarkIndexesOutOfDate();
    RebuildIndexes();
    Refresh();
    if (!indexFieldNames_.empty())
      SetIndexFieldNames(indexFieldNames_);
    else if (!indexName_.empty())
      SetIndexName(indexName_);
    LoadFormData();
    LoadPersistentFile();
  }
  TDataSet::DoAfterOpen();
}

void TCustomMemTable::DoBeforeClose() {
  // Saving comes first: a save that fails leaves the table open with its records.
  SavePersistentFile();
  if (State() == dsEdit || State() == dsInsert) Cancel();
  TDataSet::DoBeforeClose();
}

void TCustomMemTable::InternalClose() {
  if (!cursorOpen_) {
    DestroyDefaultFields();
    return;
  }
  {
    TStoreLock lock(store_);
    if (store_->owner == this) {
      EmptyStore();
      for (TCustomMemTable* t : std::vector<TCustomMemTable*>(store_->attachedTables))
        if (t && t != this && t->Active()) t->Close();
    }
  }
  position_ = -1;
  pendingPos_ = -1;
  indexes_.ClearSorted();
  indexes_.RowOrder()->Clear();
  currentIndex_ = indexes_.RowOrder();
  for (TField* f : Fields()) f->Unbind();
  search_.FreeKeyRecord();
  search_.ForgetKeyFields();
  cursorOpen_ = false;
  autoIncField_ = nullptr;
  DestroyDefaultFields();
}

void TCustomMemTable::EmptyStore() {
  DoProgress(0, mtpcEmpty);
  {
    TControlsDisabled quiet(*this);
    for (TCustomMemTable* t : store_->attachedTables) {
      if (!t || !t->cursorOpen_) continue;
      if (t->Active() && t != this) t->CheckBrowseMode();
      if (t->Active()) {
        t->ClearBuffers();
        t->DataEvent(deDataSetChange);
      }
      for (auto& idx : t->indexes_) idx->Clear();
      t->position_ = -1;
    }
    store_->ClearRecords();
  }
  DoProgress(100, mtpcEmpty);
}

void TCustomMemTable::EmptyTable() {
  CheckActive();
  CheckBrowseMode();
  {
    TStoreLock lock(store_);
    EmptyStore();
  }
  for (TCustomMemTable* t : store_->attachedTables)
    if (t && t->Active()) t->Resync(0);
}

// --- buffers ----------------------------------------------------------------

TRecordBuffer TCustomMemTable::AllocRecordBuffer() {
  auto* r = static_cast<TMemRecord*>(std::calloc(1, store_->RecordSize() + 8));
  if (!r) throw std::bad_alloc();
  store_->InitRecord(r);
  return reinterpret_cast<TRecordBuffer>(r);
}

void TCustomMemTable::FreeRecordBuffer(TRecordBuffer& buffer) {
  if (!buffer) return;
  TMemTableStore::FreeVarBlocks(*store_, Rec(buffer));
  std::free(buffer);
  buffer = nullptr;
}

void TCustomMemTable::InternalInitRecord(TRecordBuffer buffer) {
  TMemTableStore::FreeVarBlocks(*store_, Rec(buffer));
  store_->InitRecord(Rec(buffer));
}

void TCustomMemTable::FreeFieldBuffers() {}

TMemIndex* TCustomMemTable::EnsureCurrent() {
  if (!currentIndex_->UpToDate()) {
    currentIndex_->Rebuild();
    ResetPositionsAfterRebuild();
  }
  return currentIndex_;
}

inline void TCustomMemTable::CopyToBuffer(TMemRecord* buffer, TMemRecord* rec) {
  // Calculated fields are worked out in the buffer itself, so it needs its own copy.
  if (store_->VarFields().empty() && store_->attachedTables.size() == 1 &&
      store_->CalcSize() == 0) {
    // Only this table changes the store and every change re-reads the window,
    // so a browsing buffer can read through to the stored record; the data is
    // copied when the record is edited.
    std::memcpy(buffer, rec, sizeof(TMemRecord));
    buffer->reserved = kLazyBuffer;
  } else {
    TMemTableStore::FreeVarBlocks(*store_, buffer);
    std::memcpy(buffer, rec, store_->StoredSize());
    for (int fieldNo : store_->VarFields())
      TMemTableStore::SetVarBlock(buffer, store_->DataOffset(fieldNo), nullptr);
    buffer->reserved = 0;
  }
  buffer->previousVersion = nullptr;
  buffer->position = position_;
  buffer->flags &= ~1;
  store_->SetBookmarkRecord(buffer, attachIndex_, rec);
  store_->SetBookmarkFlag(buffer, attachIndex_, bfCurrent);
}

void TCustomMemTable::MaterializeLazy(TMemRecord* buffer) {
  TMemRecord* rec = store_->BookmarkRecord(buffer, attachIndex_);
  TBookmarkFlag flag = store_->BookmarkFlag(buffer, attachIndex_);
  std::memcpy(buffer->Data(), rec->Data(), store_->StoredSize() - sizeof(TMemRecord));
  store_->SetBookmarkRecord(buffer, attachIndex_, rec);
  store_->SetBookmarkFlag(buffer, attachIndex_, flag);
  buffer->reserved = 0;
}

void TCustomMemTable::MakePrefetchOffsets() {
  offsetsMadeFor_ = hotPieces_;
  prefetchCount_ = 0;
  // The header is always read; each run of pieces becomes its lines. Records
  // do not start on a line, so a run's last byte may lie on one more line
  // than its length says: that byte is asked for too.
  std::uint64_t pieces = hotPieces_ | 3;
  while (pieces && prefetchCount_ < kMaxPrefetch) {
    int first = __builtin_ctzll(pieces);
    int last = first;
    while (last < 63 && (pieces >> (last + 1) & 1)) ++last;
    const int to = 16 * (last + 1);
    for (int at = 16 * first; at < to && prefetchCount_ < kMaxPrefetch; at += 64)
      prefetchOffsets_[prefetchCount_++] = static_cast<std::int16_t>(at);
    if (prefetchCount_ < kMaxPrefetch)
      prefetchOffsets_[prefetchCount_++] = static_cast<std::int16_t>(to - 1);
    pieces &= last == 63 ? 0 : ~std::uint64_t(0) << (last + 1);
  }
}

TGetResult TCustomMemTable::GetRecord(TRecordBuffer buffer, TGetMode mode, bool) {
  TMemIndex* idx = EnsureCurrent();
  const auto& refs = idx->References();
  int count = static_cast<int>(refs.size());
  if (FilteringInForce()) {
    TGetResult r = StepFiltered(mode, refs);
    if (r != grOK) return r;
  } else {
    switch (mode) {
      case gmCurrent:
        if (position_ >= count) return grEOF;
        if (position_ < 0) return grBOF;
        break;
      case gmNext:
        if (position_ >= count - 1) return grEOF;
        ++position_;
        if (position_ + kAhead < count) {
          // Records met in the order they lie in memory the processor fetches
          // early by itself. In any other order (a sorted index, reused
          // cells) ask for the lines that field reads used, a few records
          // early, so a walk is not one memory wait per field.
          const auto* ahead = reinterpret_cast<const char*>(refs[position_ + kAhead]);
          const auto* here = reinterpret_cast<const char*>(refs[position_]);
          if (ahead - here != std::ptrdiff_t(kAhead) * store_->CellSize()) {
            if (hotPieces_ != offsetsMadeFor_) MakePrefetchOffsets();
            for (int i = 0, n = prefetchCount_; i < n; ++i)
              __builtin_prefetch(ahead + prefetchOffsets_[i]);
          }
        }
        break;
      case gmPrior:
        if (position_ <= 0) return grBOF;
        position_ = std::min(position_, count) - 1;
        break;
    }
  }
  CopyToBuffer(Rec(buffer), refs[position_]);
  if (recalcOnFetch_ && CalcFieldsWanted()) GetCalcFields(buffer);
  return grOK;
}

TGetResult TCustomMemTable::StepFiltered(TGetMode mode, const std::vector<TMemRecord*>& refs) {
  int count = static_cast<int>(refs.size());
  switch (mode) {
    case gmCurrent:
      if (position_ >= count) return grEOF;
      if (position_ < 0) return grBOF;
      if (!PassesFilter(refs[position_])) return grEOF;
      return grOK;
    case gmNext: {
      int p = position_;
      for (;;) {
        if (p >= count - 1) return grEOF;
        ++p;
        if (PassesFilter(refs[p])) break;
      }
      position_ = p;
      return grOK;
    }
    case gmPrior: {
      int p = std::min(position_, count);
      for (;;) {
        if (p <= 0) return grBOF;
        --p;
        if (PassesFilter(refs[p])) break;
      }
      position_ = p;
      return grOK;
    }
  }
  return grError;
}

bool TCustomMemTable::PassesFilter(TMemRecord* rec) {
  if (!FilteringInForce()) return true;
  bool accept = true;
  TTempState filter(*this, dsFilter, filterBuffer_, reinterpret_cast<TRecordBuffer>(rec));
  OnFilterRecord(this, accept);
  return accept;
}

bool TCustomMemTable::PassesIndexFilter(TMemIndex* index, TMemRecord* rec) {
  auto& handler = index->OnFilter ? index->OnFilter : OnFilterIndex;
  if (!handler || (index->IsRowOrder() && !index->OnFilter)) return true;
  bool accept = true;
  TTempState filter(*this, dsFilter, filterBuffer_, reinterpret_cast<TRecordBuffer>(rec));
  handler(this, index, accept);
  return accept;
}

void TCustomMemTable::InternalLast() {
  position_ = EnsureCurrent()->Count();
}

// --- bookmarks --------------------------------------------------------------

TBookmark TCustomMemTable::GetBookmarkData(TRecordBuffer buffer) {
  // A stored record (read in the filter state) has no entries; it is its own.
  if (Rec(buffer)->Stored()) {
    TMemRecord* self = Rec(buffer);
    return TBookmark{self, store_->storeId, self->slot, self->serial, true};
  }
  TMemRecord* rec = store_->BookmarkRecord(Rec(buffer), attachIndex_);
  if (!rec) return {};
  return TBookmark{rec, store_->storeId, rec->slot, rec->serial, true};
}

void TCustomMemTable::SetBookmarkData(TRecordBuffer buffer, const TBookmark& bookmark) {
  store_->SetBookmarkRecord(Rec(buffer), attachIndex_,
                            static_cast<const TMemRecord*>(bookmark.record));
}

TBookmarkFlag TCustomMemTable::GetBookmarkFlag(TRecordBuffer buffer) {
  if (Rec(buffer)->Stored()) return bfCurrent;
  return store_->BookmarkFlag(Rec(buffer), attachIndex_);
}

void TCustomMemTable::SetBookmarkFlag(TRecordBuffer buffer, TBookmarkFlag flag) {
  store_->SetBookmarkFlag(Rec(buffer), attachIndex_, flag);
}

bool TCustomMemTable::BookmarkValid(const TBookmark& bm) {
  if (!bm || !cursorOpen_) return false;
  TStoreLock lock(store_);
  return bm.storeId == store_->storeId &&
         store_->IsStored(static_cast<const TMemRecord*>(bm.record), bm.slot, bm.serial);
}

int TCustomMemTable::CompareBookmarks(const TBookmark& a, const TBookmark& b) {
  if (!BookmarkValid(a) || !BookmarkValid(b)) return 0;
  auto* ra = static_cast<const TMemRecord*>(a.record);
  auto* rb = static_cast<const TMemRecord*>(b.record);
  int r;
  if (currentIndex_->IsRowOrder()) {
    r = ra->slot - rb->slot;
  } else {
    r = currentIndex_->CompareRecords(ra, rb);
    if (r == 0) r = currentIndex_->FindRecord(ra) - currentIndex_->FindRecord(rb);
    if (r == 0) r = ra->slot - rb->slot;
  }
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

void TCustomMemTable::InternalGotoBookmark(const TBookmark& bm) {
  TStoreLock lock(store_);
  if (!bm.present || !bm.record) return;
  // A bookmark whose record is gone would otherwise leave the cursor on some
  // other record and report success.
  if (!BookmarkValid(bm)) Error(SRecordNotFound);
  int pos = EnsureCurrent()->FindRecord(static_cast<const TMemRecord*>(bm.record));
  if (pos < 0) Error(SRecordNotFound);
  position_ = pos;
}

void TCustomMemTable::InternalSetToRecord(TRecordBuffer buffer) {
  TMemRecord* b = Rec(buffer);
  if (b->position != -1) {
    position_ = b->position;
    return;
  }
  switch (GetBookmarkFlag(buffer)) {
    case bfEOF:
      InternalLast();
      return;
    case bfBOF:
      InternalFirst();
      return;
    default:
      break;
  }
  TMemRecord* rec = store_->BookmarkRecord(b, attachIndex_);
  if (!rec) return;
  int pos = EnsureCurrent()->FindRecord(rec);
  if (pos >= 0) position_ = pos;
}

// --- record count and number ------------------------------------------------

int TCustomMemTable::RecordCount() {
  CheckActive();
  TMemIndex* idx = EnsureCurrent();
  if (!FilteringInForce()) return idx->Count();
  int n = 0;
  for (TMemRecord* r : idx->References())
    if (PassesFilter(r)) ++n;
  return n;
}

int TCustomMemTable::RecNo() {
  if (!Active() || State() == dsInsert) return -1;
  TRecordBuffer b = ActiveBuffer();
  if (!b || State() == dsCalcFields || State() == dsFilter) return -1;
  return Rec(b)->position + 1;
}

void TCustomMemTable::SetRecNo(int value) {
  if (!Active()) return;
  CheckBrowseMode();
  int count = RecordCount();
  if (value < 1 || value > count || value == RecNo()) return;
  if (FilteringInForce()) {
    MoveBy(value - RecNo());
    return;
  }
  DoBeforeScroll();
  position_ = value - 1;
  DoAfterScroll();
  Resync(0);
}

TUpdateStatus TCustomMemTable::UpdateStatus() {
  TRecordBuffer b = ActiveBuffer();
  if (!b) return usUnmodified;
  TMemRecord* rec = StoredRecordOf(Rec(b));
  return rec ? rec->updateStatus : usInserted;
}

TMemRecord* TCustomMemTable::StoredRecordOf(const TMemRecord* buffer) const {
  if (buffer->Stored()) return const_cast<TMemRecord*>(buffer);
  if (buffer->slot < 0 || buffer->slot >= static_cast<int>(store_->slots.size())) return nullptr;
  return store_->slots[buffer->slot];
}

}  // namespace memtable
