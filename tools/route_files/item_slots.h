// Which item-table slots of a compiled route are stations and which are
// board texts: stations grow from 1 upward, board texts from 80 downward,
// and an entry nothing filled ends each run.
#pragma once

#include <vector>

#include "compiler/route_model/route_model.h"

namespace scenario {

struct slot_elementi {
  std::vector<int> stazioni;
  std::vector<int> cartelli;
};
slot_elementi trova_slot(const tabella_elementi& elementi);

}  // namespace scenario
