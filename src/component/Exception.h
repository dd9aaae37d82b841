// The failures raised by the component layer and by the reader of stored
// window descriptions. Every failure of the program derives from Exception,
// which carries the message shown to the user.
//
//   Exception
//   ├── EAbort                  leaves an operation without a message
//   ├── EComponentError         invalid or duplicate component names
//   ├── EListError              an index outside a list or collection
//   ├── EInvalidOperation       an operation the object's state forbids
//   ├── EConvertError           an assignment between incompatible objects
//   ├── EResNotFound            no compiled-in resource of that name
//   └── EReadError              a stored description that cannot be loaded;
//       ├── EParserError        its text does not follow the format
//       ├── EClassNotFound      it names a class that is not registered
//       ├── EPropertyError      an unknown property or a value it cannot take
//       └── EUnresolvedReference a component reference that names nothing
#pragma once

#include <exception>
#include <string>

namespace component {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const { return message_; }

 private:
  std::string message_;
};

// Raised only to leave an operation; the application drops it without a word.
class EAbort : public Exception {
 public:
  EAbort() : Exception("Operation aborted") {}
};

class EComponentError : public Exception {
 public:
  using Exception::Exception;
};

class EListError : public Exception {
 public:
  using Exception::Exception;
};

class EInvalidOperation : public Exception {
 public:
  using Exception::Exception;
};

class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

class EResNotFound : public Exception {
 public:
  using Exception::Exception;
};

// Message(): "<file>(<line>): <detail>"; the parts are kept for callers that
// want to present them differently.
class EReadError : public Exception {
 public:
  EReadError(std::string fileName, int line, std::string detail);
  const std::string& FileName() const { return fileName_; }
  int Line() const { return line_; }
  const std::string& Detail() const { return detail_; }

 private:
  std::string fileName_;
  int line_;
  std::string detail_;
};

class EParserError : public EReadError {
 public:
  using EReadError::EReadError;
};

class EClassNotFound : public EReadError {
 public:
  using EReadError::EReadError;
};

class EPropertyError : public EReadError {
 public:
  using EReadError::EReadError;
};

class EUnresolvedReference : public EReadError {
 public:
  using EReadError::EReadError;
};

// A value the description format cannot express (a float that is not
// finite, a reference to a component without a name).
class EWriteError : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace component
