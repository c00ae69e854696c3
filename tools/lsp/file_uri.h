// "file:" URIs, as editors name documents, and the paths they stand for.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace scenario::lsp {

// The path of a "file:" URI: percent escapes decoded, a Windows drive
// ("file:///c%3A/x") kept as "c:/x". Nothing for other schemes and for a
// URI that is not well-formed.
std::optional<std::filesystem::path> path_of_uri(std::string_view uri);

// The "file:" URI of an absolute path, with every byte outside the
// unreserved set and "/" percent-escaped.
std::string uri_of_path(const std::filesystem::path& p);

// A URI reference to `p` as given: the "file:" URI of an absolute path, a
// relative reference ("dir/my%20line.txt") to a relative one.
std::string uri_reference_of_path(const std::filesystem::path& p);

}  // namespace scenario::lsp
