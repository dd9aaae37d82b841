// True/false field, stored as a 16-bit value (non-zero is true).
#pragma once

#include "memtable/Field.h"

namespace memtable {

class TBooleanField : public TField {
 public:
  TBooleanField() : TField(ftBoolean, 0) {}
  int DataSize() const override { return 2; }
  // Texts for true and false, as "True;False".
  const std::string& DisplayValues() const { return displayValues_; }
  void SetDisplayValues(std::string v) { displayValues_ = std::move(v); }

  bool AsBoolean() override;
  void SetAsBoolean(bool v) override;
  std::string AsString() override;
  void SetAsString(const std::string& v) override;
  std::int32_t AsInteger() override { return AsBoolean() ? 1 : 0; }
  void SetAsInteger(std::int32_t v) override { SetAsBoolean(v != 0); }
  TVariant AsVariant() override;

 protected:
  void SetVariantValue(const TVariant& v) override;

 private:
  std::string TrueText() const;
  std::string FalseText() const;
  std::string displayValues_;
};

}  // namespace memtable
