// Containers and bars: raised and sunken panels, tool and status bars,
// dividers and splitters, the drag bar, tabs and tab panes, progress bars
// and gauges, and the track bar's channel and thumbs.
#include "Art.h"

namespace skinart {

namespace {

using namespace tone;

constexpr TRgb kPaneLine{160, 122, 52};

// A square box of two rings over a fill: the common frame of containers.
template <typename Fill>
void Framed(TCanvas& c, const TPiece& p, std::vector<TRing> rings, Fill fill) {
  DrawFrames(c, p, kCream, [&](int, int w, int h) {
    TFrame f(w, h);
    PaintBox(f, TBox{w, h, {}}, 0, 0, rings, fill(w, h));
    return f;
  });
}

auto Flat(TRgb c) {
  return [c](int, int) { return Solid(c); };
}
auto Down(TStops stops) {
  return [stops](int, int h) { return Vertical(stops, h); };
}

const std::vector<TRing> kSunken = {TRing{{168, 134, 66}, 1, {244, 234, 206}, 1},
                                    TRing{{212, 190, 136}, 1, {252, 248, 236}, 1}};

void Panel(TCanvas& c, const TPiece& p) {
  Framed(
      c, p,
      {TRing{{255, 252, 240}, 1, {150, 116, 52}, 1}, TRing{{248, 238, 206}, 1, {204, 176, 110}, 1}},
      Down({{0, {250, 243, 222}}, {1, {228, 208, 154}}}));
}
void LowPanel(TCanvas& c, const TPiece& p) {
  Framed(c, p, kSunken, Flat({240, 230, 200}));
}
void Toolbar(TCanvas& c, const TPiece& p) {
  Framed(
      c, p,
      {TRing{{255, 253, 244}, 1, {184, 154, 90}, 1}, TRing{{252, 246, 228}, 1, {220, 198, 140}, 1}},
      Down({{0, {252, 246, 228}}, {1, {224, 202, 142}}}));
}
void Divider(TCanvas& c, const TPiece& p) {
  Framed(
      c, p,
      {TRing{{176, 146, 84}, 1, {255, 250, 236}, 1}, TRing{{255, 250, 236}, 1, {176, 146, 84}, 1}},
      Flat(kCream));
}
void Splitter(TCanvas& c, const TPiece& p) {
  Framed(
      c, p,
      {TRing{{246, 228, 176}, 1, {150, 112, 46}, 1}, TRing{{232, 206, 140}, 1, {188, 152, 80}, 1}},
      Flat({214, 192, 126}));
}
void TabPane(TCanvas& c, const TPiece& p) {
  Framed(c, p, {Even(kPaneLine), TRing{{255, 252, 240}, 1, {222, 200, 146}, 1}},
         Flat({250, 243, 222}));
}
void TabSheet(TCanvas& c, const TPiece& p) {
  Framed(c, p, {Even({226, 208, 160}), TRing{{255, 253, 246}, 1, {240, 230, 204}, 1}},
         Flat({250, 244, 226}));
}
void Trough(TCanvas& c, const TPiece& p) {
  Framed(c, p, kSunken, Flat({245, 238, 215}));
}

// A status bar has only a separating line on top.
void StatusBar(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, kCream, [](int, int w, int h) {
    TFrame f(w, h);
    TBox box{w, h, {}};
    box.openLeft = box.openRight = box.openBottom = true;
    PaintBox(f, box, 0, 0, {Even({176, 146, 84}), Even({255, 248, 228})},
             Vertical({{0, {238, 222, 174}}, {1, {214, 190, 124}}}, h));
    return f;
  });
}

void DragBar(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, kCream, [](int, int w, int h) {
    TFrame f(w, h);
    PaintBox(f, TBox{w, h, {}}, 0, 0, {TRing{{255, 248, 224}, 1, {150, 116, 52}, 1}},
             Horizontal({{0, {246, 232, 190}}, {1, {214, 186, 112}}}, w));
    return f;
  });
}

// Raised dots, each dark with a light shadow, in a grid or on a diagonal.
void Dot(TFrame& f, int x, int y, TRgb c) {
  f.Fill(x + 1, y + 1, 2, 2, kIvory, 0.9);
  f.Fill(x, y, 2, 2, c);
}

const TRgb kDotColours[3] = {{140, 104, 40}, {100, 70, 20}, {80, 56, 14}};

void DragGlyph(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, TRgb{230, 210, 150}, [](int s, int w, int h) {
    TFrame f(w, h);
    for (int y = 1; y + 2 < h; y += 4)
      for (int x = 1; x + 2 < w; x += 4) Dot(f, x, y, kDotColours[s % 3]);
    return f;
  });
}

void StatusGrip(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, TRgb{214, 190, 124}, [](int, int w, int h) {
    TFrame f(w, h);
    for (int y = h - 3; y >= 0; y -= 4)
      for (int x = w - 3; x >= 0; x -= 4)
        if (x + y >= w + h - 14) Dot(f, x, y, kBrown);
    return f;
  });
}

// The filled part of a progress bar: amber, lit at its top edge and shaded
// at its bottom, even in the middle third, which repeats on thicker bars.
TFrame Progress(int length, int thickness) {
  TFrame f(length, thickness);
  PaintBox(f, TBox{length, thickness, {}}, 0, 0,
           {Even({176, 124, 24}), TRing{{255, 232, 160}, 0.8, {220, 160, 40}, 0.6}},
           Vertical({{0, {255, 234, 160}},
                     {0.34, {244, 196, 72}},
                     {0.66, {244, 196, 72}},
                     {1, {222, 156, 36}}},
                    thickness));
  return f;
}

void ProgressH(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, kCream, [](int, int w, int h) { return Progress(w, h); });
}
void ProgressV(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, kCream, [](int, int w, int h) { return Progress(h, w).Transposed(); });
}

// A tab standing on the top edge of its pane (its base open), drawn in the
// normal, hot and selected states; the other sides' tabs are this drawing
// turned or mirrored. Unselected tabs keep the pane's line along their base.
TFrame TopTab(int state, int w, int h) {
  TFrame f(w, h);
  TBox box{w, h, {2, 1}};
  box.openBottom = true;
  const TRgb outlines[3] = {kPaneLine, {176, 124, 30}, {140, 104, 40}};
  const TRing inner[3] = {{kWhite, 0.55, {200, 168, 96}, 0.4},
                          {{255, 226, 140}, 0.8, {250, 200, 90}, 0.6},
                          {kWhite, 0.7, {220, 190, 120}, 0.4}};
  PaintBox(f, box, 0, 0, {Even(outlines[state]), inner[state]}, Clear());
  if (state == 2) {
    // The selected tab wears a golden stripe along its top.
    for (int x = 2; x < w - 2; ++x) {
      f.Over(x, 1, {232, 168, 40}, 1);
      f.Over(x, 2, {246, 204, 110}, 0.7);
    }
  } else {
    f.Fill(0, h - 1, w, 1, kPaneLine);
  }
  return f;
}

void TabTop(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, kCream, [](int s, int w, int h) { return TopTab(s % 3, w, h); });
}
void TabBottom(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, kCream, [](int s, int w, int h) { return TopTab(s % 3, w, h).FlippedY(); });
}
void TabLeft(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, kCream, [](int s, int w, int h) { return TopTab(s % 3, h, w).Transposed(); });
}
void TabRight(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, kCream,
             [](int s, int w, int h) { return TopTab(s % 3, h, w).Transposed().FlippedX(); });
}

void SliderChannel(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, kCream, [](int, int w, int h) {
    TFrame f(w, h);
    PaintBox(f, TBox{w, h, {1}}, 0, 0,
             {TRing{{160, 126, 60}, 1, {255, 250, 236}, 1},
              TRing{{206, 184, 130}, 1, {240, 230, 204}, 1}},
             Solid({236, 226, 196}));
    return f;
  });
}

// The track bar's thumb, upright, with three grip lines across its middle.
const TRgb kThumbOutlines[3] = {{150, 112, 44}, kAmber, {108, 76, 24}};
const TStops kThumbFaces[3] = {
    {{0, {255, 248, 226}}, {0.5, {238, 214, 150}}, {1, {226, 196, 120}}},
    {{0, {255, 252, 236}}, {0.5, {255, 226, 150}}, {1, {246, 200, 96}}},
    {{0, {214, 184, 110}}, {1, {236, 214, 154}}},
};

TFrame Thumb(int state, int w, int h) {
  TFrame f(w, h);
  PaintBox(f, TBox{w, h, {1}}, 0, 0,
           {Even(kThumbOutlines[state]), TRing{kWhite, 0.6, {190, 150, 70}, 0.5}},
           Horizontal(kThumbFaces[state], w));
  for (int i = -1; i <= 1; ++i) {
    const int y = h / 2 + 2 * i;
    for (int x = 2; x < w - 2; ++x) {
      f.Over(x, y, kBrown, 0.7);
      f.Over(x, y + 1, kWhite, 0.6);
    }
  }
  return f;
}

void SliderThumb(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, kCream, [](int s, int w, int h) { return Thumb(s % 3, w, h); });
}
void SliderThumbV(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, kCream, [](int s, int w, int h) { return Thumb(s % 3, h, w).Transposed(); });
}

const TPainterEntry kPainters[] = {
    {"PANEL", "BORDERSMASK", Panel},
    {"PANEL_LOW", "BORDERSMASK", LowPanel},
    {"TOOLBAR", "BORDERSMASK", Toolbar},
    {"STATUSBAR", "BORDERSMASK", StatusBar},
    {"STATUSBAR", "GRIPIMAGE", StatusGrip},
    {"DIVIDER", "BORDERSMASK", Divider},
    {"SPLITTER", "BORDERSMASK", Splitter},
    {"DRAGBAR", "BORDERSMASK", DragBar},
    {"DRAGBAR", "GLYPHMASK", DragGlyph},
    {"PROGRESSH", "BORDERSMASK", Trough},
    {"PROGRESSV", "BORDERSMASK", Trough},
    {"GAUGE", "BORDERSMASK", Trough},
    {"PROGRESSH", "GAUGEPROGRESSMASK", ProgressH},
    {"PROGRESSV", "GAUGEPROGRESSMASK", ProgressV},
    {"GAUGE", "GAUGEPROGRESSMASK", ProgressH},
    {"TABTOP", "BORDERSMASK", TabTop},
    {"TABBOTTOM", "BORDERSMASK", TabBottom},
    {"TABLEFT", "BORDERSMASK", TabLeft},
    {"TABRIGHT", "BORDERSMASK", TabRight},
    {"TABCONTROL", "BORDERSMASK", TabPane},
    {"TABSHEET", "BORDERSMASK", TabSheet},
    {"TRACKBAR", "SLIDERCHANNEL", SliderChannel},
    {"TRACKBAR", "SLIDERMASK", SliderThumb},
    {"TRACKBAR", "SLIDERVMASK", SliderThumbV},
};

}  // namespace

std::span<const TPainterEntry> PanelPainters() {
  return kPainters;
}

}  // namespace skinart
