#include "graphics/LockedPersistent.h"

#include <exception>

#include "component/ClassBuilder.h"
#include "component/Exception.h"
#include "component/ScopeGuards.h"

namespace graphics {

namespace {

// Guards every object's lock count.
std::mutex& CountLock() {
  static std::mutex m;
  return m;
}

}  // namespace

const component::TClassInfo& TLockedPersistent::StaticClassInfo() {
  static const component::TClassInfo info =
      component::TClassBuilder<TLockedPersistent, component::TPersistent>("TLockedPersistent")
          .Event("OnChange", &TLockedPersistent::OnChange)
          .Build();
  return info;
}

void TLockedPersistent::Changed() {
  if (updateCount_ == 0 && OnChange) OnChange(this);
}

void TLockedPersistent::EndUpdate() {
  if (updateCount_ <= 0) throw component::EInvalidOperation("Unpaired TLockedPersistent.EndUpdate");
  --updateCount_;
}

void TLockedPersistent::Lock() {
  {
    std::lock_guard g(CountLock());
    ++lockCount_;
  }
  lock_.lock();
}

void TLockedPersistent::Unlock() {
  lock_.unlock();
  std::lock_guard g(CountLock());
  --lockCount_;
}

std::int32_t TLockedPersistent::LockCount() const {
  std::lock_guard g(CountLock());
  return lockCount_;
}

TUpdateScope::TUpdateScope(TLockedPersistent& object)
    : object_(object), pending_(std::uncaught_exceptions()) {
  object_.BeginUpdate();
}

TUpdateScope::~TUpdateScope() noexcept(false) {
  component::FinishScope(pending_, [this] {
    object_.EndUpdate();
    object_.Changed();
  });
}

TChangedScope::TChangedScope(TLockedPersistent& object)
    : object_(object), pending_(std::uncaught_exceptions()) {}

TChangedScope::~TChangedScope() noexcept(false) {
  component::FinishScope(pending_, [this] { object_.Changed(); });
}

}  // namespace graphics
