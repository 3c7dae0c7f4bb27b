// The object panel in the top-left corner: type buttons that create objects,
// and the rotation, position, scale and colour of the current record, each
// selected by a first click and stepped by every further click.
#include "panels/object_panel.h"

#include <GL/freeglut.h>

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

// --- Drawing ----------------------------------------------------------------

// Left edges of the three value columns; labels sit 10 pixels further right.
static const float value_x[3] = {40.0f, 75.0f, 110.0f};

static void label_color(int channel, bool selected) {
  const float level = selected ? 1.0f : 0.4f;
  glColor3f(channel == 0 ? level : 0.0f, channel == 1 ? level : 0.0f, channel == 2 ? level : 0.0f);
}

// Draws a value in tenths at column k, with a minus sign before the digits.
static void draw_value(int k, float top, float d, float v) {
  if (v < 0.0f) panel_text(value_x[k] - 5.0f, top - d, "-");
  char text[VALUE_TEXT_SIZE];
  format_value(std::fabs(v), text);
  panel_text(value_x[k], top - d, "%s", text);
}

static void draw_type_buttons(float top) {
  static const char* const labels[6] = {"box", "sph", "cyl", "rev", "ext", "cone"};
  static const int codes[6] = {TYPE_BOX,        TYPE_SPHERE,    TYPE_CYLINDER,
                               TYPE_REVOLUTION, TYPE_EXTRUSION, TYPE_CONE};
  for (int b = 0; b < 6; b++) {
    if (new_type == codes[b])
      glColor3f(0.0f, 1.0f, 0.0f);
    else
      glColor3f(0.0f, 0.0f, 0.0f);
    panel_text(50.0f + 30.0f * (b % 3), top - 15.0f * (1 + b / 3), "%s", labels[b]);
  }
}

// One of the rotation, position and scale rows: labels at d, values at d + 15.
static void draw_xyz_row(float top, float d, int first_code, const float values[3]) {
  static const char* const axis[3] = {"x", "y", "z"};
  for (int k = 0; k < 3; k++) {
    label_color(k, panel_field == first_code + k);
    panel_text(50.0f + 35.0f * k, top - d, "%s", axis[k]);
    draw_value(k, top, d + 15.0f, values[k]);
  }
}

static void draw_color_row(float top) {
  static const char* const channel[3] = {"r", "g", "b"};
  const bool color_selected = panel_field == FIELD_COLOR;
  for (int k = 0; k < 3; k++) {
    label_color(k, color_selected && color_channel == k);
    panel_text(50.0f + 35.0f * k, top - 135.0f, "%s", channel[k]);
    draw_value(k, top, 150.0f, edit_color[k] / 10.0f);
  }
  if (color_selected && color_channel == CHANNEL_ALL)
    glColor3f(1.0f, 1.0f, 1.0f);
  else
    glColor3f(0.2f, 0.2f, 0.2f);
  panel_text(140.0f, top - 135.0f, "a");
}

void draw_object_panel() {
  const float top = static_cast<float>(win_height);

  glColor4f(0.5f, 0.5f, 0.5f, 0.8f);
  panel_rect(0.0f, top - left_panel_height, left_panel_width, top);

  glColor3f(0.8f, 0.9f, 0.9f);
  panel_text(0.0f, top - 15.0f, "obj");
  panel_text(0.0f, top - 45.0f, "rot");
  panel_text(0.0f, top - 75.0f, "pos");
  panel_text(0.0f, top - 105.0f, "scale");
  panel_text(0.0f, top - 135.0f, "color");

  draw_type_buttons(top);

  const float angles[3] = {edit_angles[0] / 10.0f, edit_angles[1] / 10.0f, edit_angles[2] / 10.0f};
  const float scales[3] = {edit_scales[0] * 10, edit_scales[1] * 10, edit_scales[2] * 10};
  draw_xyz_row(top, 45.0f, FIELD_ANGLE_X, angles);
  draw_xyz_row(top, 75.0f, FIELD_POS_X, edit_position);
  draw_xyz_row(top, 105.0f, FIELD_SCALE_X, scales);
  if (panel_field == FIELD_SCALE_ALL)
    glColor3f(1.0f, 1.0f, 1.0f);
  else
    glColor3f(0.0f, 0.0f, 0.0f);
  panel_text(140.0f, top - 105.0f, "a");

  draw_color_row(top);

  glColor3f(0.0f, 0.2f, 0.2f);
  for (int row = 0; row < 4; row++) panel_text(12.0f, top - 60.0f - 30.0f * row, "r");

  glColor3f(1.0f, 1.0f, 1.0f);
  panel_text(0.0f, top - 170.0f, "%s", coarse_steps ? "inc/dec*10" : "inc/dec");
  panel_text(0.0f, top - 190.0f, "%s", wireframe ? "wireframe" : "solid");
}

// --- Clicks -----------------------------------------------------------------

static void resets(int x, int y) {
  if (!(x > 0 && x < 25)) return;
  if (y > 45 && y < 60 && !cluster_mode) {
    for (int k = 0; k < 3; k++) edit_angles[k] = 0;
    if (current_record >= 0 && current_record < MAX_RECORDS)
      for (int k = 0; k < 3; k++) ObjectTable[current_record].angles[k] = 0;
  } else if (y > 75 && y < 90 && !cluster_mode) {
    for (int k = 0; k < 3; k++) edit_position[k] = 0.0f;
  } else if (y > 105 && y < 120 && !cluster_mode) {
    for (int k = 0; k < 3; k++) edit_scales[k] = 0.2f;
    if (current_record >= 0 && current_record < MAX_RECORDS)
      for (int k = 0; k < 3; k++) ObjectTable[current_record].scales[k] = 0.2f;
  } else if (y > 135 && y < 150) {
    for (int k = 0; k < 3; k++) edit_color[k] = 204;
    update_pick_from_color();
  }
}

static void toggles(int x, int y) {
  if (!(x > 0 && x < 100)) return;
  if (y > 175 && y < 195)
    wireframe = !wireframe;
  else if (y > 155 && y < 175)
    coarse_steps = !coarse_steps;
}

static void create_and_back_up() {
  create_object();
  save_backup();
}

static void type_row_1(int x) {
  if (x > 50 && x < 80)
    new_type = TYPE_BOX;
  else if (x > 80 && x < 110)
    new_type = TYPE_SPHERE;
  else if (x > 110 && x < 140)
    new_type = TYPE_CYLINDER;
  if (x > 50 && x < 140) create_and_back_up();
}

static void type_row_2(int x) {
  if (x > 50 && x < 80) {
    new_type = TYPE_REVOLUTION;
    raise_curves_window();
  } else if (x > 80 && x < 110) {
    choose_ext_type = 1;  // the dialog creates the extrusion
  } else if (x > 110 && x < 140) {
    new_type = TYPE_CONE;
  }
  if (x > 50 && x < 140 && !choose_ext_type) create_and_back_up();
}

// Column 0..2 of the rotation and position rows, -1 between the cells.
static int narrow_column(int x) {
  if (x > 40 && x < 70) return 0;
  if (x > 75 && x < 105) return 1;
  if (x > 110 && x < 140) return 2;
  return -1;
}

// Column 0..3 of the scale and colour rows (3 is "a"), -1 between the cells.
static int wide_column(int x) {
  if (x > 40 && x < 75) return 0;
  if (x > 75 && x < 105) return 1;
  if (x > 110 && x < 140) return 2;
  if (x > 140 && x < 160) return 3;
  return -1;
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

// The cells that a press steps; direction -1 for the left button, +1 for the right.
static void stepping(int direction, int x, int y) {
  const RowSteps& s = coarse_steps ? coarse_row_steps : fine_steps;
  if (y < 15) {
    type_row_1(x);
  } else if (y > 15 && y < 30) {
    type_row_2(x);
  } else if (y > 30 && y < 60) {
    const int k = narrow_column(x);
    if (k >= 0) value_cell(FIELD_ANGLE_X + k, direction * s.angle);
  } else if (y > 60 && y < 90) {
    const int k = narrow_column(x);
    if (k >= 0) value_cell(FIELD_POS_X + k, direction * s.position);
  } else if (y > 90 && y < 120) {
    const int k = wide_column(x);
    if (k >= 0) value_cell(FIELD_SCALE_X + k, direction * s.scale);
  } else if (y > 120 && y < 150) {
    const int k = wide_column(x);
    if (k >= 0) color_cell(k, direction * s.color);
  }
}

void object_panel_click(int button, int state, int x, int y) {
  if (cluster_mode) mark_same_color();
  if (state == GLUT_DOWN) {
    resets(x, y);
    toggles(x, y);
    if (button == GLUT_LEFT_BUTTON) stepping(-1, x, y);
    if (button == GLUT_RIGHT_BUTTON) stepping(+1, x, y);
  }
  if (panel_field == FIELD_COLOR) update_pick_from_color();
  apply_edit_buffer();
  if (cluster_mode && panel_field == FIELD_COLOR && current_record >= FIRST_OBJECT)
    propagate_color();
}
