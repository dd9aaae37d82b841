// Thousands of random operator actions on the competitors dialog (New,
// Refresh, Delete answered Yes or No, clicks on rows, letters in the find
// box, text typed into the editors and kept with Tab or dropped with
// Escape, closing and reopening), each checked against a small model of the
// table and the list: one row per record in row order, the selection the
// dialog promises, and every value on the record it was typed for. With
// MODEL_TRACE set, each step is printed as it is played.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "DialogFixture.h"

using namespace app;
namespace p = platform;

namespace {

struct Rec {
  int id = 0;
  std::string nick, last, first, city;
  bool changed = true;  // a new record holding values to post
};

const char* const kFields[] = {"Dog_Nick", "Owner_LastName", "Owner_FirstName", "Owner_City"};

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return s;
}

std::string& Value(Rec& r, int field) {
  switch (field) {
    case 0:
      return r.nick;
    case 1:
      return r.last;
    case 2:
      return r.first;
    default:
      return r.city;
  }
}

// What the dialog and its table should show.
struct Model {
  std::vector<Rec> recs;            // records in the table, in row order
  std::optional<Rec> pending;       // a new record not yet posted
  bool dirty = false;               // the current record holds values not yet posted
  int cur = -1;                     // the record the table is on (when none is pending)
  std::vector<std::string> listed;  // the list as last built
  std::vector<int> listedIds;       // their IDs; -1 for the placeholder
  int sel = -1;
  std::string find;
  int nextId = 0;

  static std::string Text(const Rec& r) { return r.nick + " (" + r.last + ", " + r.first + ")"; }
  Rec* Current() { return pending ? &*pending : (cur >= 0 ? &recs[std::size_t(cur)] : nullptr); }

  // The list rebuilt from the table (its selection clamped, then followed).
  void Rebuild(int s) {
    listed.clear();
    listedIds.clear();
    for (const Rec& r : recs) {
      listed.push_back(Text(r));
      listedIds.push_back(r.id);
    }
    const int count = int(listed.size());
    if (count == 0) {
      sel = -1;
      return;
    }
    sel = s < 0 ? 0 : (s >= count ? count - 1 : s);
    Sync();
  }
  void Sync() {
    find.clear();
    if (sel < 0 || listedIds[std::size_t(sel)] < 0) return;
    const int id = listedIds[std::size_t(sel)];
    Commit();
    for (std::size_t i = 0; i < recs.size(); ++i)
      if (recs[i].id == id) cur = int(i);
  }
  // A pending change is posted, which rebuilds the list; a new record that
  // holds nothing is dropped.
  void Commit() {
    if (pending) {
      Rec r = *pending;
      pending.reset();
      if (!r.changed) return;
      r.id = nextId++;  // the automatic ID is given by the post
      recs.push_back(r);
      cur = int(recs.size()) - 1;
    } else if (dirty) {
      dirty = false;
    } else {
      return;
    }
    Rebuild(sel);
  }
  void Refresh() {
    const int s = sel;
    Commit();
    Rebuild(s);
  }
};

class CompetitorsModel : public CompetitorsDialog {
 protected:
  void SetUp() override {
    CompetitorsDialog::SetUp();
    memtable::TMemTable& t = Table();
    for (t.First(); !t.Eof(); t.Next())
      model.recs.push_back(Rec{t.FieldByName("ID")->AsInteger(), Field("Dog_Nick"),
                               Field("Owner_LastName"), Field("Owner_FirstName"),
                               Field("Owner_City")});
    model.nextId = int(model.recs.size());
  }

  toolkit::TWinControl* Editor(int field) {
    TCompetitors& d = *Competitors;
    toolkit::TWinControl* editors[] = {d.edtDogNick, d.edtOwnLastName, d.edtOwnFirstName,
                                       d.edtCity};
    return editors[field];
  }

  void Check(const std::string& step) {
    SCOPED_TRACE(step);
    ASSERT_EQ(Rows(), model.listed);
    ASSERT_EQ(Selected(), model.sel);
    ASSERT_EQ(Competitors->CompFind->Text(), model.find);
    for (std::size_t i = 0; i < model.listed.size(); ++i) {
      auto* obj = dynamic_cast<TCompListObj*>(Competitors->CompList->Items()->Objects(int(i)));
      ASSERT_EQ(obj ? obj->ID : -1, model.listedIds[i]);
    }
    if (Rec* r = model.Current()) {
      // A new record's defaults wait in the editors until it is posted.
      for (int f = 0; f < 4; ++f) ASSERT_EQ(Editor(f)->Text(), Value(*r, f)) << kFields[f];
      if (!model.pending) {
        ASSERT_EQ(Table().FieldByName("ID")->AsInteger(), r->id);
        for (int f = 0; f < 4; ++f) ASSERT_EQ(Field(kFields[f]), Value(*r, f)) << kFields[f];
      }
    }
  }

  // One random action inside the open dialog; false to close it.
  bool Act(std::mt19937& rng, std::string& step) {
    TCompetitors& d = *Competitors;
    auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    switch (pick(10)) {
      case 0: {
        if (model.recs.size() >= 12) return true;
        step = "New";
        ClickOn(d.btnNew);
        model.Commit();
        model.pending = Rec{-1, "New Dog", "-", "-", "-", true};
        model.listed.push_back("New Dog");
        model.listedIds.push_back(-1);
        model.sel = int(model.listed.size()) - 1;
        return true;
      }
      case 1:
        step = "Refresh";
        ClickOn(d.btnRefresh);
        model.Refresh();
        return true;
      case 2: {
        const bool yes = pick(2) == 0;
        step = yes ? "Delete, Yes" : "Delete, No";
        answer = yes ? p::IDYES : p::IDNO;
        const std::size_t asked = boxes.size();
        ClickOn(d.btnDelete);
        EXPECT_EQ(boxes.size(), asked + (model.sel >= 0 ? 1 : 0)) << step;
        if (model.sel < 0 || !yes) return true;
        if (model.pending) {
          model.pending.reset();
        } else {
          model.recs.erase(model.recs.begin() + model.cur);
          model.cur = -1;
          model.dirty = false;
        }
        model.Rebuild(model.sel);
        return true;
      }
      case 3:
      case 4: {
        const int rows = int(model.listed.size());
        if (rows < 2) return true;
        int k = pick(rows);
        if (k == model.sel) k = (k + 1) % rows;
        step = "click row " + std::to_string(k);
        ClickRow(k);
        model.sel = k;
        model.Sync();
        return true;
      }
      case 5: {
        const char letters[] = "rdmksnbq";
        const char c = letters[pick(8)];
        step = std::string("find ") + c;
        ClickOn(d.CompFind);
        Type(std::string(1, c));
        model.find += c;
        const std::vector<std::string> rows = model.listed;
        for (std::size_t i = 0; i < rows.size(); ++i) {
          if (Upper(rows[i].substr(0, model.find.size())) != Upper(model.find)) continue;
          model.sel = int(i);
          model.Sync();
          break;
        }
        return true;
      }
      case 6:
      case 7: {
        const int field = pick(4);
        const bool keep = pick(3) != 0;
        std::string text;
        for (int n = 1 + pick(3); n > 0; --n) text += char('a' + pick(26));
        Rec* r = model.Current();
        if (r && Value(*r, field).size() > 16) return true;
        step = "type " + text + " into " + kFields[field] + (keep ? ", Tab" : ", Escape");
        EnterEditor(Editor(field));
        Type(text);
        if (!r) {  // an empty table: typing starts a new record
          model.pending = Rec{-1, "", "", "", "", false};
          r = &*model.pending;
        }
        if (keep) {
          Key(p::VK_TAB);
          Value(*r, field) += text;
          r->changed = true;
          if (!model.pending) model.dirty = true;
        } else {
          // Escape shows what the table holds: for a new record's default
          // that is nothing until leaving its editor wrote it.
          Key(p::VK_ESCAPE);
          if (model.pending) Value(*r, field) = Field(kFields[field]);
        }
        return true;
      }
      case 8:
        step = "Tab";
        Key(p::VK_TAB);
        return true;
      default:
        step = "close";
        return pick(4) != 0;  // now and then the dialog closes
    }
  }

  // Closing empties the list; showing again rebuilds it from the top.
  void Reopened() {
    model.listed.clear();
    model.listedIds.clear();
    model.sel = -1;
    model.Refresh();
  }

  Model model;
};

TEST_F(CompetitorsModel, RandomActionsKeepTheListAndTheTableInStep) {
  std::mt19937 rng(20261209);
  int steps = 0;
  bool failed = false;
  while (steps < 3000 && !failed) {
    InDialog([&] {
      Reopened();
      Check("reopened");
      std::string step;
      while (steps < 3000) {
        ++steps;
        if (!Act(rng, step)) break;
        if (std::getenv("MODEL_TRACE")) std::fprintf(stderr, "%d %s\n", steps, step.c_str());
        Check("step " + std::to_string(steps) + ": " + step);
        if (HasFatalFailure() || HasNonfatalFailure()) {
          failed = true;
          return;
        }
      }
    });
    // Closing empties the list; a pending change stays in the table and
    // keeps the list for the next showing, should it fail to commit then.
    if (Table().State() == memtable::dsBrowse) {
      EXPECT_EQ(Competitors->CompList->Count(), 0);
    }
  }
  // Finally every posted value is where the model put it.
  InDialog([&] {
    Reopened();
    ClickOn(Competitors->btnRefresh);
    model.Refresh();
    Check("final");
  });
  memtable::TMemTable& t = Table();
  std::size_t i = 0;
  for (t.First(); !t.Eof(); t.Next(), ++i) {
    ASSERT_LT(i, model.recs.size());
    EXPECT_EQ(t.FieldByName("ID")->AsInteger(), model.recs[i].id);
    for (int f = 0; f < 4; ++f) EXPECT_EQ(Field(kFields[f]), Value(model.recs[i], f));
  }
  EXPECT_EQ(i, model.recs.size());
  for (const std::string& b : boxes) EXPECT_EQ(b, "Confirm: Delete selected record?");
}

}  // namespace
