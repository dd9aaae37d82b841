// The memory table's stored-only properties: what a stored description may
// set on a table for the sake of the description alone. The table keeps them
// so that a description reads and writes back unchanged, but nothing in its
// working interface acts on them.
#pragma once

#include <functional>
#include <string>

#include "component/Component.h"

namespace memtable {

class TCustomMemTable;

class TMemTableStoredProperties {
 public:
  TMemTableStoredProperties() = default;
  TMemTableStoredProperties(const TMemTableStoredProperties&) = delete;
  TMemTableStoredProperties& operator=(const TMemTableStoredProperties&) = delete;

  // Master-detail linking (RangeIgnoreNullKeyValues below).
  std::string MasterFields, DetailFields;

  // The format version a description records; always this engine's.
  std::string Version() const { return "4.08b"; }
  void SetVersion(const std::string&) {}

  // Components a description may name: kept, and forgotten when they go.
  component::TComponent* CommaTextFormat() const { return commaTextFormat_; }
  void SetCommaTextFormat(component::TComponent* c) { commaTextFormat_ = Keep(c); }
  component::TComponent* AllDataFormat() const { return allDataFormat_; }
  void SetAllDataFormat(component::TComponent* c) { allDataFormat_ = Keep(c); }
  component::TComponent* DeltaHandler() const { return deltaHandler_; }
  void SetDeltaHandler(component::TComponent* c) { deltaHandler_ = Keep(c); }

  // Events a description may attach.
  std::function<void(TCustomMemTable*)> OnCompressBlobStream, OnDecompressBlobStream,
      OnSetupFieldProperties;

 protected:
  // Called when a component the table was told about goes away.
  void ForgetStoredComponent(component::TComponent* c) {
    for (component::TComponent** p : {&commaTextFormat_, &allDataFormat_, &deltaHandler_})
      if (*p == c) *p = nullptr;
  }

 private:
  // Asks `c` to tell the table when it goes (MemTable.cpp); returns `c`.
  component::TComponent* Keep(component::TComponent* c);

  component::TComponent* commaTextFormat_ = nullptr;
  component::TComponent* allDataFormat_ = nullptr;
  component::TComponent* deltaHandler_ = nullptr;

 public:
  // Last, so that the table's own first flags share its word.
  bool RangeIgnoreNullKeyValues = true;
};

}  // namespace memtable
