#include "tools/lsp/file_uri.h"

#include <gtest/gtest.h>

namespace scenario::lsp {
namespace {

TEST(FileUri, PathsComeBackFromTheirUris) {
  EXPECT_EQ(path_of_uri("file:///home/a/x_linea.txt")->generic_string(), "/home/a/x_linea.txt");
  EXPECT_EQ(path_of_uri("file:///d/A%20b/%C3%A8.txt")->generic_string(), "/d/A b/\xC3\xA8.txt");
  EXPECT_EQ(path_of_uri("file://localhost/d/x.txt")->generic_string(), "/d/x.txt");
  EXPECT_EQ(path_of_uri("file:///c%3A/Routes/x.txt")->generic_string(), "c:/Routes/x.txt");
  // Hex digits in either case, 'a' and 'f' as well as 'A' and 'F'.
  EXPECT_EQ(path_of_uri("file:///c%3a/%af%FA%aF")->generic_string(), "c:/\xAF\xFA\xAF");
  EXPECT_EQ(path_of_uri("file:///C:/Routes/x.txt")->generic_string(), "C:/Routes/x.txt");
  for (const std::string p : {"/tmp/a b/Viterbo_7547-.txt", "/x/%y#z?.txt", "/d/\xC3\xA8"}) {
    EXPECT_EQ(path_of_uri(uri_of_path(p))->generic_string(), p) << uri_of_path(p);
  }
  EXPECT_EQ(uri_of_path("/tmp/a b"), "file:///tmp/a%20b");
}

TEST(FileUri, OtherUrisHaveNoPath) {
  for (const char* uri : {"untitled:Untitled-1", "http://x/y", "file://server/share/x",
                          "file:///x%2", "file:///x%zz", "file:///x%00y", "file:", ""}) {
    EXPECT_FALSE(path_of_uri(uri)) << uri;
  }
}

}  // namespace
}  // namespace scenario::lsp
