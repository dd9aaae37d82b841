// The memory table's calculated area: where each calculated and lookup field
// keeps its value in a record, and reading it back.
#include <cstring>

#include "memtable/MemTable.h"

namespace memtable {

namespace {
// A null flag byte and the native value, as in the fixed part.
int CalcEntrySize(const TField* f) {
  return f->DataSize() + 1;
}
}  // namespace

int TCustomMemTable::CalcFieldsSize() const {
  int size = 0;
  for (TField* f : const_cast<TCustomMemTable*>(this)->Fields())
    if (f->IsCalculated()) size += CalcEntrySize(f);
  return size;
}

void TCustomMemTable::BindCalcFields() {
  // A table sharing a store sees the layout its owner made; its own
  // calculated fields must fit in the area made there.
  int need = CalcFieldsSize();
  if (need > store_->CalcSize())
    throw EMemTableError("Calculated fields do not fit the record layout of the shared store.");
  int offset = store_->CalcStart();
  int number = 0;
  for (TField* f : Fields()) {
    if (!f->IsCalculated()) continue;
    // Numbers below 1 that tell the calculated fields apart in key lists.
    f->Bind(this, --number);
    f->offset_ = offset;
    f->width_ = f->DataSize();
    f->varLength_ = false;
    f->flagPieces_ = f->valuePieces_ = 0;
    offset += CalcEntrySize(f);
  }
}

void TCustomMemTable::ClearCalcFields(TRecordBuffer buffer) {
  if (!buffer || store_->CalcSize() == 0) return;
  auto* rec = reinterpret_cast<TMemRecord*>(buffer);
  std::memset(rec->Data() + store_->CalcStart(), 0, store_->CalcSize());
}

bool TCustomMemTable::GetCalcFieldData(TField* field, TMemRecord* rec, void* dest) {
  if (field->offset_ < 0) return false;
  TStoreLock lock(store_);
  const std::uint8_t* p = rec->Data() + field->offset_;
  if (p[0] == 0) return false;
  if (dest) std::memcpy(dest, p + 1, field->width_);
  return true;
}

}  // namespace memtable
