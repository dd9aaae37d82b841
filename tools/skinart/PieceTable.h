// The image pieces of a stored skin, read from its description text (the
// "InternalSkins = < item ... end>" property). The master bitmap is drawn
// from this list, so its pictures sit exactly where the skin says.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace skinart {

// Anything that stops the tool: a message for the person running it.
class TSkinArtError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TPiece {
  std::string section;   // SectionName
  std::string property;  // PropertyName
  int left = 0, top = 0, right = 0, bottom = 0;
  int imageCount = 0;
  int maskType = 0;
  int borderWidth = 0;
  int line = 0;  // where the item starts in the skin text

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  int FrameWidth() const { return imageCount > 0 ? Width() / imageCount : 0; }
  int PictureHeight() const { return Height() / (maskType + 1); }
};

// The Images items of the first stored skin in `skinText`. Throws
// TSkinArtError naming `fileName` and the line when the text cannot be read.
std::vector<TPiece> ReadPieces(std::string_view skinText, std::string_view fileName);

std::string ReadFile(const std::string& path);  // throws TSkinArtError

}  // namespace skinart
