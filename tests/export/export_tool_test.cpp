// silmod-export run as a program, without a display, on good and bad input.
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "export/gl_program.h"
#include "export/rib.h"
#include "export_support.h"
#include "io/session.h"
#include "render/nurbUtil.h"

namespace {

const std::string TOOL = SILMOD_BINARY_DIR "/silmod-export";

std::string read_file(const std::string& name) {
  std::ifstream in(name);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

bool exists(const std::string& name) { return access(name.c_str(), F_OK) == 0; }

class ExportTool : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_all();
    // One directory per test and process: ctest runs tests side by side.
    dir_ = ::testing::TempDir() + "export_tool_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
           std::to_string(getpid());
    std::system(("rm -rf '" + dir_ + "' && mkdir -p '" + dir_ + "'").c_str());
    ASSERT_TRUE(exists(TOOL)) << "build the silmod-export target first";
  }
  void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }

  std::string path(const std::string& name) { return dir_ + "/" + name; }

  // Runs the tool in the scratch directory with no display; the exit status.
  int tool(const std::string& args) {
    std::string cmd =
        "cd '" + dir_ + "' && env -u DISPLAY '" + TOOL + "' " + args + " >stdout.txt 2>stderr.txt";
    int status = std::system(cmd.c_str());
    out_ = read_file(path("stdout.txt"));
    err_ = read_file(path("stderr.txt"));
    unlink(path("stdout.txt").c_str());
    unlink(path("stderr.txt").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // A scene with a shader code section, saved as scene.ses.
  void save_scene() {
    std::ofstream(path("codes.rcf")) << "*shader matte\nSurface \"matte\"\n*end\n**end\n";
    ASSERT_TRUE(load_code_file(path("codes.rcf").c_str()));
    add_object(TYPE_BOX);
    CodeBindingTable[add_object(TYPE_SPHERE)] = 1;
    add_object(TYPE_REVOLUTION, {{1, 0}, {2, 1}, {1.5f, 2}, {0, 3}}, 4, 0);
    add_object(TYPE_EXTRUSION, square(), 3, 1);
    ASSERT_TRUE(save_session(path("scene.ses").c_str()));
  }

  std::string dir_, out_, err_;
};

}  // namespace

TEST_F(ExportTool, WritesWhatTheModellerWritesForTheLoadedSession) {
  save_scene();
  ASSERT_EQ(tool("scene.ses --rib scene.rib --c scene.c --res 40"), 0) << err_;
  EXPECT_EQ(err_, "");
  EXPECT_FALSE(exists(path("active.rcf")));

  // The same session loaded and written in this process gives the same bytes.
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  ASSERT_EQ(chdir(dir_.c_str()), 0);
  reset_all();
  bool loaded = load_session("scene.ses");
  res = 40;
  std::string rib = capture(write_rib_text), program = capture(write_gl_program_text);
  res = 10;
  ASSERT_EQ(chdir(cwd), 0);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(read_file(path("scene.rib")), rib);
  EXPECT_EQ(read_file(path("scene.c")), program);
  EXPECT_NE(rib.find("Surface \"matte\"\nSphere"), std::string::npos);
  EXPECT_NE(program.find("res= 40; "), std::string::npos);

  // A re-save is the modeller's own save, shader code section included.
  ASSERT_EQ(tool("scene.ses --ses again.ses"), 0) << err_;
  EXPECT_EQ(read_file(path("again.ses")), read_file(path("scene.ses")));
  EXPECT_NE(read_file(path("again.ses")).find("*shader matte"), std::string::npos);
}

TEST_F(ExportTool, BadSessionsAndArgumentsWriteNothing) {
  std::ofstream(path("bad.ses")) << "version 1\n 7\n 1 1 1 1 0 0\nambient\n 3 0\n0.1 oops\n";
  EXPECT_EQ(tool("bad.ses --rib out.rib --c out.c --ses out.ses"), 1);
  EXPECT_EQ(count_of(err_, "\n"), 1) << err_;
  EXPECT_NE(err_.find("bad.ses"), std::string::npos);
  EXPECT_EQ(tool("missing.ses --rib out.rib"), 1);
  EXPECT_EQ(count_of(err_, "\n"), 1) << err_;

  save_scene();
  const std::string session = read_file(path("scene.ses"));
  for (const char* args :
       {"", "--rib out.rib", "scene.ses", "scene.ses --rib", "scene.ses --c out.c --res abc",
        "scene.ses --c out.c --res 0", "scene.ses --rib out.rib --frob",
        "scene.ses other.ses --rib out.rib", "scene.ses --rib out.rib --rib out2.rib",
        "scene.ses --rib scene.ses", "scene.ses --c ./scene.ses", "scene.ses --rib x --c x"}) {
    EXPECT_EQ(tool(args), 2) << args;
    EXPECT_NE(err_.find("usage: silmod-export"), std::string::npos) << args;
  }
  EXPECT_EQ(read_file(path("scene.ses")), session);
  for (const char* name : {"out.rib", "out.c", "out.ses", "out2.rib", "x", "active.rcf"}) {
    EXPECT_FALSE(exists(path(name))) << name;
  }

  EXPECT_EQ(tool("--help"), 0);
  EXPECT_NE(out_.find("--rib FILE"), std::string::npos);
}
