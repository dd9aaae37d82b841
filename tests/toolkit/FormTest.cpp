#include <gtest/gtest.h>

#include "TestForms.h"
#include "ToolkitFixture.h"
#include "component/Exception.h"
#include "toolkit/Screen.h"

using namespace toolkit;
namespace p = platform;

class Forms : public ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    RegisterTestForms();
  }
};

TEST_F(Forms, CreatedFromTheDescriptionOfTheirClass) {
  app->CreateForm(TestWindow);
  ASSERT_NE(TestWindow, nullptr);
  // The reference pointed at the form before its construction began.
  EXPECT_EQ(TestWindow->referenceSeenInConstructor, static_cast<void*>(TestWindow));
  EXPECT_EQ(app->MainForm(), TestWindow);
  EXPECT_EQ(TestWindow->Name(), "TestWindow");
  EXPECT_EQ(TestWindow->Caption(), "Test window");
  // The creation hook ran once everything in the description existed.
  EXPECT_EQ(TestWindow->log, std::vector<std::string>{"create:7"});
  EXPECT_FALSE(TestWindow->Visible());
  ASSERT_EQ(Screen->FormCount(), 1);
  EXPECT_EQ(Screen->Forms(0), TestWindow);
}

TEST_F(Forms, AFailedCreationLeavesTheReferenceNull) {
  try {
    app->CreateForm(BrokenWindow);
    FAIL() << "no error";
  } catch (const component::EUnresolvedReference& e) {
    EXPECT_EQ(e.FileName(), "BrokenWindow.sdesc");
    EXPECT_EQ(e.Line(), 4);
    EXPECT_NE(std::string(e.what()).find("Nowhere"), std::string::npos);
  }
  EXPECT_EQ(BrokenWindow, nullptr);
  EXPECT_EQ(Screen->FormCount(), 0);
  EXPECT_EQ(app->MainForm(), nullptr);
}

TEST_F(Forms, ShownCentredWithTheShowHook) {
  app->CreateForm(TestWindow);
  TestWindow->Show();
  Flush();
  p::RECT r;
  p::GetWindowRect(TestWindow->Handle(), &r);
  EXPECT_EQ(r.left, (1280 - 400) / 2);
  EXPECT_EQ(r.top, (800 - 300) / 2);
  EXPECT_EQ(r.Width(), 400);
  EXPECT_TRUE(TestWindow->Active());
  EXPECT_EQ(TestWindow->log.back(), "show");
}

TEST_F(Forms, CloseQueryAndCloseActions) {
  app->CreateForm(TestWindow);
  auto* second = new TForm(app.get());
  TestWindow->Show();
  second->Show();
  Flush();

  bool allow = false;
  TCloseAction action = caHide;
  second->OnCloseQuery = [&](component::TObject*, bool& canClose) { canClose = allow; };
  second->OnClose = [&](component::TObject*, TCloseAction& a) { a = action; };
  second->Close();
  EXPECT_TRUE(second->Visible());  // the question said no
  allow = true;
  action = caNone;
  second->Close();
  EXPECT_TRUE(second->Visible());
  action = caHide;
  p::PostMessage(second->Handle(), p::WM_CLOSE, 0, 0);  // the frame's close button does this
  Flush();
  EXPECT_FALSE(second->Visible());
  EXPECT_EQ(Screen->FormCount(), 2);
  action = caFree;
  second->Show();
  second->Close();
  Flush();
  EXPECT_EQ(Screen->FormCount(), 1);
  EXPECT_FALSE(app->Terminated());

  // Closing the main window ends the program.
  TestWindow->Close();
  Flush();
  EXPECT_TRUE(app->Terminated());
}

TEST_F(Forms, ModalLoopNestsInTheMainLoopWhileTimersTick) {
  app->CreateForm(TestWindow);
  auto* dialog = new TForm(app.get());
  dialog->SetBounds(0, 0, 200, 100);
  std::vector<std::string> events;
  TModalResult result = -1;
  int ticksAtOpen = 0, ticksAtClose = 0;
  bool mainDisabledMeanwhile = false;
  // Ctrl+D opens the dialog from the menu, inside the main loop.
  static_cast<TMenuItem*>(TestWindow->FindComponent("miOpen"))->OnClick = [&](component::TObject*) {
    events.push_back("open");
    ticksAtOpen = TestWindow->ticks;
    result = dialog->ShowModal();
    events.push_back("closed");
    app->Terminate();
  };
  auto* closer = new TTimer(dialog);
  closer->SetInterval(2000);
  closer->SetOnTimer([&](component::TObject*) {
    if (events.size() == 1) {
      // Ctrl+D again while the dialog is up does nothing.
      screen->KeyDown(p::VK_CONTROL);
      screen->KeyPress('D');
      screen->KeyUp(p::VK_CONTROL);
      events.push_back("ctrl+d again");
      return;
    }
    mainDisabledMeanwhile = !p::IsWindowEnabled(TestWindow->Handle());
    ticksAtClose = TestWindow->ticks;
    dialog->Close();
  });
  closer->SetEnabled(false);
  dialog->OnShow = [&](component::TObject*) { closer->SetEnabled(true); };

  TestWindow->Show();
  screen->KeyDown(p::VK_CONTROL);
  screen->KeyPress('D');
  screen->KeyUp(p::VK_CONTROL);
  app->Run();
  EXPECT_EQ(events, (std::vector<std::string>{"open", "ctrl+d again", "closed"}));
  EXPECT_EQ(result, mrCancel);
  EXPECT_TRUE(mainDisabledMeanwhile);
  EXPECT_GE(ticksAtClose - ticksAtOpen, 15);  // 4 s of 250 ms ticks behind the dialog
  EXPECT_TRUE(p::IsWindowEnabled(TestWindow->Handle()));
  EXPECT_FALSE(dialog->Visible());
}

TEST_F(Forms, TerminationEndsTheModalLoopFirst) {
  app->CreateForm(TestWindow);
  auto* dialog = new TForm(app.get());
  auto* stopper = new TTimer(dialog);
  stopper->SetInterval(500);
  stopper->SetOnTimer([&](component::TObject*) { app->Terminate(); });
  TestWindow->Show();
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_TRUE(app->Terminated());
  EXPECT_FALSE(dialog->Visible());
}

TEST_F(Forms, AVisibleFormCannotBeShownModally) {
  auto* form = new TForm(app.get());
  form->Show();
  EXPECT_THROW(form->ShowModal(), component::EInvalidOperation);
}

TEST_F(Forms, ModalResultOfAButtonLikeClose) {
  app->CreateForm(TestWindow);
  auto* dialog = new TForm(app.get());
  auto* t = new TTimer(dialog);
  t->SetInterval(100);
  t->SetOnTimer([&](component::TObject*) { dialog->SetModalResult(mrOk); });
  bool closedHookRan = false;
  dialog->OnClose = [&](component::TObject*, TCloseAction&) { closedHookRan = true; };
  TestWindow->Show();
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_TRUE(closedHookRan);
}
