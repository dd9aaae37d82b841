// Text fields: 8-bit text of at most Size characters, and UTF-16 text.
#pragma once

#include "memtable/Field.h"

namespace memtable {

class TStringField : public TField {
 public:
  explicit TStringField(int size = 20) : TStringField(ftString, size) {}
  int DataSize() const override { return Size() + 1; }
  std::string AsString() override;
  void SetAsString(const std::string& v) override;
  std::int32_t AsInteger() override;
  void SetAsInteger(std::int32_t v) override { SetAsString(std::to_string(v)); }
  std::int64_t AsLargeInt() override;
  void SetAsLargeInt(std::int64_t v) override { SetAsString(std::to_string(v)); }
  double AsFloat() override;
  void SetAsFloat(double v) override;
  bool AsBoolean() override;
  void SetAsBoolean(bool v) override { SetAsString(v ? "True" : "False"); }
  TDateTime AsDateTime() override;
  void SetAsDateTime(TDateTime v) override;
  TVariant AsVariant() override;

 protected:
  TStringField(TFieldType type, int size) : TField(type, size <= 0 ? 20 : size) {}
  int DefaultDisplayWidth() const override { return Size(); }
};

class TFixedCharField : public TStringField {
 public:
  explicit TFixedCharField(int size = 20) : TStringField(ftFixedChar, size) {
    SetFixedLength(true);
  }
};

class TWideStringField : public TField {
 public:
  explicit TWideStringField(int size = 20) : TField(ftWideString, size <= 0 ? 20 : size) {}
  int DataSize() const override { return Size() * 2 + 4; }
  std::u16string AsWideString();
  void SetAsWideString(const std::u16string& v);
  // 8-bit access: characters above 255 read as '?'.
  std::string AsString() override;
  void SetAsString(const std::string& v) override;
  std::int32_t AsInteger() override;
  void SetAsInteger(std::int32_t v) override { SetAsString(std::to_string(v)); }
  TVariant AsVariant() override;

 protected:
  void SetVariantValue(const TVariant& v) override { SetAsWideString(v.AsWideString()); }
};

}  // namespace memtable
