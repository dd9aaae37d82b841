// The timer component and string lists.
#include <gtest/gtest.h>

#include "ToolkitFixture.h"
#include "component/Exception.h"
#include "toolkit/Form.h"
#include "toolkit/Strings.h"
#include "toolkit/Timer.h"

using namespace toolkit;

class Timers : public ToolkitTest {};

TEST_F(Timers, TickThroughTheLoopWhileEnabled) {
  auto* timer = new TTimer(app.get());
  int ticks = 0;
  timer->SetInterval(250);
  timer->SetOnTimer([&](component::TObject* sender) {
    EXPECT_EQ(sender, timer);
    ++ticks;
  });
  screen->Run(1000);
  EXPECT_EQ(ticks, 4);
  timer->SetEnabled(false);
  screen->Run(1000);
  EXPECT_EQ(ticks, 4);
  timer->SetInterval(500);  // takes effect once enabled again
  timer->SetEnabled(true);
  screen->Run(1000);
  EXPECT_EQ(ticks, 6);
  timer->SetOnTimer(nullptr);  // no handler: no ticks at all
  screen->Run(1000);
  EXPECT_EQ(ticks, 6);
}

TEST_F(Timers, AHandlerMayFreeItsOwnTimer) {
  auto* timer = new TTimer(app.get());
  int ticks = 0;
  timer->SetInterval(100);
  timer->SetOnTimer([&](component::TObject*) {
    ++ticks;
    delete timer;
  });
  screen->Run(500);
  EXPECT_EQ(ticks, 1);
}

TEST_F(Timers, FreedWithItsOwnerTheyStop) {
  auto* form = new TForm(app.get());
  auto* timer = new TTimer(form);
  int ticks = 0;
  timer->SetInterval(100);
  timer->SetOnTimer([&](component::TObject*) { ++ticks; });
  screen->Run(250);
  delete form;
  screen->Run(500);
  EXPECT_EQ(ticks, 2);
}

TEST(Strings, ListOperationsAndTheirNotifications) {
  TStrings s;
  std::vector<std::string> log;
  s.OnChange = [&](TStrings::Change c, int i) {
    log.push_back(std::to_string(int(c)) + ":" + std::to_string(i));
  };
  s.Add("Rex");
  s.Add("dina");
  s.Insert(0, "Kiki");
  EXPECT_EQ(s.Text(), "Kiki\r\nRex\r\ndina\r\n");
  EXPECT_EQ(s.IndexOf("DINA"), 2);  // ignoring case
  EXPECT_EQ(s.IndexOf("Sharik"), -1);
  s.SetStrings(1, "Max");
  s.Delete(0);
  EXPECT_EQ(s.Strings(0), "Max");
  EXPECT_THROW(s.Strings(2), component::EListError);
  EXPECT_THROW(s.Insert(5, "x"), component::EListError);
  EXPECT_THROW(s.Delete(-1), component::EListError);
  s.Clear();
  s.Clear();  // already empty: no notice
  EXPECT_EQ(log, (std::vector<std::string>{"0:0", "0:1", "0:0", "2:1", "1:0", "3:-1"}));

  TStrings other;
  int marker = 0;
  other.AddObject("a", reinterpret_cast<component::TObject*>(&marker));
  s.Assign(other);
  EXPECT_EQ(s.Count(), 1);
  EXPECT_EQ(s.IndexOfObject(reinterpret_cast<component::TObject*>(&marker)), 0);
}
