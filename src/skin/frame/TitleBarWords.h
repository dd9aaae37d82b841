// The words of the skinned title bar: the border icons' hints and the
// system menu's items, under their string-table identifiers.
#pragma once

#include <cstdint>
#include <string>

namespace skin {

// Border-icon hints of the title bar.
inline constexpr std::uint16_t sHintHelp = 58971;
inline constexpr std::uint16_t sHintRestore = 58972;
inline constexpr std::uint16_t sHintMinimize = 58973;
inline constexpr std::uint16_t sHintMaximize = 58974;
inline constexpr std::uint16_t sHintClose = 58975;

// Items of the title bar's system menu.
inline constexpr std::uint16_t sItemClose = 58976;
inline constexpr std::uint16_t sItemMaximize = 58977;
inline constexpr std::uint16_t sItemMinimize = 58978;
inline constexpr std::uint16_t sItemSize = 58979;
inline constexpr std::uint16_t sItemMove = 58980;
inline constexpr std::uint16_t sItemRestore = 58981;

// One of the words above; empty for any other identifier.
std::string TitleBarWord(std::uint16_t id);

}  // namespace skin
