#include "tools/timing/compiled_timing_line.h"

#include <cstddef>
#include <vector>

#include "compiler/format/formato.h"
#include "compiler/marcia/linea_da_celle.h"
#include "tools/decompile/curves.h"
#include "tools/route_files/route_contents.h"

namespace scenario {

namespace {

// A recovered "curva" record turns the points inizio + 1 .. inizio + lunghezza.
curva_posata posata(const decompile::record_curva& c) {
  curva_posata p;
  p.primo_punto = std::int64_t{c.inizio} + 1;
  p.ultimo_punto = std::int64_t{c.inizio} + c.lunghezza;
  const double k = curvatura_classe[static_cast<std::size_t>(c.classe - 1)];
  p.curvatura = c.sinistra ? -k : k;
  return p;
}

}  // namespace

linea_marcia timing_line_of(const compiled_route& r) {
  decompile::notes ignored;  // what the geometry cannot give back matters not here
  const decompile::geometry_recovery g = decompile::recover_curves(r.tracciato, ignored);
  // A last curve that lays the last point is in g.curve; the curve run on
  // past it (oltre_l_ultimo) lays the same points, so it is not added again.
  std::vector<curva_posata> curve;
  curve.reserve(g.curve.size());
  for (const decompile::record_curva& c : g.curve) curve.push_back(posata(c));
  const int n_stazioni = static_cast<int>(trova_slot(r).stazioni.size());
  return linea_da_celle(r.celle, r.elementi, n_stazioni, curve);
}

}  // namespace scenario
