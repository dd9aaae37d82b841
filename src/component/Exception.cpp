#include "component/Exception.h"

namespace component {

EReadError::EReadError(std::string fileName, int line, std::string detail)
    : Exception(fileName + "(" + std::to_string(line) + "): " + detail),
      fileName_(std::move(fileName)),
      line_(line),
      detail_(std::move(detail)) {}

}  // namespace component
