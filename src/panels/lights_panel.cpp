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

// The light rows: row i is light record i, while y < 115. The row is y / 20
// toward zero, so the first one reaches 19 pixels above the top edge.
constexpr RowBand LIGHT_ROWS = {0, 20};
constexpr Span LIGHT_ROWS_Y = less_than(115);
constexpr Span FIRST_ROW = open_range(-LIGHT_ROWS.height, LIGHT_ROWS.height);
constexpr Span DENSITY_ROW = half_open(121, 135);
constexpr Span CODE_ROW = open_range(140, 160);
constexpr Span UPPER_TOGGLES = open_range(160, 175);
constexpr Span LOWER_TOGGLES = open_range(180, 195);
constexpr Span LEFT_TOGGLE = open_range(0, 55);
constexpr Span RIGHT_TOGGLE = open_range(65, 120);
constexpr float TOGGLE_LABEL_X = 5;  // a toggle's label lies this far inside its frame

const Cell cells[] = {
    {"name", nullptr, LIGHT_NAME, NO_CODE, {open_range(10, 60), FIRST_ROW}, 0, 15},
    {"switch", nullptr, LIGHT_SWITCH, NO_CODE, {open_range(60, 90), FIRST_ROW}, 75, 15},
    {"kind", nullptr, LIGHT_KIND, NO_CODE, {greater_than(120), FIRST_ROW}, 120, 15},
    {"nurb", "nurb", LIGHT_CAPTION, NO_CODE, NO_HIT, 0, 135},
    {"lw", " lw", LIGHT_DENSITY, 10, {open_range(32, 62), DENSITY_ROW}, 36, 135},
    {"med", "med", LIGHT_DENSITY, 20, {open_range(67, 103), DENSITY_ROW}, 71, 135},
    {"hi", "hi", LIGHT_DENSITY, 40, {open_range(110, 120), DENSITY_ROW}, 106, 135},
    {"vh", "vh", LIGHT_DENSITY, 50, {open_range(130, 142), DENSITY_ROW}, 128, 135},
    {"code list", "code list", LIGHT_CAPTION, NO_CODE, NO_HIT, 0, 155},
    {"show", nullptr, LIGHT_CODE_LIST, NO_CODE, {open_range(70, 100), CODE_ROW}, 80, 155},
    {"reset", "reset", LIGHT_UNBIND, NO_CODE, {greater_than(110), CODE_ROW}, 120, 155},
    {"w-axes", "w-axes", LIGHT_TOGGLE, 0, {LEFT_TOGGLE, UPPER_TOGGLES}, 5, 175},
    {"o-axes", "o-axes ", LIGHT_TOGGLE, 1, {RIGHT_TOGGLE, UPPER_TOGGLES}, 70, 175},
    {"grid", "grid", LIGHT_TOGGLE, 2, {LEFT_TOGGLE, LOWER_TOGGLES}, 5, 195},
    {"backup", "backup", LIGHT_BACKUP, NO_CODE, {RIGHT_TOGGLE, LOWER_TOGGLES}, 70, 195},
};

// The flag each toggle switches and shows, by its code.
int* const toggle_flags[] = {&show_world_axes, &show_object_axes, &show_grid};

const char* const light_labels[LIGHT_COUNT] = {"ambient", "light1", "light2",
                                               "light3",  "light4", "light5"};

// Green for a control that is on, else the panel's grey level for "off".
void green_or(bool on, float off) {
  if (on) {
    set_rgb(palette::ON);
  } else {
    glColor3f(off, off, off);
  }
}

// A toggle's frame around its label, pressed in when on.
void toggle_button(const Cell& c, bool on, bool label_green) {
  const float x0 = c.text_x - TOGGLE_LABEL_X, y = win_height - c.text_d;
  bevel_frame(x0, y - 3, x0 + 55, y + 13, on, true);
  green_or(label_green, 0.0f);
  panel_text(c.text_x, y, "%s", c.label);
}

// The text of a light row's cell, in its colour; null where row i has none.
const char* light_text(const Cell& c, int i) {
  switch (c.kind) {
    case LIGHT_NAME:
      set_rgb(palette::BLACK);
      return light_labels[i];
    case LIGHT_SWITCH:
      green_or(light_on[i] == 1, 1.0f);
      return light_on[i] == 1 ? "on" : "off";
    default:  // the ambient light has no kind
      if (i == 0) return nullptr;
      green_or(light_positional[i] == 1, 1.0f);
      return light_positional[i] == 1 ? "P" : "D";
  }
}

bool in_light_rows(const Cell& c) {
  return c.kind == LIGHT_NAME || c.kind == LIGHT_SWITCH || c.kind == LIGHT_KIND;
}

// A cell below the light rows.
void draw_cell(const Cell& c) {
  const float h = win_height;
  switch (c.kind) {
    case LIGHT_CAPTION:
      set_rgb(palette::CAPTION);
      panel_text(c.text_x, h - c.text_d, "%s", c.label);
      return;
    case LIGHT_DENSITY:
      green_or(res == c.code, 0.0f);
      panel_text(c.text_x, h - c.text_d, "%s", c.label);
      return;
    case LIGHT_CODE_LIST:
      green_or(code_list_shown == 1, 1.0f);
      panel_text(c.text_x, h - c.text_d, code_list_shown == 1 ? "hide" : "show");
      return;
    case LIGHT_UNBIND:
      glColor3f(1, confirm_unbind == 1 ? 0 : 1, confirm_unbind == 1 ? 0 : 1);
      panel_text(c.text_x, h - c.text_d, "%s", c.label);
      return;
    case LIGHT_TOGGLE: {
      const bool on = *toggle_flags[c.code] == 1;
      toggle_button(c, on, on);
      return;
    }
    case LIGHT_BACKUP:
      toggle_button(c, backup_pressed == 1, false);
      return;
    default:
      return;
  }
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

// A press on light row `row`, looked up in the first row's cells.
void light_row_press(int x, int y) {
  const int row = y / LIGHT_ROWS.height;
  if (row < 0 || row >= LIGHT_COUNT) return;
  const Cell* c = cell_at(cells, x, y - LIGHT_ROWS.height * row);
  if (!c) return;
  if (c->kind == LIGHT_NAME) select_light(row);
  if (c->kind == LIGHT_SWITCH) flip(light_on[row]);
  if (c->kind == LIGHT_KIND) flip_positional(row);
}

// A press below the light rows.
void lower_press(const Cell& c) {
  switch (c.kind) {
    case LIGHT_CODE_LIST:
      flip(code_list_shown);
      break;
    case LIGHT_UNBIND:
      confirm_unbind = 1;
      break;
    case LIGHT_TOGGLE:
      flip(*toggle_flags[c.code]);
      break;
    case LIGHT_BACKUP:
      backup_pressed = 1;
      save_backup();
      break;
    default:
      break;
  }
}

}  // namespace

const Layout<Cell> lights_layout = layout_of(cells, lights_click, LIGHT_ROWS);

void draw_lights_panel() {
  const float h = win_height;
  set_color(palette::PANEL);
  glRectf(0, h - right_panel_height, right_panel_width, h);
  if (current_record >= 0 && current_record < LIGHT_COUNT) {
    const Span row = LIGHT_ROWS.row(current_record);
    set_color(palette::HIGHLIGHT);
    glRectf(0, h - row.hi - 1, 65, h - row.lo);
  }
  glPushMatrix();
  glTranslatef(2, 0, 0);
  for (int i = 0; i < LIGHT_COUNT; i++) {
    for (const Cell& c : cells) {
      const char* text = in_light_rows(c) ? light_text(c, i) : nullptr;
      if (text) panel_text(c.text_x, h - c.text_d - LIGHT_ROWS.height * i, "%s", text);
    }
  }
  for (const Cell& c : cells)
    if (!in_light_rows(c)) draw_cell(c);
  glPopMatrix();
}

void lights_click(int button, int state, int x, int y) {
  const Cell* c = cell_at(cells, x, y);
  if (left_release(button, state) && c && c->kind == LIGHT_BACKUP) {
    backup_pressed = 0;
    return;
  }
  if (LIGHT_ROWS_Y.contains(y) && browse_load_ses == 0) {
    if (left_press(button, state)) light_row_press(x, y);
    return;
  }
  if (!c || (c->kind != LIGHT_DENSITY && !left_press(button, state))) return;
  if (c->kind == LIGHT_DENSITY)  // any button, press or release
    res = c->code;
  else
    lower_press(*c);
}
