// silmod-export run as a program, without a display, on good and bad input.
#include <sys/wait.h>

#include "export/gl_program.h"
#include "export/rib.h"
#include "export_support.h"
#include "io/session.h"
#include "render/nurbUtil.h"

namespace {

const std::string TOOL = SILMOD_BINARY_DIR "/silmod-export";

class ExportTool : public ScratchDir {
 protected:
  // Runs the tool in the scratch directory with no display; the exit status.
  int tool(const std::string& args) {
    const int status =
        std::system(("env -u DISPLAY '" + TOOL + "' " + args + " >out 2>err").c_str());
    out_ = read_file("out");
    err_ = read_file("err");
    std::remove("out");
    std::remove("err");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // A scene with a shader code section, saved as scene.ses.
  void save_scene() {
    write_file("codes.rcf", "*shader matte\nSurface \"matte\"\n*end\n**end\n");
    ASSERT_TRUE(load_code_file("codes.rcf"));
    add_object(TYPE_BOX);
    CodeBindingTable[add_object(TYPE_SPHERE)] = 1;
    add_object(TYPE_REVOLUTION, {{1, 0}, {2, 1}, {1.5f, 2}, {0, 3}}, 4, 0);
    add_object(TYPE_EXTRUSION, square(), 3, 1);
    ASSERT_TRUE(save_session("scene.ses"));
  }

  std::string out_, err_;
};

}  // namespace

TEST_F(ExportTool, WritesWhatTheModellerWritesForTheLoadedSession) {
  ASSERT_EQ(access(TOOL.c_str(), X_OK), 0) << "build the silmod-export target first";
  save_scene();
  ASSERT_EQ(tool("scene.ses --rib scene.rib --c scene.c --res 40"), 0) << err_;
  EXPECT_EQ(err_, "");
  EXPECT_EQ(access("active.rcf", F_OK), -1);  // the user's code copy is not touched

  // The same session loaded and written here gives the same bytes.
  reset_all();
  ASSERT_TRUE(load_session("scene.ses"));
  res = 40;
  const std::string rib = capture(write_rib_text), program = capture(write_gl_program_text);
  EXPECT_EQ(read_file("scene.rib"), rib);
  EXPECT_EQ(read_file("scene.c"), program);
  EXPECT_TRUE(has(rib, "Surface \"matte\"\nSphere"));
  EXPECT_TRUE(has(program, "res= 40; "));

  // A re-save is the modeller's own save, shader code section included.
  ASSERT_EQ(tool("scene.ses --ses again.ses"), 0) << err_;
  EXPECT_EQ(read_file("again.ses"), read_file("scene.ses"));
  EXPECT_TRUE(has(read_file("again.ses"), "*shader matte"));
}

TEST_F(ExportTool, BadSessionsAndArgumentsWriteNothing) {
  write_file("bad.ses", "version 1\n 7\n 1 1 1 1 0 0\nambient\n 3 0\n0.1 oops\n");
  EXPECT_EQ(tool("bad.ses --rib out.rib --c out.c --ses out.ses"), 1);
  EXPECT_EQ(count_of(err_, "\n"), 1) << err_;
  EXPECT_TRUE(has(err_, "bad.ses"));
  EXPECT_EQ(tool("missing.ses --rib out.rib"), 1);
  EXPECT_EQ(count_of(err_, "\n"), 1) << err_;

  save_scene();
  const std::string session = read_file("scene.ses");
  for (const char* args :
       {"", "--rib out.rib", "scene.ses", "scene.ses --rib", "scene.ses --c out.c --res abc",
        "scene.ses --c out.c --res 0", "scene.ses --rib out.rib --frob",
        "scene.ses other.ses --rib out.rib", "scene.ses --rib out.rib --rib out2.rib",
        "scene.ses --rib scene.ses", "scene.ses --c ./scene.ses", "scene.ses --rib x --c x"}) {
    EXPECT_EQ(tool(args), 2) << args;
    EXPECT_TRUE(has(err_, "usage: silmod-export")) << args;
  }
  EXPECT_EQ(read_file("scene.ses"), session);
  for (const char* name : {"out.rib", "out.c", "out.ses", "out2.rib", "x"})
    EXPECT_EQ(access(name, F_OK), -1) << name;

  EXPECT_EQ(tool("--help"), 0);
  EXPECT_TRUE(has(out_, "--rib FILE"));
}
