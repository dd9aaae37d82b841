#include "memtable/GuidField.h"

#include <cctype>

#include "memtable/DatabaseError.h"
#include "memtable/FieldMessages.h"
#include "platform/base/AsciiCase.h"

namespace memtable {

bool NormalizeGuidText(const std::string& text, std::string& out) {
  std::string body = text;
  if (body.size() == kGuidTextLength) {
    if (body.front() != '{' || body.back() != '}') return false;
    body = body.substr(1, kGuidTextLength - 2);
  }
  if (body.size() != kGuidTextLength - 2) return false;
  for (std::size_t i = 0; i < body.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(body[i]);
    if (i == 8 || i == 13 || i == 18 || i == 23) {
      if (c != '-') return false;
    } else if (!std::isxdigit(c)) {
      return false;
    } else {
      body[i] = platform::AsciiUpper(static_cast<char>(c));
    }
  }
  out = "{" + body + "}";
  return true;
}

void TGuidField::SetAsString(const std::string& v) {
  if (v.empty()) {
    Clear();
    return;
  }
  std::string canonical;
  if (!NormalizeGuidText(v, canonical))
    throw EDatabaseError(Format(SInvalidGuidValue, v.c_str(), DisplayName().c_str()));
  SetChars(canonical.data(), canonical.size());
}

TVariant TGuidField::AsVariant() {
  if (IsNull()) return TVariant::MakeNull();
  return AsString();
}

}  // namespace memtable
