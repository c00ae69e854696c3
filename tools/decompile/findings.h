// Where the decompiled text cannot give the compiled files back, and why.
// Analysis steps leave a note on a cell, an item table entry or a geometry
// point when they see something no record writes; the verification names
// every place whose bytes differ and takes the note as its reason.
#pragma once

#include <compare>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace scenario::decompile {

enum class place : std::uint8_t { cell, entry, point };

struct location {
  place where = place::cell;
  std::int64_t index = 0;
  auto operator<=>(const location&) const = default;
};

class notes {
 public:
  // The first reason given for a place is kept.
  void add(location at, std::string why) { by_place_.emplace(at, std::move(why)); }
  // The reason for every place of a kind that has none of its own: a
  // change to the whole text whose effects reach places no analysis
  // follows (spans left out). The first one given is kept.
  void add_for_all(place where, std::string why) { for_all_.emplace(where, std::move(why)); }
  const std::string* why(location at) const {
    const auto it = by_place_.find(at);
    if (it != by_place_.end()) return &it->second;
    const auto all = for_all_.find(at.where);
    return all == for_all_.end() ? nullptr : &all->second;
  }
  std::size_t size() const { return by_place_.size(); }
  // The cells named so far.
  std::vector<std::int64_t> cells() const {
    std::vector<std::int64_t> out;
    for (const auto& [at, why] : by_place_) {
      if (at.where == place::cell) out.push_back(at.index);
    }
    return out;
  }

 private:
  std::map<location, std::string> by_place_;
  std::map<place, std::string> for_all_;
};

// One field whose value the text does not give back.
struct field_difference {
  std::string field;  // "tipo", "x", "nome", ...
  std::string in_file;
  std::string from_text;
};

struct difference {
  location at;
  std::string why;  // the analysis' note, or empty
  std::vector<field_difference> fields;
};

}  // namespace scenario::decompile
