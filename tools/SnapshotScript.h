// The script of sprintara-snapshot: steps given on its command line.
//
//   wait:MS        let MS milliseconds of (virtual) time pass
//   key:COMBO      press and release a key: ctrl+d, alt+f4, tab, shift+tab,
//                  enter, escape, space, f1..f12, a..z, 0..9, up, down, ...
//   type:TEXT      type text
//   click:X,Y      left click at a screen point
//   move:X,Y       move the mouse to a screen point
//   press:X,Y      press the left button there and keep it held
//   release:X,Y    release the left button there
//   rclick:X,Y     right click at a screen point
//   shot:NAME      write the screen to NAME.png in the output folder
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace snapshot {

struct Step {
  enum Kind { Wait, Key, Type, Click, Move, Press, Release, RightClick, Shot } kind = Wait;
  int ms = 0;
  std::vector<int> keys;  // modifiers first, the key last
  std::string text;
  int x = 0, y = 0;
};

// Parses one step; nullopt (and an explanation in `error`) when malformed.
std::optional<Step> ParseStep(const std::string& word, std::string* error);

// The virtual-key code of a key name ("d", "f4", "tab"); 0 when unknown.
int KeyCode(const std::string& name);

}  // namespace snapshot
