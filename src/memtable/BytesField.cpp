#include "memtable/BytesField.h"

#include <cstring>
#include <vector>

#include "memtable/DatabaseError.h"
#include "memtable/FieldMessages.h"

namespace memtable {

std::string BytesToHex(const std::string& bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char c : bytes) {
    out.push_back(kDigits[c >> 4]);
    out.push_back(kDigits[c & 15]);
  }
  return out;
}

std::string TBytesField::AsBytes() {
  std::vector<char> buf(DataSize());
  if (!GetData(buf.data())) return {};
  if (DataType() == ftBytes) return std::string(buf.data(), buf.size());
  std::uint16_t n;
  std::memcpy(&n, buf.data(), 2);
  // A length beyond the field's room is cut rather than read past it.
  n = static_cast<std::uint16_t>(std::min<int>(n, Size()));
  return std::string(buf.data() + 2, n);
}

void TBytesField::SetAsBytes(const std::string& v) {
  if (v.size() > static_cast<std::size_t>(Size()))
    throw EDatabaseError(Format(SBytesTooLong, v.size(), DisplayName().c_str(), Size()));
  std::vector<char> buf(DataSize(), 0);
  if (DataType() == ftBytes) {
    std::memcpy(buf.data(), v.data(), v.size());
  } else {
    std::uint16_t n = static_cast<std::uint16_t>(v.size());
    std::memcpy(buf.data(), &n, 2);
    std::memcpy(buf.data() + 2, v.data(), v.size());
  }
  SetData(buf.data());
}

TVariant TBytesField::AsVariant() {
  if (IsNull()) return TVariant::MakeNull();
  return AsBytes();
}

std::string TBytesField::GetText(bool displayText) {
  std::string bytes = AsBytes();
  return displayText ? BytesToHex(bytes) : bytes;
}

}  // namespace memtable
