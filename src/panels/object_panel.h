// The object panel: type buttons and the stepped values of the current object.
#pragma once

#include "draw2d/layout.h"

constexpr int FIELD_COLOR = 16;  // panel_field value of the colour row
constexpr int CHANNEL_ALL = 3;   // color_channel value that steps r, g and b together

extern int panel_field;    // selected value: a step_field code 0..9, or FIELD_COLOR
extern int armed_field;    // value the previous click selected; clicking it again steps
extern int color_channel;  // selected colour channel: 0 r, 1 g, 2 b, 3 all
extern int armed_channel;  // colour channel the previous colour click selected
extern int coarse_steps;   // 1 steps ten times larger ("inc/dec*10"), 0 small steps

// Kinds of the panel's cells.
enum ObjectCellKind {
  OBJ_CAPTION,    // the caption of a row; no hit
  OBJ_TYPE,       // a type button; code: the type (the extrusion asks first)
  OBJ_TYPE_ROW,   // a row of type buttons: a press along it creates; code: row 1 or 2
  OBJ_VALUE,      // a stepped value; code: its step_field code
  OBJ_COLOR,      // a colour channel; code: 0 r, 1 g, 2 b, 3 all
  OBJ_RESET,      // "r" before a row; code: the row's first field, or FIELD_COLOR
  OBJ_STEP_MODE,  // "inc/dec*10" / "inc/dec"
  OBJ_DRAW_MODE,  // "wireframe" / "solid"
};
// The panel's cells; texts are placed from the window's top-left corner, and
// a value is drawn one row (15 pixels) below its label, 10 pixels further left.
extern const Layout<Cell> object_panel_layout;

void draw_object_panel();
// Mouse event in GLUT coordinates; the caller redraws.
void object_panel_click(int button, int state, int x, int y);
// Size of a value text: three characters and the terminating zero.
constexpr int VALUE_TEXT_SIZE = 4;
// The three digits of |v| in tenths, or "bad" from 99.9 on.
void format_value(float v, char text[VALUE_TEXT_SIZE]);

// Steps channel k of edit_color (3: all three, only if each allows it).
void step_color_channel(int k, int step);
// After a colour change: intensity and picker mark follow edit_color.
void update_pick_from_color();

// State of this panel back to its start values.
void reset_object_panel();
