// A save puts the new file on the disk before it takes the old one's place,
// and the directory after; the temporary file's name is one no listing shows.
#include <sys/stat.h>
#include <sys/syscall.h>

#include <climits>

#include "io/file_util.h"
#include "io/session.h"
#include "support/reader_checks.h"

namespace {

// One sync as the program asked for it, with what the target held then.
struct Sync {
  bool directory;        // the directory rather than a file
  std::string name;      // file name of the synced file
  std::string target;    // content of the file being replaced at that moment
  std::string content;   // content of the synced file
};
std::vector<Sync> syncs;
const char* watched = nullptr;  // the file being replaced

}  // namespace

// Stands in for the C library's fsync in this test program: records, then syncs.
extern "C" int fsync(int fd) {
  struct stat st;
  char link[64], path[PATH_MAX] = "";
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  const ssize_t n = readlink(link, path, sizeof path - 1);
  if (n > 0) path[n] = '\0';
  if (watched && fstat(fd, &st) == 0) {
    const bool dir = S_ISDIR(st.st_mode);
    syncs.push_back({dir, fs::path(path).filename().string(), read_file(watched),
                     dir ? "" : read_file(path)});
  }
  return static_cast<int>(syscall(SYS_fsync, fd));
}

using Durability = ScratchDir;

TEST_F(Durability, NewFileReachesTheDiskBeforeTheRenameAndTheDirectoryAfter) {
  add_object(TYPE_SPHERE);
  write_file("scene.ses", "old\n");
  watched = "scene.ses";
  syncs.clear();
  ASSERT_TRUE(save_session("scene.ses"));
  watched = nullptr;
  const std::string saved = read_file("scene.ses");
  ASSERT_EQ(syncs.size(), 2u);
  EXPECT_FALSE(syncs[0].directory);
  EXPECT_EQ(syncs[0].content, saved) << "the file synced is the complete new one";
  EXPECT_EQ(syncs[0].target, "old\n") << "synced before it replaced the old file";
  for (const char* ext : {".ses", ".rib", ".c", ".rcf"})
    EXPECT_FALSE(has(syncs[0].name, ext)) << syncs[0].name << " would be listed";
  EXPECT_TRUE(syncs[1].directory);
  EXPECT_EQ(syncs[1].target, saved) << "the directory is synced after the rename";
}

TEST_F(Durability, ANewFileGetsWhatAPlainWriteWouldGiveAReplacedOneKeepsItsPermissions) {
  const mode_t mask = umask(027);
  ASSERT_TRUE(save_session("new.ses"));
  EXPECT_EQ(fs::status("new.ses").permissions(), fs::perms(0640));
  write_file("kept.ses", "old\n");
  fs::permissions("kept.ses", fs::perms(0604));
  ASSERT_TRUE(save_session("kept.ses"));
  umask(mask);
  EXPECT_EQ(fs::status("kept.ses").permissions(), fs::perms(0604));
}
