// Re-entrant lock, entered and left by the same thread any number of times.
//
// The locks of this program are almost never contended, so the uncontended
// paths are kept to one compare-and-swap to enter and a plain store to leave;
// re-entering costs no atomic operation at all. A thread that finds the lock
// held by another one sleeps on a condition variable instead of spinning.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace platform {

class CriticalSection {
 public:
  void Enter() {
    const std::uintptr_t self = CurrentThreadTag();
    if (owner_.load(std::memory_order_relaxed) == self) {
      ++depth_;
      return;
    }
    if (!Acquire(self)) EnterContended(self);
    depth_ = 1;
  }

  void Leave() {
    if (--depth_ != 0) return;
    owner_.store(0, std::memory_order_release);
    if (waiters_.load(std::memory_order_relaxed) != 0) WakeWaiter();
  }

  bool TryEnter() {
    const std::uintptr_t self = CurrentThreadTag();
    if (owner_.load(std::memory_order_relaxed) == self) {
      ++depth_;
      return true;
    }
    if (!Acquire(self)) return false;
    depth_ = 1;
    return true;
  }

 private:
  // A value unique to the calling thread and never 0.
  static std::uintptr_t CurrentThreadTag() {
    static thread_local char tag;
    return reinterpret_cast<std::uintptr_t>(&tag);
  }

  bool Acquire(std::uintptr_t self) {
    std::uintptr_t expected = 0;
    return owner_.compare_exchange_strong(expected, self, std::memory_order_acquire,
                                          std::memory_order_relaxed);
  }

  [[gnu::cold, gnu::noinline]] void EnterContended(std::uintptr_t self) {
    std::unique_lock<std::mutex> guard(waitLock_);
    waiters_.fetch_add(1, std::memory_order_seq_cst);
    // The owner may leave between our failed attempt and its look at the
    // waiter count and so not wake us: the timed wait bounds that delay.
    while (!Acquire(self)) wakeUp_.wait_for(guard, std::chrono::milliseconds(1));
    waiters_.fetch_sub(1, std::memory_order_relaxed);
  }

  [[gnu::cold, gnu::noinline]] void WakeWaiter() {
    std::lock_guard<std::mutex> guard(waitLock_);
    wakeUp_.notify_one();
  }

  std::atomic<std::uintptr_t> owner_{0};
  // Only the owning thread touches the depth.
  int depth_ = 0;
  std::atomic<int> waiters_{0};
  std::mutex waitLock_;
  std::condition_variable wakeUp_;
};

// Holds a critical section for one scope.
class CriticalSectionGuard {
 public:
  explicit CriticalSectionGuard(CriticalSection& cs) : cs_(cs) { cs_.Enter(); }
  ~CriticalSectionGuard() { cs_.Leave(); }
  CriticalSectionGuard(const CriticalSectionGuard&) = delete;
  CriticalSectionGuard& operator=(const CriticalSectionGuard&) = delete;

 private:
  CriticalSection& cs_;
};

}  // namespace platform
