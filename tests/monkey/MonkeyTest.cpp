// The real program on the headless screen under a long, seeded stream of
// random operator input over both windows: keys (text, Tab, Escape, Enter,
// Alt+letters, Ctrl+D, function keys, clipboard keys), mouse moves, clicks,
// double clicks, right clicks and drags, with the virtual clock running.
// After every step the program must be alive, every message box must be one
// the operator's input explains (a delete confirmation, a number that does
// not convert), the competitor list must hold one row per record, and no
// record may hold a character that was never seeded, put in by New or typed
// or pasted into that field's editor.
//
// SPRINTARA_MONKEY_SEED and SPRINTARA_MONKEY_EVENTS replay a run or make it
// longer; SPRINTARA_MONKEY_TRACE prints every step.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "app/CompetitorsDialog.h"
#include "app/ConsoleWindow.h"
#include "app/ProgramFixture.h"
#include "platform/window/Window.h"
#include "toolkit/Control.h"

namespace {

namespace p = platform;
using app::Competitors;
using app::Main;

#if defined(__SANITIZE_ADDRESS__)
constexpr long kDefaultEvents = 20000;  // the sanitizers make each event far slower
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr long kDefaultEvents = 20000;
#else
constexpr long kDefaultEvents = 100000;
#endif
#else
constexpr long kDefaultEvents = 100000;
#endif

long EnvNumber(const char* name, long fallback) {
  const char* v = std::getenv(name);
  return v && *v ? std::strtol(v, nullptr, 10) : fallback;
}

// Text the operator types: letters, digits, punctuation the seeded values
// use, and characters of the code page beyond ASCII.
const std::string kAlphabet =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 -+.,()'&/"
    "\xE4\xF6\xFC\xDF\xC4\xE9";

const std::vector<std::string> kNewDefaults = {"-", "New Dog", "0", "Male Dog"};

class Monkey : public Program {
 protected:
  void SetUp() override {
    Program::SetUp();
    seed_ = std::uint32_t(EnvNumber("SPRINTARA_MONKEY_SEED", 20261209));
    events_ = EnvNumber("SPRINTARA_MONKEY_EVENTS", kDefaultEvents);
    trace_ = std::getenv("SPRINTARA_MONKEY_TRACE") != nullptr;
    rng_.seed(seed_);
    // The operator may ask the console to close in many ways (its close
    // button, the system menu, Alt+F4); the run declines, so the program
    // stays up for the next event, and counts the requests.
    Main->OnCloseQuery = [this](component::TObject*, bool& canClose) {
      if (!finishing_) {
        canClose = false;
        ++closeRequests_;
      }
    };
    // What each field may hold: the seeded characters and New's defaults.
    memtable::TMemTable& t = *Main->Table_Competitors;
    for (t.First(); !t.Eof(); t.Next())
      for (int f = 0; f < t.FieldCount(); ++f) {
        const std::string name = t.Fields()[f]->FieldName();
        Allow(name, t.Fields()[f]->AsString());
        for (const std::string& d : kNewDefaults) Allow(name, d);
      }
    Main->Show();
    screen->Run(100);
  }

  void Allow(const std::string& field, const std::string& text) {
    for (unsigned char c : text) allowed_[field].insert(c);
  }

  int Pick(int n) { return int(rng_() % std::uint32_t(n)); }

  void Fail(const std::string& why) {
    if (failed_) return;
    failed_ = true;
    std::string recent;
    for (const std::string& s : recentSteps_) recent += "  " + s + "\n";
    ADD_FAILURE() << why << "\n  after step " << step_ << " of the run with seed " << seed_
                  << " (replay: SPRINTARA_MONKEY_SEED=" << seed_
                  << " SPRINTARA_MONKEY_EVENTS=" << step_ << ")\n  last steps:\n"
                  << recent;
  }

  // --- what must hold ---

  // A box left open by the program: answered when the input explains it.
  void Answer(p::HWND box) {
    p::MessageBoxInfo info;
    if (!p::GetMessageBoxInfo(box, &info)) return;
    if (trace_) std::fprintf(stderr, "  box \"%s: %s\"\n", info.caption.c_str(), info.text.c_str());
    const std::string bad = " is not a valid integer value for field 'Dog_Age'";
    if (info.caption == "Confirm" && info.text == "Delete selected record?") {
      ++confirmations_;
      p::EndMessageBox(box, Pick(3) ? p::IDYES : p::IDNO);
      return;
    }
    if (info.caption == application->Title() && info.text.size() > bad.size() &&
        info.text.compare(info.text.size() - bad.size(), bad.size(), bad) == 0) {
      ++conversionErrors_;
      p::EndMessageBox(box, p::IDOK);
      return;
    }
    Fail("unexplained message box \"" + info.caption + ": " + info.text + "\"");
    p::EndMessageBox(box, info.ids.empty() ? p::IDOK : info.ids.front());
  }

  void CheckAlive() {
    if (screen->QuitSeen()) return Fail("the program ended");
    if (!Main || !Competitors) return Fail("a window is gone");
    if (!p::IsWindow(Main->Handle())) return Fail("the console window is gone");
  }

  // One row per record: the rows with a reference object carry the IDs of
  // the table's records, each once; a placeholder row appears only with a
  // new record pending. A rebuild stopped by a value that does not convert
  // leaves the list as it was until the value is put right, so after such
  // an error, with the change still pending, an older list is accepted.
  void CheckList() {
    const std::string problem = ListProblem();
    if (problem.empty()) {
      errorsAtLastGoodList_ = conversionErrors_;
      return;
    }
    const bool pending = Main->Table_Competitors->State() != memtable::dsBrowse;
    if (conversionErrors_ != errorsAtLastGoodList_ && pending) return;
    Fail(problem);
  }
  std::string ListProblem() {
    toolkit::TStrings& items = *Competitors->CompList->Items();
    memtable::TMemTable& t = *Main->Table_Competitors;
    // Hidden, the list is empty, unless a change is pending: then it is kept
    // for the next showing and must still be true.
    if (!Competitors->Visible() && (t.State() == memtable::dsBrowse || items.Count() == 0))
      return items.Count() != 0 ? "the hidden dialog's list is not empty" : "";
    std::set<int> ids;
    int placeholders = 0;
    for (int i = 0; i < items.Count(); ++i) {
      auto* obj = dynamic_cast<app::TCompListObj*>(items.Objects(i));
      if (!obj) {
        ++placeholders;
        continue;
      }
      if (!ids.insert(obj->ID).second) return "ID " + std::to_string(obj->ID) + " is listed twice";
    }
    if (int(ids.size()) != t.RecordCount())
      return "the list shows " + std::to_string(ids.size()) + " competitors, the table holds " +
             std::to_string(t.RecordCount());
    if (placeholders > 1 || (placeholders == 1 && t.State() != memtable::dsInsert))
      return "a placeholder row without a new record pending";
    return {};
  }

  // The records, walked without the editors seeing it: IDs in the list's
  // order, and only characters that some action put into each field.
  void CheckRecords() {
    memtable::TMemTable& t = *Main->Table_Competitors;
    if (t.State() != memtable::dsBrowse) return;  // walking would commit
    ++recordChecks_;
    std::vector<int> tableIds;
    std::string problem;
    {
      memtable::TBookmark here = t.GetBookmark();
      memtable::TDataSet::TControlsDisabled quiet(t);
      for (t.First(); !t.Eof(); t.Next()) {
        tableIds.push_back(t.FieldByName("ID")->AsInteger());
        for (int f = 0; f < t.FieldCount() && problem.empty(); ++f) {
          memtable::TField* field = t.Fields()[f];
          const std::string name = field->FieldName();
          if (name == "ID") continue;
          const std::string v = field->AsString();
          if (name == "Dog_Sex" && !v.empty() && v != "Male Dog" && v != "Bitch")
            problem = "Dog_Sex holds \"" + v + "\"";
          if (field->Size() > 0 && int(v.size()) > field->Size())
            problem = name + " holds more than its size";
          for (unsigned char c : v)
            if (!allowed_[name].count(c)) {
              problem = name + " of ID " + std::to_string(tableIds.back()) + " holds \"" + v +
                        "\", with a character never typed into it";
              break;
            }
        }
      }
      if (here) t.GotoBookmark(here);
    }
    if (!problem.empty()) return Fail(problem);
    if (!Competitors->Visible()) return;
    std::vector<int> listIds;
    toolkit::TStrings& items = *Competitors->CompList->Items();
    for (int i = 0; i < items.Count(); ++i)
      if (auto* obj = dynamic_cast<app::TCompListObj*>(items.Objects(i)))
        listIds.push_back(obj->ID);
    if (listIds != tableIds) Fail("the list's rows are not the table's records in row order");
  }

  // --- what the operator does ---

  // The field whose editor is that window, or empty.
  std::string FieldOf(p::HWND window) {
    if (!window) return {};
    for (int i = 0; i < Competitors->ComponentCount(); ++i) {
      component::TComponent* c = Competitors->Components(i);
      if (auto* e = dynamic_cast<skin::TSkinDBEdit*>(c);
          e && e->HandleAllocated() && e->Handle() == window)
        return e->DataField();
    }
    return {};
  }
  std::string FocusedField() { return FieldOf(p::GetFocus()); }

  // Text from the clipboard may arrive in the focused editor (Ctrl+V,
  // Shift+Insert) or, through its context menu, in the last editor
  // right-clicked.
  void MayPaste(const std::string& field, const std::string& text) {
    if (!field.empty()) Allow(field, text);
    if (!contextField_.empty()) Allow(contextField_, text);
  }

  // The window the operator works in: the dialog while it is up (the
  // console now and then, which must take nothing), else the console.
  toolkit::TForm* TargetWindow() {
    if (Competitors->Visible() && Pick(8)) return Competitors;
    return Main;
  }

  // A point on the window: often inside one of its controls, so that the
  // clicks land on something.
  p::POINT PointOn(toolkit::TForm* form) {
    std::vector<p::RECT> rects;
    p::RECT whole;
    p::GetWindowRect(form->Handle(), &whole);
    if (Pick(3)) {
      for (int i = 0; i < form->ComponentCount(); ++i)
        if (auto* w = dynamic_cast<toolkit::TWinControl*>(form->Components(i));
            w && w->HandleAllocated() && p::IsWindowVisible(w->Handle())) {
          p::RECT r;
          p::GetWindowRect(w->Handle(), &r);
          if (r.right > r.left && r.bottom > r.top) rects.push_back(r);
        }
    }
    const p::RECT r = rects.empty() ? whole : rects[std::size_t(Pick(int(rects.size())))];
    return {r.left + Pick(std::max(1, int(r.right - r.left))),
            r.top + Pick(std::max(1, int(r.bottom - r.top)))};
  }

  void Modified(int vk, const std::function<void()>& keys) {
    screen->KeyDown(vk);
    keys();
    screen->KeyUp(vk);
  }

  std::string Act() {
    const int kind = Pick(100);
    if (kind < 22) {  // text
      std::string text;
      for (int n = 1 + Pick(6); n > 0; --n)
        text += kAlphabet[std::size_t(Pick(int(kAlphabet.size())))];
      const std::string field = FocusedField();
      if (!field.empty()) Allow(field, text);
      screen->TypeText(text);
      return "type \"" + text + "\"" + (field.empty() ? "" : " into " + field);
    }
    if (kind < 42) {  // keys that move, edit and command
      static const int keys[] = {p::VK_TAB,    p::VK_TAB,  p::VK_ESCAPE, p::VK_RETURN, p::VK_BACK,
                                 p::VK_DELETE, p::VK_HOME, p::VK_END,    p::VK_LEFT,   p::VK_RIGHT,
                                 p::VK_UP,     p::VK_DOWN, p::VK_PRIOR,  p::VK_NEXT,   p::VK_SPACE,
                                 p::VK_INSERT, p::VK_F1,   p::VK_F2,     p::VK_F3,     p::VK_F5,
                                 p::VK_F9,     p::VK_F10,  p::VK_F12,    p::VK_MENU,   p::VK_APPS};
      const int vk = keys[Pick(int(std::size(keys)))];
      const bool shift = Pick(5) == 0;
      // The menu key and Shift+F10 open the focused editor's context menu.
      if (vk == p::VK_APPS || (shift && vk == p::VK_F10)) {
        contextField_ = FocusedField();
        MayPaste({}, p::GetClipboardText());
      }
      if (shift) {
        if (vk == p::VK_INSERT) MayPaste(FocusedField(), p::GetClipboardText());
        Modified(p::VK_SHIFT, [&] { screen->KeyPress(vk); });
        return "shift+key " + std::to_string(vk);
      }
      screen->KeyPress(vk);
      return "key " + std::to_string(vk);
    }
    if (kind < 50) {  // Alt+letter (accelerators, the menu bar), Alt+F4
      static const char letters[] = "NRDCSOBAEXF";
      int vk = letters[Pick(int(sizeof letters) - 1)];
      // Alt+F4 on the console is declined by the close check above.
      if (Pick(6) == 0) vk = p::VK_F4;
      Modified(p::VK_MENU, [&] { screen->KeyPress(vk); });
      return "alt+" + std::to_string(vk);
    }
    if (kind < 58) {  // Ctrl+D and the clipboard keys
      static const char letters[] = "DDDACVXZ";
      const int vk = letters[Pick(int(sizeof letters) - 1)];
      std::string what = std::string("ctrl+") + char(vk);
      if (vk == 'V') MayPaste(FocusedField(), p::GetClipboardText());
      Modified(p::VK_CONTROL, [&] { screen->KeyPress(vk); });
      return what;
    }
    if (kind < 62) {  // something put on the clipboard from outside
      std::string text;
      for (int n = Pick(80); n > 0; --n)
        text += kAlphabet[std::size_t(Pick(int(kAlphabet.size())))];
      p::SetClipboardText(text);
      MayPaste({}, text);
      return "clipboard \"" + text + "\"";
    }
    toolkit::TForm* form = TargetWindow();
    const p::POINT at = PointOn(form);
    const std::string where =
        " at " + std::to_string(at.x) + "," + std::to_string(at.y) + " on " + form->Name();
    if (kind < 70) {
      screen->MouseMove(at);
      return "move" + where;
    }
    if (kind < 86) {
      screen->Click(at);
      return "click" + where;
    }
    if (kind < 90) {
      screen->DoubleClick(at);
      return "double click" + where;
    }
    if (kind < 94) {
      contextField_ = FieldOf(p::WindowFromPoint(at));
      MayPaste({}, p::GetClipboardText());
      screen->Click(at, 1);
      return "right click" + where + (contextField_.empty() ? "" : " on " + contextField_);
    }
    // A drag: press, a few moves, release somewhere near.
    screen->MouseMove(at);
    screen->MouseDown(at);
    p::POINT to = at;
    for (int n = 1 + Pick(4); n > 0; --n) {
      to = {to.x + Pick(61) - 30, to.y + Pick(61) - 30};
      screen->MouseMove(to);
    }
    screen->MouseUp(to);
    return "drag" + where + " to " + std::to_string(to.x) + "," + std::to_string(to.y);
  }

  // An operator brings back a window dragged off the screen or minimised.
  void KeepOnScreen(toolkit::TForm* form) {
    if (!form->HandleAllocated() || !p::IsWindowVisible(form->Handle())) return;
    if (p::IsIconic(form->Handle())) p::ShowWindow(form->Handle(), p::SW_RESTORE);
    p::RECT r;
    p::GetWindowRect(form->Handle(), &r);
    const p::SurfaceBuffer& s = screen->Screen();
    const int cx = int(r.left + r.right) / 2, cy = int(r.top + r.bottom) / 2;
    if (cx < 0 || cy < 0 || cx >= s.Width() || cy >= s.Height() || r.top < 0)
      p::SetWindowPos(form->Handle(), p::HWND{}, 20, 20, 0, 0,
                      p::SWP_NOSIZE | p::SWP_NOZORDER | p::SWP_NOACTIVATE);
  }

  // Called each time a loop of the program would wait: the previous step
  // has been handled. Checks, then plays the next step.
  bool Idle() {
    if (p::HWND box = p::FindMessageBox()) {
      Answer(box);
      return true;
    }
    if (finishing_) return false;
    CheckAlive();
    if (!failed_) CheckList();
    if (!failed_ && (step_ % 64 == 0 || step_ == events_)) CheckRecords();
    if (Competitors->Visible()) ++dialogSteps_;
    if (failed_ || step_ >= events_) {
      finishing_ = true;
      p::PostQuitMessage(0);
      return true;
    }
    ++step_;
    KeepOnScreen(Main);
    if (Competitors->Visible()) KeepOnScreen(Competitors);
    std::string what = Act();
    // Time passes as an operator's would: mostly a little, now and then
    // long enough for the clock bar to tick several times.
    screen->AdvanceClock(Pick(20) == 0 ? 500 + std::uint64_t(Pick(3000))
                                       : std::uint64_t(Pick(250)));
    if (trace_) std::fprintf(stderr, "%ld %s\n", step_, what.c_str());
    recentSteps_.push_back(std::to_string(step_) + " " + what);
    if (recentSteps_.size() > 25) recentSteps_.pop_front();
    return true;
  }

  std::uint32_t seed_ = 0;
  long events_ = 0;
  long step_ = 0;
  bool trace_ = false;
  bool failed_ = false;
  bool finishing_ = false;
  std::mt19937 rng_;
  std::map<std::string, std::set<unsigned char>> allowed_;
  std::deque<std::string> recentSteps_;
  std::string contextField_;
  int errorsAtLastGoodList_ = 0;
  long dialogSteps_ = 0, recordChecks_ = 0;
  int confirmations_ = 0, conversionErrors_ = 0, closeRequests_ = 0;
};

TEST_F(Monkey, RandomInputOverBothWindowsKeepsTheProgramSound) {
  screen->SetIdleHandler([this] { return Idle(); });
  application->Run();
  screen->SetIdleHandler(nullptr);
  EXPECT_EQ(step_, events_) << "seed " << seed_;
  EXPECT_FALSE(failed_);
  // The dialog's modal loop ended with the quit; the console is still there.
  ASSERT_NE(Main, nullptr);
  EXPECT_TRUE(p::IsWindow(Main->Handle()));
  std::printf(
      "monkey: seed %u, %ld events (%ld with the dialog up), %ld walks of the table, %d "
      "delete confirmations, %d conversion errors, %d requests to close the console "
      "declined, %d competitors at the end\n",
      seed_, step_, dialogSteps_, recordChecks_, confirmations_, conversionErrors_, closeRequests_,
      Main->Table_Competitors->RecordCount());
}

}  // namespace
