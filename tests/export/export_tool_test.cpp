// silmod-export run as a program, without a display, on good and bad input.
#include <sys/wait.h>

#include "export/gl_program.h"
#include "export/rib.h"
#include "io/session.h"
#include "render/nurbUtil.h"
#include "support/persist_util.h"

struct ExportTool : ScratchDir {
  // Runs the tool with no display: its exit status, its output in out_ and err_.
  int tool(const std::string& args) {
    const int status = std::system(
        ("env -u DISPLAY " SILMOD_BINARY_DIR "/silmod-export " + args + " >out 2>err").c_str());
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
       {"", "--rib out.rib", "scene.ses", "scene.ses --rib", "scene.ses --c out.c --res abc",
        "scene.ses --c out.c --res 0", "scene.ses --rib out.rib --frob",
        "scene.ses other.ses --rib out.rib", "scene.ses --rib out.rib --rib out2.rib",
        "scene.ses --rib scene.ses", "scene.ses --c ./scene.ses", "scene.ses --rib x --c x"}) {
    EXPECT_EQ(tool(args), 2) << args;
    EXPECT_TRUE(has(err_, "usage: silmod-export")) << args;
  }
  EXPECT_EQ(read_file("scene.ses"), session);
  for (const char* name : {"out.rib", "out.c", "out.ses", "out2.rib", "x"})
    EXPECT_FALSE(fs::exists(name)) << name;
  EXPECT_EQ(tool("--help"), 0);
  EXPECT_TRUE(has(out_, "--rib FILE"));
}
