#include "skin/data/SkinText.h"

#include <charconv>

namespace skin {

std::string_view TrimBlanks(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

std::optional<std::int32_t> ParseSkinInteger(std::string_view text) {
  text = TrimBlanks(text);
  if (text.empty()) return std::nullopt;
  bool hex = false;
  if (text.front() == '$') {
    hex = true;
    text.remove_prefix(1);
  } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    hex = true;
    text.remove_prefix(2);
  }
  if (hex) {
    // from_chars would take a sign; a hex number here never has one.
    if (text.empty() || text.size() > 8 || text.front() == '-' || text.front() == '+')
      return std::nullopt;
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return static_cast<std::int32_t>(value);
  }
  bool negative = false;
  if (text.front() == '+' || text.front() == '-') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // from_chars stops at the first non-digit and rejects a second sign itself.
  if (text.empty() || text.front() == '+' || text.front() == '-') return std::nullopt;
  std::uint64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (negative) {
    if (value > 0x80000000ULL) return std::nullopt;
    return static_cast<std::int32_t>(-static_cast<std::int64_t>(value));
  }
  if (value > 0xFFFFFFFFULL) return std::nullopt;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::optional<double> ParseSkinFloat(std::string_view text) {
  text = TrimBlanks(text);
  if (text.empty() || text.front() == '+') return std::nullopt;
  double value = 0;
  const auto [end, ec] =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::vector<std::string_view> SplitWords(std::string_view text, std::string_view delimiters) {
  std::vector<std::string_view> words;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const auto start = text.find_first_not_of(delimiters, pos);
    if (start == std::string_view::npos) break;
    auto end = text.find_first_of(delimiters, start);
    if (end == std::string_view::npos) end = text.size();
    words.push_back(text.substr(start, end - start));
    pos = end;
  }
  return words;
}

std::vector<std::string_view> SplitExactly(std::string_view text, char delimiter) {
  std::vector<std::string_view> words;
  if (text.empty()) return words;
  std::size_t start = 0;
  for (;;) {
    const auto end = text.find(delimiter, start);
    words.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return words;
    start = end + 1;
  }
}

}  // namespace skin
