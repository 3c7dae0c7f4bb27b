// The "curves" window: the silhouette editor. Clicks append, insert, move,
// select and delete the control points of the current record's silhouette,
// move its origin and switch its order and knot type; every change goes
// straight into the object table (and, in cluster mode, to the members that
// shared the silhouette), and both windows redraw.
#pragma once

#include "draw2d/layout.h"

extern int sel_point;    // selected control point of the current record, -1 none
extern int edit_mode;    // 1: a canvas click moves the selected point
extern int origin_mode;  // 1: a canvas click moves the origin

// The button bar along the top edge, in mouse coordinates (y down): six
// buttons 40 x 20 pixels, each label at its left edge 10 pixels below the
// top; a right press in the corner over the first four does nothing.
enum CurvesBarKind {
  BAR_EDIT,    // "edit": canvas clicks move the selected point
  BAR_INSERT,  // "ins": a point after the selected one
  BAR_DELETE,  // "del": deletes the selected point
  BAR_ORIGIN,  // "orgn": canvas clicks move the origin
  BAR_ORDER,   // "quad" / "cube"
  BAR_KNOTS,   // "open" / "peri"
  BAR_CORNER,  // no right-button selection here
};
extern const Layout<Cell> curves_bar_layout;
constexpr int BAR_BUTTON_WIDTH = 40;
constexpr int BAR_BUTTON_HEIGHT = 20;

// GLUT callbacks of the "curves" window.
void curves_reshape(int width, int height);
void curves_display();
void curves_mouse(int button, int state, int x, int y);
// The frame of curves_display into the back buffer, without the swap.
void draw_curves_frame();

// Two decimal digits of n (0..99, tens first) and the terminating zero.
void point_count_text(int n, char text[3]);

// The editor's state back to its start values.
void reset_curves();
