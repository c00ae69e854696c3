// Large blocks of memory on 2 MiB pages. A fresh 4 KiB page costs the
// program a page fault and about 1.5 microseconds on this kind of machine;
// the line data file and the geometry (1 to 2 MB each for the fixed
// scenario) would take some 850 of them, where a 2 MiB page is one fault
// and about 75 microseconds. Linux only; the program's operator new sends
// blocks of huge_page_block_threshold bytes and more here.
#pragma once

#include <cstddef>

namespace scenario {

inline constexpr std::size_t huge_page_size = std::size_t{2} << 20;
inline constexpr std::size_t huge_page_block_threshold = std::size_t{1} << 20;

// How many blocks can be live at once; past that allocate_huge_page_block
// gives nullptr and the caller takes ordinary memory.
inline constexpr int huge_page_block_slots = 16;

// A block of at least `size` bytes, aligned to and rounded up to whole 2 MiB
// pages, which the kernel is asked to back with huge pages (where it does
// not, they are ordinary pages). Zero-filled. Nullptr when no address space
// is left or every slot is taken. Thread-safe.
void* allocate_huge_page_block(std::size_t size);

// Gives a block from allocate_huge_page_block back to the system. False,
// and nothing done, when `p` is not such a block. Thread-safe.
bool free_huge_page_block(void* p);

}  // namespace scenario
