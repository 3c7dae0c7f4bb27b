// The one place that knows every subsystem: start values and window wiring.
#include "main/startup.h"

#include <GL/freeglut.h>

#include "app/scene.h"
#include "app/window.h"
#include "browser/browser.h"
#include "curves/curves.h"
#include "history/history.h"
#include "input/input.h"
#include "io/code_table.h"
#include "main/display.h"
#include "main/events.h"
#include "panels/lights_panel.h"
#include "panels/material_panel.h"
#include "panels/menus.h"
#include "panels/object_panel.h"
#include "panels/overlay.h"
#include "render/render.h"

void reset_all() {
  reset_scene();       // lights, current record 5, edit buffer, side tables
  reset_browser();     // empty file name, every directory the working directory
  reset_code_table();  // shader code entry 0
  reset_window_state();
  reset_render();
  reset_panels();
  reset_object_panel();
  reset_menus();
  reset_lights_panel();
  reset_material_panel();
  reset_curves();
  reset_history();  // last: the start state is where undo stops
}

void create_windows(int* argc, char** argv) {
  glutInit(argc, argv);

  glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
  glutInitWindowSize(600, 500);
  display_window = glutCreateWindow("display");
  glutReshapeFunc(reshape_3d);
  glutDisplayFunc(display_3d);
  glutKeyboardFunc(on_display_keyboard);
  glutSpecialFunc(on_display_special);
  glutMouseFunc(on_display_mouse);
  glutMotionFunc(on_display_motion);
  glutPassiveMotionFunc(on_display_motion);

  glutInitWindowPosition(500, 100);
  glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB);
  glutInitWindowSize(curves_width, curves_height);
  curves_window = glutCreateWindow("curves");
  glutReshapeFunc(curves_reshape);
  glutDisplayFunc(curves_display);
  glutMouseFunc(on_curves_mouse);
  glutKeyboardFunc(on_curves_keyboard);

  glutSetWindow(display_window);
}
