// The object panel in the top-left corner: type buttons that create objects,
// and the rotation, position, scale and colour of the current record, each
// selected by a first click and stepped by every further click.
#include "panels/object_panel.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>

#include "app/scene.h"
#include "app/window.h"
#include "io/session.h"
#include "panels/overlay.h"
#include "render/render.h"

int panel_field;
int armed_field;
int color_channel;
int armed_channel;
int coarse_steps;

void reset_object_panel() {
  panel_field = FIELD_ANGLE_X;
  armed_field = FIELD_ANGLE_X;
  color_channel = 0;
  armed_channel = 0;
  coarse_steps = 1;
}

void format_value(float v, char text[VALUE_TEXT_SIZE]) {
  if (!(v < 99.9f)) {  // also catches a value that is not a number
    std::strcpy(text, "bad");
    return;
  }
  if (v < 0.0f) v = -v;  // callers draw the sign themselves
  const int n = static_cast<int>((v + 0.00001f) * 10);
  text[0] = static_cast<char>('0' + n / 100 % 10);
  text[1] = static_cast<char>('0' + n / 10 % 10);
  text[2] = static_cast<char>('0' + n % 10);
  text[3] = '\0';
}

// Whether a byte may take a step: -10 needs at least 10, -1 above 0, +10
// below 246, +1 below 255.
static bool color_step_allowed(unsigned char byte, int step) {
  switch (step) {
    case -10:
      return byte >= 10;
    case -1:
      return byte > 0;
    case 1:
      return byte < 255;
    case 10:
      return byte < 246;
    default:
      return false;
  }
}

void step_color_channel(int k, int step) {
  if (k == CHANNEL_ALL) {
    for (int c = 0; c < 3; c++)
      if (!color_step_allowed(edit_color[c], step)) return;
    for (int c = 0; c < 3; c++) edit_color[c] = static_cast<unsigned char>(edit_color[c] + step);
  } else if (k >= 0 && k < 3 && color_step_allowed(edit_color[k], step)) {
    edit_color[k] = static_cast<unsigned char>(edit_color[k] + step);
  }
}

void update_pick_from_color() {
  float out[2] = {edit_pick[0], edit_pick[1]};  // black keeps the old mark
  color_to_pick(edit_color[0], edit_color[1], edit_color[2], out);
  edit_pick[0] = out[0];
  edit_pick[1] = out[1];
  if (current_record >= 0 && current_record < MAX_RECORDS) {
    ObjectRecord& r = ObjectTable[current_record];
    r.pick[0] = out[0];
    r.pick[1] = out[1];
  }
}

// --- Layout -----------------------------------------------------------------

namespace {

// Rows and columns of the click cells, in mouse coordinates.
constexpr Span TYPE_ROW_1 = less_than(15);
constexpr Span TYPE_ROW_2 = open_range(15, 30);
constexpr Span ROT_ROW = open_range(30, 60);
constexpr Span POS_ROW = open_range(60, 90);
constexpr Span SCALE_ROW = open_range(90, 120);
constexpr Span COLOR_ROW = open_range(120, 150);
constexpr Span X_COLUMN = open_range(40, 70);  // rotation and position
constexpr Span X_WIDE = open_range(40, 75);    // scale and colour
constexpr Span Y_COLUMN = open_range(75, 105);
constexpr Span Z_COLUMN = open_range(110, 140);
constexpr Span A_COLUMN = open_range(140, 160);
constexpr Span RESET_COLUMN = open_range(0, 25);
constexpr Span MODE_COLUMN = open_range(0, 100);

const Cell cells[] = {
    {"obj", "obj", OBJ_CAPTION, NO_CODE, NO_HIT, 0, 15},
    {"rot", "rot", OBJ_CAPTION, NO_CODE, NO_HIT, 0, 45},
    {"pos", "pos", OBJ_CAPTION, NO_CODE, NO_HIT, 0, 75},
    {"scale", "scale", OBJ_CAPTION, NO_CODE, NO_HIT, 0, 105},
    {"color", "color", OBJ_CAPTION, NO_CODE, NO_HIT, 0, 135},
    {"box", "box", OBJ_TYPE, TYPE_BOX, {open_range(50, 80), TYPE_ROW_1}, 50, 15},
    {"sph", "sph", OBJ_TYPE, TYPE_SPHERE, {open_range(80, 110), TYPE_ROW_1}, 80, 15},
    {"cyl", "cyl", OBJ_TYPE, TYPE_CYLINDER, {open_range(110, 140), TYPE_ROW_1}, 110, 15},
    {"rev", "rev", OBJ_TYPE, TYPE_REVOLUTION, {open_range(50, 80), TYPE_ROW_2}, 50, 30},
    {"ext", "ext", OBJ_TYPE, TYPE_EXTRUSION, {open_range(80, 110), TYPE_ROW_2}, 80, 30},
    {"cone", "cone", OBJ_TYPE, TYPE_CONE, {open_range(110, 140), TYPE_ROW_2}, 110, 30},
    {"type row 1", nullptr, OBJ_TYPE_ROW, 1, {open_range(50, 140), TYPE_ROW_1}, NO_TEXT, NO_TEXT},
    {"type row 2", nullptr, OBJ_TYPE_ROW, 2, {open_range(50, 140), TYPE_ROW_2}, NO_TEXT, NO_TEXT},
    {"rot x", "x", OBJ_VALUE, FIELD_ANGLE_X, {X_COLUMN, ROT_ROW}, 50, 45},
    {"rot y", "y", OBJ_VALUE, FIELD_ANGLE_Y, {Y_COLUMN, ROT_ROW}, 85, 45},
    {"rot z", "z", OBJ_VALUE, FIELD_ANGLE_Z, {Z_COLUMN, ROT_ROW}, 120, 45},
    {"pos x", "x", OBJ_VALUE, FIELD_POS_X, {X_COLUMN, POS_ROW}, 50, 75},
    {"pos y", "y", OBJ_VALUE, FIELD_POS_Y, {Y_COLUMN, POS_ROW}, 85, 75},
    {"pos z", "z", OBJ_VALUE, FIELD_POS_Z, {Z_COLUMN, POS_ROW}, 120, 75},
    {"scale x", "x", OBJ_VALUE, FIELD_SCALE_X, {X_WIDE, SCALE_ROW}, 50, 105},
    {"scale y", "y", OBJ_VALUE, FIELD_SCALE_Y, {Y_COLUMN, SCALE_ROW}, 85, 105},
    {"scale z", "z", OBJ_VALUE, FIELD_SCALE_Z, {Z_COLUMN, SCALE_ROW}, 120, 105},
    {"scale a", "a", OBJ_VALUE, FIELD_SCALE_ALL, {A_COLUMN, SCALE_ROW}, 140, 105},
    {"color r", "r", OBJ_COLOR, 0, {X_WIDE, COLOR_ROW}, 50, 135},
    {"color g", "g", OBJ_COLOR, 1, {Y_COLUMN, COLOR_ROW}, 85, 135},
    {"color b", "b", OBJ_COLOR, 2, {Z_COLUMN, COLOR_ROW}, 120, 135},
    {"color a", "a", OBJ_COLOR, CHANNEL_ALL, {A_COLUMN, COLOR_ROW}, 140, 135},
    {"reset rot", "r", OBJ_RESET, FIELD_ANGLE_X, {RESET_COLUMN, open_range(45, 60)}, 12, 60},
    {"reset pos", "r", OBJ_RESET, FIELD_POS_X, {RESET_COLUMN, open_range(75, 90)}, 12, 90},
    {"reset scale", "r", OBJ_RESET, FIELD_SCALE_X, {RESET_COLUMN, open_range(105, 120)}, 12, 120},
    {"reset color", "r", OBJ_RESET, FIELD_COLOR, {RESET_COLUMN, open_range(135, 150)}, 12, 150},
    {"inc/dec", nullptr, OBJ_STEP_MODE, NO_CODE, {MODE_COLUMN, open_range(155, 175)}, 0, 170},
    {"wireframe", nullptr, OBJ_DRAW_MODE, NO_CODE, {MODE_COLUMN, open_range(175, 195)}, 0, 190},
};

// Value cells are drawn one row below their label and 10 pixels further left.
constexpr float VALUE_DX = -10.0f;
constexpr float VALUE_DD = 15.0f;

}  // namespace

const Layout<Cell> object_panel_layout = layout_of(cells, object_panel_click);

// --- Drawing ----------------------------------------------------------------

// The axis 0..2 of a value's field, 3 for the scale's "a".
static int axis_of(int field) {
  if (field >= FIELD_POS_X) return field - FIELD_POS_X;
  if (field >= FIELD_ANGLE_X) return field - FIELD_ANGLE_X;
  return field - FIELD_SCALE_X;
}

// The colour of a value cell's label and value: x, y and z (r, g and b) in
// red, green and blue, full when selected; "a" white when selected.
static void value_color(const Cell& c) {
  const bool color_row = c.kind == OBJ_COLOR;
  const int axis = color_row ? c.code : axis_of(c.code);
  const bool selected =
      color_row ? panel_field == FIELD_COLOR && color_channel == c.code : panel_field == c.code;
  if (axis == 3) {
    const float off = color_row ? 0.2f : 0.0f;
    set_rgb(selected ? palette::WHITE : Rgba{off, off, off, 1.0f});
    return;
  }
  const float level = selected ? 1.0f : 0.4f;
  glColor3f(axis == 0 ? level : 0.0f, axis == 1 ? level : 0.0f, axis == 2 ? level : 0.0f);
}

// What a value cell shows, in tenths: whole degrees, tenths of a unit,
// hundredths of a scale, a colour byte; false for "a", which shows none.
static bool shown_value(const Cell& c, float* v) {
  if (c.kind != OBJ_VALUE && c.kind != OBJ_COLOR) return false;
  if (c.kind == OBJ_COLOR) {
    if (c.code == CHANNEL_ALL) return false;
    *v = edit_color[c.code] / 10.0f;
  } else if (c.code >= FIELD_ANGLE_X && c.code <= FIELD_ANGLE_Z) {
    *v = edit_angles[c.code - FIELD_ANGLE_X] / 10.0f;
  } else if (c.code >= FIELD_POS_X && c.code <= FIELD_POS_Z) {
    *v = edit_position[c.code - FIELD_POS_X];
  } else if (c.code >= FIELD_SCALE_X && c.code <= FIELD_SCALE_Z) {
    *v = edit_scales[c.code - FIELD_SCALE_X] * 10;
  } else {
    return false;
  }
  return true;
}

// A value in tenths below its label, with a minus sign before the digits.
static void draw_value(const Cell& c, float top) {
  float v;
  if (!shown_value(c, &v)) return;
  const float x = c.text_x + VALUE_DX, y = top - c.text_d - VALUE_DD;
  if (v < 0.0f) panel_text(x - 5.0f, y, "-");
  char text[VALUE_TEXT_SIZE];
  format_value(std::fabs(v), text);
  panel_text(x, y, "%s", text);
}

// Sets the colour of a cell's text and returns the text, or null for none.
static const char* cell_text(const Cell& c) {
  switch (c.kind) {
    case OBJ_CAPTION:
      set_rgb(palette::CAPTION);
      return c.label;
    case OBJ_TYPE:
      set_rgb(new_type == c.code ? palette::ON : palette::BLACK);
      return c.label;
    case OBJ_VALUE:
    case OBJ_COLOR:
      value_color(c);
      return c.label;
    case OBJ_RESET:
      glColor3f(0.0f, 0.2f, 0.2f);
      return c.label;
    case OBJ_STEP_MODE:
      set_rgb(palette::WHITE);
      return coarse_steps ? "inc/dec*10" : "inc/dec";
    case OBJ_DRAW_MODE:
      set_rgb(palette::WHITE);
      return wireframe ? "wireframe" : "solid";
    default:
      return nullptr;
  }
}

void draw_object_panel() {
  const float top = static_cast<float>(win_height);
  set_color(palette::PANEL);
  panel_rect(0.0f, top - left_panel_height, left_panel_width, top);
  for (const Cell& c : cells) {
    const char* text = cell_text(c);
    if (!text) continue;
    panel_text(c.text_x, top - c.text_d, "%s", text);
    draw_value(c, top);
  }
}

// --- Clicks -----------------------------------------------------------------

static void reset_row(int first_field) {
  if (first_field == FIELD_COLOR) {  // in both modes
    for (int k = 0; k < 3; k++) edit_color[k] = 204;
    update_pick_from_color();
    return;
  }
  if (cluster_mode) return;
  const bool record = current_record >= 0 && current_record < MAX_RECORDS;
  if (first_field == FIELD_ANGLE_X) {
    for (int k = 0; k < 3; k++) edit_angles[k] = 0;
    if (record)
      for (int k = 0; k < 3; k++) ObjectTable[current_record].angles[k] = 0;
  } else if (first_field == FIELD_POS_X) {
    for (int k = 0; k < 3; k++) edit_position[k] = 0.0f;
  } else if (first_field == FIELD_SCALE_X) {
    for (int k = 0; k < 3; k++) edit_scales[k] = 0.2f;
    if (record)
      for (int k = 0; k < 3; k++) ObjectTable[current_record].scales[k] = 0.2f;
  }
}

static void create_and_back_up() {
  create_object();
  save_backup();
}

// A type button sets the next type ("rev" also raises the "curves" window,
// "ext" asks for the kind of extrusion); a press along a type row creates an
// object of the next type, unless the extrusion dialog does that.
static void type_press(int x, int y) {
  if (const Cell* b = cell_at(cells, x, y, OBJ_TYPE)) {
    if (b->code == TYPE_EXTRUSION) {
      choose_ext_type = 1;
    } else {
      new_type = b->code;
      if (b->code == TYPE_REVOLUTION) raise_curves_window();
    }
  }
  const Cell* row = cell_at(cells, x, y, OBJ_TYPE_ROW);
  if (row && (row->code == 1 || !choose_ext_type)) create_and_back_up();
}

// A value cell: the first click selects and arms it, the next ones step it.
static void value_cell(int code, float step) {
  panel_field = code;
  if (armed_field == code)
    step_field(code, cluster_mode, step, current_record);
  else
    armed_field = code;
}

static void color_cell(int k, int step) {
  panel_field = FIELD_COLOR;
  color_channel = k;
  if (armed_field == FIELD_COLOR && armed_channel == k) {
    step_color_channel(k, step);
  } else {
    armed_field = FIELD_COLOR;
    armed_channel = k;
  }
}

// Step sizes of the rotation, position, scale and colour rows.
struct RowSteps {
  float angle, position, scale;
  int color;
};
static const RowSteps fine_steps = {1.0f, 0.1f, 0.01f, 1};
static const RowSteps coarse_row_steps = {10.0f, 1.0f, 0.1f, 10};

// A press of a value or colour cell; direction -1 for the left button, +1 for the right.
static void step_press(const Cell& c, int direction) {
  const RowSteps& s = coarse_steps ? coarse_row_steps : fine_steps;
  if (c.kind == OBJ_COLOR) {
    color_cell(c.code, direction * s.color);
  } else if (c.code >= FIELD_POS_X) {
    value_cell(c.code, direction * s.position);
  } else if (c.code >= FIELD_ANGLE_X) {
    value_cell(c.code, direction * s.angle);
  } else {
    value_cell(c.code, direction * s.scale);
  }
}

// A press of any button resets and toggles; the left and right buttons also
// choose types and step values, down and up.
static void press(int button, int x, int y) {
  const int direction = button == MOUSE_LEFT ? -1 : button == MOUSE_RIGHT ? +1 : 0;
  const Cell* c = cell_at(cells, x, y);
  if (c && c->kind == OBJ_RESET) reset_row(c->code);
  if (c && c->kind == OBJ_STEP_MODE) coarse_steps = !coarse_steps;
  if (c && c->kind == OBJ_DRAW_MODE) wireframe = !wireframe;
  if (direction == 0) return;
  if (c && (c->kind == OBJ_VALUE || c->kind == OBJ_COLOR)) step_press(*c, direction);
  type_press(x, y);
}

void object_panel_click(int button, int state, int x, int y) {
  if (cluster_mode) mark_same_color();
  if (state == MOUSE_DOWN) press(button, x, y);
  if (panel_field == FIELD_COLOR) update_pick_from_color();
  apply_edit_buffer();
  if (cluster_mode && panel_field == FIELD_COLOR && current_record >= FIRST_OBJECT)
    propagate_color();
}
