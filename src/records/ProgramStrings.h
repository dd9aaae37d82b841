// The program's own words in the string table, under identifiers of their
// own, looked up over the string table's other words (the window frames').
#pragma once

#include <cstdint>
#include <string>

namespace records {

inline constexpr std::uint16_t rsMaleDog = 65061;
inline constexpr std::uint16_t rsBitch = 65062;
inline constexpr std::uint16_t rsDeleteRecord = 65063;
inline constexpr std::uint16_t rsConfirm = 65064;

// The text of a string-table entry as the program sees it: one of its own
// words, or else the string table's entry; empty for an unknown identifier.
std::string LoadResString(std::uint16_t id);

}  // namespace records
