// Binding a window's published members to the components its stored
// description created, by name.
#pragma once

#include "component/Component.h"
#include "component/Exception.h"

namespace app {

// The component `name` of `window`, which must be of class T; a missing or
// mistyped one is an error of the description.
template <class T>
T* Bind(component::TComponent& window, const char* name) {
  auto* c = dynamic_cast<T*>(window.FindComponent(name));
  if (!c)
    throw component::EComponentError(window.Name() + " has no component " + name + " of class " +
                                     T::StaticClassInfo().Name());
  return c;
}

}  // namespace app
