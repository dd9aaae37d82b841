#include "memtable/DatabaseError.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace memtable {

void DatabaseError(const std::string& text, const std::string& componentName) {
  if (componentName.empty()) throw EDatabaseError(text);
  throw EDatabaseError(componentName + ": " + text);
}

std::string Format(const char* pattern, ...) {
  va_list args;
  va_start(args, pattern);
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(nullptr, 0, pattern, copy);
  va_end(copy);
  std::string out(n > 0 ? static_cast<std::size_t>(n) : 0, '\0');
  if (n > 0) std::vsnprintf(out.data(), out.size() + 1, pattern, args);
  va_end(args);
  return out;
}

std::string FormatG(double value) {
  if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15) {
    return Format("%.0f", value);
  }
  for (int precision = 1; precision <= 17; ++precision) {
    std::string s = Format("%.*g", precision, value);
    if (std::strtod(s.c_str(), nullptr) == value) return s;
  }
  return Format("%.17g", value);
}

}  // namespace memtable
