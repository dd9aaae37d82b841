// Stored window descriptions: any text parses or fails with a read error.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "component/Description.h"
#include "component/Exception.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    component::ParseDescription(text, "Fuzz.sdesc");
  } catch (const component::Exception&) {
  }
  return 0;
}
