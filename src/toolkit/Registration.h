// Enters the toolkit's classes in the registry of classes that stored
// window descriptions may name. Safe to call more than once.
#pragma once

namespace toolkit {

void RegisterToolkitClasses();

}  // namespace toolkit
