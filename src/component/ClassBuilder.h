// TClassBuilder: builds a class description in one statement, one line per
// published property, from member function pointers. The property's kind
// follows from the setter's parameter type:
//
//   bool                         Boolean
//   other integer types          Integer (range-checked against the type;
//                                optional TIdentMap of named constants)
//   float, double                Float
//   std::string, string_view     String
//   an enumeration E             Enumeration (names from a TEnumInfo given as
//                                extra argument, or found as EnumInfo(E{}))
//   TSet<E>                      Set (names as for E)
//   TBytes, span<const uint8_t>  Binary
//   TStringValues                Strings
//   pointer to a TComponent
//   descendant                   Component (the reference must be of it)
//
// A getter-only property whose getter returns a pointer to a TCollection
// descendant is a Collection, to another TPersistent an owned sub-object
// whose own properties are reached by dotted paths. Events are
// std::function data members; handler methods are member functions of the
// root component's class.
//
//   const TClassInfo& TLabel::StaticClassInfo() {
//     static const TClassInfo info = TClassBuilder<TLabel, TGraphicControl>("TLabel")
//         .Property("Caption", &TLabel::Caption, &TLabel::SetCaption)
//         .Property("Alignment", &TLabel::Alignment, &TLabel::SetAlignment)
//         .Property("Font", &TLabel::Font)
//         .Event("OnClick", &TLabel::OnClick)
//         .Build();
//     return info;
//   }
#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <utility>

#include "component/ClassInfo.h"
#include "component/Collection.h"
#include "component/Component.h"
#include "component/Set.h"

namespace component {

namespace builder_detail {

template <class M>
struct SetterTraits;
template <class C, class P>
struct SetterTraits<void (C::*)(P)> {
  using Param = std::remove_cvref_t<P>;
};
template <class C, class P>
struct SetterTraits<void (C::*)(P) noexcept> {
  using Param = std::remove_cvref_t<P>;
};

template <class M>
struct GetterTraits;
template <class C, class R>
struct GetterTraits<R (C::*)() const> {
  using Result = std::remove_cvref_t<R>;
};
template <class C, class R>
struct GetterTraits<R (C::*)() const noexcept> {
  using Result = std::remove_cvref_t<R>;
};
template <class C, class R>
struct GetterTraits<R (C::*)()> {
  using Result = std::remove_cvref_t<R>;
};
template <class C, class R>
struct GetterTraits<R (C::*)() noexcept> {
  using Result = std::remove_cvref_t<R>;
};

template <class T>
struct IsSet : std::false_type {};
template <class E>
struct IsSet<TSet<E>> : std::true_type {
  using Element = E;
};

template <class P>
constexpr bool IsString = std::is_same_v<P, std::string> || std::is_same_v<P, std::string_view>;
template <class P>
constexpr bool IsBinary =
    std::is_same_v<P, TBytes> || std::is_same_v<P, std::span<const std::uint8_t>>;
template <class P>
constexpr bool IsReference = std::is_pointer_v<P>&&
    std::is_base_of_v<TComponent, std::remove_cv_t<std::remove_pointer_t<P>>>;
template <class P>
constexpr bool IsInteger = std::is_integral_v<P> && !std::is_same_v<P, bool>;

// What a handler method bound from a stored description is wrapped in, so
// the event can tell later which method of which root it holds.
template <class Sig>
struct TBoundMethod;
template <class R, class... A>
struct TBoundMethod<R(A...)> {
  std::string name;
  TComponent* root = nullptr;
  std::function<R(A...)> call;
  R operator()(A... a) const { return call(std::forward<A>(a)...); }
};

// The method a handler was bound from; empty when it was assigned by code.
template <class Sig>
TEventValue EventValueOf(const std::function<Sig>& handler) {
  if (const auto* bound = handler.template target<TBoundMethod<Sig>>())
    if (bound->root)
      if (const TMethodInfo* method = bound->root->ClassInfo().FindMethod(bound->name))
        return TEventValue{method, bound->root};
  return TEventValue{};
}

template <class E>
const TEnumInfo* DefaultEnumInfo() {
  if constexpr (requires { EnumInfo(E{}); })
    return &EnumInfo(E{});
  else
    return nullptr;
}

// The value a setter of parameter type P receives from a TPropertyValue.
template <class P>
decltype(auto) FromValue(const TPropertyValue& v) {
  if constexpr (std::is_same_v<P, bool>) {
    return std::get<bool>(v);
  } else if constexpr (IsInteger<P>) {
    return static_cast<P>(std::get<std::int64_t>(v));
  } else if constexpr (std::is_floating_point_v<P>) {
    return static_cast<P>(std::get<double>(v));
  } else if constexpr (IsString<P>) {
    return P(std::get<std::string>(v));
  } else if constexpr (std::is_enum_v<P>) {
    return static_cast<P>(std::get<std::int64_t>(v));
  } else if constexpr (IsSet<P>::value) {
    return P::FromMask(static_cast<std::uint64_t>(std::get<std::int64_t>(v)));
  } else if constexpr (std::is_same_v<P, TBytes>) {
    return (std::get<TBytes>(v));
  } else if constexpr (std::is_same_v<P, std::span<const std::uint8_t>>) {
    return std::span<const std::uint8_t>(std::get<TBytes>(v));
  } else if constexpr (std::is_same_v<P, TStringValues>) {
    return (std::get<TStringValues>(v));
  } else if constexpr (IsReference<P>) {
    return dynamic_cast<P>(std::get<TComponent*>(v));
  } else {
    static_assert(sizeof(P) == 0, "unsupported property type");
  }
}

template <class R>
TPropertyValue ToValue(const R& r) {
  if constexpr (std::is_same_v<R, bool>) {
    return r;
  } else if constexpr (IsInteger<R>) {
    return static_cast<std::int64_t>(r);
  } else if constexpr (std::is_floating_point_v<R>) {
    return static_cast<double>(r);
  } else if constexpr (IsString<R>) {
    return std::string(r);
  } else if constexpr (std::is_enum_v<R>) {
    return static_cast<std::int64_t>(r);
  } else if constexpr (IsSet<R>::value) {
    return static_cast<std::int64_t>(r.Mask());
  } else if constexpr (std::is_same_v<R, TBytes>) {
    return r;
  } else if constexpr (std::is_same_v<R, std::span<const std::uint8_t>>) {
    return TBytes(r.begin(), r.end());
  } else if constexpr (std::is_same_v<R, TStringValues>) {
    return r;
  } else if constexpr (IsReference<R>) {
    return static_cast<TComponent*>(const_cast<std::remove_cv_t<std::remove_pointer_t<R>>*>(r));
  } else {
    static_assert(sizeof(R) == 0, "unsupported property type");
  }
}

inline void ApplyExtra(TPropertyInfo& info, const TEnumInfo& e) {
  info.enumInfo = &e;
}
inline void ApplyExtra(TPropertyInfo& info, const TIdentMap& m) {
  info.idents = &m;
}

}  // namespace builder_detail

template <class T, class Base = void>
class TClassBuilder {
 public:
  explicit TClassBuilder(std::string name) : info_(std::move(name), ParentInfo()) {
    if constexpr (std::is_base_of_v<TComponent, T> && !std::is_abstract_v<T> &&
                  std::is_constructible_v<T, TComponent*>) {
      info_.SetComponentFactory([](TComponent* owner) -> TComponent* { return new T(owner); });
    }
    if constexpr (std::is_base_of_v<TCollectionItem, T> && !std::is_abstract_v<T> &&
                  std::is_constructible_v<T, TCollection*>) {
      info_.SetItemFactory([](TCollection* c) -> TCollectionItem* { return new T(c); });
    }
  }

  // A property with a setter and, unless `getter` is nullptr, a getter.
  // `extras` are a TEnumInfo (enumerations and sets) or a TIdentMap (integers).
  template <class G, class S, class... X>
  TClassBuilder& Property(std::string_view name, G getter, S setter, const X&... extras) {
    using namespace builder_detail;
    using P = typename SetterTraits<S>::Param;
    TPropertyInfo info;
    info.name = std::string(name);
    Describe<P>(info);
    (ApplyExtra(info, extras), ...);
    if (info.kind == TPropertyKind::Enumeration || info.kind == TPropertyKind::Set) {
      if (!info.enumInfo) throw std::logic_error("no enumeration names for " + info.name);
    }
    info.set = [setter](TPersistent& o, const TPropertyValue& v) {
      (static_cast<T&>(o).*setter)(FromValue<P>(v));
    };
    if constexpr (!std::is_same_v<G, std::nullptr_t>) {
      info.get = [getter](const TPersistent& o) -> TPropertyValue {
        return ToValue((const_cast<T&>(static_cast<const T&>(o)).*getter)());
      };
    }
    info_.AddProperty(std::move(info));
    return *this;
  }

  // A property kept as a plain data member of T (or of a base of T) that
  // needs nothing done when it changes.
  template <class C, class M, class... X>
  TClassBuilder& Field(std::string_view name, M C::*member, const X&... extras) {
    using namespace builder_detail;
    static_assert(std::is_base_of_v<C, T>);
    TPropertyInfo info;
    info.name = std::string(name);
    Describe<M>(info);
    (ApplyExtra(info, extras), ...);
    if (info.kind == TPropertyKind::Enumeration || info.kind == TPropertyKind::Set) {
      if (!info.enumInfo) throw std::logic_error("no enumeration names for " + info.name);
    }
    info.set = [member](TPersistent& o, const TPropertyValue& v) {
      static_cast<T&>(o).*member = FromValue<M>(v);
    };
    info.get = [member](const TPersistent& o) -> TPropertyValue {
      return ToValue(static_cast<const T&>(o).*member);
    };
    info_.AddProperty(std::move(info));
    return *this;
  }

  // An owned sub-object or collection, published through its getter.
  template <class G>
  TClassBuilder& Property(std::string_view name, G getter) {
    using R = typename builder_detail::GetterTraits<G>::Result;
    static_assert(std::is_pointer_v<R> && std::is_base_of_v<TPersistent, std::remove_pointer_t<R>>,
                  "a getter-only property returns a pointer to a TPersistent descendant");
    using U = std::remove_cv_t<std::remove_pointer_t<R>>;
    TPropertyInfo info;
    info.name = std::string(name);
    info.kind =
        std::is_base_of_v<TCollection, U> ? TPropertyKind::Collection : TPropertyKind::Object;
    info.targetClass = &U::StaticClassInfo;
    info.object = [getter](TPersistent& o) -> TPersistent* {
      return const_cast<U*>((static_cast<T&>(o).*getter)());
    };
    info_.AddProperty(std::move(info));
    return *this;
  }

  // An event: a std::function data member. Stored descriptions name a handler
  // method of the root component's class whose signature is exactly Sig.
  template <class C, class Sig>
  TClassBuilder& Event(std::string_view name, std::function<Sig> C::*member) {
    TPropertyInfo info;
    info.name = std::string(name);
    info.kind = TPropertyKind::Event;
    info.eventSignature = std::type_index(typeid(Sig));
    info.set = [member](TPersistent& o, const TPropertyValue& v) {
      const TEventValue& e = std::get<TEventValue>(v);
      std::function<Sig>& slot = static_cast<T&>(o).*member;
      if (!e.method)
        slot = nullptr;
      else
        slot = std::any_cast<std::function<Sig>>(e.method->Bind(*e.root));
    };
    info.get = [member](const TPersistent& o) -> TPropertyValue {
      return builder_detail::EventValueOf(static_cast<const T&>(o).*member);
    };
    info_.AddProperty(std::move(info));
    return *this;
  }

  // An event kept behind a setter that takes the std::function; without a
  // getter it is never written.
  template <class C, class Sig>
  TClassBuilder& Event(std::string_view name, void (C::*setter)(std::function<Sig>)) {
    return Event(name, static_cast<const std::function<Sig>& (C::*)() const>(nullptr), setter);
  }

  // An event kept behind a setter that takes the std::function, and the
  // getter that returns it.
  template <class C, class D, class Sig>
  TClassBuilder& Event(std::string_view name, const std::function<Sig>& (D::*getter)() const,
                       void (C::*setter)(std::function<Sig>)) {
    TPropertyInfo info;
    info.name = std::string(name);
    info.kind = TPropertyKind::Event;
    info.eventSignature = std::type_index(typeid(Sig));
    info.set = [setter](TPersistent& o, const TPropertyValue& v) {
      const TEventValue& e = std::get<TEventValue>(v);
      (static_cast<T&>(o).*
       setter)(e.method ? std::any_cast<std::function<Sig>>(e.method->Bind(*e.root)) : nullptr);
    };
    if (getter) {
      info.get = [getter](const TPersistent& o) -> TPropertyValue {
        return builder_detail::EventValueOf((static_cast<const T&>(o).*getter)());
      };
    }
    info_.AddProperty(std::move(info));
    return *this;
  }

  // A handler method that events in stored descriptions may name.
  template <class C, class R, class... Args>
  TClassBuilder& Method(std::string_view name, R (C::*method)(Args...)) {
    static_assert(std::is_base_of_v<C, T>);
    using Sig = R(Args...);
    info_.AddMethod(TMethodInfo(std::string(name), std::type_index(typeid(Sig)),
                                [method, name = std::string(name)](TComponent& root) -> std::any {
                                  C* self = dynamic_cast<C*>(&root);
                                  return std::function<Sig>(builder_detail::TBoundMethod<Sig>{
                                      name, &root, [self, method](Args... a) -> R {
                                        return (self->*method)(std::forward<Args>(a)...);
                                      }});
                                }));
    return *this;
  }

  // A property whose value needs more than a setter call: `fn` receives the
  // object and the value in the form TPropertyValue gives for `kind`.
  TClassBuilder& Custom(std::string_view name, TPropertyKind kind,
                        std::function<void(T&, const TPropertyValue&)> fn,
                        const TEnumInfo* enumInfo = nullptr) {
    TPropertyInfo info;
    info.name = std::string(name);
    info.kind = kind;
    info.enumInfo = enumInfo;
    info.set = [fn = std::move(fn)](TPersistent& o, const TPropertyValue& v) {
      fn(static_cast<T&>(o), v);
    };
    info_.AddProperty(std::move(info));
    return *this;
  }

  // Modifiers of the property added last.

  // Read back for writing; for Custom properties, which have none otherwise.
  TClassBuilder& Getter(std::function<TPropertyValue(const T&)> fn) {
    info_.LastProperty().get = [fn = std::move(fn)](const TPersistent& o) {
      return fn(static_cast<const T&>(o));
    };
    return *this;
  }
  // Written only while `fn` is true (a font that follows the parent's is not).
  TClassBuilder& Stored(std::function<bool(const T&)> fn) {
    info_.LastProperty().stored = [fn = std::move(fn)](const TPersistent& o) {
      return fn(static_cast<const T&>(o));
    };
    return *this;
  }
  // Written whatever its value.
  TClassBuilder& NoDefault() {
    info_.LastProperty().noDefault = true;
    return *this;
  }

  // Custom writing for the class (TClassInfo::DefineProperties).
  TClassBuilder& DefineProperties(
      std::function<void(const T&, const T* ancestor, TPropertyFiler&)> fn) {
    info_.SetDefineProperties(
        [fn = std::move(fn)](const TPersistent& o, const TPersistent* a, TPropertyFiler& filer) {
          fn(static_cast<const T&>(o), dynamic_cast<const T*>(a), filer);
        });
    return *this;
  }

  TClassInfo Build() { return std::move(info_); }

 private:
  static const TClassInfo* ParentInfo() {
    if constexpr (std::is_void_v<Base>) {
      return nullptr;
    } else {
      static_assert(std::is_base_of_v<Base, T>);
      return &Base::StaticClassInfo();
    }
  }

  template <class P>
  static void Describe(TPropertyInfo& info) {
    using namespace builder_detail;
    if constexpr (std::is_same_v<P, bool>) {
      info.kind = TPropertyKind::Boolean;
    } else if constexpr (IsInteger<P>) {
      info.kind = TPropertyKind::Integer;
      info.bits = std::numeric_limits<P>::digits + (std::is_signed_v<P> ? 1 : 0);
      info.isSigned = std::is_signed_v<P>;
      info.minValue = static_cast<std::int64_t>(std::numeric_limits<P>::min());
      if constexpr (std::is_unsigned_v<P> && sizeof(P) >= sizeof(std::int64_t))
        info.maxValue = INT64_MAX;
      else
        info.maxValue = static_cast<std::int64_t>(std::numeric_limits<P>::max());
    } else if constexpr (std::is_floating_point_v<P>) {
      info.kind = TPropertyKind::Float;
      info.singlePrecision = std::is_same_v<P, float>;
    } else if constexpr (IsString<P>) {
      info.kind = TPropertyKind::String;
    } else if constexpr (std::is_enum_v<P>) {
      info.kind = TPropertyKind::Enumeration;
      info.enumInfo = DefaultEnumInfo<P>();
    } else if constexpr (IsSet<P>::value) {
      info.kind = TPropertyKind::Set;
      info.enumInfo = DefaultEnumInfo<typename IsSet<P>::Element>();
    } else if constexpr (IsBinary<P>) {
      info.kind = TPropertyKind::Binary;
    } else if constexpr (std::is_same_v<P, TStringValues>) {
      info.kind = TPropertyKind::Strings;
    } else if constexpr (IsReference<P>) {
      using U = std::remove_cv_t<std::remove_pointer_t<P>>;
      info.kind = TPropertyKind::Component;
      info.targetClass = &U::StaticClassInfo;
      if constexpr (!std::is_same_v<U, TComponent>)
        info.accepts = [](const TComponent& c) { return dynamic_cast<const U*>(&c) != nullptr; };
    } else {
      static_assert(sizeof(P) == 0, "unsupported property type");
    }
  }

  TClassInfo info_;
};

}  // namespace component
