#include "records/Registration.h"

#include "component/ClassInfo.h"
#include "memtable/BinaryFormat.h"
#include "memtable/CommaTextFormat.h"
#include "memtable/DataSource.h"
#include "memtable/MemTable.h"

namespace records {

void RegisterRecordClasses() {
  component::RegisterClasses<memtable::TMemTable, memtable::TDataSource,
                             memtable::TMemTableBinaryFormat, memtable::TMemTableCommaTextFormat>();
}

}  // namespace records
