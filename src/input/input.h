// Mouse and keyboard of the "display" window.
#pragma once

#include "input/ground.h"  // snap_tenth and the ground placement

// GLUT mouse callback: routes the event to a dialog, the browser, the code
// list, the menus, a panel or the scene, in that order.
void mouse_3d(int button, int state, int x, int y);
// GLUT motion and passive-motion callback: only the menus follow the pointer.
void motion_3d(int x, int y);

// GLUT keyboard callback: eye distance, Delete, and names typed into the
// current record (or every cluster member); the browser's keys while it is open.
void keyboard_3d(unsigned char key, int x, int y);
// GLUT special-key callback: view, list scrolling, Insert, marks, F1 to F4.
void special_3d(int key, int x, int y);
// Arrow keys: latitude in steps of 5 within -90..90, longitude wrapping 0..360.
void turn_view(int key);
// '.' moves the eye away, '/' closer (never below 0).
void change_distance(unsigned char key);

// Input state back to its start values.
void reset_input();
