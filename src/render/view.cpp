// The 3D pass of the "display" window: projection, camera, floor grid, axes,
// lights and the placed objects. The panels are drawn over it by the caller.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "app/window.h"
#include "render/render.h"
#include "render/shapes.h"
#include "render/tess_cache.h"

void reshape_3d(int w, int h) {
  win_width = w;
  win_height = h;
  // A minimised window has no aspect ratio: keep the last projection.
  if (w <= 0 || h <= 0) return;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(30.0, (float)w / (float)h, 2.0, 200.0);
  glViewport(0, 0, w, h);
}

void Sph2Rect(float r, float latitude, float longitude, float rect[3]) {
  float thetar = longitude * 3.1415 / 180;
  float phir = latitude * 3.1415 / 180;
  rect[0] = r * std::sin(thetar) * std::cos(phir);
  rect[1] = r * std::sin(phir);
  rect[2] = r * std::cos(phir) * std::cos(thetar);
}

void eye_position(int lat, int lon, int dist, double out[3]) {
  // The small offsets keep the eye off the pole, where the up vector would
  // lie along the view direction.
  float e[3];
  Sph2Rect((float)dist, (float)lat + 0.0001f, (float)lon + 0.0001f, e);
  for (int k = 0; k < 3; k++) out[k] = e[k];
}

static void set_light(GLenum light, const float position[4], const float color[4]) {
  glLightfv(light, GL_POSITION, position);
  glLightfv(light, GL_DIFFUSE, color);
  glLightfv(light, GL_SPECULAR, color);
}

void work_lights() {
  static const float ambient[4] = {0.82f, 0.82f, 0.82f, 0.0f};
  static const float position[3][4] = {{-20, 10, 20, 0}, {0, 20, 30, 0}, {20, 10, 20, 0}};
  static const float color[3][4] = {
      {0.6f, 0.6f, 0.6f, 0.0f}, {0.9f, 0.9f, 0.9f, 0.0f}, {0.7f, 0.7f, 0.7f, 0.0f}};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
  for (int k = 0; k < 3; k++) set_light(GL_LIGHT0 + k, position[k], color[k]);
}

void scene_lights() {
  static const float dark[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  glEnable(GL_LIGHTING);
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, light_on[0] ? ObjectTable[0].color : dark);
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
  for (int k = 0; k < 5; k++) {
    const ObjectRecord& light = ObjectTable[k + 1];
    if (light_on[k + 1])
      glEnable(GL_LIGHT0 + k);
    else
      glDisable(GL_LIGHT0 + k);
    // Set even while off, so switching on needs no other step.
    set_light(GL_LIGHT0 + k, light.position, light.color);
  }
}

static void material(float r, float g, float b, float shininess) {
  const float color[4] = {r, g, b, 1.0f};
  set_material(color, color, color, &shininess);
}

void draw_arrow() {
  GLUquadric* q = gluNewQuadric();
  if (!q) return;
  glPushMatrix();
  gluCylinder(q, 0.15, 0.15, 15.0, 6, 2);
  glTranslatef(0, 0, 15);
  gluCylinder(q, 0.4, 0.0, 1.0, 6, 2);
  glPopMatrix();
  gluDeleteQuadric(q);
}

void draw_world_axes() {
  glPushMatrix();
  glScalef(0.7f, 0.7f, 0.7f);
  material(0.8f, 0.8f, 0.8f, 10);
  draw_ball(0.25f, 6, 6);
  material(0, 0, 0.4f, 10);
  draw_arrow();
  glRotatef(-90, 1, 0, 0);
  material(0, 0.6f, 0, 127);
  draw_arrow();
  glRotatef(90, 1, 0, 0);
  glRotatef(90, 0, 1, 0);
  material(0.3f, 0, 0, 127);
  draw_arrow();
  glRotatef(-90, 0, 1, 0);
  glPopMatrix();
}

void draw_object_axes() {
  glDisable(GL_LIGHTING);
  glBegin(GL_LINES);
  glColor3f(1, 0, 0);
  glVertex3f(0, 0, 0);
  glVertex3f(50, 0, 0);
  glColor3f(0, 1, 0);
  glVertex3f(0, 0, 0);
  glVertex3f(0, 50, 0);
  glColor3f(0, 0, 1);
  glVertex3f(0, 0, 0);
  glVertex3f(0, 0, 50);
  glEnd();
  glEnable(GL_LIGHTING);
}

// Floor grid: 80 x 80 units, a line every 4, then the z and x floor axes.
static void draw_grid() {
  static const float grey[4] = {0.5f, 0.5f, 0.5f, 1.0f};
  static const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  const float shininess = 127.0f;
  glColor3f(0.6f, 0.6f, 0.6f);
  glLineWidth(1.0f);
  set_material(grey, grey, white, &shininess);
  glBegin(GL_LINES);
  for (int i = 0; i <= 20; i++) {
    glVertex3f(-40.0f + 4 * i, 0, -40);
    glVertex3f(-40.0f + 4 * i, 0, 40);
  }
  for (int i = 0; i <= 20; i++) {
    glVertex3f(-40, 0, -40.0f + 4 * i);
    glVertex3f(40, 0, -40.0f + 4 * i);
  }
  glEnd();
  glLineWidth(2.0f);
  glBegin(GL_LINES);
  glColor3f(0, 0, 0.8f);
  glVertex3f(0, 0, -40);
  glVertex3f(0, 0, 40);
  glColor3f(0.8f, 0, 0);
  glVertex3f(-40, 0, 0);
  glVertex3f(40, 0, 0);
  glEnd();
  glLineWidth(1.0f);
}

// A line from the origin to 50 along one axis, unlit.
static void axis_line(float r, float g, float b, float x, float y, float z) {
  glDisable(GL_LIGHTING);
  glBegin(GL_LINES);
  glColor3f(r, g, b);
  glVertex3f(0, 0, 0);
  glVertex3f(x, y, z);
  glEnd();
  glEnable(GL_LIGHTING);
}

// Record i with its placement: translate, rotate about y, x, z, scale. With
// aids, the current object also gets its axes; while one of its angles is
// being edited each axis line is drawn where that rotation applies.
static void draw_placed(int i, bool aids, bool angle_selected, bool wire) {
  const ObjectRecord& rec = ObjectTable[i];
  const bool current = i == current_record;
  const bool rotation_aid = aids && current && show_object_axes && angle_selected;

  glPushMatrix();
  glTranslatef(rec.position[0], rec.position[1], rec.position[2]);
  if (rotation_aid) {
    glPushMatrix();
    glScalef(1, rec.scales[1], 1);
    axis_line(0, 1, 0.5f, 0, 50, 0);
    glPopMatrix();
  }
  glRotatef((float)rec.angles[1], 0, 1, 0);
  glRotatef((float)rec.angles[0], 1, 0, 0);
  if (rotation_aid) {
    glPushMatrix();
    glScalef(rec.scales[0], 1, 1);
    axis_line(1, 0.5f, 0, 50, 0, 0);
    glPopMatrix();
  }
  glRotatef((float)rec.angles[2], 0, 0, 1);
  glScalef(rec.scales[0], rec.scales[1], rec.scales[2]);
  if (aids && current && show_object_axes) {
    if (rotation_aid) {
      glPushMatrix();
      axis_line(0, 0, 1, 0, 0, 50);
      glPopMatrix();
    } else {
      draw_object_axes();
    }
  }
  if (current && highlight_current) {
    ObjectRecord inverted = rec;
    for (int k = 0; k < 3; k++) inverted.color[k] = 1.0f - rec.color[k];
    draw_object_as(inverted, wire);
  } else {
    draw_object_as(rec, wire);
  }
  glPopMatrix();
}

// Light markers are always solid, whatever the objects are drawn as.
static void draw_light_markers() {
  for (int i = 1; i <= LAST_LIGHT; i++) draw_placed(i, false, false, false);
  glDisable(GL_LIGHT0);
  glDisable(GL_LIGHT1);
  glDisable(GL_LIGHT2);
}

void load_camera() {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  double e[3];
  eye_position(latitude, longitude, distance, e);
  gluLookAt(e[0], e[1], e[2], 0, 0, 0, 0, 1, 0);
}

void draw_view_3d(bool angle_selected) {
  tess_cache_frame();
  glEnable(GL_NORMALIZE);
  // Depth-test from the first frame on, not only once the panel pass has run.
  glEnable(GL_DEPTH_TEST);
  glClearColor(0.7f, 0.7f, 0.7f, 1.0f);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  load_camera();

  glPushMatrix();
  glDisable(GL_LIGHTING);
  if (show_grid) draw_grid();

  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHT1);
  glEnable(GL_LIGHT2);
  work_lights();
  if (show_world_axes) draw_world_axes();
  if (show_lights) draw_light_markers();

  scene_lights();
  const int last = last_record < LAST_INDEX ? last_record : LAST_INDEX;
  for (int i = FIRST_OBJECT; i <= last; i++) {
    if (view_cluster && ClusterTable[i] != 1) continue;
    draw_placed(i, true, angle_selected, wireframe != 0);
  }
  glPopMatrix();
}
