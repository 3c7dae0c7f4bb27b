// The material panel in the bottom-left corner: the "shine" and "intensity"
// sliders, the colour hexagon to pick from, and a preview sphere in the
// current record's colour.
#include "panels/material_panel.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstring>

#include "app/scene.h"
#include "app/window.h"
#include "panels/overlay.h"
#include "render/render.h"
#include "render/tess_cache.h"

namespace {

constexpr int SLIDER_WIDTH = 120;  // pixels; sliders and colour field span x 0..120
// The preview sphere's slices and stacks: GLU's full sphere (GLU holds 360
// to 239); the cached sphere lit, the same 239; unlit only its outline
// shows, and 64 give the same pixels.
constexpr int SPHERE_SLICES = 360;
constexpr int LIT_SPHERE_SLICES = 239;
constexpr int FLAT_SPHERE_SLICES = 64;

// The colour field as it was drawn in the last frame, read back right after
// the panel was drawn: after the buffer swap the back buffer's content is
// undefined, so a click reads the picture the user saw from here.
constexpr int FIELD_W = SLIDER_WIDTH + 1;                          // x 0..120
constexpr int FIELD_H = static_cast<int>(lower_panel_height) / 2;  // y 0..111
unsigned char field_pixels[FIELD_W * FIELD_H * 3];
int field_w = 0;  // columns and rows captured (less on a small window)
int field_h = 0;

// Copies a region of the colour buffer that is being drawn into.
void capture_field() {
  field_w = win_width < FIELD_W ? win_width : FIELD_W;
  field_h = win_height < FIELD_H ? win_height : FIELD_H;
  if (field_w <= 0 || field_h <= 0) {
    field_w = field_h = 0;
    return;
  }
  GLint draw_buffer = GL_BACK, read_buffer = GL_BACK, alignment = 4;
  glGetIntegerv(GL_DRAW_BUFFER, &draw_buffer);
  glGetIntegerv(GL_READ_BUFFER, &read_buffer);
  glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
  glReadBuffer(draw_buffer);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, field_w, field_h, GL_RGB, GL_UNSIGNED_BYTE, field_pixels);
  glPixelStorei(GL_PACK_ALIGNMENT, alignment);
  glReadBuffer(read_buffer);
}

// The pixel at (px, py), y up from the window's bottom edge, as the user saw
// it. With the panels hidden the captured field is not on the screen: the
// displayed frame is read instead.
bool seen_pixel(int px, int py, unsigned char rgb[3]) {
  if (px < 0 || py < 0) return false;
  if (panels_shown) {
    if (px >= field_w || py >= field_h) return false;
    std::memcpy(rgb, field_pixels + 3 * (py * field_w + px), 3);
    return true;
  }
  if (display_window == 0 || px >= win_width || py >= win_height) return false;
  select_display_window();
  GLint read_buffer = GL_FRONT, alignment = 4;
  glGetIntegerv(GL_READ_BUFFER, &read_buffer);
  glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
  glReadBuffer(GL_FRONT);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(px, py, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
  glPixelStorei(GL_PACK_ALIGNMENT, alignment);
  glReadBuffer(read_buffer);
  return true;
}

// A slider bar shading from black on the left to white on the right, its
// label at (label_u, label_v), and over both the magenta mark at value 0..1.
void slider(float v0, float v1, const char* label, float label_u, float label_v, float value) {
  glBegin(GL_QUADS);
  glColor3f(0, 0, 0);
  glVertex2f(-1, v1);
  glVertex2f(-1, v0);
  glColor3f(1, 1, 1);
  glVertex2f(1, v0);
  glVertex2f(1, v1);
  glEnd();
  glColor3f(0, 1, 1);
  panel_text(label_u, label_v, "%s", label);
  const float s = 2 * value - 1;
  glColor3f(1, 0, 1);
  glRectf(s - 0.05f, v0, s + 0.05f, v1);
}

void hexagon(float i) {
  const float corners[6][2] = {{0.866025f, 0.5f},   {0, 1},  {-0.866025f, 0.5f},
                               {-0.866025f, -0.5f}, {0, -1}, {0.866025f, -0.5f}};
  const float colors[6][3] = {{0, i, 0}, {i, i, 0}, {i, 0, 0}, {i, 0, i}, {0, 0, i}, {0, i, i}};
  glShadeModel(GL_SMOOTH);
  glRotatef(30, 0, 0, 1);
  glBegin(GL_TRIANGLES);
  for (int k = 0; k < 6; k++) {
    const int n = (k + 1) % 6;
    glColor3fv(colors[k]);
    glVertex2fv(corners[k]);
    glColor3fv(colors[n]);
    glVertex2fv(corners[n]);
    glColor3f(i, i, i);
    glVertex2f(0, 0);
  }
  glEnd();
  glRotatef(-30, 0, 0, 1);
}

// Objects are shown lit with their material; the ambient and the lights
// flat in their own colour.
void preview_look(const ObjectRecord& r) {
  if (current_record >= FIRST_OBJECT) {
    const float specular[4] = {1, 1, 1, 1};
    const float shininess = r.shine * 128;
    set_material(r.color, r.color, specular, &shininess);
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    scene_lights();
    const float key_light[4] = {100, 100, 100, 0};
    glLightfv(GL_LIGHT0, GL_POSITION, key_light);
    glDisable(GL_LIGHT2);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 0);
  } else {
    glColor3f(r.color[0], r.color[1], r.color[2]);
  }
}

bool current_valid() { return current_record >= 0 && current_record < MAX_RECORDS; }

void set_intensity(ObjectRecord& r, float value) {
  const float old = edit_intensity;
  edit_intensity = value;
  r.intensity = value;
  // The colour follows the intensity in proportion; from 0 there is no
  // proportion, so the colour stays.
  if (old <= 0.0f) return;
  const float ratio = value / old;
  for (int k = 0; k < 3; k++) {
    r.color[k] = edit_color[k] * ratio / 255;
    const float byte = 255 * r.color[k];
    edit_color[k] = byte >= 255.0f ? 255 : static_cast<unsigned char>(byte);
  }
}

void pick_color(ObjectRecord& r, int px, int py) {
  unsigned char rgb[3];
  if (!seen_pixel(px, py, rgb)) return;
  const bool black = rgb[0] == 0 && rgb[1] == 0 && rgb[2] == 0;
  const bool white = rgb[0] == 255 && rgb[1] == 255 && rgb[2] == 255;
  if (black || white) return;
  edit_pick[0] = 2.0f * px / SLIDER_WIDTH - 1;
  edit_pick[1] = 4.0f * py / lower_panel_height - 1;
  r.pick[0] = edit_pick[0];
  r.pick[1] = edit_pick[1];
  for (int k = 0; k < 3; k++) {
    edit_color[k] = rgb[k];
    r.color[k] = rgb[k] / 255.0f;
  }
}

}  // namespace

void reset_material_panel() {
  field_w = field_h = 0;
  std::memset(field_pixels, 0, sizeof field_pixels);
}

void draw_preview_sphere(float radius) {
  if (!tess_cache_on) {
    draw_solid_sphere(radius, SPHERE_SLICES, SPHERE_SLICES);
    return;
  }
  const int slices = glIsEnabled(GL_LIGHTING) ? LIT_SPHERE_SLICES : FLAT_SPHERE_SLICES;
  // The back half lies behind the front one (or, unlit, looks the same):
  // culling it halves the work and leaves the picture as it is.
  glEnable(GL_CULL_FACE);
  draw_solid_sphere(radius, slices, slices);
  glDisable(GL_CULL_FACE);
}

void draw_material_panel() {
  if (!current_valid()) return;
  const ObjectRecord& r = ObjectTable[current_record];
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glColor4f(0.5f, 0.5f, 0.5f, 0.5f);
  glRectf(0, 0, 122, lower_panel_height);

  // Unit system: u -1..1 across the 120 pixels, v -1..3 up the strip.
  glPushMatrix();
  glScalef(SLIDER_WIDTH / 2, lower_panel_height / 4, 1);
  glTranslatef(1, 1, 0);
  slider(2.8f, 3.0f, "shine", -0.4f, 2.8f, r.shine);
  hexagon(edit_intensity);
  slider(1.05f, 1.3f, "intensity", -0.65f, 1.1f, r.intensity);
  glColor3f(1, 1, 1);
  glPointSize(3);
  glBegin(GL_POINTS);
  glVertex2fv(edit_pick);
  glEnd();
  glPointSize(1);
  glPopMatrix();

  preview_look(r);
  glPushMatrix();
  glTranslatef(SLIDER_WIDTH / 2, lower_panel_height * 3 / 4 + 3, -1);
  draw_preview_sphere(40);
  glPopMatrix();
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);

  capture_field();
}

void material_click(int button, int state, int x, int d) {
  if (x < 0 || x > SLIDER_WIDTH || !current_valid()) return;
  ObjectRecord& r = ObjectTable[current_record];
  const int strip = static_cast<int>(lower_panel_height);
  if (left_press(button, state)) {
    if (d < strip * 0.1f) {
      edit_shine = static_cast<float>(x) / SLIDER_WIDTH;
      r.shine = edit_shine;
    } else if (d > strip * 0.4375f && d < strip * 0.5f) {
      set_intensity(r, static_cast<float>(x) / SLIDER_WIDTH);
    } else if (d > strip * 0.5f) {
      // A colour pick marks the members that share the colour it replaces;
      // the sliders and every later event follow those marks.
      if (cluster_mode == 1) mark_same_color();
      pick_color(r, x, strip - d);
    }
  }
  if (cluster_mode == 1) propagate_color();
  redraw_all();
}
