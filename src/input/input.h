// Mouse and keyboard of the "display" window.
#pragma once

#include "draw2d/layout.h"
#include "input/ground.h"  // snap_tenth and the ground placement

// The parts of the "display" window that the mouse router tells apart.
enum RegionKind {
  REGION_BROWSER,                 // the open browser's half
  REGION_CODE_LIST,               // the code list, while shown
  REGION_PANEL,                   // a panel, whose handler gets coordinates from its corner
  REGION_SCENE,                   // the open scene between the panels
  REGION_SCENE_BESIDE_CODE_LIST,  // the scene's part left of it while the code list is shown
};
// A point anchored to the window's edges or middle.
struct AnchoredPoint {
  Anchor x_from;
  int x;
  Anchor y_from;
  int y;
};
struct Region {
  const char* name;
  int kind;
  AnchoredRect hit;
  AnchoredPoint origin;                                // a panel's top-left corner
  void (*click)(int button, int state, int x, int y);  // a panel's handler
};
// The regions in the order the router tries them; the mouse callback as the click.
extern const Layout<Region> router_layout;

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
