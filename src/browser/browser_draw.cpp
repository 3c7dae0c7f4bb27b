// Drawing of the file browser. Origin at the middle of the window's top
// edge, y up, so everything lies at x >= 0 and y <= 0.
#include <GL/gl.h>

#include <cstring>

#include "app/window.h"
#include "browser/browser.h"
#include "browser/browser_layout.h"
#include "browser/listing.h"
#include "draw2d/draw2d.h"

// Longest directory text shown whole; longer ones show "..." and their end.
constexpr size_t DIR_SHOWN = 29;

namespace {

constexpr AnchoredSpan BUTTON_PRESS = from_start(half_open(63, 82));
constexpr AnchoredSpan BUTTON_RELEASE = from_start(half_open(63, 85));
constexpr AnchoredSpan CHOICE_ROW = from_start(half_open(101, 115));
constexpr AnchoredSpan middle(int a, int b) { return from_middle(open_range(a, b)); }

const WindowCell cells[] = {
    {"field",
     BROWSER_FIELD,
     0,
     {from_start(greater_than(50)), from_start(open_range(35, 43))},
     50,
     44},
    {"UpDir", BROWSER_FIRST, NO_CODE, {middle(30, 75), BUTTON_PRESS}, 30, 75},
    {"close", BROWSER_CLOSE, NO_CODE, {middle(125, 175), BUTTON_PRESS}, 130, 75},
    {" home ", BROWSER_HOME, NO_CODE, {middle(225, 275), BUTTON_PRESS}, 230, 75},
    {"UpDir release",
     BROWSER_FIRST_RELEASE,
     NO_CODE,
     {middle(30, 75), BUTTON_RELEASE},
     NO_TEXT,
     NO_TEXT},
    {"home release",
     BROWSER_HOME_RELEASE,
     NO_CODE,
     {middle(225, 275), BUTTON_RELEASE},
     NO_TEXT,
     NO_TEXT},
    {"rows",
     BROWSER_ROWS,
     NO_CODE,
     {from_start(any_value()), from_start(greater_than(95))},
     30,
     105},
    {" yes", BROWSER_YES, NO_CODE, {middle(50, 85), CHOICE_ROW}, 50, 110},
    {" no", BROWSER_NO, NO_CODE, {middle(220, 255), CHOICE_ROW}, 210, 110},
    {"ok", BROWSER_OK, NO_CODE, {middle(130, 165), CHOICE_ROW}, 130, 110},
};

}  // namespace

const Layout<WindowCell> browser_layout = layout_of(cells, browser_click, BROWSER_ROWS_BAND);

static void rect(float x0, float y0, float x1, float y1) { glRectf(x0, y0, x1, y1); }

static void outline(float x0, float y0, float x1, float y1) {
  glBegin(GL_LINE_LOOP);
  glVertex2f(x0, y0);
  glVertex2f(x1, y0);
  glVertex2f(x1, y1);
  glVertex2f(x0, y1);
  glEnd();
}

// A cell's text at its place, y up from the browser's top edge.
static void text_at(const WindowCell& c, const char* text) {
  panel_text(c.text_x, -c.text_d, "%s", text);
}

// The three buttons, each label in a frame 50 wide from 5 pixels left of
// it, 13 pixels above to 5 below its baseline; button 2 is never pressed.
static void draw_buttons(const char* first) {
  const int kinds[3] = {BROWSER_FIRST, BROWSER_CLOSE, BROWSER_HOME};
  const bool pressed[3] = {updir_pressed != 0, false, home_pressed != 0};
  for (int k = 0; k < 3; k++) {
    const WindowCell& c = *cell_of_kind(cells, kinds[k]);
    bevel_frame(c.text_x - 5, -c.text_d - 5, c.text_x + 45, -c.text_d + 13, pressed[k], false);
  }
  glColor3f(0.5f, 0.0f, 0.0f);
  for (int k = 0; k < 3; k++) {
    const WindowCell& c = *cell_of_kind(cells, kinds[k]);
    text_at(c, k == 0 ? first : c.name);
  }
}

static void field_box(bool white) {
  if (white)
    set_color(palette::WHITE);
  else
    glColor4f(0.7f, 0.7f, 1.0f, 1.0f);
  rect(45, -46, 350, -33);
  set_rgb(palette::BLACK);
  outline(45, -46, 350, -33);
}

// The box of the question and the notices.
static void message_box(const char* message) {
  set_color(palette::DIALOG);
  rect(30, -140, 260, -47);
  set_rgb(palette::DIALOG_TEXT);
  panel_text(70, -80, "%s", message);
}

static void draw_messages() {
  if (ask_overwrite) {
    message_box("File already exists!");
    panel_text(100, -95, " Overwrite?");
    text_at(*cell_of_kind(cells, BROWSER_YES), " yes");
    text_at(*cell_of_kind(cells, BROWSER_NO), " no");
  }
  const char* notice = nullptr;
  if (no_such_file) notice = "File does not exist!";
  if (read_failed) notice = "File cannot be read!";
  if (write_failed) notice = "File cannot be written!";
  if (no_such_dir) notice = "No such directory!";
  if (notice) {
    message_box(notice);
    text_at(*cell_of_kind(cells, BROWSER_OK), "ok");
  }
}

static const char* mode_title() {
  if (browse_load_ses) return "Load ses file";
  if (browse_save_ses) return "Save to ses file";
  if (browse_save_rib) return "Save to rib file";
  if (browse_save_c) return "Save to .c file";
  if (browse_load_code) return "Load shader code file";
  return "";
}

static void draw_listing() {
  const WindowCell& rows = *cell_of_kind(cells, BROWSER_ROWS);
  for (int i = list_top; i >= 0 && i < entry_count; i++) {
    const float y = -rows.text_d - BROWSER_ROWS_BAND.height * (i - list_top);
    if (y < -win_height) break;  // below the window edge
    if (entry_is_dir[i])
      set_rgb(palette::BLACK);
    else
      set_rgb(palette::WHITE);
    panel_text(rows.text_x, y, "%s", entries[i]);
  }
}

static void draw_file_mode() {
  set_color(palette::BROWSER);
  rect(0, -win_height, win_width / 2.0f, 0);

  glColor3f(0.2f, 0.2f, 0.2f);
  panel_text(0, -15, "%s", mode_title());

  glColor3f(0.5f, 0.9f, 0.9f);
  panel_text(0, -30, "dir:");
  glColor3f(0.5f, 0.0f, 0.0f);
  size_t len = std::strlen(current_dir);
  if (len > DIR_SHOWN)
    panel_text(50, -30, "...%s", current_dir + len - DIR_SHOWN);
  else
    panel_text(50, -30, "%s", current_dir);

  // The selection bar: over the row's text, from 1 to 14 pixels below its top.
  if (sel_entry >= list_top && sel_entry < entry_count) {
    const Span row = BROWSER_ROWS_BAND.row(sel_entry - list_top);
    glColor4f(0.7f, 0.7f, 1.0f, 1.0f);
    rect(30, -static_cast<float>(row.lo + 14), (std::strlen(entries[sel_entry]) + 5) * 7.5f,
         -static_cast<float>(row.lo + 1));
  }

  field_box(sel_entry != -1);
  glColor3f(0.5f, 0.9f, 0.9f);
  panel_text(0, -45, "file:");
  glColor3f(0.5f, 0.0f, 0.0f);
  text_at(*cell_of_kind(cells, BROWSER_FIELD), file_name);

  draw_buttons("UpDir");
  draw_listing();
  draw_messages();
}

static void draw_home_mode() {
  glColor3f(0.2f, 0.2f, 0.2f);
  panel_text(0, -30, "Change home ");
  field_box(false);
  set_rgb(palette::BLACK);
  panel_text(0, -45, "home:");
  set_rgb(palette::WHITE);
  text_at(*cell_of_kind(cells, BROWSER_FIELD), home_dir);
  draw_buttons(" OK ");
  draw_messages();
}

void draw_browser() {
  if (browse_home)
    draw_home_mode();
  else
    draw_file_mode();
}
