// Small component classes covering every kind of published property, used by
// the component and reader tests. Each records what happens to it in Log().
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "component/ClassInfo.h"
#include "component/Collection.h"
#include "component/Component.h"
#include "component/Set.h"

namespace testclasses {

using namespace component;

std::vector<std::string>& Log();

enum TAlign { alNone, alTop, alBottom, alClient };
const TEnumInfo& EnumInfo(TAlign);
enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
const TEnumInfo& EnumInfo(TFontStyle);
using TFontStyles = TSet<TFontStyle>;
const TIdentMap& ColorIdents();

class TTestFont : public TPersistent {
 public:
  COMPONENT_CLASS_INFO()
  std::string name = "MS Sans Serif";
  int height = 11;
  TFontStyles style;
  std::int32_t color = 0;
  const std::string& Name() const { return name; }
  void SetName(std::string_view v) { name = std::string(v); }
  int Height() const { return height; }
  void SetHeight(int v) { height = v; }
  TFontStyles Style() const { return style; }
  void SetStyle(TFontStyles v) { style = v; }
  std::int32_t Color() const { return color; }
  void SetColor(std::int32_t v) { color = v; }
};

// Stores its picture as one block: width and height (one byte each), pixels.
class TTestBitmap : public TPersistent {
 public:
  COMPONENT_CLASS_INFO()
  int width = 0, height = 0;
  std::vector<std::uint8_t> pixels;
  void ReadData(std::span<const std::uint8_t> data);
};

class TTestComponent;

class TTestItem : public TCollectionItem {
 public:
  COMPONENT_CLASS_INFO()
  explicit TTestItem(TCollection* c);
  ~TTestItem() override;
  std::string name;
  int value = 0;
  TTestBitmap image;
  TOwnedCollection<TTestItem>* children;
  TTestComponent* link = nullptr;
  const std::string& Name() const { return name; }
  void SetName(const std::string& v) { name = v; }
  void SetValue(int v) { value = v; }
  TTestBitmap* Image() { return &image; }
  TOwnedCollection<TTestItem>* Children() { return children; }
  void SetLink(TTestComponent* c) { link = c; }
};

class TTestComponent : public TComponent {
 public:
  COMPONENT_CLASS_INFO()
  explicit TTestComponent(TComponent* owner);
  ~TTestComponent() override;

  std::int32_t left = 0;
  std::int64_t big = 0;
  std::uint8_t small = 0;
  double scale = 1;
  float ratio = 0;
  std::string caption;
  bool visible = true;
  TAlign align = alNone;
  TBytes blob;
  TStringValues lines;
  TTestFont font;
  TOwnedCollection<TTestItem> items{this};
  TTestComponent* buddy = nullptr;
  TComponent* anything = nullptr;
  TComponent* parent = nullptr;
  std::vector<std::string> applied;  // property names in the order set
  std::vector<TComponentState> stateAtSet;
  std::function<void(TObject*)> OnClick;
  std::function<void(TObject*, int&)> OnMeasure;
  std::function<void(TObject*)> onChange;  // behind a setter
  void SetOnChange(std::function<void(TObject*)> f) { onChange = std::move(f); }

  void SetLeft(std::int32_t v) { left = v, Applied("Left"); }
  std::int32_t Left() const { return left; }
  void SetBig(std::int64_t v) { big = v, Applied("Big"); }
  void SetSmall(std::uint8_t v) { small = v, Applied("Small"); }
  void SetScale(double v) { scale = v, Applied("Scale"); }
  void SetRatio(float v) { ratio = v, Applied("Ratio"); }
  const std::string& Caption() const { return caption; }
  void SetCaption(const std::string& v) { caption = v, Applied("Caption"); }
  void SetVisible(bool v) { visible = v, Applied("Visible"); }
  TAlign Align() const { return align; }
  void SetAlign(TAlign v) { align = v, Applied("Align"); }
  void SetBlob(const TBytes& v) { blob = v, Applied("Blob"); }
  void SetLines(const TStringValues& v) { lines = v, Applied("Lines"); }
  TTestFont* Font() { return &font; }
  TOwnedCollection<TTestItem>* Items() { return &items; }
  TTestComponent* Buddy() const { return buddy; }
  void SetBuddy(TTestComponent* c);
  void SetAnything(TComponent* c) { anything = c, Applied("Anything"); }

  void Loaded() override;
  void SetParentComponent(TComponent* p) override { parent = p; }
  void SetChildOrder(TComponent* child, int order) override;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void Applied(const char* name);
};

// A visual container: inherits every property of TTestComponent.
class TTestPanel : public TTestComponent {
 public:
  COMPONENT_CLASS_INFO()
  using TTestComponent::TTestComponent;
  int border = 0;
  void SetBorder(int v) { border = v; }
};

// A window class with handler methods.
class TTestForm : public TTestComponent {
 public:
  COMPONENT_CLASS_INFO()
  explicit TTestForm(TComponent* owner) : TTestComponent(owner) {}
  int clicks = 0;
  void FormCreate(TObject* sender);
  void ButtonClick(TObject* sender);
  void Measure(TObject* sender, int& height) { (void)sender, height = 42; }
};

class TOtherForm : public TTestForm {
 public:
  COMPONENT_CLASS_INFO()
  using TTestForm::TTestForm;
  void OtherClick(TObject* sender) { (void)sender, ++clicks; }
};

// Fails on demand: in a setter, in Loaded(), in its constructor.
class TFaulty : public TTestComponent {
 public:
  COMPONENT_CLASS_INFO()
  explicit TFaulty(TComponent* owner);
  bool failOnLoad = false;
  void SetExplode(bool v);
  void SetFailOnLoad(bool v) { failOnLoad = v; }
  void Loaded() override;
};

// Cannot be created by name: its constructor needs more than an owner.
class TNoFactory : public TComponent {
 public:
  COMPONENT_CLASS_INFO()
  TNoFactory(TComponent* owner, int) : TComponent(owner) {}
};

// Registers every class above (harmless to repeat).
void RegisterTestClasses();

}  // namespace testclasses
