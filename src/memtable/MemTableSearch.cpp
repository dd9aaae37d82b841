// Key search (locate, lookup) and the comparison of field values and records.
#include "memtable/MemTableSearch.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "memtable/Bcd.h"
#include "memtable/DateTimeField.h"
#include "memtable/FieldMessages.h"
#include "memtable/GuidField.h"
#include "memtable/MemTable.h"
#include "memtable/TimeStampField.h"
#include "platform/base/LocaleServices.h"

namespace memtable {

namespace {

template <typename T>
T Load(const void* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

template <typename T>
int Sign3(T a, T b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

int OrdinalCompare(const unsigned char* a, int la, const unsigned char* b, int lb, bool fold,
                   int width) {
  int n = std::min(la, lb);
  for (int i = 0; i < n; ++i) {
    unsigned ca = width == 1 ? a[i] : Load<char16_t>(a + i * 2);
    unsigned cb = width == 1 ? b[i] : Load<char16_t>(b + i * 2);
    if (fold) {
      if (ca >= 'a' && ca <= 'z') ca -= 32;
      if (cb >= 'a' && cb <= 'z') cb -= 32;
    }
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return Sign3(la, lb);
}

}  // namespace

int TMemTableSearch::CompareFields(const void* a, const void* b, int lenA, int lenB,
                                   const TMemKeyField& f, TIndexFieldOptions options,
                                   bool& fullCompare) {
  int r = 0;
  fullCompare = true;
  switch (f.type) {
    case ftInteger:
    case ftAutoInc:
    case ftDate:
    case ftTime:
      r = Sign3(Load<std::int32_t>(a), Load<std::int32_t>(b));
      break;
    case ftSmallint:
      r = Sign3(Load<std::int16_t>(a), Load<std::int16_t>(b));
      break;
    case ftWord:
      r = Sign3(Load<std::uint16_t>(a), Load<std::uint16_t>(b));
      break;
    case ftBoolean:
      r = Sign3(Load<std::uint16_t>(a) != 0, Load<std::uint16_t>(b) != 0);
      break;
    case ftLargeint:
      r = Sign3(Load<std::int64_t>(a), Load<std::int64_t>(b));
      break;
    case ftFloat:
    case ftCurrency:
      r = Sign3(Load<double>(a), Load<double>(b));
      break;
    case ftDateTime: {
      double d = Load<double>(a) - Load<double>(b);
      r = d < 0 ? -1 : (d > 0 ? 1 : 0);
      break;
    }
    case ftTimeStamp: {
      auto* pa = static_cast<const std::uint8_t*>(a);
      auto* pb = static_cast<const std::uint8_t*>(b);
      r = Sign3(Load<std::int16_t>(pa), Load<std::int16_t>(pb));
      for (int i = 1; r == 0 && i < 6; ++i)
        r = Sign3(Load<std::uint16_t>(pa + i * 2), Load<std::uint16_t>(pb + i * 2));
      if (r == 0) r = Sign3(Load<std::uint32_t>(pa + 12), Load<std::uint32_t>(pb + 12));
      break;
    }
    case ftBCD:
    case ftFMTBcd: {
      std::int64_t ca, cb;
      if (BcdToCurrency(a, ca) && BcdToCurrency(b, cb)) r = Sign3(ca, cb);
      break;
    }
    case ftString:
    case ftFixedChar:
    case ftGuid:
    case ftWideString: {
      bool wide = f.type == ftWideString;
      bool partial = options & mtifoPartial;
      bool ci = options & mtifoCaseInsensitive;
      fullCompare = !partial;
      if (partial && lenA != lenB) {
        fullCompare = false;
        lenB = std::min(lenA, lenB);
      }
      bool ignoreLocale = options & mtifoIgnoreLocale;
      if (ignoreLocale && !wide) {
        r = OrdinalCompare(static_cast<const unsigned char*>(a), lenA,
                           static_cast<const unsigned char*>(b), lenB, ci, 1);
      } else {
        int c;
        if (wide) {
          // Wide text ignoring the table's locale still compares by locale
          // rules, the user default's.
          platform::LCID locale = ignoreLocale
                                      ? platform::LOCALE_USER_DEFAULT
                                      : static_cast<platform::LCID>(table_.store_->localeID);
          std::u16string wa(lenA, u'\0'), wb(lenB, u'\0');
          std::memcpy(wa.data(), a, lenA * 2);
          std::memcpy(wb.data(), b, lenB * 2);
          c = platform::CompareStringW(locale, ci ? 1 : 0, wa.data(), lenA, wb.data(), lenB);
        } else {
          c = platform::CompareStringA(static_cast<platform::LCID>(table_.store_->localeID),
                                       ci ? 1 : 0, static_cast<const char*>(a), lenA,
                                       static_cast<const char*>(b), lenB);
        }
        if (c == 0) throw EMemTableInvalidLocale(SInvalidLocale);
        r = c - 2;
      }
      break;
    }
    default:
      r = 0;
      break;
  }
  if (options & mtifoDescending) r = -r;
  return r;
}

bool TMemTableSearch::ReadNative(const TMemRecord* rec, const TMemKeyField& f, const void*& ptr,
                                 int& len, std::string& scratch) const {
  rec = table_.DataRecordOf(rec);
  const std::uint8_t* data = rec->Data();
  if (!f.varLength) {
    if (data[f.offset] == 0) return false;
    ptr = data + f.offset + 1;
    switch (f.type) {
      case ftString:
      case ftFixedChar:
      case ftGuid:
        len = static_cast<int>(
            StoredTextLength(static_cast<const char*>(ptr), NativeFieldWidth(f.type, f.size)));
        break;
      case ftWideString: {
        std::uint32_t bytes = Load<std::uint32_t>(ptr);
        ptr = data + f.offset + 5;
        len = static_cast<int>(std::min<std::uint32_t>(bytes, f.size * 2) / 2);
        break;
      }
      default:
        len = 0;
        break;
    }
    return true;
  }
  if (data[f.offset] == 0) return false;
  TVarBlock* b = TMemTableStore::GetVarBlock(rec, f.offset);
  if (!b && !rec->Stored()) {
    TMemRecord* stored = table_.StoredRecordOf(rec);
    if (!stored) throw EMemTableInvalidRecord(SInvalidRecord);
    b = TMemTableStore::GetVarBlock(stored, f.offset);
  }
  scratch.assign(b ? reinterpret_cast<const char*>(b->Bytes()) : "", b ? b->length : 0);
  if (f.compressed && table_.OnDecompressField) table_.OnDecompressField(&table_, scratch);
  ptr = scratch.data();
  len = static_cast<int>(f.type == ftWideString ? scratch.size() / 2 : scratch.size());
  return true;
}

int TMemTableSearch::CompareRecords(const TMemRecord* a, const TMemRecord* b,
                                    const TMemFieldList& list, int count, int mode, bool partial,
                                    bool skipNullA) {
  int n = static_cast<int>(list.size());
  if (count > 0 && count < n) n = count;
  int result = 0;
  bool full = true;
  std::string sa, sb;
  for (int i = 0; i < n; ++i) {
    const TMemKeyField& f = list[i];
    TIndexFieldOptions opts = f.options;
    if (mode != 0) opts &= ~mtifoDescending;
    if (partial) opts |= mtifoPartial;
    const void* pa = nullptr;
    const void* pb = nullptr;
    int la = 0, lb = 0;
    bool hasA = ReadNative(a, f, pa, la, sa);
    if (!hasA && (skipNullA || (opts & mtifoIgnoreNull))) continue;
    bool hasB = ReadNative(b, f, pb, lb, sb);
    if (hasA && hasB) {
      if (table_.OnCompareFields) {
        int r = 0;
        bool fc = i == 0 ? true : full;
        table_.OnCompareFields(&table_, f.field, pa, pb, f.type, opts, fc, r);
        result = r;
        full = fc;
      } else {
        result = CompareFields(pa, pb, la, lb, f, opts, full);
      }
    } else {
      result = hasA ? 1 : (hasB ? -1 : 0);
      if (opts & mtifoDescending) result = -result;
      full = true;
    }
    switch (mode) {
      case 0:
        if (result != 0 || !full) return result;
        break;
      case 1:
        if (result < 0) return result;
        break;
      case 2:
        if (result > 0) return result;
        break;
      case 3:
        if (result <= 0) return result;
        break;
      case 4:
        if (result >= 0) return result;
        break;
      default:
        break;
    }
  }
  return result;
}

TMemFieldList TMemTableSearch::BuildFieldList(const std::string& names) {
  TMemFieldList list;
  for (const TParsedKeyName& k : ParseFieldNames(names)) {
    TField* field = table_.FieldByName(k.name);
    bool kindOk = field->FieldKind() == fkData || field->FieldKind() == fkCalculated ||
                  field->FieldKind() == fkLookup || field->FieldKind() == fkInternalCalc;
    TFieldType t = field->DataType();
    bool typeOk = IsSupportedFieldType(t) && !IsBlobType(t) && t != ftBytes && t != ftVarBytes;
    // A calculated field has its place in the record's calculated area.
    bool calculated = field->IsCalculated() && field->offset_ >= 0;
    if (!kindOk || !typeOk || (field->FieldNo() < 1 && !calculated))
      throw EDatabaseError(Format(SCannotIndex, field->DisplayName().c_str()));
    if (field->FieldKind() == fkCalculated) table_.recalcOnIndex_ = true;
    TMemKeyField f;
    f.field = field;
    f.fieldNo = field->FieldNo();
    f.type = t;
    f.size = field->Size();
    f.options = k.options;
    if (calculated) {
      f.offset = field->offset_;
    } else {
      f.offset = table_.store_->DataOffset(f.fieldNo);
      f.varLength = table_.store_->FieldFlags(f.fieldNo) & mtfVarLength;
      f.compressed = table_.store_->FieldFlags(f.fieldNo) & mtfCompressed;
    }
    list.push_back(f);
  }
  return list;
}

namespace {

// The whole number a key value stands for, or false when it has none that a
// 64-bit field could hold (a float beyond the range, text past its digits).
bool KeyWholeNumber(const TVariant& v, std::int64_t& out) {
  if (v.IsFloat()) {
    double d = v.AsDouble();
    // 2^63 is the first double past the largest 64-bit whole number.
    if (!std::isfinite(d) || d < -9223372036854775808.0 || d >= 9223372036854775808.0) return false;
    out = std::llround(d);
    return true;
  }
  if (!v.IsNumeric() && !v.IsNull()) {
    std::string s = v.AsString();
    errno = 0;
    char* end = nullptr;
    std::strtoll(s.c_str(), &end, 10);
    if (!s.empty() && *end == '\0' && errno == ERANGE) return false;
  }
  out = v.AsInt64();
  return true;
}

bool InRange(std::int64_t x, std::int64_t lo, std::int64_t hi) {
  return x >= lo && x <= hi;
}

}  // namespace

bool TMemTableSearch::WriteKeyValue(TMemRecord* key, const TMemKeyField& f, const TVariant& v) {
  std::uint8_t* p = key->Data() + f.offset;
  if (f.varLength) {
    // Kept in a block of its own, as stored records keep it.
    std::free(TMemTableStore::GetVarBlock(key, f.offset));
    TMemTableStore::SetVarBlock(key, f.offset, nullptr);
    p[0] = 0;
    if (v.IsNull()) return true;
    std::string bytes;
    if (f.type == ftWideString) {
      std::u16string w = v.AsWideString();
      if (static_cast<int>(w.size()) > f.size) w.resize(f.size);
      bytes.assign(reinterpret_cast<const char*>(w.data()), w.size() * 2);
    } else {
      bytes = v.AsString();
      if (static_cast<int>(bytes.size()) > f.size) bytes.resize(f.size);
      bytes.resize(strnlen(bytes.c_str(), bytes.size()));
    }
    if (f.compressed && table_.OnCompressField) table_.OnCompressField(&table_, bytes);
    TMemTableStore::SetVarBlock(key, f.offset,
                                TMemTableStore::NewVarBlock(bytes.data(), bytes.size()));
    p[0] = 2;
    return true;
  }
  // Empty text is no date or time: such a key is null, as a null value is.
  bool temporal =
      f.type == ftDate || f.type == ftTime || f.type == ftDateTime || f.type == ftTimeStamp;
  if (v.IsNull() || (temporal && v.IsString() && v.AsString().empty())) {
    p[0] = 0;
    return true;
  }
  std::uint8_t native[64] = {};
  std::string text;
  const void* src = native;
  int width = NativeFieldWidth(f.type, f.size);
  switch (f.type) {
    case ftString:
    case ftFixedChar:
    case ftGuid:
      text = v.AsString();
      // GUIDs are stored in one spelling; a key in another must still match.
      if (f.type == ftGuid) NormalizeGuidText(text, text);
      if (static_cast<int>(text.size()) > width - 1) text.resize(width - 1);
      text.resize(width, '\0');
      src = text.data();
      break;
    case ftWideString: {
      std::u16string w = v.AsWideString();
      if (static_cast<int>(w.size()) > f.size) w.resize(f.size);
      text.assign(width, '\0');
      std::uint32_t bytes = static_cast<std::uint32_t>(w.size() * 2);
      std::memcpy(text.data(), &bytes, 4);
      std::memcpy(text.data() + 4, w.data(), bytes);
      src = text.data();
      break;
    }
    case ftBoolean: {
      std::int16_t x = v.AsBool() ? 1 : 0;
      std::memcpy(native, &x, 2);
      break;
    }
    case ftSmallint:
    case ftWord: {
      std::int64_t x;
      if (!KeyWholeNumber(v, x)) return false;
      if (f.type == ftSmallint ? !InRange(x, INT16_MIN, INT16_MAX) : !InRange(x, 0, UINT16_MAX))
        return false;
      std::uint16_t bits = static_cast<std::uint16_t>(x);
      std::memcpy(native, &bits, 2);
      break;
    }
    case ftInteger:
    case ftAutoInc: {
      std::int64_t x;
      if (!KeyWholeNumber(v, x) || !InRange(x, INT32_MIN, INT32_MAX)) return false;
      std::int32_t n = static_cast<std::int32_t>(x);
      std::memcpy(native, &n, 4);
      break;
    }
    case ftLargeint: {
      std::int64_t x;
      if (!KeyWholeNumber(v, x)) return false;
      std::memcpy(native, &x, 8);
      break;
    }
    case ftFloat:
    case ftCurrency: {
      double x = v.AsDouble();
      std::memcpy(native, &x, 8);
      break;
    }
    case ftDate:
    case ftTime:
    case ftDateTime: {
      double dt = v.IsNumeric() ? v.AsDouble() : StrToDateTimeValue(v.AsString());
      if (!DateTimeInRange(dt)) return false;
      EncodeDateTimeNative(f.type, dt, native);
      break;
    }
    case ftBCD:
    case ftFMTBcd: {
      // Exact for whole numbers and decimal text; floats are rounded.
      TDecimal d;
      std::int64_t c;
      bool exact = !v.IsFloat() &&
                   ParseDecimal(v.IsInteger() ? std::to_string(v.AsInt64()) : v.AsString(), d) &&
                   DecimalToCurrency(d, c);
      if (!exact) {
        double scaled = v.AsDouble() * 10000.0;
        if (!std::isfinite(scaled) || scaled < -9223372036854775808.0 ||
            scaled >= 9223372036854775808.0)
          return false;
        c = std::llround(scaled);
      }
      CurrencyToBcd(c, native);
      break;
    }
    case ftTimeStamp: {
      double dt = v.IsNumeric() ? v.AsDouble() : StrToDateTimeValue(v.AsString());
      if (!DateTimeToTimeStamp(dt, native)) return false;
      break;
    }
    default:
      break;
  }
  if (width > 0) {
    p[0] = 2;
    std::memcpy(p + 1, src, width);
  }
  return true;
}

// --- the key of one search -------------------------------------------------

// The record a search writes its key values into: the table's own key record,
// or one of its own when a search is already using that one (a search started
// from a handler during another) or the table has none. Given back, or freed,
// when the search ends.
class TMemTableSearch::TKey {
 public:
  TKey(TMemTableSearch& search, const TMemFieldList& list, const TVariant& values)
      : search_(search) {
    if (search.keyRecordInUse_ || !search.keyRecord_)
      own_.reset(reinterpret_cast<TMemRecord*>(search.table_.AllocRecordBuffer()));
    record_ = own_ ? own_.get() : search.keyRecord_;
    fits_ = search.WriteKeyValues(record_, list, values);
    if (!own_) search.keyRecordInUse_ = true;
  }
  ~TKey() {
    if (!own_) search_.keyRecordInUse_ = false;
  }
  TKey(const TKey&) = delete;
  TKey& operator=(const TKey&) = delete;

  TMemRecord* Get() const { return record_; }
  // False when a key value lies outside its field's range.
  bool Fits() const { return fits_; }

 private:
  struct TFree {
    TCustomMemTable* table;
    void operator()(TMemRecord* rec) const {
      TRecordBuffer b = reinterpret_cast<TRecordBuffer>(rec);
      table->FreeRecordBuffer(b);
    }
  };

  TMemTableSearch& search_;
  std::unique_ptr<TMemRecord, TFree> own_{nullptr, TFree{&search_.table_}};
  TMemRecord* record_ = nullptr;
  bool fits_ = true;
};

void TMemTableSearch::MakeKeyRecord() {
  keyRecord_ = reinterpret_cast<TMemRecord*>(table_.AllocRecordBuffer());
}

void TMemTableSearch::FreeKeyRecord() {
  if (!keyRecord_) return;
  TRecordBuffer old = reinterpret_cast<TRecordBuffer>(keyRecord_);
  table_.FreeRecordBuffer(old);
  keyRecord_ = nullptr;
}

void TMemTableSearch::ForgetKeyFields() {
  lastKeyNames_.clear();
  lastKeyList_.clear();
}

void TMemTableSearch::PrepareFieldList(const std::string& keyFields, const TVariant& keyValues,
                                       TLocateOptions options, TMemFieldList& list) {
  if (keyFields != lastKeyNames_ || lastKeyList_.empty()) {
    lastKeyList_ = BuildFieldList(keyFields);
    lastKeyNames_ = keyFields;
  }
  list = lastKeyList_;
  for (auto& f : list) {
    if (options & loCaseInsensitive) f.options |= mtifoCaseInsensitive;
    if (options & loPartialKey) f.options |= mtifoPartial;
  }
  if (list.empty()) throw EMemTableError(SNoFieldDefs);
  if (!keyValues.IsArray() && list.size() > 1) throw EMemTableError(SMoreFieldsThanValues);
}

bool TMemTableSearch::WriteKeyValues(TMemRecord* key, const TMemFieldList& list,
                                     const TVariant& keyValues) {
  // The shared key record is not cleared: comparisons read the key fields
  // only, and every one of them is written here.
  static const TVariant kMissing;
  bool fits = true;
  for (std::size_t i = 0; i < list.size(); ++i) {
    // Read in place: a copy of a text key would cost an allocation a search.
    const TVariant* v = &keyValues;
    if (keyValues.IsArray())
      v = i < keyValues.AsArray().size() ? &keyValues.AsArray()[i] : &kMissing;
    // A value its field cannot hold matches no record; the rest are still
    // written so the key record is whole.
    if (!WriteKeyValue(key, list[i], *v)) fits = false;
  }
  return fits;
}

bool TMemTableSearch::Find(const std::string& keyFields, const TVariant& keyValues,
                           TLocateOptions options, int& position) {
  TStoreLock lock(table_.store_);
  // A nested search (from a handler) gets its own list and key record.
  TMemFieldList nested;
  TMemFieldList& list = keyRecordInUse_ ? nested : keyListScratch_;
  PrepareFieldList(keyFields, keyValues, options, list);
  TKey key(*this, list, keyValues);
  return key.Fits() && FindKey(key.Get(), list, position);
}

// --- finding ----------------------------------------------------------------

// Finds the first record whose value equals v in a fixed-width whole-number
// field; null values never match.
template <typename T>
int TMemTableSearch::ScanFor(T v, int offset, const std::vector<TMemRecord*>& refs) const {
  int n = static_cast<int>(refs.size());
  for (int i = 0; i < n; ++i) {
    if (i + 8 < n) __builtin_prefetch(refs[i + 8]->Data() + offset);
    const std::uint8_t* p = table_.RecordData(refs[i]) + offset;
    if (p[0] != 0 && Load<T>(p + 1) == v) return i;
  }
  return -1;
}

int TMemTableSearch::ScanWholeNumberKey(const TMemRecord* key, const TMemFieldList& list,
                                        const std::vector<TMemRecord*>& refs) const {
  // A single non-null key in a whole-number field: a record matches exactly
  // when its value is present and equal, whatever the field's options say
  // (they only order or skip nulls), so the values can be compared directly.
  if (list.size() != 1 || table_.OnCompareFields) return kNoFastScan;
  const TMemKeyField& f = list[0];
  if (f.varLength) return kNoFastScan;
  const std::uint8_t* k = table_.RecordData(key) + f.offset;
  if (k[0] == 0) return kNoFastScan;
  switch (f.type) {
    case ftInteger:
    case ftAutoInc:
    case ftDate:
    case ftTime:
      return ScanFor(Load<std::int32_t>(k + 1), f.offset, refs);
    case ftSmallint:
      return ScanFor(Load<std::int16_t>(k + 1), f.offset, refs);
    case ftWord:
      return ScanFor(Load<std::uint16_t>(k + 1), f.offset, refs);
    case ftLargeint:
      return ScanFor(Load<std::int64_t>(k + 1), f.offset, refs);
    default:
      return kNoFastScan;
  }
}

bool TMemTableSearch::FindKey(TMemRecord* key, TMemFieldList& list, int& resultPos) {
  TMemIndex* cur = table_.EnsureCurrent();
  int keyCount = static_cast<int>(list.size());
  bool filtering = table_.FilteringInForce();
  auto sameFields = [&](TMemIndex* idx) {
    const auto& fl = idx->FieldList();
    if (fl.size() < list.size()) return false;
    for (std::size_t i = 0; i < list.size(); ++i)
      if (fl[i].fieldNo != list[i].fieldNo) return false;
    return true;
  };
  if (cur->UpToDate() && cur->Count() > 20) {
    TMemIndex* use = nullptr;
    for (int i = table_.indexes_.Count() - 1; i >= 0; --i) {
      TMemIndex* idx = table_.indexes_[i];
      if (!idx->IsRowOrder() && idx->UpToDate() && sameFields(idx)) {
        use = idx;
        break;
      }
    }
    if (!use && table_.autoAddIndexes_) {
      std::string names;
      for (std::size_t i = 0; i < list.size(); ++i)
        names += (i ? ";" : "") + list[i].field->FieldName();
      auto idx = std::make_unique<TMemIndex>(&table_, kAutoIndexPrefix + names, names,
                                             mtcoCaseInsensitive, false);
      idx->BindFields();
      idx->Rebuild();
      use = table_.indexes_.Add(std::move(idx));
    }
    if (use) {
      for (std::size_t i = 0; i < list.size(); ++i) list[i].options |= use->FieldList()[i].options;
      const auto& refs = use->References();
      int n = static_cast<int>(refs.size());
      int pos = -1;
      table_.DoProgress(0, mtpcSearch);
      if (n <= 20) {
        for (int i = 0; i < n; ++i)
          if (CompareRecords(key, refs[i], list, keyCount, 0, false, false) == 0) {
            pos = i;
            break;
          }
      } else {
        bool exact;
        int lb = use->LowerBound(key, list, keyCount, exact);
        if (exact) pos = lb;
      }
      if (pos >= 0 && filtering) {
        while (pos < n && !table_.PassesFilter(refs[pos])) {
          ++pos;
          if (pos < n && CompareRecords(key, refs[pos], list, keyCount, 0, false, false) != 0)
            pos = n;
        }
        if (pos >= n) pos = -1;
      }
      table_.DoProgress(100, mtpcSearch);
      if (pos < 0) return false;
      if (use != cur) pos = cur->FindRecord(refs[pos]);
      resultPos = pos;
      return pos >= 0;
    }
  }
  // Scan in the current order.
  const auto& cfl = cur->FieldList();
  for (auto& k : list)
    for (const auto& c : cfl)
      if (c.fieldNo == k.fieldNo) k.options |= c.options;
  const auto& refs = cur->References();
  int n = static_cast<int>(refs.size());
  bool progress = table_.OnProgress && (table_.ProgressFlags() & ProgressBit(mtpcSearch));
  if (!progress && !filtering && !(table_.recalcOnIndex_ && table_.CalcFieldsWanted())) {
    int found = ScanWholeNumberKey(key, list, refs);
    if (found != kNoFastScan) {
      if (found < 0) return false;
      resultPos = found;
      return true;
    }
  }
  if (progress) table_.DoProgress(0, mtpcSearch);
  int ahead = list.empty() ? 0 : list[0].offset;
  for (int i = 0; i < n; ++i) {
    // Records lie apart in memory; asking early hides most of the wait.
    if (i + 8 < n) __builtin_prefetch(refs[i + 8]->Data() + ahead);
    if (progress && i > 0 && i % 100 == 0) table_.DoProgress(i * 100 / n, mtpcSearch);
    if (table_.recalcOnIndex_ && table_.CalcFieldsWanted())
      table_.GetCalcFields(reinterpret_cast<TRecordBuffer>(refs[i]));
    if (CompareRecords(key, refs[i], list, keyCount, 0, false, false) == 0 &&
        (!filtering || table_.PassesFilter(refs[i]))) {
      if (progress) table_.DoProgress(100, mtpcSearch);
      resultPos = i;
      return true;
    }
  }
  if (progress) table_.DoProgress(100, mtpcSearch);
  return false;
}

// --- the table's locate and lookup -----------------------------------------

bool TCustomMemTable::Locate(const std::string& keyFields, const TVariant& keyValues,
                             TLocateOptions options) {
  DoBeforeScroll();
  if (keyValues.DimCount() > 1) throw EMemTableError(SInvalidDimCount);
  CheckBrowseMode();
  CursorPosChanged();
  int pos = -1;
  bool found = search_.Find(keyFields, keyValues, options, pos);
  SetFound(found);
  if (found) {
    position_ = pos;
    Resync(rmExact | rmCenter);
    DoAfterScroll();
  }
  return found;
}

TVariant TCustomMemTable::Lookup(const std::string& keyFields, const TVariant& keyValues,
                                 const std::string& resultFields) {
  if (keyValues.DimCount() > 1) throw EMemTableError(SInvalidDimCount);
  CheckBrowseMode();
  CursorPosChanged();
  int pos = -1;
  bool found = search_.Find(keyFields, keyValues, 0, pos);
  SetFound(found);
  if (!found) return TVariant::MakeNull();
  TMemRecord* rec = currentIndex_->References()[pos];
  std::vector<TField*> fields;
  for (const TParsedKeyName& k : ParseFieldNames(resultFields))
    fields.push_back(FieldByName(k.name));
  // The fields read the found record, with its calculated fields worked out.
  TTempState calc(*this, dsCalcFields, calcBuffer_, reinterpret_cast<TRecordBuffer>(rec));
  if (CalcFieldsWanted()) CalculateFields(reinterpret_cast<TRecordBuffer>(rec));
  if (fields.size() == 1) return fields[0]->AsVariant();
  TVariant::Array items;
  for (TField* f : fields) items.push_back(f->AsVariant());
  return TVariant::MakeArray(std::move(items));
}

}  // namespace memtable
