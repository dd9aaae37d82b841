// The roots of the object model: TObject, the common base that event senders
// are passed as, and TPersistent, an object whose published properties can be
// set by name from a stored description.
#pragma once

#include <string>

namespace component {

class TClassInfo;

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
};

// Every class with published properties declares its class description with
// COMPONENT_CLASS_INFO() in a public section and defines StaticClassInfo()
// with a TClassBuilder (ClassBuilder.h). A class that leaves it out is
// described as its nearest base that has one.
#define COMPONENT_CLASS_INFO()                                \
  static const ::component::TClassInfo& StaticClassInfo();    \
  const ::component::TClassInfo& ClassInfo() const override { \
    return StaticClassInfo();                                 \
  }

class TPersistent : public TObject {
 public:
  static const TClassInfo& StaticClassInfo();
  virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }

  const std::string& ClassName() const;
  bool InheritsFrom(const TClassInfo& ancestor) const;

  // Copies the state of another object. The base knows no way and fails with
  // EConvertError, as does any class asked to take an object it cannot copy.
  virtual void Assign(const TPersistent& source);

  // The object that owns this one (a collection for its items, a collection's
  // owner), used to name the object in messages.
  virtual TPersistent* GetOwner() const { return nullptr; }
  // "Form1.Label1.Font", "SkinManager.InternalSkins[0]".
  virtual std::string GetNamePath() const;
};

}  // namespace component
