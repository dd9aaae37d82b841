// GUID fields: the 38-character text form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}",
// kept in upper case so that equal GUIDs compare equal as text.
#pragma once

#include "memtable/Field.h"

namespace memtable {

inline constexpr int kGuidTextLength = 38;

class TGuidField : public TField {
 public:
  TGuidField() : TField(ftGuid, kGuidTextLength) {}
  int DataSize() const override { return kGuidTextLength + 1; }
  std::string AsString() override { return GetChars(); }
  // Takes the text with or without braces, in either case; empty text sets
  // null; anything else fails and changes nothing.
  void SetAsString(const std::string& v) override;
  TVariant AsVariant() override;

 protected:
  int DefaultDisplayWidth() const override { return kGuidTextLength; }
};

// The canonical form of a GUID text; false when it is none.
bool NormalizeGuidText(const std::string& text, std::string& out);

}  // namespace memtable
