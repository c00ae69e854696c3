#include "tools/route_view/label_spread.h"

#include <algorithm>
#include <numeric>

namespace scenario {

void spread_labels(std::vector<spread_item>& items, double lo, double hi, double gap) {
  std::vector<std::size_t> order(items.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return items[a].wanted < items[b].wanted; });
  // Downward: each label at its wish or just below the one before.
  double edge = lo - gap;
  for (const std::size_t i : order) {
    spread_item& it = items[i];
    it.placed = std::max(it.wanted, edge + gap + it.size / 2);
    edge = it.placed + it.size / 2;
  }
  // Upward: pull back what ran past the end, without crossing the start.
  edge = hi + gap;
  for (auto k = order.rbegin(); k != order.rend(); ++k) {
    spread_item& it = items[*k];
    it.placed = std::min(it.placed, edge - gap - it.size / 2);
    edge = it.placed - it.size / 2;
  }
  // If the column is too short, keep the order from the start down.
  edge = lo - gap;
  for (const std::size_t i : order) {
    spread_item& it = items[i];
    it.placed = std::max(it.placed, edge + gap + it.size / 2);
    edge = it.placed + it.size / 2;
  }
}

}  // namespace scenario
