// Whole-value access to blob fields, whose values live in blocks of their own
// and have no fixed-width form.
#include "memtable/MemTable.h"

namespace memtable {

bool TCustomMemTable::GetBlobData(TField* field, std::string& out) {
  out.clear();
  if (!field->varLength_) return GetFieldData(field, nullptr);
  TMemRecord* rec = ReadRecordFor(field);
  if (!rec) return false;
  TStoreLock lock(store_);
  if (rec->Data()[field->offset_] == 0) return false;
  const TVarBlock* b = VarBlockFor(rec, field->offset_);
  if (b) out.assign(reinterpret_cast<const char*>(b + 1), b->length);
  if ((store_->FieldFlags(field->FieldNo()) & mtfCompressed) && OnDecompressField)
    OnDecompressField(this, out);
  return true;
}

void TCustomMemTable::SetBlobData(TField* field, const std::string* bytes) {
  if (!field->varLength_ || !bytes) {
    SetFieldData(field, bytes ? bytes->c_str() : nullptr);
    return;
  }
  if (!BeginFieldWrite(field, bytes)) return;
  TRecordBuffer buf = ActiveBuffer();
  if (!buf || field->FieldNo() < 1) return;
  {
    TStoreLock lock(store_);
    auto* rec = reinterpret_cast<TMemRecord*>(buf);
    Materialize(rec);
    StoreVarBytes(field, rec, *bytes);
    if (field->FieldKind() == fkData) store_->SetFieldFlag(field->FieldNo(), mtfModified, true);
  }
  if (State() != dsCalcFields && State() != dsFilter && State() != dsNewValue)
    DataEvent(deFieldChange, reinterpret_cast<std::intptr_t>(field));
}

}  // namespace memtable
