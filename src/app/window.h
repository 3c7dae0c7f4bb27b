// The seam between the program and GLUT's windows. Every call does nothing
// while the windows do not exist, so handlers can run without a display.
#pragma once

extern int display_window;  // GLUT id of the "display" window, 0 before it exists
extern int curves_window;   // GLUT id of the "curves" window, 0 before it exists
extern int win_width;       // size of the "display" window, set by its reshape
extern int win_height;
extern int curves_width;  // size of the "curves" window, set by its reshape
extern int curves_height;

// GLUT's mouse codes, as the handlers compare them.
constexpr int MOUSE_LEFT = 0;   // GLUT_LEFT_BUTTON
constexpr int MOUSE_RIGHT = 2;  // GLUT_RIGHT_BUTTON
constexpr int MOUSE_DOWN = 0;   // GLUT_DOWN
constexpr int MOUSE_UP = 1;     // GLUT_UP
// A press of the left button.
inline bool left_press(int button, int state) {
  return button == MOUSE_LEFT && state == MOUSE_DOWN;
}
// A release of the left button.
inline bool left_release(int button, int state) {
  return button == MOUSE_LEFT && state == MOUSE_UP;
}

// Posts a redisplay of both windows; leaves "curves" as the current window.
void redraw_all();
// Posts a redisplay of the current window.
void post_redisplay();
// Brings the "curves" window to the front.
void raise_curves_window();
// Makes the "display" window GLUT's current window.
void select_display_window();
// Makes the "curves" window GLUT's current window.
void select_curves_window();

// Window sizes back to their start values; the ids are kept.
void reset_window_state();
