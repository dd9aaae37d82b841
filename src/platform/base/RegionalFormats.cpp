#include "RegionalFormats.h"

#include <unicode/udat.h>
#include <unicode/ustring.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>

#include "Codepage.h"

namespace platform {

namespace {

struct KnownRegion {
  const char* name;
  const char* shortDate;
  const char* longTime;
  const char* am;
  const char* pm;
};

// The desktop defaults users of these regions see; the first entry of a
// language also serves that language's other regions.
constexpr KnownRegion kRegions[] = {
    {"en_US", "M/d/yyyy", "h:mm:ss tt", "AM", "PM"},
    {"en_GB", "dd/MM/yyyy", "HH:mm:ss", "AM", "PM"},
    {"en_AU", "d/MM/yyyy", "h:mm:ss tt", "AM", "PM"},
    {"en_CA", "yyyy-MM-dd", "h:mm:ss tt", "a.m.", "p.m."},
    {"en_IE", "dd/MM/yyyy", "HH:mm:ss", "a.m.", "p.m."},
    {"en_NZ", "d/MM/yyyy", "h:mm:ss tt", "a.m.", "p.m."},
    {"de_DE", "dd.MM.yyyy", "HH:mm:ss", "", ""},
    {"de_AT", "dd.MM.yyyy", "HH:mm:ss", "", ""},
    {"de_CH", "dd.MM.yyyy", "HH:mm:ss", "", ""},
    {"fr_FR", "dd/MM/yyyy", "HH:mm:ss", "", ""},
    {"fr_CA", "yyyy-MM-dd", "HH:mm:ss", "", ""},
    {"fr_BE", "dd-MM-yy", "HH:mm:ss", "", ""},
    {"it_IT", "dd/MM/yyyy", "HH:mm:ss", "", ""},
    {"es_ES", "dd/MM/yyyy", "H:mm:ss", "", ""},
    {"es_MX", "dd/MM/yyyy", "hh:mm:ss tt", "a. m.", "p. m."},
    {"ru_RU", "dd.MM.yyyy", "H:mm:ss", "", ""},
    {"nl_NL", "d-M-yyyy", "HH:mm:ss", "", ""},
    {"pt_BR", "dd/MM/yyyy", "HH:mm:ss", "", ""},
    {"pt_PT", "dd/MM/yyyy", "HH:mm:ss", "", ""},
    {"pl_PL", "dd.MM.yyyy", "HH:mm:ss", "", ""},
    {"sv_SE", "yyyy-MM-dd", "HH:mm:ss", "", ""},
    {"da_DK", "dd-MM-yyyy", "HH:mm:ss", "", ""},
    {"nb_NO", "dd.MM.yyyy", "HH:mm:ss", "", ""},
    {"fi_FI", "d.M.yyyy", "H:mm:ss", "", ""},
    {"cs_CZ", "dd.MM.yyyy", "H:mm:ss", "", ""},
    {"ja_JP", "yyyy/MM/dd", "H:mm:ss", "", ""},
    {"zh_CN", "yyyy/M/d", "H:mm:ss", "", ""},
};

std::string Normalise(std::string name) {
  auto cut = name.find_first_of(".@");
  if (cut != std::string::npos) name.resize(cut);
  for (char& c : name)
    if (c == '-') c = '_';
  return name;
}

char FirstSeparator(const std::string& pattern, const char* letters) {
  for (char c : pattern)
    if (!std::strchr(letters, c) && c != ' ' && c != '\'') return c;
  return 0;
}

// Fills the derived fields (separators, hour style, marker place) from the patterns.
RegionalFormats Complete(std::string locale, std::string shortDate, std::string longTime,
                         std::string am, std::string pm) {
  RegionalFormats f;
  f.localeName = std::move(locale);
  f.shortDateFormat = std::move(shortDate);
  f.longTimeFormat = std::move(longTime);
  if (char sep = FirstSeparator(f.shortDateFormat, "dMy")) f.dateSeparator = sep;
  if (char sep = FirstSeparator(f.longTimeFormat, "hHmst")) f.timeSeparator = sep;
  auto hour = f.longTimeFormat.find_first_of("hH");
  f.twentyFourHour = hour == std::string::npos || f.longTimeFormat[hour] == 'H';
  f.hourLeadingZero = hour != std::string::npos && hour + 1 < f.longTimeFormat.size() &&
                      f.longTimeFormat[hour + 1] == f.longTimeFormat[hour];
  auto marker = f.longTimeFormat.find('t');
  f.markerFirst = marker != std::string::npos && hour != std::string::npos && marker < hour;
  f.timeAMString = std::move(am);
  f.timePMString = std::move(pm);
  return f;
}

std::string FromIcu(const UChar* text, int32_t length) {
  return Utf16ToCp1252(std::u16string_view(reinterpret_cast<const char16_t*>(text), length));
}

// Converts an ICU date pattern to the classic letters: a four-digit year,
// 'a' becomes the "tt" marker, other letters are kept as they are.
std::string ClassicPattern(const std::string& icu) {
  std::string out;
  for (size_t i = 0; i < icu.size();) {
    char c = icu[i];
    size_t run = 1;
    while (i + run < icu.size() && icu[i + run] == c) ++run;
    if (c == 'y')
      out += "yyyy";
    else if (c == 'a')
      out += "tt";
    else if (c == 'L')
      out.append(run, 'M');
    else
      out.append(run, c);
    i += run;
  }
  return out;
}

std::optional<RegionalFormats> FromIcuLocale(const std::string& locale) {
  UErrorCode status = U_ZERO_ERROR;
  UDateFormat* date =
      udat_open(UDAT_NONE, UDAT_SHORT, locale.c_str(), nullptr, 0, nullptr, 0, &status);
  if (U_FAILURE(status)) return std::nullopt;
  UDateFormat* time =
      udat_open(UDAT_MEDIUM, UDAT_NONE, locale.c_str(), nullptr, 0, nullptr, 0, &status);
  if (U_FAILURE(status)) {
    udat_close(date);
    return std::nullopt;
  }
  UChar buffer[128];
  int32_t n = udat_toPattern(date, false, buffer, 128, &status);
  std::string shortDate = U_SUCCESS(status) ? ClassicPattern(FromIcu(buffer, n)) : "";
  n = udat_toPattern(time, false, buffer, 128, &status);
  std::string longTime = U_SUCCESS(status) ? ClassicPattern(FromIcu(buffer, n)) : "";
  std::string am, pm;
  n = udat_getSymbols(time, UDAT_AM_PMS, 0, buffer, 128, &status);
  if (U_SUCCESS(status)) am = FromIcu(buffer, n);
  n = udat_getSymbols(time, UDAT_AM_PMS, 1, buffer, 128, &status);
  if (U_SUCCESS(status)) pm = FromIcu(buffer, n);
  udat_close(date);
  udat_close(time);
  if (U_FAILURE(status) || shortDate.empty() || longTime.empty()) return std::nullopt;
  if (longTime.find('t') == std::string::npos) am.clear(), pm.clear();
  return Complete(locale, shortDate, longTime, am, pm);
}

std::mutex g_mutex;
std::optional<RegionalFormats> g_user;

}  // namespace

RegionalFormats RegionalFormatsFor(const std::string& localeName) {
  std::string name = Normalise(localeName);
  if (name.empty() || name == "C" || name == "POSIX") name = "en_US";
  for (const auto& r : kRegions)
    if (name == r.name) return Complete(name, r.shortDate, r.longTime, r.am, r.pm);
  if (auto icu = FromIcuLocale(name)) return *icu;
  std::string language = name.substr(0, name.find('_'));
  for (const auto& r : kRegions)
    if (std::string(r.name).rfind(language + "_", 0) == 0)
      return Complete(name, r.shortDate, r.longTime, r.am, r.pm);
  return Complete(name, "yyyy-MM-dd", "HH:mm:ss", "", "");
}

const RegionalFormats& UserRegionalFormats() {
  std::lock_guard lock(g_mutex);
  if (!g_user) {
    std::string name;
    for (const char* var : {"LC_ALL", "LC_TIME", "LANG"}) {
      const char* value = std::getenv(var);
      if (value && *value) {
        name = value;
        break;
      }
    }
    g_user = RegionalFormatsFor(name);
  }
  return *g_user;
}

void ReloadUserRegionalFormats() {
  std::lock_guard lock(g_mutex);
  g_user.reset();
}

}  // namespace platform
