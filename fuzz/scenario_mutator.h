// A mutator that knows the two text formats: it edits a fuzz input (the
// line file, a NUL byte, the service file) record by record, as an author
// would slip, where a byte-level mutator would mostly break the syntax
// before reaching the readers' rules.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace scenario {

// One structured edit of `input`, chosen from `seed`: a number moved (by a
// little, onto or off the 50 m grid, to a type's bound), a keyword swapped
// for another or misspelt, a record duplicated, dropped, moved or made up
// with the right number of fields, a comma dropped or doubled, a comment or
// a tab put in, a line's letter case changed. The result is at most
// `max_size` bytes.
std::string mutate_scenario(const std::string& input, std::uint32_t seed, std::size_t max_size);

// Two inputs crossed over: the line file of one with the service file of
// the other, or records of one spliced into the other's file.
std::string cross_scenarios(const std::string& a, const std::string& b, std::uint32_t seed,
                            std::size_t max_size);

}  // namespace scenario
