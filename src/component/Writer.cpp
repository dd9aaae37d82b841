#include "component/Writer.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <variant>
#include <vector>

#include "component/ClassInfo.h"
#include "component/Collection.h"
#include "component/Exception.h"

namespace component {

namespace {

// Longest piece of a string on one line, and bytes of a binary block per line.
constexpr std::size_t kStringPiece = 64;
constexpr std::size_t kBinaryLine = 32;

bool SameValue(const TPropertyValue& a, const TPropertyValue& b) {
  if (a.index() != b.index()) return false;
  if (const auto* e = std::get_if<TEventValue>(&a))
    return e->method == std::get<TEventValue>(b).method && e->root == std::get<TEventValue>(b).root;
  return std::visit(
      [&b](const auto& x) -> bool {
        using X = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<X, std::monostate> || std::is_same_v<X, TEventValue>)
          return true;
        else
          return x == std::get<X>(b);
      },
      a);
}

std::string Indent(int level) {
  return std::string(static_cast<std::size_t>(level) * 2, ' ');
}

std::string FloatText(double d, bool singlePrecision, const std::string& what) {
  if (!std::isfinite(d)) throw EWriteError(what + ": " + std::to_string(d) + " cannot be written");
  // "-0" would read back as the integer 0 and lose its sign.
  if (d == 0 && std::signbit(d)) return "-0.0";
  char buf[64];
  if (singlePrecision) {
    // The float's own shortest form, unless the reader, which reads a double
    // and narrows it, would not get the same float back: the largest float's
    // shortest form lies above the float range.
    const auto f = static_cast<float>(d);
    const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, f);
    double back = 0;
    std::from_chars(buf, r.ptr, back);
    if (std::fabs(back) <= FLT_MAX && static_cast<float>(back) == f) return std::string(buf, r.ptr);
  }
  const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, d);
  return std::string(buf, r.ptr);
}

// The class chain of an object, base first.
std::vector<const TClassInfo*> ClassChain(const TPersistent& object) {
  std::vector<const TClassInfo*> chain;
  for (const TClassInfo* c = &object.ClassInfo(); c; c = c->Parent()) chain.push_back(c);
  return {chain.rbegin(), chain.rend()};
}

}  // namespace

std::string DescriptionString(std::string_view text) {
  if (text.empty()) return "''";
  std::string out;
  bool quoted = false;
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 32 && c <= 126) {
      if (!quoted) out += '\'';
      quoted = true;
      out += ch;
      if (ch == '\'') out += '\'';
    } else {
      if (quoted) out += '\'';
      quoted = false;
      out += '#' + std::to_string(c);
    }
  }
  if (quoted) out += '\'';
  return out;
}

namespace {

class TWriter {
 public:
  explicit TWriter(const TComponent& root) : root_(root), scratch_(nullptr) {}

  std::string Write() {
    WriteObject(root_, 0);
    return std::move(out_);
  }

 private:
  // Writes what a DefineProperties hook hands over, always.
  class THookFiler : public TPropertyFiler {
   public:
    THookFiler(TWriter& writer, const std::string& prefix, int level)
        : writer_(writer), prefix_(prefix), level_(level) {}
    void Write(std::string_view name, TPropertyKind kind, const TPropertyValue& value,
               const TEnumInfo* enumInfo) override {
      TPropertyInfo info;
      info.name = std::string(name);
      info.kind = kind;
      info.enumInfo = enumInfo;
      writer_.WriteValueLine(prefix_ + info.name, info, value, level_);
    }

   private:
    TWriter& writer_;
    const std::string& prefix_;
    int level_;
  };

  // --- objects -------------------------------------------------------------

  void WriteObject(const TComponent& c, int level) {
    out_ += Indent(level) + "object ";
    if (!c.Name().empty()) out_ += c.Name() + ": ";
    out_ += c.ClassName() + "\n";
    WriteProperties(c, Default(c), "", level + 1);
    for (const TComponent* child : Children(c)) WriteObject(*child, level + 1);
    out_ += Indent(level) + "end\n";
  }

  // The components written inside `c`: those the root owns whose parent
  // is `c`; for the root also those whose parent lies outside this window.
  std::vector<const TComponent*> Children(const TComponent& c) const {
    std::vector<const TComponent*> children;
    for (int i = 0; i < root_.ComponentCount(); ++i) {
      const TComponent* child = root_.Components(i);
      const TComponent* parent = child->GetParentComponent();
      if (parent && parent != &root_ && parent->Owner() != &root_) parent = nullptr;
      if (parent == &c || (!parent && &c == &root_)) children.push_back(child);
    }
    return children;
  }

  // A newly created component of the same class, made once per class; null
  // when the class cannot be created.
  const TComponent* Default(const TComponent& c) {
    const TClassInfo& cls = c.ClassInfo();
    auto it = defaults_.find(&cls);
    if (it != defaults_.end()) return it->second;
    TComponent* made = nullptr;
    if (cls.CanCreateComponent()) {
      try {
        made = cls.CreateComponent(&scratch_);
      } catch (const std::exception&) {
        made = nullptr;  // then every stored value is written
      }
    }
    defaults_.emplace(&cls, made);
    return made;
  }

  // --- properties ----------------------------------------------------------

  void WriteProperties(const TPersistent& object, const TPersistent* ancestor,
                       const std::string& prefix, int level) {
    const std::vector<const TClassInfo*> chain = ClassChain(object);
    std::set<std::string> seen;
    for (const TClassInfo* cls : chain) {
      for (const TPropertyInfo& own : cls->OwnProperties()) {
        if (!seen.insert(LowerCase(own.name)).second) continue;
        // A class further down may publish the name again with its own
        // accessors; the object is read through those.
        const TPropertyInfo* info = object.ClassInfo().FindProperty(own.name);
        WriteProperty(object, ancestor, *info, prefix, level);
      }
    }
    for (const TClassInfo* cls : chain) {
      if (!cls->DefinePropertiesHook()) continue;
      THookFiler filer(*this, prefix, level);
      cls->DefinePropertiesHook()(object, ancestor, filer);
    }
  }

  void WriteProperty(const TPersistent& object, const TPersistent* ancestor,
                     const TPropertyInfo& info, const std::string& prefix, int level) {
    if (info.stored && !info.stored(object)) return;
    auto& self = const_cast<TPersistent&>(object);
    auto* base = const_cast<TPersistent*>(ancestor);
    switch (info.kind) {
      case TPropertyKind::Object: {
        const TPersistent* sub = info.object(self);
        if (!sub) return;
        const TPersistent* subDefault = base ? info.object(*base) : nullptr;
        WriteProperties(*sub, subDefault, prefix + info.name + ".", level);
        return;
      }
      case TPropertyKind::Collection:
        WriteCollection(dynamic_cast<const TCollection*>(info.object(self)),
                        base ? dynamic_cast<TCollection*>(info.object(*base)) : nullptr,
                        prefix + info.name, level);
        return;
      case TPropertyKind::Event: {
        if (!info.get) return;
        const TEventValue e = std::get<TEventValue>(info.get(object));
        // Only a method of this root can be named.
        if (!e.method || e.root != &root_) return;
        out_ += Indent(level) + prefix + info.name + " = " + e.method->Name() + "\n";
        return;
      }
      default:
        break;
    }
    if (!info.get) return;
    const TPropertyValue value = info.get(object);
    if (std::holds_alternative<std::monostate>(value)) return;
    if (!info.noDefault && ancestor && SameValue(value, info.get(*ancestor))) return;
    WriteValueLine(prefix + info.name, info, value, level);
  }

  void WriteCollection(const TCollection* collection, TCollection* ancestor,
                       const std::string& path, int level) {
    if (!collection) return;
    if (ancestor && ItemsText(*collection) == ItemsText(*ancestor)) return;
    if (!ancestor && collection->Count() == 0) return;
    if (collection->Count() == 0) {
      out_ += Indent(level) + path + " = <>\n";
      return;
    }
    // Items are written against an item newly added to the default object's
    // collection; it goes again afterwards, as the default object serves
    // every object of its class.
    TCollectionItem* itemDefault = nullptr;
    if (ancestor) {
      try {
        itemDefault = ancestor->Add();
      } catch (const std::exception&) {
        itemDefault = nullptr;
      }
    }
    struct TRemove {
      TCollectionItem* item;
      ~TRemove() { delete item; }
    } remove{itemDefault};
    WriteItems(*collection, itemDefault, path, level);
  }

  void WriteItems(const TCollection& collection, const TCollectionItem* itemDefault,
                  const std::string& path, int level) {
    out_ += Indent(level) + path + " = <";
    for (int i = 0; i < collection.Count(); ++i) {
      out_ += "\n" + Indent(level + 1) + "item\n";
      WriteProperties(*collection.Items(i), itemDefault, "", level + 2);
      out_ += Indent(level + 1) + "end";
    }
    out_ += ">\n";
  }

  // Every stored value of every item, to tell whether two collections hold
  // the same; empty when that cannot be said (which counts as different).
  std::string ItemsText(const TCollection& collection) {
    std::string saved = std::move(out_);
    out_.clear();
    try {
      WriteItems(collection, nullptr, "", 0);
    } catch (const EWriteError&) {
      out_.clear();
    }
    std::string text = std::move(out_);
    out_ = std::move(saved);
    return text;
  }

  // --- values --------------------------------------------------------------

  void WriteValueLine(const std::string& path, const TPropertyInfo& info,
                      const TPropertyValue& value, int level) {
    out_ += Indent(level) + path + " = ";
    WriteValue(path, info, value, level);
    out_ += "\n";
  }

  void WriteValue(const std::string& path, const TPropertyInfo& info, const TPropertyValue& value,
                  int level) {
    const std::string what = "property '" + path + "'";
    switch (info.kind) {
      case TPropertyKind::Integer: {
        const std::int64_t v = std::get<std::int64_t>(value);
        const std::string* name = info.idents ? info.idents->NameOf(v) : nullptr;
        out_ += name ? *name : std::to_string(v);
        return;
      }
      case TPropertyKind::Float:
        out_ += FloatText(std::get<double>(value), info.singlePrecision, what);
        return;
      case TPropertyKind::String:
        WriteString(std::get<std::string>(value), level);
        return;
      case TPropertyKind::Boolean:
        out_ += std::get<bool>(value) ? "True" : "False";
        return;
      case TPropertyKind::Enumeration: {
        const std::int64_t v = std::get<std::int64_t>(value);
        if (!info.enumInfo || v < 0 || v >= info.enumInfo->Count())
          throw EWriteError(what + ": " + std::to_string(v) + " is not a value of its type");
        out_ += info.enumInfo->Name(static_cast<int>(v));
        return;
      }
      case TPropertyKind::Set: {
        auto mask = static_cast<std::uint64_t>(std::get<std::int64_t>(value));
        out_ += '[';
        for (int bit = 0; bit < 64 && mask; ++bit) {
          if (!(mask & (std::uint64_t{1} << bit))) continue;
          if (!info.enumInfo || bit >= info.enumInfo->Count())
            throw EWriteError(what + ": element " + std::to_string(bit) +
                              " is not a value of its type");
          mask &= ~(std::uint64_t{1} << bit);
          out_ += info.enumInfo->Name(bit);
          if (mask) out_ += ", ";
        }
        out_ += ']';
        return;
      }
      case TPropertyKind::Binary:
        WriteBinary(std::get<TBytes>(value), level);
        return;
      case TPropertyKind::Strings: {
        const TStringValues& list = std::get<TStringValues>(value);
        out_ += '(';
        for (const std::string& s : list) {
          out_ += "\n" + Indent(level + 1);
          WriteString(s, level + 1);
        }
        out_ += ')';
        return;
      }
      case TPropertyKind::Component:
        out_ += ReferenceName(std::get<TComponent*>(value), what);
        return;
      case TPropertyKind::Object:
      case TPropertyKind::Collection:
      case TPropertyKind::Event:
        break;
    }
    throw EWriteError(what + " cannot be written as a value");
  }

  void WriteString(const std::string& s, int level) {
    if (s.size() <= kStringPiece) {
      out_ += DescriptionString(s);
      return;
    }
    for (std::size_t start = 0; start < s.size(); start += kStringPiece) {
      if (start) out_ += " +\n" + Indent(level + 1);
      out_ += DescriptionString(std::string_view(s).substr(start, kStringPiece));
    }
  }

  void WriteBinary(const TBytes& bytes, int level) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out_ += '{';
    std::string line;
    for (std::size_t start = 0; start < bytes.size(); start += kBinaryLine) {
      line.assign("\n" + Indent(level + 1));
      const std::size_t end = std::min(bytes.size(), start + kBinaryLine);
      for (std::size_t i = start; i < end; ++i) {
        line += kHex[bytes[i] >> 4];
        line += kHex[bytes[i] & 15];
      }
      out_ += line;
    }
    out_ += '}';
  }

  std::string ReferenceName(const TComponent* c, const std::string& what) const {
    if (!c) return "nil";
    if (c == &root_) {
      if (c->Name().empty()) throw EWriteError(what + ": the window has no name to refer to");
      return c->Name();
    }
    if (c->Name().empty()) throw EWriteError(what + ": refers to a component without a name");
    if (c->Owner() == &root_) return c->Name();
    const TComponent* window = c->Owner();
    if (!window || window->Name().empty())
      throw EWriteError(what + ": " + c->Name() + " belongs to no named window");
    return window->Name() + "." + c->Name();
  }

  const TComponent& root_;
  TComponent scratch_;  // owns the default objects
  std::map<const TClassInfo*, const TComponent*> defaults_;
  std::string out_;
};

}  // namespace

std::string WriteDescription(const TComponent& root) {
  return TWriter(root).Write();
}

}  // namespace component
