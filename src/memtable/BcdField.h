// Packed decimal fields: exact decimal numbers of up to 64 digits. Size is
// the number of decimal places, Precision the number of digits in all.
#pragma once

#include "memtable/Bcd.h"
#include "memtable/Field.h"

namespace memtable {

class TBCDField : public TField {
 public:
  explicit TBCDField(int size = 4, int precision = 0) : TBCDField(ftBCD, size, precision) {}
  int DataSize() const override { return kBcdSize; }
  int Precision() const { return precision_; }
  // Fails for a digit count outside 1..64 or one smaller than Size. A field
  // made from a definition has its digit count checked so.
  void SetPrecision(int v);

  // The 64-bit currency form: ten-thousandths.
  std::int64_t AsCurrency();
  void SetAsCurrency(std::int64_t v);
  std::string AsString() override;
  void SetAsString(const std::string& v) override;
  std::int32_t AsInteger() override;
  void SetAsInteger(std::int32_t v) override { SetAsLargeInt(v); }
  std::int64_t AsLargeInt() override;
  void SetAsLargeInt(std::int64_t v) override;
  double AsFloat() override;
  void SetAsFloat(double v) override;
  TVariant AsVariant() override;

 protected:
  TBCDField(TFieldType type, int size, int precision);
  void SetVariantValue(const TVariant& v) override;

 private:
  bool ReadDecimal(TDecimal& out);
  void WriteDecimal(const TDecimal& d, const std::string& shown);
  int precision_;
};

class TFMTBCDField : public TBCDField {
 public:
  explicit TFMTBCDField(int size = 8, int precision = 0) : TBCDField(ftFMTBcd, size, precision) {}
};

}  // namespace memtable
