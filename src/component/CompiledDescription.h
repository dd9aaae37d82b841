// The compiled form of a stored window description: the parsed tree
// (Description.h) written as compact binary, line numbers included, so a
// program that compiles its descriptions at build time skips the text
// parser at start and carries pictures as raw bytes instead of hexadecimal.
// The text stays the source; the reader takes either form.
#pragma once

#include <string>
#include <string_view>

#include "component/Description.h"

namespace component {

// True when the bytes are a compiled description. A text description never
// starts with the form's leading NUL byte.
bool IsCompiledDescription(std::string_view bytes);

std::string CompileDescription(const TDescriptionObject& root);

// The tree back from compiled bytes; EParserError naming `fileName` when they
// are damaged or cut short.
TDescriptionObject LoadCompiledDescription(std::string_view bytes, std::string_view fileName);

}  // namespace component
