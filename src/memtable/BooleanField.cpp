#include "memtable/BooleanField.h"

#include <strings.h>

#include "memtable/DatabaseError.h"

namespace memtable {

bool TBooleanField::AsBoolean() {
  std::uint16_t v = 0;
  if (!GetData(&v)) return false;
  return v != 0;
}

void TBooleanField::SetAsBoolean(bool v) {
  std::uint16_t x = v ? 1 : 0;
  SetData(&x);
}

std::string TBooleanField::TrueText() const {
  auto p = displayValues_.find(';');
  std::string t = displayValues_.substr(0, p);
  return t.empty() ? "True" : t;
}

std::string TBooleanField::FalseText() const {
  auto p = displayValues_.find(';');
  std::string f = p == std::string::npos ? "" : displayValues_.substr(p + 1);
  return f.empty() ? "False" : f;
}

std::string TBooleanField::AsString() {
  std::uint16_t v = 0;
  if (!GetData(&v)) return {};
  return v ? TrueText() : FalseText();
}

void TBooleanField::SetAsString(const std::string& v) {
  if (v.empty()) {
    Clear();
    return;
  }
  std::string t = TrueText(), f = FalseText();
  if (strncasecmp(v.c_str(), t.c_str(), v.size()) == 0 && v.size() <= t.size()) {
    SetAsBoolean(true);
  } else if (strncasecmp(v.c_str(), f.c_str(), v.size()) == 0 && v.size() <= f.size()) {
    SetAsBoolean(false);
  } else {
    throw EDatabaseError(Format(SInvalidBoolValue, v.c_str(), DisplayName().c_str()));
  }
}

TVariant TBooleanField::AsVariant() {
  std::uint16_t v = 0;
  if (!GetData(&v)) return TVariant::MakeNull();
  return v != 0;
}

void TBooleanField::SetVariantValue(const TVariant& v) {
  if (v.IsString())
    SetAsString(v.AsString());
  else
    SetAsBoolean(v.AsBool());
}

}  // namespace memtable
