// The wrappers of the platform's standard controls, built from a stored
// description and driven with real input.
#include <gtest/gtest.h>

#include "ToolkitFixture.h"
#include "component/Reader.h"
#include "toolkit/Button.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Edit.h"
#include "toolkit/ListBox.h"
#include "toolkit/Timer.h"

using namespace toolkit;
namespace p = platform;

class StdCtrls : public ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    form = new TForm(app.get());
    component::ReadDescriptionResource(*form, "StdWindow.sdesc");
    entry = dynamic_cast<TEdit*>(form->FindComponent("Entry"));
    hidden = dynamic_cast<TEdit*>(form->FindComponent("Hidden"));
    list = dynamic_cast<TListBox*>(form->FindComponent("List"));
    ratio = dynamic_cast<TComboBox*>(form->FindComponent("Ratio"));
    ok = dynamic_cast<TButton*>(form->FindComponent("OkButton"));
    cancel = dynamic_cast<TButton*>(form->FindComponent("CancelButton"));
    ASSERT_TRUE(entry && hidden && list && ratio && ok && cancel);
  }
  void Key(int vk, bool alt = false) {
    if (alt) screen->KeyDown(p::VK_MENU);
    screen->KeyPress(vk);
    if (alt) screen->KeyUp(p::VK_MENU);
    Flush();
  }
  TForm* form = nullptr;
  TEdit *entry = nullptr, *hidden = nullptr;
  TListBox* list = nullptr;
  TComboBox* ratio = nullptr;
  TButton *ok = nullptr, *cancel = nullptr;
};

TEST_F(StdCtrls, EditTakesUpperCaseInputAndReportsEachChange) {
  form->Show();
  Flush();
  EXPECT_TRUE(entry->Focused());  // the first tab stop: Hidden is no stop
  EXPECT_EQ(entry->Text(), "-");
  int changes = 0;
  entry->OnChange = [&](component::TObject*) { ++changes; };
  entry->SelectAll();
  screen->TypeText("1a");
  Flush();
  EXPECT_EQ(entry->Text(), "1A");
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(entry->Modified());
  entry->SetModified(false);
  EXPECT_FALSE(entry->Modified());

  entry->SetText("x");  // programmatic changes report too
  EXPECT_EQ(changes, 3);
  entry->SetMaxLength(3);
  entry->SelectAll();
  screen->TypeText("abcdef");
  Flush();
  EXPECT_EQ(entry->Text(), "ABC");
  // A style change makes the window again and keeps the text.
  entry->SetCharCase(ecLowerCase);
  EXPECT_EQ(entry->Text(), "abc");
  EXPECT_TRUE(entry->HandleAllocated());
}

TEST_F(StdCtrls, ListBoxRowsSelectionAndOwnerDrawing) {
  std::vector<int> drawn;
  bool selectedDrawn = false;
  list->OnDrawItem = [&](TWinControl* control, int index, RECT rect, TOwnerDrawState state) {
    EXPECT_EQ(control, list);
    EXPECT_EQ(rect.Height(), 16);
    drawn.push_back(index);
    if (state.Contains(odSelected)) selectedDrawn = true;
    list->Canvas()->FillRect(rect);
    list->Canvas()->TextOut(rect.left + 2, rect.top + 1, list->Items()->Strings(index));
  };
  int clicks = 0;
  list->OnClick = [&](component::TObject*) { ++clicks; };
  form->Show();
  Flush();
  EXPECT_EQ(list->Count(), 3);
  EXPECT_EQ(drawn, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(list->ItemIndex(), -1);

  list->SetItemIndex(1);  // no click notification
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(clicks, 0);
  Flush();
  EXPECT_TRUE(selectedDrawn);

  RECT row = list->ItemRect(2);
  screen->Click(list->ClientToScreen(POINT{row.left + 5, row.top + 5}));
  Flush();
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_EQ(clicks, 1);

  int marker = 0;
  list->Items()->AddObject("Sharik", reinterpret_cast<component::TObject*>(&marker));
  EXPECT_EQ(list->Items()->Objects(3), reinterpret_cast<component::TObject*>(&marker));
  list->Items()->Delete(0);
  EXPECT_EQ(list->Items()->Strings(0), "Dina");
  list->Clear();
  EXPECT_EQ(list->ItemIndex(), -1);
  EXPECT_EQ(list->Count(), 0);
}

TEST_F(StdCtrls, ComboBoxPicksEntries) {
  EXPECT_EQ(ratio->ItemIndex(), 0);  // stored before its items, applied after
  EXPECT_EQ(ratio->Text(), "4:3");
  int changes = 0;
  ratio->OnChange = [&](component::TObject*) { ++changes; };
  form->Show();
  Flush();
  EXPECT_EQ(ratio->ItemIndex(), 0);
  ratio->SetFocus();
  Flush();
  Key(p::VK_DOWN);
  EXPECT_EQ(ratio->ItemIndex(), 1);
  EXPECT_EQ(ratio->Text(), "16:9");
  EXPECT_EQ(changes, 1);
  ratio->SetItemIndex(0);  // by program: no notification
  EXPECT_EQ(changes, 1);
  ratio->SetText("16:9");
  EXPECT_EQ(ratio->ItemIndex(), 1);
}

// The platform's box takes its field's height + 6; the wrapper keeps the
// height it is given through creation, new bounds and a new item height.
TEST_F(StdCtrls, ComboBoxKeepsItsHeight) {
  form->Show();
  Flush();
  auto windowHeight = [&] {
    RECT r;
    p::GetWindowRect(ratio->Handle(), &r);
    return r.Height();
  };
  EXPECT_EQ(windowHeight(), 21);
  EXPECT_EQ(ratio->Height(), 21);
  ratio->SetItemHeight(20);
  EXPECT_EQ(windowHeight(), 21);
  EXPECT_EQ(p::SendMessage(ratio->Handle(), p::CB_GETITEMHEIGHT, 0, 0), 20);
  ratio->SetBounds(ratio->Left(), ratio->Top(), ratio->Width(), 30);
  EXPECT_EQ(windowHeight(), 30);
  EXPECT_EQ(ratio->Height(), 30);
  ratio->SetBounds(20, 100, 80, 25);
  RECT r;
  p::GetWindowRect(ratio->Handle(), &r);
  EXPECT_EQ(r.Width(), 80);
  EXPECT_EQ(r.Height(), 25);
  EXPECT_EQ(ratio->Left(), 20);
  EXPECT_EQ(ratio->Height(), 25);
  ratio->SetStyle(csDropDown);  // a new window keeps the height as well
  Flush();
  EXPECT_EQ(windowHeight(), 25);
}

TEST_F(StdCtrls, ButtonsClickByMouseAcceleratorEnterAndEscape) {
  form->Show();
  Flush();
  std::vector<std::string> log;
  ok->OnClick = [&](component::TObject*) { log.push_back("ok"); };
  cancel->OnClick = [&](component::TObject*) { log.push_back("cancel"); };
  screen->Click(cancel->ClientToScreen(POINT{10, 10}));
  Flush();
  Key('C', true);     // Alt+C: "&Close"
  Key(p::VK_ESCAPE);  // the cancel button
  entry->SetFocus();
  Flush();
  Key(p::VK_RETURN);  // the default button
  EXPECT_EQ(log, (std::vector<std::string>{"cancel", "ok", "cancel", "ok"}));
  EXPECT_EQ(form->ModalResult(), mrOk);  // each click sets the form's result

  // Shown modally, a button with a modal result ends the showing.
  form->Hide();
  form->SetModalResult(mrNone);
  TTimer press(form);
  press.SetInterval(100);
  press.SetOnTimer([&](component::TObject*) {
    press.SetEnabled(false);
    screen->Click(cancel->ClientToScreen(POINT{10, 10}));
  });
  EXPECT_EQ(form->ShowModal(), mrCancel);
}
