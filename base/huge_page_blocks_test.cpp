// Large blocks on huge pages: alignment, whole pages, the slots, and the
// advice as the kernel records it for the mapping.
#include "base/huge_page_blocks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace scenario {
namespace {

constexpr std::size_t small_page = 4096;

// The kernel's record of the mapping that starts at `p`: its length in kB
// and its flags ("hg": huge pages advised). Empty when none starts there.
struct mapping {
  std::size_t length_kb = 0;
  std::string flags;
};

mapping mapping_at(const void* p) {
  std::ifstream smaps("/proc/self/smaps");
  const auto wanted = reinterpret_cast<std::uintptr_t>(p);
  mapping found;
  bool inside = false;
  std::string line;
  while (std::getline(smaps, line)) {
    std::uintptr_t start = 0, end = 0;
    char dash = 0;
    std::istringstream header(line);
    if (header >> std::hex >> start >> dash >> end && dash == '-') {
      inside = start == wanted;
      if (inside) found.length_kb = (end - start) / 1024;
    } else if (inside && line.rfind("VmFlags:", 0) == 0) {
      found.flags = line.substr(8);
    }
  }
  return found;
}

TEST(huge_page_blocks, BlocksAreWholeAlignedAdvisedPagesOfZeros) {
  const std::size_t mib = std::size_t{1} << 20;
  for (std::size_t size : {std::size_t{1}, huge_page_block_threshold, 1339964 * std::size_t{1},
                           2 * mib, 2 * mib + 1, 5 * mib}) {
    auto* p = static_cast<unsigned char*>(allocate_huge_page_block(size));
    ASSERT_NE(p, nullptr) << size;
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % huge_page_size, 0u) << size;
    const std::size_t pages = (size + huge_page_size - 1) / huge_page_size;
    const mapping m = mapping_at(p);
    EXPECT_EQ(m.length_kb, pages * huge_page_size / 1024) << size;
    EXPECT_NE(m.flags.find(" hg"), std::string::npos) << size << ": " << m.flags;
    for (std::size_t at = 0; at < pages * huge_page_size; at += small_page) {
      ASSERT_EQ(p[at], 0) << size << " at " << at;
      p[at] = 1;
    }
    p[size - 1] = 1;
    EXPECT_TRUE(free_huge_page_block(p));
    EXPECT_EQ(mapping_at(p).length_kb, 0u) << "given back";
    EXPECT_FALSE(free_huge_page_block(p)) << "freed twice";
  }
}

TEST(huge_page_blocks, OtherPointersAreLeftAlone) {
  void* ordinary = std::malloc(64);
  EXPECT_FALSE(free_huge_page_block(ordinary));
  std::free(ordinary);
  EXPECT_FALSE(free_huge_page_block(nullptr));

  auto* block = static_cast<unsigned char*>(allocate_huge_page_block(huge_page_size));
  ASSERT_NE(block, nullptr);
  EXPECT_FALSE(free_huge_page_block(block + small_page)) << "not the block's start";
  EXPECT_TRUE(free_huge_page_block(block));
}

TEST(huge_page_blocks, NoBlockWhenEverySlotIsTakenOrTheSizeIsAbsurd) {
  std::vector<void*> blocks;
  for (int i = 0; i < huge_page_block_slots; ++i) {
    blocks.push_back(allocate_huge_page_block(huge_page_block_threshold));
    ASSERT_NE(blocks.back(), nullptr) << i;
  }
  EXPECT_EQ(allocate_huge_page_block(huge_page_block_threshold), nullptr);
  ASSERT_TRUE(free_huge_page_block(blocks.back()));
  blocks.back() = allocate_huge_page_block(huge_page_block_threshold);
  EXPECT_NE(blocks.back(), nullptr) << "a freed slot serves again";
  for (void* p : blocks) EXPECT_TRUE(free_huge_page_block(p));

  EXPECT_EQ(allocate_huge_page_block(SIZE_MAX), nullptr);
  EXPECT_EQ(allocate_huge_page_block(SIZE_MAX - huge_page_size), nullptr);
}

TEST(huge_page_blocks, ThreadsNeverShareABlock) {
  std::vector<std::thread> threads;
  std::vector<int> faults(4, 0);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t, &faults] {
      for (int i = 0; i < 50; ++i) {
        auto* p = static_cast<unsigned char*>(allocate_huge_page_block(huge_page_size));
        if (p == nullptr) continue;  // every slot taken by the others
        p[0] = static_cast<unsigned char>(t + 1);
        std::this_thread::yield();
        if (p[0] != t + 1) ++faults[static_cast<std::size_t>(t)];
        if (!free_huge_page_block(p)) ++faults[static_cast<std::size_t>(t)];
      }
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(faults, std::vector<int>(4, 0));
}

}  // namespace
}  // namespace scenario
