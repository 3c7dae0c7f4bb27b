// The lights and view-settings panel in the top-right corner: light switches
// and kinds, NURBS density, the code list switches, the view toggles and the
// backup button.
#include "panels/lights_panel.h"

#include <GL/gl.h>

#include "app/scene.h"
#include "app/window.h"
#include "browser/browser.h"
#include "io/session.h"
#include "panels/overlay.h"
#include "render/render.h"

int backup_pressed;

void reset_lights_panel() { backup_pressed = 0; }

namespace {

constexpr int ROW_HEIGHT = 20;  // pixels per light row
constexpr int LIGHT_ROWS_END = 115;

struct Density {
  const char* label;
  int value;
  float text_x;  // where the label is drawn
  int hit_from;  // x range of its click cell (exclusive bounds)
  int hit_to;
};
const Density densities[] = {{" lw", 10, 36, 32, 62},
                             {"med", 20, 71, 67, 103},
                             {"hi", 40, 106, 110, 120},
                             {"vh", 50, 128, 130, 142}};

const char* const light_labels[LIGHT_COUNT] = {"ambient", "light1", "light2",
                                               "light3",  "light4", "light5"};

// Green for a control that is on, else the panel's grey level for "off".
void green_or(bool on, float off) {
  if (on) {
    glColor3f(0, 1, 0);
  } else {
    glColor3f(off, off, off);
  }
}

// A toggle button whose label baseline lies d pixels below the top edge.
void toggle_button(float x0, int d, const char* label, bool on, bool label_green) {
  const float h = win_height;
  bevel_frame(x0, h - d - 3, x0 + 55, h - d + 13, on, true);
  green_or(label_green, 0.0f);
  panel_text(x0 + 5, h - d, "%s", label);
}

void flip(int& flag) { flag = flag ? 0 : 1; }

void select_light(int row) {
  if (row > 0) highlight_current = (row == current_record && highlight_current != 1) ? 1 : 0;
  current_record = row;
  load_edit_buffer();
}

// Directional (w = 0) or positional (w = 1) light; the switch follows w.
void flip_positional(int row) {
  float& w = ObjectTable[row].position[3];
  w = w != 0.0f ? 0.0f : 1.0f;
  light_positional[row] = w != 0.0f ? 1 : 0;
}

void light_row_click(int x, int y) {
  const int row = y / ROW_HEIGHT;
  if (row < 0 || row >= LIGHT_COUNT) return;
  if (x > 10 && x < 60) {
    select_light(row);
  } else if (x > 60 && x < 90) {
    flip(light_on[row]);
  } else if (x > 120) {
    flip_positional(row);
  }
}

}  // namespace

void draw_lights_panel() {
  const float h = win_height;
  glColor4f(0.5f, 0.5f, 0.5f, 0.8f);
  glRectf(0, h - right_panel_height, right_panel_width, h);
  if (current_record >= 0 && current_record < LIGHT_COUNT) {
    glColor4f(0.8f, 0.8f, 1.0f, 1.0f);
    glRectf(0, h - ROW_HEIGHT * current_record - ROW_HEIGHT, 65, h - ROW_HEIGHT * current_record);
  }

  glPushMatrix();
  glTranslatef(2, 0, 0);
  for (int i = 0; i < LIGHT_COUNT; i++) {
    const float y = h - 15 - ROW_HEIGHT * i;
    glColor3f(0, 0, 0);
    panel_text(0, y, "%s", light_labels[i]);
    green_or(light_on[i] == 1, 1.0f);
    panel_text(75, y, light_on[i] == 1 ? "on" : "off");
    if (i > 0) {
      green_or(light_positional[i] == 1, 1.0f);
      panel_text(120, y, light_positional[i] == 1 ? "P" : "D");
    }
  }

  glColor3f(0.8f, 0.9f, 0.9f);
  panel_text(0, h - 135, "nurb");
  for (const Density& d : densities) {
    green_or(res == d.value, 0.0f);
    panel_text(d.text_x, h - 135, "%s", d.label);
  }

  glColor3f(0.8f, 0.9f, 0.9f);
  panel_text(0, h - 155, "code list");
  green_or(code_list_shown == 1, 1.0f);
  panel_text(80, h - 155, code_list_shown == 1 ? "hide" : "show");
  glColor3f(1, confirm_unbind == 1 ? 0 : 1, confirm_unbind == 1 ? 0 : 1);
  panel_text(120, h - 155, "reset");

  toggle_button(0, 175, "w-axes", show_world_axes == 1, show_world_axes == 1);
  toggle_button(65, 175, "o-axes ", show_object_axes == 1, show_object_axes == 1);
  toggle_button(0, 195, "grid", show_grid == 1, show_grid == 1);
  toggle_button(65, 195, "backup", backup_pressed == 1, false);
  glPopMatrix();
}

void lights_click(int button, int state, int x, int y) {
  const bool press = left_press(button, state);
  if (left_release(button, state) && y >= 181 && y < 195 && x >= 66 && x < 120) {
    backup_pressed = 0;
    return;
  }
  if (y < LIGHT_ROWS_END && browse_load_ses == 0) {
    if (press) light_row_click(x, y);
    return;
  }
  if (y >= 121 && y < 135) {  // densities take any button, press or release
    for (const Density& d : densities)
      if (x > d.hit_from && x < d.hit_to) res = d.value;
  } else if (!press) {
    return;
  } else if (y > 140 && y < 160) {
    if (x > 110) {
      confirm_unbind = 1;
    } else if (x > 70 && x < 100) {
      flip(code_list_shown);
    }
  } else if (y > 160 && y < 175) {
    if (x > 0 && x < 55) flip(show_world_axes);
    if (x > 65 && x < 120) flip(show_object_axes);
  } else if (y > 180 && y < 195) {
    if (x > 0 && x < 55) flip(show_grid);
    if (x > 65 && x < 120) {
      backup_pressed = 1;
      save_backup();
    }
  }
}
