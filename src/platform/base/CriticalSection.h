// Re-entrant lock, entered and left by the same thread any number of times.
//
// The locks of this program are almost never contended: the thread that made
// a lock takes it over and over, others hardly ever. So the lock leans towards
// its maker: that thread enters and leaves with plain loads and stores, no
// atomic read-modify-write and no fence. The first time another thread wants
// the lock, it makes every thread of the process pass a memory barrier (an
// asymmetric barrier: free for the maker, dear for the asker, and asked once),
// after which the lock works for everybody as a compare-and-swap lock. Where
// the system offers no such barrier the lock is a compare-and-swap lock from
// the start. A thread that finds the lock held by another one sleeps instead
// of spinning.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace platform {

// True when the process can make every running thread pass a full memory
// barrier (registered on first use).
bool AsymmetricBarrierAvailable();
// Makes every other running thread of the process pass a full memory barrier
// before it returns.
void AsymmetricBarrier();

class CriticalSection {
 public:
  CriticalSection() : leaning_(AsymmetricBarrierAvailable() ? CurrentThreadTag() : 0) {}

  void Enter() {
    const std::uintptr_t self = CurrentThreadTag();
    if (self == leaning_) {
      if (EnterLeaning()) return;
    } else if (leaning_ != 0) {
      StopLeaning(true);
    }
    if (owner_.load(std::memory_order_relaxed) == self) {
      ++depth_;
      return;
    }
    if (!Acquire(self)) EnterContended(self);
    depth_ = 1;
  }

  void Leave() {
    if (--depth_ != 0) return;
    if (leaningHeld_) {
      leaningHeld_ = false;
      makerInside_.store(false, std::memory_order_release);
      return;
    }
    owner_.store(0, std::memory_order_release);
    if (waiters_.load(std::memory_order_relaxed) != 0) WakeWaiter();
  }

  bool TryEnter() {
    const std::uintptr_t self = CurrentThreadTag();
    if (self == leaning_) {
      if (EnterLeaning()) return true;
    } else if (leaning_ != 0 && !StopLeaning(false)) {
      return false;
    }
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

  // The maker's way in while the lock still leans towards it.
  bool EnterLeaning() {
    if (leaningHeld_) {
      ++depth_;
      return true;
    }
    makerInside_.store(true, std::memory_order_relaxed);
    // Only the compiler must keep the store before the load: the asking
    // side's barrier orders them in this thread's processor.
    std::atomic_signal_fence(std::memory_order_seq_cst);
    if (!stopLeaning_.load(std::memory_order_relaxed)) {
      leaningHeld_ = true;
      depth_ = 1;
      return true;
    }
    makerInside_.store(false, std::memory_order_release);
    return false;
  }

  bool Acquire(std::uintptr_t self) {
    std::uintptr_t expected = 0;
    return owner_.compare_exchange_strong(expected, self, std::memory_order_acquire,
                                          std::memory_order_relaxed);
  }

  // Ends the leaning for good, then waits (when wait is set) until the maker
  // is out; false when it is still inside and waiting was not allowed.
  bool StopLeaning(bool wait);

  [[gnu::cold, gnu::noinline]] void EnterContended(std::uintptr_t self);

  [[gnu::cold, gnu::noinline]] void WakeWaiter() {
    std::lock_guard<std::mutex> guard(waitLock_);
    wakeUp_.notify_one();
  }

  // The thread the lock leans towards, 0 when it leans towards none.
  const std::uintptr_t leaning_;
  // Touched by the maker only: true while it holds the lock the cheap way.
  bool leaningHeld_ = false;
  std::atomic<bool> makerInside_{false};
  std::atomic<bool> stopLeaning_{false};
  std::atomic<std::uintptr_t> owner_{0};
  // Only the holding thread touches the depth.
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
