// The comma-separated text format: a header row of field names, then one row
// per record. A value holding the separator, a quote, a line break or
// surrounding spaces is quoted, quotes doubled; an empty value is written as
// "" and a null one as nothing. Numbers, dates and times have one form
// whatever the user's regional settings, so a file travels between machines:
//   whole numbers      -12
//   floats, currency   the shortest text that reads back exactly: 0.1, 1e+300
//   decimals           -123.45
//   booleans           true, false
//   dates              2026-12-10
//   times              13:05:09, or 13:05:09.250 with milliseconds
//   date-times         2026-12-10 13:05:09(.250), time stamps the same
//   texts, GUIDs       as stored; wide texts in UTF-8
//   bytes and blobs    hexadecimal digits (memos as text)
// The format holds no definitions: a load needs a table with fields, and the
// header names which of them the columns fill.
#pragma once

#include "memtable/MemTableStreamFormat.h"

namespace memtable {

class TMemTableCommaTextFormat : public TMemTableStreamFormat {
 public:
  COMPONENT_CLASS_INFO()
  explicit TMemTableCommaTextFormat(component::TComponent* owner = nullptr)
      : TMemTableStreamFormat(owner) {}

  char Separator() const { return separator_; }
  // Fails with EMemTableError for a quote, a line break or a NUL.
  void SetSeparator(char c);

  void Write(const TTableImage& image, std::string& out) override;
  TTableImage Read(std::string_view data, const std::vector<TImageColumn>& shape) override;

  // A value's text in the format, and back into an image value (false when the
  // text is no value of the kind).
  static std::string ValueToText(const TImageColumn& column, std::string_view value);
  static bool TextToValue(const TImageColumn& column, std::string_view text, std::string& value);

 private:
  char separator_ = ',';
};

}  // namespace memtable
