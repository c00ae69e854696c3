// The checker's errors: each fault the compile step records, in plain
// words, at the field it stands in, with the record that holds a taken cell
// as a related place.
#pragma once

#include "compiler/check/contesto_check.h"
#include "compiler/check/diagnostica.h"
#include "compiler/guasti.h"

namespace scenario {

// `dopo_arresto`: a read fault found after the one at which the compile
// step stopped reading (the checker reads on; the compile step did not).
diagnostica diagnostica_guasto(const guasto& g, const contesto_check& c, bool dopo_arresto = false);

}  // namespace scenario
