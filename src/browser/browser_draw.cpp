// Drawing of the file browser. Origin at the middle of the window's top
// edge, y up, so everything lies at x >= 0 and y <= 0.
#include <GL/gl.h>

#include <cstring>

#include "app/window.h"
#include "browser/browser.h"
#include "browser/listing.h"
#include "draw2d/draw2d.h"

// Longest directory text shown whole; longer ones show "..." and their end.
constexpr size_t DIR_SHOWN = 29;

static void rect(float x0, float y0, float x1, float y1) { glRectf(x0, y0, x1, y1); }

static void outline(float x0, float y0, float x1, float y1) {
  glBegin(GL_LINE_LOOP);
  glVertex2f(x0, y0);
  glVertex2f(x1, y0);
  glVertex2f(x1, y1);
  glVertex2f(x0, y1);
  glEnd();
}

static void draw_buttons(const char* first) {
  bevel_frame(25, -80, 75, -62, updir_pressed != 0, false);
  bevel_frame(125, -80, 175, -62, false, false);
  bevel_frame(225, -80, 275, -62, home_pressed != 0, false);
  glColor3f(0.5f, 0.0f, 0.0f);
  panel_text(30, -75, "%s", first);
  panel_text(130, -75, "close");
  panel_text(230, -75, " home ");
}

static void field_box(bool white) {
  if (white)
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  else
    glColor4f(0.7f, 0.7f, 1.0f, 1.0f);
  rect(45, -46, 350, -33);
  glColor3f(0.0f, 0.0f, 0.0f);
  outline(45, -46, 350, -33);
}

// The box of the question and the notices.
static void message_box(const char* message) {
  glColor4f(0.8f, 0.8f, 0.8f, 1.0f);
  rect(30, -140, 260, -47);
  glColor3f(1.0f, 0.0f, 0.0f);
  panel_text(70, -80, "%s", message);
}

static void draw_messages() {
  if (ask_overwrite) {
    message_box("File already exists!");
    panel_text(100, -95, " Overwrite?");
    panel_text(50, -110, " yes");
    panel_text(210, -110, " no");
  }
  const char* notice = nullptr;
  if (no_such_file) notice = "File does not exist!";
  if (read_failed) notice = "File cannot be read!";
  if (write_failed) notice = "File cannot be written!";
  if (no_such_dir) notice = "No such directory!";
  if (notice) {
    message_box(notice);
    panel_text(130, -110, "ok");
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
  for (int i = list_top; i >= 0 && i < entry_count; i++) {
    float y = -90.0f - 15.0f * (i - list_top + 1);
    if (y < -win_height) break;  // below the window edge
    if (entry_is_dir[i])
      glColor3f(0.0f, 0.0f, 0.0f);
    else
      glColor3f(1.0f, 1.0f, 1.0f);
    panel_text(30, y, "%s", entries[i]);
  }
}

static void draw_file_mode() {
  update_listing();

  glColor4f(0.5f, 0.5f, 0.5f, 0.85f);
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

  if (sel_entry >= list_top && sel_entry < entry_count) {
    int k = sel_entry - list_top;
    glColor4f(0.7f, 0.7f, 1.0f, 1.0f);
    rect(30, -77.0f - 15.0f * (k + 2), (std::strlen(entries[sel_entry]) + 5) * 7.5f,
         -79.0f - 15.0f * (k + 1));
  }

  field_box(sel_entry != -1);
  glColor3f(0.5f, 0.9f, 0.9f);
  panel_text(0, -45, "file:");
  glColor3f(0.5f, 0.0f, 0.0f);
  panel_text(50, -44, "%s", file_name);

  draw_buttons("UpDir");
  draw_listing();
  draw_messages();
}

static void draw_home_mode() {
  glColor3f(0.2f, 0.2f, 0.2f);
  panel_text(0, -30, "Change home ");
  field_box(false);
  glColor3f(0.0f, 0.0f, 0.0f);
  panel_text(0, -45, "home:");
  glColor3f(1.0f, 1.0f, 1.0f);
  panel_text(50, -44, "%s", home_dir);
  draw_buttons(" OK ");
  draw_messages();
}

void draw_browser() {
  if (browse_home)
    draw_home_mode();
  else
    draw_file_mode();
}
