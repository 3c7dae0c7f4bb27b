#include "io/session.h"

#include <signal.h>
#include <sys/resource.h>

#include "support/reader_checks.h"

using Sessions = ScratchDir;

static std::string session_text() {
  EXPECT_TRUE(save_session("out.ses"));
  return read_file("out.ses");
}

TEST_F(Sessions, EmptySceneBytes) {
  const std::string text = session_text();
  EXPECT_EQ(text.rfind("version   1 \n  5   \n 1  1  1  1  0  0 \n", 0), 0u) << text;
  EXPECT_TRUE(has(text,
                  "\nlight0 \n 0  0 \n0.60 0.60 0.60 0.00  \n0.00 0.00       \n"
                  "-20.0 10.0 20.0 0.0  \n    0    0    0     \n 0.10 0.10 0.10  \n 1     \n"
                  "0.00 0.00 0.60  1.00   \n-1          \n \nlight1 \n"));
  EXPECT_EQ(count_of(text, "\n"), 3 + 6 * 11);  // six blocks and no trailer
}

// Every object type, a full silhouette, a positional light, bindings and code.
static void build_scene() {
  load_codes("*shader matte\nSurface \"matte\"\n\n*end\n*shader wood\nx\n*end\n**end\n");
  for (int t = 0; t < TYPE_COUNT; t++) add_object(t);
  Points pts;
  for (int k = 0; k < MAX_SIL_POINTS; k++) pts.push_back({0.5f * (k % 7), 0.25f * k});
  add_object(TYPE_REVOLUTION, pts, 4, 1);
  ObjectTable[7].position[0] = 1.25f, ObjectTable[7].angles[2] = -720;
  ObjectTable[9].name[0] = '\0';  // emptied with Backspace
  ObjectTable[3].position[3] = 1.0f, light_on[5] = 1;
  CodeBindingTable[8] = 2, CodeBindingTable[2] = 1;
}

TEST_F(Sessions, BindingsAreWrittenTenToALine) {
  build_scene();
  const std::string unbound = "  0  0  0  0  0  0  0  0  0  0 \n";
  EXPECT_TRUE(has(session_text(), "\n  0  0  1  0  0  0  0  0  2  0 \n" + unbound + unbound +
                                      unbound + unbound + unbound + unbound +
                                      "  0  0  0  0  0  0 \n*shader matte\n"));
}

TEST_F(Sessions, SaveLoadSaveReproducesTheFile) {
  build_scene();
  const std::string first = session_text();
  // The emptied name is written as the record's type.
  EXPECT_TRUE(has(first, "\ncone \n"));
  // The second save matching the first shows every value read back.
  reset_io_layer();
  ASSERT_TRUE(load_session("out.ses"));
  EXPECT_EQ(current_record, 15);
  EXPECT_EQ(edit_color[0], 198);  // 0.78 from the file, in the edit buffer
  EXPECT_EQ(light_positional[3], 1);
  EXPECT_EQ(read_file("active.rcf"), read_file("codes.rcf"));
  EXPECT_EQ(session_text(), first);
  // The code file is found from another directory, and once it is gone the
  // trailer is written from the table in memory.
  fs::create_directory("sub");
  fs::current_path("sub");
  EXPECT_EQ(session_text(), first);
  fs::remove("../active.rcf");
  EXPECT_TRUE(has(stderr_of([&] { EXPECT_EQ(session_text(), first); }), "active.rcf: "));
  // Where "active.rcf" cannot be written the session still loads, its code in memory.
  fs::create_directory("active.rcf");
  stderr_of([] { EXPECT_TRUE(load_session("out.ses")); });
  EXPECT_EQ(session_text(), first);
}

// A file holds a record's points up to its last one; those above it, in the
// ambient record as in the others, keep what the scene held.
TEST_F(Sessions, PointsAboveARecordsLastKeepWhatTheyHeld) {
  build_scene();
  ASSERT_TRUE(save_session("out.ses"));
  for (int i : {0, 6}) ObjectTable[i].sil[MAX_SIL_POINTS - 1][0] = 3.5f;
  ASSERT_TRUE(load_session("out.ses"));
  EXPECT_EQ(ObjectTable[0].sil[MAX_SIL_POINTS - 1][0], 3.5f);
  EXPECT_EQ(ObjectTable[6].sil[MAX_SIL_POINTS - 1][0], 3.5f);
}

TEST_F(Sessions, OlderLabelledLayout) {
  std::string text = " 6 surfaces\n1 0 1 1 0 0\n";
  for (int i = 0; i <= 6; i++)
    text +=
        "pot\n0.5 0.25 1 0 color\n0\f0\vbase\n1.5 2 3 0 position\n10 20 30 angles\n"
        "0.2 0.2 0.2 scales\n4 surfacetype\n0 0 0.8\n0.8 shine\n1\n10 20 0.5 1\n30 40 1.5 2\n";
  write_file("old.ses", text);
  ASSERT_TRUE(load_session("old.ses"));
  EXPECT_EQ(light_on[1], 0);
  EXPECT_EQ(ObjectTable[6].order, 3);
  EXPECT_EQ(ObjectTable[6].knots, 0);
  EXPECT_FLOAT_EQ(ObjectTable[6].sil[1][1], 2.0f);
}

TEST_F(Sessions, MalformedFilesLeaveEverythingAsItWas) {
  build_scene();
  const std::string good = session_text();
  ASSERT_TRUE(load_session("out.ses"));
  ObjectTable[6].color[0] = 0.5f, current_record = 7;  // differs from the file
  load_edit_buffer();
  const std::string before = scene_state();
  auto replaced = [&](const std::string& from, const std::string& to) {
    return std::string(good).replace(good.find(from), from.size(), to);  // throws when absent
  };
  const size_t bindings = good.find("  0  0  1");
  for (const std::string& text :
       {good.substr(0, good.size() / 3), good.substr(0, bindings + 40), replaced("0.78", "red"),
        replaced("\n 15   \n", "\n 99   \n"), replaced("\n79          \n", "\n200          \n"),
        replaced("  0  0  1", "  0  0 60"),
        replaced("\nbox \n", "\n" + std::string(40, 'n') + " \n"), replaced("-20.0", "nan")}) {
    write_file("bad.ses", text);
    EXPECT_EQ(stderr_of([] { EXPECT_FALSE(load_session("bad.ses")); }).rfind("bad.ses: ", 0), 0u);
    EXPECT_TRUE(scene_state() == before) << text.substr(0, 60);
  }
  write_file("k.ses", replaced(" 4  1 \n", " 4  7 \n"));  // a non-zero knot value is periodic
  ASSERT_TRUE(load_session("k.ses"));
  EXPECT_EQ(ObjectTable[15].knots, 1);
}

TEST_F(Sessions, SaveReplacesTheFileOnlyWhenComplete) {
  build_scene();
  write_file("keep.ses", "old\n");
  // A write that fails half-way through: the file size limit stops it.
  rlimit old_limit, small;
  getrlimit(RLIMIT_FSIZE, &old_limit);
  small = old_limit, small.rlim_cur = 2000;
  signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  bool saved = true;
  const std::string err = stderr_of([&] { saved = save_session("keep.ses"); });
  setrlimit(RLIMIT_FSIZE, &old_limit);
  EXPECT_FALSE(saved);
  EXPECT_TRUE(has(err, "keep.ses: "));
  EXPECT_EQ(read_file("keep.ses"), "old\n");
  // No temporary file is left beside codes.rcf and keep.ses.
  EXPECT_EQ(std::distance(fs::directory_iterator("."), {}), 2);
}

TEST_F(Sessions, SaveWritesThroughALinkAsAPlainWriteWould) {
  write_file("target.ses", "old\n");
  fs::create_symlink("target.ses", "link.ses");
  EXPECT_TRUE(save_session("link.ses"));
  EXPECT_TRUE(fs::is_symlink("link.ses"));
  EXPECT_EQ(read_file("target.ses").rfind("version", 0), 0u);
}
