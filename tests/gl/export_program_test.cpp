// The exported C program compiles against the shipped header and routines and
// draws the scene in a window of its own under the X server.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/scene.h"
#include "app/startup.h"
#include "export/gl_program.h"
#include "io/code_table.h"

namespace {

std::string run(const std::string& command) {
  std::string out;
  FILE* p = popen((command + " 2>&1").c_str(), "r");
  if (p == nullptr) return "popen failed";
  char buf[512];
  while (std::fgets(buf, sizeof buf, p)) out += buf;
  int status = pclose(p);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? std::string() : "failed: " + out;
}

int add(int type, int order = 3, int knots = 0, bool closed = true) {
  new_type = type;
  create_object();
  ObjectRecord& r = ObjectTable[current_record];
  const float pts[6][2] = {{1, 0}, {3, 0}, {3, 2}, {2, 3}, {1, 2}, {1, 0.2f}};
  r.silend = closed ? 5 : 4;
  for (int k = 0; k <= r.silend; k++) {
    r.sil[k][0] = pts[k][0];
    r.sil[k][1] = pts[k][1];
    r.silpix[k][0] = pts[k][0] * 20;
    r.silpix[k][1] = pts[k][1] * 20;
  }
  r.order = order;
  r.knots = knots;
  r.position[0] = static_cast<float>(current_record % 4) * 4 - 6;
  r.position[2] = static_cast<float>(current_record / 4) * 4 - 10;
  r.scales[0] = r.scales[1] = r.scales[2] = 0.3f;
  return current_record;
}

}  // namespace

TEST(ExportedProgram, CompilesAndShowsEveryObjectType) {
  ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run under xvfb-run";
  reset_all();
  for (int type = TYPE_BOX; type <= TYPE_CONE; type++) add(type);
  add(TYPE_REVOLUTION);
  add(TYPE_REVOLUTION, 4, 1);
  add(TYPE_EXTRUSION);
  add(TYPE_EXTRUSION, 4, 1, false);
  add(TYPE_OPENEXT, 3, 0, false);
  add(TYPE_FFACE);
  add(TYPE_BFACE, 3, 1);
  CodeBindingTable[add(TYPE_BOX)] = 1;  // textured cube
  ObjectTable[1].position[3] = 1.0f;    // a positional light
  light_on[4] = 1;

  const std::string dir = ::testing::TempDir() + "exported_program_" + std::to_string(getpid());
  ASSERT_EQ(run("rm -rf '" + dir + "' && mkdir -p '" + dir + "'"), "");
  ASSERT_TRUE(write_gl_program((dir + "/scene.c").c_str()));
  const std::string src = SILMOD_SOURCE_DIR "/src/render";
  ASSERT_EQ(run("cd '" + dir + "' && cc scene.c '" + src + "/nurbUtil.c' -I'" + src +
                "' -Wall -Werror=implicit-int -o scene -lglut -lGLU -lGL -lm"),
            "");

  pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    execl((dir + "/scene").c_str(), "scene", static_cast<char*>(nullptr));
    _exit(127);
  }
  // Under load the first frame may take a while: look again until it shows.
  int status = 0;
  bool still_running = true;
  std::string colours;
  for (int attempt = 0; attempt < 20 && still_running; attempt++) {
    usleep(500000);
    still_running = waitpid(pid, &status, WNOHANG) == 0;
    if (!still_running) break;
    // The window shows more than the grey background once objects are lit.
    FILE* p = popen("xwd -name ' window ' -silent 2>/dev/null | convert xwd:- -format %k info: 2>&1",
                    "r");
    char buf[128] = "";
    if (p != nullptr) {
      if (std::fgets(buf, sizeof buf, p) == nullptr) buf[0] = '\0';
      pclose(p);
    }
    colours = buf;
    if (std::atoi(colours.c_str()) > 20) break;
  }
  if (still_running) {
    kill(pid, SIGTERM);
    waitpid(pid, &status, 0);
  }
  ASSERT_TRUE(still_running) << "the exported program ended early, status " << status;
  EXPECT_GT(std::atoi(colours.c_str()), 20) << "window colours: " << colours;
  run("rm -rf '" + dir + "'");
}
