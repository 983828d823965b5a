#include "language/deep_stack.h"

#include <pthread.h>

namespace {

// Measured in an optimised build: one level of a condition calling itself, the deepest shape,
// takes about 320 bytes. Unoptimised and sanitised builds have far larger frames.
#if defined(__SANITIZE_ADDRESS__) || !defined(__OPTIMIZE__)
constexpr size_t kBytesPerLevel = 8 * 1024;
#else
constexpr size_t kBytesPerLevel = 2 * 1024;
#endif
constexpr size_t kBaseBytes = size_t(16) << 20;  // the run's callbacks, printing, the world

void* RunWork(void* work) {
  (*static_cast<const std::function<void()>*>(work))();
  return nullptr;
}

}  // namespace

size_t StackBytesForDepth(int maxDepth) {
  return kBaseBytes + static_cast<size_t>(maxDepth > 0 ? maxDepth : 0) * kBytesPerLevel;
}

bool RunWithStack(size_t bytes, const std::function<void()>& work) {
  pthread_attr_t attributes;
  if (pthread_attr_init(&attributes) != 0) return false;
  pthread_t thread;
  const bool started =
      pthread_attr_setstacksize(&attributes, bytes) == 0 &&
      pthread_create(&thread, &attributes, RunWork, const_cast<std::function<void()>*>(&work)) == 0;
  pthread_attr_destroy(&attributes);
  if (started) pthread_join(thread, nullptr);
  return started;
}
