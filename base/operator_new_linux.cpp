// The program's operator new and delete: large blocks on huge pages
// (huge_page_blocks.h), the rest from malloc. The standard library's other
// forms (arrays, nothrow) call these.
#include <cstdlib>
#include <new>

#include "base/huge_page_blocks.h"

void* operator new(std::size_t size) {
  if (size >= scenario::huge_page_block_threshold) {
    if (void* p = scenario::allocate_huge_page_block(size)) return p;
  }
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
  if (!scenario::free_huge_page_block(p)) std::free(p);
}

void operator delete(void* p, std::size_t) noexcept {
  operator delete(p);
}
