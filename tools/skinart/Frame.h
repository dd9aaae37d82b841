// One state frame of a skin piece while it is being drawn: colours with
// coverage, and "cut" pixels that become fuchsia (transparent, and cut out
// of a button's window region). Frames are drawn at full precision and only
// reduced to the 8-bit picture when they are put into the master bitmap.
#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace skinart {

struct TRgb {
  double r = 0, g = 0, b = 0;
};

TRgb Mix(TRgb a, TRgb b, double t);  // t = 0 gives a, 1 gives b
TRgb Shade(TRgb c, double k);        // k < 0 darkens toward black, k > 0 lightens toward white

// A colour ramp through stops (position 0..1, colour), positions ascending.
using TStops = std::vector<std::pair<double, TRgb>>;
TRgb Ramp(const TStops& stops, double t);

struct TPaint {
  TRgb color;
  double alpha = 0;  // 1 opaque, 0 shows what lies below
  bool cut = true;
};

class TFrame {
 public:
  TFrame(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  const TPaint& At(int x, int y) const { return pixels_[std::size_t(y) * width_ + x]; }

  // Drawing outside the frame is clipped away.
  void Cut(int x, int y);
  void Set(int x, int y, TRgb c, double alpha = 1);
  void Over(int x, int y, TRgb c, double alpha);  // composited over what is there
  void Fill(int x, int y, int w, int h, TRgb c, double alpha = 1);

  TFrame FlippedX() const;
  TFrame FlippedY() const;
  TFrame Transposed() const;

 private:
  int width_, height_;
  std::vector<TPaint> pixels_;
};

// A box with rounded corners, the shape of most pieces. The corner profile
// gives, row by row from each corner, how many pixels lie outside the shape
// ({4, 2, 1, 1} is a round corner of radius 6). An open side continues past
// the frame: it has no outline and its corners are square (a tab's base).
struct TBox {
  int width = 0, height = 0;
  std::vector<int> profile;
  bool openLeft = false, openTop = false, openRight = false, openBottom = false;
};

// Ring colours from the outline inward: the light colour on the top and
// left sides, the dark one on the bottom and right.
struct TRing {
  TRgb light;
  double lightAlpha = 1;
  TRgb dark;
  double darkAlpha = 1;
};
inline TRing Even(TRgb c, double alpha = 1) {
  return TRing{c, alpha, c, alpha};
}

using TFill = std::function<TPaint(int x, int y)>;
TFill Solid(TRgb c, double alpha = 1);
TFill Clear();
TFill Vertical(std::function<TRgb(double)> ramp, int height);
TFill Horizontal(std::function<TRgb(double)> ramp, int width);
TFill Vertical(TStops stops, int height);
TFill Horizontal(TStops stops, int width);

// Ring number of each box pixel: 0 outside, 1 the outline, 2 the next ring.
std::vector<int> BoxLayers(const TBox& box);

// Paints the box at (dx, dy): outside pixels are cut, the rings are laid
// over the fill.
void PaintBox(TFrame& f, const TBox& box, int dx, int dy, const std::vector<TRing>& rings,
              const TFill& fill);

// The corner profile of a circle of the given diameter, for round boxes and
// radio buttons.
std::vector<int> CircleProfile(int diameter);

// A small pixel pattern: 'X' pixels get the colour, '+' pixels half of it,
// any other character leaves the frame alone.
using TPattern = std::vector<const char*>;
void Stamp(TFrame& f, int x, int y, const TPattern& rows, TRgb c, double alpha = 1);

}  // namespace skinart
