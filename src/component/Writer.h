// The writer of stored window descriptions (format: Description.h): the
// counterpart of the reader, for tools and tests; the program saves nothing.
//
// The root and every component it owns are written as nested objects, each
// inside the object of its parent component (GetParentComponent), in the
// owner's order; components without a parent in this window sit directly in
// the root. An object's published properties follow in class order, base
// class first, each where it was first published.
//
// A property is written when its class can read it back (it has a getter),
// when it is stored (TPropertyInfo::stored) and when its value differs from
// its default, the value the same property has in a newly created object of
// the class (for collection items, an item newly added to such an object's
// collection); a property marked noDefault is written whatever its value.
// Owned sub-objects are written as dotted paths against the default object's
// sub-object. Handlers are written by method name when they were bound to a
// method of this root; handlers assigned by code are left out. A class's
// DefineProperties hook writes last whatever else it needs.
//
// Strings keep to printable ASCII inside quotes, anything else as #nnn, and
// long strings are cut into pieces joined by + on following lines. Floats
// are written in the shortest form that reads back to the same value.
// Writing the same tree twice gives the same bytes.
//
// EWriteError when a value cannot be written: a float that is not finite, an
// enumeration value outside its type, a reference to a component that cannot
// be named.
#pragma once

#include <string>
#include <string_view>

#include "component/Component.h"

namespace component {

std::string WriteDescription(const TComponent& root);

// A string as the format writes it on one line: 'It''s'#13#10'done'.
std::string DescriptionString(std::string_view text);

}  // namespace component
