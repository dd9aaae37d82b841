// The user's locale file, which a desktop's regional settings write
// ($XDG_CONFIG_HOME/locale.conf, else ~/.config/locale.conf; lines
// NAME=value for LANG and the LC_ variables). The desktop backend watches
// it so that a change of regional settings reaches the running program.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

namespace platform {

// The file's path; empty when neither variable names a home.
std::string LocaleFilePath();

// The LANG and LC_* settings of a locale file's text, quotes taken off;
// comments, blank lines and other names are passed over.
std::map<std::string, std::string> ParseLocaleFile(std::string_view text);

// Brings the process environment in line with a locale file: each variable
// the file names takes its value; one it named before and names no longer
// gets back the value it had before the file first named it (or none).
class LocaleEnvironment {
 public:
  // True when a variable changed.
  bool Apply(const std::map<std::string, std::string>& settings);

 private:
  std::map<std::string, std::optional<std::string>> before_;  // by name
};

// Watches the file's folder on a thread of its own and calls `changed` (on
// that thread) after each write, creation, replacement or removal of the
// file. Nothing is watched when the folder does not exist.
class LocaleFileWatch {
 public:
  LocaleFileWatch(const std::string& path, std::function<void()> changed);
  ~LocaleFileWatch();
  LocaleFileWatch(const LocaleFileWatch&) = delete;
  LocaleFileWatch& operator=(const LocaleFileWatch&) = delete;

 private:
  void Run(std::string name);

  int inotify_ = -1;
  int stop_[2] = {-1, -1};
  std::function<void()> changed_;
  std::thread thread_;
};

}  // namespace platform
