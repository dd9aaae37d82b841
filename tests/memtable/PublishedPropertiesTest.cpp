// The memory table's published properties and events, set from a stored
// description.
#include <gtest/gtest.h>

#include "component/ClassBuilder.h"
#include "component/Reader.h"
#include "memtable/DataSource.h"
#include "memtable/MemTable.h"

namespace {

using namespace memtable;
using component::TComponent;

// A window-less root owning the tables, with the handlers they name.
class TTables : public TComponent {
 public:
  COMPONENT_CLASS_INFO()
  explicit TTables(TComponent* owner) : TComponent(owner) {}
  void Progress(TCustomMemTable*, int, TMemTableProgressCode) { ++calls; }
  void Calc(TDataSet*) { ++calls; }
  void PostError(TDataSet*, EDatabaseError&, TDataAction& action) {
    ++calls;
    action = daAbort;
  }
  void Compare(TCustomMemTable*, TField*, const void*, const void*, TFieldType, TIndexFieldOptions,
               bool&, int&) {
    ++calls;
  }
  int calls = 0;
};

const component::TClassInfo& TTables::StaticClassInfo() {
  static const component::TClassInfo info = component::TClassBuilder<TTables, TComponent>("TTables")
                                                .Method("Progress", &TTables::Progress)
                                                .Method("Calc", &TTables::Calc)
                                                .Method("PostError", &TTables::PostError)
                                                .Method("Compare", &TTables::Compare)
                                                .Build();
  return info;
}

TMemTable* Table(TTables& root, const char* name) {
  return dynamic_cast<TMemTable*>(root.FindComponent(name));
}

TEST(PublishedProperties, EveryPropertyOfTheTableCanBeStored) {
  component::RegisterClasses<TTables, TMemTable, TDataSource>();
  TTables root(nullptr);
  component::ReadDescription(root,
                             "object Tables: TTables\n"
                             "  object Master: TMemTable\n"
                             "    FieldDefs = <\n"
                             "      item\n"
                             "        Name = 'ID'\n"
                             "        DataType = ftInteger\n"
                             "      end>\n"
                             "  end\n"
                             "  object DS_Master: TDataSource\n"
                             "    DataSet = Master\n"
                             "  end\n"
                             "  object Shared: TMemTable\n"
                             "    AttachedTo = Master\n"
                             "  end\n"
                             "  object Detail: TMemTable\n"
                             "    FieldDefs = <\n"
                             "      item\n"
                             "        Name = 'Note'\n"
                             "        DataType = ftString\n"
                             "        Size = 40\n"
                             "      end>\n"
                             "    Performance = mtpfSmall\n"
                             "    Standalone = True\n"
                             "    EnableVersioning = True\n"
                             "    VersioningMode = mtvmAllSinceCheckPoint\n"
                             "    RecalcOnIndex = True\n"
                             "    RecalcOnFetch = False\n"
                             "    AutoCalcFields = False\n"
                             "    MasterSource = DS_Master\n"
                             "    MasterFields = 'ID'\n"
                             "    DetailFields = 'MasterID'\n"
                             "    RangeIgnoreNullKeyValues = False\n"
                             "    PersistentBackupExt = 'old'\n"
                             "    LoadLimit = 10\n"
                             "    LoadedCompletely = True\n"
                             "    SaveLimit = 20\n"
                             "    SavedCompletely = True\n"
                             "    DefaultFormat = DS_Master\n"
                             "    DeltaHandler = DS_Master\n"
                             "    OnProgress = Progress\n"
                             "    OnCalcFields = Calc\n"
                             "    OnPostError = PostError\n"
                             "    OnCompareFields = Compare\n"
                             "  end\n"
                             "end\n",
                             "Tables.sdesc");
  TMemTable* master = Table(root, "Master");
  TMemTable* shared = Table(root, "Shared");
  TMemTable* detail = Table(root, "Detail");
  ASSERT_TRUE(master && shared && detail);
  EXPECT_EQ(shared->AttachedTo(), master);
  EXPECT_EQ(shared->Store(), master->Store());

  EXPECT_EQ(detail->Performance(), mtpfSmall);
  EXPECT_TRUE(detail->Standalone());
  EXPECT_TRUE(detail->EnableVersioning());
  EXPECT_EQ(detail->VersioningMode(), mtvmAllSinceCheckPoint);
  EXPECT_TRUE(detail->RecalcOnIndex());
  EXPECT_FALSE(detail->RecalcOnFetch());
  EXPECT_FALSE(detail->AutoCalcFields());
  auto* source = dynamic_cast<TDataSource*>(root.FindComponent("DS_Master"));
  EXPECT_EQ(detail->MasterSource(), source);
  EXPECT_EQ(detail->MasterFields, "ID");
  EXPECT_EQ(detail->DetailFields, "MasterID");
  EXPECT_FALSE(detail->RangeIgnoreNullKeyValues);
  EXPECT_EQ(detail->PersistentBackupExt, "old");
  EXPECT_EQ(detail->LoadLimit, 10);
  EXPECT_TRUE(detail->LoadedCompletely);
  EXPECT_EQ(detail->SaveLimit, 20);
  EXPECT_TRUE(detail->SavedCompletely);
  EXPECT_EQ(detail->DefaultFormat(), source);
  EXPECT_EQ(detail->DeltaHandler(), source);

  // The handlers are attached, and the storage choice reaches the store.
  ASSERT_TRUE(detail->OnProgress && detail->OnCalcFields && detail->OnPostError &&
              detail->OnCompareFields);
  detail->OnCalcFields(detail);
  EXPECT_EQ(root.calls, 1);
  detail->Open();
  int note = detail->FieldByName("Note")->FieldNo();
  EXPECT_TRUE(detail->Store()->FieldFlags(note) & mtfCompressed);

  // References to components that go are forgotten.
  delete source;
  EXPECT_EQ(detail->MasterSource(), nullptr);
  EXPECT_EQ(detail->DefaultFormat(), nullptr);
}

}  // namespace
