// The exported C program compiles against the shipped header and routines and
// draws the scene in a window of its own under the X server.
#include <sys/wait.h>

#include "export/gl_program.h"
#include "support/persist_util.h"

using ExportedProgram = ScratchDir;

TEST_F(ExportedProgram, CompilesAndShowsEveryObjectType) {
  ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run under xvfb-run";
  const Points closed = {{1, 0}, {3, 0}, {3, 2}, {2, 3}, {1, 2}, {1, 0.2f}};
  const Points open(closed.begin(), closed.end() - 1);
  // Every type; the silhouette types also periodic and of order four.
  for (int t = 0; t < TYPE_COUNT; t++) {
    add_object(t, t == TYPE_OPENEXT ? open : closed);
    if (t >= TYPE_REVOLUTION) add_object(t, open, 4, 1);
  }
  CodeBindingTable[FIRST_OBJECT] = 1;  // a textured cube
  ObjectTable[1].position[3] = 1.0f;   // a positional light
  light_on[4] = 1;
  ASSERT_TRUE(write_gl_program("scene.c"));
  const std::string src = SILMOD_SOURCE_DIR "/src/render";
  ASSERT_EQ(std::system(("cc scene.c '" + src + "/nurbUtil.c' -I'" + src +
                         "' -Wall -Werror=implicit-int -o scene -lglut -lGLU -lGL -lm")
                            .c_str()),
            0);
  // Under load the first frame may take a while: look again until the window
  // shows more than its grey background, then stop the program.
  const int status = std::system(
      "./scene & p=$!; for i in $(seq 20); do sleep 0.5; n=$(xwd -name ' window ' -silent "
      "2>/dev/null | convert xwd:- -format %k info:); [ \"${n:-0}\" -gt 20 ] && break; done; "
      "kill $p; wait $p; [ $? -eq 143 ] || exit 3; [ \"${n:-0}\" -gt 20 ] || exit 4");
  EXPECT_EQ(WEXITSTATUS(status), 0) << "3: the program ended early, 4: the scene is not shown";
}
