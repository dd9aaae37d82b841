// The re-entrant lock every record store holds around its operations.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "platform/base/CriticalSection.h"

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

// The lock leans towards the thread that made it until another one comes.
TEST(StoreLock, TheMakersCheapHoldStillExcludesOthersAndHandsOver) {
  CriticalSection cs;
  cs.Enter();
  bool got = true;
  std::thread([&] { got = cs.TryEnter(); }).join();
  EXPECT_FALSE(got);
  cs.Leave();
  std::atomic<bool> otherHolds{false}, release{false};
  std::thread other([&] {
    cs.Enter();
    otherHolds = true;
    while (!release) std::this_thread::yield();
    cs.Leave();
  });
  while (!otherHolds) std::this_thread::yield();
  // Now the maker has to wait like everybody else.
  EXPECT_FALSE(cs.TryEnter());
  release = true;
  cs.Enter();
  EXPECT_TRUE(cs.TryEnter());
  cs.Leave();
  cs.Leave();
  other.join();
}

TEST(StoreLock, ALockMadeOnAnotherThreadLeansTowardsThatThread) {
  std::unique_ptr<CriticalSection> cs;
  std::thread([&] { cs = std::make_unique<CriticalSection>(); }).join();
  cs->Enter();
  cs->Enter();
  cs->Leave();
  bool got = true;
  std::thread([&] { got = cs->TryEnter(); }).join();
  EXPECT_FALSE(got);
  cs->Leave();
  std::thread([&] {
    got = cs->TryEnter();
    if (got) cs->Leave();
  }).join();
  EXPECT_TRUE(got);
}

TEST(StoreLock, TheMakerAndAnotherThreadRaceForFreshLocks) {
  // Each fresh lock goes through the hand-over while both threads hammer it.
  for (int round = 0; round < 300; ++round) {
    CriticalSection cs;
    long counter = 0;
    std::atomic<int> inside{0};
    std::atomic<bool> overlapped{false};
    auto work = [&] {
      for (int i = 0; i < 200; ++i) {
        cs.Enter();
        if (inside.fetch_add(1) != 0) overlapped = true;
        ++counter;
        inside.fetch_sub(1);
        cs.Leave();
      }
    };
    std::thread other(work);
    work();
    other.join();
    ASSERT_FALSE(overlapped) << "round " << round;
    ASSERT_EQ(counter, 400) << "round " << round;
  }
}
