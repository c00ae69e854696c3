#include <sys/mman.h>

#include <cstdint>
#include <mutex>

#include "base/huge_page_blocks.h"

namespace scenario {

namespace {

struct block {
  void* start = nullptr;
  std::size_t length = 0;
};

std::mutex slots_mutex;
block slots[huge_page_block_slots];

std::size_t round_up(std::size_t n, std::size_t unit) {
  return (n + unit - 1) / unit * unit;
}

// `length` bytes at a 2 MiB boundary: more is mapped, then the ends that
// stick out are given back.
void* map_aligned(std::size_t length) {
  const std::size_t mapped = length + huge_page_size;
  void* raw = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) return nullptr;
  const auto raw_address = reinterpret_cast<std::uintptr_t>(raw);
  const std::uintptr_t start = round_up(raw_address, huge_page_size);
  const std::size_t head = start - raw_address;
  if (head > 0) munmap(raw, head);
  const std::size_t tail = mapped - head - length;
  if (tail > 0) munmap(reinterpret_cast<void*>(start + length), tail);
  return reinterpret_cast<void*>(start);
}

}  // namespace

void* allocate_huge_page_block(std::size_t size) {
  if (size > SIZE_MAX - 2 * huge_page_size) return nullptr;
  const std::size_t length = round_up(size == 0 ? 1 : size, huge_page_size);
  std::lock_guard lock(slots_mutex);
  for (block& slot : slots) {
    if (slot.start != nullptr) continue;
    void* start = map_aligned(length);
    if (start == nullptr) return nullptr;
    // Only advice: where transparent huge pages are off it changes nothing.
    madvise(start, length, MADV_HUGEPAGE);
    slot = {start, length};
    return start;
  }
  return nullptr;
}

bool free_huge_page_block(void* p) {
  // Every block starts at a 2 MiB boundary: anything else, as most
  // pointers the program frees, is told apart without the lock.
  if (p == nullptr || reinterpret_cast<std::uintptr_t>(p) % huge_page_size != 0) return false;
  std::lock_guard lock(slots_mutex);
  for (block& slot : slots) {
    if (slot.start != p) continue;
    munmap(slot.start, slot.length);
    slot = {};
    return true;
  }
  return false;
}

}  // namespace scenario
