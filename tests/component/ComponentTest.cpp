// Ownership, names, notifications and collections of the component model.
#include "component/Component.h"

#include <gtest/gtest.h>

#include "TestClasses.h"
#include "component/ClassBuilder.h"
#include "component/Exception.h"

using namespace component;
using namespace testclasses;

namespace {

class ComponentTest : public ::testing::Test {
 protected:
  void SetUp() override { Log().clear(); }
};

TTestComponent* Make(TComponent* owner, const char* name) {
  auto* c = new TTestComponent(owner);
  c->SetName(name);
  return c;
}

TEST_F(ComponentTest, OwnerKeepsComponentsInInsertionOrderAndFindsThemIgnoringCase) {
  TTestComponent form(nullptr);
  TComponent* a = Make(&form, "Alpha");
  TComponent* b = Make(&form, "Beta");
  TComponent* unnamed = new TTestComponent(&form);
  ASSERT_EQ(form.ComponentCount(), 3);
  EXPECT_EQ(form.Components(0), a);
  EXPECT_EQ(form.Components(1), b);
  EXPECT_EQ(form.Components(2), unnamed);
  EXPECT_EQ(b->ComponentIndex(), 1);
  EXPECT_EQ(b->Owner(), &form);
  EXPECT_EQ(form.FindComponent("beta"), b);
  EXPECT_EQ(form.FindComponent("ALPHA"), a);
  EXPECT_EQ(form.FindComponent(""), nullptr);
  EXPECT_EQ(form.FindComponent("Gamma"), nullptr);
  EXPECT_THROW(form.Components(3), EListError);
  EXPECT_THROW(form.Components(-1), EListError);

  b->SetComponentIndex(0);
  EXPECT_EQ(form.Components(0), b);
  EXPECT_EQ(form.Components(1), a);
}

TEST_F(ComponentTest, NamesAreIdentifiersUniqueAmongTheOwnersComponents) {
  TTestComponent form(nullptr);
  TComponent* a = Make(&form, "Label1");
  TComponent* b = Make(&form, "Label2");
  try {
    b->SetName("LABEL1");
    FAIL();
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "A component named LABEL1 already exists");
  }
  EXPECT_EQ(b->Name(), "Label2");
  a->SetName("LABEL1");  // its own name in other letters
  EXPECT_EQ(a->Name(), "LABEL1");
  for (const char* bad : {"1abc", "a b", "a.b", "ä"}) {
    try {
      b->SetName(bad);
      FAIL() << bad;
    } catch (const EComponentError& e) {
      EXPECT_EQ(e.Message(), std::string("'") + bad + "' is not a valid component name");
    }
  }
  b->SetName("_x9");
  b->SetName("");
  new TTestComponent(&form);  // any number of unnamed components
  EXPECT_EQ(form.ComponentCount(), 3);

  // A component moving to another owner must not collide there.
  TTestComponent other(nullptr);
  TComponent* clash = Make(&other, "Label1");
  EXPECT_THROW(form.InsertComponent(clash), EComponentError);
  EXPECT_EQ(clash->Owner(), &other);
  clash->SetName("Moved");
  form.InsertComponent(clash);
  EXPECT_EQ(clash->Owner(), &form);
  EXPECT_EQ(other.ComponentCount(), 0);
}

TEST_F(ComponentTest, OwnerDestroysItsComponentsLastFirst) {
  {
    TTestComponent form(nullptr);
    form.SetName("Form");
    Make(&form, "A");
    TComponent* b = Make(&form, "B");
    Make(b, "B1");  // owned in turn
    Make(&form, "C");
  }
  EXPECT_EQ(Log(), (std::vector<std::string>{"~Form", "~C", "~B", "~B1", "~A"}));
}

TEST_F(ComponentTest, DestroyingAComponentTakesItOutOfItsOwnerAndTellsTheOthers) {
  TTestComponent form(nullptr);
  TTestComponent* a = Make(&form, "A");
  TTestComponent* b = Make(&form, "B");
  a->anything = b;  // a sibling reference, kept safe by the owner's notification
  form.anything = b;
  delete b;
  EXPECT_EQ(form.ComponentCount(), 1);
  EXPECT_EQ(a->anything, nullptr);
  EXPECT_EQ(form.anything, nullptr);
  EXPECT_EQ(form.FindComponent("B"), nullptr);
}

TEST_F(ComponentTest, FreeNotificationReachesComponentsOfOtherOwnersBothWays) {
  auto* main = new TTestComponent(nullptr);
  auto* dialog = new TTestComponent(nullptr);
  TTestComponent* source = Make(main, "DS");
  TTestComponent* editor = Make(dialog, "Edit");
  editor->SetBuddy(source);
  delete main;  // the editor hears of its source's end
  EXPECT_EQ(editor->buddy, nullptr);

  // And when the listener goes first, the source forgets it: no stale call.
  auto* main2 = new TTestComponent(nullptr);
  TTestComponent* source2 = Make(main2, "DS");
  editor->SetBuddy(source2);
  delete dialog;
  delete main2;  // would touch the freed editor if it were still listed
}

TEST_F(ComponentTest, RemoveFreeNotificationStopsTheNotice) {
  TTestComponent a(nullptr), b(nullptr);
  auto* c = new TTestComponent(nullptr);
  a.anything = c;
  c->FreeNotification(&a);
  b.anything = c;
  c->FreeNotification(&b);
  c->RemoveFreeNotification(&b);
  delete c;
  EXPECT_EQ(a.anything, nullptr);
  EXPECT_NE(b.anything, nullptr);
}

TEST_F(ComponentTest, RemoveComponentKeepsTheComponentAlive) {
  TTestComponent form(nullptr);
  TTestComponent* a = Make(&form, "A");
  form.anything = a;
  form.RemoveComponent(a);
  EXPECT_EQ(a->Owner(), nullptr);
  EXPECT_EQ(form.ComponentCount(), 0);
  EXPECT_EQ(form.anything, nullptr);
  delete a;
}

TEST_F(ComponentTest, ClassDescriptionsInheritPropertiesAndName) {
  TTestPanel panel(nullptr);
  EXPECT_EQ(panel.ClassName(), "TTestPanel");
  EXPECT_TRUE(panel.InheritsFrom(TComponent::StaticClassInfo()));
  EXPECT_FALSE(panel.InheritsFrom(TTestForm::StaticClassInfo()));
  const TClassInfo& info = panel.ClassInfo();
  ASSERT_NE(info.FindProperty("border"), nullptr);
  ASSERT_NE(info.FindProperty("CAPTION"), nullptr);  // from TTestComponent
  ASSERT_NE(info.FindProperty("Tag"), nullptr);      // from TComponent
  EXPECT_EQ(info.FindProperty("Caption")->kind, TPropertyKind::String);
  EXPECT_EQ(info.FindProperty("Font")->kind, TPropertyKind::Object);
  EXPECT_EQ(info.FindProperty("Items")->kind, TPropertyKind::Collection);
  EXPECT_EQ(info.FindProperty("Buddy")->kind, TPropertyKind::Component);
  EXPECT_EQ(info.FindProperty("OnClick")->kind, TPropertyKind::Event);
  EXPECT_EQ(info.FindProperty("Align")->enumInfo->TypeName(), "TAlign");
  EXPECT_EQ(info.FindProperty("Nope"), nullptr);

  // Getters give the value back in the neutral form.
  panel.SetCaption("x");
  panel.SetAlign(alClient);
  EXPECT_EQ(std::get<std::string>(info.FindProperty("Caption")->get(panel)), "x");
  EXPECT_EQ(std::get<std::int64_t>(info.FindProperty("Align")->get(panel)), alClient);

  RegisterTestClasses();
  EXPECT_EQ(FindClass("ttestpanel"), &TTestPanel::StaticClassInfo());
  EXPECT_EQ(FindClass("TMissing"), nullptr);
  RegisterClass(TTestPanel::StaticClassInfo());  // again: harmless
  static const TClassInfo impostor =
      TClassBuilder<TTestPanel, TTestComponent>("TTestPanel").Build();
  EXPECT_THROW(RegisterClass(impostor), EComponentError);
  EXPECT_FALSE(TNoFactory::StaticClassInfo().CanCreateComponent());
  EXPECT_THROW(TNoFactory::StaticClassInfo().CreateComponent(nullptr), EComponentError);
}

TEST_F(ComponentTest, CollectionsOwnTheirItemsInOrder) {
  TTestComponent owner(nullptr);
  owner.SetName("Owner");
  auto& items = owner.items;
  TTestItem* a = items.Add();
  a->name = "a";
  TTestItem* b = items.Add();
  b->name = "b";
  TTestItem* first = items.Insert(0);
  first->name = "first";
  ASSERT_EQ(items.Count(), 3);
  EXPECT_EQ(items.Items(0), first);
  EXPECT_EQ(items.Items(2), b);
  EXPECT_EQ(b->Index(), 2);
  EXPECT_EQ(items.FindItemID(a->ID()), a);
  EXPECT_NE(a->ID(), b->ID());
  EXPECT_EQ(b->GetNamePath(), "Owner.Items[2]");
  EXPECT_THROW(items.Items(3), EListError);

  b->SetIndex(0);
  EXPECT_EQ(items.Items(0), b);
  items.Delete(1);  // "first"
  EXPECT_EQ(items.Count(), 2);
  EXPECT_EQ(Log().back(), "~item first");
  delete a;  // an item can also simply be freed
  EXPECT_EQ(items.Count(), 1);
  TTestItem* c = items.Add();
  EXPECT_GT(c->ID(), b->ID());  // identities are never reused

  items.BeginUpdate();
  items.EndUpdate();
  EXPECT_THROW(items.EndUpdate(), EInvalidOperation);
  items.Clear();
  EXPECT_EQ(items.Count(), 0);
}

TEST(SetTest, HoldsEnumerationValues) {
  TFontStyles s{fsBold, fsUnderline};
  EXPECT_TRUE(s.Contains(fsBold));
  EXPECT_FALSE(s.Contains(fsItalic));
  EXPECT_EQ(s.Mask(), 0b101u);
  EXPECT_EQ(s - TFontStyles{fsBold}, (TFontStyles{fsUnderline}));
  EXPECT_EQ(s * (TFontStyles{fsBold, fsItalic}), TFontStyles{fsBold});
  EXPECT_EQ(s + TFontStyles{fsItalic}, TFontStyles::FromMask(0b111));
  EXPECT_TRUE(TFontStyles{}.Empty());
}

}  // namespace
