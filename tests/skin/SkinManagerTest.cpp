// The skin manager: restoring stored skins, choosing one by name with its
// fallback, the tables it fills, broadcasting, and removing the skin.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "SkinFixture.h"
#include "component/Reader.h"
#include "skin/SkinManager.h"
#include "skin/data/SkinData.h"
#include "skin/link/SkinBroadcast.h"
#include "skin/link/SkinCommonData.h"
#include "skin/link/SkinMessages.h"
#include "toolkit/Form.h"
#include "toolkit/GraphicControl.h"

using namespace skin;

namespace {

std::string Hex(const std::string& bytes) {
  std::string out;
  char two[3];
  for (unsigned char c : bytes) {
    std::snprintf(two, sizeof two, "%02X", c);
    out += two;
  }
  return out;
}

// The stored form: a 4-byte little-endian length, then the file.
std::string WithLength(const std::string& file) {
  const auto n = std::uint32_t(file.size());
  std::string out{char(n & 0xFF), char(n >> 8 & 0xFF), char(n >> 16 & 0xFF), char(n >> 24)};
  return out + file;
}

std::string Section(const std::string& name, const std::string& parent, int transparency = 0) {
  return "        item\n          SectionName = '" + name + "'\n          ParentClass = '" +
         parent +
         "'\n          Color = 5283512\n          Bevel = cbLoweredHard\n          FontColor = "
         "'1258566 -1 -1 -1 -1'\n          Transparency = " +
         std::to_string(transparency) +
         "\n          GradientData = '5872819;8306902;25;1;0'\n        end\n";
}

std::string Piece(const std::string& section, const std::string& property, int count = 1) {
  return "        item\n          SectionName = '" + section + "'\n          PropertyName = '" +
         property +
         "'\n          Left = 0\n          Top = 0\n          Right = 6\n          Bottom = 6\n"
         "          ImageCount = " +
         std::to_string(count) + "\n          MaskType = 0\n        end\n";
}

// A window holding a skin manager with two stored skins, Alpha and Beta.
std::string Description(const std::string& skinName) {
  const std::string master =
      BmpFile(8, 4, [](int x, int) { return x < 4 ? 0xFF00FFu : 0x804020u; });
  return "object Holder: TComponent\n"
         "  object SkinManager: TSkinManager\n"
         "    InternalSkins = <\n"
         "      item\n"
         "        Name = 'Alpha'\n"
         "        GeneralData = <\n" +
         Section("form", "") + Section("EDIT", "") + Section("COMBOBOX", "EDIT") +
         Section("GROUPBOX", "GROUPBOX", 100) + Section("GLOBALINFO", "") +
         "        >\n"
         "        Images = <\n" +
         Piece("form", "BORDERSMASK") + Piece("EDIT", "BORDERSMASK") +
         Piece("GLOBALINFO", "BOXCHECKED", 70000) +
         "        item\n          SectionName = 'GLOBALINFO'\n          PropertyName = "
         "'MASTERBITMAP'\n          ImageCount = 0\n          Image.Data = {" +
         Hex(WithLength(master)) +
         "}\n          Name = 'MASTER.BMP'\n        end>\n"
         "        Patterns = <>\n"
         "        MasterBitmap.Data = {" +
         Hex(WithLength(master)) +
         "}\n"
         "      end\n"
         "      item\n"
         "        Name = 'Beta'\n"
         "        GeneralData = <\n" +
         Section("BUTTON", "") +
         "        >\n"
         "      end>\n"
         "    SkinDirectory = 'c:\\Skins'\n"
         "    SkinName = '" +
         skinName +
         "'\n"
         "  end\n"
         "end\n";
}

class StoredSkinTest : public SkinTest {
 protected:
  void Load(const std::string& skinName) {
    holder = std::make_unique<component::TComponent>(nullptr);
    component::ReadDescription(*holder, Description(skinName), "Holder.sdesc");
    manager = dynamic_cast<TSkinManager*>(holder->FindComponent("SkinManager"));
    ASSERT_NE(manager, nullptr);
  }
  void TearDown() override {
    holder.reset();
    SkinTest::TearDown();
  }
  std::unique_ptr<component::TComponent> holder;
  TSkinManager* manager = nullptr;
};

}  // namespace

TEST_F(StoredSkinTest, RestoredSkinFillsTheTablesAsStored) {
  Load("Alpha");
  const TSkinTables& t = ActiveSkin();
  EXPECT_TRUE(t.Ready);
  EXPECT_EQ(manager->SkinName(), "Alpha");
  ASSERT_EQ(t.Sections.size(), 5u);
  EXPECT_EQ(t.Sections[0].SectionName, "FORM");  // names upper-cased
  EXPECT_EQ(t.Sections[0].Color, 5283512);
  EXPECT_EQ(t.Sections[0].Bevel, cbLoweredHard);
  EXPECT_EQ(t.Sections[0].Font.FontColor, 1258566);
  ASSERT_EQ(t.Sections[0].Gradient.size(), 1u);
  EXPECT_EQ(t.Sections[0].Gradient[0].Color2, 8306902);

  ASSERT_EQ(t.Masks.size(), 4u);
  EXPECT_EQ(t.Masks[0].SectionName, "FORM");
  EXPECT_EQ(t.Masks[0].Bitmap, nullptr);                  // a master-bitmap piece
  EXPECT_EQ(t.Masks[2].ImageCount, std::int16_t(70000));  // cut to 16 bits
  ASSERT_NE(t.Masks[3].Bitmap, nullptr);                  // MASTERBITMAP carries its own picture
  EXPECT_EQ(t.Masks[3].Bitmap->Width(), 8);

  // The master bitmap is opaque 24-bit colour, fuchsia kept as the key.
  const SurfaceBuffer& master = t.Master;
  ASSERT_EQ(master.Width(), 8);
  ASSERT_EQ(master.Height(), 4);
  EXPECT_EQ(master.At(0, 0), kFuchsiaPixel);
  EXPECT_EQ(master.At(7, 3), PixelOf(0x204080));
}

TEST_F(StoredSkinTest, LookupsFollowCaseAndParentClass) {
  Load("Alpha");
  EXPECT_EQ(FindSection("form"), 0);
  EXPECT_EQ(FindSection("Edit"), 1);
  EXPECT_EQ(FindSection("PANEL"), -1);
  const int combo = FindSection("COMBOBOX");
  // COMBOBOX has no border of its own and takes EDIT's.
  EXPECT_EQ(FindMask(combo, "COMBOBOX", "BORDERSMASK"), 1);
  // A section that names itself as its parent ends the search.
  EXPECT_EQ(FindMask(FindSection("GROUPBOX"), "GROUPBOX", "BORDERSMASK"), -1);
  EXPECT_EQ(FindMask(-1, "FORM", "BORDERSMASK"), -1);
  EXPECT_EQ(FindMask(99, "FORM", "BORDERSMASK"), -1);
  EXPECT_EQ(FindPattern(0, "FORM", "PATTERN"), -1);
  EXPECT_EQ(GlobalColor(), 5283512);
  EXPECT_EQ(GlobalSkin().Common.GlobalInfo, 4);
  EXPECT_EQ(GlobalSkin().Common.CheckGlyphs[0], 2);
}

TEST_F(StoredSkinTest, NamesMatchLetterForLetterElseTheFirstSkinIsUsed) {
  Load("Beta");
  EXPECT_EQ(manager->SkinName(), "Beta");
  ASSERT_EQ(ActiveSkin().Sections.size(), 1u);
  EXPECT_EQ(ActiveSkin().Sections[0].SectionName, "BUTTON");
  EXPECT_TRUE(ActiveSkin().Masks.empty());
  EXPECT_TRUE(ActiveSkin().Master.Width() == 0);

  manager->SetSkinName("beta");  // wrong case: not found
  EXPECT_EQ(manager->SkinName(), "Alpha");
  EXPECT_EQ(ActiveSkin().Sections.size(), 5u);

  manager->SetSkinName("No such skin");
  EXPECT_EQ(manager->SkinName(), "Alpha");

  EXPECT_EQ(manager->GetSkinNames(), (std::vector<std::string>{"Alpha", "Beta"}));
}

TEST_F(StoredSkinTest, ChangesAreAnnouncedAndRemovingEmptiesEverything) {
  Load("Alpha");
  std::vector<std::string> events;
  manager->OnBeforeChange = [&](component::TObject*) { events.push_back("before"); };
  manager->OnAfterChange = [&](component::TObject*) {
    events.push_back(ActiveSkin().Ready ? "after ready" : "after");
  };
  manager->SetSkinName("Beta");
  EXPECT_EQ(events, (std::vector<std::string>{"before", "after ready"}));

  events.clear();
  manager->SetActive(false);
  EXPECT_EQ(events, (std::vector<std::string>{"before", "after"}));
  EXPECT_TRUE(ActiveSkin().Sections.empty());
  EXPECT_TRUE(ActiveSkin().Masks.empty());
  EXPECT_EQ(FindSection("BUTTON"), -1);
  manager->SetActive(true);
  EXPECT_EQ(FindSection("BUTTON"), 0);
}

TEST_F(SkinTest, OnlyTheFirstManagerActsAndAnEmptyOneLeavesNoSkin) {
  auto first = std::make_unique<TSkinManager>(nullptr);
  auto second = std::make_unique<TSkinManager>(nullptr);
  EXPECT_TRUE(first->IsActiveManager());
  EXPECT_FALSE(second->IsActiveManager());
  EXPECT_EQ(first->SkinDirectory(), "c:\\Skins");

  TStoredSkin* stored = second->InternalSkins()->Add();
  stored->Name = "Other";
  stored->GeneralData()->Add()->SectionName = "FORM";
  second->SetSkinName("Other");
  EXPECT_TRUE(ActiveSkin().Sections.empty());  // the second manager does nothing

  first->SetSkinName("Anything");  // no stored skin at all
  EXPECT_TRUE(ActiveSkin().Sections.empty());
  EXPECT_EQ(FindSection("FORM"), -1);
  EXPECT_EQ(first->SkinName(), "Anything");

  first->SetSkinName("");  // an empty name also empties the directory
  EXPECT_EQ(first->SkinDirectory(), "");
  second.reset();
  first.reset();
}

// --- broadcasting to windows -------------------------------------------------

namespace {

// A skinned control as the controls will be: it owns its link and passes
// skin messages to it, noting what arrived.
class TProbe : public toolkit::TGraphicControl {
 public:
  explicit TProbe(component::TComponent* owner)
      : TGraphicControl(owner), data(this, 93 /* a button */) {}
  void WndProc(toolkit::TMessage& m) override {
    if (IsSkinMessage(m.Msg)) {
      received.push_back(m.Msg);
      if (data.HandleMessage(m)) return;
    }
    TGraphicControl::WndProc(m);
  }
  TSkinCommonData data;
  std::vector<platform::UINT> received;
};

}  // namespace

TEST_F(SkinTest, ABroadcastReachesEveryControlOfEveryForm) {
  auto form = std::make_unique<toolkit::TForm>(nullptr);
  auto* probe = new TProbe(form.get());
  probe->SetParent(form.get());
  probe->SetBounds(10, 20, 30, 40);
  probe->data.Loaded();
  EXPECT_EQ(probe->data.SkinSection(), "BUTTON");
  EXPECT_EQ(probe->data.SkinIndex, -1);  // no skin yet: unskinned

  auto manager = std::make_unique<TSkinManager>(form.get());
  TStoredSkin* stored = manager->InternalSkins()->Add();
  stored->Name = "S";
  stored->GeneralData()->Add()->SectionName = "FORM";
  stored->GeneralData()->Add()->SectionName = "button";
  TSkinImage* border = stored->Images()->Add();
  border->SectionName = "BUTTON";
  border->PropertyName = "BORDERSMASK";
  probe->received.clear();
  manager->SetSkinName("S");

  EXPECT_EQ(probe->received, (std::vector<platform::UINT>{SKM_SETNEWSKIN, SKM_REFRESH}));
  EXPECT_EQ(probe->data.SkinIndex, 1);
  EXPECT_EQ(probe->data.BorderMaskIndex, 0);
  EXPECT_EQ(probe->data.Updating, 0);
  EXPECT_EQ(probe->data.CacheStale, 1);

  probe->data.SetSkinSection("");  // stored as UNKNOWN, which no skin has
  EXPECT_EQ(probe->data.SkinSection(), "UNKNOWN");
  EXPECT_FALSE(probe->data.Skinned());
  probe->data.SetSkinSection("Button");
  EXPECT_TRUE(probe->data.Skinned());

  probe->received.clear();
  manager->SetActive(false);
  EXPECT_EQ(probe->received, (std::vector<platform::UINT>{SKM_REMOVESKIN}));
  EXPECT_EQ(probe->data.SkinIndex, -1);
  EXPECT_EQ(probe->data.BorderMaskIndex, -1);
  manager.reset();
  form.reset();
}

TEST_F(SkinTest, TheLinkAnswersTheSkinMessages) {
  auto form = std::make_unique<toolkit::TForm>(nullptr);
  auto* probe = new TProbe(form.get());
  probe->SetParent(form.get());
  probe->SetBounds(10, 20, 30, 40);
  TSkinCommonData& d = probe->data;
  auto send = [&](platform::UINT msg, platform::LPARAM lp = 0) {
    return probe->Perform(msg, 0, lp);
  };

  d.CacheStale = 0;
  send(SKM_SETBGCHANGED, 1);
  EXPECT_EQ(d.CacheStale, 1);
  send(SKM_SETUPDATING, 1);
  EXPECT_EQ(d.Updating, 1);
  EXPECT_EQ(send(SKM_PREPARING), 1);  // updating
  d.CacheStale = 0;
  d.Updating = 0;
  GlobalSkin().Tables.Ready = false;
  EXPECT_EQ(send(SKM_PREPARING), 1);  // the skin is not ready
  GlobalSkin().Tables.Ready = true;
  EXPECT_EQ(send(SKM_PREPARING), 0);

  // No cache yet: nothing to lend.
  TParentBackground background;
  EXPECT_EQ(send(SKM_GETCACHE, reinterpret_cast<platform::LPARAM>(&background)), 0);
  EXPECT_FALSE(background.Valid);
  d.CacheBitmap().SetSize(30, 40);
  EXPECT_EQ(send(SKM_GETCACHE, reinterpret_cast<platform::LPARAM>(&background)), 1);
  EXPECT_TRUE(background.Valid);
  EXPECT_EQ(background.Bitmap.width, 30);

  d.OutsideParent = 1;
  EXPECT_EQ(send(SKM_GETOUTSIDE), 1);
  send(SKM_SETLINKEDCONTROL, reinterpret_cast<platform::LPARAM>(form.get()));
  EXPECT_EQ(d.LinkedControl, form.get());

  // The form lends nothing, so the control has no parent background.
  EXPECT_FALSE(d.ParentBackground().Valid);

  // Only a see-through section goes stale when its parent repaints.
  GlobalSkin().Tables.Sections.resize(1);
  GlobalSkin().Tables.Sections[0].SectionName = "BUTTON";
  d.SkinIndex = 0;
  d.CacheStale = 0;
  EXPECT_EQ(send(SKM_PARENTPAINTED), 0);
  EXPECT_EQ(d.CacheStale, 0);
  GlobalSkin().Tables.Sections[0].Transparency = 30;
  send(SKM_PARENTPAINTED);
  EXPECT_EQ(d.CacheStale, 1);
  form.reset();
}

TEST(SkinSectionDefaults, ControlKindsNameTheirSections) {
  EXPECT_EQ(TSkinCommonData::DefaultSection(2, "TX"), "EDIT");
  EXPECT_EQ(TSkinCommonData::DefaultSection(8, "TX"), "EDIT");
  EXPECT_EQ(TSkinCommonData::DefaultSection(227, "TX"), "EDIT");
  EXPECT_EQ(TSkinCommonData::DefaultSection(11, "TX"), "COMBOBOX");
  EXPECT_EQ(TSkinCommonData::DefaultSection(82, "TX"), "COMBOBOX");
  EXPECT_EQ(TSkinCommonData::DefaultSection(74, "TX"), "GROUPBOX");
  EXPECT_EQ(TSkinCommonData::DefaultSection(94, "TX"), "BUTTON");
  EXPECT_EQ(TSkinCommonData::DefaultSection(165, "TX"), "TRACKBAR");
  EXPECT_EQ(TSkinCommonData::DefaultSection(9, "TSkinLabel"), "TSkinLabel");
  EXPECT_EQ(TSkinCommonData::DefaultSection(19, "TSkinBevel"), "TSkinBevel");
}
