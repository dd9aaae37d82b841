#include "component/Reader.h"

#include <cfloat>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "component/ClassInfo.h"
#include "component/Collection.h"
#include "component/CompiledDescription.h"
#include "component/Description.h"
#include "component/Exception.h"
#include "component/Resource.h"
#include "component/ScopeGuards.h"

namespace component {

namespace {

TFindGlobalComponent& GlobalResolver() {
  static TFindGlobalComponent resolver;
  return resolver;
}

std::string Quoted(std::string_view s) {
  return "'" + std::string(s) + "'";
}

std::string DescribeValue(const TDescriptionValue& v) {
  switch (v.type) {
    case TDescriptionValueType::Integer:
      return "an integer";
    case TDescriptionValueType::Float:
      return "a number";
    case TDescriptionValueType::String:
      return "a string";
    case TDescriptionValueType::Identifier:
      return "identifier " + Quoted(v.text);
    case TDescriptionValueType::Set:
      return "a set";
    case TDescriptionValueType::Binary:
      return "a binary block";
    case TDescriptionValueType::List:
      return "a list";
    case TDescriptionValueType::Collection:
      return "a collection";
  }
  return "a value";
}

std::vector<std::string_view> SplitPath(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (;;) {
    std::size_t dot = path.find('.', start);
    parts.push_back(path.substr(start, dot == std::string_view::npos ? dot : dot - start));
    if (dot == std::string_view::npos) return parts;
    start = dot + 1;
  }
}

}  // namespace

void SetFindGlobalComponent(TFindGlobalComponent resolver) {
  GlobalResolver() = std::move(resolver);
}

TComponent* FindGlobalComponent(std::string_view name) {
  return GlobalResolver() ? GlobalResolver()(name) : nullptr;
}

// Applies a parsed description to a root component. A friend of TComponent
// for the loading state.
class TReader {
 public:
  TReader(TComponent& root, std::string_view fileName, const TFindGlobalComponent& findWindow)
      : root_(root),
        fileName_(fileName),
        findWindow_(findWindow ? findWindow : GlobalResolver()),
        guard_(*this) {}

  void Read(const TDescriptionObject& tree) {
    if (!SameText(tree.className, root_.ClassName()))
      Fail<EReadError>(tree.line, "the description is of class " + tree.className + ", not of " +
                                      root_.ClassName());
    root_.state_.Include(csLoading).Include(csReading);
    loaded_.push_back({&root_, tree.line});
    // A failed load leaves nothing behind: the root's loading state goes and
    // every component made for it is freed, last made first.
    TScopeFail undo([this] {
      root_.state_.Exclude(csLoading).Exclude(csReading);
      for (std::size_t i = loaded_.size(); i-- > 1;) {
        TComponent* c = loaded_[i].component;
        loaded_[i].component = nullptr;
        delete c;
      }
    });
    if (!tree.name.empty() && tree.name != root_.Name())
      Wrap(tree.line, "", [&] { root_.SetName(tree.name); });
    ReadBody(0, tree);
    ResolveFixups();
    for (Loaded& l : loaded_)
      if (l.component) l.component->state_.Exclude(csReading);
    for (std::size_t i = 0; i < loaded_.size(); ++i) {
      TComponent* c = loaded_[i].component;
      if (!c) continue;
      c->state_.Exclude(csLoading);
      Wrap(loaded_[i].line, Describe(*c) + " failed to finish loading: ", [&] { c->Loaded(); });
    }
    undo.Done();
  }

 private:
  struct Loaded {
    TComponent* component;
    int line;
  };

  struct Fixup {
    std::size_t loadedIndex;  // the component whose description holds it
    TPersistent* target;
    const TPropertyInfo* property;
    std::string reference;
    int line;
    std::string item;
    std::vector<const TPersistent*> containers;  // collection items on the way
    bool alive = true;
  };

  // Hears of components that go away while the load runs, so nothing is
  // touched through a stale pointer.
  class TGuard : public TComponent {
   public:
    explicit TGuard(TReader& reader) : TComponent(nullptr), reader_(reader) {}

   protected:
    void Notification(TComponent* component, TOperation operation) override {
      if (operation == opRemove) reader_.Forget(component);
    }

   private:
    TReader& reader_;
  };

  void Forget(TComponent* component) {
    for (std::size_t i = 0; i < loaded_.size(); ++i) {
      if (loaded_[i].component != component) continue;
      loaded_[i].component = nullptr;
      for (Fixup& f : fixups_)
        if (f.loadedIndex == i) f.alive = false;
    }
  }

  template <class E>
  [[noreturn]] void Fail(int line, std::string detail) const {
    throw E(fileName_, line, std::move(detail));
  }

  // Runs `fn`; a failure that is not already a read error becomes one.
  template <class Fn>
  void Wrap(int line, const std::string& prefix, Fn&& fn) {
    try {
      fn();
    } catch (const EReadError&) {
      throw;
    } catch (const EAbort&) {
      throw;
    } catch (const std::exception& e) {
      Fail<EReadError>(line, prefix + e.what());
    }
  }

  static std::string Describe(const TComponent& c) {
    return (c.Name().empty() ? std::string("<unnamed>") : c.Name()) + " (" + c.ClassName() + ")";
  }

  // --- objects -------------------------------------------------------------

  void ReadBody(std::size_t index, const TDescriptionObject& node) {
    TComponent* self = loaded_[index].component;
    const std::string path = self->Name().empty() ? "<unnamed>" : self->Name();
    for (const TDescriptionProperty& p : node.properties) {
      ApplyProperty(index, *self, path, p, {});
      if (!loaded_[index].component)
        Fail<EReadError>(p.line, path + " was destroyed while its description was read");
    }
    for (std::size_t i = 0; i < node.children.size(); ++i) {
      CreateChild(index, node.children[i], static_cast<int>(i));
      if (!loaded_[index].component)
        Fail<EReadError>(node.children[i].line,
                         path + " was destroyed while its description was read");
    }
  }

  void CreateChild(std::size_t parentIndex, const TDescriptionObject& node, int order) {
    const std::string label = node.name.empty() ? std::string() : " of " + node.name;
    const TClassInfo* cls = FindClass(node.className);
    if (!cls) Fail<EClassNotFound>(node.line, "unknown class " + Quoted(node.className) + label);
    if (!cls->CanCreateComponent())
      Fail<EClassNotFound>(node.line, "class " + Quoted(node.className) + label +
                                          " cannot be created from a description");
    TComponent* child = nullptr;
    Wrap(
        node.line,
        "cannot create " + (node.name.empty() ? "a" : node.name + ", a") + " " + cls->Name() + ": ",
        [&] { child = cls->CreateComponent(&root_); });
    const std::size_t index = loaded_.size();
    loaded_.push_back({child, node.line});
    child->FreeNotification(&guard_);
    child->state_.Include(csLoading).Include(csReading);
    Wrap(node.line, "", [&] { child->SetName(node.name); });
    TComponent* parent = loaded_[parentIndex].component;
    Wrap(node.line, Describe(*child) + ": ", [&] {
      child->SetParentComponent(parent);
      parent->SetChildOrder(child, order);
    });
    ReadBody(index, node);
  }

  // --- properties ----------------------------------------------------------

  void ApplyProperty(std::size_t index, TPersistent& object, const std::string& path,
                     const TDescriptionProperty& p,
                     const std::vector<const TPersistent*>& containers) {
    const std::string item = path + " (" + object.ClassName() + ")";
    TPersistent* target = &object;
    const std::vector<std::string_view> parts = SplitPath(p.path);
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
      const TPropertyInfo* sub = target->ClassInfo().FindProperty(parts[i]);
      if (!sub) Fail<EPropertyError>(p.line, "unknown property " + Quoted(p.path) + " of " + item);
      if (sub->kind != TPropertyKind::Object)
        Fail<EPropertyError>(p.line, "property " + Quoted(parts[i]) + " of " + item +
                                         " is not an object, so " + Quoted(p.path) +
                                         " cannot be set");
      target = sub->object(*target);
      if (!target)
        Fail<EPropertyError>(p.line,
                             "property " + Quoted(parts[i]) + " of " + item + " holds no object");
    }
    const TPropertyInfo* info = target->ClassInfo().FindProperty(parts.back());
    if (!info) Fail<EPropertyError>(p.line, "unknown property " + Quoted(p.path) + " of " + item);
    ApplyValue(index, *target, *info, p, item, path, containers);
  }

  [[noreturn]] void WrongKind(const TDescriptionProperty& p, const TPropertyInfo& info,
                              const std::string& item) const {
    std::string expected = PropertyKindText(info.kind);
    if (info.enumInfo) expected += " of " + info.enumInfo->TypeName();
    Fail<EPropertyError>(p.value.line, "property " + Quoted(p.path) + " of " + item + " expects " +
                                           expected + ", found " + DescribeValue(p.value));
  }

  void Set(const TDescriptionProperty& p, const std::string& item, const TPropertyInfo& info,
           TPersistent& target, const TPropertyValue& value) {
    Wrap(p.value.line, "property " + Quoted(p.path) + " of " + item + ": ",
         [&] { info.set(target, value); });
  }

  std::int64_t IntegerValue(const TDescriptionProperty& p, const TPropertyInfo& info,
                            const std::string& item) const {
    const TDescriptionValue& v = p.value;
    if (v.type == TDescriptionValueType::Identifier) {
      if (info.idents)
        if (auto k = info.idents->Find(v.text)) return *k;
      if (!info.idents) WrongKind(p, info, item);
      Fail<EPropertyError>(v.line, Quoted(v.text) + " is not a known constant for property " +
                                       Quoted(p.path) + " of " + item);
    }
    if (v.type != TDescriptionValueType::Integer) WrongKind(p, info, item);
    if (v.hex && !v.negative) {
      // The literal's bits: fits when it is within the type's width.
      if (info.bits < 64 && v.raw >= (std::uint64_t{1} << info.bits)) {
        // out of range, reported below
      } else if (info.isSigned && info.bits < 64 &&
                 v.raw > static_cast<std::uint64_t>(info.maxValue)) {
        return static_cast<std::int64_t>(v.raw - (std::uint64_t{1} << info.bits));
      } else if (info.bits == 64 || v.raw <= static_cast<std::uint64_t>(info.maxValue)) {
        return static_cast<std::int64_t>(v.raw);
      }
    } else if (v.integer >= info.minValue && v.integer <= info.maxValue) {
      return v.integer;
    }
    Fail<EPropertyError>(v.line,
                         "value out of range for property " + Quoted(p.path) + " of " + item);
  }

  void ApplyValue(std::size_t index, TPersistent& target, const TPropertyInfo& info,
                  const TDescriptionProperty& p, const std::string& item, const std::string& path,
                  const std::vector<const TPersistent*>& containers) {
    const TDescriptionValue& v = p.value;
    const bool isIdent = v.type == TDescriptionValueType::Identifier;
    switch (info.kind) {
      case TPropertyKind::Object:
        Fail<EPropertyError>(v.line, "property " + Quoted(p.path) + " of " + item +
                                         " is an object; set its properties as " + p.path +
                                         ".<name>");
      case TPropertyKind::Integer:
        Set(p, item, info, target, IntegerValue(p, info, item));
        return;
      case TPropertyKind::Float: {
        double d;
        if (v.type == TDescriptionValueType::Float)
          d = v.real;
        else if (v.type == TDescriptionValueType::Integer &&
                 !(v.hex && v.raw > static_cast<std::uint64_t>(INT64_MAX)))
          d = static_cast<double>(v.integer);
        else
          WrongKind(p, info, item);
        if (info.singlePrecision && std::fabs(d) > FLT_MAX)
          Fail<EPropertyError>(v.line,
                               "value out of range for property " + Quoted(p.path) + " of " + item);
        Set(p, item, info, target, d);
        return;
      }
      case TPropertyKind::String:
        if (v.type != TDescriptionValueType::String) WrongKind(p, info, item);
        Set(p, item, info, target, v.text);
        return;
      case TPropertyKind::Boolean:
        if (isIdent && (SameText(v.text, "True") || SameText(v.text, "False"))) {
          Set(p, item, info, target, SameText(v.text, "True"));
          return;
        }
        WrongKind(p, info, item);
      case TPropertyKind::Enumeration: {
        if (!isIdent) WrongKind(p, info, item);
        int ordinal = info.enumInfo->Find(v.text);
        if (ordinal < 0)
          Fail<EPropertyError>(v.line, Quoted(v.text) + " is not a value of " +
                                           info.enumInfo->TypeName() + " (property " +
                                           Quoted(p.path) + " of " + item + ")");
        Set(p, item, info, target, std::int64_t{ordinal});
        return;
      }
      case TPropertyKind::Set: {
        if (v.type != TDescriptionValueType::Set) WrongKind(p, info, item);
        std::uint64_t mask = 0;
        for (const std::string& name : v.identifiers) {
          int ordinal = info.enumInfo->Find(name);
          if (ordinal < 0 || ordinal >= 64)
            Fail<EPropertyError>(v.line, Quoted(name) + " is not a value of " +
                                             info.enumInfo->TypeName() + " (property " +
                                             Quoted(p.path) + " of " + item + ")");
          mask |= std::uint64_t{1} << ordinal;
        }
        Set(p, item, info, target, static_cast<std::int64_t>(mask));
        return;
      }
      case TPropertyKind::Binary:
        if (v.type != TDescriptionValueType::Binary) WrongKind(p, info, item);
        Set(p, item, info, target, TBytes(v.bytes));
        return;
      case TPropertyKind::Strings: {
        if (v.type != TDescriptionValueType::List) WrongKind(p, info, item);
        TStringValues strings;
        for (const TDescriptionValue& e : v.list) {
          if (e.type != TDescriptionValueType::String)
            Fail<EPropertyError>(e.line, "property " + Quoted(p.path) + " of " + item +
                                             " takes only strings in its list, found " +
                                             DescribeValue(e));
          strings.push_back(e.text);
        }
        Set(p, item, info, target, std::move(strings));
        return;
      }
      case TPropertyKind::Collection:
        if (v.type != TDescriptionValueType::Collection) WrongKind(p, info, item);
        ReadCollection(index, target, info, p, item, path, containers);
        return;
      case TPropertyKind::Component:
        if (!isIdent) WrongKind(p, info, item);
        if (SameText(v.text, "nil")) {
          Set(p, item, info, target, static_cast<TComponent*>(nullptr));
          return;
        }
        fixups_.push_back({index, &target, &info, v.text, v.line, item, containers});
        return;
      case TPropertyKind::Event: {
        if (!isIdent) WrongKind(p, info, item);
        if (SameText(v.text, "nil")) {
          Set(p, item, info, target, TEventValue{});
          return;
        }
        const TMethodInfo* method = root_.ClassInfo().FindMethod(v.text);
        if (!method)
          Fail<EPropertyError>(v.line, "unknown method " + Quoted(v.text) + " of " +
                                           root_.ClassName() + " for event " + Quoted(p.path) +
                                           " of " + item);
        if (!info.eventSignature || method->Signature() != *info.eventSignature)
          Fail<EPropertyError>(v.line, "method " + Quoted(v.text) + " of " + root_.ClassName() +
                                           " does not fit event " + Quoted(p.path) + " of " + item +
                                           ": its parameters differ");
        Set(p, item, info, target, TEventValue{method, &root_});
        return;
      }
    }
  }

  void ReadCollection(std::size_t index, TPersistent& target, const TPropertyInfo& info,
                      const TDescriptionProperty& p, const std::string& item,
                      const std::string& path, const std::vector<const TPersistent*>& containers) {
    auto* collection = dynamic_cast<TCollection*>(info.object(target));
    if (!collection)
      Fail<EPropertyError>(p.line,
                           "property " + Quoted(p.path) + " of " + item + " holds no collection");
    // The items about to be replaced may carry pending references.
    for (Fixup& f : fixups_)
      for (const TPersistent* c : f.containers)
        for (int i = 0; i < collection->Count(); ++i)
          if (c == collection->Items(i)) f.alive = false;
    struct UpdateScope {
      TCollection* c;
      ~UpdateScope() {
        try {
          c->EndUpdate();
        } catch (...) {
        }
      }
    };
    collection->BeginUpdate();
    UpdateScope scope{collection};
    Wrap(p.line, "property " + Quoted(p.path) + " of " + item + ": ", [&] { collection->Clear(); });
    const std::string base = path + "." + p.path;
    for (std::size_t n = 0; n < p.value.items.size(); ++n) {
      const TDescriptionItem& node = p.value.items[n];
      TCollectionItem* added = nullptr;
      Wrap(node.line, "property " + Quoted(p.path) + " of " + item + ": ",
           [&] { added = collection->Add(); });
      std::vector<const TPersistent*> inner = containers;
      inner.push_back(added);
      const std::string itemPath = base + "[" + std::to_string(n) + "]";
      for (const TDescriptionProperty& ip : node.properties)
        ApplyProperty(index, *added, itemPath, ip, inner);
    }
  }

  // --- references ----------------------------------------------------------

  TComponent* Resolve(std::string_view reference) const {
    std::vector<std::string_view> parts = SplitPath(reference);
    if (parts.size() == 1) {
      if (TComponent* c = root_.FindComponent(reference)) return c;
      if (SameText(root_.Name(), reference)) return &root_;
      return findWindow_ ? findWindow_(reference) : nullptr;
    }
    if (parts.size() != 2) return nullptr;
    TComponent* window = SameText(root_.Name(), parts[0]) ? &root_
                         : findWindow_                    ? findWindow_(parts[0])
                                                          : nullptr;
    return window ? window->FindComponent(parts[1]) : nullptr;
  }

  void ResolveFixups() {
    for (std::size_t i = 0; i < fixups_.size(); ++i) {
      if (!fixups_[i].alive) continue;
      const Fixup f = fixups_[i];
      const std::string where = "property " + Quoted(f.property->name) + " of " + f.item;
      TComponent* c = Resolve(f.reference);
      if (!c)
        Fail<EUnresolvedReference>(f.line,
                                   "unresolved reference " + Quoted(f.reference) + " in " + where);
      if (f.property->accepts && !f.property->accepts(*c))
        Fail<EPropertyError>(f.line, Quoted(f.reference) + " is a " + c->ClassName() + ", not a " +
                                         f.property->targetClass().Name() + " (" + where + ")");
      Wrap(f.line, where + ": ", [&] { f.property->set(*f.target, c); });
    }
  }

  TComponent& root_;
  std::string fileName_;
  TFindGlobalComponent findWindow_;
  std::vector<Loaded> loaded_;
  std::vector<Fixup> fixups_;
  TGuard guard_;  // last: goes first, while the lists above still exist
};

void ReadDescription(TComponent& root, std::string_view text, std::string_view fileName,
                     const TFindGlobalComponent& findWindow) {
  TDescriptionObject tree = IsCompiledDescription(text) ? LoadCompiledDescription(text, fileName)
                                                        : ParseDescription(text, fileName);
  TReader(root, fileName, findWindow).Read(tree);
}

void ReadDescriptionResource(TComponent& root, std::string_view resourceName,
                             const TFindGlobalComponent& findWindow) {
  ReadDescription(root, LoadResource(resourceName), resourceName, findWindow);
}

}  // namespace component
