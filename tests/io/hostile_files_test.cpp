// Session and code files that are not what they claim: links planted under
// the program's own names, files that are not files, values no operation can
// take, zero bytes, and text that would reach the terminal raw.
#include <sys/stat.h>

#include <cmath>

#include "io/file_util.h"
#include "io/session.h"
#include "support/reader_checks.h"

using Hostile = ScratchDir;

static const char CODES[] = "*shader matte\nSurface \"matte\"\n*end\n**end\n";

// A saved session with one revolution bound to a code entry; its text.
static std::string good_session() {
  load_codes(CODES);
  CodeBindingTable[add_object(TYPE_REVOLUTION, ZIGZAG, 4, 1)] = 1;
  EXPECT_TRUE(save_session("good.ses"));
  return read_file("good.ses");
}

static std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// What loading text as a session says on stderr; "" when it loaded.
static std::string load_error(const std::string& text) {
  write_file("try.ses", text);
  bool loaded = false;
  const std::string err = stderr_of([&] { loaded = load_session("try.ses"); });
  return loaded ? "" : err;
}

TEST_F(Hostile, OwnNamesReplacePlantedLinksWithoutWritingThroughThem) {
  good_session();
  write_file("victim", "precious\n");
  for (const char* name : {"active.rcf", "backup.ses", "safety_net.ses"})
    fs::create_symlink("victim", name);
  ASSERT_TRUE(load_session("good.ses"));
  save_backup();
  save_safety_net();
  EXPECT_EQ(read_file("victim"), "precious\n");
  for (const char* name : {"active.rcf", "backup.ses", "safety_net.ses"})
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(name))) << name;
  EXPECT_EQ(read_file("active.rcf"), CODES);
}

TEST_F(Hostile, ReadersRefuseFifosDirectoriesAndHugeFiles) {
  good_session();
  const std::string before = scene_state();
  for (const char* name : {"pipe.ses", "pipe.rcf"}) ASSERT_EQ(mkfifo(name, 0600), 0);
  fs::create_directory("dir.ses");
  fs::create_directory("dir.rcf");
  for (const char* name : {"big.ses", "big.rcf"}) {
    write_file(name, "");
    fs::resize_file(name, MAX_READ_BYTES + 1);  // sparse: costs no disk
  }
  const std::pair<const char*, const char*> cases[] = {
      {"pipe", "not a regular file"}, {"dir", "is a directory"}, {"big", "larger than 64 MB"}};
  for (const auto& [stem, why] : cases) {
    for (const char* ext : {".ses", ".rcf"}) {
      const std::string name = std::string(stem) + ext;
      // In a child: a reader that waits or reads forever fails the check
      // instead of stopping the tests.
      const int refused = in_child(
          [&] {
            bool loaded = false;
            const std::string err = stderr_of([&] {
              loaded = ext[1] == 's' ? load_session(name.c_str()) : load_code_file(name.c_str());
            });
            if (loaded) return 2;
            if (err != name + ": " + why + "\n") return 3;
            return scene_state() == before ? 0 : 4;
          },
          20, 512);
      EXPECT_EQ(refused, 0) << name << " (2 loaded, 3 other message, 4 scene changed, -1 hung)";
    }
  }
}

TEST_F(Hostile, RunningOutOfMemoryIsARefusal) {
  if (UNDER_ASAN) GTEST_SKIP() << "the address sanitizer cannot run with a limited address space";
  write_file("large.ses", std::string(40 << 20, ' '));
  const int refused = in_child(
      [] {
        bool loaded = true;
        const std::string err = stderr_of([&] { loaded = load_session("large.ses"); });
        return !loaded && err == "large.ses: out of memory\n" ? 0 : 1;
      },
      20, 24);
  EXPECT_EQ(refused, 0) << "1 loaded or another message, -1 the program ended";
}

TEST_F(Hostile, ValuesNoOperationCanTakeAreRefused) {
  const std::string good = good_session();
  // Each field at the edge of what it may hold loads; one step past it does not.
  const struct {
    const char *from, *edge, *past, *why;
  } fields[] = {
      {"    0    0    0     \n 0.20", "    0 1000000 -1000000 \n 0.20", "    0 1000001 0 \n 0.20",
       "an angle"},
      {"\n 4  1 \n", "\n 3  1 \n", "\n 5  1 \n", "an order"},
      {"\n 4  1 \n", "\n 4  0 \n", "\n 2  1 \n", "an order"},
      {"light2 \n 0", "light2 \n 4", "light2 \n 2", "an order of a light"},
      {"light2 \n 0", "light2 \n 3", "light2 \n 5", "an order"},
      {"0.00 0.00 0.80  0.80", "0.00 0.00 0.001  1", "0.00 0.00 0.0009  0.80", "an intensity"},
      {"0.00 0.00 0.80  0.80", "0.00 0.00 1  0", "0.00 0.00 1.01  0.80", "an intensity"},
      {"0.00 0.00 0.80  0.80", "0.00 0.00 0  0.80", "0.00 0.00 -0.01  0.80", "an intensity"},
      {"0.00 0.00 0.80  0.80", "0.00 0.00 0.80  1", "0.00 0.00 0.80  1.01", "a shininess"},
      {"0.00 0.00 0.80  0.80", "0.00 0.00 0.80  0", "0.00 0.00 0.80  -0.01", "a shininess"},
      {"\n0.00 0.00       \n-20.0", "\n1000000 -1000000       \n-20.0",
       "\n1e30 0.00       \n-20.0", "a base coordinate"},
      {"-20.0 10.0", "-1000000 10.0", "-1000001 10.0", "a position"},
  };
  for (const auto& f : fields) {
    EXPECT_EQ(load_error(replaced(good, f.from, f.edge)), "") << f.edge;
    ASSERT_TRUE(load_session("good.ses"));
    const std::string before = scene_state();
    const std::string err = load_error(replaced(good, f.from, f.past));
    EXPECT_TRUE(has(err, f.why)) << f.past << ": " << err;
    EXPECT_TRUE(scene_state() == before) << f.past;
  }
}

TEST_F(Hostile, ZeroBytesInCodeAreRefused) {
  const std::string good = good_session();
  const std::string before = scene_state();
  write_file("zero.rcf", std::string("*shader a\nx\n*end\n*shader b\nSurface \0\"b\"\n*end\n", 45));
  EXPECT_EQ(stderr_of([] { EXPECT_FALSE(load_code_file("zero.rcf")); }),
            "zero.rcf: line 5: a zero byte in the text\n");
  EXPECT_TRUE(scene_state() == before);
  const std::string err = load_error(replaced(good, "Surface \"matte\"", std::string("Sur\0face", 8)));
  EXPECT_TRUE(has(err, ": a zero byte in the text")) << err;
  EXPECT_TRUE(scene_state() == before);
}

TEST_F(Hostile, MessagesShowFileTextEscapedAndShort) {
  const std::string good = good_session();
  const std::string token = "\x1b]0;owned\x07\x1b[31m" + std::string(50000, '7');
  std::string err = load_error(replaced(good, "0.78", token));
  EXPECT_EQ(err.find('\x1b'), std::string::npos) << err;
  EXPECT_TRUE(has(err, R"(found "\x1B]0;owned\x07\x1B[31m7777)")) << err;
  EXPECT_LT(err.size(), 200u) << err;
  err = load_error(replaced(good, "revolution", "\x9b" "2J" + std::string(20, 'n')));
  EXPECT_TRUE(has(err, R"(characters: "\x9B2Jnnnn)")) << err;
  // Text in other scripts stays readable; quotes and the cut are marked.
  EXPECT_EQ(quoted("gr\xc3\xbcn \"x\"\\"), R"("grün \"x\"\\")");
  EXPECT_EQ(quoted("\xe2\x82\xac \xef\xac\x81 \xf0\x9f\x99\x82"),
            "\"\xe2\x82\xac \xef\xac\x81 \xf0\x9f\x99\x82\"");
  EXPECT_EQ(quoted("\xc2\x9b\xff\x7f"), R"("\xC2\x9B\xFF\x7F")");
  EXPECT_EQ(quoted(std::string(79, 'a') + "\xc3\xbc" + "b"), "\"" + std::string(79, 'a') + "\"...");
  EXPECT_EQ(quoted(std::string(80, 'a')), "\"" + std::string(80, 'a') + "\"");
  EXPECT_EQ(quoted(std::string(90, '\x80')).size(), 2 + 77 * 4 + 3u) << "garbage is still shown";
  EXPECT_EQ(printable("new\nline.ses"), R"(new\x0Aline.ses)");
}
