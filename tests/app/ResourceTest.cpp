// A long session leaves nothing behind: after opening and closing the
// competitors dialog a hundred times, hovering and pressing every button,
// opening both lists and ten thousand clock ticks, the program holds as many
// windows, drawing objects, timers and menus as before it.
#include <gtest/gtest.h>

#include <string>

#include "ProgramFixture.h"
#include "app/CompetitorsDialog.h"
#include "app/ConsoleWindow.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/MenuApi.h"
#include "platform/window/Window.h"
#include "toolkit/Timer.h"

using namespace app;
namespace p = platform;

namespace {

struct Counts {
  int windows, drawing, timers, menus;
  bool operator==(const Counts&) const = default;
};

Counts Now() {
  return Counts{p::WindowCount(), p::GdiObjectCount(), p::TimerCount(), p::MenuCount()};
}

std::string Show(const Counts& c) {
  return "windows " + std::to_string(c.windows) + ", drawing objects " + std::to_string(c.drawing) +
         ", timers " + std::to_string(c.timers) + ", menus " + std::to_string(c.menus);
}

}  // namespace

class Session : public Program {
 protected:
  // Opens and closes the dialog `times` times, by Ctrl+D and Alt+F4.
  void DialogRounds(int times) {
    int opened = 0;
    toolkit::TTimer driver(Main);
    driver.SetInterval(60);
    driver.SetOnTimer([&](component::TObject*) {
      if (Competitors->Visible()) {
        screen->KeyDown(p::VK_MENU);
        screen->KeyPress(p::VK_F4);
        screen->KeyUp(p::VK_MENU);
      } else if (opened < times) {
        ++opened;
        CtrlD();  // runs the dialog's loop until the next tick closes it
      }
    });
    screen->Run(std::uint64_t(times) * 200 + 500);
    EXPECT_EQ(opened, times);
    EXPECT_FALSE(Competitors->Visible());
  }
  // Hovers, presses and releases the middle of each named control.
  void PressEach(std::initializer_list<const char*> names) {
    for (const char* name : names) {
      auto* c = dynamic_cast<toolkit::TControl*>(Main->FindComponent(name));
      ASSERT_NE(c, nullptr) << name;
      p::RECT r{};
      p::GetWindowRect(c->Parent()->Handle(), &r);
      const p::POINT at{r.left + c->Left() + c->Width() / 2, r.top + c->Top() + c->Height() / 2};
      screen->MouseMove(at);
      screen->Run(60);
      screen->MouseDown(at);
      screen->Run(20);
      screen->MouseUp(at);
      screen->Run(60);
      screen->MouseMove(p::POINT{5, 5});
      screen->Run(60);
    }
  }
  void Round(int dialogs) {
    DialogRounds(dialogs);
    PressEach({"skButton1", "skButton2", "skButton3", "ColorSpeedButton1", "ColorSpeedButton2",
               "SpeedButton1", "SpeedButton5", "skComboBox1", "skComboBox1", "skComboBox2",
               "skComboBox2"});
  }
};

TEST_F(Session, LeavesAsManyWindowsDrawingObjectsTimersAndMenusAsItFound) {
  Main->Show();
  screen->Run(500);
  Round(1);  // what is made once and kept (fonts, the dialog's windows) is made now
  screen->Run(2000);
  const Counts before = Now();
  Round(100);
  int ticks = 0;
  toolkit::TNotifyEvent tick = Main->tmrTime->OnTimer();
  Main->tmrTime->SetOnTimer([&](component::TObject* sender) {
    ++ticks;
    tick(sender);
  });
  for (int i = 0; i < 10000; ++i) screen->Run(1000);
  EXPECT_GE(ticks, 9990);
  const Counts after = Now();
  EXPECT_EQ(after, before) << "before: " << Show(before) << "; after: " << Show(after);
  EXPECT_TRUE(boxes.empty());
}
