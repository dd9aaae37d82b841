// The competitors dialog of the running program, driven with keys and
// clicks: the list and its selection, the find box, New, Refresh, Delete,
// the editors' refusals and what each leaves in the competitor table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogFixture.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "toolkit/Button.h"
#include "toolkit/Canvas.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Label.h"
#include "toolkit/Screen.h"

using namespace app;
namespace p = platform;

namespace {

const std::vector<std::string> kSeeded = {"Rex (Malenko, Boris)", "Dina (Brenner, Lukas)",
                                          "Mr.Big (Quintero, Mateo)", "Kiki (Whitley, Oscar)",
                                          "Sharik (Sokolov, Pavel)"};

}  // namespace

TEST_F(CompetitorsDialog, LayoutAndTheFirstShowing) {
  TCompetitors& d = *Competitors;
  EXPECT_EQ(d.Caption(), "Competitors Database");
  EXPECT_EQ(d.cmbDogSex->Items()->Count(), 2);
  EXPECT_EQ(d.cmbDogSex->Items()->Strings(0), "Male Dog");
  EXPECT_EQ(d.cmbDogSex->Items()->Strings(1), "Bitch");
  EXPECT_FALSE(d.btnOpen->Enabled());
  EXPECT_FALSE(d.btnSave->Enabled());
  EXPECT_EQ(d.edtDogAge->MaxLength(), 2);
  EXPECT_EQ(d.CompList->ItemHeight(), 16);
  EXPECT_EQ(d.edtComments->DataSource(), Main->DS_Competitors);
  EXPECT_EQ(d.CompList->Count(), 0);  // hidden: empty
  InDialog([&] {
    EXPECT_EQ(Rows(), kSeeded);
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(p::GetFocus(), d.btnClose->Handle());
    EXPECT_EQ(d.edtDogNick->Text(), "Rex");
    EXPECT_EQ(d.edtOwnLastName->Text(), "Malenko");
    EXPECT_EQ(d.cmbDogSex->ComboText(), "Male Dog");
    EXPECT_EQ(d.edtComments->MaxLength(), 255);
    EXPECT_EQ(d.edtStartNo->MaxLength(), 50);
    // Open and Save as... cannot be pressed, by mouse or accelerator.
    ClickOn(d.btnOpen);
    AltKey('S');
    EXPECT_TRUE(d.Visible());
    EXPECT_TRUE(boxes.empty());
    // Every item but a placeholder carries its competitor's ID.
    for (int i = 0; i < 5; ++i)
      EXPECT_EQ(dynamic_cast<TCompListObj*>(d.CompList->Items()->Objects(i))->ID, i);
  });
  EXPECT_EQ(d.CompList->Count(), 0);
}

TEST_F(CompetitorsDialog, SelectingARowMovesTheTableAndReopeningSelectsTheFirst) {
  InDialog([&] {
    ClickRow(2);
    EXPECT_EQ(Selected(), 2);
    EXPECT_EQ(Field("Dog_Nick"), "Mr.Big");
    EXPECT_EQ(Competitors->edtDogNick->Text(), "Mr.Big");
    Key(p::VK_DOWN);  // the keyboard selects too
    EXPECT_EQ(Field("Dog_Nick"), "Kiki");
  });
  InDialog([&] {
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(Field("Dog_Nick"), "Rex");
  });
}

TEST_F(CompetitorsDialog, TheFindBoxSelectsByPrefixAndEmptiesItself) {
  InDialog([&] {
    TCompetitors& d = *Competitors;
    ClickOn(d.CompFind);
    Type("k");
    EXPECT_EQ(Selected(), 3);
    EXPECT_EQ(d.CompFind->Text(), "");
    EXPECT_EQ(Field("Dog_Nick"), "Kiki");
    Type("q");
    EXPECT_EQ(d.CompFind->Text(), "q");
    EXPECT_EQ(Selected(), 3);
    d.CompFind->SetText("");
    Type("m");
    EXPECT_EQ(Selected(), 2);
    EXPECT_EQ(d.CompFind->Text(), "");
    Type("r");
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(Field("Dog_Nick"), "Rex");
    // With the focus in the find box the selected row keeps the highlight.
    const p::RECT row = d.CompList->ItemRect(0);
    const p::POINT pt = At(d.CompList, row.left + 1, row.top + 3);
    const p::COLORREF highlight = p::GetSysColor(p::COLOR_HIGHLIGHT);
    EXPECT_EQ(screen->ScreenPixel(pt.x, pt.y) & 0xFFFFFFu, (p::GetRValue(highlight) << 16) |
                                                               (p::GetGValue(highlight) << 8) |
                                                               p::GetBValue(highlight));
  });
}

TEST_F(CompetitorsDialog, NewPutsDefaultsAndRefreshPostsThem) {
  InDialog([&] {
    TCompetitors& d = *Competitors;
    ClickOn(d.btnNew);
    std::vector<std::string> rows = kSeeded;
    rows.push_back("New Dog");
    EXPECT_EQ(Rows(), rows);
    EXPECT_EQ(Selected(), 5);
    EXPECT_EQ(d.CompList->Items()->Objects(5), nullptr);
    EXPECT_EQ(Table().State(), memtable::dsInsert);
    const std::vector<std::string> shown = {
        d.edtStartNo->Text(),     d.edtDogNick->Text(),  d.edtDogAge->Text(),
        d.cmbDogSex->ComboText(), d.edtDogBreed->Text(), d.edtOwnFirstName->Text(),
        d.edtOwnLastName->Text(), d.edtOwnOrg->Text(),   d.edtCity->Text(),
        d.edtCountry->Text(),     d.edtComments->Text()};
    EXPECT_EQ(shown, (std::vector<std::string>{"-", "New Dog", "0", "Male Dog", "-", "-", "-", "-",
                                               "-", "-", ""}));
    EXPECT_EQ(p::GetFocus(), d.edtStartNo->Handle());
    // Passing through the editors keeps the defaults they show.
    for (int i = 0; i < 3; ++i) Key(p::VK_TAB);
    EXPECT_EQ(d.edtDogNick->Text(), "New Dog");
    EXPECT_EQ(d.edtDogAge->Text(), "0");
    ClickOn(d.btnRefresh);
    rows.back() = "New Dog (-, -)";
    EXPECT_EQ(Rows(), rows);
    EXPECT_EQ(Selected(), 5);
    EXPECT_EQ(Table().State(), memtable::dsBrowse);
    EXPECT_EQ(Table().RecordCount(), 6);
    EXPECT_EQ(Field("ID"), "5");
    EXPECT_EQ(Field("StartNo"), "-");
    EXPECT_EQ(Field("Dog_Sex"), "Male Dog");
    EXPECT_EQ(Field("Dog_Age"), "0");
    EXPECT_TRUE(Table().FieldByName("Comments")->IsNull() || Field("Comments").empty());
  });
}

TEST_F(CompetitorsDialog, NewThenDeleteDiscardsAndNoChangesNothing) {
  InDialog([&] {
    TCompetitors& d = *Competitors;
    ClickOn(d.btnNew);
    answer = p::IDNO;
    ClickOn(d.btnDelete);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Confirm: Delete selected record?");
    EXPECT_EQ(Rows().size(), 6u);
    EXPECT_EQ(Table().State(), memtable::dsInsert);
    answer = p::IDYES;
    ClickOn(d.btnDelete);
    EXPECT_EQ(Rows(), kSeeded);
    EXPECT_EQ(Selected(), 4);
    EXPECT_EQ(Table().RecordCount(), 5);
    EXPECT_EQ(Field("Dog_Nick"), "Sharik");
  });
}

TEST_F(CompetitorsDialog, DeletingEveryCompetitorLeavesAnEmptyListAndTypingStartsARecord) {
  InDialog([&] {
    TCompetitors& d = *Competitors;
    for (int i = 0; i < 5; ++i) AltKey('D');
    EXPECT_EQ(boxes.size(), 5u);
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(Selected(), -1);
    EXPECT_EQ(Table().RecordCount(), 0);
    AltKey('D');  // nothing selected: no question
    EXPECT_EQ(boxes.size(), 5u);
    EnterEditor(d.edtDogNick);
    Type("Bello");
    EXPECT_EQ(Table().State(), memtable::dsInsert);
    ClickOn(d.btnRefresh);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"Bello (, )"}));
    EXPECT_EQ(Selected(), 0);
  });
}

TEST_F(CompetitorsDialog, TheAgeBoxRefusesLettersAndReportsABadNumber) {
  InDialog([&] {
    TCompetitors& d = *Competitors;
    EnterEditor(d.edtDogAge);
    const int beeps = screen->Beeps();
    Type("x");
    EXPECT_EQ(screen->Beeps(), beeps + 1);
    EXPECT_EQ(d.edtDogAge->Text(), "7");
    EXPECT_EQ(Table().State(), memtable::dsBrowse);
    Type("12");  // a third digit does not fit
    EXPECT_EQ(d.edtDogAge->Text(), "71");
    for (const char* bad : {"-", "+"}) {
      d.edtDogAge->SelectAll();
      Type(bad);
      Key(p::VK_TAB);
      ASSERT_FALSE(boxes.empty());
      EXPECT_EQ(boxes.back(), std::string("app_tests: '") + bad +
                                  "' is not a valid integer value for field 'Dog_Age'");
      EXPECT_EQ(p::GetFocus(), d.edtDogAge->Handle());
      EXPECT_EQ(d.edtDogAge->SelLength(), 1);
    }
    // Escape restores what the field holds; the table stays in edit state.
    Key(p::VK_ESCAPE);
    EXPECT_EQ(d.edtDogAge->Text(), "7");
    EXPECT_EQ(Table().State(), memtable::dsEdit);
    // A pasted number too long for the box is cut to two digits; pasted
    // letters pass the box but not the conversion.
    for (const char* pasted : {"99999999999", "ab"}) {
      ASSERT_TRUE(p::SetClipboardText(pasted));
      EnterEditor(d.edtDogAge);
      d.edtDogAge->SelectAll();
      screen->KeyDown(p::VK_CONTROL);
      Key('V');
      screen->KeyUp(p::VK_CONTROL);
      Key(p::VK_TAB);
    }
    EXPECT_EQ(Table().FieldByName("Dog_Age")->AsInteger(), 99);
    EXPECT_EQ(boxes.back(), "app_tests: 'ab' is not a valid integer value for field 'Dog_Age'");
    EXPECT_EQ(p::GetFocus(), d.edtDogAge->Handle());
    Key(p::VK_ESCAPE);
    EXPECT_EQ(d.edtDogAge->Text(), "99");
    EXPECT_EQ(Table().State(), memtable::dsEdit);
    // Emptied and left, it clears the age.
    d.edtDogAge->SelectAll();
    Key(p::VK_BACK);
    Key(p::VK_TAB);
    EXPECT_TRUE(Table().FieldByName("Dog_Age")->IsNull());
    ClickOn(d.btnRefresh);
    EXPECT_EQ(Table().State(), memtable::dsBrowse);
    EXPECT_EQ(Field("Dog_Nick"), "Rex");
    EXPECT_TRUE(Table().FieldByName("Dog_Age")->IsNull());
  });
}

TEST_F(CompetitorsDialog, LengthLimitsAndPastedTextOfTheDesktop) {
  InDialog([&] {
    TCompetitors& d = *Competitors;
    EnterEditor(d.edtStartNo);
    d.edtStartNo->SelectAll();
    Type(std::string(51, '9'));
    EXPECT_EQ(d.edtStartNo->Text(), std::string(50, '9'));
    EnterEditor(d.edtComments);
    d.edtComments->SelectAll();
    // Pasted: too long, with control characters and text from outside the
    // code page; the box takes what fits, the field what it can hold.
    ASSERT_TRUE(p::SetClipboardText(std::string(300, 'c') + "\x01\t\xe2\x82\xac"));
    screen->KeyDown(p::VK_CONTROL);
    Key('V');
    screen->KeyUp(p::VK_CONTROL);
    EXPECT_EQ(d.edtComments->Text().size(), 255u);
    ClickOn(d.btnRefresh);
    EXPECT_EQ(Field("StartNo"), std::string(50, '9'));
    EXPECT_EQ(Field("Comments").size(), 255u);
    EXPECT_EQ(Rows()[0], kSeeded[0]);
    // The others were not touched.
    Table().Next();
    EXPECT_EQ(Field("StartNo"), "004");
  });
}

TEST_F(CompetitorsDialog, ChoosingAnotherCompetitorWhileTypingLosesNothing) {
  InDialog([&] {
    TCompetitors& d = *Competitors;
    EnterEditor(d.edtCity);
    Type("X");
    ClickRow(1);
    EXPECT_EQ(Field("Dog_Nick"), "Dina");
    ClickRow(0);
    EXPECT_EQ(Field("Owner_City"), "DortmundX");
    // The sex list: a key starts an edit, the choice is written by the commit.
    ClickOn(d.cmbDogSex);
    Key(p::VK_ESCAPE);
    Key(p::VK_DOWN);
    EXPECT_EQ(d.cmbDogSex->ComboText(), "Bitch");
    ClickRow(2);
    ClickRow(0);
    EXPECT_EQ(Field("Dog_Sex"), "Bitch");
  });
}

TEST_F(CompetitorsDialog, RapidClicksAndCommandsDuringRebuildsKeepOneRowPerRecord) {
  InDialog([&] {
    TCompetitors& d = *Competitors;
    ClickOn(d.btnNew);
    // Queued without pumping in between: each is handled in turn.
    for (int i = 0; i < 4; ++i) {
      screen->Click(At(d.CompList, 20, (i % 3) * 16 + 8));
      screen->Click(At(d.btnRefresh, 5, 5));
      screen->Click(At(d.btnNew, 5, 5));
    }
    Flush();
    Flush();
    ClickOn(d.btnRefresh);
    EXPECT_EQ(Table().RecordCount(), 10);
    EXPECT_EQ(int(Rows().size()), 10);
    for (int i = 0; i < 10; ++i) ASSERT_NE(d.CompList->Items()->Objects(i), nullptr) << i;
    EXPECT_TRUE(boxes.empty());
  });
}

TEST_F(CompetitorsDialog, TypingTwiceIntoTheSameEditorKeepsBothChanges) {
  InDialog([&] {
    TCompetitors& d = *Competitors;
    EnterEditor(d.edtOwnFirstName);
    Type("b");
    Key(p::VK_TAB);
    EXPECT_EQ(Field("Owner_FirstName"), "Borisb");
    Key(p::VK_TAB);
    EnterEditor(d.edtOwnFirstName);
    EXPECT_EQ(d.edtOwnFirstName->Text(), "Borisb");
    EXPECT_EQ(Table().State(), memtable::dsEdit);
    Type("k");
    EXPECT_EQ(d.edtOwnFirstName->Text(), "Borisbk");
    Key(p::VK_TAB);
    EXPECT_EQ(Field("Owner_FirstName"), "Borisbk");
  });
}

TEST_F(CompetitorsDialog, ABadAgeLeftPendingAtCloseIsReportedOnceOverTheDialogShownAgain) {
  InDialog([&] {
    ClickRow(2);
    EnterEditor(Competitors->edtDogAge);
    Competitors->edtDogAge->SelectAll();
    Type("-");
  });
  EXPECT_TRUE(boxes.empty());  // closing wrote nothing
  InDialog([&] {
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "app_tests: '-' is not a valid integer value for field 'Dog_Age'");
    EXPECT_TRUE(dialogUnderBox[0]);  // over the dialog, not the console
    EXPECT_EQ(Table().State(), memtable::dsEdit);
    // The list is there, on the pending record, and the commands work.
    EXPECT_EQ(Rows(), kSeeded);
    EXPECT_EQ(Selected(), 2);
    EXPECT_EQ(Field("Dog_Nick"), "Mr.Big");
    EXPECT_EQ(Competitors->edtDogAge->Text(), "-");
    // The operator puts it right; the dialog goes on.
    EnterEditor(Competitors->edtDogAge);
    Key(p::VK_BACK);
    Type("8");
    ClickOn(Competitors->btnRefresh);
    EXPECT_EQ(Rows(), kSeeded);
    EXPECT_EQ(Field("Dog_Age"), "8");
    EXPECT_EQ(boxes.size(), 1u);
  });
  // Left pending again; shown again, the record is deleted from the list.
  InDialog([&] {
    ClickRow(0);
    EnterEditor(Competitors->edtDogAge);
    Type("+");
  });
  boxes.clear();
  InDialog([&] {
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(Selected(), 0);
    // The editor keeps the focus while its text cannot be written: the
    // key reports that once and deletes nothing.
    AltKey('D');
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1], boxes[0]);
    EXPECT_EQ(Rows(), kSeeded);
    // Dropped with Escape, the change no longer holds the focus.
    Key(p::VK_ESCAPE);
    AltKey('D');
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[2], "Confirm: Delete selected record?");
    EXPECT_EQ(Rows(), std::vector<std::string>(kSeeded.begin() + 1, kSeeded.end()));
    EXPECT_EQ(Table().State(), memtable::dsBrowse);
  });
  EXPECT_TRUE(p::IsWindowEnabled(Main->Handle()));
}

TEST_F(CompetitorsDialog, AnErrorInTheMiddleOfAClickLeavesTheListOnTheTablesRecord) {
  InDialog([&] {
    TCompetitors& d = *Competitors;
    EnterEditor(d.edtDogAge);
    d.edtDogAge->SelectAll();
    Type("-");
    // The click's focus change fails: one box, the list stays on Rex, the
    // mouse no longer drags the selection.
    ClickRow(1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(Field("Dog_Nick"), "Rex");
    EXPECT_EQ(p::GetFocus(), d.edtDogAge->Handle());
    screen->MouseMove(At(d.CompList, 20, 3 * 16 + 8));
    Flush();
    EXPECT_EQ(Selected(), 0);
    // A button pressed the same way is not left holding the mouse.
    ClickOn(d.btnRefresh);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(p::GetCapture(), p::HWND{});
    EXPECT_EQ(Table().State(), memtable::dsEdit);
    // Moving by the find box fails at the commit: the list goes back to
    // the record the table is on.
    try {
      d.CompFind->SetText("D");
    } catch (...) {
    }
    Flush();
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(Field("Dog_Nick"), "Rex");
    // Put right, the next click is the operator's own; Delete deletes the
    // record the list shows.
    EnterEditor(d.edtDogAge);
    d.edtDogAge->SelectAll();
    Type("5");
    const std::size_t before = boxes.size();
    ClickRow(2);
    EXPECT_EQ(Selected(), 2);
    EXPECT_EQ(Field("Dog_Nick"), "Mr.Big");
    AltKey('D');
    EXPECT_EQ(boxes.size(), before + 1);
    EXPECT_EQ(Rows(), (std::vector<std::string>{kSeeded[0], kSeeded[1], kSeeded[3], kSeeded[4]}));
    Table().First();
    EXPECT_EQ(Field("Dog_Age"), "5");
  });
}

// Every caption of both windows fits the box its stored description gives
// it, in the face that stands in for the classic one: nothing is clipped.
TEST_F(CompetitorsDialog, EveryCaptionOfBothWindowsFitsItsBox) {
  p::HDC dc = p::GetDC(p::HWND{});
  toolkit::TCanvas canvas;
  canvas.SetHandle(dc);
  int checked = 0;
  for (component::TComponent* window : {static_cast<component::TComponent*>(Main),
                                        static_cast<component::TComponent*>(Competitors)}) {
    for (int i = 0; i < window->ComponentCount(); ++i) {
      auto* control = dynamic_cast<toolkit::TControl*>(window->Components(i));
      int room = -1;  // the width the caption may take
      if (dynamic_cast<toolkit::TLabel*>(control))
        room = control->Width();
      else if (dynamic_cast<toolkit::TButton*>(control))
        room = control->Width() - 4;  // inside the button's edges
      else if (dynamic_cast<toolkit::TGroupBox*>(control))
        room = control->Width() - 16;  // between the frame's corners
      if (room < 0) continue;
      std::string text;
      for (const char c : control->Caption())
        if (c != '&') text += c;
      canvas.Font()->Assign(*control->Font());
      EXPECT_LE(canvas.TextWidth(text), room) << control->Name() << " \"" << text << "\"";
      ++checked;
    }
  }
  canvas.SetHandle({});
  p::ReleaseDC(p::HWND{}, dc);
  EXPECT_GE(checked, 30);
}
