// Blob fields: values of any length kept in a block of their own. Binary
// kinds (Blob, Graphic, the OLE and typed-binary kinds) and text kinds (Memo,
// FmtMemo and the server text kind); AsString is the whole value.
#pragma once

#include "memtable/Field.h"

namespace memtable {

class TBlobField : public TField {
 public:
  explicit TBlobField(TFieldType type = ftBlob, int size = 0) : TField(type, size < 0 ? 0 : size) {}
  // Nothing of the value lives in the fixed part of a record.
  int DataSize() const override { return 0; }
  // Bytes of the value; 0 when null.
  std::size_t BlobSize();
  std::string AsString() override;
  // Stores every byte, NULs included; empty text stores an empty value.
  void SetAsString(const std::string& v) override;
  TVariant AsVariant() override;
  // Whether this kind holds text.
  bool IsText() const;

 protected:
  std::string GetText(bool displayText) override;
};

class TMemoField : public TBlobField {
 public:
  explicit TMemoField(TFieldType type = ftMemo, int size = 0) : TBlobField(type, size) {}
};

class TGraphicField : public TBlobField {
 public:
  explicit TGraphicField(int size = 0) : TBlobField(ftGraphic, size) {}
};

}  // namespace memtable
