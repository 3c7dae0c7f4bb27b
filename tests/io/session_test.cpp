#include "io/session.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "app/scene.h"
#include "io/code_table.h"
#include "io/scratch_dir.h"

using Sessions = ScratchDir;

static const char LIGHT0_BLOCK[] =
    "light0 \n"
    " 0  0 \n"
    "0.60 0.60 0.60 0.00  \n"
    "0.00 0.00       \n"
    "-20.0 10.0 20.0 0.0  \n"
    "    0    0    0     \n"
    " 0.10 0.10 0.10  \n"
    " 1     \n"
    "0.00 0.00 0.60  1.00   \n"
    "-1          \n"
    " \n";

static std::string session_text() {
  EXPECT_TRUE(save_session("out.ses"));
  return read_file("out.ses");
}

TEST_F(Sessions, EmptySceneBytes) {
  const std::string text = session_text();
  const std::string head = "version   1 \n  5   \n 1  1  1  1  0  0 \n";
  ASSERT_EQ(text.compare(0, head.size(), head), 0) << text;
  const std::size_t at = text.find("light0 \n");
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(text.substr(at, sizeof LIGHT0_BLOCK - 1), LIGHT0_BLOCK);
  // Header, six blocks of eleven lines, nothing after the last block.
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3 + 6 * 11);
  EXPECT_EQ(text.substr(text.size() - 15), "-1          \n \n");
}

// Every object type, a full silhouette, a positional light, bindings and code.
static void build_scene() {
  write_file("shaders.rcf",
             "*shader matte\nSurface \"matte\"\n\n*end\n*shader wood\nx\n*end\n**end\n");
  ASSERT_TRUE(load_code_file("shaders.rcf"));
  for (int t = 0; t < TYPE_COUNT; t++) {
    new_type = t;
    create_object();
  }
  ObjectRecord& rev = ObjectTable[10];
  rev.silend = MAX_SIL_POINTS - 1;
  for (int k = 0; k < MAX_SIL_POINTS; k++) {
    rev.silpix[k][0] = 10.0f * (k % 7);
    rev.silpix[k][1] = 5.0f * k;
    rev.sil[k][0] = rev.silpix[k][0] / 20;
    rev.sil[k][1] = rev.silpix[k][1] / 20;
  }
  rev.order = 4;
  rev.knots = 1;
  ObjectTable[7].position[0] = 1.25f;
  ObjectTable[7].angles[2] = -720;
  ObjectTable[9].name[0] = '\0';  // emptied with Backspace
  ObjectTable[3].position[3] = 1.0f;
  light_on[5] = 1;
  CodeBindingTable[8] = 2;
  CodeBindingTable[2] = 1;
}

TEST_F(Sessions, SaveLoadSaveReproducesTheFile) {
  build_scene();
  const std::string first = session_text();
  EXPECT_NE(first.find("0.78 0.78 0.78 1.00  \n"), std::string::npos);  // 200/255
  EXPECT_NE(first.find("1.2 0.0 0.0 0.0  \n"), std::string::npos);
  EXPECT_NE(first.find("\ncone \n"), std::string::npos);

  // The second save matching the first shows every written value read back.
  reset_all();
  ASSERT_TRUE(load_session("out.ses"));
  EXPECT_EQ(current_record, 14);
  EXPECT_EQ(edit_color[0], 198);  // 0.78 from the file, in the edit buffer
  EXPECT_EQ(light_positional[3], 1);
  EXPECT_EQ(code_file, dir_ + "/active.rcf");
  EXPECT_EQ(read_file("active.rcf"), read_file("shaders.rcf"));
  EXPECT_EQ(session_text(), first);

  // The code file is found from another directory, and once it is gone the
  // trailer is written from the table in memory.
  ASSERT_TRUE(std::filesystem::create_directory("sub"));
  std::filesystem::current_path("sub");
  EXPECT_EQ(session_text(), first);
  std::filesystem::remove("../active.rcf");
  testing::internal::CaptureStderr();
  EXPECT_EQ(session_text(), first);  // the code file ended in "**end" like the written form
  EXPECT_NE(testing::internal::GetCapturedStderr().find("active.rcf: "), std::string::npos);

  // Where "active.rcf" cannot be written the session still loads, its code in memory.
  ASSERT_TRUE(std::filesystem::create_directory("active.rcf"));
  testing::internal::CaptureStderr();
  ASSERT_TRUE(load_session("out.ses"));
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(session_text(), first);
}

TEST_F(Sessions, OlderLabelledLayoutAndKnotValues) {
  std::string text = " 6 surfaces\n1 0 1 1 0 0\n";
  for (int i = 0; i <= 6; i++)
    text +=
        "pot\n0.5 0.25 1 0 color\n0 0 base\n1.5 2 3 0 position\n10 20 30 angles\n"
        "0.2 0.2 0.2 scales\n4 surfacetype\n0 0 0.8\n0.8 shine\n1\n10 20 0.5 1\n30 40 1.5 2\n";
  write_file("old.ses", text);
  ASSERT_TRUE(load_session("old.ses"));
  EXPECT_EQ(light_on[1], 0);
  EXPECT_EQ(ObjectTable[6].order, 3);
  EXPECT_EQ(ObjectTable[6].knots, 0);
  EXPECT_EQ(ObjectTable[6].angles[2], 30);
  EXPECT_FLOAT_EQ(ObjectTable[6].sil[1][1], 2.0f);
  EXPECT_EQ(read_file("active.rcf"), "");

  // The current layout: a non-zero knot value reads as periodic.
  text = "version 1\n 5\n1 1 1 1 0 0\n";
  for (int i = 0; i <= 5; i++)
    text += "l 3 5\n0 0 0 0\n0 0\n0 0 0 0\n0 0 0\n1 1 1\n1\n0 0 0 0\n-1\n";
  write_file("periodic.ses", text);
  ASSERT_TRUE(load_session("periodic.ses"));
  EXPECT_EQ(ObjectTable[5].knots, 1);
}

// Everything a load may replace, as bytes to compare before and after.
template <typename T>
static void add(std::string& s, const T& v) {
  s.append(reinterpret_cast<const char*>(&v), sizeof v);
}
static std::string scene_state() {
  std::string s;
  add(s, ObjectTable), add(s, CodeTable), add(s, CodeBindingTable), add(s, light_on);
  add(s, light_positional), add(s, last_record), add(s, current_record), add(s, code_count);
  add(s, edit_color);
  return s + code_file + read_file("active.rcf");
}

TEST_F(Sessions, MalformedFilesLeaveEverythingAsItWas) {
  build_scene();
  const std::string good = session_text();
  ASSERT_TRUE(load_session("out.ses"));
  ObjectTable[6].color[0] = 0.5f;  // differs from the file
  current_record = 7;
  load_edit_buffer();
  const std::string before = scene_state();

  auto replaced = [&](const std::string& from, const std::string& to) {
    std::string t = good;
    const std::size_t at = t.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? t : t.replace(at, from.size(), to);
  };
  const std::size_t bindings = good.find("  0  0  1");
  const std::string bad[] = {
      good.substr(0, 8),
      good.substr(0, 30),
      good.substr(0, good.size() / 3),
      good.substr(0, bindings + 40),
      replaced("0.78", "red"),
      replaced("\n 14   \n", "\n 99   \n"),
      replaced("\n79          \n", "\n200          \n"),
      replaced("\nbox \n", "\n" + std::string(40, 'n') + " \n"),
      replaced("  0  0  1", "  0  0 60"),
      replaced("-20.0", "nan"),
  };
  for (const std::string& text : bad) {
    write_file("bad.ses", text);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(load_session("bad.ses"));
    EXPECT_EQ(testing::internal::GetCapturedStderr().rfind("bad.ses: ", 0), 0u);
    EXPECT_TRUE(scene_state() == before) << text.substr(0, 60);
  }
  testing::internal::CaptureStderr();
  EXPECT_FALSE(load_session("missing.ses"));
  testing::internal::GetCapturedStderr();
  EXPECT_TRUE(scene_state() == before);
}

TEST_F(Sessions, SaveReplacesOnlyAWritableFileAndOnlyWhenComplete) {
  namespace fs = std::filesystem;
  build_scene();
  ASSERT_TRUE(fs::create_directory("ro"));
  for (const char* name : {"ro/keep.ses", "keep.ses", "locked.ses"}) write_file(name, "old\n");
  fs::permissions("ro", fs::perms::owner_read | fs::perms::owner_exec);
  fs::permissions("locked.ses", fs::perms::owner_read);
  if (access("ro", W_OK) != 0) {  // permissions do not bind the superuser
    testing::internal::CaptureStderr();
    EXPECT_FALSE(save_session("ro/keep.ses"));
    EXPECT_FALSE(save_session("locked.ses"));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(read_file("ro/keep.ses") + read_file("locked.ses"), "old\nold\n");
  }
  fs::permissions("ro", fs::perms::owner_all);

  // A write that fails half-way through: the file size limit stops it.
  struct rlimit old_limit;
  getrlimit(RLIMIT_FSIZE, &old_limit);
  struct rlimit small = old_limit;
  small.rlim_cur = 2000;
  signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  testing::internal::CaptureStderr();
  const bool saved = save_session("keep.ses");
  setrlimit(RLIMIT_FSIZE, &old_limit);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("keep.ses: "), std::string::npos);
  EXPECT_FALSE(saved);
  EXPECT_EQ(read_file("keep.ses"), "old\n");

  // A link is written through, as a plain write would, and stays a link.
  fs::create_symlink("ro/keep.ses", "link.ses");
  ASSERT_TRUE(save_session("link.ses"));
  EXPECT_TRUE(fs::is_symlink("link.ses"));
  EXPECT_EQ(read_file("ro/keep.ses").rfind("version", 0), 0u);
  // No temporary file is left beside shaders.rcf, the three sessions and ro.
  EXPECT_EQ(std::distance(fs::directory_iterator("."), {}), 5);
}
