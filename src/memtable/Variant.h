// A loosely typed value: what locate keys, lookup results and field values travel
// as. An unassigned value and null both count as null.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace memtable {

class TVariant {
 public:
  struct Null {};
  using Array = std::vector<TVariant>;

  TVariant() = default;
  TVariant(Null) : value_(Null{}) {}
  TVariant(bool v) : value_(v) {}
  TVariant(int v) : value_(static_cast<std::int64_t>(v)) {}
  TVariant(std::int64_t v) : value_(v) {}
  TVariant(double v) : value_(v) {}
  TVariant(const char* v) : value_(std::string(v)) {}
  TVariant(std::string v) : value_(std::move(v)) {}
  TVariant(std::u16string v) : value_(std::move(v)) {}
  TVariant(Array v) : value_(std::move(v)) {}

  static TVariant MakeNull() { return TVariant(Null{}); }
  static TVariant MakeArray(Array items) { return TVariant(std::move(items)); }

  bool IsEmpty() const { return value_.index() == 0; }
  bool IsNull() const { return value_.index() <= 1; }
  bool IsBool() const { return std::holds_alternative<bool>(value_); }
  bool IsInteger() const { return std::holds_alternative<std::int64_t>(value_); }
  bool IsFloat() const { return std::holds_alternative<double>(value_); }
  bool IsNumeric() const { return IsInteger() || IsFloat() || IsBool(); }
  bool IsString() const { return std::holds_alternative<std::string>(value_); }
  bool IsWideString() const { return std::holds_alternative<std::u16string>(value_); }
  bool IsArray() const { return std::holds_alternative<Array>(value_); }

  const Array& AsArray() const { return std::get<Array>(value_); }
  std::int64_t AsInt64() const;
  double AsDouble() const;
  bool AsBool() const;
  std::string AsString() const;
  std::u16string AsWideString() const;

  // The number of array dimensions: 0 for a scalar, 1 for an array of scalars.
  int DimCount() const;

  friend bool operator==(const TVariant& a, const TVariant& b);

 private:
  std::variant<std::monostate, Null, bool, std::int64_t, double, std::string, std::u16string, Array>
      value_;
};

}  // namespace memtable
