#include "memtable/BinaryFormat.h"

#include <array>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

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

// Lengths of values in rows from format 2 on: seven bits a byte, low bits
// first, the high bit set on every byte but the last. Most texts are short,
// so most lengths take one byte where format 1 took four.
constexpr std::size_t kMaxVarintBytes = 5;

inline std::size_t VarintSize(std::uint32_t v) {
  std::size_t n = 1;
  while (v >= 0x80) {
    v >>= 7;
    ++n;
  }
  return n;
}

inline char* PutVarint(char* p, std::uint32_t v) {
  while (v >= 0x80) {
    *p++ = static_cast<char>(v | 0x80);
    v >>= 7;
  }
  *p++ = static_cast<char>(v);
  return p;
}

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
  // A length written as a varint; one that does not end within five bytes or
  // does not fit 32 bits is refused.
  std::uint32_t Varint() {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < kMaxVarintBytes; ++i) {
      auto b = static_cast<std::uint8_t>(*Take(1));
      if (i == kMaxVarintBytes - 1 && b > 0x0F) break;
      v |= static_cast<std::uint32_t>(b & 0x7F) << (7 * i);
      if (!(b & 0x80)) return v;
    }
    Bad("a value length is impossible");
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

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
__attribute__((target("sse4.1"))) inline __m128i Load(const std::uint8_t* q) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
}

// x times the two constants of k, plus the next 128 bits.
__attribute__((target("pclmul,sse4.1"))) inline __m128i Fold(__m128i x, __m128i k, __m128i next) {
  __m128i lo = _mm_clmulepi64_si128(x, k, 0x00);
  __m128i hi = _mm_clmulepi64_si128(x, k, 0x11);
  return _mm_xor_si128(_mm_xor_si128(hi, lo), next);
}

// Folds 64 bytes at a time with carry-less multiplication by powers of x
// modulo the polynomial, then reduces the last 128 bits (Barrett). `length`
// is a multiple of 16, at least 64; `crc` and the result are the inverted
// running value the tables use.
__attribute__((target("pclmul,sse4.1"))) std::uint32_t FoldCrc32(const std::uint8_t* p,
                                                                 std::size_t length,
                                                                 std::uint32_t crc) {
  alignas(16) static const std::uint64_t k1k2[] = {0x0154442bd4, 0x01c6e41596};
  alignas(16) static const std::uint64_t k3k4[] = {0x01751997d0, 0x00ccaa009e};
  alignas(16) static const std::uint64_t k5k0[] = {0x0163cd6124, 0x0000000000};
  alignas(16) static const std::uint64_t poly[] = {0x01db710641, 0x01f7011641};
  __m128i x1 = Load(p), x2 = Load(p + 16), x3 = Load(p + 32), x4 = Load(p + 48);
  x1 = _mm_xor_si128(x1, _mm_cvtsi32_si128(static_cast<int>(crc)));
  __m128i x0 = _mm_load_si128(reinterpret_cast<const __m128i*>(k1k2));
  p += 64;
  length -= 64;
  for (; length >= 64; p += 64, length -= 64) {
    x1 = Fold(x1, x0, Load(p));
    x2 = Fold(x2, x0, Load(p + 16));
    x3 = Fold(x3, x0, Load(p + 32));
    x4 = Fold(x4, x0, Load(p + 48));
  }
  x0 = _mm_load_si128(reinterpret_cast<const __m128i*>(k3k4));
  x1 = Fold(x1, x0, x2);
  x1 = Fold(x1, x0, x3);
  x1 = Fold(x1, x0, x4);
  for (; length >= 16; p += 16, length -= 16) x1 = Fold(x1, x0, Load(p));
  // 128 bits to 64.
  x2 = _mm_clmulepi64_si128(x1, x0, 0x10);
  x3 = _mm_setr_epi32(~0, 0, ~0, 0);
  x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), x2);
  x0 = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(k5k0));
  x2 = _mm_srli_si128(x1, 4);
  x1 = _mm_and_si128(x1, x3);
  x1 = _mm_xor_si128(_mm_clmulepi64_si128(x1, x0, 0x00), x2);
  // 64 bits to 32.
  x0 = _mm_load_si128(reinterpret_cast<const __m128i*>(poly));
  x2 = _mm_and_si128(x1, x3);
  x2 = _mm_clmulepi64_si128(x2, x0, 0x10);
  x2 = _mm_and_si128(x2, x3);
  x2 = _mm_clmulepi64_si128(x2, x0, 0x00);
  x1 = _mm_xor_si128(x1, x2);
  return static_cast<std::uint32_t>(_mm_extract_epi32(x1, 1));
}
#endif

}  // namespace

std::uint32_t Crc32(const void* data, std::size_t length, std::uint32_t crc) {
  static const CrcTables t = MakeCrcTables();
  const auto* p = static_cast<const std::uint8_t*>(data);
  crc = ~crc;
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
  // Long runs go through carry-less multiplication, some ten times faster
  // than the tables; the tables finish the last bytes.
  static const bool folding = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
  if (folding && length >= 64) {
    std::size_t whole = length & ~std::size_t{15};
    crc = FoldCrc32(p, whole, crc);
    p += whole;
    length -= whole;
  }
#endif
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

TBinaryTableWriter::TBinaryTableWriter(std::string& out, std::uint16_t version)
    : out_(out),
      varints_(version != 1),
      version_(version == 1 ? 1 : TMemTableBinaryFormat::kVersion),
      start_(out.size()) {}

void TBinaryTableWriter::Head(const TTableImage& image) {
  Writer w(out_);
  w.Bytes(kMagic, 4);
  w.Num(version_);
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
  fixed_.clear();
  for (const TImageColumn& c : image.columns) {
    w.Str(c.name);
    w.Num(static_cast<std::uint8_t>(c.type));
    w.Num(static_cast<std::int32_t>(c.size));
    fixed_.push_back(ImageFixedWidth(c.type, c.size));
  }
  nullBytes_ = (fixed_.size() + 7) / 8;
  // The row count is known at the end; its place is kept.
  countAt_ = out_.size();
  w.Num(std::uint32_t{0});
}

void TBinaryTableWriter::Reserve(std::size_t rows, std::size_t bytes) {
  out_.reserve(out_.size() + rows * (nullBytes_ + fixed_.size()) + bytes + 4);
}

void TBinaryTableWriter::BeginRow() {
  row_ = out_.size();
  column_ = 0;
  ++rows_;
  out_.append(nullBytes_, '\0');
}

void TBinaryTableWriter::Null() {
  out_[row_ + column_ / 8] = static_cast<char>(out_[row_ + column_ / 8] | (1u << (column_ % 8)));
  ++column_;
}

void TBinaryTableWriter::Value(const void* bytes, std::size_t length) {
  if (fixed_[column_] < 0) {
    auto n = static_cast<std::uint32_t>(length);
    if (varints_) {
      char prefix[kMaxVarintBytes];
      out_.append(prefix, PutVarint(prefix, n) - prefix);
    } else {
      out_.append(reinterpret_cast<const char*>(&n), 4);
    }
  }
  out_.append(static_cast<const char*>(bytes), length);
  ++column_;
}

void TBinaryTableWriter::ImageRows(const TTableImage& image) {
  std::size_t rows = image.RowCount(), cols = image.columns.size();
  // The rows' size is worked out first, so they are written with plain
  // copies into bytes already there rather than appended value by value.
  const TImageCell* cells = image.Cells();
  std::size_t rowBytes = rows * nullBytes_;
  for (std::size_t i = 0; i < rows * cols; ++i)
    if (!cells[i].null)
      rowBytes += cells[i].length + (fixed_[i % cols] >= 0 ? 0
                                     : varints_            ? VarintSize(cells[i].length)
                                                           : 4);
  std::size_t at = out_.size();
  out_.resize(at + rowBytes);
  char* p = out_.data() + at;
  for (std::size_t r = 0; r < rows; ++r, cells += cols) {
    std::memset(p, 0, nullBytes_);
    for (std::size_t c = 0; c < cols; ++c)
      if (cells[c].null) p[c / 8] = static_cast<char>(p[c / 8] | (1u << (c % 8)));
    p += nullBytes_;
    for (std::size_t c = 0; c < cols; ++c) {
      const TImageCell& cell = cells[c];
      if (cell.null) continue;
      if (fixed_[c] < 0) {
        if (varints_) {
          p = PutVarint(p, cell.length);
        } else {
          std::memcpy(p, &cell.length, 4);
          p += 4;
        }
      }
      std::memcpy(p, image.ValueData(cell), cell.length);
      p += cell.length;
    }
  }
  rows_ += static_cast<std::uint32_t>(rows);
}

void TBinaryTableWriter::Finish() {
  std::memcpy(out_.data() + countAt_, &rows_, 4);
  std::uint32_t crc = Crc32(out_.data() + start_, out_.size() - start_);
  out_.append(reinterpret_cast<const char*>(&crc), 4);
}

void TMemTableBinaryFormat::Write(const TTableImage& image, std::string& out) {
  TBinaryTableWriter w(out, writeVersion_);
  w.Head(image);
  w.ImageRows(image);
  w.Finish();
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
  const bool varints = version >= 2;
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
  // Cells point into the data when their offsets can reach all of it.
  bool borrow = data.size() <= UINT32_MAX;
  if (borrow) image.Borrow(data);
  image.Reserve(rows, borrow ? 0 : r.Left());
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
        n = varints ? r.Varint() : r.Num<std::uint32_t>();
        if (maxLen[c] >= 0 && static_cast<std::int64_t>(n) > maxLen[c])
          Bad("a value of field '" + image.columns[c].name + "' in row " + std::to_string(row + 1) +
              " is longer than the field");
      }
      const char* p = r.Take(n);
      if (borrow)
        image.AddBorrowed(p, n);
      else
        image.AddValue(p, n);
    }
  }
  if (r.Left() != 0) Bad("there are unexpected bytes after the rows");
  return image;
}

}  // namespace memtable
