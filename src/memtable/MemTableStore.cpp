#include "memtable/MemTableStore.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>

#include "memtable/DatabaseError.h"
#include "memtable/FieldDef.h"
#include "memtable/MemTable.h"
#include "platform/base/Random.h"

namespace memtable {

int NativeFieldWidth(TFieldType type, int size) {
  switch (type) {
    case ftString:
    case ftFixedChar:
      return size + 1;
    case ftSmallint:
    case ftWord:
    case ftBoolean:
      return 2;
    case ftInteger:
    case ftAutoInc:
      return 4;
    case ftFloat:
    case ftCurrency:
    case ftDate:
    case ftTime:
    case ftDateTime:
    case ftLargeint:
      return 8;
    case ftBCD:
    case ftFMTBcd:
      return 34;
    case ftBytes:
      return size;
    case ftVarBytes:
      return size + 2;
    case ftWideString:
      return size * 2 + 4;
    case ftGuid:
      return 39;
    case ftTimeStamp:
      return 16;
    default:
      return 0;
  }
}

bool IsSupportedFieldType(TFieldType type) {
  switch (type) {
    case ftUnknown:
    case ftCursor:
    case ftReference:
    case ftDataSet:
    case ftVariant:
    case ftInterface:
    case ftIDispatch:
      return false;
    default:
      return true;
  }
}

bool IsBlobType(TFieldType type) {
  switch (type) {
    case ftBlob:
    case ftMemo:
    case ftGraphic:
    case ftFmtMemo:
    case ftParadoxOle:
    case ftDBaseOle:
    case ftTypedBinary:
    case ftOraBlob:
    case ftOraClob:
      return true;
    default:
      return false;
  }
}

TMemTableStore::TMemTableStore(TCustomMemTable* o) : owner(o) {
  DrawStoreId();
  if (o) attachedTables.push_back(o);
}

TMemTableStore::~TMemTableStore() {
  ClearRecordsNoDraw();
  FreeChunks();
}

void TMemTableStore::DrawStoreId() {
  std::uint32_t id;
  do {
    id = platform::Random(2147483649u);
  } while (id == storeId);
  storeId = id;
}

namespace {
// Expands structured definitions into the flat order the layout uses.
void Flatten(const TFieldDefs& defs, std::vector<const TFieldDef*>& out) {
  for (int i = 0; i < defs.Count(); ++i) {
    const TFieldDef& d = defs[i];
    out.push_back(&d);
    if (d.HasChildDefs()) {
      int repeat = d.DataType() == ftArray ? std::max(1, d.Size()) : 1;
      for (int r = 0; r < repeat; ++r) Flatten(const_cast<TFieldDef&>(d).ChildDefs(), out);
    }
    if (out.size() > static_cast<std::size_t>(MT_MAX_FIELDS))
      throw EMemTableError(STooManyFieldDefs);
  }
}
}  // namespace

void TMemTableStore::LayoutRecord(TCustomMemTable* table, const TFieldDefs& defs, int calcSize) {
  if (defs.Count() == 0) throw EMemTableError(SNoFieldDefs);
  std::vector<const TFieldDef*> flat;
  Flatten(defs, flat);
  std::fill(dataOffsets_.begin(), dataOffsets_.end(), 0);
  std::fill(fieldFlags_.begin(), fieldFlags_.end(), 0);
  varFields_.clear();
  int fixed = 0;
  for (std::size_t i = 0; i < flat.size(); ++i) {
    const TFieldDef& d = *flat[i];
    int fieldNo = static_cast<int>(i) + 1;
    if (!IsSupportedFieldType(d.DataType())) {
      throw EMemTableError("Fielddef " + d.Name() + " (" + d.DisplayName() + ")" +
                           Format(SDatatypeNotSupported, static_cast<int>(d.DataType())));
    }
    std::uint8_t flags = 0;
    bool var = IsBlobType(d.DataType());
    if (!var && performance != mtpfFast && d.Size() > 12) {
      switch (d.DataType()) {
        case ftString:
        case ftBytes:
        case ftVarBytes:
        case ftFixedChar:
        case ftWideString:
          var = true;
          break;
        default:
          break;
      }
    }
    if (var) {
      flags |= mtfVarLength;
      if (!IsBlobType(d.DataType()) && table && table->OnSetupField)
        table->OnSetupField(table, d, flags);
    }
    fieldFlags_[fieldNo] = flags;
    if (flags & mtfVarLength) {
      varFields_.push_back(fieldNo);
    } else {
      dataOffsets_[fieldNo] = fixed;
      fixed += NativeFieldWidth(d.DataType(), d.Size()) + 1;
    }
  }
  fieldCount_ = static_cast<int>(flat.size());
  fixedSize_ = fixed;
  calcStart_ = fixed;
  calcSize_ = calcSize;
  bookmarkStart_ = calcStart_ + calcSize_;
  varStart_ = bookmarkStart_ + attachMaxCount * kBookmarkEntrySize;
  for (std::size_t k = 0; k < varFields_.size(); ++k) {
    if (performance == mtpfSmall) fieldFlags_[varFields_[k]] |= mtfCompressed;
    dataOffsets_[varFields_[k]] = varStart_ + static_cast<int>(k) * kVarEntrySize;
  }
  dataSize_ = varStart_ + static_cast<int>(varFields_.size()) * kVarEntrySize;
  int cell = (StoredSize() + 7) & ~7;
  if (cell != cellSize_) {
    // Records of the old size cannot be reused; the store is empty here.
    freeCells_.clear();
    FreeChunks();
    cellSize_ = cell;
  }
  dataModified = false;
  ClearModifiedMarks();
  layoutDone = true;
}

TMemRecord* TMemTableStore::AllocRecordRaw() {
  if (!freeCells_.empty()) {
    TMemRecord* r = freeCells_.back();
    freeCells_.pop_back();
    return r;
  }
  // The room left, not bump_ + cellSize_: bump_ is null before the first chunk.
  if (bumpEnd_ - bump_ < cellSize_) {
    // Chunks double up to 256 KiB: small tables stay small, and the unused
    // tail of the last chunk stays a few bytes per record in large ones.
    std::size_t bytes =
        chunkBytes_ == 0 ? std::size_t(cellSize_) * 8 : std::min(kFullChunk, chunkBytes_ * 2);
    bytes = std::max(bytes, std::size_t(cellSize_));
    chunks_.reserve(chunks_.size() + 1);
    Chunk c{bytes == kFullChunk ? TakeCachedChunk() : nullptr, bytes};
    if (!c.data) c.data = static_cast<std::uint8_t*>(std::malloc(bytes));
    if (!c.data) throw std::bad_alloc();
    chunks_.push_back(c);
    std::uint8_t* p = c.data;
    chunkBytes_ = bytes;
    bump_ = p;
    bumpEnd_ = p + bytes;
  }
  auto* r = reinterpret_cast<TMemRecord*>(bump_);
  bump_ += cellSize_;
  // The next record will be written here: ask for its lines now, so copying
  // it in does not wait for them.
  if (bump_ + cellSize_ <= bumpEnd_)
    for (int off = 0; off < cellSize_; off += 64) __builtin_prefetch(bump_ + off, 1);
  return r;
}

void TMemTableStore::InitRecord(TMemRecord* rec) const {
  rec->position = -1;
  rec->slot = -1;
  rec->serial = 0xFFFFFFFFu;
  rec->flags = 0;
  rec->updateStatus = usUnmodified;
  rec->reserved = 0;
  rec->transactionLevel = -1;
  rec->tag = 0;
  rec->previousVersion = nullptr;
  std::memset(rec->Data(), 0, dataSize_);
}

void TMemTableStore::FreeVarBlockList(const TMemTableStore& layout, TMemRecord* rec) {
  for (int fieldNo : layout.varFields_) {
    int off = layout.dataOffsets_[fieldNo];
    if (TVarBlock* b = GetVarBlock(rec, off)) {
      std::free(b);
      SetVarBlock(rec, off, nullptr);
    }
  }
}

void TMemTableStore::FreeRecord(TMemRecord* rec) {
  while (rec) {
    TMemRecord* prev = rec->previousVersion;
    FreeVarBlocks(*this, rec);
    freeCells_.push_back(rec);
    rec = prev;
  }
}

TVarBlock* TMemTableStore::NewVarBlock(const void* bytes, std::uint32_t length) {
  auto* b = static_cast<TVarBlock*>(std::malloc(sizeof(TVarBlock) + length));
  if (!b) throw std::bad_alloc();
  b->length = length;
  if (length) std::memcpy(b->Bytes(), bytes, length);
  return b;
}

TMemRecord* TMemTableStore::DuplicateRecord(const TMemRecord* src) {
  TMemRecord* r = AllocRecordRaw();
  std::memcpy(r, src, StoredSize());
  r->previousVersion = nullptr;
  for (int fieldNo : varFields_) {
    int off = dataOffsets_[fieldNo];
    TVarBlock* b = GetVarBlock(src, off);
    SetVarBlock(r, off, b ? NewVarBlock(b->Bytes(), b->length) : nullptr);
  }
  return r;
}

bool TMemTableStore::StoreAdd(TMemRecord* rec) {
  bool ok = true;
  if (!freeSlots.empty()) {
    rec->slot = freeSlots.back();
    freeSlots.pop_back();
    slots[rec->slot] = rec;
  } else {
    rec->slot = static_cast<std::int32_t>(slotCounter++);
    Reserve(slots, slots.size() + 1);
    slots.push_back(rec);
  }
  rec->serial = serialCounter++;
  rec->flags |= 1;
  if (enableVersioning) rec->updateStatus = usInserted;
  if (freeSlots.empty() && serialCounter > 2147483599u) ok = false;
  return ok;
}

void TMemTableStore::StoreRemove(TMemRecord* rec) {
  if (rec->slot >= 0 && rec->slot < static_cast<std::int32_t>(slots.size()) &&
      slots[rec->slot] == rec) {
    freeSlots.push_back(rec->slot);
    slots[rec->slot] = nullptr;
  }
  FreeRecord(rec);
}

void TMemTableStore::ClearRecordsNoDraw() {
  // Every cell goes back with its chunk; only the separate blocks need freeing.
  if (!varFields_.empty())
    for (TMemRecord* r : slots)
      for (; r; r = r->previousVersion) FreeVarBlocks(*this, r);
  FreeChunks();
  slots = {};
  freeSlots = {};
  slotCounter = 0;
  serialCounter = 0;
  deletedCount = 0;
}

void TMemTableStore::ClearRecords() {
  ClearRecordsNoDraw();
  DrawStoreId();
}

namespace {
// Full-size chunks of emptied stores, kept for the next store that grows: a
// table that is refilled, or a new table, then writes into memory the system
// has already handed over instead of faulting in fresh pages. Bounded, so an
// emptied large table gives most of its memory back.
constexpr std::size_t kChunkCacheLimit = 512;  // chunks, 128 MiB
std::mutex g_chunkCacheLock;
std::vector<std::uint8_t*>& ChunkCache() {
  static auto* cache = new std::vector<std::uint8_t*>();
  return *cache;
}
}  // namespace

std::uint8_t* TMemTableStore::TakeCachedChunk() {
  std::lock_guard<std::mutex> guard(g_chunkCacheLock);
  auto& cache = ChunkCache();
  if (cache.empty()) return nullptr;
  std::uint8_t* p = cache.back();
  cache.pop_back();
  return p;
}

void TMemTableStore::ReleaseChunk(const Chunk& c) {
  if (c.bytes == kFullChunk) {
    std::lock_guard<std::mutex> guard(g_chunkCacheLock);
    auto& cache = ChunkCache();
    if (cache.size() < kChunkCacheLimit) {
      cache.push_back(c.data);
      return;
    }
  }
  std::free(c.data);
}

void TMemTableStore::TrimChunkCache() {
  std::lock_guard<std::mutex> guard(g_chunkCacheLock);
  auto& cache = ChunkCache();
  for (std::uint8_t* p : cache) std::free(p);
  cache.clear();
  cache.shrink_to_fit();
}

std::size_t TMemTableStore::MemoryUsage() const {
  std::size_t n = slots.capacity() * sizeof(TMemRecord*) + freeSlots.capacity() * 4 +
                  freeCells_.capacity() * sizeof(TMemRecord*);
  for (const Chunk& c : chunks_) n += c.bytes;
  if (!varFields_.empty())
    for (TMemRecord* r : slots)
      for (; r; r = r->previousVersion)
        for (int fieldNo : varFields_)
          if (TVarBlock* b = GetVarBlock(r, dataOffsets_[fieldNo]))
            n += sizeof(TVarBlock) + b->length;
  return n;
}

void TMemTableStore::FreeChunks() {
  freeCells_.clear();
  freeCells_.shrink_to_fit();
  for (const Chunk& c : chunks_) ReleaseChunk(c);
  chunks_.clear();
  chunkBytes_ = 0;
  bump_ = bumpEnd_ = nullptr;
}

void TMemTableStore::SetLanguageID(std::int32_t v) {
  languageID = v;
  localeID = (sortID << 16) | ((subLanguageID * 1024 | languageID) & 65535);
}
void TMemTableStore::SetSubLanguageID(std::int32_t v) {
  subLanguageID = v;
  localeID = (sortID << 16) | ((subLanguageID * 1024 | languageID) & 65535);
}
void TMemTableStore::SetSortID(std::int32_t v) {
  sortID = v;
  localeID = (sortID << 16) | ((subLanguageID * 1024 | languageID) & 65535);
}
void TMemTableStore::SetLocaleID(std::int32_t v) {
  localeID = v;
  sortID = (v >> 16) & 0xF;
  languageID = v & 0xFF;
  subLanguageID = (v >> 10) & 0x3F;
}

}  // namespace memtable
