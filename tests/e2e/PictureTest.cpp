// The whole console on the headless screen against a reviewed reference
// picture. Everything but text must match to the pixel; text may differ where
// a machine's fonts draw glyphs differently, and only there. Where text lies
// is learnt from a second picture taken with glyphs turned off, for the
// reference and for this run alike.
//
// Regenerate the references with: bash scripts/picture-reference.sh
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"

namespace p = platform;
namespace fs = std::filesystem;

namespace {

// Keep in step with scripts/picture-reference.sh.
const char* const kSteps = "wait:400 shot:console";

p::SurfaceBuffer Take(const std::string& tag, bool glyphs) {
  const fs::path dir =
      fs::temp_directory_path() / ("sprintara-picture-" + std::to_string(::getpid()) + "-" + tag);
  fs::remove_all(dir);
  const std::string cmd = std::string(SNAPSHOT_EXE) + " --out " + dir.string() +
                          (glyphs ? " " : " --no-glyphs ") + kSteps + " > /dev/null";
  p::SurfaceBuffer s;
  if (std::system(cmd.c_str()) == 0) p::ReadPng((dir / "console.png").string(), &s);
  fs::remove_all(dir);
  return s;
}

p::SurfaceBuffer Reference(const std::string& name) {
  p::SurfaceBuffer s;
  p::ReadPng(std::string(REFERENCE_DIR) + "/" + name, &s);
  return s;
}

std::uint32_t Rgb(const p::SurfaceBuffer& s, int x, int y) {
  return s.At(x, y) & 0xFFFFFFu;
}

// Pixels where the picture with text differs from the one without, grown by
// one pixel on every side for the soft edges of glyphs.
std::vector<bool> TextMask(const p::SurfaceBuffer& text, const p::SurfaceBuffer& glyphless) {
  const int w = text.Width(), h = text.Height();
  std::vector<bool> mask(std::size_t(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (Rgb(text, x, y) == Rgb(glyphless, x, y)) continue;
      for (int yy = std::max(0, y - 1); yy <= std::min(h - 1, y + 1); ++yy)
        for (int xx = std::max(0, x - 1); xx <= std::min(w - 1, x + 1); ++xx)
          mask[std::size_t(yy) * w + xx] = true;
    }
  return mask;
}

// Writes a picture of a failed comparison next to the build for a look.
std::string Keep(p::SurfaceBuffer s, const std::string& name) {
  const fs::path path = fs::temp_directory_path() / ("sprintara-picture-" + name);
  p::WritePng(path.string(), s.View());
  return path.string();
}

}  // namespace

TEST(Picture, ConsoleAtRestMatchesTheReference) {
  const p::SurfaceBuffer ref = Reference("console.png");
  const p::SurfaceBuffer refGlyphless = Reference("console-glyphless.png");
  ASSERT_GT(ref.Width(), 0) << "no reference picture: run bash scripts/picture-reference.sh";
  ASSERT_EQ(ref.Width(), refGlyphless.Width());
  const p::SurfaceBuffer now = Take("text", true);
  const p::SurfaceBuffer nowGlyphless = Take("glyphless", false);
  ASSERT_EQ(now.Width(), ref.Width());
  ASSERT_EQ(now.Height(), ref.Height());
  ASSERT_EQ(nowGlyphless.Width(), ref.Width());
  const int w = ref.Width(), h = ref.Height();

  // Without glyphs the pictures are the same to the pixel.
  int shapeDiffs = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) shapeDiffs += Rgb(nowGlyphless, x, y) != Rgb(refGlyphless, x, y);
  EXPECT_EQ(shapeDiffs, 0) << "differences outside text; this run: "
                           << Keep(nowGlyphless, "glyphless.png");

  // With glyphs they differ only where text lies in either.
  const auto mask = TextMask(now, nowGlyphless), refMask = TextMask(ref, refGlyphless);
  int outside = 0, textPixels = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::size_t i = std::size_t(y) * w + x;
      textPixels += mask[i];
      if (Rgb(now, x, y) != Rgb(ref, x, y) && !mask[i] && !refMask[i]) ++outside;
    }
  EXPECT_EQ(outside, 0) << "text where the reference has none; this run: "
                        << Keep(now, "console.png");
  // The console shows text (title, lanes, groups, clock): a run without any
  // would pass the comparison above vacuously.
  EXPECT_GT(textPixels, 5000);
}
