// Class descriptions: what the reader of stored descriptions knows about a
// class. A TClassInfo names the class, links to its base's description (so
// properties and handler methods are inherited along the C++ hierarchy),
// lists its published properties with their setters and getters, its handler
// methods, and how to create an instance. Descriptions are built once with a
// TClassBuilder (ClassBuilder.h); classes that stored descriptions create by
// name are entered in a process-wide registry with RegisterClass.
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <typeindex>
#include <unordered_map>
#include <utility>

#include <variant>
#include <vector>
#include "platform/base/AsciiCase.h"

namespace component {

class TPersistent;
class TComponent;
class TCollection;
class TCollectionItem;
class TMethodInfo;
class TClassInfo;

using TBytes = std::vector<std::uint8_t>;
using TStringValues = std::vector<std::string>;

// What a published property holds, and so which stored values it accepts.
enum class TPropertyKind {
  Integer,      // 12, -3, $FF, or a named constant of the property (clBlack)
  Float,        // 1.5, 2E-3, 7
  String,       // 'text' (8-bit Windows-1252)
  Boolean,      // True, False
  Enumeration,  // an identifier of its enumeration
  Set,          // [a, b] of identifiers of its enumeration
  Binary,       // {0A1B...}
  Strings,      // ('a' 'b')
  Collection,   // <item ... end>
  Object,       // an owned sub-object, reached by a dotted path (Font.Name)
  Component,    // a component by name, Window.Component, or nil
  Event,        // a handler method of the root component's class, or nil
};

// "an integer", "a string", ... for messages.
const char* PropertyKindText(TPropertyKind kind);

// A handler to attach: `method` of the root component `root`; no method
// detaches the handler.
struct TEventValue {
  const TMethodInfo* method = nullptr;
  TComponent* root = nullptr;
};

// A value on its way into or out of a property:
//   Integer → int64; Float → double; String → string; Boolean → bool;
//   Enumeration → int64 ordinal; Set → int64 holding the mask of ordinals;
//   Binary → TBytes; Strings → TStringValues; Component → TComponent*;
//   Event → TEventValue.
using TPropertyValue = std::variant<std::monostate, std::int64_t, double, std::string, bool, TBytes,
                                    TStringValues, TComponent*, TEventValue>;

// The identifiers of an enumeration, by ordinal. Names match ignoring case.
class TEnumInfo {
 public:
  TEnumInfo(std::string typeName, std::vector<std::string> names);
  const std::string& TypeName() const { return typeName_; }
  int Count() const { return static_cast<int>(names_.size()); }
  const std::string& Name(int ordinal) const { return names_.at(ordinal); }
  int Find(std::string_view name) const;  // -1 when none

 private:
  std::string typeName_;
  std::vector<std::string> names_;
};

// Named constants an integer property accepts besides numbers (colours,
// cursors). Names match ignoring case.
class TIdentMap {
 public:
  TIdentMap(std::initializer_list<std::pair<std::string_view, std::int64_t>> entries);
  std::optional<std::int64_t> Find(std::string_view name) const;
  const std::string* NameOf(std::int64_t value) const;

 private:
  std::vector<std::pair<std::string, std::int64_t>> entries_;
};

// A handler method published by a root component's class. Bind yields a
// std::function of the method's exact signature that calls it on the given
// root; an event property takes it only when its own signature is the same.
class TMethodInfo {
 public:
  using Binder = std::function<std::any(TComponent& root)>;
  TMethodInfo(std::string name, std::type_index signature, Binder binder)
      : name_(std::move(name)), signature_(signature), binder_(std::move(binder)) {}
  const std::string& Name() const { return name_; }
  std::type_index Signature() const { return signature_; }
  std::any Bind(TComponent& root) const { return binder_(root); }

 private:
  std::string name_;
  std::type_index signature_;
  Binder binder_;
};

struct TPropertyInfo {
  using Setter = std::function<void(TPersistent&, const TPropertyValue&)>;
  using Getter = std::function<TPropertyValue(const TPersistent&)>;
  using ObjectGetter = std::function<TPersistent*(TPersistent&)>;

  std::string name;
  TPropertyKind kind = TPropertyKind::Integer;
  const TEnumInfo* enumInfo = nullptr;  // Enumeration, Set
  const TIdentMap* idents = nullptr;    // Integer (optional)
  // Integer: the range of the C++ type behind the property. A $hex literal
  // that fits the type's width is taken as its bit pattern, so a 32-bit
  // signed colour can be written $FF00000D.
  std::int64_t minValue = INT64_MIN;
  std::int64_t maxValue = INT64_MAX;
  int bits = 64;
  bool isSigned = true;
  bool singlePrecision = false;  // Float
  // Component: the class a referenced component must have; Object and
  // Collection: the class of the sub-object. A function, as a class may
  // publish a reference to its own kind while its description is being built.
  const TClassInfo& (*targetClass)() = nullptr;
  std::function<bool(const TComponent&)> accepts;  // Component
  std::optional<std::type_index> eventSignature;   // Event
  Setter set;                                      // every kind but Object and Collection
  Getter get;                                      // optional; without it nothing is written
  ObjectGetter object;                             // Object and Collection

  // Writing (Writer.h). A property is written when `stored` (if any) says so
  // and its value differs from the default: the value the same property has
  // in a newly created object of the class. With `noDefault` it is written
  // whatever its value.
  std::function<bool(const TPersistent&)> stored;
  bool noDefault = false;
};

class TPropertyFiler;

class TClassInfo {
 public:
  using ComponentFactory = std::function<TComponent*(TComponent* owner)>;
  using ItemFactory = std::function<TCollectionItem*(TCollection* collection)>;
  // Writes what the published properties cannot say by themselves; called
  // after they are written, with the object and its default counterpart
  // (null when there is none).
  using DefineProperties = std::function<void(const TPersistent& object,
                                              const TPersistent* ancestor, TPropertyFiler& filer)>;

  TClassInfo(std::string name, const TClassInfo* parent);
  TClassInfo(TClassInfo&&) = default;
  TClassInfo(const TClassInfo&) = delete;
  TClassInfo& operator=(const TClassInfo&) = delete;

  const std::string& Name() const { return name_; }
  const TClassInfo* Parent() const { return parent_; }
  bool InheritsFrom(const TClassInfo& ancestor) const;

  // Own properties first, then the base's, ignoring case; null when none.
  const TPropertyInfo* FindProperty(std::string_view name) const;
  const TMethodInfo* FindMethod(std::string_view name) const;
  // This class's own properties, in registration order.
  const std::vector<TPropertyInfo>& OwnProperties() const { return properties_; }

  bool CanCreateComponent() const { return static_cast<bool>(componentFactory_); }
  // A new component of this class owned by `owner`; EComponentError when the
  // class cannot be created by name.
  TComponent* CreateComponent(TComponent* owner) const;
  bool CanCreateItem() const { return static_cast<bool>(itemFactory_); }
  TCollectionItem* CreateItem(TCollection* collection) const;
  const DefineProperties& DefinePropertiesHook() const { return defineProperties_; }

  // Used by TClassBuilder.
  void AddProperty(TPropertyInfo info);
  void AddMethod(TMethodInfo info);
  void SetComponentFactory(ComponentFactory f) { componentFactory_ = std::move(f); }
  void SetItemFactory(ItemFactory f) { itemFactory_ = std::move(f); }
  void SetDefineProperties(DefineProperties f) { defineProperties_ = std::move(f); }
  // The most recently added property, for the builder's modifiers.
  TPropertyInfo& LastProperty();

 private:
  std::string name_;
  const TClassInfo* parent_;
  std::vector<TPropertyInfo> properties_;
  std::unordered_map<std::string, std::size_t> propertyIndex_;  // lower-case name
  std::vector<TMethodInfo> methods_;
  std::unordered_map<std::string, std::size_t> methodIndex_;
  ComponentFactory componentFactory_;
  ItemFactory itemFactory_;
  DefineProperties defineProperties_;
  std::size_t lastProperty_ = 0;
};

// Receives the values a DefineProperties hook writes; `enumInfo` names the
// identifiers of enumerations and sets.
class TPropertyFiler {
 public:
  virtual ~TPropertyFiler() = default;
  virtual void Write(std::string_view name, TPropertyKind kind, const TPropertyValue& value,
                     const TEnumInfo* enumInfo = nullptr) = 0;
};

// The registry of classes that stored descriptions may name. Registering the
// same description twice is harmless; a different class under a name that
// is taken fails with EComponentError.
void RegisterClass(const TClassInfo& info);
void UnregisterClass(const TClassInfo& info);
const TClassInfo* FindClass(std::string_view name);  // ignoring case; null when none

template <class... Ts>
void RegisterClasses() {
  (RegisterClass(Ts::StaticClassInfo()), ...);
}

// Names in descriptions are identifiers: they compare ignoring ASCII case.
using platform::LowerCase;
using platform::SameText;

}  // namespace component
