// What the fields holding a date and time share, whatever their stored form:
// the display format of their text and the float view of the value, which is
// the date-time itself (days since 1899-12-30, the time as the fraction).
#pragma once

#include <string>

#include "memtable/Field.h"

namespace memtable {

class TDateTimeValueField : public TField {
 public:
  const std::string& DisplayFormat() const { return displayFormat_; }
  void SetDisplayFormat(std::string v) { displayFormat_ = std::move(v); }

  double AsFloat() override { return AsDateTime(); }
  void SetAsFloat(double v) override { SetAsDateTime(v); }

 protected:
  explicit TDateTimeValueField(TFieldType type) : TField(type, 0) {}

  std::string displayFormat_;  // empty: the user's short date and long time
};

}  // namespace memtable
