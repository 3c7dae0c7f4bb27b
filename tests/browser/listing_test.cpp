// The directory listing over scratch directory trees.
#include "browser/listing.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "app/startup.h"
#include "browser/browser.h"

namespace {

class ListingTest : public ::testing::Test {
 protected:
  std::string root;
  char start_dir[512] = "";

  void SetUp() override {
    ASSERT_NE(getcwd(start_dir, sizeof start_dir), nullptr);
    char tmpl[] = "/tmp/listing_test_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    root = tmpl;
    reset_all();
    browse_load_ses = 1;
  }
  void TearDown() override {
    ASSERT_EQ(chdir(start_dir), 0);
    std::system(("rm -rf " + root).c_str());
  }
  void file(const std::string& name) { std::ofstream(root + "/" + name); }
  void dir(const std::string& name) { ASSERT_EQ(mkdir((root + "/" + name).c_str(), 0755), 0); }
  // The table as "name name/ ...", directories marked with a slash.
  std::string listed() {
    EXPECT_EQ(list_directory(root.c_str()), 0);
    std::string s;
    for (int i = 0; i < entry_count; i++)
      s += std::string(i ? " " : "") + entries[i] + (entry_is_dir[i] ? "/" : "");
    return s;
  }
};

TEST_F(ListingTest, DirectoriesFirstThenMatchingFilesInByteOrder) {
  for (const char* f : {"b.ses", "a.ses", "A.ses", "notes.txt", "x.session.bak", "scene.rib"})
    file(f);
  dir("sub");
  dir("old.ses");
  // "." and ".." sort first and are dropped; a directory whose name holds the
  // extension sorts among the files but stays a directory.
  EXPECT_EQ(listed(), "sub/ A.ses a.ses b.ses old.ses/ x.session.bak");
  char cwd[512];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  EXPECT_EQ(cwd, root);  // the listed directory is the working directory after

  EXPECT_EQ(find_entry("a.ses", entry_count), 2);
  EXPECT_EQ(find_entry("B.ses", entry_count), entry_count);  // case-sensitive
  EXPECT_EQ(find_entry("a.se", entry_count), entry_count);   // whole names only

  browse_load_ses = 0;
  browse_save_rib = 1;
  EXPECT_EQ(listed(), "old.ses/ sub/ scene.rib");

  // A directory that cannot be opened: a message naming it, the table kept.
  testing::internal::CaptureStderr();
  EXPECT_EQ(list_directory((root + "/nothere").c_str()), 1);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("nothere"), std::string::npos);
  EXPECT_EQ(entry_count, 3);
}

TEST_F(ListingTest, DashNameKeepsDotEntries) {
  dir("-old");
  file("a.ses");
  EXPECT_EQ(listed(), "-old/ ./ ../ a.ses");
}

TEST_F(ListingTest, LongNamesSkippedAndTableCapped) {
  file(std::string(194, 'k') + ".ses");  // 198 characters: fits with the prefix
  file(std::string(195, 'l') + ".ses");  // 199: does not
  EXPECT_EQ(listed(), std::string(194, 'k') + ".ses");

  for (int i = 0; i < 320; i++) file("f" + std::to_string(1000 + i) + ".ses");
  listed();
  // At most 300 names are read, "." and ".." among them; those two go.
  EXPECT_LE(entry_count, max_entries);
  EXPECT_GE(entry_count, max_entries - 2);
  for (int i = 1; i < entry_count; i++) EXPECT_LT(std::string(entries[i - 1]), entries[i]);
}

}  // namespace
