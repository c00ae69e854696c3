// Rows of a document matched to the records they stand for, keeping both
// orders: the pairs with the greatest total score, a pair counting only
// when its score is above 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace scenario {

// For each of the n records, the row matched to it.
std::vector<std::optional<std::size_t>> allinea(
    std::size_t n, std::size_t m,
    const std::function<std::int64_t(std::size_t, std::size_t)>& punti);

}  // namespace scenario
