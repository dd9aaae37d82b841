#include "memtable/Field.h"

#include <cstring>

#include "component/ScopeGuards.h"
#include "memtable/BcdField.h"
#include "memtable/BlobField.h"
#include "memtable/BooleanField.h"
#include "memtable/BytesField.h"
#include "memtable/DataSet.h"
#include "memtable/DatabaseError.h"
#include "memtable/DateTimeField.h"
#include "memtable/FloatField.h"
#include "memtable/GuidField.h"
#include "memtable/IntegerField.h"
#include "memtable/PlaceholderField.h"
#include "memtable/StringField.h"
#include "memtable/StructField.h"
#include "memtable/TimeStampField.h"

namespace memtable {

using component::TScopedValue;

TField::TField(TFieldType type, int size) : dataType_(type), size_(size) {}

int TField::Index() const {
  return dataSet_ ? dataSet_->Fields().IndexOf(this) : -1;
}

void TField::SetDataSet(TDataSet* ds) {
  if (ds == dataSet_) return;
  if (dataSet_) throw EDatabaseError("Field '" + fieldName_ + "' already belongs to a dataset");
  if (!ds) return;
  if (ds->Active()) DatabaseError("Cannot perform this operation on an open dataset", ds->Name());
  ds->AddField(std::unique_ptr<TField>(this));
}

TDataSet* TField::CheckedDataSet() const {
  if (!dataSet_) DatabaseError(Format(SNoDataSet, DisplayName().c_str()));
  return dataSet_;
}

void TField::AccessError(const char* typeName) const {
  throw EDatabaseError(Format(SFieldAccessError, DisplayName().c_str(), typeName));
}

// The accessors hand the common case straight to the dataset; a field
// without one, or one whose OnValidate is running, takes the long way.
bool TField::GetData(void* dest) {
  if (dataSet_ && !inValidate_) return dataSet_->GetFieldData(this, dest);
  return GetPendingData(dest);
}

bool TField::GetPendingData(void* dest) {
  TDataSet* ds = CheckedDataSet();
  if (!inValidate_) return ds->GetFieldData(this, dest);
  if (!validating_) return false;
  if (dest) std::memcpy(dest, validating_, DataSize());
  return true;
}

std::string TField::GetChars() {
  if (dataSet_ && !inValidate_) return dataSet_->GetFieldChars(this);
  return GetPendingChars();
}

std::string TField::GetPendingChars() {
  TDataSet* ds = CheckedDataSet();
  if (!inValidate_) return ds->GetFieldChars(this);
  if (!validating_) return {};
  const char* s = static_cast<const char*>(validating_);
  return std::string(s, strnlen(s, DataSize() - 1));
}

void TField::SetChars(const char* text, std::size_t n) {
  CheckedDataSet()->SetFieldChars(this, text, n);
}

void TField::SetData(const void* src) {
  CheckedDataSet()->SetFieldData(this, src);
}

void TField::RunValidate(const void* pending) {
  TScopedValue<bool> validating(inValidate_, true);
  TScopedValue<const void*> value(validating_, pending);
  OnValidate(this);
}

bool TField::IsNull() {
  return !GetData(nullptr);
}
void TField::Clear() {
  SetData(nullptr);
}

std::string TField::AsString() {
  AccessError("String");
}
void TField::SetAsString(const std::string&) {
  AccessError("String");
}
std::int32_t TField::AsInteger() {
  AccessError("Integer");
}
void TField::SetAsInteger(std::int32_t) {
  AccessError("Integer");
}
std::int64_t TField::AsLargeInt() {
  AccessError("LargeInt");
}
void TField::SetAsLargeInt(std::int64_t) {
  AccessError("LargeInt");
}
double TField::AsFloat() {
  AccessError("Float");
}
void TField::SetAsFloat(double) {
  AccessError("Float");
}
bool TField::AsBoolean() {
  AccessError("Boolean");
}
void TField::SetAsBoolean(bool) {
  AccessError("Boolean");
}
TDateTime TField::AsDateTime() {
  AccessError("DateTime");
}
void TField::SetAsDateTime(TDateTime) {
  AccessError("DateTime");
}
TVariant TField::AsVariant() {
  AccessError("Variant");
}

void TField::SetAsVariant(const TVariant& v) {
  if (v.IsNull())
    Clear();
  else
    SetVariantValue(v);
}

void TField::SetVariantValue(const TVariant& v) {
  SetAsString(v.AsString());
}

std::string TField::GetText(bool) {
  return AsString();
}

std::string TField::DisplayText() {
  std::string s;
  if (OnGetText) {
    OnGetText(this, s, true);
    return s;
  }
  return GetText(true);
}

std::string TField::Text() {
  std::string s;
  if (OnGetText) {
    OnGetText(this, s, false);
    return s;
  }
  return GetText(false);
}

void TField::SetText(const std::string& v) {
  if (OnSetText)
    OnSetText(this, v);
  else
    SetAsString(v);
}

int TFields::IndexOf(const TField* f) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == f) return static_cast<int>(i);
  return -1;
}

TField* TFields::Add(std::unique_ptr<TField> f) {
  items_.push_back(std::move(f));
  ptrs_.push_back(items_.back().get());
  return items_.back().get();
}

std::unique_ptr<TField> TFields::Remove(TField* f) {
  for (auto it = items_.begin(); it != items_.end(); ++it)
    if (it->get() == f) {
      std::unique_ptr<TField> out = std::move(*it);
      items_.erase(it);
      std::erase(ptrs_, f);
      return out;
    }
  return nullptr;
}

std::unique_ptr<TField> CreateFieldForType(TFieldType type, int size, const std::string& name,
                                           int precision) {
  std::unique_ptr<TField> f;
  switch (type) {
    case ftBCD:
      f = std::make_unique<TBCDField>(size, precision);
      break;
    case ftFMTBcd:
      f = std::make_unique<TFMTBCDField>(size, precision);
      break;
    case ftBytes:
      f = std::make_unique<TBytesField>(size);
      break;
    case ftVarBytes:
      f = std::make_unique<TVarBytesField>(size);
      break;
    case ftGuid:
      f = std::make_unique<TGuidField>();
      break;
    case ftTimeStamp:
      f = std::make_unique<TSQLTimeStampField>();
      break;
    case ftMemo:
    case ftFmtMemo:
    case ftOraClob:
      f = std::make_unique<TMemoField>(type, size);
      break;
    case ftGraphic:
      f = std::make_unique<TGraphicField>(size);
      break;
    case ftBlob:
    case ftParadoxOle:
    case ftDBaseOle:
    case ftTypedBinary:
    case ftOraBlob:
      f = std::make_unique<TBlobField>(type, size);
      break;
    case ftADT:
      f = std::make_unique<TADTField>();
      break;
    case ftArray:
      f = std::make_unique<TArrayField>(size);
      break;
    case ftString:
      f = std::make_unique<TStringField>(size);
      break;
    case ftFixedChar:
      f = std::make_unique<TFixedCharField>(size);
      break;
    case ftWideString:
      f = std::make_unique<TWideStringField>(size);
      break;
    case ftSmallint:
      f = std::make_unique<TSmallintField>();
      break;
    case ftWord:
      f = std::make_unique<TWordField>();
      break;
    case ftInteger:
      f = std::make_unique<TIntegerField>();
      break;
    case ftAutoInc:
      f = std::make_unique<TAutoIncField>();
      break;
    case ftLargeint:
      f = std::make_unique<TLargeintField>();
      break;
    case ftBoolean:
      f = std::make_unique<TBooleanField>();
      break;
    case ftFloat:
      f = std::make_unique<TFloatField>();
      break;
    case ftCurrency:
      f = std::make_unique<TCurrencyField>();
      break;
    case ftDate:
      f = std::make_unique<TDateField>();
      break;
    case ftTime:
      f = std::make_unique<TTimeField>();
      break;
    case ftDateTime:
      f = std::make_unique<TDateTimeField>();
      break;
    case ftVariant:
    case ftInterface:
    case ftIDispatch:
    case ftReference:
    case ftDataSet:
      f = std::make_unique<TPlaceholderField>(type, size);
      break;
    default:
      throw EDatabaseError(Format(SUnknownFieldType, name.c_str()));
  }
  f->SetFieldName(name);
  if (auto* bcd = dynamic_cast<TBCDField*>(f.get())) bcd->SetPrecision(bcd->Precision());
  return f;
}

}  // namespace memtable
