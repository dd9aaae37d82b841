// The US keyboard layout: what the window system types by when a display
// hands it keys alone (the headless screen), and what a test driver uses to
// type text as key presses.
#pragma once

namespace platform {

struct UsKey {
  int vk = 0;  // 0: no key types the character
  bool shift = false;
};

// The printable character a digit, space or punctuation key gives with or
// without Shift (letters follow Caps Lock too, so they are the caller's);
// 0 for other keys.
unsigned UsPunctuationChar(int vk, bool shift);

// The key, and whether Shift is held, that types a character: letters,
// digits, punctuation, space, and Enter, Tab, Backspace and Escape.
UsKey UsKeyForChar(unsigned char c);

}  // namespace platform
