#include "tools/route_tool/label_layout.h"

namespace scenario {

int label_layout::collisions(const box& b) const {
  int n = b.inside(bounds_) ? 0 : 100;
  for (const box& o : obstacles_) n += b.overlaps(o) ? 10 : 0;
  const box grown{b.x0 - 2, b.y0 - 2, b.x1 + 2, b.y1 + 2};
  for (const box& p : points_) n += grown.contains(p.x0, p.y0) ? 1 : 0;
  return n;
}

std::size_t label_layout::place(const std::vector<box>& candidates) {
  std::size_t best = 0;
  int best_score = -1;
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    const int score = collisions(candidates[i]);
    if (best_score < 0 || score < best_score) {
      best = i;
      best_score = score;
    }
    if (score == 0) break;
  }
  obstacles_.push_back(candidates[best]);
  return best;
}

}  // namespace scenario
