#include "LastError.h"

namespace platform {

namespace {
thread_local std::uint32_t t_lastError = ERROR_SUCCESS;
}

std::uint32_t GetLastError() {
  return t_lastError;
}

void SetLastError(std::uint32_t code) {
  t_lastError = code;
}

}  // namespace platform
