// A set of enumeration values whose ordinals lie in 0..63, as published set
// properties hold them ([fsBold, fsItalic] in a stored description).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <type_traits>

namespace component {

template <class E>
class TSet {
  static_assert(std::is_enum_v<E>, "TSet holds enumeration values");

 public:
  using Element = E;

  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> items) {
    for (E e : items) Include(e);
  }
  static constexpr TSet FromMask(std::uint64_t mask) {
    TSet s;
    s.mask_ = mask;
    return s;
  }

  constexpr std::uint64_t Mask() const { return mask_; }
  constexpr bool Empty() const { return mask_ == 0; }
  constexpr bool Contains(E e) const { return (mask_ & Bit(e)) != 0; }
  constexpr TSet& Include(E e) {
    mask_ |= Bit(e);
    return *this;
  }
  constexpr TSet& Exclude(E e) {
    mask_ &= ~Bit(e);
    return *this;
  }

  friend constexpr TSet operator+(TSet a, TSet b) { return FromMask(a.mask_ | b.mask_); }
  friend constexpr TSet operator-(TSet a, TSet b) { return FromMask(a.mask_ & ~b.mask_); }
  friend constexpr TSet operator*(TSet a, TSet b) { return FromMask(a.mask_ & b.mask_); }
  friend constexpr bool operator==(TSet a, TSet b) = default;

 private:
  static constexpr std::uint64_t Bit(E e) {
    return std::uint64_t{1} << static_cast<unsigned>(static_cast<std::underlying_type_t<E>>(e));
  }
  std::uint64_t mask_ = 0;
};

}  // namespace component
