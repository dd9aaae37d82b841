// The calling thread's last-error value: platform calls that fail with 0 or
// false leave the reason here, the way the classic interface reports it.
#pragma once

#include <cstdint>

namespace platform {

inline constexpr std::uint32_t ERROR_SUCCESS = 0;
inline constexpr std::uint32_t ERROR_INVALID_PARAMETER = 87;
inline constexpr std::uint32_t ERROR_INVALID_FLAGS = 1004;

std::uint32_t GetLastError();
void SetLastError(std::uint32_t code);

}  // namespace platform
