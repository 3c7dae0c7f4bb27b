// The input callbacks of both windows as GLUT calls them: each hands the
// event to its handler and then lets the history record what it changed.
// Ctrl+Z undoes and Ctrl+Y or Ctrl+Shift+Z redoes, in either window.
#pragma once

void on_display_mouse(int button, int state, int x, int y);
void on_display_motion(int x, int y);
void on_display_keyboard(unsigned char key, int x, int y);
void on_display_special(int key, int x, int y);
void on_curves_mouse(int button, int state, int x, int y);
void on_curves_keyboard(unsigned char key, int x, int y);

// The two keyboard callbacks with the state of the Shift key given, as GLUT
// reports it only inside its own callbacks.
void on_display_key(unsigned char key, int x, int y, bool shift);
void on_curves_key(unsigned char key, bool shift);
