// The user's regional date and time formats, as a classic desktop reports them.
#pragma once

#include <string>

namespace platform {

struct RegionalFormats {
  std::string localeName;       // "en_US"
  std::string shortDateFormat;  // "M/d/yyyy": d, dd, M, MM, yy, yyyy and the separator
  char dateSeparator = '/';
  std::string longTimeFormat;  // "h:mm:ss tt": h/hh (12-hour), H/HH (24-hour), mm, ss, tt
  char timeSeparator = ':';
  std::string timeAMString;  // "AM"; empty in 24-hour regions
  std::string timePMString;
  bool hourLeadingZero = false;  // hours shown as "09"
  bool twentyFourHour = false;   // 24-hour clock
  bool markerFirst = false;      // AM/PM marker before the time
};

// Formats of a named locale ("de_DE", "en-GB", "fr_FR.UTF-8"); unknown names fall
// back to the language's formats, then to a neutral ISO-like set.
RegionalFormats RegionalFormatsFor(const std::string& localeName);

// The user's formats from the environment (LC_ALL, LC_TIME, LANG; en-US when
// unset or "C"). Read once and cached; the reference stays valid until
// ReloadUserRegionalFormats() makes the next call read the environment again.
const RegionalFormats& UserRegionalFormats();
void ReloadUserRegionalFormats();

}  // namespace platform
