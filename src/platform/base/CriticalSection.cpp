#include "platform/base/CriticalSection.h"

#include <linux/membarrier.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

namespace platform {

namespace {

long Membarrier(int command) {
  return syscall(__NR_membarrier, command, 0, 0);
}

}  // namespace

bool AsymmetricBarrierAvailable() {
  static const bool available = [] {
    long commands = Membarrier(MEMBARRIER_CMD_QUERY);
    if (commands < 0 || !(commands & MEMBARRIER_CMD_PRIVATE_EXPEDITED)) return false;
    return Membarrier(MEMBARRIER_CMD_REGISTER_PRIVATE_EXPEDITED) == 0;
  }();
  return available;
}

void AsymmetricBarrier() {
  // Registered and offered before the first leaning lock was made; without
  // it a lock would no longer exclude, which nothing may survive.
  if (Membarrier(MEMBARRIER_CMD_PRIVATE_EXPEDITED) != 0) std::abort();
}

bool CriticalSection::StopLeaning(bool wait) {
  if (!stopLeaning_.load(std::memory_order_acquire)) {
    std::lock_guard<std::mutex> guard(waitLock_);
    if (!stopLeaning_.load(std::memory_order_relaxed)) {
      stopLeaning_.store(true, std::memory_order_relaxed);
      // From here on the maker is either seen inside below, or sees the flag
      // at its next way in and takes the lock as everybody does.
      AsymmetricBarrier();
    }
  }
  int round = 0;
  while (makerInside_.load(std::memory_order_acquire)) {
    if (!wait) return false;
    if (++round < 64)
      std::this_thread::yield();
    else
      std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  return true;
}

void CriticalSection::EnterContended(std::uintptr_t self) {
  std::unique_lock<std::mutex> guard(waitLock_);
  waiters_.fetch_add(1, std::memory_order_seq_cst);
  // The owner may leave between our failed attempt and its look at the
  // waiter count and so not wake us: the timed wait bounds that delay.
  while (!Acquire(self)) wakeUp_.wait_for(guard, std::chrono::milliseconds(1));
  waiters_.fetch_sub(1, std::memory_order_relaxed);
}

}  // namespace platform
