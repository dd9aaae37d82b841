#include "platform/window/UsLayout.h"

#include <iterator>

#include "platform/window/VirtualKeys.h"

namespace platform {

namespace {

struct Pair {
  int vk;
  char plain, shifted;
};

constexpr Pair kPunctuation[] = {
    {VK_OEM_1, ';', ':'},     {VK_OEM_PLUS, '=', '+'},   {VK_OEM_COMMA, ',', '<'},
    {VK_OEM_MINUS, '-', '_'}, {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},
    {VK_OEM_3, '`', '~'},     {VK_OEM_4, '[', '{'},      {VK_OEM_5, '\\', '|'},
    {VK_OEM_6, ']', '}'},     {VK_OEM_7, '\'', '"'},     {VK_SPACE, ' ', ' '},
    {'0', '0', ')'},          {'1', '1', '!'},           {'2', '2', '@'},
    {'3', '3', '#'},          {'4', '4', '$'},           {'5', '5', '%'},
    {'6', '6', '^'},          {'7', '7', '&'},           {'8', '8', '*'},
    {'9', '9', '('}};

}  // namespace

unsigned UsPunctuationChar(int vk, bool shift) {
  for (const Pair& p : kPunctuation)
    if (p.vk == vk) return static_cast<unsigned char>(shift ? p.shifted : p.plain);
  return 0;
}

UsKey UsKeyForChar(unsigned char c) {
  if (c >= 'a' && c <= 'z') return {c - 'a' + 'A', false};
  if (c >= 'A' && c <= 'Z') return {int(c), true};
  switch (c) {
    case '\r':
    case '\n':
      return {VK_RETURN, false};
    case '\t':
      return {VK_TAB, false};
    case 8:
      return {VK_BACK, false};
    case 27:
      return {VK_ESCAPE, false};
  }
  for (const Pair& p : kPunctuation) {
    if (c == static_cast<unsigned char>(p.plain)) return {p.vk, false};
    if (c == static_cast<unsigned char>(p.shifted)) return {p.vk, true};
  }
  return {};
}

}  // namespace platform
