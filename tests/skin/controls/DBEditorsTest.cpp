// The data-aware editors on a skinned form, bound to a small table: what
// they show, how typing puts the table into edit state, what the field's
// character check and text conversion refuse, and when the text is written.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ControlFixture.h"
#include "dataaware/DBControls.h"
#include "memtable/DataSource.h"
#include "memtable/DatabaseError.h"
#include "memtable/MemTable.h"
#include "memtable/TestTables.h"
#include "platform/window/VirtualKeys.h"
#include "skin/controls/SkinDBControls.h"

namespace {

namespace p = platform;
using memtable::TMemTable;

class DBEditorsTest : public SkinControlTest {
 protected:
  void SetUp() override {
    SkinControlTest::SetUp();
    table = std::make_unique<TMemTable>();
    testing_tables::DefinePeople(*table);
    table->FieldDefs();
    testing_tables::AddPerson(*table, "Rex", 3, "Riga");
    testing_tables::AddPerson(*table, "Dina", 5, "Bonn");
    table->First();
    source = std::make_unique<memtable::TDataSource>();
    source->SetDataSet(table.get());
    name = Edit("NameEdit", "Name", 10);
    age = Edit("AgeEdit", "Age", 40);
    age->SetMaxLength(2);
    city = Edit("CityEdit", "City", 70);
    Flush();
  }
  void TearDown() override {
    // The editors go with the form, before the table and its source.
    SkinControlTest::TearDown();
    source.reset();
    table.reset();
  }
  skin::TSkinDBEdit* Edit(const char* editName, const char* field, int top) {
    auto* e = new skin::TSkinDBEdit(form);
    e->SetName(editName);
    e->SetParent(form);
    e->SetBounds(10, top, 150, 21);
    e->SetDataSource(source.get());
    e->SetDataField(field);
    return e;
  }
  void Focus(toolkit::TWinControl* c) {
    c->SetFocus();
    Flush();
  }
  void Type(const std::string& text) {
    screen->TypeText(text);
    Flush();
  }
  void Key(int vk) {
    screen->KeyPress(vk);
    Flush();
  }
  std::string Value(const char* field) { return table->FieldByName(field)->AsString(); }

  std::unique_ptr<TMemTable> table;
  std::unique_ptr<memtable::TDataSource> source;
  skin::TSkinDBEdit *name = nullptr, *age = nullptr, *city = nullptr;
};

TEST_F(DBEditorsTest, ShowTheCurrentRecordAndFollowItReadOnlyWhileBrowsing) {
  EXPECT_EQ(name->Text(), "Rex");
  EXPECT_EQ(age->Text(), "3");
  EXPECT_EQ(name->MaxLength(), 50);  // from the field's size
  EXPECT_EQ(age->MaxLength(), 2);    // a stored limit stays
  EXPECT_TRUE(name->EditReadOnly());
  EXPECT_FALSE(name->AutoSize());
  EXPECT_EQ(name->Height(), 21);
  table->Next();
  EXPECT_EQ(name->Text(), "Dina");
  EXPECT_EQ(city->Text(), "Bonn");
  table->Edit();
  EXPECT_FALSE(name->EditReadOnly());
  EXPECT_TRUE(name->DataLink()->Editing());
  table->Cancel();
  EXPECT_TRUE(name->EditReadOnly());
  // A read-only link does not edit, whatever the table does.
  city->SetReadOnly(true);
  table->Edit();
  EXPECT_FALSE(city->DataLink()->Editing());
  EXPECT_TRUE(city->EditReadOnly());
  EXPECT_FALSE(city->DataLink()->Edit());
  table->Cancel();
}

TEST_F(DBEditorsTest, AnUnknownFieldNameReportsTheEditorsName) {
  try {
    name->SetDataField("Nickname");
    FAIL() << "no error";
  } catch (const memtable::EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "NameEdit: Field 'Nickname' not found");
  }
  EXPECT_EQ(name->Field(), nullptr);
  // Unbound, it shows nothing.
  name->SetDataField("");
  EXPECT_EQ(name->Text(), "");
}

TEST_F(DBEditorsTest, TypingStartsAnEditAndTheTextIsWrittenWhenLeaving) {
  Focus(name);
  EXPECT_EQ(table->State(), memtable::dsBrowse);
  Key(p::VK_END);
  Type("o");
  EXPECT_EQ(table->State(), memtable::dsEdit);
  EXPECT_FALSE(city->EditReadOnly());  // every editor became writable
  EXPECT_EQ(name->Text(), "Rexo");
  EXPECT_TRUE(name->DataLink()->IsModified());
  EXPECT_EQ(Value("Name"), "Rex");  // not written yet
  Focus(city);
  EXPECT_EQ(Value("Name"), "Rexo");
  EXPECT_FALSE(name->DataLink()->IsModified());
  // Escape drops a typed change, keeps the edit state and selects the text.
  Type("xx");
  Key(p::VK_ESCAPE);
  EXPECT_EQ(city->Text(), "Riga");
  EXPECT_EQ(city->SelLength(), 4);
  EXPECT_EQ(table->State(), memtable::dsEdit);
  // A change still typed is written by the post that commits the record.
  Type("Oslo");
  table->Post();
  EXPECT_EQ(Value("City"), "Oslo");
  EXPECT_TRUE(boxes.empty());
}

TEST_F(DBEditorsTest, TheAgeTakesDigitsAndSignsOnlyAndMustReadAsAWholeNumber) {
  Focus(age);
  const int beeps = screen->Beeps();
  Type("a");
  EXPECT_EQ(screen->Beeps(), beeps + 1);
  EXPECT_EQ(age->Text(), "3");
  EXPECT_EQ(table->State(), memtable::dsBrowse);  // a refused key asks nothing
  // Two characters at most.
  age->SelectAll();
  Type("123");
  EXPECT_EQ(age->Text(), "12");
  // A lone minus: leaving reports the conversion error and stays.
  age->SelectAll();
  Type("-");
  Focus(city);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "'-' is not a valid integer value for field 'Age'");
  EXPECT_EQ(p::GetFocus(), age->Handle());
  EXPECT_EQ(age->SelLength(), 1);
  EXPECT_EQ(table->State(), memtable::dsEdit);
  // Emptied, it clears the field.
  Key(p::VK_BACK);
  Focus(city);
  EXPECT_EQ(p::GetFocus(), city->Handle());
  EXPECT_TRUE(table->FieldByName("Age")->IsNull());
  EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(DBEditorsTest, FocusLeavingTheWindowDoesNotWriteTheText) {
  Focus(name);
  Type("Q");
  auto* other = new toolkit::TForm(app.get());
  other->SetBounds(500, 100, 100, 100);
  other->Show();
  Flush();
  EXPECT_TRUE(name->DataLink()->IsModified());
  EXPECT_EQ(Value("Name"), "Rex");
  table->Post();  // the commit writes it after all
  EXPECT_EQ(Value("Name"), "Q");
}

TEST_F(DBEditorsTest, TypingIntoAnEmptyTableStartsANewRecord) {
  while (!table->IsEmpty()) table->Delete();
  Focus(name);
  Type("Kiki");
  EXPECT_EQ(table->State(), memtable::dsInsert);
  table->Post();
  EXPECT_EQ(table->RecordCount(), 1);
  EXPECT_EQ(Value("Name"), "Kiki");
}

TEST_F(DBEditorsTest, PastedTextIsCutToTheFieldsLength) {
  Focus(city);
  const std::string longText(80, 'w');
  ASSERT_TRUE(p::SetClipboardText(longText));
  city->SelectAll();
  screen->KeyDown(p::VK_CONTROL);
  Key('V');
  screen->KeyUp(p::VK_CONTROL);
  EXPECT_EQ(table->State(), memtable::dsEdit);
  EXPECT_EQ(city->Text(), std::string(50, 'w'));
  table->Post();
  EXPECT_EQ(Value("City"), std::string(50, 'w'));
}

class DBComboBoxTest : public DBEditorsTest {
 protected:
  void SetUp() override {
    DBEditorsTest::SetUp();
    box = new skin::TSkinDBComboBox(form);
    box->SetParent(form);
    box->SetBounds(200, 10, 120, 21);
    box->Items()->Add("Riga");
    box->Items()->Add("Bonn");
    box->Items()->Add("Rome");
    box->SetDataSource(source.get());
    box->SetDataField("City");
    Flush();
  }
  skin::TSkinDBComboBox* box = nullptr;
};

TEST_F(DBComboBoxTest, SelectsTheEntryOfTheFieldIgnoringCase) {
  EXPECT_EQ(box->Style(), toolkit::csDropDownList);
  EXPECT_EQ(box->ItemIndex(), 0);
  table->Edit();
  table->FieldByName("City")->SetAsString("bONN");
  EXPECT_EQ(box->ItemIndex(), 1);
  table->FieldByName("City")->SetAsString("Paris");
  EXPECT_EQ(box->ItemIndex(), -1);
  EXPECT_EQ(box->ComboText(), "");
  table->Cancel();
  EXPECT_EQ(box->ItemIndex(), 0);
  // Setting the selection from code marks nothing.
  box->SetItemIndex(2);
  EXPECT_FALSE(box->DataLink()->IsModified());
}

TEST_F(DBComboBoxTest, KeysStartAnEditAndTheChoiceIsWrittenByThePost) {
  Focus(box);
  Key(p::VK_DOWN);
  EXPECT_EQ(table->State(), memtable::dsEdit);
  EXPECT_EQ(box->ItemIndex(), 1);
  EXPECT_TRUE(box->DataLink()->IsModified());
  // Typed letters choose by prefix; a pause starts a new one.
  Type("r");
  EXPECT_EQ(box->ComboText(), "Riga");
  Type("o");
  EXPECT_EQ(box->ComboText(), "Rome");
  screen->Run(600);
  Type("b");
  EXPECT_EQ(box->ComboText(), "Bonn");
  Key(p::VK_ESCAPE);
  EXPECT_EQ(box->ComboText(), "Riga");
  Key(p::VK_DOWN);
  table->Post();
  EXPECT_EQ(Value("City"), "Bonn");
  // A read-only box keeps its entry.
  box->SetReadOnly(true);
  Key(p::VK_DOWN);
  EXPECT_EQ(box->ItemIndex(), 1);
  EXPECT_EQ(table->State(), memtable::dsBrowse);
}

TEST(DBEditorsRegistration, ThePlainEditorsReadTheirBindingFromADescription) {
  dataaware::TDBEdit edit(nullptr);
  EXPECT_TRUE(edit.EditReadOnly());
  edit.SetDataField("Name");
  EXPECT_EQ(edit.DataField(), "Name");
  EXPECT_EQ(edit.Field(), nullptr);  // no source: inactive
  dataaware::TDBComboBox box(nullptr);
  box.SetReadOnly(true);
  EXPECT_TRUE(box.ReadOnly());
}

// Each editor describes the binding as its own, over its look's description.
TEST(DBEditorsRegistration, EveryEditorStoresItsBindingOverItsLook) {
  const struct {
    const component::TClassInfo& info;
    const char* name;
    const char* parent;
  } editors[] = {
      {dataaware::TDBEdit::StaticClassInfo(), "TDBEdit", "TEdit"},
      {dataaware::TDBComboBox::StaticClassInfo(), "TDBComboBox", "TComboBox"},
      {skin::TSkinDBEdit::StaticClassInfo(), "TSkinDBEdit", "TSkinEdit"},
      {skin::TSkinDBComboBox::StaticClassInfo(), "TSkinDBComboBox", "TSkinComboBox"},
  };
  for (const auto& e : editors) {
    SCOPED_TRACE(e.name);
    EXPECT_EQ(e.info.Name(), e.name);
    ASSERT_NE(e.info.Parent(), nullptr);
    EXPECT_EQ(e.info.Parent()->Name(), e.parent);
    ASSERT_EQ(e.info.OwnProperties().size(), 3u);
    for (const char* property : {"DataField", "DataSource", "ReadOnly"})
      EXPECT_NE(e.info.FindProperty(property), nullptr) << property;
  }
  // The skinned ones keep their look's stored properties.
  EXPECT_NE(skin::TSkinDBEdit::StaticClassInfo().FindProperty("SkinData"), nullptr);
  EXPECT_NE(skin::TSkinDBComboBox::StaticClassInfo().FindProperty("DisabledKind"), nullptr);
}

}  // namespace
