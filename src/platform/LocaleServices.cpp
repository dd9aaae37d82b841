#include "LocaleServices.h"

#include <unicode/ucol.h>
#include <unicode/uloc.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

#include "Codepage.h"

namespace platform {

namespace {

struct CollatorDeleter {
  void operator()(UCollator* c) const { ucol_close(c); }
};
using CollatorPtr = std::unique_ptr<UCollator, CollatorDeleter>;

std::mutex g_mutex;
std::optional<LCID> g_userDefault;
// Key: resolved LCID in the low 32 bits, flags above. A null entry remembers
// an identifier ICU does not know, so repeated failures stay cheap.
std::unordered_map<std::uint64_t, CollatorPtr> g_collators;

std::string PosixLocaleFromEnvironment(std::initializer_list<const char*> vars) {
  for (const char* var : vars) {
    const char* value = std::getenv(var);
    if (value && *value) return value;
  }
  return {};
}

// "de_DE.UTF-8@euro" -> "de_DE"; "C"/"POSIX"/empty -> "".
std::string StripPosixLocale(std::string name) {
  auto cut = name.find_first_of(".@");
  if (cut != std::string::npos) name.resize(cut);
  if (name == "C" || name == "POSIX") return {};
  for (char& c : name)
    if (c == '-') c = '_';
  return name;
}

LCID UserDefaultLocked() {
  if (!g_userDefault) {
    LCID id = 0x0409;
    std::string name =
        StripPosixLocale(PosixLocaleFromEnvironment({"LC_ALL", "LC_COLLATE", "LANG"}));
    if (!name.empty()) {
      uint32_t found = uloc_getLCID(name.c_str());
      if (found != 0) id = found;
    }
    g_userDefault = id;
  }
  return *g_userDefault;
}

// Maps the default and neutral identifiers to a concrete locale; 0 for a
// malformed identifier.
LCID ResolveLocked(LCID locale) {
  if (locale >> 20) return 0;  // reserved bits set
  LANGID lang = locale & 0xFFFF;
  unsigned sort = (locale >> 16) & 0xF;
  if (lang == 0 || lang == LOCALE_USER_DEFAULT || lang == LOCALE_SYSTEM_DEFAULT) {
    if (sort != 0) return 0;
    return UserDefaultLocked();
  }
  return locale;
}

std::string IcuNameForResolved(LCID resolved) {
  if (resolved == LOCALE_INVARIANT) return "root";
  char buffer[ULOC_FULLNAME_CAPACITY] = {};
  UErrorCode status = U_ZERO_ERROR;
  int32_t length = uloc_getLocaleForLCID(resolved, buffer, sizeof buffer, &status);
  if (U_FAILURE(status) || length <= 0) return {};
  return std::string(buffer, length);
}

UCollator* CollatorLocked(LCID locale, std::uint32_t flags) {
  LCID resolved = ResolveLocked(locale);
  if (resolved == 0) return nullptr;
  std::uint64_t key = (std::uint64_t(flags) << 32) | resolved;
  auto it = g_collators.find(key);
  if (it != g_collators.end()) return it->second.get();

  CollatorPtr collator;
  std::string name = IcuNameForResolved(resolved);
  if (!name.empty()) {
    UErrorCode status = U_ZERO_ERROR;
    collator.reset(ucol_open(name.c_str(), &status));
    if (U_FAILURE(status)) collator.reset();
  }
  if (collator) {
    UErrorCode status = U_ZERO_ERROR;
    // Ignoring case means comparing at the accent level: case is the third level.
    ucol_setStrength(collator.get(), (flags & NORM_IGNORECASE) ? UCOL_SECONDARY : UCOL_TERTIARY);
    ucol_setAttribute(collator.get(), UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
  }
  UCollator* raw = collator.get();
  g_collators.emplace(key, std::move(collator));
  return raw;
}

int CompareWith(LCID locale, std::uint32_t flags, const UChar* a, int32_t la, const UChar* b,
                int32_t lb) {
  if (flags & ~NORM_IGNORECASE) return 0;  // flags this system does not know
  std::lock_guard lock(g_mutex);
  UCollator* collator = CollatorLocked(locale, flags);
  if (!collator) return 0;
  switch (ucol_strcoll(collator, a, la, b, lb)) {
    case UCOL_LESS:
      return CSTR_LESS_THAN;
    case UCOL_EQUAL:
      return CSTR_EQUAL;
    default:
      return CSTR_GREATER_THAN;
  }
}

// Widens Windows-1252 text into a buffer that lives on the stack for short texts.
class WideText {
 public:
  WideText(const char* s, int len) {
    size_t n = len < 0 ? std::strlen(s) : size_t(len);
    UChar* out = n <= small_.size() ? small_.data() : (large_.resize(n), large_.data());
    for (size_t i = 0; i < n; ++i) out[i] = Cp1252ToUnicode(static_cast<unsigned char>(s[i]));
    data_ = out;
    size_ = static_cast<int32_t>(n);
  }
  const UChar* data() const { return data_; }
  int32_t size() const { return size_; }

 private:
  std::array<UChar, 128> small_;
  std::vector<UChar> large_;
  const UChar* data_ = nullptr;
  int32_t size_ = 0;
};

}  // namespace

int CompareStringA(LCID locale, std::uint32_t flags, const char* s1, int len1, const char* s2,
                   int len2) {
  if (!s1 || !s2) return 0;
  WideText a(s1, len1), b(s2, len2);
  return CompareWith(locale, flags, a.data(), a.size(), b.data(), b.size());
}

int CompareStringW(LCID locale, std::uint32_t flags, const char16_t* s1, int len1,
                   const char16_t* s2, int len2) {
  if (!s1 || !s2) return 0;
  static_assert(sizeof(UChar) == sizeof(char16_t));
  // ICU takes -1 as "NUL-terminated", exactly like the classic call.
  return CompareWith(locale, flags, reinterpret_cast<const UChar*>(s1), len1 < 0 ? -1 : len1,
                     reinterpret_cast<const UChar*>(s2), len2 < 0 ? -1 : len2);
}

bool IsValidLocale(LCID locale) {
  std::lock_guard lock(g_mutex);
  return CollatorLocked(locale, 0) != nullptr;
}

LCID GetUserDefaultLCID() {
  std::lock_guard lock(g_mutex);
  return UserDefaultLocked();
}

std::string LocaleNameFromLCID(LCID locale) {
  std::lock_guard lock(g_mutex);
  LCID resolved = ResolveLocked(locale);
  return resolved ? IcuNameForResolved(resolved) : std::string();
}

void ResetLocaleCache() {
  std::lock_guard lock(g_mutex);
  g_userDefault.reset();
  g_collators.clear();
}

}  // namespace platform
