// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "RequestQueue.h"

namespace kwindel {
namespace {

Request Coded(std::uint32_t code, std::uintptr_t wParam = 0) {
  return {code, wParam, nullptr};
}

TEST(RequestQueueTest, KeepsOrderAndPeeksWithoutTaking) {
  RequestQueue queue;
  EXPECT_FALSE(queue.Peek());
  EXPECT_FALSE(queue.TryTake());

  std::unique_ptr<char[]> name(new char[5]);
  std::memcpy(name.get(), "Ding", 5);
  queue.Post(Coded(0x801, 7));
  queue.Post({0x802, 5, std::move(name)});
  queue.Post(Coded(0x803));

  EXPECT_TRUE(queue.Peek());
  EXPECT_TRUE(queue.Peek(0x803));
  EXPECT_FALSE(queue.Peek(0x804));

  Request first = queue.Take();
  EXPECT_EQ(first.Code, 0x801u);
  EXPECT_EQ(first.WParam, 7u);
  std::optional<Request> second = queue.TryTake();
  ASSERT_TRUE(second);
  EXPECT_EQ(second->Code, 0x802u);
  EXPECT_STREQ(second->Buffer.get(), "Ding");
  EXPECT_TRUE(queue.Peek(0x803));
  EXPECT_EQ(queue.Take().Code, 0x803u);
  EXPECT_FALSE(queue.Peek());
  EXPECT_FALSE(queue.Peek(0x803));
}

TEST(RequestQueueTest, WaitAndTakeBlockUntilAPost) {
  RequestQueue queue;
  std::atomic<int> stage{0};
  std::thread worker([&] {
    queue.Wait();
    EXPECT_TRUE(queue.Peek());  // Wait returns only once there is a request
    stage = 1;
    EXPECT_EQ(queue.Take().Code, 0x801u);
    EXPECT_EQ(queue.Take().Code, 0x804u);  // blocks until the second post
    stage = 2;
  });
  queue.Post(Coded(0x801));
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (stage < 1 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::yield();
  EXPECT_EQ(stage.load(), 1);
  queue.Post(Coded(0x804));
  worker.join();
  EXPECT_EQ(stage.load(), 2);
}

TEST(RequestQueueTest, KeepsEachPostersOrderUnderConcurrentPosts) {
  constexpr int kPosters = 4;
  constexpr int kEach = 2000;
  RequestQueue queue;
  std::vector<std::thread> posters;
  for (int poster = 0; poster < kPosters; ++poster) {
    posters.emplace_back([&queue, poster] {
      for (int i = 0; i < kEach; ++i)
        queue.Post(Coded(static_cast<std::uint32_t>(poster), i));
    });
  }
  std::vector<std::uintptr_t> next(kPosters, 0);
  for (int taken = 0; taken < kPosters * kEach; ++taken) {
    Request request = queue.Take();
    ASSERT_LT(request.Code, static_cast<std::uint32_t>(kPosters));
    ASSERT_EQ(request.WParam, next[request.Code]++);
  }
  for (std::thread& poster : posters)
    poster.join();
  EXPECT_FALSE(queue.Peek());
}

}  // namespace
}  // namespace kwindel
