// Clean-up bound to a scope: what a step changed for its duration is put
// back however the step ends, by return or by exception.
//
// A clean-up may itself raise (it may fire events). Leaving normally, its
// exception goes on to the caller. Leaving by an exception, the first error
// is the one that travels on and the clean-up's own is dropped, as two cannot
// leave a scope at once; the clean-up's remaining steps are skipped either way.
#pragma once

#include <exception>
#include <utility>

namespace memtable {

// Runs a clean-up whenever the scope is left.
template <class F>
class TScopeExit {
 public:
  explicit TScopeExit(F cleanup)
      : cleanup_(std::move(cleanup)), pending_(std::uncaught_exceptions()) {}
  ~TScopeExit() noexcept(false) {
    if (std::uncaught_exceptions() == pending_) {
      cleanup_();
      return;
    }
    try {
      cleanup_();
    } catch (...) {
      // Dropped: the error that is leaving the scope is the one reported.
    }
  }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

 private:
  F cleanup_;
  int pending_;
};

// Runs a clean-up only when the scope is left by an exception: it undoes a
// step that did not complete.
template <class F>
class TScopeFail {
 public:
  explicit TScopeFail(F undo) : undo_(std::move(undo)), pending_(std::uncaught_exceptions()) {}
  ~TScopeFail() {
    if (std::uncaught_exceptions() == pending_) return;
    try {
      undo_();
    } catch (...) {
      // Dropped: the error that is leaving the scope is the one reported.
    }
  }
  TScopeFail(const TScopeFail&) = delete;
  TScopeFail& operator=(const TScopeFail&) = delete;

 private:
  F undo_;
  int pending_;
};

// Sets a variable for the scope and gives it its earlier value back on
// leaving.
template <class T>
class TScopedValue {
 public:
  TScopedValue(T& variable, T value) : variable_(variable), saved_(std::move(variable)) {
    variable_ = std::move(value);
  }
  ~TScopedValue() { variable_ = std::move(saved_); }
  TScopedValue(const TScopedValue&) = delete;
  TScopedValue& operator=(const TScopedValue&) = delete;

 private:
  T& variable_;
  T saved_;
};

}  // namespace memtable
