// Lays labels out in one column (or row) beside a drawing: each label wants
// to sit level with its marker, and labels that would overlap are pushed
// apart just enough, staying inside the column's bounds where they fit.
#pragma once

#include <vector>

namespace scenario {

struct spread_item {
  double wanted = 0;  // centre the label would like, along the column (pixels)
  double size = 0;    // the label's extent along the column
  double placed = 0;  // result: the centre given to it
};

// Places the items in the order of `wanted`, `gap` pixels apart at least,
// within [lo, hi] where the column is long enough (otherwise they start at lo).
void spread_labels(std::vector<spread_item>& items, double lo, double hi, double gap);

}  // namespace scenario
