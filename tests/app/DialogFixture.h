// The competitors dialog of the running program, opened with Ctrl+D and
// driven from inside its modal loop with real keys and clicks.
#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "ProgramFixture.h"
#include "app/CompetitorsDialog.h"
#include "app/ConsoleWindow.h"
#include "component/ScopeGuards.h"
#include "toolkit/Timer.h"

using app::Main;

class CompetitorsDialog : public Program {
 protected:
  void SetUp() override {
    Program::SetUp();
    namespace p = platform;
    p::AnswerMessageBoxes(*screen, [this](const p::MessageBoxInfo& box) {
      boxes.push_back(box.caption + ": " + box.text);
      dialogUnderBox.push_back(app::Competitors && app::Competitors->HandleAllocated() &&
                               p::IsWindowVisible(app::Competitors->Handle()));
      const bool yesNo = std::find(box.ids.begin(), box.ids.end(), p::IDYES) != box.ids.end();
      return yesNo ? answer : p::IDOK;
    });
    Main->Show();
    screen->Run(100);
  }

  // Opens the dialog with Ctrl+D, runs `body` while it is up, then closes
  // it with Alt+F4 (unless the body did).
  void InDialog(const std::function<void()>& body) {
    toolkit::TTimer start(application.get());
    start.SetInterval(20);
    bool ran = false;
    start.SetOnTimer([&](component::TObject*) {
      if (ran || !app::Competitors->Visible()) return;
      ran = true;
      start.SetEnabled(false);
      component::TScopeExit close([this] {
        if (app::Competitors->Visible()) AltKey(platform::VK_F4);
      });
      Flush();
      body();
    });
    CtrlD();
    screen->Run(400);
    ASSERT_TRUE(ran);
    ASSERT_FALSE(app::Competitors->Visible());
  }

  void Flush() {
    for (int i = 0; i < 4; ++i) screen->Pump();
  }
  void Key(int vk) {
    screen->KeyPress(vk);
    Flush();
  }
  void AltKey(int vk) {
    screen->KeyDown(platform::VK_MENU);
    screen->KeyPress(vk);
    screen->KeyUp(platform::VK_MENU);
    Flush();
  }
  void Type(const std::string& text) {
    screen->TypeText(text);
    Flush();
  }
  platform::POINT At(toolkit::TWinControl* c, int x, int y) {
    platform::POINT pt{x, y};
    platform::ClientToScreen(c->Handle(), &pt);
    return pt;
  }
  void ClickOn(toolkit::TWinControl* c, int x = -1, int y = -1) {
    // A pause first, as an operator's: two clicks at one spot are not taken
    // for a double click.
    screen->AdvanceClock(600);
    screen->Click(At(c, x < 0 ? c->ClientWidth() / 2 : x, y < 0 ? c->ClientHeight() / 2 : y));
    Flush();
  }
  // Clicks a row of the list (rows are 16 pixels high).
  void ClickRow(int row) { ClickOn(app::Competitors->CompList, 20, row * 16 + 8); }
  // Clicks into an editor and puts the caret at the end of its text.
  void EnterEditor(toolkit::TWinControl* c) {
    ClickOn(c);
    Key(platform::VK_END);
  }

  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    toolkit::TStrings& items = *app::Competitors->CompList->Items();
    for (int i = 0; i < items.Count(); ++i) rows.push_back(items.Strings(i));
    return rows;
  }
  int Selected() { return app::Competitors->CompList->ItemIndex(); }
  std::string Field(const char* name) {
    return Main->Table_Competitors->FieldByName(name)->AsString();
  }
  memtable::TMemTable& Table() { return *Main->Table_Competitors; }

  int answer = platform::IDYES;
  std::vector<bool> dialogUnderBox;  // per box: the dialog was on the screen
};
