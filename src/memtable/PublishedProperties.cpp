// The published properties of the datasets and data sources: what a stored
// window description may set on them.
#include "component/ClassBuilder.h"
#include "memtable/DataSet.h"
#include "memtable/DataSource.h"
#include "memtable/MemTable.h"

namespace memtable {

using namespace component;

namespace {

const TEnumInfo& CompareOptionInfo() {
  static const TEnumInfo info(
      "TMemTableCompareOption",
      {"mtcoDescending", "mtcoCaseInsensitive", "mtcoPartialKey", "mtcoIgnoreNullKey",
       "mtcoIgnoreLocale", "mtcoUnique", "mtcoNonMaintained"});
  return info;
}

const TEnumInfo& ProgressCodeInfo() {
  static const TEnumInfo info("TMemTableProgressCode",
                              {"mtpcLoad", "mtpcSave", "mtpcEmpty", "mtpcPack", "mtpcCheckPoint",
                               "mtpcSearch", "mtpcCopy", "mtpcUpdate", "mtpcSort"});
  return info;
}

const TEnumInfo& PerformanceInfo() {
  static const TEnumInfo info("TMemTablePerformance", {"mtpfFast", "mtpfBalanced", "mtpfSmall"});
  return info;
}

const TEnumInfo& VersioningModeInfo() {
  static const TEnumInfo info("TMemTableVersioningMode",
                              {"mtvm1SinceCheckPoint", "mtvmAllSinceCheckPoint"});
  return info;
}

const TEnumInfo& FilterOptionInfo() {
  static const TEnumInfo info("TFilterOption", {"foCaseInsensitive", "foNoPartialCompare"});
  return info;
}

// Every option set here has the option of ordinal n at bit 1 << n, so a
// stored set's mask is the option word itself.
std::uint32_t Mask(const TPropertyValue& v) {
  return static_cast<std::uint32_t>(std::get<std::int64_t>(v));
}

}  // namespace

const TClassInfo& TDataSet::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TDataSet, TComponent>("TDataSet")
                                     .Event("BeforeOpen", &TDataSet::BeforeOpen)
                                     .Event("AfterOpen", &TDataSet::AfterOpen)
                                     .Event("BeforeClose", &TDataSet::BeforeClose)
                                     .Event("AfterClose", &TDataSet::AfterClose)
                                     .Event("BeforeInsert", &TDataSet::BeforeInsert)
                                     .Event("AfterInsert", &TDataSet::AfterInsert)
                                     .Event("BeforeEdit", &TDataSet::BeforeEdit)
                                     .Event("AfterEdit", &TDataSet::AfterEdit)
                                     .Event("BeforePost", &TDataSet::BeforePost)
                                     .Event("AfterPost", &TDataSet::AfterPost)
                                     .Event("BeforeCancel", &TDataSet::BeforeCancel)
                                     .Event("AfterCancel", &TDataSet::AfterCancel)
                                     .Event("BeforeDelete", &TDataSet::BeforeDelete)
                                     .Event("AfterDelete", &TDataSet::AfterDelete)
                                     .Event("BeforeScroll", &TDataSet::BeforeScroll)
                                     .Event("AfterScroll", &TDataSet::AfterScroll)
                                     .Event("BeforeRefresh", &TDataSet::BeforeRefresh)
                                     .Event("AfterRefresh", &TDataSet::AfterRefresh)
                                     .Event("OnCalcFields", &TDataSet::OnCalcFields)
                                     .Event("OnNewRecord", &TDataSet::OnNewRecord)
                                     .Event("OnFilterRecord", &TDataSet::OnFilterRecord)
                                     .Event("OnPostError", &TDataSet::OnPostError)
                                     .Event("OnEditError", &TDataSet::OnEditError)
                                     .Event("OnDeleteError", &TDataSet::OnDeleteError)
                                     .Build();
  return info;
}

const TClassInfo& TMemTable::StaticClassInfo() {
  using T = TMemTable;
  static const TClassInfo info =
      TClassBuilder<TMemTable, TDataSet>("TMemTable")
          .Property("FieldDefs", &T::StoredFieldDefs)
          .Property("IndexDefs", &T::StoredIndexDefs)
          .Property("Active", &T::Active, &T::SetActive)
          .Property("DesignActivation", &T::DesignActivation, &T::SetDesignActivation)
          .Property("AttachedTo", &T::AttachedTo, &T::SetAttachedTo)
          .Property("AttachedAutoRefresh", &T::AttachedAutoRefresh, &T::SetAttachedAutoRefresh)
          .Property("AttachMaxCount", &T::AttachMaxCount, &T::SetAttachMaxCount)
          .Property("Standalone", &T::Standalone, &T::SetStandalone)
          .Property("AutoIncMinValue", &T::AutoIncMinValue, &T::SetAutoIncMinValue)
          .Property("Performance", &T::Performance, &T::SetPerformance, PerformanceInfo())
          .Property("EnableVersioning", &T::EnableVersioning, &T::SetEnableVersioning)
          .Property("VersioningMode", &T::VersioningMode, &T::SetVersioningMode,
                    VersioningModeInfo())
          .Property("RecalcOnIndex", &T::RecalcOnIndex, &T::SetRecalcOnIndex)
          .Property("RecalcOnFetch", &T::RecalcOnFetch, &T::SetRecalcOnFetch)
          .Property("AutoCalcFields", &T::AutoCalcFields, &T::SetAutoCalcFields)
          .Property("MasterSource", &T::MasterSource, &T::SetMasterSource)
          .Field("MasterFields", &T::MasterFields)
          .Field("DetailFields", &T::DetailFields)
          .Field("RangeIgnoreNullKeyValues", &T::RangeIgnoreNullKeyValues)
          .Property("EnableIndexes", &T::EnableIndexes, &T::SetEnableIndexes)
          .Property("AutoAddIndexes", &T::AutoAddIndexes, &T::SetAutoAddIndexes)
          .Property("AutoReposition", &T::AutoReposition, &T::SetAutoReposition)
          .Property("IndexName", &T::IndexName, &T::SetIndexName)
          .Property("IndexFieldNames", &T::IndexFieldNames, &T::SetIndexFieldNames)
          .Property("SortFields", &T::SortFields, &T::SetSortFields)
          .Custom(
              "SortOptions", TPropertyKind::Set,
              [](T& t, const TPropertyValue& v) { t.SetSortOptions(Mask(v)); },
              &CompareOptionInfo())
          .Getter([](const T& t) { return TPropertyValue(std::int64_t{t.SortOptions()}); })
          .Property("ReadOnly", &T::ReadOnly, &T::SetReadOnly)
          .Property("Filtered", &T::Filtered, &T::SetFiltered)
          .Property("Filter", &T::Filter, &T::SetFilter)
          .Custom(
              "FilterOptions", TPropertyKind::Set,
              [](T& t, const TPropertyValue& v) { t.SetFilterOptions(Mask(v)); },
              &FilterOptionInfo())
          .Getter([](const T& t) { return TPropertyValue(std::int64_t{t.FilterOptions()}); })
          .Custom("Persistent", TPropertyKind::Boolean,
                  [](T& t, const TPropertyValue& v) { t.Persistent = std::get<bool>(v); })
          .Getter([](const T& t) { return TPropertyValue(t.Persistent); })
          .Custom(
              "PersistentFile", TPropertyKind::String,
              [](T& t, const TPropertyValue& v) { t.PersistentFile = std::get<std::string>(v); })
          .Getter([](const T& t) { return TPropertyValue(t.PersistentFile); })
          .Custom("PersistentBackup", TPropertyKind::Boolean,
                  [](T& t, const TPropertyValue& v) { t.PersistentBackup = std::get<bool>(v); })
          .Getter([](const T& t) { return TPropertyValue(t.PersistentBackup); })
          .Custom("StoreDataOnForm", TPropertyKind::Boolean,
                  [](T& t, const TPropertyValue& v) { t.StoreDataOnForm = std::get<bool>(v); })
          .Getter([](const T& t) { return TPropertyValue(t.StoreDataOnForm); })
          // The records kept in the description itself, written below.
          .Property("Data", &T::FormData, &T::SetFormData)
          .Stored([](const T&) { return false; })
          .Field("PersistentBackupExt", &T::PersistentBackupExt)
          .Field("LoadLimit", &T::LoadLimit)
          .Field("LoadedCompletely", &T::LoadedCompletely)
          .Field("SaveLimit", &T::SaveLimit)
          .Field("SavedCompletely", &T::SavedCompletely)
          .Property("DefaultFormat", &T::DefaultFormat, &T::SetDefaultFormat)
          .Property("CommaTextFormat", &T::CommaTextFormat, &T::SetCommaTextFormat)
          .Property("PersistentFormat", &T::PersistentFormat, &T::SetPersistentFormat)
          .Property("AllDataFormat", &T::AllDataFormat, &T::SetAllDataFormat)
          .Property("FormFormat", &T::FormFormat, &T::SetFormFormat)
          .Property("DeltaHandler", &T::DeltaHandler, &T::SetDeltaHandler)
          .Custom(
              "ProgressFlags", TPropertyKind::Set,
              [](T& t, const TPropertyValue& v) { t.SetProgressFlags(Mask(v)); },
              &ProgressCodeInfo())
          .Getter([](const T& t) { return TPropertyValue(std::int64_t{t.ProgressFlags()}); })
          .Property("Version", &T::Version, &T::SetVersion)
          .Property("LanguageID", &T::LanguageID, &T::SetLanguageID)
          .Property("SortID", &T::SortID, &T::SetSortID)
          .Property("SubLanguageID", &T::SubLanguageID, &T::SetSubLanguageID)
          .Property("LocaleID", &T::LocaleID, &T::SetLocaleID)
          .Event("OnProgress", &T::OnProgress)
          .Event("OnLoadRecord", &T::OnLoadRecord)
          .Event("OnLoadField", &T::OnLoadField)
          .Event("OnSaveRecord", &T::OnSaveRecord)
          .Event("OnSaveField", &T::OnSaveField)
          .Event("OnCompressBlobStream", &T::OnCompressBlobStream)
          .Event("OnDecompressBlobStream", &T::OnDecompressBlobStream)
          .Event("OnSetupField", &T::OnSetupField)
          .Event("OnSetupFieldProperties", &T::OnSetupFieldProperties)
          .Event("OnCompressField", &T::OnCompressField)
          .Event("OnDecompressField", &T::OnDecompressField)
          .Event("OnSave", &T::OnSave)
          .Event("OnLoad", &T::OnLoad)
          .Event("OnCompareFields", &T::OnCompareFields)
          .Event("OnFilterIndex", &T::OnFilterIndex)
          .DefineProperties([](const T& table, const T*, TPropertyFiler& filer) {
            if (!table.StoreDataOnForm || !table.Active()) return;
            filer.Write("Data", TPropertyKind::Binary, const_cast<T&>(table).SaveFormData());
          })
          .Build();
  return info;
}

const TClassInfo& TDataSource::StaticClassInfo() {
  using T = TDataSource;
  static const TClassInfo info = TClassBuilder<TDataSource, TComponent>("TDataSource")
                                     .Property("DataSet", &T::DataSet, &T::SetDataSet)
                                     .Property("Enabled", &T::Enabled, &T::SetEnabled)
                                     .Property("AutoEdit", &T::AutoEdit, &T::SetAutoEdit)
                                     .Event("OnStateChange", &T::OnStateChange)
                                     .Event("OnDataChange", &T::OnDataChange)
                                     .Event("OnUpdateData", &T::OnUpdateData)
                                     .Build();
  return info;
}

}  // namespace memtable
