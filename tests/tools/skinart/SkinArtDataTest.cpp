// The stored skin "Golden (internal)" as it reaches a window description:
// spliced in by sprintara-skinart, read back with the description parser.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include <sys/wait.h>
#include <unistd.h>

#include "Art.h"
#include "Canvas.h"
#include "PieceTable.h"
#include "Splice.h"
#include "component/Description.h"
#include "platform/gdi/Bmp.h"

using namespace skinart;
using component::TDescriptionItem;
using component::TDescriptionValue;
using component::TDescriptionValueType;

namespace {

const std::string kWindow =
    "object Main: TMain\n"
    "  object SkinManager1: TSkinManager\n"
    "    // InternalSkins: the stored skin goes here\n"
    "    SkinName = 'Golden (internal)'\n"
    "  end\n"
    "end\n";

const std::vector<std::uint8_t>& Stored() {
  static const std::vector<std::uint8_t> data = StoredBitmapData(
      EncodeBmp8(Quantize(DrawMasterBitmap(ReadPieces(ReadFile(GOLDEN_SKIN), GOLDEN_SKIN)))));
  return data;
}

std::string Spliced() {
  return SpliceSkin(kWindow, FillSkin(ReadFile(GOLDEN_SKIN), Stored(), "GoldenSkin.sdesc"),
                    "Main.sdesc");
}

const TDescriptionValue& Value(const std::vector<component::TDescriptionProperty>& list,
                               const std::string& name) {
  for (const auto& p : list)
    if (p.path == name) return p.value;
  throw std::runtime_error("no property " + name);
}

// The one stored skin, parsed from the spliced window description.
const TDescriptionItem& Skin() {
  static const component::TDescriptionObject root =
      component::ParseDescription(Spliced(), "Main.sdesc");
  static const TDescriptionItem* skin = [] {
    const auto& manager = root.children.at(0);
    const TDescriptionValue& skins = Value(manager.properties, "InternalSkins");
    EXPECT_EQ(skins.type, TDescriptionValueType::Collection);
    EXPECT_EQ(skins.items.size(), 1u);
    return &skins.items.at(0);
  }();
  return *skin;
}

const std::vector<TDescriptionItem>& Items(const char* name) {
  return Value(Skin().properties, name).items;
}

std::map<std::string, const TDescriptionItem*> Sections() {
  std::map<std::string, const TDescriptionItem*> byName;
  for (const auto& item : Items("GeneralData"))
    byName.emplace(Value(item.properties, "SectionName").text, &item);
  return byName;
}

std::string Text(const TDescriptionItem& item, const char* name) {
  return Value(item.properties, name).text;
}
std::int64_t Int(const TDescriptionItem& item, const char* name) {
  return Value(item.properties, name).integer;
}

}  // namespace

TEST(SkinArtData, SplicedSkinParsesWithEveryItem) {
  const TDescriptionItem& skin = Skin();
  EXPECT_EQ(Value(skin.properties, "Name").text, "Golden (internal)");
  const auto& sections = Items("GeneralData");
  ASSERT_EQ(sections.size(), 57u);
  EXPECT_EQ(Text(sections.back(), "SectionName"), "");
  const std::vector<std::string> order = {"SectionName",
                                          "ParentClass",
                                          "Color",
                                          "Bevel",
                                          "ShadowBlur",
                                          "ShadowColor",
                                          "ShadowDontUse",
                                          "ShadowEnabled",
                                          "ReservedBoolean",
                                          "ShadowOffset",
                                          "ShadowTransparency",
                                          "FontColor",
                                          "HotFontColor",
                                          "Transparency",
                                          "GradientPercent",
                                          "GradientData",
                                          "ImagePercent",
                                          "ShowFocus",
                                          "FadingEnabled",
                                          "FadingIntervalIn",
                                          "FadingIntervalOut",
                                          "FadingIterations",
                                          "HotColor",
                                          "HotTransparency",
                                          "HotBevel",
                                          "HotGradientPercent",
                                          "HotGradientData",
                                          "HotImagePercent",
                                          "BorderColor1",
                                          "BorderColor2",
                                          "Name"};
  for (const auto& item : sections) {
    std::vector<std::string> names;
    for (const auto& p : item.properties) names.push_back(p.path);
    ASSERT_EQ(names, order) << "section at line " << item.line;
  }
  EXPECT_EQ(Items("Images").size(), 69u);
  EXPECT_TRUE(Items("Patterns").empty());
  // Both bitmap blocks hold the stored bitmap, which decodes.
  EXPECT_EQ(Value(skin.properties, "MasterBitmap.Data").bytes, Stored());
  const TDescriptionItem* master = nullptr;
  for (const auto& item : Items("Images"))
    if (Text(item, "PropertyName") == "MASTERBITMAP") master = &item;
  ASSERT_NE(master, nullptr);
  EXPECT_EQ(Value(master->properties, "Image.Data").bytes, Stored());
  EXPECT_EQ(Text(*master, "Name"), "MASTER.BMP");
  EXPECT_EQ(Int(*master, "ImageCount"), 0);
  platform::SurfaceBuffer picture;
  std::string error;
  const std::vector<std::uint8_t> file(Stored().begin() + 4, Stored().end());
  EXPECT_TRUE(platform::ReadBmp(file, &picture, &error)) << error;
}

TEST(SkinArtData, SplicedTextKeepsTheMarkersIndentation) {
  const std::string text = Spliced();
  EXPECT_NE(text.find("\n    InternalSkins = <\n      item\n"), std::string::npos);
  EXPECT_NE(text.find("\n        MasterBitmap.Data = {\n          "), std::string::npos);
  EXPECT_NE(text.find("\n            Image.Data = {\n              "), std::string::npos);
  EXPECT_EQ(text.find("// InternalSkins:"), std::string::npos);
  EXPECT_EQ(text.find("// MasterBitmap.Data:"), std::string::npos);
  EXPECT_NE(text.find("\n    SkinName = 'Golden (internal)'\n"), std::string::npos);
}

TEST(SkinArtData, TheWindowsSectionsCarryTheirValues) {
  const auto sections = Sections();
  const std::vector<std::string> first = {
      "FORM",         "DIALOG",          "FORMTITLE",     "GLOBALINFO",     "BUTTON",
      "EDIT",         "COMBOBOX",        "GROUPBOX",      "MAINMENU",       "MENUITEM",
      "MENULINE",     "SCROLLBAR1H",     "SCROLLBAR1V",   "SCROLLBAR2H",    "SCROLLBAR2V",
      "SCROLLBTNTOP", "SCROLLBTNBOTTOM", "SCROLLBTNLEFT", "SCROLLBTNRIGHT", "SCROLLSLIDERV",
      "SCROLLSLIDERH"};
  const auto& items = Items("GeneralData");
  for (std::size_t i = 0; i < first.size(); ++i) EXPECT_EQ(Text(items[i], "SectionName"), first[i]);

  const auto& form = *sections.at("FORM");
  EXPECT_EQ(Int(form, "Color"), 0x509EB8);
  EXPECT_EQ(Text(form, "GradientData"),
            "5872819;8306902;25;1;0;8306902;13890042;25;1;0;13890042;10278635;24;1;0;"
            "10278635;5807808;25;1;0;5807808;5807808;0;1;0");
  EXPECT_EQ(Text(form, "HotGradientData"), Text(form, "GradientData"));
  const auto& button = *sections.at("BUTTON");
  EXPECT_EQ(Text(button, "FontColor"), "1258566 -1 -1 -1 -1");
  EXPECT_EQ(Text(button, "HotFontColor"), "0 -1 -1 16777215 16777215");
  EXPECT_EQ(Value(button.properties, "FadingEnabled").text, "True");
  EXPECT_EQ(Text(*sections.at("COMBOBOX"), "ParentClass"), "EDIT");
  EXPECT_EQ(Text(*sections.at("SCROLLSLIDERH"), "ParentClass"), "SCROLLSLIDERV");
  const auto& group = *sections.at("GROUPBOX");
  EXPECT_EQ(Text(group, "GradientData"), " ");
  EXPECT_EQ(Value(group.properties, "Bevel").text, "cbLoweredHard");
  EXPECT_EQ(Int(group, "Transparency"), 100);
  EXPECT_EQ(Text(*sections.at("FORMTITLE"), "HotGradientData"),
            "820391;26240;99;0;0;26240;26240;0;0;0");
  EXPECT_EQ(Int(*sections.at("MENUITEM"), "HotColor"), 0x0A769A);

  const std::set<std::string> reserved = {
      "FORM", "DIALOG", "SCROLLBTNTOP", "SCROLLBTNBOTTOM", "SCROLLBTNLEFT", "SCROLLBTNRIGHT"};
  for (const std::string& name : first) {
    const auto& s = *sections.at(name);
    const bool isButton = name == "BUTTON";
    EXPECT_EQ(Value(s.properties, "ReservedBoolean").text, reserved.count(name) ? "True" : "False")
        << name;
    EXPECT_EQ(Int(s, "ShadowBlur"), isButton ? 4 : 6) << name;
    EXPECT_EQ(Int(s, "ShadowOffset"), isButton ? 4 : 3) << name;
    EXPECT_EQ(Int(s, "ShadowTransparency"), isButton ? 85 : 60) << name;
    EXPECT_EQ(Int(s, "FadingIterations"), 5) << name;
    EXPECT_EQ(Int(s, "BorderColor1") + Int(s, "BorderColor2"), 0) << name;
  }
}

TEST(SkinArtData, PiecesSitWhereTheWindowsExpectThem) {
  struct TExpected {
    const char* section;
    const char* property;
    int l, t, r, b, n, mt, bw;
  };
  const TExpected expected[] = {
      {"FORM", "BORDERSMASK", 96, 80, 129, 107, 1, 0, 2},
      {"FORM", "BICONCLOSE", 78, 198, 132, 216, 3, 0, 0},
      {"FORM", "BICONNORM", 78, 216, 132, 234, 3, 0, 0},
      {"FORM", "GRIPIMAGE", 0, 369, 17, 403, 1, 1, 0},
      {"FORMTITLE", "BORDERSMASK", 0, 198, 24, 246, 1, 1, 0},
      {"BUTTON", "BORDERSMASK", 24, 198, 78, 234, 3, 1, 0},
      {"EDIT", "BORDERSMASK", 153, 0, 189, 36, 1, 0, 0},
      {"COMBOBOX", "GLYPHMASK", 117, 276, 174, 310, 3, 1, 0},
      {"GROUPBOX", "BORDERSMASK", 0, 246, 27, 300, 1, 1, 0},
      {"SCROLLBAR2V", "BORDERSMASK", 21, 300, 42, 369, 1, 0, 0},
      {"SCROLLBTNLEFT", "GLYPHMASK", 131, 311, 149, 329, 3, 1, 0},
      {"SCROLLSLIDERH", "BORDERSMASK", 117, 234, 189, 276, 3, 1, 0},
      {"GLOBALINFO", "RADIOUNCHECKED", 144, 49, 189, 62, 3, 0, 0},
      {"GLOBALINFO", "MASTERBITMAP", 0, 0, 0, 0, 0, 0, 0},
  };
  const std::vector<TPiece> pieces = ReadPieces(ReadFile(GOLDEN_SKIN), GOLDEN_SKIN);
  for (const TExpected& e : expected) {
    const auto p = std::find_if(pieces.begin(), pieces.end(), [&](const TPiece& p) {
      return p.section == e.section && p.property == e.property;
    });
    ASSERT_NE(p, pieces.end()) << e.section << "/" << e.property;
    EXPECT_EQ((std::vector<int>{p->left, p->top, p->right, p->bottom, p->imageCount, p->maskType,
                                p->borderWidth}),
              (std::vector<int>{e.l, e.t, e.r, e.b, e.n, e.mt, e.bw}))
        << e.section << "/" << e.property;
  }
  // Every piece and every parent names a section of the skin, and no role
  // is given twice to one section.
  const auto sections = Sections();
  std::set<std::pair<std::string, std::string>> seen;
  for (const TPiece& p : pieces) {
    EXPECT_TRUE(sections.count(p.section)) << p.section;
    EXPECT_TRUE(seen.emplace(p.section, p.property).second) << p.section << "/" << p.property;
  }
  for (const auto& [name, item] : sections) {
    const std::string parent = Text(*item, "ParentClass");
    EXPECT_TRUE(parent.empty() || sections.count(parent)) << name << " -> " << parent;
  }
  // The combo box borrows its border from the edit.
  EXPECT_FALSE(seen.count({"COMBOBOX", "BORDERSMASK"}));
}

TEST(SkinArtData, MissingMarkersAreNamed) {
  const std::string skin = ReadFile(GOLDEN_SKIN);
  auto failure = [](auto call) -> std::string {
    try {
      call();
    } catch (const TSkinArtError& e) {
      return e.what();
    }
    return "no failure";
  };
  const std::string filled = FillSkin(skin, {1, 2, 3}, "skin");
  EXPECT_NE(failure([&] {
              SpliceSkin("object A: TA\nend\n", filled, "A.sdesc");
            }).find("A.sdesc has no line \"// InternalSkins:"),
            std::string::npos);
  EXPECT_NE(failure([&] {
              SpliceSkin("// InternalSkins: 1\n// InternalSkins: 2\n", filled, "B.sdesc");
            }).find("more than one"),
            std::string::npos);
  std::string noMaster = skin;
  noMaster.erase(noMaster.find("// MasterBitmap.Data:"), 2);
  EXPECT_NE(failure([&] {
              FillSkin(noMaster, {}, "G.sdesc");
            }).find("G.sdesc has no line \"// MasterBitmap.Data:"),
            std::string::npos);
  std::string noImage = skin;
  noImage.erase(noImage.find("// Image.Data:"), 2);
  EXPECT_NE(failure([&] { FillSkin(noImage, {}, "G.sdesc"); }).find("// Image.Data:"),
            std::string::npos);
  EXPECT_NE(failure([] {
              ReadPieces("InternalSkins = < item Images = < item end> end>", "S");
            }).find("S(1): image item has no text SectionName"),
            std::string::npos);
  EXPECT_NE(failure([] { ReadPieces("Colour = 5\nInternalSkins = <", "T"); }).find("T(3)"),
            std::string::npos);
}

// The tool as a build step runs it: bad input ends with a message and a
// non-zero exit, and leaves no output behind.
TEST(SkinArtTool, ReportsBadInputAndWritesNothing) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("skinart-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string out = (dir / "out.sdesc").string(), log = (dir / "log.txt").string();
  auto run = [&](const std::string& args) {
    const int status = std::system((std::string(SKINART_TOOL) + " " + args + " 2>" + log).c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  auto said = [&] {
    std::ifstream in(log);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  const std::string unmarked = (dir / "unmarked.sdesc").string();
  std::ofstream(unmarked) << "object A: TA\nend\n";
  const std::string marked = (dir / "marked.sdesc").string();
  std::ofstream(marked) << kWindow;

  EXPECT_EQ(run("--description " + unmarked + " " + out), 1);
  EXPECT_NE(said().find("has no line \"// InternalSkins:"), std::string::npos) << said();
  EXPECT_FALSE(fs::exists(out));

  EXPECT_EQ(run("--skin " + (dir / "none.sdesc").string() + " --bmp " + out), 1);
  EXPECT_NE(said().find("cannot read"), std::string::npos) << said();
  EXPECT_EQ(run("--description " + (dir / "none.sdesc").string() + " " + out), 1);
  EXPECT_FALSE(fs::exists(out));

  EXPECT_EQ(run("--skin " + unmarked + " --bmp " + out), 1);
  EXPECT_NE(said().find("no stored skin"), std::string::npos) << said();
  EXPECT_EQ(run("--bogus"), 2);
  EXPECT_EQ(run("--png x.png --scale 0"), 2);
  EXPECT_EQ(run(""), 2);

  EXPECT_EQ(run("--description " + marked + " " + out), 0) << said();
  std::ifstream in(out);
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  EXPECT_NO_THROW(component::ParseDescription(text, out));
  fs::remove_all(dir);
}
