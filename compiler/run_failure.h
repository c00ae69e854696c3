// A run-time failure while the description files are read: a read past the
// end of a file or of a number's range, an access outside the route model,
// a Long sum that would overflow. memorizza_dati traps it as code 25.
#pragma once

#include <cstdint>
#include <stdexcept>

namespace scenario {

class run_failure : public std::runtime_error {
 public:
  // riga: 1-based line of the text file where the failing read happened;
  // 0 when the failure is not a read (the trap then takes the line of the
  // last field read).
  explicit run_failure(const char* what, std::int32_t riga = 0)
      : std::runtime_error(what), riga_(riga) {}
  std::int32_t riga() const { return riga_; }

 private:
  std::int32_t riga_;
};

}  // namespace scenario
