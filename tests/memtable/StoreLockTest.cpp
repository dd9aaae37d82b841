// The re-entrant lock every record store holds around its operations.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/CriticalSection.h"

using platform::CriticalSection;

TEST(StoreLock, OwnerReentersOthersWaitForTheLastLeave) {
  CriticalSection cs;
  cs.Enter();
  cs.Enter();
  EXPECT_TRUE(cs.TryEnter());
  auto otherTries = [&cs] {
    bool got = false;
    std::thread([&] {
      got = cs.TryEnter();
      if (got) cs.Leave();
    }).join();
    return got;
  };
  EXPECT_FALSE(otherTries());
  cs.Leave();
  cs.Leave();
  EXPECT_FALSE(otherTries());
  cs.Leave();
  EXPECT_TRUE(otherTries());
}

TEST(StoreLock, ContendedEntriesExcludeEachOther) {
  CriticalSection cs;
  long counter = 0;  // guarded by cs only
  std::atomic<int> inside{0};
  std::atomic<bool> overlapped{false};
  auto work = [&] {
    for (int i = 0; i < 20000; ++i) {
      cs.Enter();
      cs.Enter();  // nested, as store operations nest
      if (inside.fetch_add(1) != 0) overlapped = true;
      ++counter;
      inside.fetch_sub(1);
      cs.Leave();
      cs.Leave();
    }
  };
  std::thread a(work), b(work);
  a.join();
  b.join();
  EXPECT_FALSE(overlapped);
  EXPECT_EQ(counter, 40000);
}

TEST(StoreLock, AWaiterEntersWhenTheHolderLeaves) {
  CriticalSection cs;
  std::atomic<bool> entered{false};
  cs.Enter();
  std::thread waiter([&] {
    cs.Enter();
    entered = true;
    cs.Leave();
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_FALSE(entered);
  cs.Leave();
  waiter.join();
  EXPECT_TRUE(entered);
}
