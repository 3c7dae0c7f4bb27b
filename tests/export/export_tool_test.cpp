// silmod-export run as a program, without a display, on good and bad input.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

#include "export/gl_program.h"
#include "export/rib.h"
#include "io/session.h"
#include "render/nurbUtil.h"
#include "support/persist_util.h"

struct ExportTool : ScratchDir {
  // Runs the tool with no display: its exit status, its output in out_ and err_.
  int tool(const std::string& args) { return run(SILMOD_BINARY_DIR "/silmod-export " + args); }
  // A shell command run with no display: its exit status, its output in out_ and err_.
  int run(const std::string& command) {
    const int status = std::system(("unset DISPLAY; " + command + " >out 2>err").c_str());
    out_ = read_file("out"), err_ = read_file("err");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string out_, err_;
};

TEST_F(ExportTool, WritesWhatTheModellerWritesAndNothingOnBadInput) {
  load_codes("*shader matte\nSurface \"matte\"\n*end\n**end\n");
  CodeBindingTable[add_object(TYPE_SPHERE)] = 1;
  add_object(TYPE_REVOLUTION, {{1, 0}, {2, 1}, {1.5f, 2}, {0, 3}}, 4, 0);
  add_object(TYPE_EXTRUSION, SQUARE, 3, 1);
  ASSERT_TRUE(save_session("scene.ses"));
  const std::string session = read_file("scene.ses");
  ASSERT_EQ(tool("scene.ses --rib scene.rib --c scene.c --res 40"), 0) << err_;
  EXPECT_EQ(err_, "");
  EXPECT_FALSE(fs::exists("active.rcf"));  // the user's code copy is not touched
  // The same session loaded and written here, shader code and --res included,
  // gives the same bytes; a re-save is the modeller's own save.
  reset_export_layer();
  ASSERT_TRUE(load_session("scene.ses"));
  res = 40;
  ASSERT_TRUE(write_rib("here.rib") && write_gl_program("here.c"));
  EXPECT_EQ(read_file("scene.rib"), read_file("here.rib"));
  EXPECT_EQ(read_file("scene.c"), read_file("here.c"));
  ASSERT_EQ(tool("scene.ses --ses again.ses"), 0) << err_;
  EXPECT_EQ(read_file("again.ses"), session);

  write_file("bad.ses", "version 1\n 7\n 1 1 1 1 0 0\nambient\n 3 0\n0.1 oops\n");
  for (std::string args :
       {"bad.ses --rib out.rib --c out.c --ses out.ses", "missing.ses --c out.c"}) {
    EXPECT_EQ(tool(args), 1) << args;
    EXPECT_EQ(count_of(err_, "\n"), 1) << err_;
    EXPECT_TRUE(has(err_, args.substr(0, 7))) << err_;
  }
  for (const char* args :
       {"--rib out.rib", "scene.ses", "scene.ses --rib", "scene.ses --c out.c --res abc",
        "scene.ses --c out.c --res 0", "scene.ses --rib out.rib --frob",
        "scene.ses other.ses --rib out.rib", "scene.ses --rib out.rib --rib out2.rib",
        "scene.ses --rib scene.ses", "scene.ses --c ./scene.ses", "scene.ses --rib x --c x",
        "scene.ses --c x --ses x"}) {
    EXPECT_EQ(tool(args), 2) << args;
    EXPECT_TRUE(has(err_, "usage: silmod-export")) << args;
  }
  EXPECT_EQ(read_file("scene.ses"), session);
  for (const char* name : {"out.rib", "out.c", "out.ses", "out2.rib", "x"})
    EXPECT_FALSE(fs::exists(name)) << name;
  EXPECT_EQ(tool("--help"), 0);
  EXPECT_TRUE(has(out_, "--rib FILE"));
}

// The tool's scratch directories land in tmp/ here.
struct ExportScratch : ExportTool {
  void SetUp() override {
    ExportTool::SetUp();
    fs::create_directory("tmp");
  }
  bool scratch_left() { return !fs::is_empty("tmp"); }
  int tool_here(const std::string& args) {
    return run("TMPDIR=tmp timeout 20 " + tool_path() + " " + args);
  }
  static std::string tool_path() { return SILMOD_BINARY_DIR "/silmod-export"; }
};

TEST_F(ExportScratch, EveryEndRemovesTheScratchDirectory) {
  for (int i = 0; i < 4; i++) add_object(TYPE_REVOLUTION, ZIGZAG);
  ASSERT_TRUE(save_session("scene.ses"));
  write_file("bad.ses", "version 1\n 7\n nonsense\n");
  ASSERT_EQ(mkfifo("pipe.ses", 0600), 0);
  write_file("big.ses", "");
  fs::resize_file("big.ses", (64 << 20) + 1);  // sparse: costs no disk
  const std::pair<std::string, std::string> runs[] = {
      {"scene.ses --rib out.rib", ""},
      {"bad.ses --rib out.rib", "expected a light switch"},
      {"pipe.ses --rib out.rib", "pipe.ses: not a regular file"},
      {"big.ses --rib out.rib", "big.ses: larger than 64 MB"}};
  for (const auto& [args, message] : runs) {
    EXPECT_EQ(tool_here(args), message.empty() ? 0 : 1) << args << ": " << err_;
    EXPECT_TRUE(has(err_, message)) << err_;
    EXPECT_FALSE(scratch_left()) << args;
  }
  // A file size limit that the RIB file passes: the write fails and says so.
  fs::remove("out.rib");
  EXPECT_EQ(run("ulimit -f 2; TMPDIR=tmp " + tool_path() + " scene.ses --rib out.rib"), 1);
  EXPECT_TRUE(has(err_, "out.rib: write error: File too large")) << err_;
  EXPECT_FALSE(fs::exists("out.rib"));
  for (const auto& entry : fs::directory_iterator("."))
    EXPECT_NE(entry.path().filename().string()[0], '.') << "left behind: " << entry.path();
  EXPECT_FALSE(scratch_left());
}

// A signal while the export runs: here it is stuck writing its complaint
// about a bad session to a full pipe.
TEST_F(ExportScratch, StoppingSignalsRemoveTheScratchDirectoryToo) {
  write_file("bad.ses", "version 1\n 7\n nonsense\n");
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    fcntl(fds[1], F_SETFL, O_NONBLOCK);
    const std::string block(4096, 'x');
    while (write(fds[1], block.data(), block.size()) > 0) {
    }
    fcntl(fds[1], F_SETFL, 0);
    const pid_t pid = fork();
    if (pid == 0) {
      dup2(fds[1], 2);
      setenv("TMPDIR", "tmp", 1);
      const std::string path = tool_path();
      execl(path.c_str(), "silmod-export", "bad.ses", "--rib", "out.rib", nullptr);
      _exit(127);
    }
    close(fds[1]);
    for (int i = 0; i < 2000 && !scratch_left(); i++)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_TRUE(scratch_left()) << "the export did not start";
    kill(pid, sig);
    int status = 0;
    waitpid(pid, &status, 0);
    close(fds[0]);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << "signal " << sig;
    EXPECT_FALSE(scratch_left()) << "signal " << sig;
  }
}
