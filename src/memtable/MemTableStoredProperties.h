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
  // `self` is the table; the components named below tell it when they go.
  explicit TMemTableStoredProperties(component::TComponent& self) : self_(self) {}
  TMemTableStoredProperties(const TMemTableStoredProperties&) = delete;
  TMemTableStoredProperties& operator=(const TMemTableStoredProperties&) = delete;

  // Master-detail linking.
  std::string MasterFields, DetailFields;
  bool RangeIgnoreNullKeyValues = true;

  // The format version a description records; always this engine's.
  std::string Version() const { return "4.08b"; }
  void SetVersion(const std::string&) {}

  // Components a description may name: kept, and forgotten when they go.
  component::TComponent* CommaTextFormat() const { return commaTextFormat_; }
  void SetCommaTextFormat(component::TComponent* c) { Keep(commaTextFormat_, c); }
  component::TComponent* AllDataFormat() const { return allDataFormat_; }
  void SetAllDataFormat(component::TComponent* c) { Keep(allDataFormat_, c); }
  component::TComponent* DeltaHandler() const { return deltaHandler_; }
  void SetDeltaHandler(component::TComponent* c) { Keep(deltaHandler_, c); }

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
  void Keep(component::TComponent*& slot, component::TComponent* c) {
    if (c) c->FreeNotification(&self_);
    slot = c;
  }

  component::TComponent& self_;
  component::TComponent* commaTextFormat_ = nullptr;
  component::TComponent* allDataFormat_ = nullptr;
  component::TComponent* deltaHandler_ = nullptr;
};

}  // namespace memtable
