// Whole-number fields: 16-, 32- and 64-bit, the unsigned word and the
// auto-increment number.
#pragma once

#include <cstdint>

#include "memtable/Field.h"

namespace memtable {

// Shared behaviour of the whole-number fields: text, display patterns, range
// checks. Values travel as 64-bit integers and are narrowed to the native width.
class TNumericField : public TField {
 public:
  const std::string& DisplayFormat() const { return displayFormat_; }
  void SetDisplayFormat(std::string v) { displayFormat_ = std::move(v); }
  const std::string& EditFormat() const { return editFormat_; }
  void SetEditFormat(std::string v) { editFormat_ = std::move(v); }

 protected:
  using TField::TField;

 private:
  std::string displayFormat_;
  std::string editFormat_;
};

class TIntegerField : public TNumericField {
 public:
  TIntegerField() : TIntegerField(ftInteger) {}
  int DataSize() const override { return 4; }
  std::int32_t MinValue() const { return minValue_; }
  void SetMinValue(std::int32_t v) { minValue_ = v; }
  std::int32_t MaxValue() const { return maxValue_; }
  void SetMaxValue(std::int32_t v) { maxValue_ = v; }

  std::string AsString() override;
  void SetAsString(const std::string& v) override;
  std::int32_t AsInteger() override { return static_cast<std::int32_t>(ReadValue()); }
  void SetAsInteger(std::int32_t v) override { WriteChecked(v); }
  std::int64_t AsLargeInt() override { return ReadValue(); }
  void SetAsLargeInt(std::int64_t v) override { WriteChecked(v); }
  double AsFloat() override { return static_cast<double>(ReadValue()); }
  void SetAsFloat(double v) override;
  bool AsBoolean() override { return ReadValue() != 0; }
  void SetAsBoolean(bool v) override { WriteChecked(v ? 1 : 0); }
  TVariant AsVariant() override;

 protected:
  explicit TIntegerField(TFieldType type) : TNumericField(type, 0) { SetAlignment(taRightJustify); }
  std::string GetText(bool displayText) override;
  void SetVariantValue(const TVariant& v) override;
  // The range that applies when MinValue and MaxValue are both 0.
  virtual std::int64_t TypeMin() const { return INT32_MIN; }
  virtual std::int64_t TypeMax() const { return INT32_MAX; }
  virtual std::int64_t ReadValue();
  virtual void WriteValue(std::int64_t v);
  void WriteChecked(std::int64_t v);

 private:
  std::int32_t minValue_ = 0;
  std::int32_t maxValue_ = 0;
};

class TAutoIncField : public TIntegerField {
 public:
  TAutoIncField() : TIntegerField(ftAutoInc) {}
};

class TSmallintField : public TIntegerField {
 public:
  TSmallintField() : TIntegerField(ftSmallint) {}
  int DataSize() const override { return 2; }

 protected:
  std::int64_t TypeMin() const override { return INT16_MIN; }
  std::int64_t TypeMax() const override { return INT16_MAX; }
  std::int64_t ReadValue() override;
  void WriteValue(std::int64_t v) override;
};

class TWordField : public TIntegerField {
 public:
  TWordField() : TIntegerField(ftWord) {}
  int DataSize() const override { return 2; }

 protected:
  std::int64_t TypeMin() const override { return 0; }
  std::int64_t TypeMax() const override { return UINT16_MAX; }
  std::int64_t ReadValue() override;
  void WriteValue(std::int64_t v) override;
};

class TLargeintField : public TNumericField {
 public:
  TLargeintField() : TNumericField(ftLargeint, 0) { SetAlignment(taRightJustify); }
  int DataSize() const override { return 8; }
  std::int64_t MinValue() const { return minValue_; }
  void SetMinValue(std::int64_t v) { minValue_ = v; }
  std::int64_t MaxValue() const { return maxValue_; }
  void SetMaxValue(std::int64_t v) { maxValue_ = v; }

  std::string AsString() override;
  void SetAsString(const std::string& v) override;
  // The low 32 bits.
  std::int32_t AsInteger() override { return static_cast<std::int32_t>(AsLargeInt()); }
  void SetAsInteger(std::int32_t v) override { SetAsLargeInt(v); }
  std::int64_t AsLargeInt() override;
  void SetAsLargeInt(std::int64_t v) override;
  double AsFloat() override { return static_cast<double>(AsLargeInt()); }
  void SetAsFloat(double v) override;
  TVariant AsVariant() override;

 protected:
  std::string GetText(bool displayText) override;
  void SetVariantValue(const TVariant& v) override;

 private:
  std::int64_t minValue_ = 0;
  std::int64_t maxValue_ = 0;
};

// Formats a number with a display pattern of 0 and # digit places, an optional
// "," for thousands and "." for decimals; other characters are copied.
std::string FormatNumber(const std::string& pattern, double value);

}  // namespace memtable
