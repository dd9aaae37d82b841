// Putting glyphs on a surface. Internal to the drawing library.
#pragma once

#include <string_view>

#include "platform/gdi/FontInstance.h"
#include "platform/gdi/Painter.h"

namespace platform {

struct TextRun {
  std::string_view text;
  int x = 0, top = 0;           // surface position of the text cell's top-left corner
  const int* dx = nullptr;      // per-character advances, or the font's own
  const RECT* limit = nullptr;  // surface rectangle the text must stay inside
  bool opaque = false;          // fill the text cell with the background colour first
  bool decorate = true;         // the font's own underline and strike-out
};

// Draws a run in the context's text colour; returns its advance width.
// Glyph coverage is blended over the destination (alpha grows by the same
// coverage); pixels the glyphs do not touch keep their values.
int RenderText(Painter& p, FontInstance& font, const TextRun& run);

// A one-pixel-row line under part of a run, as the font's underline (for "&").
void RenderUnderline(Painter& p, FontInstance& font, int x0, int x1, int baseline,
                     const RECT* limit);

}  // namespace platform
