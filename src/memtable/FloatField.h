// Floating-point fields: the 64-bit float and the currency amount.
#pragma once

#include "memtable/IntegerField.h"

namespace memtable {

class TFloatField : public TNumericField {
 public:
  TFloatField() : TFloatField(ftFloat) {}
  int DataSize() const override { return 8; }
  int Precision() const { return precision_; }
  void SetPrecision(int v) { precision_ = v; }
  double MinValue() const { return minValue_; }
  void SetMinValue(double v) { minValue_ = v; }
  double MaxValue() const { return maxValue_; }
  void SetMaxValue(double v) { maxValue_ = v; }

  std::string AsString() override;
  void SetAsString(const std::string& v) override;
  std::int32_t AsInteger() override;
  void SetAsInteger(std::int32_t v) override { SetAsFloat(v); }
  std::int64_t AsLargeInt() override;
  void SetAsLargeInt(std::int64_t v) override { SetAsFloat(static_cast<double>(v)); }
  double AsFloat() override;
  void SetAsFloat(double v) override;
  TVariant AsVariant() override;

 protected:
  explicit TFloatField(TFieldType type) : TNumericField(type, 0) { SetAlignment(taRightJustify); }
  std::string GetText(bool displayText) override;
  void SetVariantValue(const TVariant& v) override;

 private:
  int precision_ = 15;
  double minValue_ = 0;
  double maxValue_ = 0;
};

class TCurrencyField : public TFloatField {
 public:
  TCurrencyField() : TFloatField(ftCurrency) {}
};

}  // namespace memtable
