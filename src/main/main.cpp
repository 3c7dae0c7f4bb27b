// silmod: the scene modeller.
#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "main/startup.h"

// Whether GLUT is told which X display to open: by DISPLAY or by its own
// "-display" option, which the command line hands on to glutInit.
static bool display_named(int argc, char** argv) {
  const char* env = std::getenv("DISPLAY");
  if (env && *env) return true;
  for (int i = 1; i < argc; i++)
    if (std::strcmp(argv[i], "-display") == 0) return true;
  return false;
}

int main(int argc, char** argv) {
  if (!display_named(argc, argv)) {
    std::fprintf(stderr, "silmod: no X display; set DISPLAY, or start it with xvfb-run silmod\n");
    return 1;
  }
  reset_all();
  create_windows(&argc, argv);
  glutMainLoop();
  return 0;
}
