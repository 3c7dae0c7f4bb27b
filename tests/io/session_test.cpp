#include "io/session.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstring>
#include <memory>
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

  reset_all();
  ASSERT_TRUE(load_session("out.ses"));
  EXPECT_EQ(last_record, 14);
  EXPECT_EQ(current_record, 14);
  EXPECT_STREQ(ObjectTable[14].name, "bface");
  EXPECT_EQ(ObjectTable[13].surfacetype, TYPE_FFACE);
  EXPECT_STREQ(ObjectTable[9].name, "cone");
  EXPECT_FLOAT_EQ(ObjectTable[6].color[0], 0.78f);
  EXPECT_FLOAT_EQ(ObjectTable[7].position[0], 1.2f);
  EXPECT_EQ(ObjectTable[7].angles[2], -720);
  EXPECT_EQ(ObjectTable[10].silend, 79);
  EXPECT_FLOAT_EQ(ObjectTable[10].silpix[79][1], 395.0f);
  EXPECT_FLOAT_EQ(ObjectTable[10].sil[79][1], 19.75f);
  EXPECT_EQ(ObjectTable[10].order, 4);
  EXPECT_EQ(ObjectTable[10].knots, 1);
  EXPECT_FLOAT_EQ(ObjectTable[3].position[3], 1.0f);
  EXPECT_EQ(light_positional[3], 1);
  EXPECT_EQ(light_positional[2], 0);
  EXPECT_EQ(light_on[5], 1);
  EXPECT_EQ(CodeBindingTable[8], 2);
  EXPECT_EQ(code_count, 2);
  EXPECT_STREQ(CodeTable[2].code_name, "wood");
  EXPECT_EQ(CodeTable[1].line_count, 2);
  EXPECT_STREQ(CodeTable[0].code_lines[0], "Surface \"plastic\" \"Kd\" [0.8] \"Ka\" [0.1] \n");
  EXPECT_EQ(code_file, dir_ + "/active.rcf");
  EXPECT_EQ(read_file("active.rcf"), read_file("shaders.rcf"));
  EXPECT_EQ(edit_color[0], 198);  // 0.78 from the file, loaded into the edit buffer
  EXPECT_EQ(session_text(), first);
  ASSERT_TRUE(load_session("out.ses"));
  EXPECT_EQ(session_text(), first);
}

TEST_F(Sessions, CodeTrailerSurvivesDirectoryChangeAndLostFile) {
  build_scene();
  ASSERT_TRUE(std::filesystem::create_directory("sub"));
  std::filesystem::current_path("sub");
  const std::string with_file = session_text();
  EXPECT_NE(with_file.find("  0  0  1  0  0  0  0  0  2  0 \n"), std::string::npos);
  EXPECT_NE(with_file.find("*shader wood\n"), std::string::npos);
  std::filesystem::remove("../shaders.rcf");
  testing::internal::CaptureStderr();
  const std::string from_memory = session_text();
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(from_memory, with_file);  // the file ended in "**end" like the written form
  reset_all();
  ASSERT_TRUE(load_session("out.ses"));
  EXPECT_EQ(code_count, 2);
  EXPECT_EQ(CodeBindingTable[8], 2);
}

TEST_F(Sessions, OlderLabelledLayoutAndKnotValues) {
  std::string text = " 6 surfaces\n1 0 1 1 0 0\n";
  for (int i = 0; i <= 6; i++)
    text += std::string(i == 6 ? "pot" : "lamp") +
            "\n0.5 0.25 1 0 color\n0 0 base\n1.5 2 3 0 position\n10 20 30 angles\n"
            "0.2 0.2 0.2 scales\n4 surfacetype\n0 0 0.8\n0.8 shine\n1\n"
            "10 20 0.5 1\n30 40 1.5 2\n";
  write_file("old.ses", text);
  ASSERT_TRUE(load_session("old.ses"));
  EXPECT_EQ(last_record, 6);
  EXPECT_EQ(light_on[1], 0);
  EXPECT_STREQ(ObjectTable[6].name, "pot");
  EXPECT_EQ(ObjectTable[6].order, 3);
  EXPECT_EQ(ObjectTable[6].knots, 0);
  EXPECT_EQ(ObjectTable[6].angles[2], 30);
  EXPECT_FLOAT_EQ(ObjectTable[6].sil[1][1], 2.0f);
  EXPECT_EQ(code_count, 0);
  EXPECT_EQ(read_file("active.rcf"), "");

  // The current layout: a non-zero knot value reads as periodic.
  text = "version 1\n 5\n1 1 1 1 0 0\n";
  for (int i = 0; i <= 5; i++)
    text += "l 3 5\n0 0 0 0\n0 0\n0 0 0 0\n0 0 0\n1 1 1\n1\n0 0 0 0\n-1\n";
  write_file("periodic.ses", text);
  ASSERT_TRUE(load_session("periodic.ses"));
  EXPECT_EQ(ObjectTable[5].knots, 1);
  EXPECT_EQ(ObjectTable[5].order, 3);
}

// Everything a load may replace, to compare before and after a refused load.
struct Snapshot {
  ObjectRecord records[MAX_RECORDS];
  CodeEntry codes[MAX_CODES];
  int ints[4 + LIGHT_COUNT * 2 + MAX_RECORDS];
  std::string code_path, active;
  void take() {
    std::memcpy(records, ObjectTable, sizeof records);
    std::memcpy(codes, CodeTable, sizeof codes);
    int* p = ints;
    *p++ = last_record;
    *p++ = current_record;
    *p++ = code_count;
    *p++ = edit_color[0];
    for (int i = 0; i < LIGHT_COUNT; i++) *p++ = light_on[i], *p++ = light_positional[i];
    for (int i = 0; i < MAX_RECORDS; i++) *p++ = CodeBindingTable[i];
    code_path = code_file;
    active = read_file("active.rcf");
  }
  bool operator==(const Snapshot& o) const {
    return !std::memcmp(records, o.records, sizeof records) &&
           !std::memcmp(codes, o.codes, sizeof codes) && !std::memcmp(ints, o.ints, sizeof ints) &&
           code_path == o.code_path && active == o.active;
  }
};

TEST_F(Sessions, MalformedFilesLeaveEverythingAsItWas) {
  build_scene();
  const std::string good = session_text();
  ASSERT_TRUE(load_session("out.ses"));
  ObjectTable[6].color[0] = 0.5f;  // differs from the file
  current_record = 7;
  load_edit_buffer();
  auto before = std::make_unique<Snapshot>(), after = std::make_unique<Snapshot>();
  before->take();

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
    after->take();
    EXPECT_TRUE(*after == *before) << text.substr(0, 60);
  }
  testing::internal::CaptureStderr();
  EXPECT_FALSE(load_session("missing.ses"));
  testing::internal::GetCapturedStderr();
  after->take();
  EXPECT_TRUE(*after == *before);
}

TEST_F(Sessions, FailedSaveKeepsTheOldFile) {
  build_scene();
  ASSERT_TRUE(std::filesystem::create_directory("ro"));
  write_file("ro/keep.ses", "old content\n");
  write_file("keep.ses", "old content\n");
  auto only_old_file = [&](const char* dir) {
    int n = 0;
    for (auto& e : std::filesystem::directory_iterator(dir)) n += e.is_regular_file() ? 1 : 0;
    return n;
  };
  std::filesystem::permissions(
      "ro", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  if (access("ro", W_OK) != 0) {  // permissions do not bind the superuser
    testing::internal::CaptureStderr();
    EXPECT_FALSE(save_session("ro/keep.ses"));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(read_file("ro/keep.ses"), "old content\n");
  }
  std::filesystem::permissions("ro", std::filesystem::perms::owner_all);

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
  EXPECT_EQ(read_file("keep.ses"), "old content\n");
  EXPECT_EQ(only_old_file("."), 2);  // shaders.rcf and keep.ses, no temporary left

  testing::internal::CaptureStderr();
  EXPECT_FALSE(save_session("no/such/dir.ses"));
  testing::internal::GetCapturedStderr();
}

TEST_F(Sessions, BackupsHoldTheSceneInTheWorkingDirectory) {
  new_type = TYPE_SPHERE;
  create_object();
  save_backup();
  duplicate_current();
  save_safety_net();
  reset_all();
  ASSERT_TRUE(load_session("backup.ses"));
  EXPECT_EQ(last_record, 6);
  EXPECT_STREQ(ObjectTable[6].name, "sphere");
  ASSERT_TRUE(load_session("safety_net.ses"));
  EXPECT_EQ(last_record, 7);
}
