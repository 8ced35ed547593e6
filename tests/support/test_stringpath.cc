// File names, extensions, the current directory and relative paths.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "Stringpath.h"
#include "run_tool.h"

namespace {

TEST(FileNames, NameAndDirectory) {
  struct Case {
    std::string path, name, dir;
  } cases[] = {
      {"dir/sub/file.gt", "file.gt", "dir/sub"},
      {"file.gt", "file.gt", "."},
      {"/file.gt", "file.gt", "/"},
      {"dir/", "", "dir"},
      {"dir\\file.gt", "dir\\file.gt", "."},
      {"", "", "."},
      {"/", "", "/"},
  };
  for (auto const& c : cases) {
    EXPECT_EQ(extract_filename_name(c.path), c.name) << c.path;
    EXPECT_EQ(extract_filename_path(c.path), c.dir) << c.path;
  }
}

TEST(FileNames, Extension) {
  struct Case {
    std::string path, without;
  } cases[] = {
      {"dir/file.gt", "dir/file"},
      {"file.tar.gz", "file.tar"},
      {"dir.d/file", "dir.d/file"},
      {"file.", "file"},
      {".gt", ""},
      {"a..b", "a..b"},
      {"dir.x\\file", "dir.x\\file"},
      {"dir\\file.gt", "dir\\file"},
      {"", ""},
      {"dir/.hidden", "dir/"},
      {"plain", "plain"},
      {"a.b\\c.d", "a.b\\c"},
      {"a.b\\c", "a.b\\c"},
  };
  for (auto const& c : cases) EXPECT_EQ(supress_filename_extension(c.path), c.without) << c.path;
}

std::string relative_quietly(const std::string& target, const std::string& base) {
  testing::internal::CaptureStderr();
  std::string r = relative_directory_path(target, base);
  testing::internal::GetCapturedStderr();
  return r;
}

TEST(RelativePath, Cases) {
  struct Case {
    std::string target, base, relative;
  } cases[] = {
      {"/home/u/proj/src", "/home/u/doc", "../proj/src"},
      {"/a/b", "/a/b/c", ".."},
      {"/a/b/c", "/a", "b/c"},
      {"/x", "/a/b", "../../x"},
      {"x/y", "/a", "x/y"},
      {"/a/b", "/a/b", "."},
      {"a/b/c", "a/d", "../b/c"},
      {"/a/b", "/a/c/d/e", "../../../b"},
      // Both run out together: the same place, where the loop used to spin.
      {"/a/", "/a", "."},
      {"/a", "/a/", "."},
      {"a/b/", "a/b", "."},
  };
  for (auto const& c : cases)
    EXPECT_EQ(relative_quietly(c.target, c.base), c.relative) << c.target << " from " << c.base;
}

TEST(RelativePath, Trace) {
  testing::internal::CaptureStderr();
  relative_directory_path("/home/u/proj/src", "/home/u/doc");
  relative_directory_path("/a/b", "/a/b");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "demarrage /home/u/proj/src|/home/u/doc\nintermediaire: proj/src|doc\n--> ../proj/src\n"
            "demarrage /a/b|/a/b\n--> .\n");
}

// Runs a check in a directory and comes back to where the test started.
template <typename F>
void dans(const std::string& dir, F f) {
  int retour = open(".", O_RDONLY | O_DIRECTORY);
  ASSERT_GE(retour, 0);
  ASSERT_EQ(chdir(dir.c_str()), 0) << dir;
  f();
  ASSERT_EQ(fchdir(retour), 0);
  close(retour);
}

TEST(CurrentDirectory, ForwardSlashesAndBaseOfRelativePaths) {
  std::string racine = scratch_dir("current_dir");
  std::string dir = racine + "/x\\y";
  std::filesystem::create_directories(dir);
  dans(dir, [&] {
    std::string attendu = std::filesystem::current_path().string();
    attendu.replace(attendu.rfind('\\'), 1, "/");
    EXPECT_EQ(my_current_directory(), attendu);
    // The empty base is that directory, its backslash now a separator.
    EXPECT_EQ(relative_quietly(racine + "/z", ""), "../../z");
  });
}

// A directory of more than 1024 characters, or one that no longer exists,
// gives an empty text.
TEST(CurrentDirectory, TooLongOrGone) {
  std::string racine = std::filesystem::canonical(scratch_dir("current_dir_long")).string();
  // Components up to a path of exactly 1024 characters, then one more.
  std::string chemin = racine;
  while (chemin.size() < 1024)
    chemin += "/" + std::string(std::min<size_t>(200, 1024 - chemin.size() - 1), 'd');
  ASSERT_EQ(chemin.size(), 1024u);
  std::filesystem::create_directories(chemin + "/e");
  dans(chemin, [&] { EXPECT_EQ(my_current_directory(), chemin); });
  dans(chemin + "/e", [&] { EXPECT_EQ(my_current_directory(), ""); });
  std::string parti = racine + "/gone";
  std::filesystem::create_directories(parti);
  dans(parti, [&] {
    std::filesystem::remove(parti);
    EXPECT_EQ(my_current_directory(), "");
  });
}

}  // namespace
