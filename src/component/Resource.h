// Resources compiled into the program: files under resources/ (window
// descriptions, pictures) turned into constant data by the CMake function
// sprintara_embed_resources, so that the program reads no file at run time.
// Each generated table registers itself before main() runs.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace component {

struct TResourceEntry {
  const char* name;  // the path under resources/, with '/' separators
  const char* data;
  std::size_t size;
};

// Keeps a table of entries findable while it exists (a static object of the
// generated source).
class TResourceTable {
 public:
  TResourceTable(const TResourceEntry* entries, std::size_t count);
  ~TResourceTable();
  TResourceTable(const TResourceTable&) = delete;
  TResourceTable& operator=(const TResourceTable&) = delete;

 private:
  const TResourceEntry* entries_;
  std::size_t count_;
};

// The bytes of the resource with that name, matched ignoring ASCII case;
// nullopt when none was compiled in.
std::optional<std::string_view> FindResource(std::string_view name);

// As FindResource, but EResNotFound ("Resource Main.sdesc not found") when
// there is none.
std::string_view LoadResource(std::string_view name);

}  // namespace component
