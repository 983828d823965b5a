#include "cli/large_heap.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

void PrepareLargeHeap() {
  constexpr size_t kPad = size_t(256) << 20;  // address space only: pages come when touched
  constexpr uintptr_t kHugePage = uintptr_t(2) << 20;
  if (mallopt(M_TOP_PAD, int(kPad)) != 1) return;
  // Small blocks come from the heap's top; once the top has no room, the heap grows by the
  // pad, and the whole new part can be advised at once.
  void* const before = sbrk(0);
  void* blocks[8] = {};
  int taken = 0;
  while (taken < 8 && sbrk(0) == before) blocks[taken++] = std::malloc(size_t(64) << 10);
  const auto begin = (reinterpret_cast<uintptr_t>(before) + kHugePage - 1) & ~(kHugePage - 1);
  const auto end = reinterpret_cast<uintptr_t>(sbrk(0)) & ~(kHugePage - 1);
  if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
  for (int i = 0; i < taken; ++i) std::free(blocks[i]);
}
