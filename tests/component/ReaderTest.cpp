// Loading stored descriptions into components: values, order, references,
// the loading protocol and every way a load can fail.
#include "component/Reader.h"

#include <gtest/gtest.h>

#include "TestClasses.h"
#include "component/Exception.h"

using namespace component;
using namespace testclasses;

namespace {

class ReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterTestClasses();
    Log().clear();
  }
  void TearDown() override { SetFindGlobalComponent(nullptr); }

  template <class T = TTestComponent>
  T* Child(TComponent& root, const char* name) {
    auto* c = dynamic_cast<T*>(root.FindComponent(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
  }
};

TEST_F(ReaderTest, EveryValueKindReachesItsSetterInStoredOrder) {
  TTestForm form(nullptr);
  ReadDescription(form,
                  "object Main: TTestForm\n"
                  "  Caption = 'Race ''console''' +\n"
                  "    #32'one'\n"
                  "  Left = -243\n"
                  "  Big = $FFFFFFFFFFFFFFFF\n"
                  "  Small = 255\n"
                  "  Scale = 3\n"
                  "  Ratio = 0.5\n"
                  "  visible = false\n"
                  "  Align = ALCLIENT\n"
                  "  Blob = {00 01\n"
                  "          FE FF}\n"
                  "  Lines = ('4:3' '16:9')\n"
                  "  Font.Name = 'Arial'\n"
                  "  Font.Style = [fsBold, fsStrikeOut]\n"
                  "  Font.Color = clHighlight\n"
                  "  Tag = 7\n"
                  "  Left = 12\n"
                  "end\n",
                  "Main.sdesc");
  EXPECT_EQ(form.Name(), "Main");
  EXPECT_EQ(form.caption, "Race 'console' one");
  EXPECT_EQ(form.left, 12);
  EXPECT_EQ(form.big, -1);
  EXPECT_EQ(form.small, 255);
  EXPECT_DOUBLE_EQ(form.scale, 3.0);
  EXPECT_FLOAT_EQ(form.ratio, 0.5f);
  EXPECT_FALSE(form.visible);
  EXPECT_EQ(form.align, alClient);
  EXPECT_EQ(form.blob, (TBytes{0x00, 0x01, 0xFE, 0xFF}));
  EXPECT_EQ(form.lines, (TStringValues{"4:3", "16:9"}));
  EXPECT_EQ(form.font.name, "Arial");
  EXPECT_EQ(form.font.style, (TFontStyles{fsBold, fsStrikeOut}));
  EXPECT_EQ(form.font.color, -16777203);
  EXPECT_EQ(form.Tag(), 7);
  EXPECT_EQ(form.applied,
            (std::vector<std::string>{"Caption", "Left", "Big", "Small", "Scale", "Ratio",
                                      "Visible", "Align", "Blob", "Lines", "Left"}));
}

TEST_F(ReaderTest, HexLiteralsGiveTheBitPatternOfTheirType) {
  TTestForm form(nullptr);
  ReadDescription(form,
                  "object Main: TTestForm\n"
                  "  Font.Color = $FF00000D\n"
                  "  Left = $7FFFFFFF\n"
                  "  Small = $FF\n"
                  "end",
                  "Main.sdesc");
  EXPECT_EQ(form.font.color, static_cast<std::int32_t>(0xFF00000D));
  EXPECT_EQ(form.left, 0x7FFFFFFF);
  EXPECT_EQ(form.small, 255);
}

TEST_F(ReaderTest, CollectionsFillInOrderWithNestedItemsAndBinarySubObjects) {
  TTestForm form(nullptr);
  form.items.Add()->name = "stale";  // replaced by the stored content
  ReadDescription(form,
                  "object Main: TTestForm\n"
                  "  Items = <\n"
                  "    item\n"
                  "      Name = 'Golden (internal)'\n"
                  "      Image.Data = {0201 AABB}\n"
                  "      Children = <\n"
                  "        item\n"
                  "          Name = 'FORM'\n"
                  "          Value = 3\n"
                  "        end\n"
                  "        item\n"
                  "          Name = 'EDIT'\n"
                  "        end>\n"
                  "    end\n"
                  "    item\n"
                  "    end>\n"
                  "end",
                  "Main.sdesc");
  ASSERT_EQ(form.items.Count(), 2);
  TTestItem* skin = form.items.Items(0);
  EXPECT_EQ(skin->name, "Golden (internal)");
  EXPECT_EQ(skin->image.width, 2);
  EXPECT_EQ(skin->image.height, 1);
  EXPECT_EQ(skin->image.pixels, (std::vector<std::uint8_t>{0xAA, 0xBB}));
  ASSERT_EQ(skin->children->Count(), 2);
  EXPECT_EQ(skin->children->Items(0)->name, "FORM");
  EXPECT_EQ(skin->children->Items(0)->value, 3);
  EXPECT_EQ(skin->children->Items(1)->name, "EDIT");
  EXPECT_EQ(form.items.Items(1)->name, "");
  EXPECT_EQ(form.items.UpdateCount(), 0);
}

TEST_F(ReaderTest, NestedObjectsAreOwnedByTheRootAndParentedByTheEnclosingObject) {
  TTestForm form(nullptr);
  ReadDescription(form,
                  "object Main: TTestForm\n"
                  "  object Panel1: TTestPanel\n"
                  "    Border = 2\n"
                  "    Caption = 'panel'\n"
                  "    object Label1: TTestComponent\n"
                  "    end\n"
                  "    object TTestComponent\n"
                  "    end\n"
                  "  end\n"
                  "  object Table1: TTestComponent\n"
                  "  end\n"
                  "end",
                  "Main.sdesc");
  ASSERT_EQ(form.ComponentCount(), 4);
  auto* panel = Child<TTestPanel>(form, "Panel1");
  EXPECT_EQ(form.Components(0), panel);
  EXPECT_EQ(form.Components(1)->Name(), "Label1");
  EXPECT_EQ(form.Components(2)->Name(), "");
  EXPECT_EQ(form.Components(3)->Name(), "Table1");
  EXPECT_EQ(panel->border, 2);
  EXPECT_EQ(panel->caption, "panel");
  EXPECT_EQ(panel->parent, &form);
  EXPECT_EQ(Child(form, "Label1")->parent, panel);
  EXPECT_EQ(dynamic_cast<TTestComponent*>(form.Components(2))->parent, panel);
  EXPECT_EQ(Child(form, "Table1")->parent, &form);
  const std::vector<std::string> orders(Log().begin(), Log().begin() + 4);
  EXPECT_EQ(orders, (std::vector<std::string>{"order Panel1 0 in Main", "order Label1 0 in Panel1",
                                              "order  1 in Panel1", "order Table1 1 in Main"}));
}

TEST_F(ReaderTest, LoadedRunsAfterEverythingInCreationOrderWhileLaterOnesStillLoad) {
  TTestForm form(nullptr);
  ReadDescription(form,
                  "object Main: TTestForm\n"
                  "  Left = 1\n"
                  "  object A: TTestPanel\n"
                  "    Left = 1\n"
                  "    object B: TTestComponent\n"
                  "      Left = 1\n"
                  "    end\n"
                  "  end\n"
                  "  object C: TTestComponent\n"
                  "    Buddy = A\n"
                  "  end\n"
                  "end",
                  "Main.sdesc");
  // Every property was set while its component was loading and reading.
  for (TTestComponent* c : {static_cast<TTestComponent*>(&form), Child(form, "A"), Child(form, "B"),
                            Child(form, "C")}) {
    ASSERT_FALSE(c->stateAtSet.empty());
    for (TComponentState s : c->stateAtSet) {
      EXPECT_TRUE(s.Contains(csLoading));
      EXPECT_TRUE(s.Contains(csReading));
    }
    EXPECT_FALSE(c->ComponentState().Contains(csLoading));
    EXPECT_FALSE(c->ComponentState().Contains(csReading));
  }
  const std::vector<std::string> loaded(Log().end() - 4, Log().end());
  EXPECT_EQ(loaded, (std::vector<std::string>{"loaded Main +A +B +C", "loaded A +B +C",
                                              "loaded B +C", "loaded C"}));
}

TEST_F(ReaderTest, ReferencesResolveAfterReadingIncludingLaterDeclarations) {
  TTestForm form(nullptr);
  ReadDescription(form,
                  "object Main: TTestForm\n"
                  "  Buddy = Later\n"
                  "  Items = <item Link = Later end>\n"
                  "  object Early: TTestComponent\n"
                  "    Buddy = later\n"
                  "    Anything = Main\n"
                  "  end\n"
                  "  object Later: TTestComponent\n"
                  "    Buddy = Main.Early\n"
                  "    Anything = nil\n"
                  "  end\n"
                  "end",
                  "Main.sdesc");
  TTestComponent* early = Child(form, "Early");
  TTestComponent* later = Child(form, "Later");
  EXPECT_EQ(form.buddy, later);
  EXPECT_EQ(form.items.Items(0)->link, later);
  EXPECT_EQ(early->buddy, later);
  EXPECT_EQ(early->anything, &form);
  EXPECT_EQ(later->buddy, early);
  EXPECT_EQ(later->anything, nullptr);
}

TEST_F(ReaderTest, ReferencesReachIntoOtherWindowsThroughTheResolver) {
  TTestForm main(nullptr);
  ReadDescription(main,
                  "object Main: TTestForm\n"
                  "  object DS_Competitors: TTestComponent\n"
                  "  end\n"
                  "end",
                  "Main.sdesc");
  TComponent* source = main.FindComponent("DS_Competitors");
  auto findWindow = [&](std::string_view name) -> TComponent* {
    return SameText(name, "Main") ? &main : nullptr;
  };
  const char* dialogText =
      "object Competitors: TOtherForm\n"
      "  object edtStartNo: TTestComponent\n"
      "    Buddy = Main.DS_Competitors\n"
      "    Anything = Main\n"
      "  end\n"
      "end";
  {
    TOtherForm dialog(nullptr);
    ReadDescription(dialog, dialogText, "Competitors.sdesc", findWindow);
    EXPECT_EQ(Child(dialog, "edtStartNo")->buddy, source);
    EXPECT_EQ(Child(dialog, "edtStartNo")->anything, &main);
  }
  {
    // Without an explicit resolver the process-wide one is asked.
    SetFindGlobalComponent(findWindow);
    TOtherForm dialog(nullptr);
    ReadDescription(dialog, dialogText, "Competitors.sdesc");
    EXPECT_EQ(Child(dialog, "edtStartNo")->buddy, source);
  }
}

TEST_F(ReaderTest, EventsBindHandlerMethodsOfTheRootClass) {
  TOtherForm form(nullptr);
  ReadDescription(form,
                  "object Main: TOtherForm\n"
                  "  OnClick = FormCreate\n"
                  "  OnMeasure = measure\n"
                  "  object Button1: TTestComponent\n"
                  "    OnClick = ButtonClick\n"
                  "  end\n"
                  "  object Button2: TTestComponent\n"
                  "    OnClick = OtherClick\n"
                  "    OnMeasure = nil\n"
                  "    OnChange = ButtonClick\n"
                  "  end\n"
                  "end",
                  "Main.sdesc");
  ASSERT_TRUE(form.OnClick);
  form.OnClick(&form);
  EXPECT_EQ(Log().back(), "FormCreate Main");
  int height = 0;
  form.OnMeasure(&form, height);
  EXPECT_EQ(height, 42);
  Child(form, "Button1")->OnClick(nullptr);
  Child(form, "Button2")->OnClick(nullptr);
  EXPECT_EQ(form.clicks, 2);
  Child(form, "Button2")->onChange(nullptr);
  EXPECT_EQ(form.clicks, 3);
  EXPECT_FALSE(Child(form, "Button2")->OnMeasure);
}

TEST_F(ReaderTest, ReplacedCollectionItemsDropTheirPendingReferences) {
  TTestForm form(nullptr);
  ReadDescription(form,
                  "object Main: TTestForm\n"
                  "  Items = <item Link = Target end>\n"
                  "  Items = <item Name = 'kept' end>\n"
                  "  object Target: TTestComponent\n"
                  "  end\n"
                  "end",
                  "Main.sdesc");
  ASSERT_EQ(form.items.Count(), 1);
  EXPECT_EQ(form.items.Items(0)->name, "kept");
  EXPECT_EQ(form.items.Items(0)->link, nullptr);
}

struct BadLoad {
  const char* body;  // placed between "object Main: TTestForm" and "end"
  const char* message;
};

class ReaderErrorTest : public ReaderTest, public ::testing::WithParamInterface<BadLoad> {};

TEST_P(ReaderErrorTest, FailsNamingFileLineAndItemAndFreesWhatItCreated) {
  TComponent other(nullptr);
  other.SetName("Other");
  auto* plain = new TComponent(&other);
  plain->SetName("Plain");
  auto findWindow = [&](std::string_view name) -> TComponent* {
    return SameText(name, "Other") ? &other : nullptr;
  };
  TTestForm form(nullptr);
  try {
    ReadDescription(form, std::string("object Main: TTestForm\n") + GetParam().body + "end\n",
                    "Main.sdesc", findWindow);
    FAIL() << "loaded: " << GetParam().body;
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), GetParam().message);
  }
  EXPECT_EQ(form.ComponentCount(), 0);
  EXPECT_FALSE(form.ComponentState().Contains(csLoading));
  EXPECT_FALSE(form.ComponentState().Contains(csReading));
  EXPECT_EQ(plain->Owner(), &other);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, ReaderErrorTest,
    ::testing::Values(
        BadLoad{"  object Label1: TLabl\n  end\n",
                "Main.sdesc(2): unknown class 'TLabl' of Label1"},
        BadLoad{"  object L: TNoFactory\n  end\n",
                "Main.sdesc(2): class 'TNoFactory' of L cannot be created from a description"},
        BadLoad{"  object Label1: TTestComponent\n    Captoin = 'x'\n  end\n",
                "Main.sdesc(3): unknown property 'Captoin' of Label1 (TTestComponent)"},
        BadLoad{"  object Label1: TTestComponent\n    Font.Nme = 'x'\n  end\n",
                "Main.sdesc(3): unknown property 'Font.Nme' of Label1 (TTestComponent)"},
        BadLoad{"  Caption.Size = 1\n",
                "Main.sdesc(2): property 'Caption' of Main (TTestForm) is not an object, so "
                "'Caption.Size' cannot be set"},
        BadLoad{"  Font = 'Arial'\n",
                "Main.sdesc(2): property 'Font' of Main (TTestForm) is an object; set its "
                "properties as Font.<name>"},
        BadLoad{"  Left = 'x'\n",
                "Main.sdesc(2): property 'Left' of Main (TTestForm) expects an integer, found a "
                "string"},
        BadLoad{"  Left = 1.5\n",
                "Main.sdesc(2): property 'Left' of Main (TTestForm) expects an integer, found a "
                "number"},
        BadLoad{"  Left = abc\n",
                "Main.sdesc(2): property 'Left' of Main (TTestForm) expects an integer, found "
                "identifier 'abc'"},
        BadLoad{"  Small = 256\n",
                "Main.sdesc(2): value out of range for property 'Small' of Main (TTestForm)"},
        BadLoad{"  Small = -1\n",
                "Main.sdesc(2): value out of range for property 'Small' of Main (TTestForm)"},
        BadLoad{"  Left = $100000000\n",
                "Main.sdesc(2): value out of range for property 'Left' of Main (TTestForm)"},
        BadLoad{"  Ratio = 1E300\n",
                "Main.sdesc(2): value out of range for property 'Ratio' of Main (TTestForm)"},
        BadLoad{"  Font.Color = clPurple\n",
                "Main.sdesc(2): 'clPurple' is not a known constant for property 'Font.Color' of "
                "Main (TTestForm)"},
        BadLoad{"  Caption = 12\n",
                "Main.sdesc(2): property 'Caption' of Main (TTestForm) expects a string, found an "
                "integer"},
        BadLoad{"  Visible = 1\n",
                "Main.sdesc(2): property 'Visible' of Main (TTestForm) expects True or False, "
                "found an integer"},
        BadLoad{"  Align = alMiddle\n",
                "Main.sdesc(2): 'alMiddle' is not a value of TAlign (property 'Align' of Main "
                "(TTestForm))"},
        BadLoad{"  Align = [alTop]\n",
                "Main.sdesc(2): property 'Align' of Main (TTestForm) expects an identifier of "
                "TAlign, found a set"},
        BadLoad{"  Font.Style = [fsBold, fsHuge]\n",
                "Main.sdesc(2): 'fsHuge' is not a value of TFontStyle (property 'Font.Style' of "
                "Main (TTestForm))"},
        BadLoad{"  Blob = '0A'\n",
                "Main.sdesc(2): property 'Blob' of Main (TTestForm) expects a binary block, found "
                "a string"},
        BadLoad{"  Lines = ('a' 1)\n",
                "Main.sdesc(2): property 'Lines' of Main (TTestForm) takes only strings in its "
                "list, found an integer"},
        BadLoad{"  Items = 3\n",
                "Main.sdesc(2): property 'Items' of Main (TTestForm) expects a collection, found "
                "an integer"},
        BadLoad{"  Items = <\n    item\n      Nme = 'x'\n    end>\n",
                "Main.sdesc(4): unknown property 'Nme' of Main.Items[0] (TTestItem)"},
        BadLoad{"  Items = <item end item Image.Data = {01} end>\n",
                "Main.sdesc(2): property 'Image.Data' of Main.Items[1] (TTestItem): Bitmap block "
                "too short"},
        BadLoad{"  Buddy = 'Label1'\n",
                "Main.sdesc(2): property 'Buddy' of Main (TTestForm) expects a component "
                "reference, found a string"},
        BadLoad{"  object Label1: TTestComponent\n    Buddy = Nobody\n  end\n",
                "Main.sdesc(3): unresolved reference 'Nobody' in property 'Buddy' of Label1 "
                "(TTestComponent)"},
        BadLoad{"  Items = <item Link = Other.Nobody end>\n",
                "Main.sdesc(2): unresolved reference 'Other.Nobody' in property 'Link' of "
                "Main.Items[0] (TTestItem)"},
        BadLoad{"  Buddy = Nowhere.Label1\n",
                "Main.sdesc(2): unresolved reference 'Nowhere.Label1' in property 'Buddy' of "
                "Main (TTestForm)"},
        BadLoad{"  Buddy = Other.Plain.Deeper\n",
                "Main.sdesc(2): unresolved reference 'Other.Plain.Deeper' in property 'Buddy' of "
                "Main (TTestForm)"},
        BadLoad{"  Buddy = Other.Plain\n",
                "Main.sdesc(2): 'Other.Plain' is a TComponent, not a TTestComponent (property "
                "'Buddy' of Main (TTestForm))"},
        BadLoad{"  object Label1: TTestComponent\n  end\n  object LABEL1: TTestPanel\n  end\n",
                "Main.sdesc(4): A component named LABEL1 already exists"},
        BadLoad{"  OnClick = FormCreat\n",
                "Main.sdesc(2): unknown method 'FormCreat' of TTestForm for event 'OnClick' of "
                "Main (TTestForm)"},
        BadLoad{"  OnClick = OtherClick\n",
                "Main.sdesc(2): unknown method 'OtherClick' of TTestForm for event 'OnClick' of "
                "Main (TTestForm)"},
        BadLoad{"  OnClick = Measure\n",
                "Main.sdesc(2): method 'Measure' of TTestForm does not fit event 'OnClick' of "
                "Main (TTestForm): its parameters differ"},
        BadLoad{"  OnClick = 'FormCreate'\n",
                "Main.sdesc(2): property 'OnClick' of Main (TTestForm) expects a method name, "
                "found a string"},
        BadLoad{"  object F: TFaulty\n    Left = 1\n    Explode = True\n  end\n",
                "Main.sdesc(4): property 'Explode' of F (TFaulty): it exploded"},
        BadLoad{"  object A: TTestComponent\n  end\n  object F: TFaulty\n    FailOnLoad = True\n"
                "  end\n  object B: TTestComponent\n  end\n",
                "Main.sdesc(4): F (TFaulty) failed to finish loading: could not open"},
        BadLoad{"  object P: TTestPanel\n    object Q: TTestPanel\n      object R: TTestComponent\n"
                "        Left = 'deep'\n      end\n    end\n  end\n",
                "Main.sdesc(5): property 'Left' of R (TTestComponent) expects an integer, found a "
                "string"}));

TEST_F(ReaderTest, TheRootMustBeOfTheDescribedClass) {
  TTestForm form(nullptr);
  try {
    ReadDescription(form, "object Main: TOtherForm\nend", "Main.sdesc");
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(),
              "Main.sdesc(1): the description is of class TOtherForm, not of TTestForm");
    EXPECT_EQ(e.FileName(), "Main.sdesc");
    EXPECT_EQ(e.Line(), 1);
  }
}

TEST_F(ReaderTest, AFailingConstructorIsReportedAndNothingIsLeftBehind) {
  TTestForm form(nullptr);
  try {
    ReadDescription(form,
                    "object Unbuildable: TTestForm\n"
                    "  object A: TTestComponent\n  end\n"
                    "  object F: TFaulty\n  end\n"
                    "end",
                    "Main.sdesc");
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Main.sdesc(4): cannot create F, a TFaulty: no faulty parts here");
  }
  EXPECT_EQ(form.ComponentCount(), 0);
  // The half-built F went with its constructor's failure, A with the load.
  EXPECT_EQ(Log(), (std::vector<std::string>{"order A 0 in Unbuildable", "~", "~A"}));
}

TEST_F(ReaderTest, AFailedLoadLeavesOtherWindowsSafe) {
  auto* main = new TTestForm(nullptr);
  ReadDescription(*main, "object Main: TTestForm\n  object DS: TTestComponent\n  end\nend",
                  "Main.sdesc");
  {
    TTestForm dialog(nullptr);
    auto findWindow = [&](std::string_view) -> TComponent* { return main; };
    // The editor borrows Main.DS (with a free notification), then the load
    // fails and the editor is freed: DS must not keep it listed.
    EXPECT_THROW(ReadDescription(dialog,
                                 "object Dialog: TTestForm\n"
                                 "  object Edit: TTestComponent\n"
                                 "    Buddy = Main.DS\n"
                                 "  end\n"
                                 "  object F: TFaulty\n"
                                 "    FailOnLoad = True\n"
                                 "  end\n"
                                 "end",
                                 "Dialog.sdesc", findWindow),
                 EReadError);
    EXPECT_EQ(dialog.ComponentCount(), 0);
  }
  delete main;  // would notify the freed editor if it were still listed
}

TEST_F(ReaderTest, ResourcesLoadByName) {
  TTestForm form(nullptr);
  ReadDescriptionResource(form, "forms/Small.sdesc");
  EXPECT_EQ(form.caption, "from a resource");
  EXPECT_EQ(Child(form, "Inner")->left, 5);
  try {
    ReadDescriptionResource(form, "forms/Missing.sdesc");
    FAIL();
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.Message(), "Resource forms/Missing.sdesc not found");
  }
}

}  // namespace
