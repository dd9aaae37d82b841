// The binary save format: an exact copy of every value, the field and index
// definitions and the auto-increment high mark.
//
// Layout (little-endian): the magic "SPMT", a 16-bit format version and
// 16-bit section flags; the definitions (count, then name, kind, size,
// precision and attributes of each); the index definitions (count, then
// name, fields, options, compare options); the auto-increment high mark; the
// columns of the rows (count, then name, kind and size of each); the row
// count and the rows, each a bitmap of its null values followed by its
// non-null values (fixed kinds in their native width, the others as a length
// and the bytes); and last a CRC-32 of everything before it.
//
// Format 2 writes the lengths in the rows as varints (seven bits a byte, low
// bits first, the high bit marking a further byte); format 1 wrote them as
// 32-bit numbers. Both are read; format 2 is written unless asked otherwise.
#pragma once

#include "memtable/MemTableStreamFormat.h"

namespace memtable {

class TMemTableBinaryFormat : public TMemTableStreamFormat {
 public:
  COMPONENT_CLASS_INFO()
  static constexpr std::uint16_t kVersion = 2;

  explicit TMemTableBinaryFormat(component::TComponent* owner = nullptr)
      : TMemTableStreamFormat(owner) {}

  // The format version Write produces: kVersion, or 1 for a program that
  // reads only that.
  std::uint16_t WriteVersion() const { return writeVersion_; }
  void SetWriteVersion(std::uint16_t v) { writeVersion_ = v; }

  void Write(const TTableImage& image, std::string& out) override;
  TTableImage Read(std::string_view data, const std::vector<TImageColumn>& shape) override;

 private:
  std::uint16_t writeVersion_ = kVersion;
};

// Writes a binary table file in pieces: the head (everything before the rows)
// from an image, then rows value by value or an image's rows, and last the
// row count in its place and the checksum. Saving a table writes its records
// through it without making an image of them.
class TBinaryTableWriter {
 public:
  // Appends to `out`, in format `version` (1, or else the current one).
  TBinaryTableWriter(std::string& out, std::uint16_t version);
  // The definitions, indexes, auto-increment mark and columns of `image`.
  void Head(const TTableImage& image);
  // Room for about `rows` rows holding `bytes` bytes of values.
  void Reserve(std::size_t rows, std::size_t bytes);
  // A row's values follow in column order.
  void BeginRow();
  void Null();
  void Value(const void* bytes, std::size_t length);
  // The rows of an image with the head's columns.
  void ImageRows(const TTableImage& image);
  void Finish();

 private:
  std::string& out_;
  bool varints_;
  std::uint16_t version_;
  std::size_t start_;
  std::size_t countAt_ = 0;
  std::size_t row_ = 0;
  std::size_t column_ = 0;
  std::uint32_t rows_ = 0;
  std::size_t nullBytes_ = 0;
  std::vector<int> fixed_;
};

// CRC-32 (the common reflected polynomial 0xEDB88320), continuing from `crc`.
std::uint32_t Crc32(const void* data, std::size_t length, std::uint32_t crc = 0);

}  // namespace memtable
