// Places labels on a drawing without overlaps: each label offers candidate
// boxes in order of preference, and the first one that is inside the bounds
// and touches no placed label, marker or track point is taken.
#pragma once

#include <cstddef>
#include <vector>

namespace scenario {

struct box {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // pixels, y downward
  bool overlaps(const box& b) const { return x0 < b.x1 && b.x0 < x1 && y0 < b.y1 && b.y0 < y1; }
  bool contains(double x, double y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
  bool inside(const box& b) const { return x0 >= b.x0 && x1 <= b.x1 && y0 >= b.y0 && y1 <= b.y1; }
};

class label_layout {
 public:
  explicit label_layout(box bounds) : bounds_(bounds) {}

  void add_obstacle(const box& b) { obstacles_.push_back(b); }
  void add_point(double x, double y) { points_.push_back({x, y, 0, 0}); }

  // Index of the chosen candidate, which is reserved; when every candidate
  // collides, the one with the fewest collisions. `candidates` must not be empty.
  std::size_t place(const std::vector<box>& candidates);

  // Number of collisions a box would have now (0 = free).
  int collisions(const box& b) const;

 private:
  box bounds_;
  std::vector<box> obstacles_;
  std::vector<box> points_;  // x0, y0 hold a point
};

}  // namespace scenario
