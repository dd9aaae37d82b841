// The field data link without any editor: which notifications reach it,
// when it shows its field again, and the guard around its own write.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestTables.h"
#include "memtable/DataSource.h"
#include "memtable/FieldDataLink.h"

namespace {

using namespace memtable;

struct LinkedTable : ::testing::Test {
  void SetUp() override {
    testing_tables::DefinePeople(table);
    testing_tables::AddPerson(table, "Rex", 3, "Riga");
    testing_tables::AddPerson(table, "Dina", 5, "Bonn");
    source.SetDataSet(&table);
    link.OnDataChange = [this] { shown.push_back(link.Field() ? link.Field()->AsString() : ""); };
    link.OnUpdateData = [this] { link.Field()->SetAsString(typed); };
    link.SetDataSource(&source);
    link.SetFieldName("Name");
    shown.clear();
  }
  TMemTable table;
  TDataSource source;
  TFieldDataLink link;
  std::vector<std::string> shown;
  std::string typed;
};

TEST_F(LinkedTable, ShowsTheFieldAgainOnEveryMoveAndChangeOfItsOwnField) {
  table.First();
  table.Next();
  EXPECT_EQ(shown, (std::vector<std::string>{"Rex", "Dina"}));
  table.Edit();
  shown.clear();
  table.FieldByName("City")->SetAsString("Oslo");  // another field: not shown again
  EXPECT_TRUE(shown.empty());
  table.FieldByName("Name")->SetAsString("Dora");
  EXPECT_EQ(shown, (std::vector<std::string>{"Dora"}));
  table.Cancel();
}

TEST_F(LinkedTable, WritesOnlyAMarkedChangeAndIgnoresItsOwnWrite) {
  table.Edit();
  shown.clear();
  typed = "Kiki";
  table.Post();  // nothing marked: nothing written
  EXPECT_EQ(table.FieldByName("Name")->AsString(), "Dina");
  table.Edit();
  link.Modified();
  bool writing = false, reloadedMidWrite = false;
  link.OnDataChange = [&] { reloadedMidWrite |= writing; };
  link.OnUpdateData = [&] {
    writing = true;
    link.Field()->SetAsString(typed);
    writing = false;
  };
  table.Post();
  EXPECT_EQ(table.FieldByName("Name")->AsString(), "Kiki");
  EXPECT_FALSE(link.IsModified());
  EXPECT_FALSE(reloadedMidWrite);
}

TEST_F(LinkedTable, AFailingWriteKeepsTheChangeMarked) {
  link.OnUpdateData = [this] { link.Field()->SetText("x"); };
  link.SetFieldName("Age");
  table.Edit();
  link.Modified();
  EXPECT_THROW(table.Post(), EDatabaseError);
  EXPECT_TRUE(link.IsModified());
  EXPECT_EQ(table.State(), dsEdit);
  table.Cancel();
}

TEST_F(LinkedTable, EditingNeedsAModifiableFieldAndALinkThatIsNotReadOnly) {
  EXPECT_TRUE(link.CanModify());
  EXPECT_TRUE(link.Edit());
  EXPECT_EQ(table.State(), dsEdit);
  table.Cancel();
  link.SetReadOnly(true);
  EXPECT_FALSE(link.Edit());
  EXPECT_EQ(table.State(), dsBrowse);
  link.SetReadOnly(false);
  table.FieldByName("Name")->SetReadOnly(true);
  EXPECT_FALSE(link.CanModify());
  table.FieldByName("Name")->SetReadOnly(false);
  source.SetAutoEdit(false);
  EXPECT_FALSE(link.Edit());
  // Closing the table deactivates the link and forgets the field.
  table.Close();
  EXPECT_FALSE(link.Active());
  EXPECT_EQ(link.Field(), nullptr);
}

TEST(FieldCharacters, WholeNumbersTakeSignsAndDigitsTextTakesAll) {
  TMemTable table;
  testing_tables::DefinePeople(table);
  const TField& age = *table.FieldByName("Age");
  const TField& name = *table.FieldByName("Name");
  for (char c : std::string("+-0123456789")) EXPECT_TRUE(IsValidChar(age, c)) << c;
  for (char c : std::string("a .e\xe9")) EXPECT_FALSE(IsValidChar(age, c)) << c;
  for (char c : std::string("a .e\xe9-")) EXPECT_TRUE(IsValidChar(name, c)) << c;
}

}  // namespace
