#include "memtable/StoredDefs.h"

#include "component/ClassBuilder.h"
#include "component/Exception.h"
#include "memtable/DataSet.h"
#include "memtable/MemTable.h"

namespace memtable {

using namespace component;

const TEnumInfo& EnumInfo(TFieldType) {
  static const TEnumInfo info(
      "TFieldType",
      {"ftUnknown",    "ftString",     "ftSmallint", "ftInteger",     "ftWord",      "ftBoolean",
       "ftFloat",      "ftCurrency",   "ftBCD",      "ftDate",        "ftTime",      "ftDateTime",
       "ftBytes",      "ftVarBytes",   "ftAutoInc",  "ftBlob",        "ftMemo",      "ftGraphic",
       "ftFmtMemo",    "ftParadoxOle", "ftDBaseOle", "ftTypedBinary", "ftCursor",    "ftFixedChar",
       "ftWideString", "ftLargeint",   "ftADT",      "ftArray",       "ftReference", "ftDataSet",
       "ftOraBlob",    "ftOraClob",    "ftVariant",  "ftInterface",   "ftIDispatch", "ftGuid",
       "ftTimeStamp",  "ftFMTBcd"});
  return info;
}

namespace {

const TEnumInfo& IndexOptionInfo() {
  static const TEnumInfo info(
      "TIndexOption", {"ixPrimary", "ixUnique", "ixDescending", "ixCaseInsensitive", "ixExpression",
                       "ixNonMaintained"});
  return info;
}

// The definition at the item's position; the collection and the table's own
// list stay in step as long as the table is defined through one of them.
template <class List>
auto& DefAt(List& list, const TCollectionItem& item) {
  int i = item.Index();
  if (i < 0 || i >= list.Count())
    throw EListError("Definition " + std::to_string(i) + " of " + item.GetNamePath() +
                     " does not exist; the table's definitions were changed elsewhere");
  return list[i];
}

}  // namespace

// --- field definitions ------------------------------------------------------

const TClassInfo& TStoredFieldDef::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TStoredFieldDef, TCollectionItem>("TFieldDef")
          .Property("Name", &TStoredFieldDef::Name, &TStoredFieldDef::SetName)
          .Property("DataType", &TStoredFieldDef::DataType, &TStoredFieldDef::SetDataType)
          .Property("Size", &TStoredFieldDef::Size, &TStoredFieldDef::SetSize)
          .Property("Required", &TStoredFieldDef::Required, &TStoredFieldDef::SetRequired)
          .Build();
  return info;
}

TStoredFieldDef::TStoredFieldDef(TCollection* collection) : TCollectionItem(collection) {}

TFieldDef& TStoredFieldDef::Def() const {
  auto* owner = static_cast<TStoredFieldDefs*>(Collection());
  return DefAt(owner->DataSet().FieldDefs(), *this);
}

std::string TStoredFieldDef::Name() const {
  return Def().Name();
}
void TStoredFieldDef::SetName(std::string_view v) {
  Def().SetName(std::string(v));
}
TFieldType TStoredFieldDef::DataType() const {
  return Def().DataType();
}
void TStoredFieldDef::SetDataType(TFieldType v) {
  Def().SetDataType(v);
}
int TStoredFieldDef::Size() const {
  return Def().Size();
}
void TStoredFieldDef::SetSize(int v) {
  Def().SetSize(v);
}
bool TStoredFieldDef::Required() const {
  return Def().Required();
}
void TStoredFieldDef::SetRequired(bool v) {
  Def().SetRequired(v);
}

const TClassInfo& TStoredFieldDefs::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TStoredFieldDefs, TCollection>("TFieldDefs").Build();
  return info;
}

TStoredFieldDefs::TStoredFieldDefs(TDataSet* dataSet)
    : TOwnedCollection<TStoredFieldDef>(dataSet), dataSet_(dataSet) {}

void TStoredFieldDefs::Notify(TCollectionItem* item, TCollectionNotification action) {
  TFieldDefs& defs = dataSet_->FieldDefs();
  if (action == cnAdded) {
    defs.AddFieldDef();
  } else if (item->Index() >= 0 && item->Index() < defs.Count()) {
    defs.Delete(item->Index());
  }
}

// --- index definitions ------------------------------------------------------

const TClassInfo& TStoredIndexDef::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TStoredIndexDef, TCollectionItem>("TIndexDef")
          .Property("Name", &TStoredIndexDef::Name, &TStoredIndexDef::SetName)
          .Property("Fields", &TStoredIndexDef::Fields, &TStoredIndexDef::SetFields)
          .Custom(
              "Options", TPropertyKind::Set,
              [](TStoredIndexDef& d, const TPropertyValue& v) {
                // Ordinal n is the option bit 1 << n.
                d.SetOptions(static_cast<TIndexOptions>(std::get<std::int64_t>(v)));
              },
              &IndexOptionInfo())
          .Getter(
              [](const TStoredIndexDef& d) { return TPropertyValue(std::int64_t{d.Options()}); })
          .Build();
  return info;
}

TStoredIndexDef::TStoredIndexDef(TCollection* collection) : TCollectionItem(collection) {}

TIndexDef& TStoredIndexDef::Def() const {
  auto* owner = static_cast<TStoredIndexDefs*>(Collection());
  return DefAt(owner->Table().IndexDefs(), *this);
}

const TClassInfo& TStoredIndexDefs::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TStoredIndexDefs, TCollection>("TIndexDefs").Build();
  return info;
}

TStoredIndexDefs::TStoredIndexDefs(TCustomMemTable* table)
    : TOwnedCollection<TStoredIndexDef>(table), table_(table) {}

void TStoredIndexDefs::Notify(TCollectionItem* item, TCollectionNotification action) {
  TIndexDefs& defs = table_->IndexDefs();
  if (action == cnAdded) {
    defs.Add({}, {});
  } else if (item->Index() >= 0 && item->Index() < defs.Count()) {
    defs.Delete(item->Index());
  }
}

TStoredIndexDefs* TCustomMemTable::StoredIndexDefs() {
  if (!storedIndexDefs_) storedIndexDefs_ = std::make_unique<TStoredIndexDefs>(this);
  return storedIndexDefs_.get();
}

}  // namespace memtable
