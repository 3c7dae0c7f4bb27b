// For tests that need OpenGL: the program's two windows, created once per test
// program through the real start-up under the X server of xvfb-run.
#pragma once

#include <GL/freeglut.h>

#include "app/window.h"
#include "main/display.h"
#include "main/startup.h"

inline void ensure_windows() {
  if (display_window) return;  // a reset keeps the windows
  static int argc = 1;
  static char name[] = "silmod-test", *argv[] = {name, nullptr};
  reset_all();
  create_windows(&argc, argv);
  for (int i = 0; i < 20; i++) glutMainLoopEvent();  // mapped, with their first reshape
  glutSetWindow(display_window);
}
