// The real program's start-up and life on the headless screen, in-process.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "ProgramFixture.h"
#include "app/CompetitorsDialog.h"
#include "app/ConsoleWindow.h"
#include "app/DBUtils.h"
#include "app/Program.h"
#include "platform/base/DateTime.h"
#include "platform/base/Random.h"
#include "platform/dialog/MessageBox.h"
#include "platform/testing/HeadlessScreen.h"
#include "platform/testing/MessageBoxAnswers.h"
#include "skin/SkinManager.h"
#include "skin/data/SkinData.h"
#include "skin/frame/SkinProvider.h"
#include "toolkit/Application.h"
#include "toolkit/Screen.h"

using namespace app;
namespace p = platform;

TEST_F(Program, StartsWithTheConsoleAsMainWindowAndTheDialogHidden) {
  ASSERT_NE(Main, nullptr);
  ASSERT_NE(Competitors, nullptr);
  EXPECT_EQ(application->MainForm(), Main);
  EXPECT_FALSE(Competitors->Visible());
  ASSERT_EQ(toolkit::Screen->FormCount(), 2);
  EXPECT_EQ(toolkit::Screen->Forms(0), Main);
  EXPECT_EQ(toolkit::Screen->Forms(1), Competitors);
  EXPECT_EQ(Main->Width(), 799);
  EXPECT_EQ(Main->Height(), 448);
  EXPECT_EQ(Main->Color(), 8239058);
  EXPECT_EQ(Main->Font()->Name(), "MS Sans Serif");
  EXPECT_EQ(Main->Font()->Height(), -11);
  EXPECT_EQ(Main->tmrTime->Interval(), 1000u);
  EXPECT_EQ(Main->mi_Competitors->ShortCut(), 16452);
  EXPECT_EQ(Main->lblTime->Caption(), "00:00");
  EXPECT_TRUE(boxes.empty());
}

TEST_F(Program, TheConsoleCarriesTheGoldenSkinAndLoadsIt) {
  skin::TSkinManager* manager = Main->SkinManager;
  ASSERT_NE(manager, nullptr);
  EXPECT_TRUE(manager->IsActiveManager());
  EXPECT_EQ(manager->SkinName(), "Golden (internal)");
  EXPECT_EQ(manager->SkinDirectory(), "c:\\Skins");
  ASSERT_EQ(manager->InternalSkins()->Count(), 1);

  const skin::TSkinTables& t = skin::ActiveSkin();
  EXPECT_TRUE(t.Ready);
  ASSERT_EQ(t.Sections.size(), 57u);
  EXPECT_EQ(t.Masks.size(), 69u);
  EXPECT_EQ(t.Sections.back().SectionName, "");
  EXPECT_EQ(t.Master.Width(), 189);
  EXPECT_EQ(t.Master.Height(), 403);
  const int form = skin::FindSection("form");
  ASSERT_GE(form, 0);
  EXPECT_EQ(t.Sections[std::size_t(form)].Color, 0x509EB8);
  EXPECT_EQ(t.Sections[std::size_t(form)].Gradient.size(), 5u);
  const int border = skin::FindMask(form, "FORM", "BORDERSMASK");
  ASSERT_GE(border, 0);
  EXPECT_EQ(t.Masks[std::size_t(border)].R, (p::RECT{96, 80, 129, 107}));
  EXPECT_EQ(t.Masks[std::size_t(border)].BorderWidth, 2);
  // COMBOBOX has no border of its own and takes EDIT's.
  const int edit = skin::FindMask(skin::FindSection("EDIT"), "EDIT", "BORDERSMASK");
  EXPECT_EQ(skin::FindMask(skin::FindSection("COMBOBOX"), "COMBOBOX", "BORDERSMASK"), edit);
  EXPECT_EQ(skin::GlobalColor(), 0x7DB7D2);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(Program, BothWindowsHaveASkinnedFrame) {
  auto* console = dynamic_cast<skin::TSkinProvider*>(Main->FindComponent("SkinProvider"));
  auto* dialog = dynamic_cast<skin::TSkinProvider*>(Competitors->FindComponent("SkinProvider"));
  ASSERT_NE(console, nullptr);
  ASSERT_NE(dialog, nullptr);
  for (auto* provider : {console, dialog}) {
    EXPECT_EQ(provider->CaptionAlignment(), toolkit::taCenter);
    EXPECT_EQ(provider->SkinData()->SkinSection(), "FORM");
    EXPECT_FALSE(provider->MakeSkinMenu());
    EXPECT_EQ(provider->ResizeMode(), skin::rmBorder);
    EXPECT_TRUE(provider->ScreenSnap());
    EXPECT_EQ(provider->SnapBuffer(), 10);
    EXPECT_EQ(provider->GripMode(), skin::gmNone);
    EXPECT_TRUE(provider->UseGlobalColor());
    EXPECT_TRUE(provider->Skinned());
  }
  EXPECT_TRUE(console->ShowAppIcon());
  EXPECT_EQ(
      console->BorderIcons(),
      (toolkit::TBorderIcons{toolkit::biSystemMenu, toolkit::biMinimize, toolkit::biMaximize}));
  EXPECT_FALSE(dialog->ShowAppIcon());
  EXPECT_TRUE(dialog->BorderIcons().Empty());
  // The platform draws no border icons of its own under the skin.
  EXPECT_TRUE(Main->BorderIcons().Empty());
  EXPECT_TRUE(console->Subclassed());
}

TEST_F(Program, TablesAreSeededInTheLanguageOfStartUp) {
  for (memtable::TMemTable* t : {Main->Table_Competitors, Main->Table_Results}) {
    EXPECT_TRUE(t->Active());
    EXPECT_EQ(t->LanguageID(), 7);
    EXPECT_EQ(t->SubLanguageID(), 1);
    EXPECT_EQ(t->LocaleID(), 1031);
    EXPECT_EQ(t->AttachMaxCount(), 1);
    EXPECT_EQ(t->Version(), "4.08b");
  }
  EXPECT_EQ(Main->DS_Competitors->DataSet(), Main->Table_Competitors);
  EXPECT_EQ(Main->DS_Results->DataSet(), Main->Table_Results);

  memtable::TMemTable& c = *Main->Table_Competitors;
  ASSERT_EQ(c.RecordCount(), 5);
  EXPECT_EQ(c.FieldByName("ID")->AsInteger(), 4);  // the last one posted is current
  c.First();
  const char* sexes[] = {"Male Dog", "Bitch", "Male Dog", "Bitch", "Male Dog"};
  for (int i = 0; i < 5; ++i, c.Next()) {
    EXPECT_EQ(c.FieldByName("ID")->AsInteger(), i);
    EXPECT_EQ(c.FieldByName("Dog_Sex")->AsString(), sexes[i]);
  }

  memtable::TMemTable& r = *Main->Table_Results;
  ASSERT_EQ(r.RecordCount(), 100);
  // The generator made exactly the stores' three draws before the seeding.
  r.First();
  EXPECT_EQ(r.FieldByName("Grp")->AsInteger(), 2);
  EXPECT_EQ(r.FieldByName("ID")->AsInteger(), 1);
  EXPECT_EQ(r.FieldByName("Res")->AsInteger(), 11617);
  EXPECT_DOUBLE_EQ(r.FieldByName("Date")->AsDateTime(), startDay - 67);
  r.Last();
  EXPECT_EQ(r.FieldByName("Grp")->AsInteger(), 0);
  EXPECT_EQ(r.FieldByName("ID")->AsInteger(), 3);
  EXPECT_EQ(r.FieldByName("Res")->AsInteger(), 15815);
  EXPECT_DOUBLE_EQ(r.FieldByName("Date")->AsDateTime(), startDay - 1);
}

TEST_F(Program, TableLanguageReachesOnlyWindowsWithTables) {
  ApplyTableLanguage(9);
  EXPECT_EQ(Main->Table_Competitors->LanguageID(), 9);
  EXPECT_EQ(Main->Table_Results->LanguageID(), 9);
  EXPECT_EQ(Main->Table_Results->LocaleID(), 1033);
}

TEST_F(Program, DialogOpensModallyWithCtrlDWhileTheClockGoesOn) {
  std::vector<int> clock;
  int ticks = 0;
  toolkit::TNotifyEvent tick = Main->tmrTime->OnTimer();
  Main->tmrTime->SetOnTimer([&](component::TObject* sender) {
    ++ticks;
    tick(sender);
  });
  bool reopened = false;
  bool mainDisabled = false;
  // Watches from inside the dialog's loop, then closes it with Alt+F4.
  toolkit::TTimer watcher(Competitors);
  watcher.SetInterval(700);
  int step = 0;
  watcher.SetOnTimer([&](component::TObject*) {
    if (!Competitors->Visible()) return;
    clock.push_back(ticks);
    mainDisabled = !p::IsWindowEnabled(Main->Handle());
    if (++step == 2) CtrlD();  // the console is disabled: nothing happens
    if (step == 3) reopened = toolkit::Screen->FormCount() != 2;
    if (step == 5) {
      screen->KeyDown(p::VK_MENU);
      screen->KeyPress(p::VK_F4);
      screen->KeyUp(p::VK_MENU);
    }
  });
  int shown = 0;
  Competitors->OnShow = [&](component::TObject*) { ++shown; };
  Main->Show();
  screen->Run(1500);
  EXPECT_NE(Main->lblTime->Caption(), "00:00");
  CtrlD();
  screen->Run(6000);  // the modal loop runs inside, until Alt+F4
  EXPECT_EQ(shown, 1);
  EXPECT_FALSE(reopened);
  EXPECT_TRUE(mainDisabled);
  EXPECT_FALSE(Competitors->Visible());
  EXPECT_TRUE(p::IsWindowEnabled(Main->Handle()));
  ASSERT_GE(clock.size(), 4u);
  // The clock kept ticking behind the dialog, once a second.
  EXPECT_GE(clock.back() - clock.front(), 2);
  // The program goes on after the dialog closed.
  EXPECT_FALSE(application->Terminated());
  EXPECT_TRUE(boxes.empty());
}

TEST_F(Program, ClosingTheConsoleEndsTheProgramWithoutAQuestion) {
  Main->Show();
  screen->Run(100);
  p::PostMessage(Main->Handle(), p::WM_SYSCOMMAND, p::SC_CLOSE, 0);
  application->Run();  // returns once the loop ends
  EXPECT_TRUE(application->Terminated());
  EXPECT_TRUE(boxes.empty());
}

TEST_F(Program, ShowCommandAtStart) {
  struct Case {
    const char* command;
    bool maximized, minimized, active;
  };
  for (Case c : {Case{"3", true, false, true}, Case{"7", false, true, false},
                 Case{"1", false, false, true}}) {
    SCOPED_TRACE(c.command);
    if (c.command != std::string("3")) {
      TearDown();
      SetUp();
    }
    ::setenv("SPRINTARA_SHOW_COMMAND", c.command, 1);
    toolkit::TTimer stop(application.get());
    stop.SetInterval(200);
    stop.SetOnTimer([&](component::TObject*) { application->Terminate(); });
    application->Run();
    ::unsetenv("SPRINTARA_SHOW_COMMAND");
    EXPECT_TRUE(p::IsWindowVisible(Main->Handle()));
    EXPECT_EQ(bool(p::IsZoomed(Main->Handle())), c.maximized);
    EXPECT_EQ(bool(p::IsIconic(Main->Handle())), c.minimized);
    EXPECT_EQ(p::GetActiveWindow() == Main->Handle(), c.active);
  }
}

TEST(ClockText, TwoBlanksBetweenDateAndTime) {
  double moment = 0;
  ASSERT_TRUE(p::TryEncodeDate(2004, 6, 19, moment));
  moment += (14 * 3600 + 5 * 60 + 9) / 86400.0;
  std::string text = TMain::ClockText(moment);
  auto gap = text.find("  ");
  ASSERT_NE(gap, std::string::npos);
  EXPECT_EQ(text.find("  ", gap + 1), std::string::npos);
  EXPECT_EQ(text.find(' '), gap);
  EXPECT_NE(text.find("05:09"), std::string::npos);
}

TEST(StartUpFailure, ShowsTheApplicationErrorBoxAndLeavesTheReferenceNull) {
  p::HeadlessScreen& screen = p::UseHeadlessScreen();
  RegisterClasses();
  std::vector<std::string> captions;
  p::AnswerMessageBoxes(screen, [&](const p::MessageBoxInfo& box) {
    captions.push_back(box.caption);
    EXPECT_EQ(box.icon, p::MB_ICONSTOP);
    EXPECT_NE(box.text.find("EClassNotFound"), std::string::npos);
    EXPECT_NE(box.text.find("Main.sdesc("), std::string::npos);
    return p::IDOK;
  });
  // Without its table classes the console's description cannot load.
  component::UnregisterClass(memtable::TMemTable::StaticClassInfo());
  {
    toolkit::TApplication application;
    EXPECT_FALSE(CreateWindows());
    EXPECT_EQ(Main, nullptr);
    EXPECT_EQ(Competitors, nullptr);
    EXPECT_EQ(toolkit::Screen->FormCount(), 0);
  }
  EXPECT_EQ(captions, std::vector<std::string>{"Application Error"});
  RegisterClasses();
  p::AnswerMessageBoxes(screen, nullptr);
}
