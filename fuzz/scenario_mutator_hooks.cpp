// libFuzzer's custom mutator hooks for the text targets: most mutations are
// structured edits of the two formats (scenario_mutator.h), the rest the
// fuzzer's own byte-level ones, so both kinds of fault stay reachable.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz/scenario_mutator.h"

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t max_size);

namespace {

std::size_t put(const std::string& s, std::uint8_t* data, std::size_t max_size) {
  const std::size_t n = s.size() < max_size ? s.size() : max_size;
  std::memcpy(data, s.data(), n);
  return n;
}

}  // namespace

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               std::size_t max_size, unsigned int seed) {
  if (seed % 4 == 0) return LLVMFuzzerMutate(data, size, max_size);
  const std::string input(reinterpret_cast<const char*>(data), size);
  return put(scenario::mutate_scenario(input, seed, max_size), data, max_size);
}

extern "C" std::size_t LLVMFuzzerCustomCrossOver(const std::uint8_t* data1, std::size_t size1,
                                                 const std::uint8_t* data2, std::size_t size2,
                                                 std::uint8_t* out, std::size_t max_out_size,
                                                 unsigned int seed) {
  const std::string a(reinterpret_cast<const char*>(data1), size1);
  const std::string b(reinterpret_cast<const char*>(data2), size2);
  return put(scenario::cross_scenarios(a, b, seed, max_out_size), out, max_out_size);
}
