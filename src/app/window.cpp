#include "app/window.h"

#include <GL/freeglut.h>

int display_window = 0;
int curves_window = 0;
int win_width;
int win_height;
int curves_width;
int curves_height;

void reset_window_state() {
  win_width = 400;
  win_height = 400;
  curves_width = 300;
  curves_height = 300;
}

void select_display_window() {
  if (display_window) glutSetWindow(display_window);
}

void select_curves_window() {
  if (curves_window) glutSetWindow(curves_window);
}

void redraw_all() {
  if (display_window) {
    glutSetWindow(display_window);
    glutPostRedisplay();
  }
  if (curves_window) {
    glutSetWindow(curves_window);
    glutPostRedisplay();
  }
}

void post_redisplay() {
  if (display_window || curves_window) glutPostRedisplay();
}

void raise_curves_window() {
  if (!curves_window) return;
  int previous = glutGetWindow();
  glutSetWindow(curves_window);
  glutPopWindow();
  if (previous) glutSetWindow(previous);
}
