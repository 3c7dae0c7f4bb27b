// Drawing of the "curves" window: grids, origin and axes, the control
// polygons, the current curve, the button bar and the point count.
#include "curves/curves.h"

#include <GL/freeglut.h>

#include "app/scene.h"
#include "app/window.h"
#include "draw2d/draw2d.h"
#include "render/render.h"

int sel_point;
int edit_mode;
int origin_mode;

namespace {
constexpr Span BAR_ROW = less_than(BAR_BUTTON_HEIGHT);
const Cell bar_cells[] = {
    {"edit", "edit", BAR_EDIT, NO_CODE, {at_most(40), BAR_ROW}, 0, 10},
    {"ins", "ins", BAR_INSERT, NO_CODE, {closed_range(41, 80), BAR_ROW}, 40, 10},
    {"del", "del", BAR_DELETE, NO_CODE, {closed_range(81, 120), BAR_ROW}, 80, 10},
    {"orgn", "orgn", BAR_ORIGIN, NO_CODE, {closed_range(121, 160), BAR_ROW}, 120, 10},
    {"order", nullptr, BAR_ORDER, NO_CODE, {closed_range(161, 200), BAR_ROW}, 160, 10},
    {"knots", nullptr, BAR_KNOTS, NO_CODE, {closed_range(201, 240), BAR_ROW}, 200, 10},
    {"corner", nullptr, BAR_CORNER, NO_CODE, {at_most(163), at_most(23)}, NO_TEXT, NO_TEXT},
};
}  // namespace

const Layout<Cell> curves_bar_layout = layout_of(bar_cells, curves_mouse);

void reset_curves() {
  sel_point = -1;
  edit_mode = 0;
  origin_mode = 0;
}

void point_count_text(int n, char text[3]) {
  if (n < 0) n = 0;
  if (n > 99) n = 99;
  text[0] = static_cast<char>('0' + n / 10);
  text[1] = static_cast<char>('0' + n % 10);
  text[2] = '\0';
}

void curves_reshape(int width, int height) {
  curves_width = width;
  curves_height = height;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width, 0, height, -1, 1);
  glViewport(0, 0, width, height);
}

// Index of the last point that may be read, whatever a file put in silend.
static int last_point(const ObjectRecord& r) {
  if (r.silend < -1) return -1;
  if (r.silend >= MAX_SIL_POINTS) return MAX_SIL_POINTS - 1;
  return r.silend;
}

static void draw_grid(int spacing) {
  glBegin(GL_LINES);
  for (int i = 0; i <= curves_width / spacing; i++) {
    glVertex2f(static_cast<float>(i * spacing), 0.0f);
    glVertex2f(static_cast<float>(i * spacing), static_cast<float>(curves_height));
  }
  for (int i = 0; i <= curves_height / spacing; i++) {
    glVertex2f(0.0f, static_cast<float>(i * spacing));
    glVertex2f(static_cast<float>(curves_width), static_cast<float>(i * spacing));
  }
  glEnd();
}

static void draw_origin_and_axes(const ObjectRecord& r) {
  glPointSize(5.0f);
  set_rgb(palette::BLACK);
  glBegin(GL_POINTS);
  glVertex2f(r.base[0], r.base[1]);
  glEnd();

  glLineWidth(3.0f);
  glColor3f(0.0f, 0.5f, 0.0f);  // the axis of revolution
  glBegin(GL_LINES);
  glVertex2f(r.base[0], 0.0f);
  glVertex2f(r.base[0], static_cast<float>(curves_height));
  glEnd();
  glColor3f(0.5f, 0.0f, 0.0f);
  glBegin(GL_LINES);
  glVertex2f(0.0f, r.base[1]);
  glVertex2f(static_cast<float>(curves_width), r.base[1]);
  glEnd();
  glLineWidth(1.0f);
}

// The control polygon of a record, closed in green when its curve is periodic.
static void draw_polygon(const ObjectRecord& r) {
  const int last = last_point(r);
  glColor3f(0.2f, 0.2f, 0.2f);
  glBegin(GL_LINE_STRIP);
  for (int j = 0; j <= last; j++)
    glVertex2f(r.silpix[j][0] + r.base[0], r.silpix[j][1] + r.base[1]);
  glEnd();
  if (r.knots == 1 && last > 1) {
    set_rgb(palette::ON);
    glBegin(GL_LINES);
    glVertex2f(r.silpix[last][0] + r.base[0], r.silpix[last][1] + r.base[1]);
    glVertex2f(r.silpix[0][0] + r.base[0], r.silpix[0][1] + r.base[1]);
    glEnd();
  }
}

static void draw_control_points(const ObjectRecord& r) {
  const int last = last_point(r);
  glPointSize(8.0f);
  glColor3f(0.2f, 0.2f, 0.2f);
  glBegin(GL_POINTS);
  for (int j = 0; j <= last; j++)
    glVertex2f(r.silpix[j][0] + r.base[0], r.silpix[j][1] + r.base[1]);
  glEnd();
}

static void draw_curve(ObjectRecord& r) {
  glColor3f(0.9f, 0.2f, 0.2f);
  glTranslatef(r.base[0], r.base[1], 0.0f);
  draw_silhouette_curve(nurb_silhouette(r.order, r.knots, last_point(r) + 1, r.silpix));
  glTranslatef(-r.base[0], -r.base[1], 0.0f);
}

static void draw_selected_point(const ObjectRecord& r) {
  // A selection left over from another record names no point of this one.
  if (sel_point < 0 || sel_point > last_point(r)) return;
  glPointSize(6.0f);
  glColor3f(0.5f, 0.2f, 0.9f);
  glBegin(GL_POINTS);
  glVertex2f(r.silpix[sel_point][0] + r.base[0], r.silpix[sel_point][1] + r.base[1]);
  glEnd();
}

// A bar button: red when off, lit when on, its label in black.
static void draw_button(const Cell& c, bool lit, const Rgba& lit_color, const char* label) {
  const float top = static_cast<float>(curves_height);
  set_rgb(lit ? lit_color : Rgba{1.0f, 0.0f, 0.0f, 1.0f});
  glRectf(c.text_x, top - BAR_BUTTON_HEIGHT, c.text_x + BAR_BUTTON_WIDTH, top);
  set_rgb(palette::BLACK);
  panel_text(c.text_x, top - c.text_d, "%s", label);
}

static void draw_button_bar() {
  const Rgba yellow = {1.0f, 1.0f, 0.0f, 1.0f};
  for (const Cell& c : bar_cells) {
    switch (c.kind) {
      case BAR_EDIT:
        draw_button(c, edit_mode == 1, yellow, c.label);
        break;
      case BAR_ORIGIN:
        draw_button(c, origin_mode == 1, palette::ON, c.label);
        break;
      case BAR_ORDER:
        draw_button(c, edit_order == 3, palette::ON, edit_order == 3 ? "quad" : "cube");
        break;
      case BAR_KNOTS:
        draw_button(c, edit_knots == 0, palette::ON, edit_knots == 0 ? "open" : "peri");
        break;
      case BAR_CORNER:
        break;
      default:
        draw_button(c, false, palette::ON, c.label);
        break;
    }
  }
}

void draw_curves_frame() {
  glDisable(GL_DEPTH_TEST);
  glClearColor(0.95f, 0.9f, 0.95f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();

  glColor3f(0.7f, 0.7f, 0.9f);
  draw_grid(10);
  glColor3f(0.0f, 0.0f, 0.8f);
  draw_grid(20);

  int points = 0;
  if (current_record >= 0 && current_record < MAX_RECORDS) {
    ObjectRecord& cur = ObjectTable[current_record];
    draw_origin_and_axes(cur);
    glLineWidth(2.0f);
    for (int i = 0; i <= last_record && i < MAX_RECORDS; i++)
      if (ClusterTable[i] == 1) draw_polygon(ObjectTable[i]);
    draw_polygon(cur);
    draw_control_points(cur);
    draw_curve(cur);
    draw_selected_point(cur);
    glLineWidth(1.0f);
    points = last_point(cur) + 1;
  }

  draw_button_bar();
  set_rgb(palette::BLACK);
  char count[3];
  point_count_text(points, count);
  panel_text(10.0f, static_cast<float>(curves_height - 60), "%s", count);
}

void curves_display() {
  draw_curves_frame();
  glFlush();
  glutSwapBuffers();
}
