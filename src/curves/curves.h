// The "curves" window: the silhouette editor. Clicks append, insert, move,
// select and delete the control points of the current record's silhouette,
// move its origin and switch its order and knot type; every change goes
// straight into the object table (and, in cluster mode, to the members that
// shared the silhouette), and both windows redraw.
#pragma once

extern int sel_point;    // selected control point of the current record, -1 none
extern int edit_mode;    // 1: a canvas click moves the selected point
extern int origin_mode;  // 1: a canvas click moves the origin

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
