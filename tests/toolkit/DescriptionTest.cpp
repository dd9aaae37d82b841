#include <gtest/gtest.h>

#include "TestForms.h"
#include "ToolkitFixture.h"
#include "component/Exception.h"
#include "component/Reader.h"
#include "memtable/DataSource.h"
#include "memtable/MemTable.h"
#include "records/Registration.h"
#include "toolkit/GroupBox.h"

using namespace toolkit;
namespace p = platform;

class Descriptions : public ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    RegisterTestForms();
    records::RegisterRecordClasses();
  }
};

TEST_F(Descriptions, ToolkitClassesTakeTheirStoredProperties) {
  app->CreateForm(TestWindow);
  auto* label = dynamic_cast<TLabel*>(TestWindow->FindComponent("Label1"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Parent(), TestWindow);
  EXPECT_EQ(label->BoundsRect(), (p::RECT{8, 8, 108, 28}));
  EXPECT_EQ(label->Caption(), "Hello");
  EXPECT_EQ(label->Color(), clNavy);
  EXPECT_FALSE(label->ParentFont());
  EXPECT_EQ(label->Font()->Color(), clLime);
  EXPECT_TRUE(label->Font()->Style().Contains(fsBold));
  EXPECT_EQ(TestWindow->Color(), TColor(8239058));

  // Nested objects are children of the enclosing control, owned by the window.
  auto* group = dynamic_cast<TGroupBox*>(TestWindow->FindComponent("Group"));
  auto* inner = dynamic_cast<TLabel*>(TestWindow->FindComponent("Inner"));
  ASSERT_TRUE(group && inner);
  EXPECT_EQ(inner->Parent(), group);
  EXPECT_EQ(inner->Owner(), TestWindow);
  EXPECT_TRUE(inner->ParentFont());
  EXPECT_EQ(inner->Font()->Name(), "MS Sans Serif");
  EXPECT_GT(inner->Width(), 0);  // sized to its text once loaded

  auto* open = dynamic_cast<TMenuItem*>(TestWindow->FindComponent("miOpen"));
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->ShortCut(), 16452);
  EXPECT_EQ(ShortCutToText(open->ShortCut()), "Ctrl+D");
  EXPECT_EQ(open->Parent()->Name(), "miFile");
  EXPECT_EQ(TestWindow->Menu()->Items()->Items(0)->Name(), "miFile");
  EXPECT_TRUE(TestWindow->IsShortCut('D', TShiftState{ssCtrl}));
  EXPECT_EQ(TestWindow->log.back(), "open");
  EXPECT_FALSE(TestWindow->IsShortCut('D', TShiftState{}));
  open->SetEnabled(false);
  EXPECT_FALSE(TestWindow->IsShortCut('D', TShiftState{ssCtrl}));

  // The timer is set up once loaded and ticks through the loop.
  screen->Run(1000);
  EXPECT_EQ(TestWindow->ticks, 4);
}

TEST_F(Descriptions, ErrorsNameTheFileLineAndItem) {
  auto* form = new TForm(app.get());
  try {
    component::ReadDescription(*form,
                               "object F: TForm\n"
                               "  object L: TLabel\n"
                               "    Captoin = 'x'\n"
                               "  end\n"
                               "end\n",
                               "F.sdesc");
    FAIL();
  } catch (const component::EPropertyError& e) {
    EXPECT_STREQ(e.what(), "F.sdesc(3): unknown property 'Captoin' of L (TLabel)");
  }
  EXPECT_EQ(form->ComponentCount(), 0);  // what the failed load made is gone
}

TEST_F(Descriptions, TablesOpenAfterLoadingOnlyWithDesignActivation) {
  auto* form = new TForm(app.get());
  form->SetName("Data");
  component::ReadDescription(*form,
                             "object Data: TForm\n"
                             "  object Open1: TMemTable\n"
                             "    Active = True\n"
                             "    FieldDefs = <\n"
                             "      item\n"
                             "        Name = 'ID'\n"
                             "        DataType = ftAutoInc\n"
                             "        Required = True\n"
                             "      end\n"
                             "      item\n"
                             "        Name = 'Nick'\n"
                             "        DataType = ftString\n"
                             "        Size = 20\n"
                             "      end>\n"
                             "    DesignActivation = True\n"
                             "    ProgressFlags = [mtpcLoad, mtpcCopy]\n"
                             "    SubLanguageID = 1\n"
                             "  end\n"
                             "  object Closed1: TMemTable\n"
                             "    Active = True\n"
                             "    FieldDefs = <\n"
                             "      item\n"
                             "        Name = 'A'\n"
                             "        DataType = ftInteger\n"
                             "      end>\n"
                             "    DesignActivation = False\n"
                             "  end\n"
                             "  object DS1: TDataSource\n"
                             "    DataSet = Open1\n"
                             "  end\n"
                             "end\n",
                             "Data.sdesc");
  auto* open = dynamic_cast<memtable::TMemTable*>(form->FindComponent("Open1"));
  auto* closed = dynamic_cast<memtable::TMemTable*>(form->FindComponent("Closed1"));
  auto* ds = dynamic_cast<memtable::TDataSource*>(form->FindComponent("DS1"));
  ASSERT_TRUE(open && closed && ds);
  EXPECT_TRUE(open->Active());
  EXPECT_EQ(open->FieldCount(), 2);
  EXPECT_EQ(open->FieldDefs()[1].Size(), 20);
  EXPECT_TRUE(open->FieldDefs()[0].Required());
  EXPECT_EQ(open->ProgressFlags(), 1u | 64u);
  EXPECT_FALSE(closed->Active());
  EXPECT_EQ(ds->DataSet(), open);

  // Another window reaches the data source by the path Window.Component.
  auto* other = new TForm(app.get());
  other->SetName("Other");
  component::ReadDescription(*other,
                             "object Other: TForm\n"
                             "  object DS2: TDataSource\n"
                             "    DataSet = Data.Open1\n"
                             "  end\n"
                             "end\n",
                             "Other.sdesc");
  auto* ds2 = dynamic_cast<memtable::TDataSource*>(other->FindComponent("DS2"));
  ASSERT_NE(ds2, nullptr);
  EXPECT_EQ(ds2->DataSet(), open);

  // Errors of the table engine reach the application's guard as component
  // errors: one root for all.
  try {
    open->Post();
    FAIL();
  } catch (const component::Exception& e) {
    EXPECT_STREQ(e.what(), "Open1: Dataset not in edit or insert mode");
  }
}
