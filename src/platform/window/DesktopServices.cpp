// Clipboard, the application's task-bar title and the regional-settings
// announcement.
#include <cstdlib>

#include "platform/base/LocaleServices.h"
#include "platform/base/RegionalFormats.h"
#include "platform/window/WindowSystem.h"

namespace platform {

BOOL SetClipboardText(const std::string& text) {
  return WindowSystem::Get().backend().SetClipboardText(text) ? TRUE : FALSE;
}

std::string GetClipboardText() {
  return WindowSystem::Get().backend().GetClipboardText().value_or(std::string());
}

int GetStartupShowCommand() {
  const char* v = std::getenv("SPRINTARA_SHOW_COMMAND");
  if (!v || !*v) return SW_SHOWDEFAULT;
  char* end = nullptr;
  long n = std::strtol(v, &end, 10);
  if (*end || n < SW_HIDE || n > SW_SHOWDEFAULT) return SW_SHOWDEFAULT;
  return int(n);
}

void SetApplicationTitle(const std::string& title) {
  auto& ws = WindowSystem::Get();
  ws.applicationTitle = title;
  ws.backend().SetApplicationTitle(title);
}

void AnnounceRegionalSettingsChange() {
  // The locale and its formats are re-read first so every window sees the
  // new ones.
  ResetLocaleCache();
  ReloadUserRegionalFormats();
  static const char kIntl[] = "intl";
  SendMessage(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(kIntl));
}

}  // namespace platform
