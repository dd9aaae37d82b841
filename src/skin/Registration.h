// Enters the skin classes in the registry of classes that stored window
// descriptions may name, and the skin's window-frame words in the string
// table. Safe to call more than once.
#pragma once

namespace skin {

void RegisterSkinClasses();

}  // namespace skin
