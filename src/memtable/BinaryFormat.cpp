#include "memtable/BinaryFormat.h"

#include <array>
#include <cstring>

#include "memtable/MemTableStore.h"

namespace memtable {

namespace {

constexpr char kMagic[4] = {'S', 'P', 'M', 'T'};
enum : std::uint16_t { kHasDefinitions = 1, kHasIndexes = 2, kHasAutoInc = 4 };
// Longest name a definition or an index may carry.
constexpr std::uint32_t kMaxName = 1024;
// Longest field list of an index.
constexpr std::uint32_t kMaxIndexFields = 64 * 1024;

// Eight tables, so the checksum takes eight bytes a step: files of whole
// club seasons are checked in a few milliseconds.
using CrcTables = std::array<std::array<std::uint32_t, 256>, 8>;
CrcTables MakeCrcTables() {
  CrcTables t{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[0][i] = c;
  }
  for (std::uint32_t i = 0; i < 256; ++i)
    for (int k = 1; k < 8; ++k) t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
  return t;
}

class Writer {
 public:
  explicit Writer(std::string& out) : out_(out) {}
  void Bytes(const void* p, std::size_t n) { out_.append(static_cast<const char*>(p), n); }
  template <typename T>
  void Num(T v) {
    Bytes(&v, sizeof v);  // the formats run on little-endian machines only
  }
  void Str(const std::string& s) {
    Num(static_cast<std::uint32_t>(s.size()));
    Bytes(s.data(), s.size());
  }

 private:
  std::string& out_;
};

[[noreturn]] void Bad(const std::string& what) {
  throw EMemTableFormatError(what);
}

class Reader {
 public:
  Reader(std::string_view data) : data_(data) {}
  std::size_t Left() const { return data_.size() - pos_; }
  const char* Take(std::size_t n) {
    if (n > Left()) Bad("the data ends early (the file is incomplete)");
    const char* p = data_.data() + pos_;
    pos_ += n;
    return p;
  }
  template <typename T>
  T Num() {
    T v;
    std::memcpy(&v, Take(sizeof v), sizeof v);
    return v;
  }
  std::string Str(std::uint32_t max, const char* what) {
    std::uint32_t n = Num<std::uint32_t>();
    if (n > max)
      Bad(std::string(what) + " is " + std::to_string(n) + " bytes long, more than allowed");
    const char* p = Take(n);
    return std::string(p, n);
  }
  // A count of items of at least `minBytes` each: never more than the data left can hold.
  std::uint32_t Count(std::uint32_t max, std::size_t minBytes, const char* what) {
    std::uint32_t n = Num<std::uint32_t>();
    if (n > max || (minBytes > 0 && n > Left() / minBytes))
      Bad("the " + std::string(what) + " count " + std::to_string(n) + " is impossible");
    return n;
  }

 private:
  std::string_view data_;
  std::size_t pos_ = 0;
};

// A kind and size the engine can hold; the sizes are kept small enough that a
// record stays a sensible allocation.
void CheckColumn(const TImageColumn& c) {
  int kind = static_cast<int>(c.type);
  if (kind < 0 || kind > static_cast<int>(ftFMTBcd) || !ImageKindSupported(c.type))
    Bad("field '" + c.name + "' has the unknown kind " + std::to_string(kind));
  int maxSize = 0;
  switch (c.type) {
    case ftString:
    case ftFixedChar:
    case ftBytes:
      maxSize = 65535;
      break;
    case ftVarBytes:
      maxSize = 65533;
      break;
    case ftWideString:
      maxSize = 32767;
      break;
    case ftBCD:
    case ftFMTBcd:
      maxSize = 64;
      break;
    default:
      maxSize = 1 << 20;  // not used by the kind
      break;
  }
  bool sized = c.type == ftString || c.type == ftFixedChar || c.type == ftBytes ||
               c.type == ftVarBytes || c.type == ftWideString;
  if (c.size < (sized ? 1 : 0) || c.size > maxSize)
    Bad("field '" + c.name + "' has the impossible size " + std::to_string(c.size));
  if (c.precision < 0 || c.precision > 64)
    Bad("field '" + c.name + "' has the impossible precision " + std::to_string(c.precision));
}

TImageColumn ReadColumn(Reader& r, bool full) {
  TImageColumn c;
  c.name = r.Str(kMaxName, "a field name");
  c.type = static_cast<TFieldType>(r.Num<std::uint8_t>());
  c.size = r.Num<std::int32_t>();
  if (full) {
    c.precision = r.Num<std::int32_t>();
    c.attributes = r.Num<std::uint32_t>();
  }
  CheckColumn(c);
  return c;
}

}  // namespace

std::uint32_t Crc32(const void* data, std::size_t length, std::uint32_t crc) {
  static const CrcTables t = MakeCrcTables();
  const auto* p = static_cast<const std::uint8_t*>(data);
  crc = ~crc;
  for (; length >= 8; length -= 8, p += 8) {
    std::uint32_t lo, hi;
    std::memcpy(&lo, p, 4);
    std::memcpy(&hi, p + 4, 4);
    lo ^= crc;
    crc = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^
          t[3][hi & 0xFF] ^ t[2][(hi >> 8) & 0xFF] ^ t[1][(hi >> 16) & 0xFF] ^ t[0][hi >> 24];
  }
  for (; length > 0; --length) crc = t[0][(crc ^ *p++) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

void TMemTableBinaryFormat::Write(const TTableImage& image, std::string& out) {
  std::size_t start = out.size();
  out.reserve(start + image.ValueBytes() + image.RowCount() * (image.columns.size() * 4 + 8) +
              4096);
  Writer w(out);
  w.Bytes(kMagic, 4);
  w.Num(kVersion);
  std::uint16_t flags = (image.hasDefinitions ? kHasDefinitions : 0) |
                        (image.hasIndexes ? kHasIndexes : 0) |
                        (image.hasAutoIncHigh ? kHasAutoInc : 0);
  w.Num(flags);
  if (image.hasDefinitions) {
    w.Num(static_cast<std::uint32_t>(image.columns.size()));
    for (const TImageColumn& c : image.columns) {
      w.Str(c.name);
      w.Num(static_cast<std::uint8_t>(c.type));
      w.Num(static_cast<std::int32_t>(c.size));
      w.Num(static_cast<std::int32_t>(c.precision));
      w.Num(static_cast<std::uint32_t>(c.attributes));
    }
  }
  if (image.hasIndexes) {
    w.Num(static_cast<std::uint32_t>(image.indexes.size()));
    for (const TIndexDef& d : image.indexes) {
      w.Str(d.Name);
      w.Str(d.Fields);
      w.Num(static_cast<std::uint32_t>(d.Options));
      w.Num(static_cast<std::uint32_t>(d.CompareOptions));
    }
  }
  if (image.hasAutoIncHigh) w.Num(static_cast<std::int64_t>(image.autoIncHigh));
  w.Num(static_cast<std::uint32_t>(image.columns.size()));
  std::vector<int> fixed;
  for (const TImageColumn& c : image.columns) {
    w.Str(c.name);
    w.Num(static_cast<std::uint8_t>(c.type));
    w.Num(static_cast<std::int32_t>(c.size));
    fixed.push_back(ImageFixedWidth(c.type, c.size));
  }
  std::size_t rows = image.RowCount(), cols = image.columns.size();
  w.Num(static_cast<std::uint32_t>(rows));
  std::vector<std::uint8_t> nulls((cols + 7) / 8);
  for (std::size_t r = 0; r < rows; ++r) {
    std::fill(nulls.begin(), nulls.end(), 0);
    for (std::size_t c = 0; c < cols; ++c)
      if (image.Cell(r, c).null) nulls[c / 8] |= std::uint8_t(1u << (c % 8));
    w.Bytes(nulls.data(), nulls.size());
    for (std::size_t c = 0; c < cols; ++c) {
      const TImageCell& cell = image.Cell(r, c);
      if (cell.null) continue;
      std::string_view v = image.Value(cell);
      if (fixed[c] < 0) w.Num(static_cast<std::uint32_t>(v.size()));
      w.Bytes(v.data(), v.size());
    }
  }
  w.Num(Crc32(out.data() + start, out.size() - start));
}

TTableImage TMemTableBinaryFormat::Read(std::string_view data, const std::vector<TImageColumn>&) {
  if (data.size() < 4 || std::memcmp(data.data(), kMagic, 4) != 0)
    Bad("it is not a table file (the magic number is missing)");
  if (data.size() < 6) Bad("the data ends early (the file is incomplete)");
  std::uint16_t version;
  std::memcpy(&version, data.data() + 4, 2);
  if (version == 0) Bad("it has the impossible format version 0");
  if (version > kVersion)
    Bad("it was written by a newer version of the program (format " + std::to_string(version) +
        "; this one reads format " + std::to_string(kVersion) + ")");
  if (data.size() < 12) Bad("the data ends early (the file is incomplete)");
  std::uint32_t crc;
  std::memcpy(&crc, data.data() + data.size() - 4, 4);
  if (Crc32(data.data(), data.size() - 4) != crc)
    Bad("it is damaged or incomplete (the checksum does not match)");
  Reader r(data.substr(0, data.size() - 4));
  r.Take(6);
  std::uint16_t flags = r.Num<std::uint16_t>();
  TTableImage image;
  if (flags & ~(kHasDefinitions | kHasIndexes | kHasAutoInc)) Bad("it has unknown sections");
  std::vector<TImageColumn> defs;
  if (flags & kHasDefinitions) {
    std::uint32_t n = r.Count(MT_MAX_FIELDS, 17, "field definition");
    for (std::uint32_t i = 0; i < n; ++i) defs.push_back(ReadColumn(r, true));
  }
  if (flags & kHasIndexes) {
    image.hasIndexes = true;
    std::uint32_t n = r.Count(1024, 16, "index definition");
    for (std::uint32_t i = 0; i < n; ++i) {
      TIndexDef d;
      d.Name = r.Str(kMaxName, "an index name");
      d.Fields = r.Str(kMaxIndexFields, "an index field list");
      d.Options = r.Num<std::uint32_t>() & 63;
      d.CompareOptions = r.Num<std::uint32_t>() & 127;
      image.indexes.push_back(std::move(d));
    }
  }
  if (flags & kHasAutoInc) {
    image.hasAutoIncHigh = true;
    image.autoIncHigh = r.Num<std::int64_t>();
    if (image.autoIncHigh < std::int64_t{INT32_MIN} - 1 || image.autoIncHigh > INT32_MAX)
      Bad("its auto-increment mark " + std::to_string(image.autoIncHigh) + " is out of range");
  }
  std::uint32_t cols = r.Count(MT_MAX_FIELDS, 9, "column");
  for (std::uint32_t i = 0; i < cols; ++i) image.columns.push_back(ReadColumn(r, false));
  if (flags & kHasDefinitions) {
    // The columns are the definitions', in their order.
    if (defs.size() != image.columns.size()) Bad("its columns do not match its definitions");
    for (std::size_t i = 0; i < defs.size(); ++i) {
      if (defs[i].name != image.columns[i].name || defs[i].type != image.columns[i].type ||
          defs[i].size != image.columns[i].size)
        Bad("its columns do not match its definitions");
    }
    image.columns = std::move(defs);
    image.hasDefinitions = true;
  }
  std::size_t nullBytes = (cols + 7) / 8;
  std::uint32_t rows = r.Num<std::uint32_t>();
  if (rows > 0 && (cols == 0 || rows > r.Left() / nullBytes))
    Bad("the row count " + std::to_string(rows) + " is impossible");
  std::vector<int> fixed;
  std::vector<std::int64_t> maxLen;
  for (const TImageColumn& c : image.columns) {
    fixed.push_back(ImageFixedWidth(c.type, c.size));
    maxLen.push_back(ImageMaxLength(c));
  }
  image.Reserve(rows, r.Left());
  for (std::uint32_t row = 0; row < rows; ++row) {
    const auto* nulls = reinterpret_cast<const std::uint8_t*>(r.Take(nullBytes));
    for (std::uint32_t c = 0; c < cols; ++c) {
      if (nulls[c / 8] & (1u << (c % 8))) {
        image.AddNull();
        continue;
      }
      std::size_t n;
      if (fixed[c] >= 0) {
        n = static_cast<std::size_t>(fixed[c]);
      } else {
        n = r.Num<std::uint32_t>();
        if (maxLen[c] >= 0 && static_cast<std::int64_t>(n) > maxLen[c])
          Bad("a value of field '" + image.columns[c].name + "' in row " + std::to_string(row + 1) +
              " is longer than the field");
      }
      const char* p = r.Take(n);
      image.AddValue(p, n);
    }
  }
  if (r.Left() != 0) Bad("there are unexpected bytes after the rows");
  return image;
}

}  // namespace memtable
