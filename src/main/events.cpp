#include "main/events.h"

#include <GL/freeglut.h>

#include "app/window.h"
#include "curves/curves.h"
#include "history/history.h"
#include "input/input.h"
#include "panels/menus.h"

// Control characters as GLUT hands the keys over.
constexpr unsigned char CTRL_Y = 25;
constexpr unsigned char CTRL_Z = 26;

static bool shift_held() {
  return display_window && (glutGetModifiers() & GLUT_ACTIVE_SHIFT) != 0;
}

static bool is_history_key(unsigned char key) { return key == CTRL_Z || key == CTRL_Y; }

// Ctrl+Z undoes; Ctrl+Y and Ctrl+Shift+Z redo. A dialog waits for its answer
// first, since what it asks about may be gone after the step.
static void take_history_key(unsigned char key, bool shift) {
  if (!dialog_up()) {
    if (key == CTRL_Z && !shift)
      undo_step();
    else
      redo_step();
  }
  redraw_all();
}

void on_display_mouse(int button, int state, int x, int y) {
  mouse_3d(button, state, x, y);
  record_event();
}

void on_display_motion(int x, int y) {
  motion_3d(x, y);
  record_event();
}

void on_display_key(unsigned char key, int x, int y, bool shift) {
  if (is_history_key(key)) {
    take_history_key(key, shift);
    select_display_window();
    return;
  }
  keyboard_3d(key, x, y);
  record_event();
}

void on_display_keyboard(unsigned char key, int x, int y) {
  on_display_key(key, x, y, key == CTRL_Z && shift_held());
}

void on_display_special(int key, int x, int y) {
  special_3d(key, x, y);
  record_event();
}

void on_curves_mouse(int button, int state, int x, int y) {
  curves_mouse(button, state, x, y);
  record_event();
}

// The "curves" window takes no other keys.
void on_curves_key(unsigned char key, bool shift) {
  if (is_history_key(key)) take_history_key(key, shift);
}

void on_curves_keyboard(unsigned char key, int, int) {
  on_curves_key(key, key == CTRL_Z && shift_held());
}
