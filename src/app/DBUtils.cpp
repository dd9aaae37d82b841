#include "app/DBUtils.h"

#include "memtable/MemTable.h"
#include "toolkit/Form.h"
#include "toolkit/Screen.h"

namespace app {

void ApplyTableLanguage(std::int32_t Value) {
  for (int i = 0; i < toolkit::Screen->FormCount(); ++i) {
    toolkit::TCustomForm* form = toolkit::Screen->Forms(i);
    for (int j = 0; j < form->ComponentCount(); ++j)
      if (auto* table = dynamic_cast<memtable::TCustomMemTable*>(form->Components(j)))
        table->SetLanguageID(Value);
  }
}

}  // namespace app
