// Enters the classes of the competitor records layer, and the tables and data
// sources it builds on, in the registry of classes that stored window
// descriptions may name. Safe to call more than once.
#pragma once

namespace records {

void RegisterRecordClasses();

}  // namespace records
