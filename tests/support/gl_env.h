// For tests that need OpenGL: creates the program's two windows once per
// test program through the real start-up, under the X server of xvfb-run.
#pragma once

#include <GL/freeglut.h>

#include "app/startup.h"
#include "app/window.h"

inline void ensure_windows() {
  static bool created = false;
  if (created) return;
  created = true;
  static int argc = 1;
  static char name[] = "silmod-test";
  static char* argv[] = {name, nullptr};
  reset_all();
  create_windows(&argc, argv);
  // Let the windows map and receive their first reshape.
  for (int i = 0; i < 20; i++) glutMainLoopEvent();
  glutSetWindow(display_window);
}
