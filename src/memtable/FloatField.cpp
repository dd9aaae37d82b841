#include "memtable/FloatField.h"

#include <cmath>
#include <cstdlib>

#include "memtable/DatabaseError.h"

namespace memtable {

double TFloatField::AsFloat() {
  double v = 0;
  if (!GetData(&v)) return 0;
  return v;
}

void TFloatField::SetAsFloat(double v) {
  if ((minValue_ != 0 || maxValue_ != 0) && (v < minValue_ || v > maxValue_))
    throw EDatabaseError(Format(SFieldRangeError, FormatG(v).c_str(), DisplayName().c_str(),
                                FormatG(minValue_).c_str(), FormatG(maxValue_).c_str()));
  SetData(&v);
}

std::int32_t TFloatField::AsInteger() {
  return static_cast<std::int32_t>(std::llround(AsFloat()));
}
std::int64_t TFloatField::AsLargeInt() {
  return std::llround(AsFloat());
}

std::string TFloatField::AsString() {
  double v;
  if (!GetData(&v)) return {};
  return Format("%.*g", precision_ > 0 ? precision_ : 15, v);
}

void TFloatField::SetAsString(const std::string& v) {
  if (v.empty()) {
    Clear();
    return;
  }
  char* end = nullptr;
  double x = std::strtod(v.c_str(), &end);
  if (end == v.c_str() || *end != '\0')
    throw EDatabaseError(Format(SInvalidFloatValue, v.c_str(), DisplayName().c_str()));
  SetAsFloat(x);
}

TVariant TFloatField::AsVariant() {
  double v;
  if (!GetData(&v)) return TVariant::MakeNull();
  return v;
}

void TFloatField::SetVariantValue(const TVariant& v) {
  if (v.IsString())
    SetAsString(v.AsString());
  else
    SetAsFloat(v.AsDouble());
}

std::string TFloatField::GetText(bool displayText) {
  double v;
  if (!GetData(&v)) return {};
  const std::string& pattern = displayText || EditFormat().empty() ? DisplayFormat() : EditFormat();
  if (!pattern.empty()) return FormatNumber(pattern, v);
  if (DataType() == ftCurrency) return Format("%.2f", v);
  return Format("%.*g", precision_ > 0 ? precision_ : 15, v);
}

}  // namespace memtable
