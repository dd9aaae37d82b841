#include <gtest/gtest.h>

#include "ToolkitFixture.h"
#include "component/Exception.h"
#include "memtable/DatabaseError.h"
#include "toolkit/Form.h"
#include "toolkit/Timer.h"

using namespace toolkit;
namespace p = platform;

TEST(ApplicationTitle, NameOfTheProgramFile) {
  EXPECT_EQ(TApplication::TitleFromPath("/usr/local/bin/sprintara"), "sprintara");
  EXPECT_EQ(TApplication::TitleFromPath("SPRINTARA.EXE"), "Sprintara");
  EXPECT_EQ(TApplication::TitleFromPath("/opt/x.y/RaceConsole.v2.bin"), "Raceconsole");
  EXPECT_EQ(TApplication::TitleFromPath("race"), "race");
  EXPECT_EQ(TApplication::TitleFromPath(".hidden"), "");
}

TEST(ErrorBox, FullStopWhenTheLastCharacterSortsAfterIt) {
  EXPECT_EQ(ErrorBoxText("Record not found"), "Record not found.");
  EXPECT_EQ(ErrorBoxText("Invalid argument."), "Invalid argument.");
  EXPECT_EQ(ErrorBoxText("Done!"), "Done!");
  EXPECT_EQ(ErrorBoxText("range 1 to 5"), "range 1 to 5.");
  EXPECT_EQ(ErrorBoxText("dash -"), "dash -");
  EXPECT_EQ(ErrorBoxText("path/"), "path/.");
  EXPECT_EQ(ErrorBoxText("caf\xE9"), "caf\xE9.");  // 8-bit characters sort after "."
  EXPECT_EQ(ErrorBoxText(""), "");
}

TEST(ErrorBox, ClassNameOfTheError) {
  EXPECT_EQ(ExceptionClassName(memtable::EDatabaseError("x")), "EDatabaseError");
  EXPECT_EQ(ExceptionClassName(component::EReadError("a", 1, "b")), "EReadError");
}

class ErrorGuard : public ToolkitTest {};

TEST_F(ErrorGuard, OneBoxPerFailingHandlerAndTheLoopGoesOn) {
  auto* form = new TForm(app.get());
  form->SetBounds(100, 100, 300, 200);
  form->Show();
  int clicks = 0;
  form->OnClick = [&](component::TObject*) {
    ++clicks;
    throw memtable::EDatabaseError("Table_Competitors: Field 'ID' must have a value");
  };
  Flush();
  p::RECT r;
  p::GetWindowRect(form->Handle(), &r);
  screen->Click(p::POINT{r.left + 50, r.top + 80});
  Flush();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Table_Competitors: Field 'ID' must have a value.");
  EXPECT_EQ(boxes[0].caption, app->Title());
  EXPECT_EQ(boxes[0].icon, p::MB_ICONSTOP);
  // The program goes on: the next click is handled (and fails) again.
  screen->Click(p::POINT{r.left + 60, r.top + 90});
  Flush();
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(ErrorGuard, SilentAbortAndForeignErrors) {
  auto* form = new TForm(app.get());
  auto* timer = new TTimer(form);
  timer->SetInterval(100);
  int ticks = 0;
  timer->SetOnTimer([&](component::TObject*) {
    ++ticks;
    if (ticks == 1) throw component::EAbort();
    if (ticks == 2) throw std::runtime_error("disk on fire");
    if (ticks == 3) throw 42;
  });
  screen->Run(350);
  EXPECT_EQ(ticks, 3);
  ASSERT_EQ(boxes.size(), 2u);  // nothing for the abort
  EXPECT_EQ(boxes[0].text, "disk on fire.");
  EXPECT_EQ(boxes[1].text, "Unknown error.");
}

TEST_F(ErrorGuard, OnExceptionReplacesTheBox) {
  auto* form = new TForm(app.get());
  auto* timer = new TTimer(form);
  timer->SetInterval(100);
  timer->SetOnTimer([](component::TObject*) { throw component::EConvertError("no"); });
  std::vector<std::string> seen;
  app->OnException = [&](component::TObject* sender, const std::exception& e) {
    EXPECT_EQ(sender, timer);
    seen.push_back(e.what());
  };
  screen->Run(150);
  EXPECT_EQ(seen, std::vector<std::string>{"no"});
  EXPECT_TRUE(boxes.empty());
}

TEST_F(ErrorGuard, StartupErrorBox) {
  auto* form = new TForm(app.get());
  form->Show();
  bool formDisabled = false;
  onBox = [&](const p::MessageBoxInfo&) { formDisabled = !p::IsWindowEnabled(form->Handle()); };
  app->ShowStartupError(component::EReadError("Main.sdesc", 12, "unknown class 'TNope'"),
                        "while creating the window Main (TMain)");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Application Error");
  EXPECT_NE(boxes[0].text.find("EReadError"), std::string::npos);
  EXPECT_NE(boxes[0].text.find("while creating the window Main (TMain)"), std::string::npos);
  // A quote sorts before the full stop: none is added.
  EXPECT_TRUE(boxes[0].text.ends_with("\nMain.sdesc(12): unknown class 'TNope'"));
  EXPECT_EQ(boxes[0].icon, p::MB_ICONSTOP);
  EXPECT_TRUE(formDisabled);  // task-modal: every window of the program waits
}
