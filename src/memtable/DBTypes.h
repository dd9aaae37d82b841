// Enumerations shared by datasets, fields, data sources and the memory table.
#pragma once

#include <cstdint>

namespace memtable {

// The numbering is part of the stored descriptions and of messages ("Datatype
// %d not supported."), so the order must not change.
enum class TFieldType : int {
  ftUnknown,
  ftString,
  ftSmallint,
  ftInteger,
  ftWord,
  ftBoolean,
  ftFloat,
  ftCurrency,
  ftBCD,
  ftDate,
  ftTime,
  ftDateTime,
  ftBytes,
  ftVarBytes,
  ftAutoInc,
  ftBlob,
  ftMemo,
  ftGraphic,
  ftFmtMemo,
  ftParadoxOle,
  ftDBaseOle,
  ftTypedBinary,
  ftCursor,
  ftFixedChar,
  ftWideString,
  ftLargeint,
  ftADT,
  ftArray,
  ftReference,
  ftDataSet,
  ftOraBlob,
  ftOraClob,
  ftVariant,
  ftInterface,
  ftIDispatch,
  ftGuid,
  ftTimeStamp,
  ftFMTBcd
};
using enum TFieldType;

enum class TDataSetState : int {
  dsInactive,
  dsBrowse,
  dsEdit,
  dsInsert,
  dsSetKey,
  dsCalcFields,
  dsFilter,
  dsNewValue,
  dsOldValue,
  dsCurValue,
  dsBlockRead,
  dsInternalCalc,
  dsOpening
};
using enum TDataSetState;

enum class TFieldKind : int { fkData, fkCalculated, fkLookup, fkInternalCalc, fkAggregate };
using enum TFieldKind;

enum class TDataEvent : int {
  deFieldChange,
  deRecordChange,
  deDataSetChange,
  deDataSetScroll,
  deLayoutChange,
  deUpdateRecord,
  deUpdateState,
  deCheckBrowseMode,
  dePropertyChange,
  deFieldListChange,
  deFocusControl,
  deParentScroll,
  deConnectChange,
  deReconcileError,
  deDisabledStateChange
};
using enum TDataEvent;

enum class TDataAction : int { daFail, daAbort, daRetry };
using enum TDataAction;

enum class TGetMode : int { gmCurrent, gmNext, gmPrior };
using enum TGetMode;

enum class TGetResult : int { grOK, grBOF, grEOF, grError };
using enum TGetResult;

enum class TBookmarkFlag : std::uint8_t { bfCurrent, bfBOF, bfEOF, bfInserted };
using enum TBookmarkFlag;

enum class TUpdateStatus : std::uint8_t { usUnmodified, usModified, usInserted, usDeleted };
using enum TUpdateStatus;

// Field definition attributes, as bits.
enum TFieldAttribute : std::uint32_t {
  faHiddenCol = 1,
  faReadonly = 2,
  faRequired = 4,
  faLink = 8,
  faUnNamed = 16,
  faFixed = 32
};
using TFieldAttributes = std::uint32_t;

// Per-field option bits of an index or key field list.
enum TIndexFieldOption : std::uint8_t {
  mtifoDescending = 1,
  mtifoCaseInsensitive = 2,
  mtifoPartial = 4,
  mtifoIgnoreNull = 8,
  mtifoIgnoreLocale = 16
};
using TIndexFieldOptions = std::uint8_t;

// Options of a memory table index.
enum TMemTableCompareOption : std::uint32_t {
  mtcoDescending = 1,
  mtcoCaseInsensitive = 2,
  mtcoPartialKey = 4,
  mtcoIgnoreNullKey = 8,
  mtcoIgnoreLocale = 16,
  mtcoUnique = 32,
  mtcoNonMaintained = 64
};
using TMemTableCompareOptions = std::uint32_t;

// Options of an index definition.
enum TIndexOption : std::uint32_t {
  ixPrimary = 1,
  ixUnique = 2,
  ixDescending = 4,
  ixCaseInsensitive = 8,
  ixExpression = 16,
  ixNonMaintained = 32
};
using TIndexOptions = std::uint32_t;

// Locate options.
enum TLocateOption : std::uint32_t { loCaseInsensitive = 1, loPartialKey = 2 };
using TLocateOptions = std::uint32_t;

// Filter options.
enum TFilterOption : std::uint32_t { foCaseInsensitive = 1, foNoPartialCompare = 2 };
using TFilterOptions = std::uint32_t;

enum class TMemTablePerformance : int { mtpfFast, mtpfBalanced, mtpfSmall };
using enum TMemTablePerformance;

enum class TMemTableVersioningMode : int { mtvm1SinceCheckPoint, mtvmAllSinceCheckPoint };
using enum TMemTableVersioningMode;

enum class TMemTableProgressCode : int {
  mtpcLoad,
  mtpcSave,
  mtpcEmpty,
  mtpcPack,
  mtpcCheckPoint,
  mtpcSearch,
  mtpcCopy,
  mtpcUpdate,
  mtpcSort
};
using enum TMemTableProgressCode;
using TMemTableProgressCodes = std::uint32_t;
constexpr TMemTableProgressCodes ProgressBit(TMemTableProgressCode c) {
  return 1u << static_cast<int>(c);
}

// Which update statuses an index shows, as bits (1 << TUpdateStatus).
using TUpdateStatusSet = std::uint8_t;
constexpr TUpdateStatusSet StatusBit(TUpdateStatus s) {
  return static_cast<TUpdateStatusSet>(1u << static_cast<int>(s));
}

}  // namespace memtable
