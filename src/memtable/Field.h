// Field objects: one column of a dataset, with typed access to the value in the
// record buffer the dataset's state addresses.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "memtable/DBTypes.h"
#include "memtable/Variant.h"
#include "platform/base/DateTime.h"

namespace memtable {

class TDataSet;
using platform::TDateTime;

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
using enum TAlignment;

enum class TAutoRefreshFlag { arNone, arAutoInc, arDefault };
using enum TAutoRefreshFlag;

class TField {
 public:
  TField(TFieldType type, int size);
  virtual ~TField() = default;
  TField(const TField&) = delete;
  TField& operator=(const TField&) = delete;

  // Published properties.
  const std::string& FieldName() const { return fieldName_; }
  void SetFieldName(std::string v) { fieldName_ = std::move(v); }
  TFieldKind FieldKind() const { return fieldKind_; }
  void SetFieldKind(TFieldKind v) { fieldKind_ = v; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v) { readOnly_ = v; }
  bool Required() const { return required_; }
  void SetRequired(bool v) { required_ = v; }
  const std::string& DefaultExpression() const { return defaultExpression_; }
  void SetDefaultExpression(std::string v) { defaultExpression_ = std::move(v); }
  const std::string& DisplayLabel() const { return displayLabel_; }
  void SetDisplayLabel(std::string v) { displayLabel_ = std::move(v); }
  const std::string& DisplayName() const {
    return displayLabel_.empty() ? fieldName_ : displayLabel_;
  }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v) { alignment_ = v; }
  int DisplayWidth() const { return displayWidth_ > 0 ? displayWidth_ : DefaultDisplayWidth(); }
  void SetDisplayWidth(int v) { displayWidth_ = v; }
  TAutoRefreshFlag AutoGenerateValue() const { return autoGenerateValue_; }
  void SetAutoGenerateValue(TAutoRefreshFlag v) { autoGenerateValue_ = v; }
  // A lookup field shows the LookupResultField of the record of LookupDataSet
  // whose LookupKeyFields hold the values of this dataset's KeyFields (names
  // separated by ";").
  TDataSet* LookupDataSet() const { return lookupDataSet_; }
  void SetLookupDataSet(TDataSet* v);
  const std::string& KeyFields() const { return keyFields_; }
  void SetKeyFields(std::string v) { keyFields_ = std::move(v); }
  const std::string& LookupKeyFields() const { return lookupKeyFields_; }
  void SetLookupKeyFields(std::string v) { lookupKeyFields_ = std::move(v); }
  const std::string& LookupResultField() const { return lookupResultField_; }
  void SetLookupResultField(std::string v) { lookupResultField_ = std::move(v); }
  // Calculated and lookup fields live in the record's calculated area.
  bool IsCalculated() const { return fieldKind_ == fkCalculated || fieldKind_ == fkLookup; }
  // Position in the dataset's field list.
  int Index() const;

  // Events.
  std::function<void(TField*)> OnChange;
  std::function<void(TField*)> OnValidate;
  std::function<void(TField*, std::string& text, bool displayText)> OnGetText;
  std::function<void(TField*, const std::string& text)> OnSetText;

  TFieldType DataType() const { return dataType_; }
  int Size() const { return size_; }
  void SetSize(int v) { size_ = v; }
  // The definition's number for data fields; below 1 for calculated fields.
  int FieldNo() const { return fieldNo_; }
  TDataSet* DataSet() const { return dataSet_; }
  // Attaches the field to a dataset, which takes ownership of it.
  void SetDataSet(TDataSet* ds);
  bool IsFixedLength() const { return fixedLength_; }
  void SetFixedLength(bool v) { fixedLength_ = v; }
  // Width of the native value in a record.
  virtual int DataSize() const = 0;

  // Value access. An accessor the class does not serve fails with "Cannot access
  // field '%s' as type %s".
  bool IsNull();
  void Clear();
  virtual std::string AsString();
  virtual void SetAsString(const std::string& v);
  virtual std::int32_t AsInteger();
  virtual void SetAsInteger(std::int32_t v);
  virtual std::int64_t AsLargeInt();
  virtual void SetAsLargeInt(std::int64_t v);
  virtual double AsFloat();
  virtual void SetAsFloat(double v);
  virtual bool AsBoolean();
  virtual void SetAsBoolean(bool v);
  virtual TDateTime AsDateTime();
  virtual void SetAsDateTime(TDateTime v);
  virtual TVariant AsVariant();
  void SetAsVariant(const TVariant& v);
  // Text shown in a control (DisplayText) and while editing it (Text).
  std::string DisplayText();
  std::string Text();
  void SetText(const std::string& v);

  // Raw native value: true when not null; dest (may be null) receives DataSize()
  // bytes. SetData with null writes null.
  bool GetData(void* dest);
  void SetData(const void* src);
  // An 8-bit text value up to its first NUL, read without copying the whole
  // native value first; empty when null.
  std::string GetChars();
  // Writes `n` characters of 8-bit text (no NUL among them, at most the
  // native width less one) as the native value padded with NULs.
  void SetChars(const char* text, std::size_t n);

  // Used by the dataset while OnValidate runs: reads yield the pending value.
  void Validate(const void* pending) {
    if (OnValidate) RunValidate(pending);
  }
  void Bind(TDataSet* ds, int fieldNo) {
    dataSet_ = ds;
    fieldNo_ = fieldNo;
  }
  void Unbind() { fieldNo_ = 0; }
  // Data offset within a record, native width and whether the value is kept
  // in a separate block; cached by the memory table while it is open.
  int offset_ = -1;
  int width_ = 0;
  bool varLength_ = false;
  // 16-byte pieces of a record (one bit each) that a text read starts in
  // (the null flag and the first bytes), and that the flag with the whole
  // value lies in; reads note them for prefetching.
  std::uint64_t flagPieces_ = 0;
  std::uint64_t valuePieces_ = 0;

 protected:
  [[noreturn]] void AccessError(const char* typeName) const;
  virtual std::string GetText(bool displayText);
  virtual void SetVariantValue(const TVariant& v);
  virtual int DefaultDisplayWidth() const { return 10; }
  TDataSet* CheckedDataSet() const;
  void RunValidate(const void* pending);
  bool GetPendingData(void* dest);
  std::string GetPendingChars();
  // While OnValidate runs: the value being written (null when it is null).
  bool Validating() const { return inValidate_; }
  const void* PendingValue() const { return validating_; }

 private:
  TFieldType dataType_;
  int size_;
  std::string fieldName_;
  TFieldKind fieldKind_ = fkData;
  bool readOnly_ = false;
  bool required_ = false;
  bool visible_ = true;
  bool fixedLength_ = false;
  std::string defaultExpression_;
  std::string displayLabel_;
  TAlignment alignment_ = taLeftJustify;
  int displayWidth_ = 0;
  TAutoRefreshFlag autoGenerateValue_ = arNone;
  TDataSet* lookupDataSet_ = nullptr;
  std::string keyFields_;
  std::string lookupKeyFields_;
  std::string lookupResultField_;
  int fieldNo_ = 0;
  TDataSet* dataSet_ = nullptr;
  const void* validating_ = nullptr;
  bool inValidate_ = false;
};

// The ordered list of a dataset's fields. The dataset owns the objects.
class TFields {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  TField* operator[](int i) const { return items_.at(i).get(); }
  TField* Fields(int i) const { return items_.at(i).get(); }
  int IndexOf(const TField* f) const;
  TField* Add(std::unique_ptr<TField> f);
  std::unique_ptr<TField> Remove(TField* f);
  void Clear() {
    items_.clear();
    ptrs_.clear();
  }
  auto begin() const { return ptrs_.begin(); }
  auto end() const { return ptrs_.end(); }

 private:
  std::vector<std::unique_ptr<TField>> items_;
  std::vector<TField*> ptrs_;
};

// Creates the field object of the class that serves a field type; fails with
// "Field '%s' is of an unknown type" when no class does.
// `precision` is the digit count of a decimal field (0: its default).
std::unique_ptr<TField> CreateFieldForType(TFieldType type, int size, const std::string& name,
                                           int precision = 0);

}  // namespace memtable
