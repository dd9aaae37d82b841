// Field data: reading and writing a field's value in the active record
// buffer, with variable-length values kept in blocks of their own.
#include "memtable/MemTable.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace memtable {

namespace {
TMemRecord* Rec(TRecordBuffer b) {
  return reinterpret_cast<TMemRecord*>(b);
}
}  // namespace

// --- field data -------------------------------------------------------------

bool TCustomMemTable::GetFieldData(TField* field, void* dest) {
  TRecordBuffer buf = PlainReadBuffer(field);
  if (!buf) return GetFieldDataSlow(field, dest);
  TStoreLock lock(store_);
  const std::uint8_t* p = DataRecordOf(Rec(buf))->Data() + field->offset_;
  hotPieces_ |= dest ? field->valuePieces_ : field->flagPieces_;
  if (p[0] == 0) return false;
  if (dest) CopyNative(dest, p + 1, field->width_);
  return true;
}

bool TCustomMemTable::GetFieldDataSlow(TField* field, void* dest) {
  if (field->IsCalculated()) {
    TMemRecord* buffer = ReadBuffer();
    return buffer && GetCalcFieldData(field, buffer, dest);
  }
  TMemRecord* rec = ReadRecordFor(field);
  if (!rec) return false;
  if (field->varLength_) return GetVarFieldData(field, rec, dest);
  TStoreLock lock(store_);
  const std::uint8_t* p = DataRecordOf(rec)->Data() + field->offset_;
  if (p[0] == 0) return false;
  if (dest) CopyNative(dest, p + 1, field->width_);
  return true;
}

TMemRecord* TCustomMemTable::ReadRecordFor(const TField* field) {
  return field->FieldNo() < 1 ? nullptr : ReadBuffer();
}

TMemRecord* TCustomMemTable::ReadBuffer() {
  if (!cursorOpen_) return nullptr;
  TRecordBuffer buf = ActiveBuffer();
  if (State() == dsOldValue) {
    if (!buf) return nullptr;
    TMemRecord* rec = StoredRecordOf(Rec(buf));
    while (rec && rec->previousVersion) rec = rec->previousVersion;
    buf = reinterpret_cast<TRecordBuffer>(rec);
  }
  if (!buf) return nullptr;
  return Rec(buf);
}

std::string TCustomMemTable::GetFieldChars(TField* field) {
  TRecordBuffer buf = PlainReadBuffer(field);
  if (!buf) return TDataSet::GetFieldChars(field);
  TStoreLock lock(store_);
  const std::uint8_t* p = DataRecordOf(Rec(buf))->Data() + field->offset_;
  // Short texts end in the null flag's line; the rest of a long one is read
  // only when it is there.
  hotPieces_ |= field->flagPieces_;
  if (p[0] == 0) return {};
  const char* text = reinterpret_cast<const char*>(p + 1);
  return std::string(text, StoredTextLength(text, field->width_ - 1));
}

const TVarBlock* TCustomMemTable::VarBlockFor(TMemRecord* rec, int off) {
  if (rec->Data()[off] == 0) return nullptr;
  TVarBlock* b = TMemTableStore::GetVarBlock(rec, off);
  if (!b) {
    if (rec->slot < 0) throw EMemTableInvalidRecord(SInvalidRecord);
    TMemRecord* stored = StoredRecordOf(rec);
    if (!stored) throw EMemTableInvalidRecord(SInvalidRecord);
    b = TMemTableStore::GetVarBlock(stored, off);
  }
  return b;
}

bool TCustomMemTable::GetVarFieldData(TField* field, TMemRecord* rec, void* dest) {
  TStoreLock lock(store_);
  int fieldNo = field->FieldNo();
  int off = field->offset_;
  if (rec->Data()[off] == 0) return false;
  const TVarBlock* b = VarBlockFor(rec, off);
  if (!dest) return true;
  std::string bytes(b ? reinterpret_cast<const char*>(b + 1) : "", b ? b->length : 0);
  if ((store_->FieldFlags(fieldNo) & mtfCompressed) && OnDecompressField)
    OnDecompressField(this, bytes);
  int width = field->DataSize();
  // A blob has no fixed-width form to copy into (GetBlobData reads it).
  if (width <= 0) return true;
  std::memset(dest, 0, width);
  auto* out = static_cast<std::uint8_t*>(dest);
  switch (field->DataType()) {
    case ftWideString: {
      std::uint32_t n = static_cast<std::uint32_t>(std::min<std::size_t>(bytes.size(), width - 4));
      std::memcpy(dest, &n, 4);
      std::memcpy(out + 4, bytes.data(), n);
      break;
    }
    case ftBytes:
      std::memcpy(dest, bytes.data(), std::min<std::size_t>(bytes.size(), width));
      break;
    case ftVarBytes: {
      std::uint16_t n = static_cast<std::uint16_t>(std::min<std::size_t>(bytes.size(), width - 2));
      std::memcpy(dest, &n, 2);
      std::memcpy(out + 2, bytes.data(), n);
      break;
    }
    default:
      std::memcpy(dest, bytes.data(), std::min<std::size_t>(bytes.size(), width - 1));
      break;
  }
  return true;
}

void TCustomMemTable::SetFieldData(TField* field, const void* src) {
  TMemRecord* rec = PlainWriteTarget(field);
  if (!rec) {
    SetFieldDataSlow(field, src);
    return;
  }
  if (rec->reserved == kLazyBuffer) {
    TStoreLock lock(store_);
    MaterializeLazy(rec);
  }
  // The edit buffer is this table's own: writing it needs no store lock.
  std::uint8_t* p = rec->Data() + field->offset_;
  p[0] = src ? 2 : 0;
  if (src) CopyNative(p + 1, src, field->width_);
  store_->MarkModified(field->FieldNo());
  DataEvent(deFieldChange, reinterpret_cast<std::intptr_t>(field));
}

void TCustomMemTable::SetFieldChars(TField* field, const char* text, std::size_t n) {
  TMemRecord* rec = PlainWriteTarget(field);
  if (!rec) {
    TDataSet::SetFieldChars(field, text, n);
    return;
  }
  if (rec->reserved == kLazyBuffer) {
    TStoreLock lock(store_);
    MaterializeLazy(rec);
  }
  std::uint8_t* p = rec->Data() + field->offset_;
  std::size_t width = static_cast<std::size_t>(field->width_);
  n = std::min(n, width - 1);
  p[0] = 2;
  std::memcpy(p + 1, text, n);
  std::memset(p + 1 + n, 0, width - n);
  store_->MarkModified(field->FieldNo());
  DataEvent(deFieldChange, reinterpret_cast<std::intptr_t>(field));
}

bool TCustomMemTable::BeginFieldWrite(TField* field, const void* pending) {
  if (!cursorOpen_) return false;
  switch (State()) {
    case dsEdit:
    case dsInsert:
    case dsSetKey:
    case dsCalcFields:
    case dsFilter:
    case dsNewValue:
    case dsInternalCalc:
      break;
    default:
      Error(SNotEditMode);
  }
  // While calculated fields are worked out the buffer may be a stored record:
  // a data field written there would change it behind the indexes' back.
  if (State() == dsCalcFields && field->FieldKind() == fkData) Error(SNotEditMode);
  // Computing the calculated fields of a read-only table is no change to it.
  if ((ReadOnly() || field->ReadOnly()) && State() != dsSetKey && State() != dsCalcFields)
    DatabaseError(Format(SFieldReadOnly, field->DisplayName().c_str()));
  if (field->FieldKind() == fkData || field->FieldKind() == fkCalculated ||
      field->FieldKind() == fkInternalCalc)
    field->Validate(pending);
  return true;
}

void TCustomMemTable::SetFieldDataSlow(TField* field, const void* src) {
  if (!BeginFieldWrite(field, src)) return;
  TRecordBuffer buf = ActiveBuffer();
  if (!buf || (field->FieldNo() < 1 && !field->IsCalculated())) return;
  if (field->IsCalculated()) {
    if (field->offset_ < 0) return;
    TStoreLock lock(store_);
    std::uint8_t* p = Rec(buf)->Data() + field->offset_;
    p[0] = src ? 2 : 0;
    if (src) std::memcpy(p + 1, src, field->width_);
  } else {
    TStoreLock lock(store_);
    TMemRecord* rec = Rec(buf);
    Materialize(rec);
    if (!field->varLength_) {
      std::uint8_t* p = rec->Data() + field->offset_;
      p[0] = src ? 2 : 0;
      if (src) CopyNative(p + 1, src, field->width_);
    } else {
      SetVarFieldData(field, rec, src);
    }
    if (field->FieldKind() == fkData) store_->SetFieldFlag(field->FieldNo(), mtfModified, true);
  }
  if (State() != dsCalcFields && State() != dsFilter && State() != dsNewValue)
    DataEvent(deFieldChange, reinterpret_cast<std::intptr_t>(field));
}

void TCustomMemTable::SetVarFieldData(TField* field, TMemRecord* rec, const void* src) {
  int off = field->offset_;
  if (!src) {
    std::free(TMemTableStore::GetVarBlock(rec, off));
    TMemTableStore::SetVarBlock(rec, off, nullptr);
    rec->Data()[off] = 0;
    return;
  }
  std::string bytes;
  const char* s = static_cast<const char*>(src);
  switch (field->DataType()) {
    case ftWideString: {
      std::uint32_t n;
      std::memcpy(&n, src, 4);
      bytes.assign(s + 4, std::min<std::uint32_t>(n, field->DataSize() - 4));
      break;
    }
    // Binary values keep their NUL bytes.
    case ftBytes:
      bytes.assign(s, field->DataSize());
      break;
    case ftVarBytes: {
      std::uint16_t n;
      std::memcpy(&n, src, 2);
      bytes.assign(s + 2, std::min<int>(n, field->DataSize() - 2));
      break;
    }
    default:
      bytes.assign(s, strnlen(s, field->DataSize()));
      break;
  }
  StoreVarBytes(field, rec, std::move(bytes));
}

void TCustomMemTable::StoreVarBytes(TField* field, TMemRecord* rec, std::string bytes) {
  int off = field->offset_;
  if ((store_->FieldFlags(field->FieldNo()) & mtfCompressed) && OnCompressField)
    OnCompressField(this, bytes);
  TVarBlock* block = TMemTableStore::NewVarBlock(bytes.data(), bytes.size());
  std::free(TMemTableStore::GetVarBlock(rec, off));
  TMemTableStore::SetVarBlock(rec, off, block);
  rec->Data()[off] = 2;
}

}  // namespace memtable
