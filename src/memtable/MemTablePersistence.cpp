// Saving a memory table to a format and loading it back. A load reads and
// checks everything before the table is touched, and puts the previous
// records back if storing the new ones fails part way.
#include <algorithm>
#include <istream>
#include <iterator>
#include <ostream>
#include <typeinfo>

#include "component/ScopeGuards.h"
#include "memtable/BinaryFormat.h"
#include "memtable/MemTable.h"
#include "memtable/SafeFile.h"

namespace memtable {

namespace {

std::string KindName(TFieldType t) {
  return std::to_string(static_cast<int>(t));
}

}  // namespace

TMemTableStreamFormat* TCustomMemTable::FormatFor(TMemTableStreamFormat* given,
                                                  component::TComponent* preferred) {
  if (given) return given;
  if (auto* f = dynamic_cast<TMemTableStreamFormat*>(preferred)) return f;
  if (auto* f = dynamic_cast<TMemTableStreamFormat*>(DefaultFormat())) return f;
  if (!builtinFormat_) builtinFormat_ = std::make_unique<TMemTableBinaryFormat>();
  return builtinFormat_.get();
}

std::vector<TField*> TCustomMemTable::SavedFields() {
  std::vector<TField*> out;
  for (TField* f : Fields())
    if (f->FieldKind() == fkData && f->FieldNo() > 0) out.push_back(f);
  return out;
}

void TCustomMemTable::ReadStoredValue(TField* field, const TMemRecord* rec, std::string& out,
                                      bool& null) {
  const std::uint8_t* p = rec->Data() + field->offset_;
  null = p[0] == 0;
  out.clear();
  if (null) return;
  TFieldType type = field->DataType();
  int size = field->Size();
  if (field->varLength_) {
    const TVarBlock* b = TMemTableStore::GetVarBlock(rec, field->offset_);
    if (b) out.assign(reinterpret_cast<const char*>(b + 1), b->length);
    if ((store_->FieldFlags(field->FieldNo()) & mtfCompressed) && OnDecompressField)
      OnDecompressField(this, out);
    // Whatever the decompression made of it, the value fits its field.
    switch (type) {
      case ftString:
      case ftFixedChar:
        out.resize(std::min(out.find('\0'), static_cast<std::size_t>(size)));
        break;
      case ftWideString:
        out.resize(std::min<std::size_t>(out.size(), std::size_t(size) * 2));
        break;
      case ftVarBytes:
        out.resize(std::min<std::size_t>(out.size(), size));
        break;
      case ftBytes:
        out.resize(size);
        break;
      default:
        break;
    }
    return;
  }
  const char* q = reinterpret_cast<const char*>(p + 1);
  int width = field->width_;
  switch (type) {
    case ftString:
    case ftFixedChar:
      out.assign(q, StoredTextLength(q, width - 1));
      break;
    case ftWideString: {
      std::uint32_t n;
      std::memcpy(&n, q, 4);
      out.assign(q + 4, std::min<std::uint32_t>(n, width - 4));
      break;
    }
    case ftVarBytes: {
      std::uint16_t n;
      std::memcpy(&n, q, 2);
      out.assign(q + 2, std::min<int>(n, width - 2));
      break;
    }
    default:
      out.assign(q, width);
      break;
  }
}

void TCustomMemTable::WriteLoadedValue(TField* field, TMemRecord* buffer, std::string_view v) {
  if (field->varLength_) {
    std::string bytes(v);
    if (field->DataType() == ftBytes) bytes.resize(field->Size());
    StoreVarBytes(field, buffer, std::move(bytes));
    return;
  }
  std::uint8_t* p = buffer->Data() + field->offset_;
  char* q = reinterpret_cast<char*>(p + 1);
  int width = field->width_;
  p[0] = 2;
  switch (field->DataType()) {
    case ftString:
    case ftFixedChar: {
      // Only the bytes after the text need clearing.
      std::size_t n = std::min<std::size_t>(v.size(), width - 1);
      std::memcpy(q, v.data(), n);
      std::memset(q + n, 0, width - n);
      return;
    }
    default:
      break;
  }
  std::memset(q, 0, width);
  switch (field->DataType()) {
    case ftWideString: {
      auto n = static_cast<std::uint32_t>(std::min<std::size_t>(v.size(), width - 4));
      std::memcpy(q, &n, 4);
      std::memcpy(q + 4, v.data(), n);
      break;
    }
    case ftVarBytes: {
      auto n = static_cast<std::uint16_t>(std::min<std::size_t>(v.size(), width - 2));
      std::memcpy(q, &n, 2);
      std::memcpy(q + 2, v.data(), n);
      break;
    }
    default:
      std::memcpy(q, v.data(), std::min<std::size_t>(v.size(), width));
      // A GUID is kept as text: it must end within its field.
      if (field->DataType() == ftGuid) q[width - 1] = 0;
      break;
  }
}

TTableImage TCustomMemTable::SaveToImage(TMemTableFormatOptions options) {
  return MakeImage(options, true);
}

TTableImage TCustomMemTable::ImageHead(TMemTableFormatOptions options, bool notify,
                                       std::vector<TField*>& fields) {
  TTableImage image;
  fields.clear();
  if (cursorOpen_) {
    fields = SavedFields();
    for (TField* f : fields) {
      TImageColumn c{f->FieldName(), f->DataType(), f->Size(), 0,
                     f->Required() ? TFieldAttributes(faRequired) : 0};
      if (const TFieldDef* d = FieldDefs().Find(f->FieldName())) {
        c.precision = d->Precision();
        c.attributes = d->Attributes();
      }
      image.columns.push_back(std::move(c));
    }
  } else {
    for (int i = 0; i < FieldDefs().Count(); ++i) {
      const TFieldDef& d = FieldDefs()[i];
      if (d.InternalCalcField()) continue;
      image.columns.push_back(
          TImageColumn{d.Name(), d.DataType(), d.Size(), d.Precision(), d.Attributes()});
    }
  }
  for (const TImageColumn& c : image.columns)
    if (!ImageKindSupported(c.type))
      throw EMemTableError("Field '" + c.name + "' of kind " + KindName(c.type) +
                           " cannot be saved");
  image.hasDefinitions = (options & mtfoDefinitions) != 0;
  if (options & mtfoIndexes) {
    image.hasIndexes = true;
    for (int i = 0; i < indexDefs_.Count(); ++i) image.indexes.push_back(indexDefs_[i]);
  }
  bool hasAutoInc = std::any_of(image.columns.begin(), image.columns.end(),
                                [](const TImageColumn& c) { return c.type == ftAutoInc; });
  if (hasAutoInc) {
    image.hasAutoIncHigh = true;
    image.autoIncHigh = cursorOpen_ ? store_->autoIncMax : std::int64_t{store_->autoIncMin} - 1;
  }
  if (notify) SavedCompletely = true;
  return image;
}

template <class Sink>
void TCustomMemTable::EmitRows(TMemTableFormatOptions options, bool notify,
                               const std::vector<TField*>& fields, Sink& sink) {
  TStoreLock lock(store_);
  std::vector<TMemRecord*> recs;
  if (options & mtfoOnlyVisible) {
    TMemIndex* cur = EnsureCurrent();
    for (TMemRecord* r : cur->References())
      if (PassesFilter(r)) recs.push_back(r);
  } else {
    TMemIndex* row = indexes_.RowOrder();
    if (!row->UpToDate()) row->Rebuild();
    recs = row->References();
  }
  std::size_t total = recs.size();
  if (notify && SaveLimit >= 0 && total > static_cast<std::size_t>(SaveLimit)) {
    total = static_cast<std::size_t>(SaveLimit);
    SavedCompletely = false;
  }
  // Most texts are far shorter than their fields: room for a quarter.
  sink.Reserve(total, total * store_->FixedSize() / 4);
  if (notify) DoProgress(0, mtpcSave);
  // How each field's value leaves a record, worked out once: texts and the
  // other fixed-width values go straight from the record, the rest through
  // their conversion.
  enum : std::uint8_t { kText, kNative, kConverted };
  struct SaveWay {
    std::uint8_t how;
    int offset;
    int width;
  };
  std::vector<SaveWay> ways;
  for (TField* f : fields) {
    TFieldType type = f->DataType();
    std::uint8_t how = kConverted;
    if (!f->varLength_ && (type == ftString || type == ftFixedChar))
      how = kText;
    else if (!f->varLength_ && type != ftWideString && type != ftVarBytes)
      how = kNative;
    ways.push_back(SaveWay{how, f->offset_, f->width_});
  }
  int shown = 0;
  std::string value;
  std::size_t done = 0;
  for (std::size_t i = 0; i < recs.size() && done < total; ++i) {
    const TMemRecord* rec = recs[i];
    if (rec->updateStatus == usDeleted) continue;
    if ((options & mtfoOnlyChanged) && rec->updateStatus != usInserted &&
        rec->updateStatus != usModified)
      continue;
    if (notify && OnSaveRecord) OnSaveRecord(this);
    sink.BeginRow();
    const std::uint8_t* data = rec->Data();
    for (std::size_t k = 0; k < ways.size(); ++k) {
      const SaveWay& way = ways[k];
      const char* q = reinterpret_cast<const char*>(data + way.offset);
      if (way.how != kConverted && q[0] == 0) {
        sink.Null();
      } else if (way.how == kText) {
        sink.Value(q + 1, StoredTextLength(q + 1, way.width - 1));
      } else if (way.how == kNative) {
        sink.Value(q + 1, way.width);
      } else {
        bool null;
        ReadStoredValue(fields[k], rec, value, null);
        if (null)
          sink.Null();
        else
          sink.Value(value.data(), value.size());
      }
      if (notify && OnSaveField) OnSaveField(this);
    }
    ++done;
    int percent = static_cast<int>(done * 100 / std::max<std::size_t>(total, 1));
    if (notify && percent != shown && percent < 100) DoProgress(shown = percent, mtpcSave);
  }
  if (notify) DoProgress(100, mtpcSave);
}

namespace {
// Rows into an image.
struct TImageSink {
  TTableImage& image;
  void Reserve(std::size_t rows, std::size_t bytes) { image.Reserve(rows, bytes); }
  void BeginRow() {}
  void Null() { image.AddNull(); }
  void Value(const void* bytes, std::size_t length) { image.AddValue(bytes, length); }
};
// Rows straight into a binary file's bytes.
struct TBinarySink {
  TBinaryTableWriter& writer;
  void Reserve(std::size_t rows, std::size_t bytes) { writer.Reserve(rows, bytes); }
  void BeginRow() { writer.BeginRow(); }
  void Null() { writer.Null(); }
  void Value(const void* bytes, std::size_t length) { writer.Value(bytes, length); }
};
}  // namespace

TTableImage TCustomMemTable::MakeImage(TMemTableFormatOptions options, bool notify) {
  std::vector<TField*> fields;
  TTableImage image = ImageHead(options, notify, fields);
  if (!(options & mtfoData) || !cursorOpen_) return image;
  TImageSink sink{image};
  EmitRows(options, notify, fields, sink);
  return image;
}

void TCustomMemTable::ApplyImage(const TTableImage& image, const std::vector<TField*>& targets,
                                 bool loading) {
  std::size_t rows = image.RowCount(), cols = image.columns.size();
  if (loading && LoadLimit >= 0 && rows > static_cast<std::size_t>(LoadLimit)) {
    rows = static_cast<std::size_t>(LoadLimit);
    LoadedCompletely = false;
  }
  {
    TStoreLock lock(store_);
    EmptyStore();
    store_->autoIncMax = std::int64_t{store_->autoIncMin} - 1;
    int autoCol = -1;
    for (std::size_t c = 0; c < cols; ++c)
      if (targets[c] == autoIncField_) autoCol = static_cast<int>(c);
    // Records that come without a number get the next ones after the
    // numbers the data holds.
    std::int64_t high = image.hasAutoIncHigh ? image.autoIncHigh : store_->autoIncMax;
    if (autoIncField_ && autoCol >= 0)
      for (std::size_t r = 0; r < rows; ++r) {
        const TImageCell& cell = image.Cell(r, autoCol);
        if (cell.null) continue;
        std::int32_t v;
        std::memcpy(&v, image.Value(cell).data(), 4);
        high = std::max<std::int64_t>(high, v);
      }
    store_->autoIncMax = std::max(store_->autoIncMax, high);
    // Each record is written straight into its cell in the store; one left
    // unfinished by a failure goes back to the store's free cells.
    TMemRecord* buffer = nullptr;
    component::TScopeExit release([&] {
      if (buffer) store_->FreeRecord(buffer);
    });
    const int storedSize = store_->StoredSize();
    if (loading) DoProgress(0, mtpcLoad);
    // Texts held in the record, most of the values, are copied right here.
    std::vector<char> inRecordText(cols);
    for (std::size_t c = 0; c < cols; ++c)
      inRecordText[c] = !targets[c]->varLength_ && (targets[c]->DataType() == ftString ||
                                                    targets[c]->DataType() == ftFixedChar);
    int shown = 0;
    for (std::size_t r = 0; r < rows; ++r) {
      buffer = store_->AllocRecordRaw();
      std::memset(buffer, 0, static_cast<std::size_t>(storedSize));
      buffer->slot = -1;
      buffer->serial = 0xFFFFFFFFu;
      buffer->updateStatus = usUnmodified;
      buffer->transactionLevel = -1;
      const TImageCell* cells = image.Cells() + r * cols;
      for (std::size_t c = 0; c < cols; ++c) {
        const TImageCell& cell = cells[c];
        if (cell.null) {
          // The fresh record holds it as null already.
        } else if (inRecordText[c]) {
          TField* f = targets[c];
          std::uint8_t* p = buffer->Data() + f->offset_;
          std::size_t width = static_cast<std::size_t>(f->width_);
          std::size_t n = std::min<std::size_t>(cell.length, width - 1);
          p[0] = 2;
          std::memcpy(p + 1, image.ValueData(cell), n);
          std::memset(p + 1 + n, 0, width - n);
        } else {
          WriteLoadedValue(targets[c], buffer, image.Value(cell));
        }
        if (loading && OnLoadField) OnLoadField(this);
      }
      if (autoIncField_ && (autoCol < 0 || image.Cell(r, autoCol).null)) {
        if (store_->autoIncMax >= INT32_MAX)
          throw EMemTableError(Format(SAutoIncExhausted, autoIncField_->FieldName().c_str()));
        auto v = static_cast<std::int32_t>(++store_->autoIncMax);
        std::uint8_t* p = buffer->Data() + autoIncField_->offset_;
        p[0] = 2;
        std::memcpy(p + 1, &v, 4);
      }
      if (loading && OnLoadRecord) OnLoadRecord(this);
      TMemRecord* rec = buffer;
      rec->position = -1;
      // From here the record is the store's.
      buffer = nullptr;
      bool placed = store_->StoreAdd(rec);
      rec->transactionLevel = store_->transactionLevel;
      if (!placed) throw EMemTableFatalError(SBookmarkOutOfRange);
      if (loading) {
        int percent = static_cast<int>((r + 1) * 100 / rows);
        if (percent != shown && percent < 100) DoProgress(shown = percent, mtpcLoad);
      }
    }
    store_->dataModified = true;
    for (TCustomMemTable* t : store_->attachedTables) {
      if (!t || !t->cursorOpen_) continue;
      t->MarkIndexesOutOfDate();
      t->RebuildIndexes();
    }
  }
  if (loading) DoProgress(100, mtpcLoad);
  for (TCustomMemTable* t : store_->attachedTables)
    if (t && t != this && t->Active()) t->Resync(0);
  First();
}

void TCustomMemTable::LoadFromImage(const TTableImage& image) {
  if (Active()) {
    LoadIntoOpenTable(image);
    return;
  }
  // A closed table without definitions takes the saved ones; a failed load
  // leaves it closed, and without them.
  bool tookDefinitions = false;
  try {
    if (FieldDefs().Count() == 0 && Fields().Count() == 0 && store_->owner == this) {
      if (!image.hasDefinitions) throw EMemTableFormatError("it holds no field definitions");
      TFieldDefs defs;
      for (const TImageColumn& c : image.columns) {
        TFieldDef& d = defs.Add(c.name, c.type, c.size);
        d.SetPrecision(c.precision);
        d.SetAttributes(c.attributes);
      }
      FieldDefs() = defs;
      tookDefinitions = true;
      if (image.hasIndexes && indexDefs_.Count() == 0)
        for (const TIndexDef& d : image.indexes)
          indexDefs_.Add(d.Name, d.Fields, d.Options).CompareOptions = d.CompareOptions;
    }
    Open();
    LoadIntoOpenTable(image);
  } catch (...) {
    try {
      Close();
    } catch (...) {
      // The load's own error is the one reported.
    }
    if (tookDefinitions) {
      FieldDefs().Clear();
      indexDefs_.Clear();
    }
    throw;
  }
}

void TCustomMemTable::LoadIntoOpenTable(const TTableImage& image) {
  CheckBrowseMode();
  // Every column must find a data field of its kind that can take its values.
  std::vector<TField*> targets;
  for (const TImageColumn& c : image.columns) {
    TField* f = FindField(c.name);
    if (!f || f->FieldKind() != fkData || f->FieldNo() < 1)
      throw EMemTableFormatError("the table has no field '" + c.name + "'");
    if (f->DataType() != c.type)
      throw EMemTableFormatError("field '" + c.name + "' is of kind " + KindName(c.type) +
                                 " in the data but of kind " + KindName(f->DataType()) +
                                 " in the table");
    if (std::find(targets.begin(), targets.end(), f) != targets.end())
      throw EMemTableFormatError("field '" + c.name + "' appears twice");
    targets.push_back(f);
  }
  std::size_t rows = image.RowCount(), cols = targets.size();
  // Each value must fit its field: the checks of a column are worked out
  // once, and the cells are visited in the order they lie in.
  struct Fit {
    int fixed;
    std::int64_t max;
    bool dated;
  };
  std::vector<Fit> fits;
  for (TField* f : targets) {
    TImageColumn want{f->FieldName(), f->DataType(), f->Size()};
    TFieldType type = f->DataType();
    fits.push_back(
        Fit{ImageFixedWidth(type, f->Size()), ImageMaxLength(want),
            type == ftDate || type == ftTime || type == ftDateTime || type == ftTimeStamp});
  }
  const TImageCell* cells = image.Cells();
  for (std::size_t r = 0; r < rows; ++r, cells += cols) {
    for (std::size_t c = 0; c < cols; ++c) {
      const TImageCell& cell = cells[c];
      if (cell.null) continue;
      const Fit& fit = fits[c];
      bool bad =
          fit.fixed >= 0
              ? cell.length != static_cast<std::uint32_t>(fit.fixed) ||
                    (fit.dated && !ImageValueInRange(targets[c]->DataType(), image.Value(cell)))
              : fit.max >= 0 && cell.length > fit.max;
      if (bad)
        throw EMemTableFormatError("the value of field '" + targets[c]->FieldName() + "' in row " +
                                   std::to_string(r + 1) + " does not fit the field");
    }
  }
  // What the table holds now, to put back should storing fail. Storing
  // checked values fails only through a handler, a unique index or running
  // out of numbers; without those (the common case, and the costly one to
  // copy) there is nothing to keep, and running out of memory empties the
  // table rather than leaving part of the data.
  bool canFail = OnLoadRecord || OnLoadField || OnCompressField || OnProgress;
  if (autoIncField_) {
    auto at = std::find(targets.begin(), targets.end(), autoIncField_);
    if (at == targets.end()) {
      canFail = true;
    } else {
      std::size_t c = static_cast<std::size_t>(at - targets.begin());
      for (std::size_t r = 0; r < rows && !canFail; ++r) canFail = image.Cell(r, c).null;
    }
  }
  for (TCustomMemTable* t : store_->attachedTables)
    if (t && t->cursorOpen_)
      for (auto& idx : t->indexes_)
        if (idx->Options() & mtcoUnique) canFail = true;
  TTableImage before;
  if (canFail && !store_->slots.empty()) before = MakeImage(mtfoData, false);
  std::vector<TField*> all = SavedFields();
  TControlsDisabled quiet(*this);
  LoadedCompletely = true;
  try {
    ApplyImage(image, targets, true);
  } catch (...) {
    LoadedCompletely = false;
    try {
      ApplyImage(before, all, false);
    } catch (...) {
      // The first error is the one to report.
    }
    throw;
  }
  if (OnLoad) OnLoad(this);
}

std::string TCustomMemTable::SaveToString(TMemTableStreamFormat* format) {
  TMemTableStreamFormat* f = FormatFor(format, nullptr);
  std::string out;
  if (auto* binary = dynamic_cast<TMemTableBinaryFormat*>(f);
      binary && typeid(*binary) == typeid(TMemTableBinaryFormat)) {
    // The binary format takes the values straight from the records: no image
    // of the whole table is made on the way.
    TMemTableFormatOptions options = f->Options();
    std::vector<TField*> fields;
    TTableImage head = ImageHead(options, true, fields);
    TBinaryTableWriter writer(out, binary->WriteVersion());
    writer.Head(head);
    if ((options & mtfoData) && cursorOpen_) {
      TBinarySink sink{writer};
      EmitRows(options, true, fields, sink);
    }
    writer.Finish();
  } else {
    TTableImage image = SaveToImage(f->Options());
    f->Write(image, out);
  }
  if (OnSave) OnSave(this);
  return out;
}

void TCustomMemTable::LoadFromString(std::string_view data, TMemTableStreamFormat* format,
                                     const std::string& source) {
  TMemTableStreamFormat* f = FormatFor(format, nullptr);
  auto prefix = [&] {
    std::string p = "Cannot read " + source + ": ";
    return Name().empty() ? p : Name() + ": " + p;
  };
  try {
    std::vector<TImageColumn> shape;
    auto precisionOf = [&](const std::string& name) {
      const TFieldDef* d = FieldDefs().Find(name);
      return d ? d->Precision() : 0;
    };
    if (Active()) {
      for (TField* field : SavedFields())
        shape.push_back(TImageColumn{field->FieldName(), field->DataType(), field->Size(),
                                     precisionOf(field->FieldName())});
    } else {
      for (const TFlatFieldDef& d : FlattenFieldDefs(FieldDefs()))
        shape.push_back(TImageColumn{d.name, d.def->DataType(), d.def->Size(), d.def->Precision()});
    }
    LoadFromImage(f->Read(data, shape));
  } catch (EMemTableFormatError& e) {
    throw EMemTableFormatError(prefix() + e.Message());
  } catch (EMemTableDupKey&) {
    throw EMemTableFormatError(prefix() + "it holds two records with the same key");
  } catch (EDatabaseError& e) {
    // Definitions the table cannot open with, for one.
    throw EMemTableFormatError(prefix() + e.Message());
  } catch (std::bad_alloc&) {
    throw EMemTableFormatError(prefix() + "there is not enough memory");
  }
}

void TCustomMemTable::SaveToStream(std::ostream& stream, TMemTableStreamFormat* format) {
  std::string bytes = SaveToString(format);
  stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!stream) throw EMemTableError("Cannot write the table to the stream");
}

void TCustomMemTable::LoadFromStream(std::istream& stream, TMemTableStreamFormat* format) {
  std::string data{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
  LoadFromString(data, format, "the stream");
}

void TCustomMemTable::SaveToFile(const std::string& path, TMemTableStreamFormat* format) {
  std::string bytes = SaveToString(format);
  WriteFileSafely(path, bytes,
                  PersistentBackup ? ReplaceExtension(path, PersistentBackupExt) : std::string());
}

void TCustomMemTable::LoadFromFile(const std::string& path, TMemTableStreamFormat* format) {
  std::string data;
  try {
    data = ReadWholeFile(path);
  } catch (EMemTableError& e) {
    throw EMemTableFormatError(Name().empty() ? e.Message() : Name() + ": " + e.Message());
  }
  LoadFromString(data, format, "\"" + path + "\"");
}

void TCustomMemTable::LoadPersistentFile() {
  persistentUnread_ = false;
  if (!Persistent || PersistentFile.empty() || !FileExists(PersistentFile)) return;
  // A file that could not be read must not be replaced by the (empty) table
  // when it closes: whatever is left in it may still be rescued.
  persistentUnread_ = true;
  LoadFromFile(PersistentFile, FormatFor(nullptr, PersistentFormat()));
  persistentUnread_ = false;
}

void TCustomMemTable::SavePersistentFile() {
  if (!Persistent || PersistentFile.empty() || !cursorOpen_ || persistentUnread_) return;
  SaveToFile(PersistentFile, FormatFor(nullptr, PersistentFormat()));
}

void TCustomMemTable::SetFormData(component::TBytes data) {
  formData_ = std::move(data);
  // Outside a description's loading the records go in at once.
  if (Active() && !Loading()) LoadFormData();
}

component::TBytes TCustomMemTable::SaveFormData() {
  std::string bytes = SaveToString(FormatFor(nullptr, FormFormat()));
  return component::TBytes(bytes.begin(), bytes.end());
}

void TCustomMemTable::LoadFormData() {
  if (!StoreDataOnForm || formData_.empty()) return;
  std::string_view data(reinterpret_cast<const char*>(formData_.data()), formData_.size());
  LoadFromString(data, FormatFor(nullptr, FormFormat()), "the stored data");
}

}  // namespace memtable
