// The reader of stored window descriptions (format: Description.h).
//
// Loading a description into its window, the root component that the caller
// has already constructed:
//   1. The whole text is parsed (or, for a description compiled at build
//      time, CompiledDescription.h, its tree is loaded); nothing is created
//      before it parses.
//   2. The root's class must be the description's class; the root takes the
//      description's name. Its own properties are applied.
//   3. Every nested object is created by its registered class, owned by the
//      root whatever its depth, named, given the enclosing object's component
//      through SetParentComponent and its position through the enclosing
//      component's SetChildOrder, and has its properties applied, in the
//      order written. From creation until step 5 each is in csLoading (and
//      csReading until step 4 ends), as is the root.
//   4. Component references are resolved by name once everything exists:
//      a component of this window (also one declared further down), the
//      window itself, or Window.Component in another window found through the
//      resolver (the explicit one, else the process-wide one).
//   5. Loaded() is called on the root and then on every created component in
//      creation order; each leaves csLoading just before its call.
//
// Event properties name a handler method of the root's class (looked up in
// its class description, inherited ones included) and are attached as they
// are read.
//
// Any failure raises an EReadError descendant whose message names the file,
// the line and the item ("Main.sdesc(42): unknown property 'Captoin' of
// Label1 (TLabel)"); a failure raised by a setter or by Loaded() is wrapped
// the same way. Every component created by the failed load is then freed,
// last first, and the root leaves the loading state; properties already
// applied to the root and to components of other windows stay applied.
#pragma once

#include <functional>
#include <string_view>

#include "component/Component.h"

namespace component {

// Finds a window (a root component) by name; null when there is none.
using TFindGlobalComponent = std::function<TComponent*(std::string_view name)>;

// The resolver used when a load is given none; the application installs one
// over its list of windows.
void SetFindGlobalComponent(TFindGlobalComponent resolver);
TComponent* FindGlobalComponent(std::string_view name);

void ReadDescription(TComponent& root, std::string_view text, std::string_view fileName,
                     const TFindGlobalComponent& findWindow = nullptr);

// Reads the compiled-in resource `resourceName` (Resource.h); EResNotFound
// when there is none.
void ReadDescriptionResource(TComponent& root, std::string_view resourceName,
                             const TFindGlobalComponent& findWindow = nullptr);

}  // namespace component
