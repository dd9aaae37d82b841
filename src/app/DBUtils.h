// Unit_DB_Utils: glue between the windows and their tables.
#pragma once

#include <cstdint>

namespace app {

// Sets the language of every memory table owned by any window in the
// screen's window list; windows without tables are passed over.
void ApplyTableLanguage(std::int32_t Value);

}  // namespace app
