// Runs work on a thread whose stack is only stackBytes deep, standing in for
// a tree deep enough to exhaust the main thread's stack: a walk with a frame
// per level overflows it at a depth the sanitizers' larger frames also allow.
#pragma once

#include <pthread.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>

namespace vb::test {

inline void OnSmallStack(std::size_t stackBytes, const std::function<void()>& work) {
  pthread_attr_t attributes;
  ASSERT_EQ(pthread_attr_init(&attributes), 0);
  ASSERT_EQ(pthread_attr_setstacksize(&attributes, stackBytes), 0);
  pthread_t thread;
  auto run = [](void* w) -> void* {
    (*static_cast<const std::function<void()>*>(w))();
    return nullptr;
  };
  ASSERT_EQ(pthread_create(&thread, &attributes, run, const_cast<std::function<void()>*>(&work)),
            0);
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attributes);
}

}  // namespace vb::test
