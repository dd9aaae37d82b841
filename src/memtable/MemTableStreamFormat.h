// Save and load formats of the memory table. A table is turned into a table
// image (its field and index definitions, the auto-increment high mark and
// its rows as plain values) and back; a format only writes an image as bytes
// and reads bytes into one, so a bad file is refused before the table is
// touched.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "component/Component.h"
#include "memtable/DBTypes.h"
#include "memtable/DatabaseError.h"
#include "memtable/IndexDef.h"

namespace memtable {

// What a save writes.
enum TMemTableFormatOption : std::uint32_t {
  mtfoDefinitions = 1,  // field definitions (a format that cannot hold them ignores the bit)
  mtfoData = 2,         // the rows
  mtfoIndexes = 4,      // index definitions
  mtfoOnlyChanged = 8,  // only rows inserted or changed since the last check point
  mtfoOnlyVisible = 16  // only the rows the current order and filter show
};
using TMemTableFormatOptions = std::uint32_t;
inline constexpr TMemTableFormatOptions kDefaultFormatOptions =
    mtfoDefinitions | mtfoData | mtfoIndexes;

// One column of an image.
struct TImageColumn {
  std::string name;
  TFieldType type = ftUnknown;
  int size = 0;
  int precision = 0;
  TFieldAttributes attributes = 0;
};

// A value of an image. Texts hold their characters (no NUL), wide texts,
// var-bytes and blobs their bytes, fixed bytes exactly Size bytes, every
// other kind its native form in a record.
struct TImageCell {
  std::uint32_t offset = 0;
  std::uint32_t length = 0;
  bool null = true;
};

class TTableImage {
 public:
  std::vector<TImageColumn> columns;
  bool hasDefinitions = false;
  std::vector<TIndexDef> indexes;
  bool hasIndexes = false;
  // The highest auto-increment value handed out; below the minimum when none.
  std::int64_t autoIncHigh = -1;
  bool hasAutoIncHigh = false;

  std::size_t RowCount() const { return columns.empty() ? 0 : cells_.size() / columns.size(); }
  // Rows are filled one cell at a time, in column order.
  void AddNull() { cells_.push_back(TImageCell{}); }
  // Saving a table adds a value per field and record: the common case is a
  // bounds check and a copy.
  void AddValue(const void* bytes, std::size_t length) {
    if (length > arenaCapacity_ - arenaSize_) GrowArena(length);
    cells_.push_back(TImageCell{static_cast<std::uint32_t>(arenaSize_),
                                static_cast<std::uint32_t>(length), false});
    if (length > 0) std::memcpy(arena_.get() + arenaSize_, bytes, length);
    arenaSize_ += length;
  }
  // A reader may leave the values in the bytes it reads (which must outlive
  // the image): the cells then point into them and nothing is copied.
  void Borrow(std::string_view bytes) { borrowed_ = bytes; }
  void AddBorrowed(const char* bytes, std::size_t length) {
    cells_.push_back(TImageCell{static_cast<std::uint32_t>(bytes - borrowed_.data()),
                                static_cast<std::uint32_t>(length), false});
  }
  void Reserve(std::size_t rows, std::size_t bytes) {
    cells_.reserve(rows * columns.size());
    if (bytes > arenaCapacity_ - arenaSize_) GrowArena(bytes);
  }
  const TImageCell& Cell(std::size_t row, std::size_t column) const {
    return cells_[row * columns.size() + column];
  }
  // The cells row by row, RowCount() times the columns of them.
  const TImageCell* Cells() const { return cells_.data(); }
  std::string_view Value(const TImageCell& c) const {
    return (borrowed_.data() ? borrowed_ : std::string_view(arena_.get(), arenaSize_))
        .substr(c.offset, c.length);
  }
  // Where a cell's bytes start; no check, for the writers' inner loops.
  const char* ValueData(const TImageCell& c) const {
    return (borrowed_.data() ? borrowed_.data() : arena_.get()) + c.offset;
  }

 private:
  std::vector<TImageCell> cells_;
  // Room for at least `more` further bytes, growing by half again at least.
  void GrowArena(std::size_t more) {
    std::size_t capacity = std::max(arenaSize_ + more, arenaCapacity_ + arenaCapacity_ / 2 + 256);
    auto bigger = std::make_unique_for_overwrite<char[]>(capacity);
    if (arenaSize_ > 0) std::memcpy(bigger.get(), arena_.get(), arenaSize_);
    arena_ = std::move(bigger);
    arenaCapacity_ = capacity;
  }
  // The values' bytes (arenaSize_ of arenaCapacity_ used).
  std::unique_ptr<char[]> arena_;
  std::size_t arenaSize_ = 0;
  std::size_t arenaCapacity_ = 0;
  std::string_view borrowed_;
};

// The width of a kind's value in an image when it is fixed, else -1.
int ImageFixedWidth(TFieldType type, int size);
// True when a kind keeps a length-prefixed value in an image (texts, bytes of
// varying length, blobs).
inline bool ImageVariableWidth(TFieldType type, int size) {
  return ImageFixedWidth(type, size) < 0;
}
// The most bytes a value of a column may hold (blobs: no limit, -1).
std::int64_t ImageMaxLength(const TImageColumn& column);
// False for a value of a date or time kind that names no moment between the
// years 1 and 9999 (a damaged or hostile file); the fields could not show it.
bool ImageValueInRange(TFieldType type, std::string_view value);
// Kinds a format can keep: the kinds a record holds, structured ones aside.
bool ImageKindSupported(TFieldType type);

// A file or stream that cannot be read: the message names what is wrong.
class EMemTableFormatError : public EMemTableError {
 public:
  using EMemTableError::EMemTableError;
};

// The base of the formats: the options of what to save, and the two halves a
// concrete format provides.
class TMemTableStreamFormat : public component::TComponent {
 public:
  COMPONENT_CLASS_INFO()
  explicit TMemTableStreamFormat(component::TComponent* owner = nullptr) : TComponent(owner) {}

  TMemTableFormatOptions Options() const { return options_; }
  void SetOptions(TMemTableFormatOptions v) { options_ = v; }

  // Appends the image's bytes to `out`.
  virtual void Write(const TTableImage& image, std::string& out) = 0;
  // Reads bytes into an image. `shape` carries the columns of the table the
  // data is for, which a format without definitions of its own needs (its
  // columns may be empty when the table has none). Fails with
  // EMemTableFormatError saying what is wrong.
  virtual TTableImage Read(std::string_view data, const std::vector<TImageColumn>& shape) = 0;

 private:
  TMemTableFormatOptions options_ = kDefaultFormatOptions;
};

}  // namespace memtable
