#include "records/Registration.h"

#include "component/ClassInfo.h"
#include "memtable/DataSource.h"
#include "memtable/MemTable.h"

namespace records {

void RegisterRecordClasses() {
  component::RegisterClasses<memtable::TMemTable, memtable::TDataSource>();
}

}  // namespace records
