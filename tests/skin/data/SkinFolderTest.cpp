// Skins a user drops into the skin folder: finding the folder, reading
// Skin.ini with its master bitmap, picture pieces and patterns, and staying
// calm about broken files.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "JpegFile.h"
#include "SkinFixture.h"
#include "skin/SkinManager.h"
#include "skin/data/JpegPicture.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinFolder.h"
#include "toolkit/Bitmap.h"

using namespace skin;

namespace {

constexpr const char* kSkinIni =
    "[GLOBALINFO]\n"
    "VERSION=2.5\n"
    "AUTHOR=Tester\n"
    "MASTERBITMAP=Master.bmp\n"
    "[FORM]\n"
    "COLOR=255\n"
    "BORDERSMASK=MASTER#(0,0,6,6)(1,0,2)\n"
    "PATTERN=Wood.jpg\n"
    "[BUTTON]\n"
    "PARENTCLASS=FORM\n"
    "COLOR=-1\n"
    "FONTCOLOR=65280\n"
    "GLYPHMASK=Arrow.bmp\n"
    "HOTPATTERN=Dot.jpg\n"
    "[LOOP]\n"
    "PARENTCLASS=LOOP\n";

class SkinFolderTest : public SkinTest {
 protected:
  void SetUp() override {
    SkinTest::SetUp();
    TSkinManager::SetProgramFolder(folder.Path());
  }
  void TearDown() override {
    manager.reset();
    TSkinManager::SetProgramFolder({});
    SkinTest::TearDown();
  }
  // Skins/<name>/ with the files given, then the manager asked for it.
  void Choose(const std::string& name) {
    manager = std::make_unique<TSkinManager>(nullptr);
    TStoredSkin* stored = manager->InternalSkins()->Add();
    stored->Name = "Stored";
    stored->GeneralData()->Add()->SectionName = "STORED";
    manager->SetSkinDirectory(".\\Skins");
    manager->SetSkinName(name);
  }
  std::string Write(const std::string& name, const std::string& file, const std::string& bytes) {
    return folder.Write("Skins/" + name + "/" + file, bytes);
  }
  void WriteGoodSkin(const std::string& name) {
    Write(name, "Skin.ini", kSkinIni);
    Write(name, "Master.bmp",
          BmpFile(18, 6, [](int x, int) { return x % 2 ? 0xFF00FFu : 0x336699u; }));
    Write(name, "Arrow.bmp", BmpFile(9, 6, [](int, int) { return 0x112233u; }));
    Write(name, "Wood.jpg", JpegFile(400, 300, 0x808080));  // large: a pattern
    Write(name, "Dot.jpg", JpegFile(8, 8, 0xFFFFFF));       // small: a piece
  }

  TempFolder folder;
  std::unique_ptr<TSkinManager> manager;
};

}  // namespace

TEST(SkinDirectoryPaths, ClassicPathsMapToThisSystem) {
  EXPECT_EQ(ResolveSkinDirectory("c:\\Skins", "/opt/app/"), "c:\\Skins\\");
  EXPECT_EQ(NativePath("c:\\Skins\\"), std::nullopt);  // no drive letters here
  EXPECT_FALSE(FolderExists("c:\\Skins\\"));
  EXPECT_EQ(ResolveSkinDirectory(".\\Skins", "/opt/app/"), "/opt/app/Skins\\");
  EXPECT_EQ(ResolveSkinDirectory("./Skins", "/opt/app"), "/opt/app/Skins\\");
  EXPECT_EQ(ResolveSkinDirectory("Skins/", "/opt/app/"), "/opt/app/Skins\\");
  EXPECT_EQ(ResolveSkinDirectory("Skins\\", "/opt/app/"), "/opt/app/Skins\\");
  EXPECT_EQ(ResolveSkinDirectory("/usr/share/skins", "/opt/app/"), "/usr/share/skins\\");
  EXPECT_EQ(ResolveSkinDirectory("", "/opt/app/"), "");
  EXPECT_EQ(NativePath("/opt/app/Skins\\Golden\\Skin.ini"), "/opt/app/Skins/Golden/Skin.ini");
}

TEST_F(SkinFolderTest, ASkinFolderIsPreferredToTheStoredSkin) {
  WriteGoodSkin("Wood");
  Choose("Wood");
  const TSkinData& data = GlobalSkin();
  EXPECT_EQ(manager->SkinName(), "Wood");
  EXPECT_EQ(data.SkinPath, folder.Path() + "/Skins\\Wood\\");
  EXPECT_DOUBLE_EQ(data.Version, 2.5);
  EXPECT_EQ(data.Author, "Tester");
  EXPECT_TRUE(boxes.empty());

  const TSkinTables& t = data.Tables;
  ASSERT_EQ(t.Sections.size(), 4u);
  EXPECT_EQ(t.Sections[1].SectionName, "FORM");
  EXPECT_EQ(t.Sections[1].Color, 255);
  EXPECT_EQ(t.Sections[2].Color, 255);  // -1 is missing: taken from FORM
  EXPECT_EQ(t.Sections[2].Font.FontColor, 65280);
  EXPECT_EQ(t.Master.Width(), 18);

  // BORDERSMASK from the master, the bitmap piece, the small JPEG as a
  // piece, GLOBALINFO's master file as a piece of its own; the large JPEG
  // is a pattern.
  const int form = FindSection("FORM"), button = FindSection("BUTTON");
  const int border = FindMask(form, "FORM", "BORDERSMASK");
  ASSERT_GE(border, 0);
  EXPECT_EQ(t.Masks[std::size_t(border)].R, (RECT{0, 0, 6, 6}));
  EXPECT_EQ(t.Masks[std::size_t(border)].MaskType, 0);
  EXPECT_EQ(t.Masks[std::size_t(border)].BorderWidth, 2);
  const int glyph = FindMask(button, "BUTTON", "GLYPHMASK");
  ASSERT_GE(glyph, 0);
  ASSERT_NE(t.Masks[std::size_t(glyph)].Bitmap, nullptr);
  EXPECT_EQ(t.Masks[std::size_t(glyph)].Bitmap->Width(), 9);
  const int dot = FindMask(button, "BUTTON", "HOTPATTERN");
  ASSERT_GE(dot, 0);
  EXPECT_EQ(t.Masks[std::size_t(dot)].R, (RECT{0, 0, 8, 8}));
  EXPECT_EQ(FindMask(form, "FORM", "PATTERN"), -1);
  const int wood = FindPattern(form, "FORM", "PATTERN");
  ASSERT_EQ(wood, 0);
  EXPECT_EQ(t.Patterns[0].Picture->Width(), 400);
  EXPECT_EQ(FindPattern(button, "BUTTON", "PATTERN"), 0);  // inherited from FORM
  EXPECT_TRUE(manager->LoadProblems().empty());

  EXPECT_EQ(manager->GetSkinNames(), (std::vector<std::string>{"Stored", "Wood"}));
  // Listed as a sorted list shows them, not by byte value.
  Write("Zebra", "readme.txt", "");
  Write("apple", "readme.txt", "");
  EXPECT_EQ(manager->GetSkinNames(),
            (std::vector<std::string>{"apple", "Stored", "Wood", "Zebra"}));
}

TEST_F(SkinFolderTest, AFolderWithoutSkinIniIsNoSkin) {
  Write("Empty", "readme.txt", "nothing here");
  folder.Write("Skins/.hidden/Skin.ini", kSkinIni);
  Choose("Empty");
  EXPECT_EQ(manager->SkinName(), "Stored");
  EXPECT_EQ(GlobalSkin().SkinPath, "");
  EXPECT_EQ(FindSection("STORED"), 0);
  EXPECT_EQ(manager->GetSkinNames(), (std::vector<std::string>{"Empty", "Stored"}));
}

TEST_F(SkinFolderTest, ARefusedSkinLeavesTheSkinThatWasPaintedAndSaysWhyOnce) {
  WriteGoodSkin("Wood");
  Choose("Wood");
  const std::size_t before = ActiveSkin().Sections.size();
  Write("Old", "Skin.ini", "[TSKINEDIT]\nCOLOR=1\n[FORM]\nCOLOR=2\n");
  Write("Blank", "Skin.ini", "");
  Write("Binary", "Skin.ini", std::string("\x00\x01\xfe\n\xff\x00", 6));
  for (const char* refused : {"Old", "Blank", "Binary"}) {
    boxes.clear();
    ::testing::internal::CaptureStderr();
    manager->SetSkinName(refused);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(boxes.size(), refused == std::string("Old") ? 1u : 0u) << refused;
    EXPECT_NE(said.find(std::string("skin '") + refused + "'"), std::string::npos) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << said;  // one line
    // Still painted with the skin it had.
    EXPECT_EQ(manager->SkinName(), "Wood");
    EXPECT_TRUE(ActiveSkin().Ready);
    EXPECT_EQ(ActiveSkin().Sections.size(), before);
    EXPECT_EQ(GlobalSkin().SkinPath, folder.Path() + "/Skins\\Wood\\");
    EXPECT_GE(FindMask(FindSection("FORM"), "FORM", "BORDERSMASK"), 0);
    ASSERT_EQ(manager->LoadProblems().size(), 1u);
    if (!boxes.empty()) {
      EXPECT_NE(boxes[0].find("You use old version of skin (for Veltrix 3), please download "
                              "latest skins from the "),
                std::string::npos);
      EXPECT_EQ(boxes[0].back(), '!');
    }
  }

  // Refused before any skin was loaded: the stored one paints.
  manager.reset();
  ::testing::internal::CaptureStderr();
  Choose("Blank");
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(manager->SkinName(), "Stored");
  EXPECT_TRUE(ActiveSkin().Ready);
  EXPECT_EQ(FindSection("STORED"), 0);
}

TEST_F(SkinFolderTest, BrokenFilesLoadWhatTheyCanAndNeverCrash) {
  Write("Broken", "Skin.ini",
        "[GLOBALINFO]\nMASTERBITMAP=Master.bmp\n"
        "[FORM]\nCOLOR=99999999999\nBEVEL=77\nGRADIENTDATA=1;2;junk;;0;\n"
        "FONTCOLOR=abc\nBORDERSMASK=x #(0,0,-5,99999) (-3,-2,-1)\nPATTERN=Bad.jpg\n"
        "GLYPHMASK=Bad.bmp\nHOTPATTERN=Missing.jpg\n"
        "[EDIT\nCOLOR=1\n");
  Write("Broken", "Master.bmp", "BM this is no bitmap");
  Write("Broken", "Bad.jpg", std::string("\xFF\xD8\xFF\xE0 truncated", 14));
  Write("Broken", "Bad.bmp", BmpFile(4, 4, [](int, int) { return 0u; }).substr(0, 30));
  Choose("Broken");
  // Whatever loaded, the program goes on with a table it can use.
  EXPECT_TRUE(ActiveSkin().Master.Width() == 0);
  for (const TSkinMaskData& m : ActiveSkin().Masks) EXPECT_NE(m.PropertyName, "GLYPHMASK");
  EXPECT_TRUE(ActiveSkin().Patterns.empty());
  EXPECT_FALSE(manager->LoadProblems().empty());
  // The unclosed header is skipped, the sections around it read.
  EXPECT_GE(FindSection("FORM"), 0);
  EXPECT_EQ(FindSection("EDIT"), -1);

  // A section that is its own parent, and a truncated file.
  Write("Loop", "Skin.ini", "[A]\nPARENTCLASS=B\n[B]\nPARENTCLASS=A\nCOLOR=-1\n[C]\nPARENTCLASS=C");
  manager->SetSkinName("Loop");
  ASSERT_EQ(ActiveSkin().Sections.size(), 3u);
  EXPECT_EQ(ActiveSkin().Sections[1].Color, 0xFFFFFF);  // the default, after no endless walk
}

TEST(JpegPictures, DecodeGoodFilesAndRefuseBadOnes) {
  const std::string good = JpegFile(5, 3, 0x00FF00);
  platform::SurfaceBuffer picture;
  std::string error;
  ASSERT_TRUE(DecodeJpeg({reinterpret_cast<const std::uint8_t*>(good.data()), good.size()},
                         &picture, &error))
      << error;
  ASSERT_EQ(picture.View().width, 5);
  ASSERT_EQ(picture.View().height, 3);
  const std::uint32_t p = picture.View().At(2, 1);
  EXPECT_EQ(p >> 24, 0xFFu);
  EXPECT_GT(p >> 8 & 0xFF, 0xF0u);  // green, give or take the compression
  EXPECT_LT(p >> 16 & 0xFF, 0x10u);

  platform::SurfaceBuffer untouched(1, 1, 7);
  for (std::size_t cut : {std::size_t(0), std::size_t(3), std::size_t(20), good.size() / 2}) {
    error.clear();
    EXPECT_FALSE(
        DecodeJpeg({reinterpret_cast<const std::uint8_t*>(good.data()), cut}, &untouched, &error))
        << cut;
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(untouched.View().At(0, 0), 7u);
  }
}

TEST(StoredBitmaps, TheFileMayCarryItsLengthInFront) {
  const std::string file = BmpFile(3, 2, [](int x, int) { return x == 0 ? 0xFF0000u : 0u; });
  const auto n = std::uint32_t(file.size());
  std::string stored{char(n & 0xFF), char(n >> 8 & 0xFF), char(n >> 16 & 0xFF), char(n >> 24)};
  stored += file;
  toolkit::TBitmap bitmap;
  bitmap.LoadFromMemory({reinterpret_cast<const std::uint8_t*>(stored.data()), stored.size()});
  EXPECT_EQ(bitmap.Width(), 3);
  EXPECT_EQ(bitmap.Pixel(0, 0), 0xFFFF0000u);
  // A length that does not match is no length: the bytes are no picture.
  stored[0] = char(stored[0] + 1);
  EXPECT_THROW(
      bitmap.LoadFromMemory({reinterpret_cast<const std::uint8_t*>(stored.data()), stored.size()}),
      toolkit::EInvalidGraphic);
}
