// sprintara-skinart: draws the master bitmap of the stored skin "Golden
// (internal)" (189 x 403, 8 bits per pixel) from the piece rectangles of
// resources/GoldenSkin.sdesc, and puts the skin into a window description.
//
//   sprintara-skinart [--skin SKIN] [--bmp FILE] [--png FILE [--scale K]]
//                     [--description IN OUT]
//
// --bmp writes the bitmap file; --png an enlarged copy for looking at (K
// times, 4 unless given); --description copies IN to OUT with its line
// "// InternalSkins: ..." replaced by the skin, bitmap blocks filled in.
// SKIN defaults to the source tree's resources/GoldenSkin.sdesc. As a build
// step, after the lane board has been drawn into the description:
//
//   add_custom_command(OUTPUT ${app_resources}/Main.sdesc
//     COMMAND sprintara-laneboard --description ${PROJECT_SOURCE_DIR}/resources/Main.sdesc
//             ${app_resources}/Main.board.sdesc
//     COMMAND sprintara-skinart --skin ${PROJECT_SOURCE_DIR}/resources/GoldenSkin.sdesc
//             --description ${app_resources}/Main.board.sdesc ${app_resources}/Main.sdesc
//     DEPENDS sprintara-laneboard sprintara-skinart ${PROJECT_SOURCE_DIR}/resources/Main.sdesc
//             ${PROJECT_SOURCE_DIR}/resources/GoldenSkin.sdesc
//     VERBATIM)
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "Art.h"
#include "Canvas.h"
#include "PieceTable.h"
#include "Splice.h"

namespace {

using namespace skinart;

void WriteFile(const std::string& path, const void* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(static_cast<const char*>(data), std::streamsize(size));
  out.close();
  if (!out) throw TSkinArtError("cannot write " + path);
}

int Usage() {
  std::fprintf(stderr,
               "usage: sprintara-skinart [--skin SKIN] [--bmp FILE] [--png FILE [--scale K]]\n"
               "                         [--description IN OUT]\n"
               "SKIN is the stored skin's text (default %s).\n",
               SKINART_DEFAULT_SKIN);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string skin = SKINART_DEFAULT_SKIN, bmp, png, in, out;
  int scale = 4;
  for (int i = 1; i < argc; ++i) {
    const char* a = argv[i];
    const bool one = i + 1 < argc;
    if (!std::strcmp(a, "--skin") && one) {
      skin = argv[++i];
    } else if (!std::strcmp(a, "--bmp") && one) {
      bmp = argv[++i];
    } else if (!std::strcmp(a, "--png") && one) {
      png = argv[++i];
    } else if (!std::strcmp(a, "--scale") && one) {
      char* end = nullptr;
      const long k = std::strtol(argv[++i], &end, 10);
      if (*end || k < 1 || k > 16) {
        std::fprintf(stderr, "sprintara-skinart: --scale takes a whole number from 1 to 16\n");
        return 2;
      }
      scale = int(k);
    } else if (!std::strcmp(a, "--description") && i + 2 < argc) {
      in = argv[++i];
      out = argv[++i];
    } else {
      return Usage();
    }
  }
  if (bmp.empty() && png.empty() && in.empty()) return Usage();
  try {
    const std::string skinText = ReadFile(skin);
    const TIndexedPicture picture = Quantize(DrawMasterBitmap(ReadPieces(skinText, skin)));
    const std::vector<std::uint8_t> file = EncodeBmp8(picture);
    if (!bmp.empty()) WriteFile(bmp, file.data(), file.size());
    if (!png.empty() && !WriteScaledPng(picture, scale, png))
      throw TSkinArtError("cannot write " + png);
    if (!in.empty()) {
      const std::string filled = FillSkin(skinText, StoredBitmapData(file), skin);
      const std::string text = SpliceSkin(ReadFile(in), filled, in);
      WriteFile(out, text.data(), text.size());
    }
  } catch (const TSkinArtError& e) {
    std::fprintf(stderr, "sprintara-skinart: %s\n", e.what());
    return 1;
  }
  return 0;
}
