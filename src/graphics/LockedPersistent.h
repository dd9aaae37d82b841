// TLockedPersistent: a persistent object with a re-entrant lock of its own
// (so a bitmap can be drawn from another thread), a lock count and an update
// count that brackets change notification.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>

#include "component/Persistent.h"
#include "toolkit/Types.h"

namespace graphics {

class TLockedPersistent : public component::TPersistent {
 public:
  COMPONENT_CLASS_INFO()

  TLockedPersistent() = default;

  // Fires OnChange, unless an update is open.
  virtual void Changed();
  void BeginUpdate() { ++updateCount_; }
  // EInvalidOperation "Unpaired TLockedPersistent.EndUpdate" when no update
  // is open; the count is left alone. Does not notify.
  void EndUpdate();
  std::int32_t UpdateCount() const { return updateCount_; }

  void Lock();
  void Unlock();
  std::int32_t LockCount() const;
  // The object's own lock, for scoped locking (std::lock_guard over it
  // does not count).
  std::recursive_mutex& LockObject() { return lock_; }

  toolkit::TNotifyEvent OnChange;

 private:
  std::recursive_mutex lock_;
  std::int32_t lockCount_ = 0;
  std::int32_t updateCount_ = 0;
};

// Lock() / Unlock() for a scope.
class TLockGuard {
 public:
  explicit TLockGuard(TLockedPersistent& object) : object_(object) { object_.Lock(); }
  ~TLockGuard() { object_.Unlock(); }
  TLockGuard(const TLockGuard&) = delete;
  TLockGuard& operator=(const TLockGuard&) = delete;

 private:
  TLockedPersistent& object_;
};

// BeginUpdate() for a scope; on leaving, EndUpdate() and then Changed(), so
// the change is announced once, at the end, however the scope ends.
class TUpdateScope {
 public:
  explicit TUpdateScope(TLockedPersistent& object);
  ~TUpdateScope() noexcept(false);
  TUpdateScope(const TUpdateScope&) = delete;
  TUpdateScope& operator=(const TUpdateScope&) = delete;

 private:
  TLockedPersistent& object_;
  int pending_;
};

// Changed() on leaving the scope, however it ends.
class TChangedScope {
 public:
  explicit TChangedScope(TLockedPersistent& object);
  ~TChangedScope() noexcept(false);
  TChangedScope(const TChangedScope&) = delete;
  TChangedScope& operator=(const TChangedScope&) = delete;

 private:
  TLockedPersistent& object_;
  int pending_;
};

}  // namespace graphics
