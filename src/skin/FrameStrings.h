// The captions of the skinned frame: border-icon hints and system-menu
// items, by their string numbers.
#pragma once

#include <cstdint>
#include <string>

namespace skin {

inline constexpr std::uint16_t kStrHintHelp = 58971;
inline constexpr std::uint16_t kStrHintRestore = 58972;
inline constexpr std::uint16_t kStrHintMinimize = 58973;
inline constexpr std::uint16_t kStrHintMaximize = 58974;
inline constexpr std::uint16_t kStrHintClose = 58975;
inline constexpr std::uint16_t kStrItemClose = 58976;
inline constexpr std::uint16_t kStrItemMaximize = 58977;
inline constexpr std::uint16_t kStrItemMinimize = 58978;
inline constexpr std::uint16_t kStrItemSize = 58979;
inline constexpr std::uint16_t kStrItemMove = 58980;
inline constexpr std::uint16_t kStrItemRestore = 58981;

// The text of a string number; empty for one the frame does not know.
std::string FrameString(std::uint16_t id);

}  // namespace skin
