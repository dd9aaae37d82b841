// Clean-up bound to a scope: what a step changed for its duration is put
// back however the step ends, by return or by exception.
//
// A clean-up may itself raise (it may fire events). Leaving normally, its
// exception goes on to the caller. Leaving by an exception, the first error
// is the one that travels on and the clean-up's own is dropped, as two cannot
// leave a scope at once. Either way the clean-up's remaining steps are
// skipped.
#pragma once

#include <exception>
#include <utility>

namespace component {

// Runs the clean-up of a scope being left, by the rule above; `pending` is
// std::uncaught_exceptions() as of the scope's start.
template <class F>
void FinishScope(int pending, F&& cleanup) {
  try {
    cleanup();
  } catch (...) {
    // Passed on when the scope was left normally; dropped when an error is
    // already leaving it.
    if (std::uncaught_exceptions() == pending) throw;
  }
}

// Runs a clean-up whenever the scope is left. It reads a thread-local count
// when made; a step run for every record pairs TScopeFail with a call on its
// normal way out instead.
template <class F>
class TScopeExit {
 public:
  explicit TScopeExit(F cleanup)
      : cleanup_(std::move(cleanup)), pending_(std::uncaught_exceptions()) {}
  ~TScopeExit() noexcept(false) { FinishScope(pending_, cleanup_); }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

 private:
  F cleanup_;
  int pending_;
};

// Undoes a step that did not complete: unless Done() is called once the
// step has, leaving the scope (by an exception) runs the undo.
template <class F>
class TScopeFail {
 public:
  explicit TScopeFail(F undo) : undo_(std::move(undo)) {}
  void Done() { done_ = true; }
  ~TScopeFail() {
    if (done_) return;
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
  bool done_ = false;
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

}  // namespace component
