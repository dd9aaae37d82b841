#include "platform/backends/desktop/LocaleFile.h"

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace platform {

std::string LocaleFilePath() {
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/')
    return std::string(config) + "/locale.conf";
  if (const char* home = std::getenv("HOME"); home && *home)
    return std::string(home) + "/.config/locale.conf";
  return {};
}

std::map<std::string, std::string> ParseLocaleFile(std::string_view text) {
  std::map<std::string, std::string> out;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
      line.remove_suffix(1);
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos || line.front() == '#') continue;
    const std::string_view name = line.substr(0, eq);
    if (name != "LANG" && name.rfind("LC_", 0) != 0) continue;
    if (name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ_") != std::string_view::npos) continue;
    std::string_view value = line.substr(eq + 1);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    out[std::string(name)] = std::string(value);
  }
  return out;
}

bool LocaleEnvironment::Apply(const std::map<std::string, std::string>& settings) {
  bool changed = false;
  auto set = [&](const std::string& name, const std::optional<std::string>& value) {
    const char* now = std::getenv(name.c_str());
    if (value ? (now && *value == now) : !now) return;
    if (value)
      setenv(name.c_str(), value->c_str(), 1);
    else
      unsetenv(name.c_str());
    changed = true;
  };
  for (const auto& [name, value] : settings) {
    if (!before_.count(name)) {
      const char* now = std::getenv(name.c_str());
      before_[name] = now ? std::optional<std::string>(now) : std::nullopt;
    }
    set(name, value);
  }
  for (const auto& [name, value] : before_)
    if (!settings.count(name)) set(name, value);
  return changed;
}

LocaleFileWatch::LocaleFileWatch(const std::string& path, std::function<void()> changed)
    : changed_(std::move(changed)) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos || pipe(stop_) != 0) return;
  inotify_ = inotify_init1(IN_CLOEXEC);
  // The folder is watched rather than the file: settings programs replace
  // the file, and it may not exist yet.
  if (inotify_ < 0 ||
      inotify_add_watch(inotify_, path.substr(0, slash).c_str(),
                        IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_DELETE | IN_MOVED_FROM) < 0)
    return;
  thread_ = std::thread(&LocaleFileWatch::Run, this, path.substr(slash + 1));
}

LocaleFileWatch::~LocaleFileWatch() {
  if (thread_.joinable()) {
    [[maybe_unused]] ssize_t n = write(stop_[1], "q", 1);
    thread_.join();
  }
  for (int fd : {inotify_, stop_[0], stop_[1]})
    if (fd >= 0) close(fd);
}

void LocaleFileWatch::Run(std::string name) {
  alignas(inotify_event) char buffer[4096];
  for (;;) {
    pollfd fds[2] = {{inotify_, POLLIN, 0}, {stop_[0], POLLIN, 0}};
    if (poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (fds[1].revents) return;
    const ssize_t n = read(inotify_, buffer, sizeof buffer);
    if (n <= 0) continue;
    bool ours = false;
    for (ssize_t at = 0; at < n;) {
      const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
      ours = ours || (e->len > 0 && name == e->name);
      at += ssize_t(sizeof(inotify_event) + e->len);
    }
    if (ours) changed_();
  }
}

}  // namespace platform
