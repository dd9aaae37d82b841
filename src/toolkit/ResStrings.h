// The string table: words looked up by a 16-bit identifier. The toolkit's
// own are the window-frame words of the skinned title bar (border-icon hints
// and system-menu items); the program keeps its words in its own layer and
// looks them up over these.
#pragma once

#include <cstdint>
#include <string>

namespace toolkit {

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

// The text of a string-table entry; empty for an unknown identifier.
std::string LoadResString(std::uint16_t id);

}  // namespace toolkit
