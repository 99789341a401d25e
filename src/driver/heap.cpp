#include "driver/heap.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace corvel {

void PrepareHeap() {
  constexpr size_t kHeapStep = size_t{64} << 20;
  mallopt(M_MMAP_THRESHOLD, static_cast<int>(kHeapStep));
  mallopt(M_TOP_PAD, static_cast<int>(kHeapStep));
  mallopt(M_TRIM_THRESHOLD, static_cast<int>(2 * kHeapStep));
  void* probe = std::malloc(kHeapStep / 2);  // grows the heap by a step and a half
  if (probe == nullptr) return;
  const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto start = (reinterpret_cast<uintptr_t>(probe) + page - 1) & ~(page - 1);
  const auto end = reinterpret_cast<uintptr_t>(sbrk(0));
  if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
  std::free(probe);
}

}  // namespace corvel
