#include "TestClasses.h"

#include "component/ClassBuilder.h"
#include "component/Exception.h"

namespace testclasses {

std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}

const TEnumInfo& EnumInfo(TAlign) {
  static const TEnumInfo info("TAlign", {"alNone", "alTop", "alBottom", "alClient"});
  return info;
}

const TEnumInfo& EnumInfo(TFontStyle) {
  static const TEnumInfo info("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
  return info;
}

const TIdentMap& ColorIdents() {
  static const TIdentMap map{{"clBlack", 0}, {"clWhite", 0xFFFFFF}, {"clHighlight", -16777203}};
  return map;
}

const TClassInfo& TTestFont::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TTestFont, TPersistent>("TTestFont")
          .Property("Name", &TTestFont::Name, &TTestFont::SetName)
          .Property("Height", &TTestFont::Height, &TTestFont::SetHeight)
          .Property("Style", &TTestFont::Style, &TTestFont::SetStyle)
          .Property("Color", &TTestFont::Color, &TTestFont::SetColor, ColorIdents())
          .Build();
  return info;
}

void TTestBitmap::ReadData(std::span<const std::uint8_t> data) {
  if (data.size() < 2) throw Exception("Bitmap block too short");
  width = data[0];
  height = data[1];
  if (data.size() != 2u + static_cast<std::size_t>(width * height))
    throw Exception("Bitmap block of the wrong size");
  pixels.assign(data.begin() + 2, data.end());
}

const TClassInfo& TTestBitmap::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TTestBitmap, TPersistent>("TTestBitmap")
                                     .Property("Data", nullptr, &TTestBitmap::ReadData)
                                     .Build();
  return info;
}

TTestItem::TTestItem(TCollection* c)
    : TCollectionItem(c), children(new TOwnedCollection<TTestItem>(this)) {}
TTestItem::~TTestItem() {
  Log().push_back("~item " + name);
  delete children;
}

const TClassInfo& TTestItem::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TTestItem, TCollectionItem>("TTestItem")
                                     .Property("Name", &TTestItem::Name, &TTestItem::SetName)
                                     .Property("Value", nullptr, &TTestItem::SetValue)
                                     .Property("Image", &TTestItem::Image)
                                     .Property("Children", &TTestItem::Children)
                                     .Property("Link", nullptr, &TTestItem::SetLink)
                                     .Build();
  return info;
}

TTestComponent::TTestComponent(TComponent* owner) : TComponent(owner) {}

TTestComponent::~TTestComponent() {
  Destroying();
  Log().push_back("~" + Name());
}

const TClassInfo& TTestComponent::StaticClassInfo() {
  using T = TTestComponent;
  static const TClassInfo info = TClassBuilder<T, TComponent>("TTestComponent")
                                     .Property("Left", &T::Left, &T::SetLeft)
                                     .Property("Big", nullptr, &T::SetBig)
                                     .Property("Small", nullptr, &T::SetSmall)
                                     .Property("Scale", nullptr, &T::SetScale)
                                     .Property("Ratio", nullptr, &T::SetRatio)
                                     .Property("Caption", &T::Caption, &T::SetCaption)
                                     .Property("Visible", nullptr, &T::SetVisible)
                                     .Property("Align", &T::Align, &T::SetAlign)
                                     .Property("Blob", nullptr, &T::SetBlob)
                                     .Property("Lines", nullptr, &T::SetLines)
                                     .Property("Font", &T::Font)
                                     .Property("Items", &T::Items)
                                     .Property("Buddy", &T::Buddy, &T::SetBuddy)
                                     .Property("Anything", nullptr, &T::SetAnything)
                                     .Event("OnClick", &T::OnClick)
                                     .Event("OnMeasure", &T::OnMeasure)
                                     .Event("OnChange", &T::SetOnChange)
                                     .Build();
  return info;
}

void TTestComponent::Applied(const char* name) {
  applied.push_back(name);
  stateAtSet.push_back(ComponentState());
}

void TTestComponent::SetBuddy(TTestComponent* c) {
  if (buddy) buddy->RemoveFreeNotification(this);
  buddy = c;
  if (buddy) buddy->FreeNotification(this);
  Applied("Buddy");
}

void TTestComponent::Loaded() {
  std::string entry = "loaded " + Name();
  if (ComponentState().Contains(csLoading)) entry += " (still loading)";
  // Which components of the same window are still loading at this moment.
  const TComponent* window = Owner() ? Owner() : this;
  for (int i = 0; i < window->ComponentCount(); ++i)
    if (window->Components(i)->ComponentState().Contains(csLoading))
      entry += " +" + window->Components(i)->Name();
  Log().push_back(entry);
}

void TTestComponent::SetChildOrder(TComponent* child, int order) {
  Log().push_back("order " + child->Name() + " " + std::to_string(order) + " in " + Name());
}

void TTestComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove) {
    if (component == buddy) buddy = nullptr;
    if (component == anything) anything = nullptr;
    if (component == parent) parent = nullptr;
  }
}

const TClassInfo& TTestPanel::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TTestPanel, TTestComponent>("TTestPanel")
                                     .Property("Border", nullptr, &TTestPanel::SetBorder)
                                     .Build();
  return info;
}

void TTestForm::FormCreate(TObject* sender) {
  Log().push_back("FormCreate " + dynamic_cast<TComponent*>(sender)->Name());
}

void TTestForm::ButtonClick(TObject* sender) {
  (void)sender;
  ++clicks;
}

const TClassInfo& TTestForm::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TTestForm, TTestComponent>("TTestForm")
                                     .Method("FormCreate", &TTestForm::FormCreate)
                                     .Method("ButtonClick", &TTestForm::ButtonClick)
                                     .Method("Measure", &TTestForm::Measure)
                                     .Build();
  return info;
}

const TClassInfo& TOtherForm::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TOtherForm, TTestForm>("TOtherForm")
                                     .Method("OtherClick", &TOtherForm::OtherClick)
                                     .Build();
  return info;
}

TFaulty::TFaulty(TComponent* owner) : TTestComponent(owner) {
  if (owner && owner->Name() == "Unbuildable") throw Exception("no faulty parts here");
}

void TFaulty::SetExplode(bool v) {
  if (v) throw Exception("it exploded");
}

void TFaulty::Loaded() {
  TTestComponent::Loaded();
  if (failOnLoad) throw Exception("could not open");
}

const TClassInfo& TFaulty::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TFaulty, TTestComponent>("TFaulty")
                                     .Property("Explode", nullptr, &TFaulty::SetExplode)
                                     .Property("FailOnLoad", nullptr, &TFaulty::SetFailOnLoad)
                                     .Build();
  return info;
}

const TClassInfo& TNoFactory::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TNoFactory, TComponent>("TNoFactory").Build();
  return info;
}

void RegisterTestClasses() {
  RegisterClasses<TTestComponent, TTestPanel, TTestForm, TOtherForm, TFaulty, TNoFactory>();
}

}  // namespace testclasses
