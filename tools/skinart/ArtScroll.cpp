// Scroll bars: the sunken track (plain and pressed), the arrow buttons with
// their arrows, and the thumbs. Vertical pieces are the horizontal drawings
// turned on their side, so both directions match pixel for pixel.
#include "Art.h"

namespace skinart {

namespace {

using namespace tone;

// A horizontal track: shaded under its top edge, lighter toward the bottom,
// every column alike so it stretches without seams.
TFrame Track(int length, int thickness, bool pressed) {
  TFrame f(length, thickness);
  const double k = pressed ? -0.1 : 0;
  for (int y = 0; y < thickness; ++y) {
    TRgb c;
    if (y == 0)
      c = {198, 172, 112};
    else if (y == 1)
      c = {224, 206, 160};
    else if (y == thickness - 1)
      c = {214, 194, 146};
    else
      c = Ramp({{0, {236, 224, 190}},
                {0.3, {246, 238, 216}},
                {0.7, {250, 245, 230}},
                {1, {242, 234, 208}}},
               double(y - 2) / std::max(1, thickness - 4));
    f.Fill(0, y, length, 1, Shade(c, k));
  }
  return f;
}

void TrackH(TCanvas& c, const TPiece& p, bool pressed) {
  DrawFrames(c, p, kCream, [=](int, int w, int h) { return Track(w, h, pressed); });
}
void TrackV(TCanvas& c, const TPiece& p, bool pressed) {
  DrawFrames(c, p, kCream, [=](int, int w, int h) { return Track(h, w, pressed).Transposed(); });
}
void Track1H(TCanvas& c, const TPiece& p) {
  TrackH(c, p, false);
}
void Track2H(TCanvas& c, const TPiece& p) {
  TrackH(c, p, true);
}
void Track1V(TCanvas& c, const TPiece& p) {
  TrackV(c, p, false);
}
void Track2V(TCanvas& c, const TPiece& p) {
  TrackV(c, p, true);
}

// Buttons and thumbs share a rounded golden body in three states; the face
// is shaded across the bar (top to bottom on a horizontal bar).
struct TBodyLook {
  TRgb outline;
  TRing inner;
  TStops face;
};

const TBodyLook kBodyLooks[3] = {
    {{160, 124, 56},
     {kWhite, 0.6, {190, 150, 70}, 0.5},
     {{0, {255, 250, 234}},
      {0.45, {244, 226, 172}},
      {0.55, {232, 206, 136}},
      {1, {240, 218, 150}}}},
    {kAmber,
     {{255, 255, 236}, 0.8, {250, 200, 90}, 0.6},
     {{0, {255, 252, 238}}, {0.45, {255, 234, 170}}, {0.55, {248, 204, 96}}, {1, {255, 222, 130}}}},
    {{112, 80, 26},
     {{140, 104, 40}, 0.45, {255, 244, 214}, 0.4},
     {{0, {214, 184, 110}}, {0.5, {222, 194, 124}}, {1, {236, 214, 154}}}},
};

// A horizontal body (face shaded top to bottom); `upright` turns it for a
// vertical bar.
TFrame Body(int state, int w, int h, bool upright) {
  if (upright) return Body(state, h, w, false).Transposed();
  const TBodyLook& look = kBodyLooks[state % 3];
  TFrame f(w, h);
  PaintBox(f, TBox{w, h, {2, 1}}, 0, 0, {Even(look.outline), look.inner}, Vertical(look.face, h));
  return f;
}

void ButtonH(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, kCream, [](int s, int w, int h) { return Body(s, w, h, false); });
}
void ButtonV(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, kCream, [](int s, int w, int h) { return Body(s, w, h, true); });
}

// Arrows are drawn pointing up in a frame of the given size; the others are
// that drawing turned or mirrored.
const TRgb kArrowColours[3] = {{110, 78, 26}, {80, 50, 8}, {70, 46, 10}};
const TPattern kUp = {"...+X+...", "..+XXX+..", ".+XXXXX+.", "+XXXXXXX+"};

TFrame UpArrow(int state, int w, int h) {
  TFrame f(w, h);
  Stamp(f, (w - 9) / 2, (h - 4) / 2, kUp, kArrowColours[state % 3]);
  return f;
}

void ArrowUp(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, kCream, [](int s, int w, int h) { return UpArrow(s, w, h); });
}
void ArrowDown(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, kCream, [](int s, int w, int h) { return UpArrow(s, w, h).FlippedY(); });
}
void ArrowLeft(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, kCream, [](int s, int w, int h) { return UpArrow(s, h, w).Transposed(); });
}
void ArrowRight(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, kCream,
             [](int s, int w, int h) { return UpArrow(s, h, w).Transposed().FlippedX(); });
}

const TPainterEntry kPainters[] = {
    {"SCROLLBAR1H", "BORDERSMASK", Track1H},   {"SCROLLBAR2H", "BORDERSMASK", Track2H},
    {"SCROLLBAR1V", "BORDERSMASK", Track1V},   {"SCROLLBAR2V", "BORDERSMASK", Track2V},
    {"SCROLLBTNTOP", "BORDERSMASK", ButtonV},  {"SCROLLBTNBOTTOM", "BORDERSMASK", ButtonV},
    {"SCROLLBTNLEFT", "BORDERSMASK", ButtonH}, {"SCROLLBTNRIGHT", "BORDERSMASK", ButtonH},
    {"SCROLLBTNTOP", "GLYPHMASK", ArrowUp},    {"SCROLLBTNBOTTOM", "GLYPHMASK", ArrowDown},
    {"SCROLLBTNLEFT", "GLYPHMASK", ArrowLeft}, {"SCROLLBTNRIGHT", "GLYPHMASK", ArrowRight},
    {"SCROLLSLIDERV", "BORDERSMASK", ButtonV}, {"SCROLLSLIDERH", "BORDERSMASK", ButtonH},
};

}  // namespace

std::span<const TPainterEntry> ScrollPainters() {
  return kPainters;
}

}  // namespace skinart
