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
  glColor3f(0.0f, 0.0f, 0.0f);
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
    glColor3f(0.0f, 1.0f, 0.0f);
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

static void draw_button(int k, bool lit, const float lit_color[3], const char* label) {
  const float x0 = 40.0f * k;
  const float y0 = static_cast<float>(curves_height - 20);
  if (lit)
    glColor3fv(lit_color);
  else
    glColor3f(1.0f, 0.0f, 0.0f);
  glRectf(x0, y0, x0 + 40.0f, static_cast<float>(curves_height));
  glColor3f(0.0f, 0.0f, 0.0f);
  panel_text(x0, static_cast<float>(curves_height - 10), "%s", label);
}

static const float YELLOW[3] = {1.0f, 1.0f, 0.0f};
static const float GREEN[3] = {0.0f, 1.0f, 0.0f};

// Six 40 x 20 buttons along the top edge; red when off, lit when on.
static void draw_button_bar() {
  draw_button(0, edit_mode == 1, YELLOW, "edit");
  draw_button(1, false, GREEN, "ins");
  draw_button(2, false, GREEN, "del");
  draw_button(3, origin_mode == 1, GREEN, "orgn");
  draw_button(4, edit_order == 3, GREEN, edit_order == 3 ? "quad" : "cube");
  draw_button(5, edit_knots == 0, GREEN, edit_knots == 0 ? "open" : "peri");
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
  glColor3f(0.0f, 0.0f, 0.0f);
  char count[3];
  point_count_text(points, count);
  panel_text(10.0f, static_cast<float>(curves_height - 60), "%s", count);
}

void curves_display() {
  draw_curves_frame();
  glFlush();
  glutSwapBuffers();
}
