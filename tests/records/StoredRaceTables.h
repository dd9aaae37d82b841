// The two race tables as the console window's stored description defines
// them: their objects are taken out of Main.sdesc and read into a root of
// their own, so the tests follow the schema the program really starts with.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "component/ClassBuilder.h"
#include "component/Reader.h"
#include "component/Resource.h"
#include "memtable/MemTable.h"

namespace records_test {

// A window-less root owning the tables.
class TStoredTables : public component::TComponent {
 public:
  COMPONENT_CLASS_INFO()
  explicit TStoredTables(component::TComponent* owner) : component::TComponent(owner) {}
};

inline const component::TClassInfo& TStoredTables::StaticClassInfo() {
  static const component::TClassInfo info =
      component::TClassBuilder<TStoredTables, component::TComponent>("TStoredTables").Build();
  return info;
}

// The text of `object <name>: TMemTable` up to its own `end`, from a
// description whose objects nest by two spaces.
inline std::string TableObject(std::string_view description, std::string_view name) {
  std::string head = "  object " + std::string(name) + ": TMemTable\n";
  std::size_t from = description.find(head);
  if (from == std::string_view::npos) throw std::runtime_error("no table " + std::string(name));
  std::size_t to = description.find("\n  end\n", from);
  if (to == std::string_view::npos) throw std::runtime_error("table without end");
  return std::string(description.substr(from, to + 7 - from));
}

// Reads both tables from the embedded Main.sdesc into `root`: competitors
// first, then results, as the window creates them.
inline void ReadStoredRaceTables(TStoredTables& root) {
  component::RegisterClasses<TStoredTables, memtable::TMemTable>();
  std::string_view main = component::LoadResource("Main.sdesc");
  std::string text = "object Tables: TStoredTables\n" + TableObject(main, "Table_Competitors") +
                     TableObject(main, "Table_Results") + "end\n";
  component::ReadDescription(root, text, "Main.sdesc");
}

}  // namespace records_test
