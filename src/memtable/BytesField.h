// Binary fields of a fixed number of bytes (Bytes) and of up to Size bytes
// (VarBytes, a 16-bit length before the bytes). Their string form is the raw
// bytes; the display text shows them as hexadecimal pairs.
#pragma once

#include "memtable/Field.h"

namespace memtable {

class TBytesField : public TField {
 public:
  explicit TBytesField(int size = 16) : TBytesField(ftBytes, size) {}
  int DataSize() const override { return Size(); }
  // The raw bytes; a Bytes field always yields Size of them.
  std::string AsBytes();
  // Fails, changing nothing, with more than Size bytes; a Bytes field pads a
  // shorter value with zero bytes.
  void SetAsBytes(const std::string& v);
  std::string AsString() override { return AsBytes(); }
  void SetAsString(const std::string& v) override { SetAsBytes(v); }
  TVariant AsVariant() override;

 protected:
  TBytesField(TFieldType type, int size) : TField(type, size <= 0 ? 16 : size) {}
  std::string GetText(bool displayText) override;
  int DefaultDisplayWidth() const override { return Size() * 2; }
};

class TVarBytesField : public TBytesField {
 public:
  explicit TVarBytesField(int size = 16) : TBytesField(ftVarBytes, size) {}
  int DataSize() const override { return Size() + 2; }
};

// Upper-case hexadecimal pairs.
std::string BytesToHex(const std::string& bytes);

}  // namespace memtable
