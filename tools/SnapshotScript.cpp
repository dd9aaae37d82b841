#include "SnapshotScript.h"

#include <cctype>
#include <cstdlib>

#include "platform/base/AsciiCase.h"
#include "platform/window/VirtualKeys.h"

namespace snapshot {

namespace p = platform;

namespace {

bool ParseInt(const std::string& s, int* out) {
  if (s.empty()) return false;
  char* end = nullptr;
  long v = std::strtol(s.c_str(), &end, 10);
  if (*end || v < -100000 || v > 10000000) return false;
  *out = int(v);
  return true;
}

bool ParsePoint(const std::string& s, int* x, int* y) {
  auto comma = s.find(',');
  return comma != std::string::npos && ParseInt(s.substr(0, comma), x) &&
         ParseInt(s.substr(comma + 1), y);
}

}  // namespace

int KeyCode(const std::string& raw) {
  std::string name = p::LowerCase(raw);
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
    return p::AsciiUpper(name[0]);
  if (name.size() >= 2 && name[0] == 'f') {
    int n = 0;
    if (ParseInt(name.substr(1), &n) && n >= 1 && n <= 12) return p::VK_F1 + n - 1;
  }
  struct Named {
    const char* name;
    int vk;
  };
  static const Named kNamed[] = {
      {"tab", p::VK_TAB},       {"enter", p::VK_RETURN}, {"return", p::VK_RETURN},
      {"escape", p::VK_ESCAPE}, {"esc", p::VK_ESCAPE},   {"space", p::VK_SPACE},
      {"up", p::VK_UP},         {"down", p::VK_DOWN},    {"left", p::VK_LEFT},
      {"right", p::VK_RIGHT},   {"home", p::VK_HOME},    {"end", p::VK_END},
      {"delete", p::VK_DELETE}, {"del", p::VK_DELETE},   {"backspace", p::VK_BACK},
      {"ctrl", p::VK_CONTROL},  {"shift", p::VK_SHIFT},  {"alt", p::VK_MENU},
  };
  for (const Named& n : kNamed)
    if (name == n.name) return n.vk;
  return 0;
}

std::optional<Step> ParseStep(const std::string& word, std::string* error) {
  auto colon = word.find(':');
  if (colon == std::string::npos) {
    *error =
        "'" + word +
        "' is not a step (wait:, key:, type:, click:, move:, press:, release:, rclick:, shot:)";
    return std::nullopt;
  }
  const std::string verb = p::LowerCase(word.substr(0, colon));
  const std::string arg = word.substr(colon + 1);
  Step step;
  if (verb == "wait") {
    step.kind = Step::Wait;
    if (!ParseInt(arg, &step.ms) || step.ms < 0) {
      *error = "wait needs milliseconds: '" + word + "'";
      return std::nullopt;
    }
  } else if (verb == "key") {
    step.kind = Step::Key;
    std::size_t start = 0;
    for (;;) {
      auto plus = arg.find('+', start);
      std::string part = arg.substr(start, plus == std::string::npos ? plus : plus - start);
      int vk = KeyCode(part);
      if (!vk) {
        *error = "unknown key '" + part + "' in '" + word + "'";
        return std::nullopt;
      }
      step.keys.push_back(vk);
      if (plus == std::string::npos) break;
      start = plus + 1;
    }
  } else if (verb == "type") {
    step.kind = Step::Type;
    step.text = arg;
  } else if (verb == "click" || verb == "move" || verb == "press" || verb == "release" ||
             verb == "rclick") {
    step.kind = verb == "click"     ? Step::Click
                : verb == "move"    ? Step::Move
                : verb == "press"   ? Step::Press
                : verb == "release" ? Step::Release
                                    : Step::RightClick;
    if (!ParsePoint(arg, &step.x, &step.y)) {
      *error = verb + " needs X,Y: '" + word + "'";
      return std::nullopt;
    }
  } else if (verb == "shot") {
    step.kind = Step::Shot;
    step.text = arg;
    if (arg.empty() || arg.find('/') != std::string::npos) {
      *error = "shot needs a plain file name: '" + word + "'";
      return std::nullopt;
    }
  } else {
    *error = "unknown step '" + verb + "'";
    return std::nullopt;
  }
  return step;
}

}  // namespace snapshot
