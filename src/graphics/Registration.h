// Enters the graphics classes in the registry of classes that stored window
// descriptions may name. Safe to call more than once.
#pragma once

namespace graphics {

void RegisterGraphicsClasses();

}  // namespace graphics
