#include "memtable/CommaTextFormat.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "component/ClassInfo.h"
#include "memtable/Bcd.h"
#include "memtable/DateTimeField.h"
#include "memtable/GuidField.h"
#include "memtable/MemTableStore.h"
#include "memtable/TimeStampField.h"

namespace memtable {

namespace {

[[noreturn]] void Bad(const std::string& what) {
  throw EMemTableFormatError(what);
}

bool IsHexKind(TFieldType t) {
  switch (t) {
    case ftBytes:
    case ftVarBytes:
    case ftBlob:
    case ftGraphic:
    case ftParadoxOle:
    case ftDBaseOle:
    case ftTypedBinary:
    case ftOraBlob:
      return true;
    default:
      return false;
  }
}

template <typename T>
std::string IntText(std::string_view v) {
  T x;
  std::memcpy(&x, v.data(), sizeof x);
  return std::to_string(x);
}

template <typename T>
bool ParseInt(std::string_view t, std::string& out) {
  T x;
  auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), x);
  if (ec != std::errc() || p != t.data() + t.size()) return false;
  out.assign(reinterpret_cast<const char*>(&x), sizeof x);
  return true;
}

// Reads exactly `n` digits at `at`.
bool Digits(std::string_view t, std::size_t at, std::size_t n, int& out) {
  if (at + n > t.size()) return false;
  out = 0;
  for (std::size_t i = at; i < at + n; ++i) {
    if (t[i] < '0' || t[i] > '9') return false;
    out = out * 10 + (t[i] - '0');
  }
  return true;
}

// Days since 0001-01-01 counted from 1 (the date fields' native form).
std::int32_t DayNumber(int y, int m, int d) {
  TDateTime v;
  platform::TryEncodeDate(y, m, d, v);
  return static_cast<std::int32_t>(std::lround(v)) + kDateDelta;
}

std::string DateText(std::int32_t day) {
  platform::DateParts p = platform::DecodeDate(static_cast<double>(day - kDateDelta));
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", p.year, p.month, p.day);
  return buf;
}

std::string TimeText(std::int64_t ms) {
  char buf[24];
  int h = static_cast<int>(ms / 3600000), mi = static_cast<int>(ms / 60000 % 60),
      s = static_cast<int>(ms / 1000 % 60), z = static_cast<int>(ms % 1000);
  if (z)
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d.%03d", h, mi, s, z);
  else
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", h, mi, s);
  return buf;
}

bool ParseDate(std::string_view t, int& y, int& m, int& d) {
  TDateTime v;
  return t.size() == 10 && Digits(t, 0, 4, y) && t[4] == '-' && Digits(t, 5, 2, m) && t[7] == '-' &&
         Digits(t, 8, 2, d) && platform::TryEncodeDate(y, m, d, v);
}

bool ParseTime(std::string_view t, int& h, int& mi, int& s, int& z) {
  z = 0;
  TDateTime v;
  if (t.size() != 8 && t.size() != 12) return false;
  if (!Digits(t, 0, 2, h) || t[2] != ':' || !Digits(t, 3, 2, mi) || t[5] != ':' ||
      !Digits(t, 6, 2, s))
    return false;
  if (t.size() == 12 && (t[8] != '.' || !Digits(t, 9, 3, z))) return false;
  return platform::TryEncodeTime(h, mi, s, z, v);
}

void AppendUtf8(std::uint32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// UTF-16 code units to UTF-8; a surrogate without its pair is kept as a
// three-byte sequence of its own so the value reads back unchanged.
std::string WideToUtf8(std::string_view bytes) {
  std::string out;
  std::size_t n = bytes.size() / 2;
  auto unit = [&](std::size_t i) {
    std::uint16_t u;
    std::memcpy(&u, bytes.data() + 2 * i, 2);
    return u;
  };
  for (std::size_t i = 0; i < n; ++i) {
    std::uint32_t u = unit(i);
    if (u >= 0xD800 && u < 0xDC00 && i + 1 < n && unit(i + 1) >= 0xDC00 && unit(i + 1) < 0xE000) {
      u = 0x10000 + ((u - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
      ++i;
    }
    AppendUtf8(u, out);
  }
  return out;
}

bool Utf8ToWide(std::string_view t, std::string& out) {
  out.clear();
  auto put = [&](std::uint16_t u) { out.append(reinterpret_cast<const char*>(&u), 2); };
  for (std::size_t i = 0; i < t.size();) {
    auto b = static_cast<unsigned char>(t[i]);
    int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (len == 0 || i + len > t.size()) return false;
    std::uint32_t c = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
    for (int k = 1; k < len; ++k) {
      auto cb = static_cast<unsigned char>(t[i + k]);
      if ((cb & 0xC0) != 0x80) return false;
      c = (c << 6) | (cb & 0x3F);
    }
    static const std::uint32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kMin[len] || c > 0x10FFFF) return false;
    if (c >= 0x10000) {
      put(static_cast<std::uint16_t>(0xD800 + ((c - 0x10000) >> 10)));
      put(static_cast<std::uint16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      put(static_cast<std::uint16_t>(c));
    }
    i += len;
  }
  return true;
}

bool NeedsQuotes(std::string_view t, char sep) {
  if (t.empty()) return true;
  if (t.front() == ' ' || t.back() == ' ' || t.front() == '\xEF') return true;
  for (char c : t)
    if (c == sep || c == '"' || c == '\r' || c == '\n') return true;
  return false;
}

void AppendField(std::string_view t, char sep, std::string& out) {
  if (!NeedsQuotes(t, sep)) {
    out += t;
    return;
  }
  out += '"';
  for (char c : t) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

// Splits the text into rows of fields; a field is null when it is empty and
// unquoted.
class Parser {
 public:
  Parser(std::string_view data, char sep) : d_(data), sep_(sep) {
    if (d_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
  }
  bool AtEnd() const { return pos_ >= d_.size(); }
  int Line() const { return line_; }
  // The next row; `line` is where it starts.
  void Row(std::vector<std::string>& fields, std::vector<bool>& nulls, int& line) {
    fields.clear();
    nulls.clear();
    line = line_;
    for (;;) {
      std::string f;
      bool quoted = false;
      if (pos_ < d_.size() && d_[pos_] == '"') {
        quoted = true;
        ++pos_;
        for (;;) {
          if (pos_ >= d_.size())
            Bad("line " + std::to_string(line) + ": a quoted value does not end");
          char c = d_[pos_++];
          if (c == '"') {
            if (pos_ < d_.size() && d_[pos_] == '"') {
              f += '"';
              ++pos_;
              continue;
            }
            break;
          }
          if (c == '\n') ++line_;
          f += c;
        }
      } else {
        std::size_t start = pos_;
        while (pos_ < d_.size() && d_[pos_] != sep_ && d_[pos_] != '\n' && d_[pos_] != '\r') {
          if (d_[pos_] == '"')
            Bad("line " + std::to_string(line_) + ": a quote inside an unquoted value");
          ++pos_;
        }
        f.assign(d_.substr(start, pos_ - start));
      }
      fields.push_back(std::move(f));
      nulls.push_back(!quoted && fields.back().empty());
      if (pos_ >= d_.size()) return;
      char c = d_[pos_];
      if (c == sep_) {
        ++pos_;
        continue;
      }
      if (c == '\r' && pos_ + 1 < d_.size() && d_[pos_ + 1] == '\n') ++pos_;
      if (c == '\r' || c == '\n') {
        ++pos_;
        ++line_;
        return;
      }
      Bad("line " + std::to_string(line_) + ": text after a closing quote");
    }
  }

 private:
  std::string_view d_;
  char sep_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

}  // namespace

void TMemTableCommaTextFormat::SetSeparator(char c) {
  if (c == '"' || c == '\r' || c == '\n' || c == 0)
    throw EMemTableError("A quote, a line break or NUL cannot separate values");
  separator_ = c;
}

std::string TMemTableCommaTextFormat::ValueToText(const TImageColumn& column, std::string_view v) {
  static const char kHex[] = "0123456789abcdef";
  TFieldType t = column.type;
  if (IsHexKind(t)) {
    std::string out;
    out.reserve(v.size() * 2);
    for (unsigned char c : v) {
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
    return out;
  }
  switch (t) {
    case ftSmallint:
      return IntText<std::int16_t>(v);
    case ftWord:
      return IntText<std::uint16_t>(v);
    case ftInteger:
    case ftAutoInc:
      return IntText<std::int32_t>(v);
    case ftLargeint:
      return IntText<std::int64_t>(v);
    case ftBoolean: {
      std::uint16_t b;
      std::memcpy(&b, v.data(), 2);
      return b ? "true" : "false";
    }
    case ftFloat:
    case ftCurrency: {
      double d;
      std::memcpy(&d, v.data(), 8);
      char buf[64];
      auto [p, ec] = std::to_chars(buf, buf + sizeof buf, d);
      return ec == std::errc() ? std::string(buf, p) : std::string();
    }
    case ftBCD:
    case ftFMTBcd: {
      TDecimal d;
      if (!BcdToDecimal(v.data(), d))
        Bad("field '" + column.name + "' holds an impossible decimal");
      return DecimalToText(d);
    }
    case ftDate: {
      std::int32_t day;
      std::memcpy(&day, v.data(), 4);
      TDateTime probe = static_cast<double>(day - kDateDelta);
      if (!DateTimeInRange(probe)) Bad("field '" + column.name + "' holds an impossible date");
      return DateText(day);
    }
    case ftTime: {
      std::int32_t ms;
      std::memcpy(&ms, v.data(), 4);
      if (ms < 0 || ms >= kMSecsPerDay) Bad("field '" + column.name + "' holds an impossible time");
      return TimeText(ms);
    }
    case ftDateTime: {
      double ms;
      std::memcpy(&ms, v.data(), 8);
      if (!(ms >= kMSecsPerDay && ms < 3652060.0 * kMSecsPerDay) || ms != std::floor(ms))
        Bad("field '" + column.name + "' holds an impossible date and time");
      auto whole = static_cast<std::int64_t>(ms);
      return DateText(static_cast<std::int32_t>(whole / kMSecsPerDay)) + " " +
             TimeText(whole % kMSecsPerDay);
    }
    case ftTimeStamp: {
      TTimeStampParts p;
      std::memcpy(&p, v.data(), sizeof p);
      TDateTime probe;
      if (!TimeStampToDateTime(&p, probe))
        Bad("field '" + column.name + "' holds an impossible time stamp");
      char buf[48];
      std::snprintf(buf, sizeof buf, "%04d-%02u-%02u ", p.year, unsigned{p.month}, unsigned{p.day});
      return buf + TimeText(((p.hour * 60 + p.minute) * 60 + p.second) * std::int64_t{1000} +
                            p.fractions);
    }
    case ftGuid:
      return std::string(v.data(), strnlen(v.data(), v.size()));
    case ftWideString:
      return WideToUtf8(v);
    default:
      return std::string(v);
  }
}

bool TMemTableCommaTextFormat::TextToValue(const TImageColumn& column, std::string_view t,
                                           std::string& out) {
  out.clear();
  TFieldType type = column.type;
  if (IsHexKind(type)) {
    if (t.size() % 2) return false;
    auto nib = [](char c) {
      return c >= '0' && c <= '9'   ? c - '0'
             : c >= 'a' && c <= 'f' ? c - 'a' + 10
             : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                    : -1;
    };
    for (std::size_t i = 0; i < t.size(); i += 2) {
      int hi = nib(t[i]), lo = nib(t[i + 1]);
      if (hi < 0 || lo < 0) return false;
      out += static_cast<char>(hi * 16 + lo);
    }
    return type != ftBytes || out.size() == static_cast<std::size_t>(column.size);
  }
  switch (type) {
    case ftSmallint:
      return ParseInt<std::int16_t>(t, out);
    case ftWord:
      return ParseInt<std::uint16_t>(t, out);
    case ftInteger:
    case ftAutoInc:
      return ParseInt<std::int32_t>(t, out);
    case ftLargeint:
      return ParseInt<std::int64_t>(t, out);
    case ftBoolean: {
      std::uint16_t b;
      if (t == "true")
        b = 1;
      else if (t == "false")
        b = 0;
      else
        return false;
      out.assign(reinterpret_cast<const char*>(&b), 2);
      return true;
    }
    case ftFloat:
    case ftCurrency: {
      double d;
      auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), d);
      if (ec != std::errc() || p != t.data() + t.size()) return false;
      out.assign(reinterpret_cast<const char*>(&d), 8);
      return true;
    }
    case ftBCD:
    case ftFMTBcd: {
      TDecimal d;
      if (!ParseDecimal(std::string(t), d)) return false;
      int precision = column.precision > 0 ? column.precision : std::max(18, column.size);
      int scale = std::min(column.size, precision);
      char native[kBcdSize];
      if (!DecimalToBcd(RescaleDecimal(d, scale), precision, scale, native)) return false;
      out.assign(native, kBcdSize);
      return true;
    }
    case ftDate: {
      int y, m, d;
      if (!ParseDate(t, y, m, d)) return false;
      std::int32_t day = DayNumber(y, m, d);
      out.assign(reinterpret_cast<const char*>(&day), 4);
      out.append(4, '\0');
      return true;
    }
    case ftTime: {
      int h, mi, s, z;
      if (!ParseTime(t, h, mi, s, z)) return false;
      std::int32_t ms = ((h * 60 + mi) * 60 + s) * 1000 + z;
      out.assign(reinterpret_cast<const char*>(&ms), 4);
      out.append(4, '\0');
      return true;
    }
    case ftDateTime:
    case ftTimeStamp: {
      int y, m, d, h, mi, s, z;
      if (t.size() < 11 || t[10] != ' ' || !ParseDate(t.substr(0, 10), y, m, d) ||
          !ParseTime(t.substr(11), h, mi, s, z))
        return false;
      if (type == ftTimeStamp) {
        TTimeStampParts p{static_cast<std::int16_t>(y),   static_cast<std::uint16_t>(m),
                          static_cast<std::uint16_t>(d),  static_cast<std::uint16_t>(h),
                          static_cast<std::uint16_t>(mi), static_cast<std::uint16_t>(s),
                          static_cast<std::uint32_t>(z)};
        out.assign(reinterpret_cast<const char*>(&p), sizeof p);
        return true;
      }
      double ms = static_cast<double>(DayNumber(y, m, d)) * kMSecsPerDay +
                  (((h * 60 + mi) * 60 + s) * 1000 + z);
      out.assign(reinterpret_cast<const char*>(&ms), 8);
      return true;
    }
    case ftGuid: {
      if (t.size() > (kGuidTextLength + 1) - 1 || t.find('\0') != std::string_view::npos)
        return false;
      out.assign(t);
      out.resize((kGuidTextLength + 1), '\0');
      return true;
    }
    case ftWideString:
      return Utf8ToWide(t, out) && out.size() <= std::size_t(column.size) * 2;
    default:
      if (t.find('\0') != std::string_view::npos && !IsBlobType(type)) return false;
      out.assign(t);
      return ImageMaxLength(column) < 0 ||
             static_cast<std::int64_t>(out.size()) <= ImageMaxLength(column);
  }
}

void TMemTableCommaTextFormat::Write(const TTableImage& image, std::string& out) {
  std::size_t cols = image.columns.size();
  for (std::size_t c = 0; c < cols; ++c) {
    if (c) out += separator_;
    AppendField(image.columns[c].name, separator_, out);
  }
  out += "\r\n";
  for (std::size_t r = 0; r < image.RowCount(); ++r) {
    for (std::size_t c = 0; c < cols; ++c) {
      if (c) out += separator_;
      const TImageCell& cell = image.Cell(r, c);
      if (!cell.null)
        AppendField(ValueToText(image.columns[c], image.Value(cell)), separator_, out);
    }
    out += "\r\n";
  }
}

TTableImage TMemTableCommaTextFormat::Read(std::string_view data,
                                           const std::vector<TImageColumn>& shape) {
  if (shape.empty()) Bad("the table has no fields for the values to go to");
  Parser parser(data, separator_);
  if (parser.AtEnd()) Bad("it is empty (not even a header row)");
  std::vector<std::string> fields;
  std::vector<bool> nulls;
  int line;
  parser.Row(fields, nulls, line);
  TTableImage image;
  for (const std::string& name : fields) {
    const TImageColumn* found = nullptr;
    for (const TImageColumn& c : shape)
      if (component::SameText(c.name, name)) found = &c;
    if (!found) Bad("the table has no field '" + name + "'");
    for (const TImageColumn& c : image.columns)
      if (component::SameText(c.name, found->name)) Bad("field '" + name + "' appears twice");
    image.columns.push_back(*found);
  }
  std::string value;
  while (!parser.AtEnd()) {
    parser.Row(fields, nulls, line);
    if (fields.size() != image.columns.size())
      Bad("line " + std::to_string(line) + " has " + std::to_string(fields.size()) +
          " values where the header names " + std::to_string(image.columns.size()));
    for (std::size_t c = 0; c < fields.size(); ++c) {
      if (nulls[c]) {
        image.AddNull();
        continue;
      }
      if (!TextToValue(image.columns[c], fields[c], value))
        Bad("line " + std::to_string(line) + ": '" + fields[c].substr(0, 60) +
            "' is no value for field '" + image.columns[c].name + "'");
      image.AddValue(value.data(), value.size());
    }
  }
  return image;
}

}  // namespace memtable
