// The string table: words looked up by a 16-bit identifier. The toolkit has
// no words of its own; the layers above add theirs as sources (the skin its
// window-frame words), and the program looks its own up over them.
#pragma once

#include <cstdint>
#include <string>

namespace toolkit {

// A layer's part of the table: the text of an identifier, empty when the
// identifier is not one of its own.
using TResStringSource = std::string (*)(std::uint16_t id);

// Adds a source; adding the same one again changes nothing.
void AddResStringSource(TResStringSource source);

// The text of a string-table entry from the first source that has it;
// empty for an unknown identifier.
std::string LoadResString(std::uint16_t id);

}  // namespace toolkit
