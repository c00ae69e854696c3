#include "fuzz/scenario_mutator.h"

#include <algorithm>
#include <limits>
#include <random>
#include <string_view>
#include <vector>

#include "compiler/readers/tipi_record.h"

namespace scenario {

namespace {

// An input as its two files, each as lines without their ends.
struct scenario_texts {
  std::vector<std::string> file[2];
  bool has_service = false;
};

std::vector<std::string> split_lines(std::string_view t) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < t.size()) {
    std::size_t end = t.find('\n', start);
    if (end == std::string_view::npos) end = t.size();
    std::string line(t.substr(start, end - start));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

scenario_texts parse(const std::string& input) {
  scenario_texts s;
  const std::size_t nul = input.find('\0');
  s.file[0] = split_lines(std::string_view(input).substr(0, nul));
  if (nul != std::string::npos) {
    s.has_service = true;
    s.file[1] = split_lines(std::string_view(input).substr(nul + 1));
  }
  return s;
}

std::string join(const scenario_texts& s) {
  std::string out;
  for (int f = 0; f < (s.has_service ? 2 : 1); ++f) {
    if (f == 1) out += '\0';
    for (const std::string& l : s.file[f]) out += l + "\r\n";
  }
  return out;
}

class editor {
 public:
  explicit editor(std::uint32_t seed) : rng_(seed) {}

  std::size_t below(std::size_t n) { return n == 0 ? 0 : rng_() % n; }
  bool chance(int percent) { return static_cast<int>(rng_() % 100) < percent; }

  // A number an author or a boundary might give.
  std::string number_near(std::int64_t v) {
    static constexpr std::int64_t bounds[] = {
        0,     -1,    1,      49,     50,      51,      99,   100,        255,        256,
        32767, 32768, -32768, -32769, 1000000, 1000001, 7000, 2147483647, -2147483648};
    switch (below(7)) {
      case 0:
        return std::to_string(v + static_cast<std::int64_t>(below(201)) - 100);
      case 1:
        return std::to_string(v +
                              (chance(50) ? 50 : -50) * static_cast<std::int64_t>(1 + below(40)));
      case 2:
        return std::to_string(v / 50 * 50 + static_cast<std::int64_t>(below(50)));
      case 3:
        return std::to_string(bounds[below(std::size(bounds))]);
      case 4:
        return std::to_string(-v);
      case 5:
        return "";
      default:
        return std::to_string(v * static_cast<std::int64_t>(2 + below(9)));
    }
  }

  // A keyword of either file, as written or slightly wrong.
  std::string keyword() {
    const auto kinds = tipi_record();
    std::string k(kinds[below(kinds.size())].parola_chiave);
    if (k.starts_with("curva") && chance(70)) {
      k = std::string("curva") + (chance(50) ? 'd' : 's') + static_cast<char>('0' + below(8));
    }
    if (chance(15) && !k.empty()) k.erase(below(k.size()), 1);
    if (chance(10))
      std::transform(k.begin(), k.end(), k.begin(),
                     [](char c) { return static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c); });
    return k;
  }

  // A whole record of some kind with the number of fields it takes.
  std::string record() {
    const auto kinds = tipi_record();
    const descrizione_record& d = kinds[below(kinds.size())];
    std::string line(d.parola_chiave);
    for (const descrizione_campo& c : d.campi) {
      line += ",  ";
      line += c.tipo == tipo_valore::testo
                  ? std::string("(Nome)")
                  : number_near(static_cast<std::int64_t>(below(30)) * 500);
    }
    return line;
  }

  void edit_line(std::string& line) {
    std::vector<std::size_t> commas;
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (line[i] == ',') commas.push_back(i);
    }
    switch (below(10)) {
      case 0:
      case 1:
      case 2: {
        // A number field moved.
        if (commas.empty()) break;
        const std::size_t at = commas[below(commas.size())] + 1;
        std::size_t end = line.find(',', at);
        if (end == std::string::npos) end = line.size();
        const std::string field = line.substr(at, end - at);
        std::int64_t v = 0;
        try {
          v = std::stoll(field);
        } catch (...) {
        }
        line.replace(at, end - at, " " + number_near(v));
        break;
      }
      case 3: {
        // The keyword swapped.
        const std::size_t end = commas.empty() ? line.size() : commas[0];
        line.replace(0, end, keyword());
        break;
      }
      case 4:
        // A comma dropped or doubled.
        if (commas.empty()) break;
        if (chance(50)) {
          line.erase(commas[below(commas.size())], 1);
        } else {
          line.insert(commas[below(commas.size())], ",");
        }
        break;
      case 5:
        // A field added or cut off.
        if (chance(50)) {
          line += ", " + number_near(0);
        } else if (!commas.empty()) {
          line.erase(commas.back());
        }
        break;
      case 6:
        // A comment, a tab or a dash put in.
        line.insert(below(line.size() + 1), chance(50) ? "\t" : (chance(50) ? "-" : " - nota "));
        break;
      case 7:
        line = (chance(50) ? "- " : "# ") + line;
        break;
      default:
        // The letter case of the whole line.
        for (char& c : line) {
          if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
        }
    }
  }

  void edit(std::vector<std::string>& lines) {
    if (lines.empty()) {
      lines.push_back(record());
      return;
    }
    const std::size_t i = below(lines.size());
    switch (below(8)) {
      case 0:
      case 1:
      case 2:
      case 3:
        edit_line(lines[i]);
        break;
      case 4:
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(i), lines[below(lines.size())]);
        break;
      case 5:
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
        break;
      case 6:
        std::swap(lines[i], lines[below(lines.size())]);
        break;
      default:
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(i), record());
    }
  }

 private:
  std::mt19937 rng_;
};

std::string limited(std::string s, std::size_t max_size) {
  if (s.size() > max_size) s.resize(max_size);
  return s;
}

}  // namespace

std::string mutate_scenario(const std::string& input, std::uint32_t seed, std::size_t max_size) {
  scenario_texts s = parse(input);
  editor e(seed);
  if (!s.has_service && e.chance(50)) s.has_service = true;
  for (std::size_t n = 1 + e.below(3); n > 0; --n) e.edit(s.file[s.has_service ? e.below(2) : 0]);
  return limited(join(s), max_size);
}

std::string cross_scenarios(const std::string& a, const std::string& b, std::uint32_t seed,
                            std::size_t max_size) {
  scenario_texts x = parse(a);
  const scenario_texts y = parse(b);
  editor e(seed);
  if (e.chance(50) && y.has_service) {
    x.file[1] = y.file[1];
    x.has_service = true;
  } else {
    const int f = x.has_service && y.has_service ? static_cast<int>(e.below(2)) : 0;
    const auto& from = y.file[f];
    if (!from.empty()) {
      const std::size_t start = e.below(from.size());
      const std::size_t count = 1 + e.below(std::min<std::size_t>(8, from.size() - start));
      auto& to = x.file[f];
      to.insert(to.begin() + static_cast<std::ptrdiff_t>(e.below(to.size() + 1)),
                from.begin() + static_cast<std::ptrdiff_t>(start),
                from.begin() + static_cast<std::ptrdiff_t>(start + count));
    }
  }
  return limited(join(x), max_size);
}

}  // namespace scenario
