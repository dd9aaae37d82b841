// The record store behind a memory table: stored records in slots, their byte
// layout, serial numbers, the auto-increment high mark, the comparison locale
// and a lock. Several tables may share one store (attachment).
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "memtable/DBTypes.h"
#include "platform/base/CriticalSection.h"

namespace memtable {

class TCustomMemTable;
class TFieldDefs;

inline constexpr int MT_MAX_FIELDS = 256;

// Header of a stored record and of a record buffer; the data area follows it in
// the same allocation.
struct TMemRecord {
  std::int32_t position;
  std::int32_t slot;
  std::uint32_t serial;
  std::uint8_t flags;  // bit 0: kept by the store
  TUpdateStatus updateStatus;
  std::uint16_t reserved;
  std::int32_t transactionLevel;
  std::int32_t tag;
  TMemRecord* previousVersion;

  std::uint8_t* Data() { return reinterpret_cast<std::uint8_t*>(this + 1); }
  const std::uint8_t* Data() const { return reinterpret_cast<const std::uint8_t*>(this + 1); }
  bool Stored() const { return flags & 1; }
};
static_assert(sizeof(TMemRecord) == 32);

// A variable-length value: its length followed by its bytes.
struct TVarBlock {
  std::uint32_t length;
  std::uint8_t* Bytes() { return reinterpret_cast<std::uint8_t*>(this + 1); }
};

// Per-field layout flags.
enum : std::uint8_t { mtfVarLength = 1, mtfCompressed = 2, mtfModified = 4 };

// Native width of a field type in a record.
int NativeFieldWidth(TFieldType type, int size);
bool IsSupportedFieldType(TFieldType type);
bool IsBlobType(TFieldType type);

class TMemTableStore {
 public:
  explicit TMemTableStore(TCustomMemTable* owner);
  ~TMemTableStore();
  TMemTableStore(const TMemTableStore&) = delete;
  TMemTableStore& operator=(const TMemTableStore&) = delete;

  void Lock() {
    if (!standalone) lock_.Enter();
  }
  void Unlock() {
    if (!standalone) lock_.Leave();
  }

  // Layout.
  void LayoutRecord(TCustomMemTable* table, const TFieldDefs& defs, int calcSize);
  int DataOffset(int fieldNo) const { return dataOffsets_[fieldNo]; }
  std::uint8_t FieldFlags(int fieldNo) const { return fieldFlags_[fieldNo]; }
  void SetFieldFlag(int fieldNo, std::uint8_t bit, bool on) {
    fieldFlags_[fieldNo] = on ? (fieldFlags_[fieldNo] | bit) : (fieldFlags_[fieldNo] & ~bit);
    if (on && bit == mtfModified) marksSet_ = true;
  }
  void MarkModified(int fieldNo) {
    fieldFlags_[fieldNo] |= mtfModified;
    marksSet_ = true;
  }
  void ClearModifiedMarks() {
    if (!marksSet_) return;
    for (int i = 1; i <= fieldCount_; ++i) fieldFlags_[i] &= ~mtfModified;
    marksSet_ = false;
  }
  int FieldCount() const { return fieldCount_; }
  int FixedSize() const { return fixedSize_; }
  int CalcStart() const { return calcStart_; }
  int CalcSize() const { return calcSize_; }
  int BookmarkStart() const { return bookmarkStart_; }
  int VarStart() const { return varStart_; }
  int DataSize() const { return dataSize_; }
  int RecordSize() const { return static_cast<int>(sizeof(TMemRecord)) + dataSize_; }
  // Bytes of a stored record. Its bookmark entries are never read (only the
  // buffers' are), so without variable-length fields it ends where they begin.
  // Bytes between records laid out one after another.
  int CellSize() const { return cellSize_; }
  int StoredSize() const {
    return varFields_.empty() ? static_cast<int>(sizeof(TMemRecord)) + bookmarkStart_
                              : RecordSize();
  }
  static constexpr int kBookmarkEntrySize = sizeof(void*) + 1;
  static constexpr int kVarEntrySize = 1 + sizeof(void*);
  const std::vector<int>& VarFields() const { return varFields_; }

  // Records.
  // A cell for a stored record; the caller writes its StoredSize() bytes.
  TMemRecord* AllocRecordRaw();
  // Frees a stored record with its variable-length blocks and kept versions.
  void FreeRecord(TMemRecord* rec);
  static void FreeVarBlocks(const TMemTableStore& layout, TMemRecord* rec) {
    if (!layout.varFields_.empty()) FreeVarBlockList(layout, rec);
  }
  // Copies header and data (of a buffer or a stored record) into a new stored
  // record; variable-length blocks are duplicated.
  TMemRecord* DuplicateRecord(const TMemRecord* src);
  // Initialises a record buffer as a new record.
  void InitRecord(TMemRecord* rec) const;
  // Grows a list of record references by a quarter at a time: the lists hold
  // one entry per record and doubling would waste up to half of them.
  template <typename V>
  static void Reserve(V& v, std::size_t needed) {
    if (needed > v.capacity()) v.reserve(std::max(needed, v.capacity() + v.capacity() / 4 + 16));
  }
  // Places a record in a slot, hands out its serial; false when the serial
  // counter ran out (the record is placed all the same).
  bool StoreAdd(TMemRecord* rec);
  void StoreRemove(TMemRecord* rec);
  // Frees every record, resets the counters and draws a new store id.
  void ClearRecords();
  void ClearRecordsNoDraw();
  void DrawStoreId();
  bool IsStored(const TMemRecord* rec, std::int32_t slot, std::uint32_t serial) const {
    return slot >= 0 && slot < static_cast<std::int32_t>(slots.size()) && slots[slot] == rec &&
           rec->serial == serial;
  }
  int RecordCount() const { return static_cast<int>(slots.size()); }
  // Bytes the store holds for its records: record cells, slot lists and
  // separately allocated values (not the tables' indexes).
  std::size_t MemoryUsage() const;
  // Frees the chunks that emptied stores left for reuse.
  static void TrimChunkCache();

  // Variable-length entries of a record.
  static TVarBlock* GetVarBlock(const TMemRecord* rec, int offset) {
    TVarBlock* b;
    std::memcpy(&b, rec->Data() + offset + 1, sizeof b);
    return b;
  }
  static void SetVarBlock(TMemRecord* rec, int offset, TVarBlock* b) {
    std::memcpy(rec->Data() + offset + 1, &b, sizeof b);
  }
  static TVarBlock* NewVarBlock(const void* bytes, std::uint32_t length);

  // Bookmark entries.
  TMemRecord* BookmarkRecord(const TMemRecord* buf, int attachIndex) const {
    TMemRecord* r;
    std::memcpy(&r, buf->Data() + bookmarkStart_ + attachIndex * kBookmarkEntrySize, sizeof r);
    return r;
  }
  void SetBookmarkRecord(TMemRecord* buf, int attachIndex, const TMemRecord* r) const {
    std::memcpy(buf->Data() + bookmarkStart_ + attachIndex * kBookmarkEntrySize, &r, sizeof r);
  }
  TBookmarkFlag BookmarkFlag(const TMemRecord* buf, int attachIndex) const {
    return static_cast<TBookmarkFlag>(
        buf->Data()[bookmarkStart_ + attachIndex * kBookmarkEntrySize + sizeof(void*)]);
  }
  void SetBookmarkFlag(TMemRecord* buf, int attachIndex, TBookmarkFlag f) const {
    buf->Data()[bookmarkStart_ + attachIndex * kBookmarkEntrySize + sizeof(void*)] =
        static_cast<std::uint8_t>(f);
  }

  // Locale.
  void SetLanguageID(std::int32_t v);
  void SetSubLanguageID(std::int32_t v);
  void SetSortID(std::int32_t v);
  void SetLocaleID(std::int32_t v);

  // State, public for the tables sharing the store.
  TCustomMemTable* owner;
  std::vector<TCustomMemTable*> attachedTables;
  std::vector<TMemRecord*> slots;
  std::vector<std::int32_t> freeSlots;
  std::uint32_t slotCounter = 0;
  std::uint32_t serialCounter = 0;
  int deletedCount = 0;
  std::uint32_t storeId = 0;
  std::int32_t autoIncMin = 0;
  // Wider than the field so that the mark below a minimum of the smallest
  // 32-bit number, and the end of the numbers, can be told.
  std::int64_t autoIncMax = -1;
  std::int32_t languageID = 0, subLanguageID = 1, sortID = 0, localeID = 1024;
  TMemTablePerformance performance = mtpfFast;
  int attachMaxCount = 1;
  bool enableVersioning = false;
  TMemTableVersioningMode versioningMode = mtvm1SinceCheckPoint;
  int transactionLevel = 0;
  bool dataModified = false;
  bool standalone = false;
  bool layoutDone = false;

 private:
  static void FreeVarBlockList(const TMemTableStore& layout, TMemRecord* rec);
  void FreeChunks();

  platform::CriticalSection lock_;
  int fieldCount_ = 0;
  int fixedSize_ = 0, calcStart_ = 0, calcSize_ = 0, bookmarkStart_ = 0, varStart_ = 0;
  int dataSize_ = 0;
  std::vector<int> dataOffsets_ = std::vector<int>(MT_MAX_FIELDS + 1, 0);
  std::vector<std::uint8_t> fieldFlags_ = std::vector<std::uint8_t>(MT_MAX_FIELDS + 1, 0);
  std::vector<int> varFields_;
  // Stored records come from chunks of equal-sized cells so a record costs its
  // own size and no allocator overhead.
  struct Chunk {
    std::uint8_t* data;
    std::size_t bytes;
  };
  static constexpr std::size_t kFullChunk = std::size_t(256) << 10;
  static void ReleaseChunk(const Chunk& c);
  static std::uint8_t* TakeCachedChunk();
  std::vector<Chunk> chunks_;
  std::size_t chunkBytes_ = 0;  // size of the last chunk; chunks grow by doubling
  std::uint8_t* bump_ = nullptr;
  std::uint8_t* bumpEnd_ = nullptr;
  std::vector<TMemRecord*> freeCells_;
  int cellSize_ = 0;
  bool marksSet_ = false;
};

// The length of a text stored in a record, at most `limit`. The library's
// vector scan reads a whole block past the terminator, often a line of the
// record nobody else reads, which a walk or a scan then waits for; short
// texts are therefore measured a byte at a time.
inline std::size_t StoredTextLength(const char* text, std::size_t limit) {
  constexpr std::size_t kShortText = 16;
  std::size_t n = 0;
  for (const std::size_t head = std::min(limit, kShortText); n < head; ++n)
    if (text[n] == 0) return n;
  return n + strnlen(text + n, limit - n);
}

// Holds a store's lock for one scope.
class TStoreLock {
 public:
  explicit TStoreLock(TMemTableStore* s) : s_(s) { s_->Lock(); }
  ~TStoreLock() { s_->Unlock(); }
  TStoreLock(const TStoreLock&) = delete;
  TStoreLock& operator=(const TStoreLock&) = delete;

 private:
  TMemTableStore* s_;
};

}  // namespace memtable
