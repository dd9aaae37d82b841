// Whether text output puts its glyphs (and their underline and strike-out)
// on the surface. Pictures compared across machines turn them off once to
// learn where text lies, since glyph shapes may differ with the fonts a
// machine has while everything else must not.
#pragma once

namespace platform {

void SetGlyphsVisible(bool visible);
bool GlyphsVisible();

}  // namespace platform
