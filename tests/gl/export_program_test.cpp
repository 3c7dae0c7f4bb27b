// The exported C program compiles against the shipped header and routines and
// draws the scene in a window of its own under the X server.
#include <signal.h>
#include <sys/wait.h>

#include "export/export_support.h"
#include "export/gl_program.h"

TEST(ExportedProgram, CompilesAndShowsEveryObjectType) {
  ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run under xvfb-run";
  reset_all();
  const Points closed = {{1, 0}, {3, 0}, {3, 2}, {2, 3}, {1, 2}, {1, 0.2f}};
  const Points open(closed.begin(), closed.end() - 1);
  const struct {
    int type, order, knots;
    const Points& points;
  } objects[] = {{TYPE_BOX, 3, 0, closed},        {TYPE_SPHERE, 3, 0, closed},
                 {TYPE_CYLINDER, 3, 0, closed},   {TYPE_CONE, 3, 0, closed},
                 {TYPE_REVOLUTION, 3, 0, closed}, {TYPE_REVOLUTION, 4, 1, closed},
                 {TYPE_EXTRUSION, 3, 0, closed},  {TYPE_EXTRUSION, 4, 1, open},
                 {TYPE_OPENEXT, 3, 0, open},      {TYPE_FFACE, 3, 0, closed},
                 {TYPE_BFACE, 3, 1, closed},      {TYPE_BOX, 3, 0, closed}};
  for (const auto& o : objects) {
    ObjectRecord& r = ObjectTable[add_object(o.type, o.points, o.order, o.knots)];
    r.position[0] = static_cast<float>(current_record % 4) * 4 - 6;
    r.position[2] = static_cast<float>(current_record / 4) * 4 - 10;
    r.scales[0] = r.scales[1] = r.scales[2] = 0.3f;
  }
  CodeBindingTable[last_record] = 1;  // a textured cube
  ObjectTable[1].position[3] = 1.0f;  // a positional light
  light_on[4] = 1;

  const std::string dir = ::testing::TempDir() + "exported_program_" + std::to_string(getpid());
  const std::string src = SILMOD_SOURCE_DIR "/src/render";
  ASSERT_EQ(std::system(("rm -rf '" + dir + "' && mkdir -p '" + dir + "'").c_str()), 0);
  ASSERT_TRUE(write_gl_program((dir + "/scene.c").c_str()));
  ASSERT_EQ(std::system(("cd '" + dir + "' && cc scene.c '" + src + "/nurbUtil.c' -I'" + src +
                         "' -Wall -Werror=implicit-int -o scene -lglut -lGLU -lGL -lm")
                            .c_str()),
            0);

  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    execl((dir + "/scene").c_str(), "scene", static_cast<char*>(nullptr));
    _exit(127);
  }
  // Under load the first frame may take a while: look again until the
  // window shows more than its grey background.
  int status = 0, colours = 0;
  bool running = true;
  for (int attempt = 0; attempt < 20 && running && colours <= 20; attempt++) {
    usleep(500000);
    running = waitpid(pid, &status, WNOHANG) == 0;
    FILE* p =
        popen("xwd -name ' window ' -silent 2>/dev/null | convert xwd:- -format %k info:", "r");
    char buf[64] = "";
    if (p != nullptr && std::fgets(buf, sizeof buf, p) != nullptr) colours = std::atoi(buf);
    if (p != nullptr) pclose(p);
  }
  if (running) {
    kill(pid, SIGTERM);
    waitpid(pid, &status, 0);
  }
  EXPECT_TRUE(running) << "the exported program ended early, status " << status;
  EXPECT_GT(colours, 20);
  std::system(("rm -rf '" + dir + "'").c_str());
}
