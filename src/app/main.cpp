// silmod: the scene modeller.
#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>

#include "app/startup.h"

int main(int argc, char** argv) {
  if (!std::getenv("DISPLAY") || !*std::getenv("DISPLAY")) {
    std::fprintf(stderr, "silmod: no X display; set DISPLAY, or start it with xvfb-run silmod\n");
    return 1;
  }
  reset_all();
  create_windows(&argc, argv);
  glutMainLoop();
  return 0;
}
