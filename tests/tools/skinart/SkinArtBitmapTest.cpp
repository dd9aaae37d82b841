// The master bitmap of the stored skin as sprintara-skinart draws it from
// resources/GoldenSkin.sdesc: its file form, and where it is transparent.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "Art.h"
#include "Canvas.h"
#include "PieceTable.h"
#include "platform/gdi/Bmp.h"

using namespace skinart;

namespace {

constexpr std::uint32_t kFuchsiaPixel = 0xFFFF00FF;  // opaque fuchsia as decoded

struct TDrawn {
  std::vector<TPiece> pieces;
  std::vector<std::uint8_t> file;
  platform::SurfaceBuffer picture;
};

// Drawn once: every test looks at the same picture.
const TDrawn& Drawn() {
  static const TDrawn drawn = [] {
    TDrawn d;
    d.pieces = ReadPieces(ReadFile(GOLDEN_SKIN), GOLDEN_SKIN);
    d.file = EncodeBmp8(Quantize(DrawMasterBitmap(d.pieces)));
    std::string error;
    if (!platform::ReadBmp(d.file, &d.picture, &error)) ADD_FAILURE() << error;
    return d;
  }();
  return drawn;
}

bool Fuchsia(int x, int y) {
  return Drawn().picture.At(x, y) == kFuchsiaPixel;
}

const TPiece& Piece(const std::string& section, const std::string& property) {
  for (const TPiece& p : Drawn().pieces)
    if (p.section == section && p.property == property) return p;
  throw std::runtime_error("no piece " + section + "/" + property);
}

std::vector<const TPiece*> DrawnPieces() {
  std::vector<const TPiece*> list;
  for (const TPiece& p : Drawn().pieces)
    if (p.imageCount > 0) list.push_back(&p);
  return list;
}

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}

}  // namespace

TEST(SkinArtBitmap, IsAn8BitBmpOfTheMasterSize) {
  const TDrawn& d = Drawn();
  ASSERT_GT(d.file.size(), 54u);
  EXPECT_EQ(d.file[0], 'B');
  EXPECT_EQ(d.file[1], 'M');
  EXPECT_EQ(Le32(d.file, 2), d.file.size());
  EXPECT_EQ(d.file[28], 8);  // bits per pixel
  EXPECT_EQ(d.picture.Width(), 189);
  EXPECT_EQ(d.picture.Height(), 403);
  // Stored as a bitmap property: the file's length, then the file.
  const std::vector<std::uint8_t> stored = StoredBitmapData(d.file);
  EXPECT_EQ(Le32(stored, 0), d.file.size());
  EXPECT_TRUE(std::equal(d.file.begin(), d.file.end(), stored.begin() + 4));
}

TEST(SkinArtBitmap, TitleCornersAreRoundAndTheFrameIsSolid) {
  const TPiece& title = Piece("FORMTITLE", "BORDERSMASK");
  const int right = title.left + 23;
  const int runs[8] = {4, 2, 1, 1, 0, 0, 0, 0};
  for (int row = 0; row < 8; ++row)
    for (int i = 0; i < 8; ++i) {
      const int y = title.top + row;
      EXPECT_EQ(Fuchsia(title.left + i, y), i < runs[row]) << "left, row " << row << " col " << i;
      EXPECT_EQ(Fuchsia(right - i, y), i < runs[row]) << "right, row " << row << " col " << i;
    }
  const TPiece& form = Piece("FORM", "BORDERSMASK");
  for (int y = form.top; y < form.bottom; ++y)
    for (int x = form.left; x < form.right; ++x) ASSERT_FALSE(Fuchsia(x, y)) << x << "," << y;
}

TEST(SkinArtBitmap, MasksAreGreyAndFuchsiaOnlyKeepsTheBackground) {
  for (const TPiece* p : DrawnPieces()) {
    if (p->maskType != 1) continue;
    const int h = p->PictureHeight();
    for (int y = p->top; y < p->top + h; ++y)
      for (int x = p->left; x < p->right; ++x) {
        const std::uint32_t mask = Drawn().picture.At(x, y + h);
        const std::uint32_t b = mask & 0xFF;
        ASSERT_EQ(mask & 0xFFFFFF, b * 0x010101) << p->section << "/" << p->property;
        if (Fuchsia(x, y)) {
          ASSERT_EQ(b, 255u) << p->section << "/" << p->property;
        }
      }
  }
}

// Plain pieces are copied opaquely except at their corners: fuchsia in an
// edge or the centre would be painted as it is.
TEST(SkinArtBitmap, PlainBordersAreTransparentOnlyInTheirCorners) {
  for (const TPiece* p : DrawnPieces()) {
    if (p->maskType != 0 || p->property != "BORDERSMASK") continue;
    const int w = p->Width() / (3 * p->imageCount), h = p->Height() / 3;
    for (int s = 0; s < p->imageCount; ++s)
      for (int y = 0; y < p->Height(); ++y)
        for (int x = 0; x < 3 * w; ++x) {
          const bool corner = (x < w || x >= 2 * w) && (y < h || y >= 2 * h);
          if (!corner) {
            ASSERT_FALSE(Fuchsia(p->left + s * 3 * w + x, p->top + y))
                << p->section << " frame " << s << " at " << x << "," << y;
          }
        }
  }
  // An edit's centre is white, tiled under the text.
  const TPiece& edit = Piece("EDIT", "BORDERSMASK");
  for (int y = edit.top + 12; y < edit.top + 24; ++y)
    for (int x = edit.left + 12; x < edit.left + 24; ++x)
      ASSERT_EQ(Drawn().picture.At(x, y), 0xFFFFFFFFu);
}

TEST(SkinArtBitmap, FuchsiaAppearsOnlyInPiecePictures) {
  std::set<std::pair<int, int>> pictures;
  for (const TPiece* p : DrawnPieces())
    for (int y = p->top; y < p->top + p->PictureHeight(); ++y)
      for (int x = p->left; x < p->right; ++x) pictures.emplace(x, y);
  int transparent = 0;
  for (int y = 0; y < 403; ++y)
    for (int x = 0; x < 189; ++x)
      if (Fuchsia(x, y)) {
        ++transparent;
        ASSERT_TRUE(pictures.count({x, y})) << x << "," << y;
      }
  EXPECT_GT(transparent, 0);
}

TEST(SkinArtBitmap, EveryStateFrameLooksDifferent) {
  // Normal, hot and pressed must be told apart; the flat buttons show
  // nothing but their cut corners in the normal state, yet still differ.
  for (const TPiece* p : DrawnPieces()) {
    if (p->imageCount < 2) continue;
    const int fw = p->FrameWidth();
    for (int s = 1; s < p->imageCount; ++s) {
      bool differs = false;
      for (int y = p->top; y < p->top + p->PictureHeight() && !differs; ++y)
        for (int x = 0; x < fw && !differs; ++x)
          differs =
              Drawn().picture.At(p->left + x, y) != Drawn().picture.At(p->left + s * fw + x, y);
      EXPECT_TRUE(differs) << p->section << "/" << p->property << " frame " << s;
    }
  }
}

TEST(SkinArtBitmap, PiecesThatCannotBeDrawnAreRefused) {
  TPiece unknown{"FORM", "NOSUCHROLE", 0, 0, 10, 10, 1, 0, 0, 7};
  try {
    DrawMasterBitmap({unknown});
    FAIL() << "an unknown piece was drawn";
  } catch (const TSkinArtError& e) {
    EXPECT_NE(std::string(e.what()).find("FORM/NOSUCHROLE"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("line 7"), std::string::npos) << e.what();
  }
  const TPiece edit{"EDIT", "BORDERSMASK", 0, 0, 36, 36, 1, 0, 0, 1};
  TPiece shifted = edit;
  shifted.left = 20;
  shifted.right = 56;
  EXPECT_THROW(DrawMasterBitmap({edit, shifted}), TSkinArtError);
  TPiece mask2 = edit;
  mask2.maskType = 2;
  EXPECT_THROW(DrawMasterBitmap({mask2}), TSkinArtError);
  TPiece tooNarrow{"BUTTON", "BORDERSMASK", 0, 0, 2, 36, 3, 1, 0, 1};
  EXPECT_THROW(DrawMasterBitmap({tooNarrow}), TSkinArtError);
  // One rectangle named by two alike pieces (maximize and restore) is fine.
  const TPiece max{"FORM", "BICONMAX", 0, 0, 54, 18, 3, 0, 0, 1};
  TPiece norm = max;
  norm.property = "BICONNORM";
  EXPECT_NO_THROW(DrawMasterBitmap({max, norm}));
}
