// The calculated and lookup fields of a dataset: when they are computed and
// how a lookup field finds its value.
#include <vector>

#include "component/ScopeGuards.h"
#include "memtable/DataSet.h"

namespace memtable {

void TField::SetLookupDataSet(TDataSet* v) {
  // The owning dataset forgets a lookup dataset that is destroyed first.
  if (v && dataSet_) v->FreeNotification(dataSet_);
  lookupDataSet_ = v;
}

void TDataSet::CalculateFields(TRecordBuffer buffer) {
  ClearCalcFields(buffer);
  CalcLookupFields();
  DoOnCalcFields();
}

void TDataSet::CalcLookupFields() {
  // A table that looks itself up would otherwise compute the found record's
  // lookups, and theirs, without end: nested lookups stay null.
  if (!hasLookupFields_ || inLookupCalc_) return;
  component::TScopedValue<bool> busy(inLookupCalc_, true);
  for (TField* f : fields_) {
    if (f->FieldKind() != fkLookup) continue;
    TDataSet* source = f->LookupDataSet();
    if (!source || !source->Active() || f->KeyFields().empty() || f->LookupKeyFields().empty() ||
        f->LookupResultField().empty())
      continue;
    std::vector<TField*> keys;
    std::string names = f->KeyFields();
    for (std::size_t start = 0; start <= names.size();) {
      std::size_t end = names.find(';', start);
      if (end == std::string::npos) end = names.size();
      std::string name = names.substr(start, end - start);
      while (!name.empty() && name.front() == ' ') name.erase(0, 1);
      while (!name.empty() && name.back() == ' ') name.pop_back();
      if (!name.empty()) keys.push_back(FieldByName(name));
      start = end + 1;
    }
    if (keys.empty()) continue;
    TVariant values;
    if (keys.size() == 1) {
      values = keys[0]->AsVariant();
    } else {
      TVariant::Array items;
      for (TField* k : keys) items.push_back(k->AsVariant());
      values = TVariant::MakeArray(std::move(items));
    }
    f->SetAsVariant(source->Lookup(f->LookupKeyFields(), values, f->LookupResultField()));
  }
}

void TDataSet::AutoCalc(TField* changed) {
  if (!autoCalcFields_ || changed->FieldKind() != fkData) return;
  if (state_ != dsEdit && state_ != dsInsert) return;
  if (TRecordBuffer buffer = ActiveBuffer()) GetCalcFields(buffer);
}

void TDataSet::Notification(component::TComponent* component, component::TOperation operation) {
  component::TComponent::Notification(component, operation);
  if (operation != component::opRemove) return;
  for (TField* f : fields_)
    if (f->LookupDataSet() == component) f->SetLookupDataSet(nullptr);
}

}  // namespace memtable
