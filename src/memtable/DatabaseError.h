// The exception classes of the dataset layer and the memory table.
#pragma once

#include <exception>
#include <string>

#include "component/Exception.h"

namespace memtable {

// The component layer's roots, so that the application catches one base
// class and drops one silent abort for every layer.
using Exception = component::Exception;
using EAbort = component::EAbort;

class ERangeError : public Exception {
 public:
  using Exception::Exception;
};

class EDatabaseError : public Exception {
 public:
  using Exception::Exception;
};

class EMemTableError : public EDatabaseError {
 public:
  using EDatabaseError::EDatabaseError;
};
class EMemTableFatalError : public EMemTableError {
 public:
  using EMemTableError::EMemTableError;
};
class EMemTableInvalidRecord : public EMemTableFatalError {
 public:
  using EMemTableFatalError::EMemTableFatalError;
};
class EMemTableDupKey : public EMemTableError {
 public:
  using EMemTableError::EMemTableError;
};
class EMemTableFilterError : public EMemTableError {
 public:
  using EMemTableError::EMemTableError;
};
class EMemTableLocaleError : public EMemTableError {
 public:
  using EMemTableError::EMemTableError;
};
class EMemTableInvalidLocale : public EMemTableLocaleError {
 public:
  using EMemTableLocaleError::EMemTableLocaleError;
};

// Raises EDatabaseError with "name: text", or the text alone when the name is
// empty.
[[noreturn]] void DatabaseError(const std::string& text, const std::string& componentName = {});

// printf-style formatting of the message texts below.
std::string Format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

// Formats a number as the "%g" of the range message does: the shortest form that
// reads back the same, without exponent for whole numbers of up to 15 digits.
std::string FormatG(double value);

// Message texts.
inline constexpr const char* SDataSetClosed = "Cannot perform this operation on a closed dataset";
inline constexpr const char* SNotEditing = "Dataset not in edit or insert mode";
inline constexpr const char* SDataSetReadOnly = "Cannot modify a read-only dataset";
inline constexpr const char* SDataSetEmpty = "Cannot perform this operation on an empty dataset";
inline constexpr const char* SRecordNotFound = "Record not found";
inline constexpr const char* SFieldNotFound = "Field '%s' not found";
inline constexpr const char* SFieldRequired = "Field '%s' must have a value";
inline constexpr const char* SCircularDataLink = "Circular datalinks are not allowed";
inline constexpr const char* SNoFieldDefs = "There must be at least one field";
inline constexpr const char* SNoDataSet = "Field '%s' has no dataset";
inline constexpr const char* SFieldAccessError = "Cannot access field '%s' as type %s";
inline constexpr const char* SInvalidIntegerValue =
    "'%s' is not a valid integer value for field '%s'";
inline constexpr const char* SInvalidFloatValue =
    "'%s' is not a valid floating point value for field '%s'";
inline constexpr const char* SInvalidBoolValue = "'%s' is not a valid boolean value for field '%s'";
inline constexpr const char* SInvalidDateTimeValue = "'%s' is not a valid date and time";
inline constexpr const char* SFieldRangeError =
    "%s is not a valid value for field '%s'. The allowed range is %s to %s";
inline constexpr const char* SUnknownFieldType = "Field '%s' is of an unknown type";
inline constexpr const char* SNotEditMode = "Dataset is not in edit mode.";
inline constexpr const char* SFieldReadOnly = "Field %s is read only";
inline constexpr const char* SDatatypeNotSupported = " Datatype %d not supported.";
inline constexpr const char* SBookmarkOutOfRange =
    "Bookmark counter is out of range. Please close and reopen table.";
inline constexpr const char* SDupKey = "Duplicate index value. Operation aborted.";
inline constexpr const char* SMissingIndexFields = "Missing Name or FieldNames in IndexDef!";
inline constexpr const char* SInvalidRecord = "Invalid record ";
inline constexpr const char* SInvalidArgument = "Invalid argument.";
inline constexpr const char* SAutoIncExhausted =
    "Field '%s' has no auto-increment value left. The record cannot be added.";
inline constexpr const char* STableMustBeClosed = "Table must be closed for this operation.";
inline constexpr const char* SIsAttached = "Table is attached to another table.";
inline constexpr const char* SChildrenAttached = "Children are attached to this table.";
inline constexpr const char* SAttachToSelf = "Cant attach memorytable to it self.";
inline constexpr const char* SAttachToAttached =
    "Cant attach to another table which itself is an attachment.";
inline constexpr const char* STooManyFieldDefs =
    "Too many fielddefs. Please raise MT_MAX_FIELDS value.";
inline constexpr const char* STransactionVersioning =
    "Transactioning requires multiversion versioning.";
inline constexpr const char* SInvalidLocale = "Invalid locale.";
inline constexpr const char* SInvalidDimCount = "Values variant array has invalid dimension count";
inline constexpr const char* SMoreFieldsThanValues = "More fields than values";
inline constexpr const char* SCannotIndex = "Can't index on field %s";
inline constexpr const char* SIndexNotFound = "Index '%s' not found";
inline constexpr const char* SUnbalancedEnable = "EnableControls called without DisableControls";

}  // namespace memtable
