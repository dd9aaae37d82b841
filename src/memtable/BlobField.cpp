#include "memtable/BlobField.h"

#include "memtable/DataSet.h"
#include "memtable/DatabaseError.h"

namespace memtable {

bool TBlobField::IsText() const {
  switch (DataType()) {
    case ftMemo:
    case ftFmtMemo:
    case ftOraClob:
      return true;
    default:
      return false;
  }
}

std::string TBlobField::AsString() {
  std::string out;
  if (Validating()) {
    // OnValidate sees the value being written.
    if (const void* p = PendingValue()) out = *static_cast<const std::string*>(p);
    return out;
  }
  CheckedDataSet()->GetBlobData(this, out);
  return out;
}

std::size_t TBlobField::BlobSize() {
  return AsString().size();
}

void TBlobField::SetAsString(const std::string& v) {
  CheckedDataSet()->SetBlobData(this, &v);
}

TVariant TBlobField::AsVariant() {
  if (IsNull()) return TVariant::MakeNull();
  return AsString();
}

std::string TBlobField::GetText(bool displayText) {
  if (!displayText || IsText()) return AsString();
  // A binary value means nothing as text; name its kind instead.
  switch (DataType()) {
    case ftGraphic:
      return "(Graphic)";
    case ftParadoxOle:
    case ftDBaseOle:
      return "(OLE)";
    default:
      return "(Blob)";
  }
}

}  // namespace memtable
