// The running-time calculation's line from the three compiled files, as
// route_files decodes them: the cells and the item table as the route
// model holds them, the curves read back from the plan geometry.
#pragma once

#include "compiler/marcia/linea_marcia.h"
#include "tools/route_files/compiled_route.h"

namespace scenario {

linea_marcia timing_line_of(const compiled_route& r);

}  // namespace scenario
