// Reading a skin folder's Skin.ini: the section records with their
// inheritance and defaults, GLOBALINFO, the old format, the image pieces and
// the extra common sections.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "skin/data/SkinIni.h"
#include "skin/data/SkinLookup.h"

using namespace skin;

namespace {
const TSkinGeneralData& Record(const TSkinIniContent& c, const char* name) {
  const int i = FindSection(c.Sections, name);
  EXPECT_GE(i, 0) << name;
  return c.Sections.at(std::size_t(i));
}
}  // namespace

TEST(SkinIni, SectionsInFileOrderWithTheirValues) {
  const auto c = ReadSkinIni(
      "[Button]\n"
      "COLOR=13487565\nBEVEL=3\nHOTBEVEL=9\nFONTCOLOR=1258566\nTCRIGHT=16777215\n"
      "HOTFONTCOLOR=255\nHOTTCBOTTOM=$FFFFFF\nSHOWFOCUS=True\nFADINGENABLED=yes\n"
      "RESERVEDBOOLEAN=TRUE\nSHADOWENABLED=false\nSHADOWCOLOR=$0000FF\n"
      "GRADIENTPERCENT=100\nGRADIENTDATA=16777215;11462640;20;0;0\n"
      "HOTGRADIENTDATA=1;2;3;1;0;4;5\nFADINGITERATIONS=8\nBORDERCOLOR1=7\n"
      "[globalinfo]\nCOLOR=8239058\n");
  ASSERT_TRUE(c.Ok()) << c.Message;
  ASSERT_EQ(c.Sections.size(), 2u);
  EXPECT_EQ(c.Sections[1].SectionName, "GLOBALINFO");
  const auto& b = c.Sections[0];
  EXPECT_EQ(b.SectionName, "BUTTON");
  EXPECT_EQ(b.ParentClass, "");
  EXPECT_EQ(b.Color, 0xCDCDCD);
  EXPECT_EQ(b.Bevel, cbRaisedHard);
  EXPECT_EQ(b.HotBevel, 9);  // kept as given
  EXPECT_EQ(b.Font.FontColor, 1258566);
  EXPECT_EQ(b.Font.Contours, (std::array<std::int32_t, 4>{-1, -1, 0xFFFFFF, -1}));
  EXPECT_EQ(b.HotFont.FontColor, 255);
  EXPECT_EQ(b.HotFont.Contours[TCBOTTOM], 0xFFFFFF);
  EXPECT_TRUE(b.ShowFocus);
  EXPECT_FALSE(b.FadingEnabled);  // only "TRUE" is true
  EXPECT_TRUE(b.ReservedBoolean);
  EXPECT_FALSE(b.ShadowEnabled);
  EXPECT_EQ(b.ShadowColor, 0xFF);
  EXPECT_EQ(b.GradientPercent, 100);
  ASSERT_EQ(b.Gradient.size(), 1u);
  EXPECT_EQ(b.Gradient[0].Percent, 20);
  EXPECT_EQ(b.HotGradient.size(), 1u);
  EXPECT_EQ(b.FadingIterations, 8);
  EXPECT_EQ(b.BorderColor1, 7);
}

TEST(SkinIni, MissingValuesTakeTheDefaults) {
  const auto c = ReadSkinIni("[Edit]\nCOLOR=-1\nBEVEL=?\nTRANSPARENCY=junk\nGRADIENTDATA=?\n");
  ASSERT_TRUE(c.Ok());
  const auto& e = c.Sections.at(0);
  const TSkinGeneralData d;
  EXPECT_EQ(e.Color, 0xFFFFFF);
  EXPECT_EQ(e.Bevel, 0);
  EXPECT_EQ(e.Transparency, 0);
  EXPECT_EQ(e.ShadowBlur, 6);
  EXPECT_EQ(e.ShadowOffset, 3);
  EXPECT_EQ(e.ShadowTransparency, 50);
  EXPECT_EQ(e.Font, TSkinFontColors{});
  EXPECT_EQ(e.HotFont, TSkinFontColors{});
  EXPECT_EQ(e.GradientData, " ");
  EXPECT_TRUE(e.Gradient.empty());
  EXPECT_EQ(e.HotGradientData, "");
  EXPECT_EQ(e.FadingIntervalIn, 5);
  EXPECT_EQ(e.FadingIntervalOut, 5);
  EXPECT_EQ(e.FadingIterations, 5);
  EXPECT_EQ(e.HotColor, 0xFFFFFF);
  EXPECT_FALSE(e.ShowFocus || e.FadingEnabled || e.ShadowEnabled || e.ReservedBoolean);
}

TEST(SkinIni, MissingValuesComeThroughTheParentChain) {
  const auto c = ReadSkinIni(
      "[Panel]\nCOLOR=100\nSHOWFOCUS=TRUE\nTCLEFT=5\nSHADOWCOLOR=44\nGRADIENTDATA=1;2;3;1;0\n"
      "[Mid]\nPARENTCLASS=panel\nCOLOR=-1\nBEVEL=2\n"
      "[Leaf]\nPARENTCLASS=MID\nSHOWFOCUS=?\n");
  ASSERT_TRUE(c.Ok());
  const auto& leaf = Record(c, "LEAF");
  EXPECT_EQ(leaf.ParentClass, "MID");
  EXPECT_EQ(leaf.Color, 100);  // -1 in MID, so from PANEL
  EXPECT_EQ(leaf.Bevel, 2);
  EXPECT_TRUE(leaf.ShowFocus);
  EXPECT_EQ(leaf.Font.Contours[TCLEFT], 5);
  EXPECT_EQ(leaf.Gradient.size(), 1u);
  EXPECT_EQ(leaf.ShadowColor, 0);  // never inherited
  EXPECT_EQ(Record(c, "MID").ParentClass, "PANEL");
}

TEST(SkinIni, SelfParentsCyclesAndMissingParentsEndInTheDefault) {
  const auto c = ReadSkinIni(
      "[Self]\nPARENTCLASS=SELF\n"
      "[A]\nPARENTCLASS=B\n[B]\nPARENTCLASS=C\n[C]\nPARENTCLASS=a\nBEVEL=-1\n"
      "[Orphan]\nPARENTCLASS=NOWHERE\n[Q]\nPARENTCLASS=?\n[]\nCOLOR=3\n[E]\nPARENTCLASS=\n");
  ASSERT_TRUE(c.Ok());
  ASSERT_EQ(c.Sections.size(), 8u);
  for (const auto& s : c.Sections)
    if (!s.SectionName.empty()) {
      EXPECT_EQ(s.Color, 0xFFFFFF) << s.SectionName;
    }
  EXPECT_EQ(Record(c, "Q").ParentClass, "");
  EXPECT_EQ(Record(c, "").Color, 3);

  // A loop in which one section gives the value: every section in or
  // leading into the loop finds it, going round from where it starts.
  const auto loop = ReadSkinIni(
      "[Tail]\nPARENTCLASS=Y\n[Y]\nPARENTCLASS=Z\nBEVEL=3\n[Z]\nPARENTCLASS=X\n"
      "[X]\nPARENTCLASS=y\nCOLOR=7\nBEVEL=1\n");
  for (const char* name : {"TAIL", "X", "Y", "Z"}) EXPECT_EQ(Record(loop, name).Color, 7) << name;
  EXPECT_EQ(Record(loop, "TAIL").Bevel, 3);
  EXPECT_EQ(Record(loop, "Z").Bevel, 1);
  EXPECT_EQ(Record(loop, "X").Bevel, 1);
}

TEST(SkinIni, DeepAndWideParentChainsLoadAtOnce) {
  // Each section the parent of the one before; only the last gives values.
  constexpr int kSections = 10000;
  std::string text;
  for (int i = 0; i < kSections; ++i) {
    text += "[S" + std::to_string(i) + "]\n";
    if (i + 1 < kSections) text += "PARENTCLASS=S" + std::to_string(i + 1) + "\nCOLOR=-1\n";
  }
  text += "COLOR=42\nGRADIENTDATA=1;2;100;0;0\n";
  const auto start = std::chrono::steady_clock::now();
  const auto c = ReadSkinIni(text);
  const auto took = std::chrono::steady_clock::now() - start;
  ASSERT_EQ(c.Sections.size(), std::size_t(kSections));
  EXPECT_EQ(c.Sections.front().Color, 42);
  EXPECT_EQ(c.Sections.front().Gradient.size(), 1u);
  EXPECT_EQ(c.Sections[kSections / 2].Color, 42);
  EXPECT_LT(took, std::chrono::seconds(1));
}

TEST(SkinIni, GlobalInfoIsReadAsWritten) {
  const auto c = ReadSkinIni(
      "[GLOBALINFO]\nVERSION=4.5\nAUTHOR=A. Maker\nDESCRIPTION=Warm tones\n"
      "MASTERBITMAP=Master.bmp\n");
  ASSERT_TRUE(c.Ok());
  EXPECT_EQ(c.Info.Version, 4.5);
  EXPECT_EQ(c.Info.Author, "A. Maker");
  EXPECT_EQ(c.Info.Description, "Warm tones");
  EXPECT_EQ(c.Info.MasterBitmap, "Master.bmp");
  EXPECT_EQ(ReadSkinIni("[GlobalInfo]\nVERSION=v5\n").Info.Version, 0);
}

TEST(SkinIni, OldFormatAndSectionlessTextsAreRefusedDamagedLinesSkipped) {
  const auto old = ReadSkinIni("[FORM]\nCOLOR=1\n[TSkinEdit]\nX=1\n");
  EXPECT_EQ(old.Error, TSkinIniError::OldFormat);
  EXPECT_EQ(old.Message,
            "You use old version of skin (for Veltrix 3), please download latest skins from the " +
                std::string(kSkinPublisherAddress) + "!");
  EXPECT_TRUE(old.Sections.empty());
  EXPECT_TRUE(old.Pieces.empty());

  // Damaged lines are skipped and named; the rest of the skin is read.
  const auto damaged = ReadSkinIni("[FORM]\nCOLOR=1\n[EDIT\nCOLOR=2\njunk\n[BUTTON]\nCOLOR=3\n");
  ASSERT_TRUE(damaged.Ok()) << damaged.Message;
  ASSERT_EQ(damaged.Problems.size(), 2u);
  EXPECT_EQ(damaged.Problems[0].rfind("Skin.ini line 3:", 0), 0u) << damaged.Problems[0];
  EXPECT_EQ(damaged.Problems[1].rfind("Skin.ini line 5:", 0), 0u) << damaged.Problems[1];
  ASSERT_EQ(damaged.Sections.size(), 2u);
  EXPECT_EQ(Record(damaged, "FORM").Color, 1);
  EXPECT_EQ(Record(damaged, "BUTTON").Color, 3);

  // Nothing usable at all: refused with a reason.
  for (const std::string& text :
       {std::string(), std::string("\x01\x02\xff\n\x7f"), std::string("COLOR=1\n; no section\n")}) {
    const auto none = ReadSkinIni(text);
    EXPECT_EQ(none.Error, TSkinIniError::NoSections);
    EXPECT_FALSE(none.Message.empty());
    EXPECT_TRUE(none.Sections.empty());
  }
}

TEST(SkinIni, RectanglePiecesOfTheMasterBitmap) {
  const auto c = ReadSkinIni(
      "[Form]\nBordersMask=MASTER#(96,80,129,107)(1,0,2)\n"
      "BICONCLOSE=# (78, 198, 132, 216) (3 0)\n"
      "GRIPIMAGE=x#(0,369,17,403)(0,-4,-1)\n"
      "BIG=x#(-5,0,99999,2)(70000,1)\n"
      "COLOR=#\n");
  ASSERT_TRUE(c.Ok());
  ASSERT_EQ(c.Pieces.size(), 4u);
  const auto& border = c.Pieces[0];
  EXPECT_EQ(border.SectionName, "FORM");
  EXPECT_EQ(border.PropertyName, "BORDERSMASK");
  EXPECT_EQ(border.Source, TSkinPieceSource::MasterBitmap);
  EXPECT_EQ(border.Rect, (platform::RECT{96, 80, 129, 107}));
  EXPECT_EQ(border.ImageCount, 1);
  EXPECT_EQ(border.BorderWidth, 2);
  EXPECT_EQ(c.Pieces[1].Rect, (platform::RECT{78, 198, 132, 216}));
  EXPECT_EQ(c.Pieces[1].ImageCount, 3);
  EXPECT_EQ(c.Pieces[1].BorderWidth, 0);
  // Counts below their least value are raised to it; big ones held in 16 bits.
  EXPECT_EQ(c.Pieces[2].ImageCount, 1);
  EXPECT_EQ(c.Pieces[2].MaskType, 0);
  EXPECT_EQ(c.Pieces[2].BorderWidth, 0);
  EXPECT_EQ(c.Pieces[3].Rect, (platform::RECT{-5, 0, 99999, 2}));
  EXPECT_EQ(c.Pieces[3].ImageCount, 32767);
  EXPECT_TRUE(c.RejectedPieces.empty());
}

TEST(SkinIni, UnreadablePieceTextsAreLeftOutAndNamed) {
  const auto c = ReadSkinIni(
      "[Edit]\nA=#(1,2,3)(1,0)\nB=#(1,2,3,x)(1,0)\nC=#(1,2,3,4)\nD=#(1,2,3,4)(1,0,0,0)\n"
      "E=#(1,2,3,4,5)(1,0)\nF=#(1,2,3,99999999999)(1,0)\nG=#(1,2,3,4)(1,0)\n"
      "H=#( )(1,0)\nI=#(1,2,3,4)(1,\nJ=#(1,2,3,4)(1,0\n");
  ASSERT_TRUE(c.Ok());
  ASSERT_EQ(c.Pieces.size(), 2u);
  EXPECT_EQ(c.Pieces[0].PropertyName, "G");
  EXPECT_EQ(c.Pieces[1].PropertyName, "J");  // only the closing parenthesis is missing
  EXPECT_EQ(c.RejectedPieces, (std::vector<std::string>{"EDIT.A", "EDIT.B", "EDIT.C", "EDIT.D",
                                                        "EDIT.E", "EDIT.F", "EDIT.H", "EDIT.I"}));
}

TEST(SkinIni, PictureFilesAndTheMasterBitmapCondition) {
  const char* text =
      "[GLOBALINFO]\nMASTERBITMAP=master.bmp\n"
      "[Panel]\nPATTERN=wood.JPG\nHOTPATTERN=C:\\pics\\wood.jpeg\nBORDERSMASK=#(1,2,3,4)(1,0)\n";
  TSkinIniOptions options;
  options.SkinFolder = "c:\\Skins\\Warm\\";
  const auto c = ReadSkinIni(text, options);
  ASSERT_TRUE(c.Ok());
  ASSERT_EQ(c.Pieces.size(), 4u);
  EXPECT_EQ(c.Pieces[0].SectionName, "GLOBALINFO");
  EXPECT_EQ(c.Pieces[0].PropertyName, "MASTERBITMAP");
  EXPECT_EQ(c.Pieces[0].Source, TSkinPieceSource::BitmapFile);
  EXPECT_EQ(c.Pieces[0].ImageCount, 0);
  EXPECT_EQ(c.Pieces[0].FileName, "c:\\Skins\\Warm\\master.bmp");
  EXPECT_EQ(c.Pieces[1].Source, TSkinPieceSource::PictureFile);
  EXPECT_EQ(c.Pieces[1].FileName, "c:\\Skins\\Warm\\wood.JPG");
  EXPECT_EQ(c.Pieces[2].FileName, "C:\\pics\\wood.jpeg");

  options.MasterBitmapLoaded = false;
  const auto bare = ReadSkinIni(text, options);
  EXPECT_EQ(bare.Pieces.size(), 3u);  // no rectangle without a master bitmap
}

TEST(SkinIni, CommonSectionsInheritFromTheTableAndAddPieces) {
  TSkinIniOptions options;
  options.CommonSections =
      "[GLOBALINFO]\nGRIP=#(1,1,2,2)(1,0)\n"
      "[MyButton]\nPARENTCLASS=button\nCOLOR=-1\nHOTCOLOR=5\nSHOWFOCUS=?\n"
      "BORDERSMASK=#(0,0,9,9)(3,1)\n"
      "[Plain]\nPARENTCLASS=nowhere\nBEVEL=-1\n";
  const auto c = ReadSkinIni(
      "[Button]\nPARENTCLASS=PANEL\nCOLOR=77\nSHOWFOCUS=TRUE\nBEVEL=4\n"
      "[Panel]\nFADINGITERATIONS=9\n",
      options);
  ASSERT_TRUE(c.Ok()) << c.Message;
  ASSERT_EQ(c.Sections.size(), 5u);
  EXPECT_EQ(c.Sections[3].SectionName, "MYBUTTON");
  const auto& mine = c.Sections[3];
  EXPECT_EQ(mine.Color, 77);
  EXPECT_EQ(mine.HotColor, 5);
  EXPECT_TRUE(mine.ShowFocus);
  EXPECT_EQ(mine.Bevel, 4);
  EXPECT_EQ(mine.FadingIterations, 9);  // BUTTON's record already held PANEL's value
  EXPECT_EQ(c.Sections[4].Bevel, 0);
  EXPECT_EQ(c.Sections[4].Color, 0xFFFFFF);
  ASSERT_EQ(c.Pieces.size(), 1u);  // GLOBALINFO's piece is not taken from here
  EXPECT_EQ(c.Pieces[0].SectionName, "MYBUTTON");

  options.CommonSections = "[X]\nbroken line\nCOLOR=8\n";
  const auto damaged = ReadSkinIni("[Button]\n", options);
  ASSERT_TRUE(damaged.Ok());
  ASSERT_EQ(damaged.Sections.size(), 2u);
  EXPECT_EQ(Record(damaged, "X").Color, 8);
  ASSERT_EQ(damaged.Problems.size(), 1u);
  EXPECT_EQ(damaged.Problems[0].rfind("CommonSections line 2:", 0), 0u) << damaged.Problems[0];
}

TEST(SkinIni, DamagedTextsNeverCrashOrHang) {
  const std::string good =
      "[GLOBALINFO]\nVERSION=5.1\nMASTERBITMAP=master.bmp\n"
      "[Form]\nCOLOR=5283512\nFONTCOLOR=0\nGRADIENTDATA=5872819;8306902;25;1;0\n"
      "BORDERSMASK=MASTER#(96,80,129,107)(1,0,2)\n"
      "[Dialog]\nPARENTCLASS=FORM\nCOLOR=-1\n[Edit]\nPARENTCLASS=DIALOG\n";
  const std::string alphabet = "[]=;#(),. -?$x0129\n\r\t";
  std::uint32_t seed = 12345;
  const auto next = [&] { return seed = seed * 1103515245u + 12345u, seed >> 8; };
  for (int round = 0; round < 3000; ++round) {
    std::string text = good;
    for (int edits = 1 + int(next() % 6); edits > 0; --edits) {
      const std::size_t at = next() % (text.size() + 1);
      switch (next() % 3) {
        case 0:
          text.insert(at, 1, alphabet[next() % alphabet.size()]);
          break;
        case 1:
          if (at < text.size()) text.erase(at, 1);
          break;
        default:
          text.resize(at);
          break;  // truncated file
      }
    }
    TSkinIniOptions options;
    options.CommonSections = text;
    const auto c = ReadSkinIni(text, options);
    if (!c.Ok()) {  // refused whole, with a reason
      EXPECT_TRUE(c.Sections.empty() && c.Pieces.empty());
      EXPECT_FALSE(c.Message.empty());
    }
  }
}

TEST(SkinIni, CommonSectionBlanksGoExceptInComments) {
  EXPECT_EQ(RemoveCommonSectionBlanks("[ My Button ]\n; keep  this\nCOLOR = 1 2\n ;not a comment"),
            "[MyButton]\n; keep  this\nCOLOR=12\n;notacomment");
}
